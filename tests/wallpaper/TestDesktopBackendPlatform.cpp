// The platform's use of the desktop backend at start-up: a desktop that cannot tell its colour
// (the X11 root window under Xvfb) draws the first picture on the colour the user last chose.
#include "app/platform/PlatformLinux.h"
#include "app/platform/Registry.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <xcb/xcb.h>

#include <cstdlib>

class TestDesktopBackendPlatform : public QObject {
    Q_OBJECT

private:
    QProcess m_server;
    QTemporaryDir m_dir;
    QString m_display;

    QRgb rootPixel(int x, int y) {
        xcb_connection_t* c = xcb_connect(m_display.toLatin1().constData(), nullptr);
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
        xcb_get_image_reply_t* reply =
            xcb_get_image_reply(c,
                                xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, root, std::int16_t(x),
                                              std::int16_t(y), 1, 1, ~0u),
                                nullptr);
        QRgb pixel = 0;
        if (reply) {
            const auto* p = xcb_get_image_data(reply);
            pixel = qRgb(p[2], p[1], p[0]);
        }
        std::free(reply);
        xcb_disconnect(c);
        return pixel;
    }

private Q_SLOTS:
    void initTestCase() {
        if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty())
            QSKIP("Xvfb is missing (package xvfb)");
        QVERIFY(m_dir.isValid());
        m_display = qEnvironmentVariable("TESSARY_TEST_DISPLAY", QStringLiteral(":23"));
        QStringList command = {QStringLiteral("Xvfb"),     m_display,
                               QStringLiteral("-noreset"), QStringLiteral("-nolisten"),
                               QStringLiteral("tcp"),      QStringLiteral("-screen"),
                               QStringLiteral("0"),        QStringLiteral("40x30x24")};
        if (!QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty())
            command = QStringList{QStringLiteral("setpriv"), QStringLiteral("--pdeathsig=TERM")} +
                      command;
        m_server.start(command.first(), command.mid(1));
        QVERIFY(m_server.waitForStarted());
        bool up = false;
        for (int i = 0; i < 100 && !up; ++i) {
            QTest::qWait(50);
            xcb_connection_t* c = xcb_connect(m_display.toLatin1().constData(), nullptr);
            up = !xcb_connection_has_error(c);
            xcb_disconnect(c);
        }
        QVERIFY2(up, "Xvfb did not come up");
        qputenv("XDG_CONFIG_HOME", m_dir.filePath(QStringLiteral("config")).toLocal8Bit());
        qputenv("XDG_DATA_HOME", m_dir.filePath(QStringLiteral("data")).toLocal8Bit());
        qputenv("TESSARY_DESKTOP", "x11");
        qputenv("DISPLAY", m_display.toLocal8Bit());
    }

    void cleanupTestCase() {
        m_server.terminate();
        m_server.waitForFinished();
    }

    void firstPictureUsesTheStoredColor() {
        {
            PlatformLinux earlier;
            QCOMPARE(earlier.desktopName(), QStringLiteral("X11 root window"));
            earlier.registry().writeString(RegistryKeys::Colors, QStringLiteral("Background"),
                                           QStringLiteral("0 128 0"));
            earlier.registry().writeString(RegistryKeys::Desktop, QStringLiteral("WallpaperStyle"),
                                           QStringLiteral("0"));
            earlier.registry().writeString(RegistryKeys::Desktop, QStringLiteral("TileWallpaper"),
                                           QStringLiteral("0"));
        }
        PlatformLinux platform;
        QImage picture(4, 4, QImage::Format_RGB32);
        picture.fill(qRgb(255, 0, 0));
        const QString file = platform.dataFolder() + QStringLiteral("/image.bmp");
        QVERIFY(picture.save(file, "BMP"));
        platform.setWallpaper(file, false);
        QCOMPARE(rootPixel(0, 0), qRgb(0, 128, 0));
        QCOMPARE(rootPixel(20, 15), qRgb(255, 0, 0));
    }
};

QTEST_MAIN(TestDesktopBackendPlatform)
#include "TestDesktopBackendPlatform.moc"
