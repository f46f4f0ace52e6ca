#include "TestPictureFiles.h"

#include "app/platform/Errors.h"
#include "wallpaper/AreaScale.h"
#include "wallpaper/PictureLoader.h"
#include "wallpaper/PictureMemory.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <cstring>
#include <random>

#include <sys/stat.h>
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
    void keptMemoryHoldsNothingOfTheLastPicture();
    void refusals_data();
    void refusals();
    void unopenableFile();
    void lockedFile();
    void bmpKeepsItsDepth();
    void topDownBmpLoads();
    void damagedFilesLoadOrFailCleanly();
    void previewDecodesOnlyWhatItShows_data();
    void previewDecodesOnlyWhatItShows();

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

// A large picture decoded into the memory the last one left holds none of its bytes, padding
// included; the memory goes back when keeping ends.
void TestPictureLoader::keptMemoryHoldsNothingOfTheLastPicture() {
    const QString odd = file(QStringLiteral("odd.jpg"), jpeg(quadrants(1999, 900)));
    const QImage fresh = loadJpeg(odd);
    keepSpareBlock(true);
    {
        QImage last = loadJpeg(file(QStringLiteral("wide.jpg"), jpeg(quadrants(2400, 800))));
        last.fill(qRgb(255, 255, 255));
    }
    const size_t kept = spareBlockBytes();
    QCOMPARE(kept, size_t(2400 * 3 * 800));
    {
        const QImage next = loadJpeg(odd);
        QCOMPARE(spareBlockBytes(), size_t(0)); // taken, not mapped anew
        QCOMPARE(next.bytesPerLine(), fresh.bytesPerLine());
        QVERIFY(std::memcmp(next.constBits(), fresh.constBits(), size_t(fresh.sizeInBytes())) == 0);
    }
    QCOMPARE(spareBlockBytes(), kept);
    keepSpareBlock(false);
    QCOMPARE(spareBlockBytes(), size_t(0));
}

// Every file either loader refuses, with the start of its message. Each message ends with the
// file's whole path on a line of its own. A row that would block or fill the memory fails by
// hanging or aborting the test.
void TestPictureLoader::refusals_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind"); // what stands at the path: a file of `bytes`, or a special
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("error");
    const QString file = QStringLiteral("file");
    const QByteArray good = jpeg(quadrants(64, 64));
    QTest::newRow("jpeg truncated")
        << "bad.jpg" << file << good.left(good.size() / 2) << jpegError(JWRN_JPEG_EOF);
    QTest::newRow("jpeg cut in header")
        << "bad.jpg" << file << good.left(30) << jpegError(JWRN_JPEG_EOF);
    QTest::newRow("jpeg text") << "bad.jpg" << file << QByteArray("just some words\n")
                               << jpegError(JERR_NO_SOI);
    QTest::newRow("jpeg bmp content")
        << "bad.jpg" << file << bmp(2, 2, 24, QByteArray(16, '\0')) << jpegError(JERR_NO_SOI);
    QTest::newRow("jpeg empty") << "bad.jpg" << file << QByteArray()
                                << QStringLiteral("Cannot load \"%1\": the file is empty");
    QTest::newRow("jpeg 60000x60000")
        << "bad.jpg" << file << withDeclaredSize(good, 60000, 60000)
        << QStringLiteral("Cannot load \"%1\": the picture is 60000 x 60000 pixels, larger than "
                          "the 1024 MiB");
    // 18919 x 18919 x 3 bytes is just over 1 GiB.
    QTest::newRow("jpeg just over 1 GiB")
        << "bad.jpg" << file << withDeclaredSize(good, 18919, 18919)
        << QStringLiteral("Cannot load \"%1\": the picture is 18919 x 18919");
    // The data ends at its end-of-image marker long before 4000 rows.
    QTest::newRow("jpeg declared larger than its data")
        << "bad.jpg" << file << withDeclaredSize(good, 4000, 4000) << jpegError(JWRN_HIT_MARKER);
    // Repeated scans cost no bytes but a pass over the picture each.
    const QString tooManyScans = QStringLiteral("JPEG error: too many scans");
    QTest::newRow("jpeg 300 scans")
        << "bomb.jpg" << file << withRepeatedLastScan(jpeg(quadrants(64, 64), true), 300)
        << tooManyScans;
    QImage flat(4096, 4096, QImage::Format_Grayscale8);
    flat.fill(128);
    QTest::newRow("jpeg 200 scans of a large picture")
        << "bomb.jpg" << file << withRepeatedLastScan(jpeg(flat, true), 200) << tooManyScans;

    QTest::newRow("bmp jpeg content") << "bad.bmp" << file << jpeg(quadrants(8, 8))
                                      << QStringLiteral("Cannot load \"%1\": not a readable BMP");
    QTest::newRow("bmp text") << "bad.bmp" << file << QByteArray("BM but nothing else")
                              << QStringLiteral("Cannot load \"%1\": not a readable BMP");
    QByteArray corrupt = bmp(4, 4, 24, QByteArray(48, '\x10'));
    corrupt[14] = 3; // header size 3: no such header
    QTest::newRow("bmp corrupt header")
        << "bad.bmp" << file << corrupt << QStringLiteral("Cannot load \"%1\": not a readable BMP");
    QTest::newRow("bmp short pixels")
        << "bad.bmp" << file << bmp(100, 100, 24, QByteArray(10, '\0'))
        << QStringLiteral("Cannot load \"%1\": the file is cut short (64 of 30054 bytes)");
    const QString tooLarge = QStringLiteral("Cannot load \"%1\": the picture is");
    QTest::newRow("bmp 60000x60000")
        << "bad.bmp" << file << bmp(60000, 60000, 24, QByteArray(16, '\0'))
        << QStringLiteral("Cannot load \"%1\": the picture is 60000 x 60000 pixels, larger than");
    QTest::newRow("bmp top-down 60000x60000")
        << "bad.bmp" << file << bmp(60000, -60000, 24, QByteArray(16, '\0')) << tooLarge;
    // Sizes whose products overflow 64 bits when multiplied naively.
    QTest::newRow("bmp INT32_MIN x INT32_MIN")
        << "bad.bmp" << file << bmp(INT32_MIN, INT32_MIN, 32, QByteArray(16, '\0')) << tooLarge;
    QTest::newRow("bmp INT32_MAX x INT32_MAX at 64 bits")
        << "bad.bmp" << file << bmp(INT32_MAX, INT32_MAX, 64, QByteArray(16, '\0')) << tooLarge;
    QTest::newRow("bmp INT32_MIN x 1 at 65535 bits")
        << "bad.bmp" << file << bmp(INT32_MIN, 1, 65535, QByteArray(16, '\0')) << tooLarge;
    QTest::newRow("bmp empty") << "bad.bmp" << file << QByteArray()
                               << QStringLiteral("Cannot load \"%1\": the file is empty");

#ifdef Q_OS_UNIX
    // Not a regular file, also behind a link: refused at once, never read. (Windows has no
    // named pipes or devices among files, and its links are shortcut files.)
    for (const char* name : {"x.jpg", "x.bmp"}) {
        const QString n = QLatin1String(name);
        QTest::newRow(qPrintable(n + QStringLiteral(" named pipe")))
            << n << QStringLiteral("fifo") << QByteArray()
            << QStringLiteral("Cannot open \"%1\": it is a named pipe, not a regular file.");
        QTest::newRow(qPrintable(n + QStringLiteral(" link to /dev/zero")))
            << n << QStringLiteral("/dev/zero") << QByteArray()
            << QStringLiteral("Cannot open \"%1\": it is a device, not a regular file.");
        QTest::newRow(qPrintable(n + QStringLiteral(" link to a folder")))
            << n << QStringLiteral("/") << QByteArray()
            << QStringLiteral("Cannot open \"%1\": it is a folder, not a regular file.");
        QTest::newRow(qPrintable(n + QStringLiteral(" dangling link")))
            << n << QStringLiteral("/nonexistent/x") << QByteArray()
            << QStringLiteral("Cannot open \"%1\": No such file or directory");
    }
#endif
}

void TestPictureLoader::refusals() {
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, error);
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    if (kind == QLatin1String("file"))
        write(path, bytes);
#ifdef Q_OS_UNIX
    else if (kind == QLatin1String("fifo"))
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
#endif
    else
        QVERIFY(QFile::link(kind, path));
    const QString text = failureOf(
        [&] { return name.endsWith(QLatin1String(".jpg")) ? loadJpeg(path) : loadBmp(path); });
    const QStringList lines = text.split(u'\n');
    const QString expected = error.contains(QLatin1String("%1")) ? error.arg(path) : error;
    QVERIFY2(lines.first().startsWith(expected), qPrintable(text));
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines.last(), path);
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

// Something like a photograph: smooth colour with fine detail.
QImage photoLike(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y,
                           qRgb(x * 255 / width, y * 255 / height,
                                int(128 + 90 * std::sin(x / 9.0) * std::cos(y / 7.0))));
    return image;
}

void TestPictureLoader::previewDecodesOnlyWhatItShows_data() {
    QTest::addColumn<QString>("kind"); // "jpeg", "progressive", "grey", "bmp"
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QSize>("area");
    QTest::addColumn<QSize>("decoded"); // the smallest size in eighths covering the fitted area
    QTest::newRow("quarter") << "jpeg" << QSize(1600, 1200) << QSize(400, 300) << QSize(400, 300);
    QTest::newRow("between eighths")
        << "jpeg" << QSize(1000, 700) << QSize(300, 300) << QSize(375, 263);
    QTest::newRow("tall") << "progressive" << QSize(600, 1400) << QSize(500, 200)
                          << QSize(150, 350);
    QTest::newRow("grey") << "grey" << QSize(1200, 800) << QSize(150, 150) << QSize(150, 100);
    QTest::newRow("fits") << "jpeg" << QSize(320, 200) << QSize(400, 300) << QSize(320, 200);
    QTest::newRow("bmp") << "bmp" << QSize(900, 600) << QSize(300, 300) << QSize(300, 200);
}

// The preview's decode against the whole picture reduced to the same size: the same picture,
// up to the rounding of the two ways.
void TestPictureLoader::previewDecodesOnlyWhatItShows() {
    QFETCH(QString, kind);
    QFETCH(QSize, picture);
    QFETCH(QSize, area);
    QFETCH(QSize, decoded);
    QImage source = photoLike(picture.width(), picture.height());
    if (kind == QLatin1String("grey"))
        source = source.convertToFormat(QImage::Format_Grayscale8);
    const bool isJpeg = kind != QLatin1String("bmp");
    QByteArray bytes;
    if (isJpeg) {
        bytes = jpeg(source, kind == QLatin1String("progressive"));
    } else {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        source.save(&buffer, "BMP");
    }
    const QString path = file(isJpeg ? QStringLiteral("v.jpg") : QStringLiteral("v.bmp"), bytes);
    const PreviewPicture preview = loadPreview(path, isJpeg, area);
    QCOMPARE(preview.fullSize, picture);
    QCOMPARE(preview.image.size(), decoded);
    QCOMPARE(isGreyIndexed(preview.image), kind == QLatin1String("grey"));

    const QImage whole = isJpeg ? loadJpeg(path) : loadBmp(path);
    QImage reference = decoded == picture ? whole : areaScaled(whole, decoded);
    QVERIFY(!reference.isNull());
    reference = reference.convertToFormat(QImage::Format_RGB32);
    const QImage shown = preview.image.convertToFormat(QImage::Format_RGB32);
    qint64 total = 0;
    int worst = 0;
    for (int y = 0; y < decoded.height(); ++y)
        for (int x = 0; x < decoded.width(); ++x) {
            const QRgb a = shown.pixel(x, y);
            const QRgb b = reference.pixel(x, y);
            for (const int d : {qAbs(qRed(a) - qRed(b)), qAbs(qGreen(a) - qGreen(b)),
                                qAbs(qBlue(a) - qBlue(b))}) {
                total += d;
                worst = qMax(worst, d);
            }
        }
    const double mean = double(total) / (3.0 * decoded.width() * decoded.height());
    QVERIFY2(mean <= 2.0, qPrintable(QString::number(mean)));
    QVERIFY2(worst <= 48, qPrintable(QString::number(worst)));
}

QTEST_GUILESS_MAIN(TestPictureLoader)
#include "TestPictureLoader.moc"
