#include "TestPictureFiles.h"

#include "app/platform/Errors.h"
#include "wallpaper/PictureLoader.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <random>

#include <unistd.h>

#include <jpeglib.h>

#include <jerror.h>

using namespace TestPictureFiles;

namespace {

bool near(QRgb actual, QRgb expected, int tolerance = 12) {
    return qAbs(qRed(actual) - qRed(expected)) <= tolerance &&
           qAbs(qGreen(actual) - qGreen(expected)) <= tolerance &&
           qAbs(qBlue(actual) - qBlue(expected)) <= tolerance;
}

QString failureOf(const std::function<QImage()>& load) {
    try {
        load();
    } catch (const AppError& error) {
        return error.text();
    }
    return QStringLiteral("<no error>");
}

QString jpegError(int code) {
    return QStringLiteral("JPEG error #%1").arg(code);
}

} // namespace

class TestPictureLoader : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void colourJpegIs24BitWithItsColours_data();
    void colourJpegIs24BitWithItsColours();
    void greyJpegIs8BitWithGreyPalette();
    void cmykJpegIsConverted();
    void rowPaddingIsZero();
    void badJpeg_data();
    void badJpeg();
    void unopenableFile();
    void lockedFile();
    void bmpKeepsItsDepth();
    void topDownBmpLoads();
    void badBmp_data();
    void badBmp();
    void damagedFilesLoadOrFailCleanly();

private:
    QTemporaryDir m_dir;
    QString file(const QString& name, const QByteArray& bytes) {
        const QString path = m_dir.filePath(name);
        write(path, bytes);
        return path;
    }
};

void TestPictureLoader::colourJpegIs24BitWithItsColours_data() {
    QTest::addColumn<bool>("progressive");
    QTest::newRow("baseline") << false;
    QTest::newRow("progressive") << true;
}

void TestPictureLoader::colourJpegIs24BitWithItsColours() {
    QFETCH(bool, progressive);
    const QString path = file(QStringLiteral("q.jpg"), jpeg(quadrants(64, 48), progressive));
    const QImage image = loadJpeg(path);
    QCOMPARE(image.format(), QImage::Format_BGR888);
    QCOMPARE(image.depth(), 24);
    QCOMPARE(image.size(), QSize(64, 48));
    QVERIFY(near(image.pixel(8, 6), qRgb(255, 0, 0)));
    QVERIFY(near(image.pixel(56, 6), qRgb(0, 255, 0)));
    QVERIFY(near(image.pixel(8, 42), qRgb(0, 0, 255)));
    QVERIFY(near(image.pixel(56, 42), qRgb(255, 255, 255)));
}

void TestPictureLoader::greyJpegIs8BitWithGreyPalette() {
    QImage grey(40, 30, QImage::Format_Grayscale8);
    for (int y = 0; y < 30; ++y)
        std::memset(grey.scanLine(y), y < 15 ? 40 : 200, 40);
    const QImage image = loadJpeg(file(QStringLiteral("g.jpg"), jpeg(grey)));
    QCOMPARE(image.format(), QImage::Format_Indexed8);
    QCOMPARE(image.colorCount(), 256);
    QVERIFY(isGreyIndexed(image));
    QVERIFY(qAbs(image.pixelIndex(20, 5) - 40) <= 3);
    QVERIFY(qAbs(image.pixelIndex(20, 25) - 200) <= 3);
}

void TestPictureLoader::cmykJpegIsConverted() {
    // Magenta and yellow ink make red; half black halves it.
    const QImage red = loadJpeg(file(QStringLiteral("c.jpg"), cmykJpeg(16, 16, 0, 255, 255, 0)));
    QCOMPARE(red.format(), QImage::Format_BGR888);
    QVERIFY(near(red.pixel(8, 8), qRgb(255, 0, 0), 4));
    const QImage dark = loadJpeg(file(QStringLiteral("k.jpg"), cmykJpeg(16, 16, 0, 0, 0, 128)));
    QVERIFY(near(dark.pixel(8, 8), qRgb(127, 127, 127), 4));
}

void TestPictureLoader::rowPaddingIsZero() {
    // Widths whose rows do not fill four-byte groups, in colour (3 bytes) and grey (1 byte).
    for (int width : {1, 2, 3, 5, 7}) {
        QImage colour = quadrants(width, 9);
        colour.fill(qRgb(255, 255, 255));
        const QImage c = loadJpeg(file(QStringLiteral("p.jpg"), jpeg(colour)));
        QImage grey(width, 9, QImage::Format_Grayscale8);
        grey.fill(255);
        const QImage g = loadJpeg(file(QStringLiteral("pg.jpg"), jpeg(grey)));
        for (const QImage& image : {c, g}) {
            const qsizetype used = qsizetype(width) * (image.depth() / 8);
            for (int y = 0; y < image.height(); ++y)
                for (qsizetype i = used; i < image.bytesPerLine(); ++i)
                    QCOMPARE(int(image.constScanLine(y)[i]), 0);
        }
    }
}

void TestPictureLoader::badJpeg_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("error");
    const QByteArray good = jpeg(quadrants(64, 64));
    QTest::newRow("truncated") << good.left(good.size() / 2) << jpegError(JWRN_JPEG_EOF);
    QTest::newRow("cut in header") << good.left(30) << jpegError(JWRN_JPEG_EOF);
    QTest::newRow("text") << QByteArray("just some words\n") << jpegError(JERR_NO_SOI);
    QTest::newRow("bmp content") << bmp(2, 2, 24, QByteArray(16, '\0')) << jpegError(JERR_NO_SOI);
    QTest::newRow("empty") << QByteArray() << QStringLiteral("the file is empty");
    QTest::newRow("60000x60000") << withDeclaredSize(good, 60000, 60000)
                                 << QStringLiteral("60000 x 60000 pixels, larger than the 1024 "
                                                   "MiB");
    // 18919 x 18919 x 3 bytes is just over 1 GiB.
    QTest::newRow("just over 1 GiB")
        << withDeclaredSize(good, 18919, 18919) << QStringLiteral("larger than");
    // The data ends at its end-of-image marker long before 4000 rows.
    QTest::newRow("declared larger than its data")
        << withDeclaredSize(good, 4000, 4000) << jpegError(JWRN_HIT_MARKER);
}

void TestPictureLoader::badJpeg() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, error);
    const QString path = file(QStringLiteral("bad.jpg"), bytes);
    const QString text = failureOf([&] { return loadJpeg(path); });
    QVERIFY2(text.contains(error), qPrintable(text));
    if (!error.startsWith(QLatin1String("JPEG error")))
        QVERIFY2(text.contains(path), qPrintable(text));
}

void TestPictureLoader::unopenableFile() {
    const QString missing = m_dir.filePath(QStringLiteral("missing.jpg"));
    QString text = failureOf([&] { return loadJpeg(missing); });
    QVERIFY2(text.startsWith(QStringLiteral("Cannot open \"%1\"").arg(missing)), qPrintable(text));
    text = failureOf([&] { return loadBmp(m_dir.filePath(QStringLiteral("missing.bmp"))); });
    QVERIFY2(text.startsWith(QLatin1String("Cannot open")), qPrintable(text));
    // A folder named like a picture cannot be opened as a file, not even by root.
    const QString folder = m_dir.filePath(QStringLiteral("folder.jpg"));
    QVERIFY(QDir().mkpath(folder));
    text = failureOf([&] { return loadJpeg(folder); });
    QVERIFY2(text.startsWith(QStringLiteral("Cannot open \"%1\"").arg(folder)), qPrintable(text));
}

void TestPictureLoader::lockedFile() {
    const QString locked = file(QStringLiteral("locked.jpg"), jpeg(quadrants(8, 8)));
    QFile::setPermissions(locked, QFileDevice::Permissions());
    if (::access(QFile::encodeName(locked).constData(), R_OK) == 0)
        QSKIP("running as root: file permissions do not block reading");
    const QString text = failureOf([&] { return loadJpeg(locked); });
    QVERIFY2(text.startsWith(QStringLiteral("Cannot open \"%1\"").arg(locked)), qPrintable(text));
}

void TestPictureLoader::bmpKeepsItsDepth() {
    const QString colour = m_dir.filePath(QStringLiteral("c.bmp"));
    QVERIFY(quadrants(10, 6).save(colour, "BMP"));
    const QImage c = loadBmp(colour);
    QCOMPARE(c.size(), QSize(10, 6));
    QCOMPARE(c.pixel(0, 0), qRgb(255, 0, 0));
    QCOMPARE(c.pixel(9, 5), qRgb(255, 255, 255));

    QImage indexed(10, 6, QImage::Format_Indexed8);
    indexed.setColorTable(greyPalette());
    indexed.fill(77);
    const QString palette = m_dir.filePath(QStringLiteral("p.bmp"));
    QVERIFY(indexed.save(palette, "BMP"));
    const QImage p = loadBmp(palette);
    QCOMPARE(p.format(), QImage::Format_Indexed8);
    QVERIFY(isGreyIndexed(p));
    QCOMPARE(p.pixelIndex(3, 3), 77);
}

void TestPictureLoader::topDownBmpLoads() {
    // Two rows of one pixel each, top row first: red above blue.
    QByteArray rows;
    rows.append("\x00\x00\xff\x00", 4).append("\xff\x00\x00\x00", 4);
    const QImage image = loadBmp(file(QStringLiteral("td.bmp"), bmp(1, -2, 24, rows)));
    QCOMPARE(image.size(), QSize(1, 2));
    QCOMPARE(image.pixel(0, 0), qRgb(255, 0, 0));
    QCOMPARE(image.pixel(0, 1), qRgb(0, 0, 255));
}

void TestPictureLoader::badBmp_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("error");
    QTest::newRow("jpeg content") << jpeg(quadrants(8, 8)) << QStringLiteral("not a readable BMP");
    QTest::newRow("text") << QByteArray("BM but nothing else")
                          << QStringLiteral("not a readable BMP");
    QByteArray corrupt = bmp(4, 4, 24, QByteArray(48, '\x10'));
    corrupt[14] = 3; // header size 3: no such header
    QTest::newRow("corrupt header") << corrupt << QStringLiteral("not a readable BMP");
    QTest::newRow("short pixels") << bmp(100, 100, 24, QByteArray(10, '\0'))
                                  << QStringLiteral("cut short (64 of 30054 bytes)");
    QTest::newRow("60000x60000") << bmp(60000, 60000, 24, QByteArray(16, '\0'))
                                 << QStringLiteral("60000 x 60000 pixels, larger than");
    QTest::newRow("top-down 60000x60000")
        << bmp(60000, -60000, 24, QByteArray(16, '\0')) << QStringLiteral("larger than");
    QTest::newRow("empty") << QByteArray() << QStringLiteral("the file is empty");
}

void TestPictureLoader::badBmp() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, error);
    const QString path = file(QStringLiteral("bad.bmp"), bytes);
    const QString text = failureOf([&] { return loadBmp(path); });
    QVERIFY2(text.contains(error), qPrintable(text));
    QVERIFY2(text.contains(path), qPrintable(text));
}

// Random damage to valid files: each either loads or gives an AppError (and, under the
// sanitizers, touches no memory it should not).
void TestPictureLoader::damagedFilesLoadOrFailCleanly() {
    QImage source = quadrants(40, 24);
    QByteArray bmpBytes;
    {
        QBuffer buffer(&bmpBytes);
        buffer.open(QIODevice::WriteOnly);
        QVERIFY(source.convertToFormat(QImage::Format_Indexed8).save(&buffer, "BMP"));
    }
    const QList<QByteArray> originals = {jpeg(source), jpeg(source, true),
                                         jpeg(source.convertToFormat(QImage::Format_Grayscale8)),
                                         bmpBytes};
    std::mt19937 random(7);
    int failures = 0;
    for (int round = 0; round < 400; ++round) {
        const qsizetype which = qsizetype(round % originals.size());
        QByteArray bytes = originals[which];
        const int damage = 1 + int(random() % 8);
        for (int i = 0; i < damage; ++i)
            bytes[qsizetype(random() % quint32(bytes.size()))] = char(random());
        if (random() % 4 == 0)
            bytes.truncate(qsizetype(random() % quint32(bytes.size())));
        const bool isBmp = which == originals.size() - 1;
        const QString path = file(isBmp ? QStringLiteral("d.bmp") : QStringLiteral("d.jpg"), bytes);
        try {
            const QImage image = isBmp ? loadBmp(path) : loadJpeg(path);
            QVERIFY(!image.isNull());
        } catch (const AppError& error) {
            QVERIFY(!error.text().isEmpty());
            ++failures;
        }
    }
    QVERIFY(failures > 0); // the damage did reach the decoders
}

QTEST_GUILESS_MAIN(TestPictureLoader)
#include "TestPictureLoader.moc"
