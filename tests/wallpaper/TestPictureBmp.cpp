#include "TestPictureFiles.h"
#include "app/platform/Errors.h"
#include "wallpaper/BmpFile.h"
#include "wallpaper/BmpRowWriter.h"
#include "wallpaper/PictureLoader.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

namespace {

quint32 u32(const QByteArray& b, int at) {
    return qFromLittleEndian<quint32>(b.constData() + at);
}
qint32 i32(const QByteArray& b, int at) {
    return qFromLittleEndian<qint32>(b.constData() + at);
}
quint16 u16(const QByteArray& b, int at) {
    return qFromLittleEndian<quint16>(b.constData() + at);
}
uchar byte(const QByteArray& b, qsizetype at) {
    return uchar(b.at(at));
}

QByteArray ours(const QImage& image) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!writeBmp(image, buffer))
        return "<failed>";
    return buffer.data();
}

QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QByteArray qts(const QImage& image) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, "bmp").write(image);
    return buffer.data();
}

// A picture whose every pixel differs: (x * 40 + y, y * 50, 255 - x).
QImage gradient(int width, int height, QImage::Format format) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb((x * 40 + y) & 255, (y * 50) & 255, 255 - x));
    return image.convertToFormat(format);
}

} // namespace

class TestPictureBmp : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void colourFileByteByByte();
    void greyFileByteByByte();
    void sameBytesAsQtWriter_data();
    void sameBytesAsQtWriter();
    void dirtyRowPaddingIsNotWritten();
    void saveReplacesWholeFile();
    void saveFailureNamesFileAndKeepsOld();
    void rowsWrittenWhileDecodingAsSaveBmp_data();
    void rowsWrittenWhileDecodingAsSaveBmp();
    void failedDecodingWhileWritingKeepsOld();
};

void TestPictureBmp::colourFileByteByByte() {
    const QImage image = gradient(5, 3, QImage::Format_BGR888);
    const QByteArray b = ours(image);
    const int row = 16; // 5 pixels x 3 bytes, padded to 4
    QCOMPARE(b.left(2), QByteArray("BM"));
    QCOMPARE(u32(b, 2), quint32(b.size()));
    QCOMPARE(b.size(), 54 + row * 3);
    QCOMPARE(u32(b, 10), 54u); // pixels right after the two headers
    QCOMPARE(u32(b, 14), 40u); // BITMAPINFOHEADER
    QCOMPARE(i32(b, 18), 5);
    QCOMPARE(i32(b, 22), 3); // positive: bottom row first
    QCOMPARE(u16(b, 26), quint16(1));
    QCOMPARE(u16(b, 28), quint16(24));
    QCOMPARE(u32(b, 30), 0u); // uncompressed
    QCOMPARE(u32(b, 34), quint32(row * 3));
    QCOMPARE(u32(b, 46), 0u); // no palette
    for (int fileRow = 0; fileRow < 3; ++fileRow) {
        const int y = 2 - fileRow;
        const qsizetype at = 54 + fileRow * row;
        for (int x = 0; x < 5; ++x) {
            const QRgb pixel = image.pixel(x, y);
            QCOMPARE(byte(b, at + 3 * x), uchar(qBlue(pixel)));
            QCOMPARE(byte(b, at + 3 * x + 1), uchar(qGreen(pixel)));
            QCOMPARE(byte(b, at + 3 * x + 2), uchar(qRed(pixel)));
        }
        QCOMPARE(byte(b, at + 15), uchar(0));
    }
}

void TestPictureBmp::greyFileByteByByte() {
    QImage image(5, 2, QImage::Format_Indexed8);
    image.setColorTable(greyPalette());
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 5; ++x)
            image.setPixel(x, y, uint(y * 100 + x * 10));
    for (int y = 0; y < 2; ++y)
        std::memset(image.scanLine(y) + 5, 0, 3);
    const QByteArray b = ours(image);
    const int row = 8; // 5 bytes padded to 4
    const int offset = 54 + 256 * 4;
    QCOMPARE(b.left(2), QByteArray("BM"));
    QCOMPARE(b.size(), offset + row * 2);
    QCOMPARE(u32(b, 2), quint32(b.size()));
    QCOMPARE(u32(b, 10), quint32(offset));
    QCOMPARE(u32(b, 14), 40u);
    QCOMPARE(i32(b, 18), 5);
    QCOMPARE(i32(b, 22), 2);
    QCOMPARE(u16(b, 28), quint16(8));
    QCOMPARE(u32(b, 46), 256u);
    for (int i = 0; i < 256; ++i) {
        QCOMPARE(byte(b, 54 + 4 * i), uchar(i));
        QCOMPARE(byte(b, 54 + 4 * i + 1), uchar(i));
        QCOMPARE(byte(b, 54 + 4 * i + 2), uchar(i));
        QCOMPARE(byte(b, 54 + 4 * i + 3), uchar(0));
    }
    // Bottom row (y = 1) first.
    QCOMPARE(b.mid(offset, row), QByteArray("\x64\x6e\x78\x82\x8c\0\0\0", 8));
    QCOMPARE(b.mid(offset + row, row), QByteArray("\x00\x0a\x14\x1e\x28\0\0\0", 8));
}

void TestPictureBmp::sameBytesAsQtWriter_data() {
    QTest::addColumn<QImage>("image");
    for (int width : {1, 2, 3, 4, 5, 7, 33}) {
        QTest::addRow("BGR888 width %d", width) << gradient(width, 3, QImage::Format_BGR888);
        QTest::addRow("RGB32 width %d", width) << gradient(width, 3, QImage::Format_RGB32);
        QTest::addRow("ARGB32 width %d", width) << gradient(width, 3, QImage::Format_ARGB32);
    }
    QImage dpi = gradient(6, 2, QImage::Format_BGR888);
    dpi.setDotsPerMeterX(11811);
    dpi.setDotsPerMeterY(5905);
    QTest::newRow("BGR888 with resolution") << dpi;
    QImage none = gradient(6, 2, QImage::Format_BGR888);
    none.setDotsPerMeterX(0);
    none.setDotsPerMeterY(0);
    QTest::newRow("BGR888 without resolution") << none;
}

void TestPictureBmp::sameBytesAsQtWriter() {
    QFETCH(QImage, image);
    const QByteArray b = ours(image);
    // A 32-bit picture keeps its depth; Qt's writer would give 24 bits.
    QCOMPARE(b, image.depth() == 32 ? TestPictureFiles::widenedTo32(qts(image)) : qts(image));
    QCOMPARE(QImage::fromData(b, "BMP").convertToFormat(QImage::Format_RGB32),
             image.convertToFormat(QImage::Format_RGB32));
}

void TestPictureBmp::dirtyRowPaddingIsNotWritten() {
    QImage image = gradient(5, 4, QImage::Format_BGR888);
    for (int y = 0; y < 4; ++y)
        image.scanLine(y)[15] = 0xAB;
    const QByteArray b = ours(image);
    for (int fileRow = 0; fileRow < 4; ++fileRow)
        QCOMPARE(byte(b, 54 + fileRow * 16 + 15), uchar(0));
}

void TestPictureBmp::saveReplacesWholeFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("image.bmp"));
    saveBmp(gradient(40, 30, QImage::Format_BGR888), path);
    const QImage small = gradient(3, 2, QImage::Format_BGR888);
    saveBmp(small, path);
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), ours(small));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("image.bmp")});
}

void TestPictureBmp::saveFailureNamesFileAndKeepsOld() {
    QTemporaryDir dir;
    // A folder that is a regular file fails for root too.
    const QString blocker = dir.filePath(QStringLiteral("notafolder"));
    QFile(blocker).open(QIODevice::WriteOnly);
    const QString below = blocker + QStringLiteral("/image.bmp");
    try {
        saveBmp(gradient(4, 4, QImage::Format_BGR888), below);
        QFAIL("no error");
    } catch (const AppError& error) {
        QVERIFY2(error.text().startsWith(QStringLiteral("Cannot write \"%1\"").arg(below)),
                 qPrintable(error.text()));
    }
    const QString path = dir.filePath(QStringLiteral("image.bmp"));
    const QImage old = gradient(3, 2, QImage::Format_BGR888);
    saveBmp(old, path);
    QVERIFY_THROWS_EXCEPTION(AppError, saveBmp(QImage(), path));
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), ours(old));
}

void TestPictureBmp::rowsWrittenWhileDecodingAsSaveBmp_data() {
    QTest::addColumn<QByteArray>("jpeg");
    for (const QSize size : {QSize(1, 1), QSize(5, 3), QSize(33, 40), QSize(601, 300)}) {
        const QImage colour = gradient(size.width(), size.height(), QImage::Format_RGB32);
        const QImage grey = colour.convertToFormat(QImage::Format_Grayscale8);
        QTest::addRow("colour %dx%d", size.width(), size.height())
            << TestPictureFiles::jpeg(colour);
        QTest::addRow("grey %dx%d", size.width(), size.height()) << TestPictureFiles::jpeg(grey);
        QTest::addRow("progressive colour %dx%d", size.width(), size.height())
            << TestPictureFiles::jpeg(colour, true);
        QTest::addRow("progressive grey %dx%d", size.width(), size.height())
            << TestPictureFiles::jpeg(grey, true);
    }
    QTest::newRow("CMYK 7x5") << TestPictureFiles::cmykJpeg(7, 5, 10, 120, 200, 30);
    // Written by Qt's JPEG plugin, which the Windows build leaves out.
    if (!QImageWriter::supportedImageFormats().contains("jpeg"))
        return;
    QImage dpi = gradient(9, 4, QImage::Format_RGB32);
    dpi.setDotsPerMeterX(11811);
    dpi.setDotsPerMeterY(5906);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, "jpeg").write(dpi);
    QTest::newRow("with resolution") << buffer.data();
}

void TestPictureBmp::rowsWrittenWhileDecodingAsSaveBmp() {
    QFETCH(QByteArray, jpeg);
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("p.jpg"));
    TestPictureFiles::write(source, jpeg);
    const QImage decoded = loadJpeg(source);
    const QString expected = dir.filePath(QStringLiteral("expected.bmp"));
    saveBmp(decoded, expected);
    const QString path = dir.filePath(QStringLiteral("image.bmp"));

    QSize asked;
    JpegWithBmp loaded = loadJpegWritingBmp(source, path, [&asked](QSize size) {
        asked = size;
        return true;
    });
    QCOMPARE(asked, decoded.size());
    QCOMPARE(loaded.picture, decoded);
    QCOMPARE(loaded.picture.dotsPerMeterX(), decoded.dotsPerMeterX());
    QVERIFY(loaded.bmp);
    QVERIFY(!QFile::exists(path)); // in place only once committed
    loaded.bmp->commit();
    QCOMPARE(contentOf(path), contentOf(expected));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 3);

    QVERIFY(!loadJpegWritingBmp(source, path, [](QSize) { return false; }).bmp);
}

void TestPictureBmp::failedDecodingWhileWritingKeepsOld() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("image.bmp"));
    saveBmp(gradient(3, 2, QImage::Format_BGR888), path);
    const QByteArray old = contentOf(path);
    // Cut in the middle of the picture data: the rows above the cut are decoded and written.
    const QString source = dir.filePath(QStringLiteral("cut.jpg"));
    const QByteArray whole = TestPictureFiles::jpeg(gradient(640, 480, QImage::Format_RGB32));
    TestPictureFiles::write(source, whole.left(whole.size() * 3 / 5));
    QString expected;
    try {
        loadJpeg(source);
    } catch (const AppError& error) {
        expected = error.text();
    }
    QVERIFY(expected.startsWith(QLatin1String("JPEG error #")));
    try {
        loadJpegWritingBmp(source, path, [](QSize) { return true; });
        QFAIL("no error");
    } catch (const AppError& error) {
        QCOMPARE(error.text(), expected);
    }
    QCOMPARE(contentOf(path), old);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files),
             (QStringList{QStringLiteral("cut.jpg"), QStringLiteral("image.bmp")}));

    // A folder that cannot be written: the picture still decodes; committing names the file.
    const QString blocker = dir.filePath(QStringLiteral("notafolder"));
    TestPictureFiles::write(blocker, "x");
    const QString below = blocker + QStringLiteral("/image.bmp");
    TestPictureFiles::write(source, whole);
    JpegWithBmp loaded = loadJpegWritingBmp(source, below, [](QSize) { return true; });
    QCOMPARE(loaded.picture.size(), QSize(640, 480));
    try {
        loaded.bmp->commit();
        QFAIL("no error");
    } catch (const AppError& error) {
        QVERIFY2(error.text().startsWith(QStringLiteral("Cannot write \"%1\": ").arg(below)),
                 qPrintable(error.text()));
    }
}

QTEST_GUILESS_MAIN(TestPictureBmp)
#include "TestPictureBmp.moc"
