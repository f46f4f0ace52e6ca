// ApplyImage and the placement commands of the main window, against the fake platform.
#include "../wallpaper/TestPictureFiles.h"

#include "app/Picture1.h"
#include "app/PreviewImage.h"
#include "app/platform/Errors.h"
#include "app/platform/Registry.h"
#include "fakes/FakePlatform.h"
#include "fakes/FakeUserDialogs.h"
#include "wallpaper/BmpFile.h"
#include "wallpaper/PictureLoader.h"
#include "wallpaper/PictureMemory.h"
#include "wallpaper/PlacementRule.h"

#include <QAction>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <QLabel>
#include <QStandardPaths>
#include <QTest>
#include <QtEndian>

#include <memory>

namespace {

const QString Desktop = RegistryKeys::Desktop;
const QString Style = QStringLiteral("WallpaperStyle");
const QString Tile = QStringLiteral("TileWallpaper");
const QString Wallpaper = QStringLiteral("Wallpaper");

QByteArray bmpBytes(const QImage& image) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    writeBmp(image, buffer);
    return buffer.data();
}

// Width, height and bits per pixel from a BMP file's info header.
struct BmpFacts {
    qint32 width = 0;
    qint32 height = 0;
    quint16 bits = 0;
    bool operator==(const BmpFacts&) const = default;
};
BmpFacts factsOf(const QByteArray& bmp) {
    if (bmp.size() < 54 || !bmp.startsWith("BM"))
        return {};
    return {qFromLittleEndian<qint32>(bmp.constData() + 18),
            qFromLittleEndian<qint32>(bmp.constData() + 22),
            qFromLittleEndian<quint16>(bmp.constData() + 28)};
}

// The program over the fake platform (screen 1024 x 768) with a list of pictures in a
// temporary folder.
struct Rig {
    explicit Rig(const QStringList& listNames = {}) {
        QByteArray db;
        for (const QString& name : listNames) {
            const QString path = bmpPicture(name, QSize(11, 6));
            list << path;
            db += path.toUtf8() + "\r\n";
        }
        if (!db.isEmpty())
            platform.writeImagesDb(db);
        form = std::make_unique<TForm1>(platform, dialogs);
    }

    QString path(const QString& name) const { return pictures.filePath(name); }
    QString file(const QString& name, const QByteArray& bytes) {
        const QString p = path(name);
        QDir().mkpath(QFileInfo(p).path());
        TestPictureFiles::write(p, bytes);
        return p;
    }
    QString bmpPicture(const QString& name, QSize size) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(QColor(200, 60, 20));
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "BMP");
        return file(name, buffer.data());
    }
    QString jpegPicture(const QString& name, QSize size) {
        return file(
            name, TestPictureFiles::jpeg(TestPictureFiles::quadrants(size.width(), size.height())));
    }
    bool desktopValuesWritten() const {
        return platform.store.valueExists(Desktop, Style) ||
               platform.store.valueExists(Desktop, Tile) ||
               platform.store.valueExists(Desktop, Wallpaper);
    }
    QString value(const QString& name) const { return platform.store.readString(Desktop, name); }

    struct Display {
        QString caption, hint, type, resolution;
        QImage preview, shown;
        bool operator==(const Display&) const = default;
    };
    Display display() const {
        return {form->windowTitle(),  form->Image1->toolTip(), form->Label5->text(),
                form->Label7->text(), form->preview,           form->Image1->image()};
    }

    QTemporaryDir pictures;
    FakePlatform platform;
    FakeUserDialogs dialogs;
    QStringList list;
    std::unique_ptr<TForm1> form;
};

QString errorText(const std::function<void()>& command) {
    try {
        command();
    } catch (const AppError& error) {
        return error.text();
    }
    return QStringLiteral("<no error>");
}

} // namespace

class TestWallpaperCommands : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void applyImageDisplays_data();
    void applyImageDisplays();
    void captionCountsTheList();
    void failedLoadKeepsDisplay_data();
    void failedLoadKeepsDisplay();
    void failedLoadFromACommandIsShown();
    void setAsWallpaperWritesValuesThenFileThenTellsDesktop_data();
    void setAsWallpaperWritesValuesThenFileThenTellsDesktop();
    void unknownWordAbortsBeforeAnyEffect_data();
    void unknownWordAbortsBeforeAnyEffect();
    void determinePos_data();
    void determinePos();
    void tiledAfterDetermineTilesTheRescaledCopy();
    void greyJpegStays8Bit();
    void imageBmpAsThePreviousWriter_data();
    void imageBmpAsThePreviousWriter();
    void noPictureIsRefusedBeforeAnyEffect();
    void unwritableDataFolder();
    void pictureMemoryKeptOnlyWhileRotatingFast();
};

void TestWallpaperCommands::applyImageDisplays_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind"); // content written: "jpeg" or "bmp"
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("resolution");
    const QString jpeg = QStringLiteral("JPEG"), bitmap = QStringLiteral("Bitmap");
    const QString j = QStringLiteral("jpeg"), b = QStringLiteral("bmp");
    const QString own = QStringLiteral("32 x 24"), previous = QStringLiteral("11 x 6");
    QTest::newRow(".jpg") << "photo.jpg" << j << jpeg << own;
    QTest::newRow(".JPG") << "photo.JPG" << j << jpeg << own;
    QTest::newRow(".jpeg") << "photo.jpeg" << j << jpeg << own;
    QTest::newRow(".JPEG") << "photo.JPEG" << j << jpeg << own;
    QTest::newRow("several dots") << "a.b.jpeg" << j << jpeg << own;
    QTest::newRow(".bmp") << "pic.bmp" << b << bitmap << own;
    QTest::newRow(".BMP") << "pic.BMP" << b << bitmap << own;
    // Mixed case and other extensions load nothing: the previous picture stays.
    QTest::newRow(".Jpg") << "photo.Jpg" << j << QString() << previous;
    QTest::newRow(".jpE") << "photo.jpE" << j << QString() << previous;
    QTest::newRow(".Bmp") << "pic.Bmp" << b << QString() << previous;
    QTest::newRow(".png") << "pic.png" << b << QString() << previous;
    QTest::newRow("no extension") << "picture" << b << QString() << previous;
    QTest::newRow("dot only in folder") << "set.jpg/picture" << j << QString() << previous;
}

void TestWallpaperCommands::applyImageDisplays() {
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(QString, type);
    QFETCH(QString, resolution);
    Rig rig({QStringLiteral("first.bmp"), QStringLiteral("second.bmp")});
    const QString path = kind == QLatin1String("jpeg") ? rig.jpegPicture(name, QSize(32, 24))
                                                       : rig.bmpPicture(name, QSize(32, 24));
    rig.form->ApplyImage(path);
    const QString fileName = name.mid(name.lastIndexOf(u'/') + 1);
    QCOMPARE(rig.form->windowTitle(), QStringLiteral("Tessary - %1 (0/2)").arg(fileName));
    QCOMPARE(rig.form->Image1->toolTip(), fileName);
    QCOMPARE(rig.form->Label5->text(), type);
    QCOMPARE(rig.form->Label7->text(), resolution);
    QCOMPARE(rig.form->Image1->image(), rig.form->preview);
    if (!type.isEmpty())
        QCOMPARE(rig.form->preview.depth(), 24);
}

void TestWallpaperCommands::captionCountsTheList() {
    Rig rig({QStringLiteral("a.bmp"), QStringLiteral("b.bmp"), QStringLiteral("c.bmp")});
    rig.form->ApplyImage(rig.list[1]);
    QCOMPARE(rig.form->windowTitle(), QStringLiteral("Tessary - b.bmp (2/3)"));
    QCOMPARE(rig.form->Label7->text(), QStringLiteral("11 x 6"));

    Rig empty;
    QCOMPARE(empty.form->Label7->text(), QString());
    empty.form->ApplyImage(empty.bmpPicture(QStringLiteral("x.bmp"), QSize(3, 2)));
    QCOMPARE(empty.form->windowTitle(), QStringLiteral("Tessary - x.bmp (0/0)"));
    Rig none;
    none.form->ApplyImage(none.path(QStringLiteral("x.gif")));
    QCOMPARE(none.form->Label7->text(), QStringLiteral("0 x 0"));
}

void TestWallpaperCommands::failedLoadKeepsDisplay_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("error");
    const QByteArray good = TestPictureFiles::jpeg(TestPictureFiles::quadrants(64, 48));
    QTest::newRow("truncated JPEG")
        << "t.jpg" << good.left(good.size() / 2) << QStringLiteral("JPEG error #");
    QTest::newRow("zero bytes") << "z.jpg" << QByteArray() << QStringLiteral("the file is empty");
    QTest::newRow("text named .jpg")
        << "text.jpg" << QByteArray("hello\n") << QStringLiteral("JPEG error #");
    QTest::newRow("JPEG named .bmp") << "j.bmp" << good << QStringLiteral("not a readable BMP");
    QByteArray corrupt = TestPictureFiles::bmp(4, 4, 24, QByteArray(48, '\x10'));
    corrupt[14] = 3;
    QTest::newRow("corrupt BMP header")
        << "c.bmp" << corrupt << QStringLiteral("not a readable BMP");
    QTest::newRow("JPEG claiming 60000x60000")
        << "huge.jpg" << TestPictureFiles::withDeclaredSize(good, 60000, 60000)
        << QStringLiteral("larger than");
    QTest::newRow("BMP claiming 60000x60000")
        << "huge.bmp" << TestPictureFiles::bmp(60000, 60000, 24, QByteArray(64, '\0'))
        << QStringLiteral("larger than");
}

void TestWallpaperCommands::failedLoadKeepsDisplay() {
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, error);
    Rig rig({QStringLiteral("first.bmp")});
    rig.form->ApplyImage(rig.jpegPicture(QStringLiteral("good.jpg"), QSize(32, 24)));
    const Rig::Display before = rig.display();
    QVERIFY(!before.preview.isNull());
    const QString bad = rig.file(name, bytes);
    const QString text = errorText([&] { rig.form->ApplyImage(bad); });
    QVERIFY2(text.contains(error), qPrintable(text));
    QVERIFY(rig.display() == before);
}

void TestWallpaperCommands::failedLoadFromACommandIsShown() {
    Rig rig({QStringLiteral("first.bmp")});
    const Rig::Display before = rig.display();
    const QString missing = rig.path(QStringLiteral("gone.jpg"));
    rig.form->runGuarded([&] { rig.form->ApplyImage(missing); });
    QCOMPARE(rig.dialogs.errors.size(), 1);
    QVERIFY2(rig.dialogs.errors[0].startsWith(QStringLiteral("Cannot open \"%1\"").arg(missing)),
             qPrintable(rig.dialogs.errors[0]));
    // The box names the entry at fault on a line of its own.
    QCOMPARE(rig.dialogs.errors[0].section(u'\n', -1), missing);
    QVERIFY(rig.display() == before);
}

void TestWallpaperCommands::setAsWallpaperWritesValuesThenFileThenTellsDesktop_data() {
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("style");
    QTest::addColumn<QString>("tile");
    QTest::newRow("Centered") << "Centered1"
                              << "0"
                              << "0";
    QTest::newRow("Tiled") << "Tiled1"
                           << "0"
                           << "1";
    QTest::newRow("Stretched") << "Stretched1"
                               << "2"
                               << "0";
}

void TestWallpaperCommands::setAsWallpaperWritesValuesThenFileThenTellsDesktop() {
    QFETCH(QString, action);
    QFETCH(QString, style);
    QFETCH(QString, tile);
    Rig rig({QStringLiteral("first.bmp")});
    rig.form->ApplyImage(rig.jpegPicture(QStringLiteral("p.jpg"), QSize(30, 20)));
    rig.form->findChild<QAction*>(action)->trigger();
    QVERIFY(rig.dialogs.errors.isEmpty());
    QCOMPARE(rig.platform.wallpaperCalls.size(), size_t(1));
    const FakePlatform::WallpaperCall& call = rig.platform.wallpaperCalls[0];
    const QString file = rig.platform.dir.filePath(QStringLiteral("image.bmp"));
    QCOMPARE(rig.form->WallpaperFile, file);
    QCOMPARE(call.file, file);
    // What the desktop finds when told: the values and the whole file.
    QCOMPARE(call.wallpaperStyle, style);
    QCOMPARE(call.tileWallpaper, tile);
    QCOMPARE(call.fileBytes, bmpBytes(rig.form->preview));
    QCOMPARE(factsOf(call.fileBytes), (BmpFacts{30, 20, 24}));
    QCOMPARE(rig.value(Wallpaper), file);
    QCOMPARE(rig.form->Position, QStringLiteral("Determine")); // menu placements leave it
}

void TestWallpaperCommands::unknownWordAbortsBeforeAnyEffect_data() {
    QTest::addColumn<QString>("word");
    QTest::newRow("lower case") << "center";
    QTest::newRow("empty") << "";
    QTest::newRow("Determine") << "Determine";
    QTest::newRow("menu caption") << "Stretched";
    QTest::newRow("upper case") << "TILE";
}

void TestWallpaperCommands::unknownWordAbortsBeforeAnyEffect() {
    QFETCH(QString, word);
    Rig rig({QStringLiteral("first.bmp")});
    QVERIFY_THROWS_EXCEPTION(SilentAbort, rig.form->SetAsWallpaper(word));
    rig.form->runGuarded([&] { rig.form->SetAsWallpaper(word); });
    QVERIFY(rig.dialogs.errors.isEmpty());
    QVERIFY(!rig.desktopValuesWritten());
    QVERIFY(rig.platform.wallpaperCalls.empty());
    QVERIFY(!QFile::exists(rig.form->WallpaperFile));
}

void TestWallpaperCommands::determinePos_data() {
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QString>("style");
    QTest::addColumn<QString>("tile");
    QTest::addColumn<QSize>("placed"); // image.bmp afterwards, and the preview when rescaled
    const QString zero = QStringLiteral("0");
    QTest::newRow("300x200 tiled") << QSize(300, 200) << zero << "1" << QSize(300, 200);
    QTest::newRow("800x600 stretched") << QSize(800, 600) << "2" << zero << QSize(800, 600);
    QTest::newRow("1000x500 centred as it is")
        << QSize(1000, 500) << zero << zero << QSize(1000, 500);
    QTest::newRow("2000x1000 fitted to width")
        << QSize(2000, 1000) << zero << zero << QSize(1024, 512);
    QTest::newRow("600x960 fitted to height") << QSize(600, 960) << zero << zero << QSize(480, 768);
}

void TestWallpaperCommands::determinePos() {
    QFETCH(QSize, picture);
    QFETCH(QString, style);
    QFETCH(QString, tile);
    QFETCH(QSize, placed);
    Rig rig({QStringLiteral("first.bmp")});
    rig.form->ApplyImage(rig.bmpPicture(QStringLiteral("p.bmp"), picture));
    rig.form->Determine1->trigger();
    QVERIFY(rig.dialogs.errors.isEmpty());
    QCOMPARE(rig.platform.wallpaperCalls.size(), size_t(1));
    const FakePlatform::WallpaperCall& call = rig.platform.wallpaperCalls[0];
    QCOMPARE(call.wallpaperStyle, style);
    QCOMPARE(call.tileWallpaper, tile);
    QVERIFY(call.determined);
    QCOMPARE(factsOf(call.fileBytes), (BmpFacts{placed.width(), placed.height(), 24}));
    // The rescaled copy is what the preview holds from now on; a picture placed as it is stays
    // in the preview as small as the preview shows it.
    if (placed != picture)
        QCOMPARE(rig.form->preview.size(), placed);
    else
        QCOMPARE(rig.form->preview.size(),
                 picture.boundedTo(picture.scaled(rig.form->Image1->size() *
                                                      rig.form->Image1->devicePixelRatioF(),
                                                  Qt::KeepAspectRatio)));
    QCOMPARE(rig.form->Image1->image().size(), rig.form->preview.size());
    // The resolution label describes the file as loaded.
    QCOMPARE(rig.form->Label7->text(),
             QStringLiteral("%1 x %2").arg(picture.width()).arg(picture.height()));
    // The rescaled copy keeps the picture's colour.
    const QImage& shown = rig.form->preview;
    QCOMPARE(shown.pixel(shown.width() / 2, shown.height() / 2), qRgb(200, 60, 20));
}

void TestWallpaperCommands::tiledAfterDetermineTilesTheRescaledCopy() {
    Rig rig({QStringLiteral("first.bmp")});
    rig.form->ApplyImage(rig.bmpPicture(QStringLiteral("wide.bmp"), QSize(2000, 1000)));
    rig.form->Determine1->trigger();
    rig.form->Tiled1->trigger();
    QCOMPARE(rig.platform.wallpaperCalls.size(), size_t(2));
    QCOMPARE(rig.platform.wallpaperCalls[1].tileWallpaper, QStringLiteral("1"));
    QVERIFY(!rig.platform.wallpaperCalls[1].determined);
    QCOMPARE(factsOf(rig.platform.wallpaperCalls[1].fileBytes), (BmpFacts{1024, 512, 24}));
}

void TestWallpaperCommands::greyJpegStays8Bit() {
    Rig rig({QStringLiteral("first.bmp")});
    QImage grey(2000, 1000, QImage::Format_Grayscale8);
    grey.fill(90);
    const QString path = rig.file(QStringLiteral("grey.jpg"), TestPictureFiles::jpeg(grey));
    rig.form->ApplyImage(path);
    QVERIFY(isGreyIndexed(rig.form->preview));
    rig.form->Stretched1->trigger();
    // 2000x1000 is wide and large: Determine rescales it to the screen, still in grey.
    rig.form->Determine1->trigger();
    QVERIFY(isGreyIndexed(rig.form->preview));
    QCOMPARE(rig.platform.wallpaperCalls.size(), size_t(2));
    QCOMPARE(factsOf(rig.platform.wallpaperCalls[0].fileBytes), (BmpFacts{2000, 1000, 8}));
    QCOMPARE(factsOf(rig.platform.wallpaperCalls[1].fileBytes), (BmpFacts{1024, 512, 8}));
}

// A picture whose every pixel differs.
QImage varied(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x & 255, (y * 3) & 255, (x + y) & 255));
    return image;
}

// image.bmp for every source depth and placement, byte for byte as the writer before the
// pipeline kept pictures at their own depth and released them between commands wrote it (Qt's
// reader and writer on 32 bits), except that a 32-bit source now keeps 32 bits. The preview
// holds a reduced copy, so the command decodes the file again.
void TestWallpaperCommands::imageBmpAsThePreviousWriter_data() {
    QTest::addColumn<QString>("source"); // "jpeg", "grey jpeg", "bmp N"
    QTest::addColumn<QString>("placement");
    QTest::addColumn<QSize>("size");
    // Wider than the fake screen: Determine rescales it.
    for (const char* source : {"jpeg", "grey jpeg", "bmp 8", "bmp 24", "bmp 32"})
        for (const char* placement : {"Center", "Tile", "Stretch", "Determine"})
            QTest::addRow("%s %s", source, placement) << source << placement << QSize(1100, 500);
    // A JPEG placed at its own size is written while it decodes; odd widths pad the rows.
    for (const char* source : {"jpeg", "grey jpeg"}) {
        for (const char* placement : {"Center", "Tile", "Stretch", "Determine"})
            QTest::addRow("%s %s 1001x500", source, placement)
                << source << placement << QSize(1001, 500);
        QTest::addRow("%s Determine stretched 803x601", source)
            << source << "Determine" << QSize(803, 601);
    }
}

void TestWallpaperCommands::imageBmpAsThePreviousWriter() {
    QFETCH(QString, source);
    QFETCH(QString, placement);
    QFETCH(QSize, size);
    Rig rig({QStringLiteral("first.bmp")});
    const QImage picture = varied(size);
    QString path;
    QImage previous; // the preview bitmap as the previous pipeline held it
    if (source.endsWith(QLatin1String("jpeg"))) {
        const bool grey = source.startsWith(QLatin1String("grey"));
        path = rig.file(QStringLiteral("p.jpg"),
                        TestPictureFiles::jpeg(
                            grey ? picture.convertToFormat(QImage::Format_Grayscale8) : picture));
        previous = loadJpeg(path);
    } else {
        const int bits = source.mid(4).toInt();
        QByteArray bytes;
        if (bits == 32) {
            QByteArray pixels;
            for (int y = picture.height() - 1; y >= 0; --y)
                for (int x = 0; x < picture.width(); ++x) {
                    const QRgb p = picture.pixel(x, y);
                    pixels += char(qBlue(p));
                    pixels += char(qGreen(p));
                    pixels += char(qRed(p));
                    pixels += '\0';
                }
            bytes = TestPictureFiles::bmp(picture.width(), picture.height(), 32, pixels);
        } else {
            bytes = bmpBytes(bits == 8 ? picture.convertToFormat(QImage::Format_Indexed8)
                                       : picture.convertToFormat(QImage::Format_BGR888));
        }
        path = rig.file(QStringLiteral("p.bmp"), bytes);
        previous = QImage::fromData(bytes, "BMP");
    }
    bool rescaled = false;
    if (placement == QLatin1String("Determine")) {
        const PlacementDecision decision = decidePlacement(previous.size(), rig.platform.screen);
        QCOMPARE(bool(decision.scaledSize), size.width() > rig.platform.screen.width());
        if (decision.scaledSize) {
            previous = isGreyIndexed(previous)
                           ? scaledPicture(previous, *decision.scaledSize)
                           : previous.scaled(*decision.scaledSize, Qt::IgnoreAspectRatio,
                                             Qt::SmoothTransformation);
            rescaled = true;
        }
    }
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QVERIFY(QImageWriter(&buffer, "bmp").write(previous));
    QByteArray expected = buffer.data();
    if (source == QLatin1String("bmp 32") && !rescaled)
        expected = TestPictureFiles::widenedTo32(expected);

    rig.form->ApplyImage(path);
    QVERIFY(rig.form->preview.width() <= rig.platform.screen.width());
    rig.form->runGuarded([&] {
        if (placement == QLatin1String("Determine"))
            rig.form->DeterminePos();
        else
            rig.form->SetAsWallpaper(placement);
    });
    QVERIFY(rig.dialogs.errors.isEmpty());
    QCOMPARE(rig.platform.wallpaperCalls.size(), size_t(1));
    QCOMPARE(rig.platform.wallpaperCalls[0].fileBytes, expected);
    QCOMPARE(QDir(rig.platform.dir.path()).entryList({QStringLiteral("image.bmp*")}, QDir::Files),
             QStringList{QStringLiteral("image.bmp")});
}

void TestWallpaperCommands::noPictureIsRefusedBeforeAnyEffect() {
    Rig rig;
    QVERIFY(rig.form->preview.isNull());
    QVERIFY(errorText([&] { rig.form->DeterminePos(); }).contains(QLatin1String("no picture")));
    QVERIFY(errorText([&] {
                rig.form->SetAsWallpaper(QStringLiteral("Center"));
            }).contains(QLatin1String("no picture")));
    QVERIFY_THROWS_EXCEPTION(SilentAbort, rig.form->SetAsWallpaper(QStringLiteral("center")));
    QVERIFY(!rig.desktopValuesWritten());
    QVERIFY(rig.platform.wallpaperCalls.empty());
}

void TestWallpaperCommands::unwritableDataFolder() {
    Rig rig({QStringLiteral("first.bmp")});
    // A folder that is a regular file cannot be written, not even by root.
    const QString blocker = rig.file(QStringLiteral("plainfile"), "x");
    rig.form->WallpaperFile = blocker + QStringLiteral("/image.bmp");
    const QString text = errorText([&] { rig.form->SetAsWallpaper(QStringLiteral("Stretch")); });
    QVERIFY2(text.startsWith(QStringLiteral("Cannot write \"%1\"").arg(rig.form->WallpaperFile)),
             qPrintable(text));
    // The values come first and stay; the desktop is not told.
    QCOMPARE(rig.value(Style), QStringLiteral("2"));
    QCOMPARE(rig.value(Tile), QStringLiteral("0"));
    QCOMPARE(rig.value(Wallpaper), rig.form->WallpaperFile);
    QVERIFY(rig.platform.wallpaperCalls.empty());
}

QTEST_MAIN(TestWallpaperCommands)
// While the wallpaper changes every few seconds, the memory of a large picture is kept from
// pick to pick; Stop gives it back, and a longer period never keeps it.
void TestWallpaperCommands::pictureMemoryKeptOnlyWhileRotatingFast() {
    Rig rig;
    const QString big = rig.jpegPicture(QStringLiteral("big.jpg"), QSize(1500, 1000));
    rig.platform.writeImagesDb(big.toUtf8() + "\r\n");
    rig.form = std::make_unique<TForm1>(rig.platform, rig.dialogs);
    rig.form->Position = QStringLiteral("Center");
    for (const int seconds : {5, 6}) {
        rig.form->countdown = Countdown{0, 0, seconds};
        rig.form->Button3Click();
        QVERIFY(rig.dialogs.errors.isEmpty());
        QCOMPARE(spareBlockBytes() >= size_t(1500 * 3 * 1000), seconds <= 5);
        rig.form->Button3Click();
        QCOMPARE(spareBlockBytes(), size_t(0));
    }
}

#include "TestWallpaperCommands.moc"
