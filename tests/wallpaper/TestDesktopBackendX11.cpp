// The root window backend: what it draws (no display needed), and what a real X server (Xvfb)
// shows and keeps: the published properties, the screen, and the published pixmap itself.
#include "app/platform/Errors.h"
#include "wallpaper/BmpFile.h"
#include "wallpaper/DesktopBackendX11.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

Q_DECLARE_METATYPE(Placement)

namespace {

const QSize Screen(64, 48);

// A 4x2 picture whose pixels are all different, so any misplacement shows.
QImage pattern(QRgb base = qRgb(200, 0, 0)) {
    QImage image(4, 2, QImage::Format_RGB32);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x)
            image.setPixel(x, y, base + uint(x * 40 + y * 0x2000));
    return image;
}

xcb_atom_t atom(xcb_connection_t* c, const char* name) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 1, std::uint16_t(std::strlen(name)), name), nullptr);
    const xcb_atom_t result = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return result;
}

xcb_pixmap_t rootPixmap(xcb_connection_t* c, xcb_window_t root, const char* name) {
    const xcb_atom_t property = atom(c, name);
    if (property == XCB_ATOM_NONE)
        return XCB_NONE;
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        c, xcb_get_property(c, 0, root, property, XCB_ATOM_PIXMAP, 0, 1), nullptr);
    xcb_pixmap_t id = XCB_NONE;
    if (reply && reply->type == XCB_ATOM_PIXMAP && xcb_get_property_value_length(reply) == 4)
        id = *static_cast<xcb_pixmap_t*>(xcb_get_property_value(reply));
    std::free(reply);
    return id;
}

// The pixels of a drawable as the server holds them (24-bit visual, little-endian here).
QImage pixelsOf(xcb_connection_t* c, xcb_drawable_t drawable,
                QRect area = QRect(QPoint(), Screen)) {
    xcb_generic_error_t* error = nullptr;
    xcb_get_image_reply_t* reply = xcb_get_image_reply(
        c,
        xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, drawable, std::int16_t(area.x()),
                      std::int16_t(area.y()), std::uint16_t(area.width()),
                      std::uint16_t(area.height()), ~0u),
        &error);
    std::free(error);
    if (!reply)
        return {};
    QImage image(area.size(), QImage::Format_RGB32);
    const auto* data = xcb_get_image_data(reply);
    for (int y = 0; y < area.height(); ++y)
        for (int x = 0; x < area.width(); ++x) {
            const auto* p = data + (y * area.width() + x) * 4;
            image.setPixel(x, y, qRgb(p[2], p[1], p[0]));
        }
    std::free(reply);
    return image;
}

// An Xvfb that ends with the test even when the test crashes (-noreset: the root properties
// must outlive the backend's connection).
void startServer(QProcess& server, const QString& display, QSize size, int depth = 24,
                 const QStringList& options = {}) {
    QStringList command = {
        QStringLiteral("Xvfb"),
        display,
        QStringLiteral("-noreset"),
        QStringLiteral("-nolisten"),
        QStringLiteral("tcp"),
        QStringLiteral("-screen"),
        QStringLiteral("0"),
        QStringLiteral("%1x%2x%3").arg(size.width()).arg(size.height()).arg(depth)};
    command += options;
    if (!QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty())
        command =
            QStringList{QStringLiteral("setpriv"), QStringLiteral("--pdeathsig=TERM")} + command;
    server.start(command.first(), command.mid(1));
}

bool exists(xcb_connection_t* c, xcb_drawable_t drawable) {
    xcb_generic_error_t* error = nullptr;
    xcb_get_geometry_reply_t* reply =
        xcb_get_geometry_reply(c, xcb_get_geometry(c, drawable), &error);
    std::free(error);
    const bool found = reply != nullptr;
    std::free(reply);
    return found;
}

} // namespace

class TestDesktopBackendX11 : public QObject {
    Q_OBJECT

private:
    QProcess m_server;
    QString m_display;
    xcb_connection_t* m_c = nullptr;
    xcb_window_t m_root = 0;
    QTemporaryDir m_dir;
    QString m_file;

    void needServer() {
        if (!m_c)
            QSKIP("Xvfb is missing (package xvfb)");
    }

    // Both names published, naming the same pixmap.
    xcb_pixmap_t published() {
        const xcb_pixmap_t root = rootPixmap(m_c, m_root, "_XROOTPMAP_ID");
        const xcb_pixmap_t esetroot = rootPixmap(m_c, m_root, "ESETROOT_PMAP_ID");
        return root == esetroot ? root : XCB_NONE;
    }

    // What the screen and the published pixmap show must both be the expected picture.
    void verifyShows(const QImage& expected) {
        const xcb_pixmap_t pixmap = published();
        QVERIFY(pixmap != XCB_NONE);
        QCOMPARE(pixelsOf(m_c, pixmap), expected);
        QCOMPARE(pixelsOf(m_c, m_root), expected);
    }

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        m_file = m_dir.filePath(QStringLiteral("image.bmp"));
        if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty())
            return;
        m_display = qEnvironmentVariable("TESSARY_TEST_DISPLAY", QStringLiteral(":21"));
        startServer(m_server, m_display, Screen);
        QVERIFY(m_server.waitForStarted());
        for (int i = 0; i < 100 && !m_c; ++i) {
            QTest::qWait(50);
            QVERIFY2(m_server.state() == QProcess::Running,
                     m_server.readAllStandardError().constData());
            xcb_connection_t* c = xcb_connect(m_display.toLatin1().constData(), nullptr);
            if (xcb_connection_has_error(c))
                xcb_disconnect(c);
            else
                m_c = c;
        }
        QVERIFY2(m_c, "Xvfb did not come up");
        m_root = xcb_setup_roots_iterator(xcb_get_setup(m_c)).data->root;
    }

    void cleanupTestCase() {
        if (m_c)
            xcb_disconnect(m_c);
        m_server.terminate();
        m_server.waitForFinished();
    }

    void compose_data() {
        QTest::addColumn<Placement>("placement");
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QPoint>("probe");
        QTest::addColumn<QRgb>("expected");
        const QImage picture = pattern();
        const QRgb fill = qRgb(0, 0, 255);
        // 4x2 centred on 8x6 covers x 2..5, y 2..3.
        QTest::newRow("center: fill left")
            << Placement::Center << QSize(8, 6) << QPoint(1, 2) << fill;
        QTest::newRow("center: fill above")
            << Placement::Center << QSize(8, 6) << QPoint(2, 1) << fill;
        QTest::newRow("center: first pixel")
            << Placement::Center << QSize(8, 6) << QPoint(2, 2) << picture.pixel(0, 0);
        QTest::newRow("center: last pixel")
            << Placement::Center << QSize(8, 6) << QPoint(5, 3) << picture.pixel(3, 1);
        QTest::newRow("center: fill below")
            << Placement::Center << QSize(8, 6) << QPoint(5, 4) << fill;
        // Larger than the screen: the middle shows, cut on both sides.
        QTest::newRow("center: cut")
            << Placement::Center << QSize(2, 2) << QPoint(0, 0) << picture.pixel(1, 0);
        QTest::newRow("tile: origin")
            << Placement::Tile << QSize(9, 5) << QPoint(0, 0) << picture.pixel(0, 0);
        QTest::newRow("tile: repeated")
            << Placement::Tile << QSize(9, 5) << QPoint(7, 3) << picture.pixel(3, 1);
        QTest::newRow("tile: partial")
            << Placement::Tile << QSize(9, 5) << QPoint(8, 4) << picture.pixel(0, 0);
        QTest::newRow("stretch: corner")
            << Placement::Stretch << QSize(40, 20) << QPoint(0, 0) << picture.pixel(0, 0);
        QTest::newRow("stretch: far corner")
            << Placement::Stretch << QSize(40, 20) << QPoint(39, 19) << picture.pixel(3, 1);
    }

    void compose() {
        QFETCH(Placement, placement);
        QFETCH(QSize, screen);
        QFETCH(QPoint, probe);
        QFETCH(QRgb, expected);
        const QImage image =
            DesktopBackendX11::compose(screen, QColor(0, 0, 255), pattern(), placement);
        QCOMPARE(image.size(), screen);
        QCOMPARE(image.pixel(probe), expected);
    }

    // A reduction averages what each screen pixel covers, whatever the picture's format: 6 x 2
    // onto 4 x 1, each screen pixel a pixel and a half of each row.
    void stretchAveragesWhatEachPixelCovers_data() {
        QTest::addColumn<QImage>("picture");
        QImage picture(6, 2, QImage::Format_RGB32);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 6; ++x)
                picture.setPixel(x, y, qRgb(x * 30 + y * 60, 10, 250 - x * 30 - y * 60));
        for (const QImage::Format format :
             {QImage::Format_BGR888, QImage::Format_RGB888, QImage::Format_RGB32})
            QTest::addRow("format %d", int(format)) << picture.convertToFormat(format);
        QTest::newRow("palette") << picture.convertToFormat(QImage::Format_Indexed8);
    }

    void stretchAveragesWhatEachPixelCovers() {
        QFETCH(QImage, picture);
        const QImage image =
            DesktopBackendX11::compose(QSize(4, 1), Qt::black, picture, Placement::Stretch);
        const int red[] = {40, 80, 130, 170};
        for (int x = 0; x < 4; ++x)
            QCOMPARE(image.pixel(x, 0), qRgb(red[x], 10, 250 - red[x]));
    }

    // The desktop gets the screen image a band of rows at a time: each band must be its part
    // of the whole, on every monitor, for every placement, reduced or enlarged.
    void bandsLookAsTheWhole() {
        const QList<QRect> monitors = {QRect(0, 0, 30, 17), QRect(30, 5, 23, 12)};
        QImage picture(41, 29, QImage::Format_BGR888);
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                picture.setPixel(x, y, qRgb(x * 6, y * 8, (x ^ y) * 4));
        for (const QImage& shown :
             {picture, picture.scaled(7, 5), picture.convertToFormat(QImage::Format_RGB32)})
            for (const Placement placement :
                 {Placement::Center, Placement::Tile, Placement::Stretch})
                for (const bool determined : {false, true}) {
                    const QImage whole = DesktopBackendX11::composeMonitors(
                        QSize(53, 17), monitors, Qt::blue, shown, placement, determined);
                    for (const int rows : {1, 3, 16})
                        QCOMPARE(DesktopBackendX11::composeMonitors(QSize(53, 17), monitors,
                                                                    Qt::blue, shown, placement,
                                                                    determined, rows),
                                 whole);
                }
    }

    void chooseMonitors_data() {
        QTest::addColumn<QList<QRect>>("randr");
        QTest::addColumn<QList<QRect>>("xinerama");
        QTest::addColumn<QList<QRect>>("chosen");
        const QRect left(0, 0, 800, 600), right(800, 0, 640, 480);
        QTest::newRow("RandR alone") << QList{left, right} << QList<QRect>{} << QList{left, right};
        // A server that serves Xinerama from RandR reports the same areas, but maybe in
        // another order or not split as xrandr --setmonitor split them.
        QTest::newRow("Xinerama repeats RandR")
            << QList{left, right} << QList{right, left.united(right)} << QList{left, right};
        QTest::newRow("X screens side by side, RandR sees the first")
            << QList{left} << QList{left, right} << QList{left, right};
        QTest::newRow("RandR before 1.5")
            << QList<QRect>{} << QList{left, right} << QList{left, right};
        QTest::newRow("neither") << QList<QRect>{} << QList<QRect>{} << QList<QRect>{};
    }

    void chooseMonitors() {
        QFETCH(QList<QRect>, randr);
        QFETCH(QList<QRect>, xinerama);
        QFETCH(QList<QRect>, chosen);
        QCOMPARE(DesktopBackendX11::chooseMonitors(randr, xinerama), chosen);
    }

    void setWallpaper_data() {
        QTest::addColumn<Placement>("placement");
        QTest::newRow("Center") << Placement::Center;
        QTest::newRow("Tile") << Placement::Tile;
        QTest::newRow("Stretch") << Placement::Stretch;
    }

    void setWallpaper() {
        QFETCH(Placement, placement);
        needServer();
        QVERIFY(pattern().save(m_file, "BMP"));
        DesktopBackendX11 backend(m_display);
        backend.assumeBackgroundColor(QColor(10, 20, 30));
        backend.setWallpaper(m_file, placement);
        verifyShows(DesktopBackendX11::compose(Screen, QColor(10, 20, 30), pattern(), placement));
    }

    // A colour never wipes a picture: with none published it fills the screen; a picture this
    // run did not place stays as it is, unless it is our own from an earlier run.
    void colorFillsOnlyAroundPictures() {
        needServer();
        for (const char* name : {"_XROOTPMAP_ID", "ESETROOT_PMAP_ID"})
            xcb_delete_property(m_c, m_root, atom(m_c, name));
        std::free(xcb_get_input_focus_reply(m_c, xcb_get_input_focus(m_c), nullptr));
        DesktopBackendX11 backend(m_display);
        backend.setBackgroundColor(QColor(0x3a, 0x6e, 0xa5));
        QImage expected(Screen, QImage::Format_RGB32);
        expected.fill(qRgb(0x3a, 0x6e, 0xa5));
        verifyShows(expected);

        const xcb_pixmap_t before = published();
        DesktopBackendX11 nextRun(m_display);
        nextRun.setBackgroundColor(QColor(0, 128, 0));
        QCOMPARE(published(), before);
        verifyShows(expected);

        QVERIFY(pattern().save(m_file, "BMP"));
        nextRun.assumeWallpaper(m_file, Placement::Tile);
        nextRun.setBackgroundColor(QColor(0, 128, 0));
        verifyShows(
            DesktopBackendX11::compose(Screen, QColor(0, 128, 0), pattern(), Placement::Tile));
    }

    // The fill is ours to draw: a new colour redraws the picture on it, and a new picture keeps
    // the colour.
    void colorAndPictureKeepEachOther() {
        needServer();
        QVERIFY(pattern().save(m_file, "BMP"));
        DesktopBackendX11 backend(m_display);
        backend.setWallpaper(m_file, Placement::Center);
        backend.setBackgroundColor(QColor(0, 128, 0));
        verifyShows(
            DesktopBackendX11::compose(Screen, QColor(0, 128, 0), pattern(), Placement::Center));
        backend.setWallpaper(m_file, Placement::Tile);
        verifyShows(
            DesktopBackendX11::compose(Screen, QColor(0, 128, 0), pattern(), Placement::Tile));
    }

    // 8000 x 6000 at 24 bits is 144 MB of pixels, over the 128 MB Qt's reader allows by
    // default: handed over in memory, and read back from the file for a new colour, it shows.
    void pictureOverQtsReaderLimitShows() {
        needServer();
        QImage large(8000, 6000, QImage::Format_BGR888);
        QVERIFY(!large.isNull());
        for (int y = 0; y < large.height(); ++y) {
            uchar* line = large.scanLine(y);
            for (int x = 0; x < large.width(); ++x) {
                const bool right = x >= large.width() / 2;
                const bool bottom = y >= large.height() / 2;
                line[3 * x] = bottom ? 255 : 0;              // blue
                line[3 * x + 1] = right ? 255 : 0;           // green
                line[3 * x + 2] = right && bottom ? 0 : 200; // red
            }
        }
        saveBmp(large, m_file);
        DesktopBackendX11 backend(m_display);
        backend.setWallpaperPicture(m_file, Placement::Stretch, false, large);
        const QImage expected =
            DesktopBackendX11::compose(Screen, Qt::black, large, Placement::Stretch);
        QCOMPARE(expected.pixel(5, 5), qRgb(200, 0, 0));
        QCOMPARE(expected.pixel(60, 44), qRgb(0, 255, 255));
        verifyShows(expected);
        large = QImage();
        backend.setBackgroundColor(QColor(0, 128, 0));
        verifyShows(expected);
    }

    void rewrittenFileShows() {
        needServer();
        DesktopBackendX11 backend(m_display);
        QVERIFY(pattern().save(m_file, "BMP"));
        backend.setWallpaper(m_file, Placement::Stretch);
        const QImage second = pattern(qRgb(0, 90, 0));
        QVERIFY(second.save(m_file, "BMP"));
        backend.setWallpaper(m_file, Placement::Stretch);
        verifyShows(DesktopBackendX11::compose(Screen, Qt::black, second, Placement::Stretch));
    }

    // Each setter keeps its pixmap after it leaves and frees the one before: nothing piles up
    // in the server, and the published one is never freed under the screen.
    void previousPixmapIsFreed() {
        needServer();
        QVERIFY(pattern().save(m_file, "BMP"));
        DesktopBackendX11 backend(m_display);
        backend.setWallpaper(m_file, Placement::Center);
        const xcb_pixmap_t first = published();
        QVERIFY(first != XCB_NONE);
        QVERIFY(exists(m_c, first));
        backend.setWallpaper(m_file, Placement::Tile);
        const xcb_pixmap_t second = published();
        QVERIFY(second != XCB_NONE && second != first);
        QVERIFY(exists(m_c, second));
        QVERIFY(!exists(m_c, first));
    }

    // Another program's leftover, published under both names the conventional way.
    void foreignSetterIsFreed() {
        needServer();
        xcb_connection_t* other = xcb_connect(m_display.toLatin1().constData(), nullptr);
        QVERIFY(!xcb_connection_has_error(other));
        const xcb_pixmap_t foreign = xcb_generate_id(other);
        xcb_create_pixmap(other, 24, foreign, m_root, 8, 8);
        for (const char* name : {"_XROOTPMAP_ID", "ESETROOT_PMAP_ID"})
            xcb_change_property(other, XCB_PROP_MODE_REPLACE, m_root, atom(other, name),
                                XCB_ATOM_PIXMAP, 32, 1, &foreign);
        xcb_set_close_down_mode(other, XCB_CLOSE_DOWN_RETAIN_PERMANENT);
        std::free(xcb_get_input_focus_reply(other, xcb_get_input_focus(other), nullptr));
        xcb_disconnect(other);
        QVERIFY(exists(m_c, foreign));

        QVERIFY(pattern().save(m_file, "BMP"));
        DesktopBackendX11(m_display).setWallpaper(m_file, Placement::Center);
        QVERIFY(!exists(m_c, foreign));
        QVERIFY(published() != XCB_NONE);
    }

    // A desktop that draws its own background (xfdesktop) publishes its pixmap under
    // _XROOTPMAP_ID alone, from a connection it keeps open; ESETROOT_PMAP_ID is then missing or
    // still names an earlier setter's pixmap. Killing the client of that pixmap would end the
    // desktop: only a pixmap both names agree on is freed.
    void desktopDrawingItsOwnBackgroundLives_data() {
        QTest::addColumn<bool>("staleEsetroot");
        QTest::newRow("no ESETROOT_PMAP_ID") << false;
        QTest::newRow("ESETROOT_PMAP_ID of an earlier setter") << true;
    }

    void desktopDrawingItsOwnBackgroundLives() {
        QFETCH(bool, staleEsetroot);
        needServer();
        QVERIFY(pattern().save(m_file, "BMP"));
        DesktopBackendX11 backend(m_display);
        backend.setWallpaper(m_file, Placement::Center);
        const xcb_pixmap_t ours = published();
        if (!staleEsetroot)
            xcb_delete_property(m_c, m_root, atom(m_c, "ESETROOT_PMAP_ID"));
        xcb_connection_t* desktop = xcb_connect(m_display.toLatin1().constData(), nullptr);
        QVERIFY(!xcb_connection_has_error(desktop));
        const xcb_pixmap_t drawn = xcb_generate_id(desktop);
        xcb_create_pixmap(desktop, 24, drawn, m_root, 8, 8);
        xcb_change_property(desktop, XCB_PROP_MODE_REPLACE, m_root, atom(desktop, "_XROOTPMAP_ID"),
                            XCB_ATOM_PIXMAP, 32, 1, &drawn);
        std::free(xcb_get_input_focus_reply(desktop, xcb_get_input_focus(desktop), nullptr));
        QCOMPARE(rootPixmap(m_c, m_root, "_XROOTPMAP_ID"), drawn);

        backend.setWallpaper(m_file, Placement::Tile);
        const xcb_pixmap_t second = published();
        backend.setWallpaper(m_file, Placement::Center);
        // The desktop's connection still answers, and its pixmap is still there.
        xcb_get_input_focus_reply_t* reply =
            xcb_get_input_focus_reply(desktop, xcb_get_input_focus(desktop), nullptr);
        QVERIFY(reply);
        std::free(reply);
        QVERIFY(!xcb_connection_has_error(desktop));
        QVERIFY(exists(m_c, drawn));
        // Once both names agree again, our own pixmaps are freed as before.
        QVERIFY(second != ours && second != drawn);
        QVERIFY(!exists(m_c, second));
        QVERIFY(exists(m_c, published()));
        xcb_disconnect(desktop);
    }

    void unreadablePictureIsAnError() {
        needServer();
        DesktopBackendX11 backend(m_display);
        QVERIFY(pattern().save(m_file, "BMP"));
        backend.setWallpaper(m_file, Placement::Center);
        const xcb_pixmap_t before = published();
        QFile::remove(m_dir.filePath(QStringLiteral("missing.bmp")));
        QVERIFY_THROWS_EXCEPTION(
            AppError,
            backend.setWallpaper(m_dir.filePath(QStringLiteral("missing.bmp")), Placement::Center));
        QCOMPARE(published(), before);
    }

    // A screen whose picture is larger than one request may carry goes in bands through the
    // connection where the server shares no memory (a remote one); the last band is the one a
    // wrong count would lose. (Xvfb offers no 32-bit root to test that depth.)
    void bigScreenGoesInBands() {
        const QSize size(2400, 1800);
        const int depth = 24;
        needServer();
        const QString display = QStringLiteral(":%1").arg(m_display.mid(1).toInt() + 1);
        QProcess server;
        startServer(server, display, size, depth,
                    {QStringLiteral("-extension"), QStringLiteral("MIT-SHM")});
        QVERIFY(server.waitForStarted());
        xcb_connection_t* c = nullptr;
        for (int i = 0; i < 100 && !c; ++i) {
            QTest::qWait(50);
            c = xcb_connect(display.toLatin1().constData(), nullptr);
            if (xcb_connection_has_error(c)) {
                xcb_disconnect(c);
                c = nullptr;
            }
        }
        QVERIFY2(c, "the second Xvfb did not come up");
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
        QCOMPARE(int(screen->root_depth), depth);
        QVERIFY(std::uint64_t(size.width()) * size.height() * 4 >
                std::uint64_t(xcb_get_maximum_request_length(c)) * 4);

        QImage picture(2, 2, QImage::Format_RGB32);
        picture.fill(qRgb(255, 0, 0));
        picture.setPixel(0, 1, qRgb(0, 0, 255));
        picture.setPixel(1, 1, qRgb(0, 255, 0));
        QVERIFY(picture.save(m_file, "BMP"));
        DesktopBackendX11(display).setWallpaper(m_file, Placement::Tile);

        const xcb_pixmap_t pixmap = rootPixmap(c, screen->root, "ESETROOT_PMAP_ID");
        QVERIFY(pixmap != XCB_NONE);
        for (const xcb_drawable_t drawable :
             {xcb_drawable_t(pixmap), xcb_drawable_t(screen->root)}) {
            const QImage top = pixelsOf(c, drawable, QRect(0, 0, 2, 2));
            const QImage bottom =
                pixelsOf(c, drawable, QRect(size.width() - 2, size.height() - 2, 2, 2));
            QCOMPARE(top, picture);
            QCOMPARE(bottom, picture);
        }
        xcb_disconnect(c);
        server.terminate();
        server.waitForFinished();
    }

    void unreachableDisplayIsAnError() {
        QVERIFY(pattern().save(m_file, "BMP"));
        DesktopBackendX11 backend(QStringLiteral(":99.7"));
        QVERIFY_THROWS_EXCEPTION(AppError, backend.setWallpaper(m_file, Placement::Center));
    }
};

QTEST_GUILESS_MAIN(TestDesktopBackendX11)
#include "TestDesktopBackendX11.moc"
