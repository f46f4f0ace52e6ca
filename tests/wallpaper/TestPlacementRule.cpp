#include "wallpaper/PictureLoader.h"
#include "wallpaper/PlacementRule.h"
#include "wallpaper/PlacementWords.h"

#include "app/platform/Errors.h"

#include <QTest>

class TestPlacementRule : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void decide_data();
    void decide();
    void sizeFixTarget_data();
    void sizeFixTarget();
    void placeOnMonitor_data();
    void placeOnMonitor();
    void scaledColourPicture();
    void scaledGreyPictureStays8Bit();
    void wordsRoundTripThroughDesktopValues_data();
    void wordsRoundTripThroughDesktopValues();
    void unknownWordsAbort();
};

using Size = std::optional<QSize>;
Q_DECLARE_METATYPE(Placement)

void TestPlacementRule::decide_data() {
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<QString>("word");
    QTest::addColumn<bool>("viaSizeFix");
    QTest::addColumn<Size>("scaled");
    const QSize s(1024, 768);
    const QString tile = QStringLiteral("Tile"), stretch = QStringLiteral("Stretch"),
                  center = QStringLiteral("Center");
    QTest::newRow("300x200 small") << QSize(300, 200) << s << tile << false << Size();
    QTest::newRow("800x600 screen-like") << QSize(800, 600) << s << stretch << false << Size();
    QTest::newRow("1000x500 wide, fits") << QSize(1000, 500) << s << center << true << Size();
    QTest::newRow("2000x1000 wide, too big")
        << QSize(2000, 1000) << s << center << true << Size(QSize(1024, 512));
    QTest::newRow("600x960 tall") << QSize(600, 960) << s << center << true
                                  << Size(QSize(480, 768));
    QTest::newRow("400x400 edge of small") << QSize(400, 400) << s << tile << false << Size();
    QTest::newRow("401x300") << QSize(401, 300) << s << stretch << false << Size();
    QTest::newRow("401x401 square") << QSize(401, 401) << s << stretch << false << Size();
    QTest::newRow("300x401 tall, one side large")
        << QSize(300, 401) << s << center << true << Size();
    QTest::newRow("620x400 ratio exactly 1.55") << QSize(620, 400) << s << center << true << Size();
    QTest::newRow("619x400 just under 1.55") << QSize(619, 400) << s << stretch << false << Size();
    QTest::newRow("1024x768 screen-sized, 1.333")
        << QSize(1024, 768) << s << stretch << false << Size();
    QTest::newRow("1024x600 screen width, 1.71")
        << QSize(1024, 600) << s << center << true << Size(QSize(1024, 600));
    QTest::newRow("1023x600 narrower than screen")
        << QSize(1023, 600) << s << center << true << Size();
    QTest::newRow("768x1024 taller than screen")
        << QSize(768, 1024) << s << center << true << Size(QSize(576, 768));
    // A wide screen: the picture scaled to its width comes out taller than it, still centred.
    QTest::newRow("wide screen, 3200x2000 on 2560x1080")
        << QSize(3200, 2000) << QSize(2560, 1080) << center << true << Size(QSize(2560, 1600));
    // Truncated, not rounded: 1024 / (3000 / 1900) = 648.53.
    QTest::newRow("3000x1900 truncates")
        << QSize(3000, 1900) << s << center << true << Size(QSize(1024, 648));
    QTest::newRow("no picture") << QSize(0, 0) << s << tile << false << Size();
    QTest::newRow("null size") << QSize() << s << tile << false << Size();
    QTest::newRow("one pixel high, very wide")
        << QSize(60000, 1) << s << center << true << Size(QSize(1024, 1));
    QTest::newRow("no screen") << QSize(2000, 1000) << QSize() << center << true << Size();
}

void TestPlacementRule::decide() {
    QFETCH(QSize, picture);
    QFETCH(QSize, screen);
    QFETCH(QString, word);
    QFETCH(bool, viaSizeFix);
    QFETCH(Size, scaled);
    const PlacementDecision d = decidePlacement(picture, screen);
    QCOMPARE(d.word, word);
    QCOMPARE(d.viaSizeFix, viaSizeFix);
    QCOMPARE(d.scaledSize, scaled);
}

void TestPlacementRule::placeOnMonitor_data() {
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QSize>("monitor");
    QTest::addColumn<Placement>("placement");
    QTest::addColumn<bool>("determined");
    QTest::addColumn<Placement>("placed");
    QTest::addColumn<QSize>("size");
    using P = Placement;
    const QSize big(1920, 1080);
    const QSize small(800, 600);
    // image.bmp as the rule left it for a 1024 x 768 primary screen, on other monitors.
    QTest::newRow("rescaled wide, larger monitor keeps it")
        << QSize(1024, 512) << big << P::Center << true << P::Center << QSize(1024, 512);
    QTest::newRow("rescaled wide, smaller monitor shrinks it")
        << QSize(1024, 512) << small << P::Center << true << P::Center << QSize(800, 400);
    QTest::newRow("rescaled tall, smaller monitor shrinks it")
        << QSize(480, 768) << small << P::Center << true << P::Center << QSize(375, 600);
    QTest::newRow("the primary itself: unchanged")
        << QSize(1024, 512) << QSize(1024, 768) << P::Center << true << P::Center
        << QSize(1024, 512);
    QTest::newRow("small picture tiles everywhere")
        << QSize(300, 200) << small << P::Tile << true << P::Tile << QSize(300, 200);
    QTest::newRow("screen-like picture stretches to each monitor")
        << QSize(800, 600) << big << P::Stretch << true << P::Stretch << big;
    // Chosen placements never change with the monitor: Center stays at the picture's size.
    QTest::newRow("chosen Center larger than the monitor")
        << QSize(1024, 512) << small << P::Center << false << P::Center << QSize(1024, 512);
    QTest::newRow("chosen Tile of a large picture")
        << QSize(2000, 1000) << small << P::Tile << false << P::Tile << QSize(2000, 1000);
    QTest::newRow("chosen Stretch")
        << QSize(300, 200) << big << P::Stretch << false << P::Stretch << QSize(300, 200);
}

void TestPlacementRule::placeOnMonitor() {
    QFETCH(QSize, picture);
    QFETCH(QSize, monitor);
    QFETCH(Placement, placement);
    QFETCH(bool, determined);
    QFETCH(Placement, placed);
    QFETCH(QSize, size);
    const MonitorPlacement result = ::placeOnMonitor(picture, monitor, placement, determined);
    QCOMPARE(result.placement, placed);
    QCOMPARE(result.size, size);
}

void TestPlacementRule::sizeFixTarget_data() {
    QTest::addColumn<double>("height");
    QTest::addColumn<double>("width");
    QTest::addColumn<Size>("target");
    QTest::newRow("smaller both ways") << 767.0 << 1023.0 << Size();
    QTest::newRow("equal width") << 500.0 << 1024.0 << Size(QSize(1024, 500));
    QTest::newRow("equal height") << 768.0 << 500.0 << Size(QSize(500, 768));
    QTest::newRow("square too big") << 2000.0 << 2000.0 << Size(QSize(1024, 1024));
    QTest::newRow("zero height") << 0.0 << 2000.0 << Size();
    QTest::newRow("zero width") << 2000.0 << 0.0 << Size();
    QTest::newRow("very tall") << 65000.0 << 1.0 << Size(QSize(1, 768));
}

void TestPlacementRule::sizeFixTarget() {
    QFETCH(double, height);
    QFETCH(double, width);
    QFETCH(Size, target);
    QCOMPARE(::sizeFixTarget(height, width, QSize(1024, 768)), target);
}

void TestPlacementRule::scaledColourPicture() {
    QImage picture(200, 100, QImage::Format_BGR888);
    picture.fill(QColor(10, 200, 30));
    const QImage scaled = scaledPicture(picture, QSize(64, 32));
    QCOMPARE(scaled.size(), QSize(64, 32));
    QVERIFY(scaled.depth() >= 24);
    QCOMPARE(scaled.pixel(40, 20), qRgb(10, 200, 30));
}

void TestPlacementRule::scaledGreyPictureStays8Bit() {
    QImage picture(300, 100, QImage::Format_Indexed8);
    picture.setColorTable(greyPalette());
    for (int y = 0; y < 100; ++y)
        std::memset(picture.scanLine(y), y < 50 ? 20 : 220, 300);
    const QImage scaled = scaledPicture(picture, QSize(31, 10));
    QCOMPARE(scaled.size(), QSize(31, 10));
    QVERIFY(isGreyIndexed(scaled));
    QCOMPARE(scaled.pixelIndex(15, 1), 20);
    QCOMPARE(scaled.pixelIndex(15, 8), 220);
    QCOMPARE(int(scaled.constScanLine(0)[31]), 0); // padding
}

void TestPlacementRule::wordsRoundTripThroughDesktopValues_data() {
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("style");
    QTest::addColumn<QString>("tile");
    QTest::addColumn<Placement>("placement");
    QTest::newRow("Center") << "Center"
                            << "0"
                            << "0" << Placement::Center;
    QTest::newRow("Tile") << "Tile"
                          << "0"
                          << "1" << Placement::Tile;
    QTest::newRow("Stretch") << "Stretch"
                             << "2"
                             << "0" << Placement::Stretch;
}

void TestPlacementRule::wordsRoundTripThroughDesktopValues() {
    QFETCH(QString, word);
    QFETCH(QString, style);
    QFETCH(QString, tile);
    QFETCH(Placement, placement);
    const DesktopStyle values = styleForWord(word);
    QCOMPARE(values.wallpaperStyle, style);
    QCOMPARE(values.tileWallpaper, tile);
    QCOMPARE(placementFromStyle(style, tile), placement);
}

void TestPlacementRule::unknownWordsAbort() {
    for (const char* word : {"center", "Determine", "", "Tiled", " Center"})
        QVERIFY_THROWS_EXCEPTION(SilentAbort, styleForWord(QString::fromLatin1(word)));
}

QTEST_APPLESS_MAIN(TestPlacementRule)
#include "TestPlacementRule.moc"
