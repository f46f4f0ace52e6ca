// sway against a real headless sway (as user nobody when we are root: sway refuses root), its
// screen read back with grim.
#include "app/platform/Errors.h"
#include "wallpaper/DesktopBackendSway.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cstdlib>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

Q_DECLARE_METATYPE(Placement)

namespace {

const QRgb Red = qRgb(255, 0, 0);
const QRgb Green = qRgb(0, 255, 0);
const QRgb Blue = qRgb(0, 0, 255);
const QRgb Fill = qRgb(0x11, 0x22, 0x33);

// 10x10: left half red, right half green.
QImage halves(QRgb left = Red, QRgb right = Green) {
    QImage image(10, 10, QImage::Format_RGB32);
    image.fill(left);
    for (int y = 0; y < 10; ++y)
        for (int x = 5; x < 10; ++x)
            image.setPixel(x, y, right);
    return image;
}

// swaybg smooths a scaled picture: colours match within a margin.
bool near(QRgb actual, QRgb expected) {
    return std::abs(qRed(actual) - qRed(expected)) < 48 &&
           std::abs(qGreen(actual) - qGreen(expected)) < 48 &&
           std::abs(qBlue(actual) - qBlue(expected)) < 48;
}

} // namespace

class TestDesktopBackendSway : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_runtime;
    QString m_socket;
    QProcess m_sway;
    QStringList m_asUser; // the command prefix that runs a program as sway's user

    QProcessEnvironment swayEnvironment() const {
        QProcessEnvironment env;
        env.insert(QStringLiteral("PATH"), QStringLiteral("/usr/bin:/bin"));
        env.insert(QStringLiteral("HOME"), m_dir.path());
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime);
        env.insert(QStringLiteral("WAYLAND_DISPLAY"), QStringLiteral("wayland-1"));
        env.insert(QStringLiteral("WLR_BACKENDS"), QStringLiteral("headless"));
        env.insert(QStringLiteral("WLR_LIBINPUT_NO_DEVICES"), QStringLiteral("1"));
        env.insert(QStringLiteral("WLR_RENDERER"), QStringLiteral("pixman"));
        return env;
    }

    QRgb pixel(int x, int y) {
        const QString shot = m_runtime + QStringLiteral("/shot.png");
        QFile::remove(shot);
        QProcess grim;
        grim.setProcessEnvironment(swayEnvironment());
        grim.start(m_asUser.isEmpty() ? QStringLiteral("grim") : m_asUser.first(),
                   m_asUser.mid(1) + QStringList{QStringLiteral("grim"), shot});
        if (m_asUser.isEmpty())
            grim.setArguments({shot});
        grim.waitForFinished(5000);
        return QImage(shot).pixel(x, y) | 0xff000000;
    }

    QString picture(const QString& folder, const QImage& image) {
        QDir().mkpath(m_dir.filePath(folder));
        const QString file = m_dir.filePath(folder + QStringLiteral("/image.bmp"));
        image.save(file, "BMP");
        ::chmod(QFile::encodeName(m_dir.filePath(folder)).constData(), 0755);
        ::chmod(QFile::encodeName(file).constData(), 0644);
        return file;
    }

private Q_SLOTS:
    void initTestCase() {
        for (const char* tool : {"sway", "swaybg", "grim"})
            if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
                QSKIP(qPrintable(QStringLiteral("%1 is missing (packages sway swaybg grim)")
                                     .arg(QLatin1String(tool))));
        QVERIFY(m_dir.isValid());
        ::chmod(QFile::encodeName(m_dir.path()).constData(), 0755);
        m_runtime = m_dir.filePath(QStringLiteral("runtime"));
        QVERIFY(QDir().mkpath(m_runtime));
        ::chmod(QFile::encodeName(m_runtime).constData(), 0700);
        if (::geteuid() == 0) {
            const passwd* nobody = ::getpwnam("nobody");
            if (!nobody || QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty())
                QSKIP("running as root without user nobody or setpriv: sway refuses root");
            QVERIFY(::chown(QFile::encodeName(m_runtime).constData(), nobody->pw_uid,
                            nobody->pw_gid) == 0);
            m_asUser = {QStringLiteral("setpriv"), QStringLiteral("--reuid=nobody"),
                        QStringLiteral("--regid=nogroup"), QStringLiteral("--clear-groups"),
                        QStringLiteral("--pdeathsig=TERM")};
        }
        const QString config = m_dir.filePath(QStringLiteral("config"));
        QFile file(config);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("output HEADLESS-1 resolution 320x240\n");
        // A variable that a path must never expand to.
        file.write("set $name /nonexistent\nset $na /nonexistent\n");
        file.close();
        ::chmod(QFile::encodeName(config).constData(), 0644);

        m_sway.setProcessEnvironment(swayEnvironment());
        m_sway.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_sway.setStandardOutputFile(QProcess::nullDevice());
        const QStringList command =
            m_asUser + QStringList{QStringLiteral("sway"), QStringLiteral("-c"), config};
        m_sway.start(command.first(), command.mid(1));
        QVERIFY(m_sway.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(
            !QDir(m_runtime).entryList({QStringLiteral("sway-ipc.*.sock")}, QDir::System).isEmpty(),
            10000);
        m_socket = QDir(m_runtime).filePath(
            QDir(m_runtime).entryList({QStringLiteral("sway-ipc.*.sock")}, QDir::System).first());
        m_sway.setProcessChannelMode(QProcess::SeparateChannels);
    }

    void cleanupTestCase() {
        m_sway.terminate();
        if (!m_sway.waitForFinished(5000))
            m_sway.kill();
    }

    void setWallpaper_data() {
        QTest::addColumn<Placement>("placement");
        QTest::addColumn<QPoint>("probe");
        QTest::addColumn<QRgb>("expected");
        // The picture centred covers x 155..164, y 115..124.
        QTest::newRow("Center: fill") << Placement::Center << QPoint(5, 5) << Fill;
        QTest::newRow("Center: left") << Placement::Center << QPoint(157, 120) << Red;
        QTest::newRow("Center: right") << Placement::Center << QPoint(162, 120) << Green;
        QTest::newRow("Tile: first") << Placement::Tile << QPoint(7, 2) << Green;
        QTest::newRow("Tile: second") << Placement::Tile << QPoint(12, 2) << Red;
        QTest::newRow("Stretch: left") << Placement::Stretch << QPoint(80, 120) << Red;
        QTest::newRow("Stretch: right") << Placement::Stretch << QPoint(240, 120) << Green;
    }

    void setWallpaper() {
        QFETCH(Placement, placement);
        QFETCH(QPoint, probe);
        QFETCH(QRgb, expected);
        DesktopBackendSway backend(m_socket);
        backend.assumeBackgroundColor(QColor(Fill));
        backend.setWallpaper(picture(QStringLiteral("plain"), halves()), placement);
        QTRY_VERIFY(near(pixel(probe.x(), probe.y()), expected));
    }

    void rewrittenFileShows() {
        DesktopBackendSway backend(m_socket);
        const QString file = picture(QStringLiteral("plain"), halves());
        backend.setWallpaper(file, Placement::Stretch);
        QTRY_VERIFY(near(pixel(300, 230), Green));
        picture(QStringLiteral("plain"), halves(Blue, Blue));
        backend.setWallpaper(file, Placement::Stretch);
        QTRY_VERIFY(near(pixel(300, 230), Blue));
    }

    void colorRedrawsWithThePicture() {
        DesktopBackendSway backend(m_socket);
        backend.setWallpaper(picture(QStringLiteral("plain"), halves()), Placement::Center);
        backend.setBackgroundColor(QColor(0x3a, 0x6e, 0xa5));
        QTRY_VERIFY(near(pixel(5, 5), qRgb(0x3a, 0x6e, 0xa5)));
        QVERIFY(near(pixel(157, 120), Red));
        QCOMPARE(backend.backgroundColor(), std::optional<QColor>());
    }

    void colorAlone() {
        DesktopBackendSway backend(m_socket);
        backend.setBackgroundColor(QColor(0x12, 0x34, 0x56));
        QTRY_VERIFY(near(pixel(160, 120), qRgb(0x12, 0x34, 0x56)));
    }

    // Shell specials stay literal: sway expands the name like a shell word.
    void awkwardNames_data() {
        QTest::addColumn<QString>("folder");
        QTest::newRow("blank and quote") << QStringLiteral("it's mine");
        QTest::newRow("double quote and specials") << QStringLiteral("a \"q\" $HOME `x` b\\c");
        QTest::newRow("sway variable") << QStringLiteral("$name");
        QTest::newRow("sway variable after a backslash") << QStringLiteral("a\\$name");
        QTest::newRow("sway variable after two backslashes") << QStringLiteral("a\\\\$name");
        QTest::newRow("sway variable, double quote") << QStringLiteral("\"$name\" $$na");
        QTest::newRow("sway variable, double quote, backslash") << QStringLiteral("\"\\$name");
        QTest::newRow("command separators") << QStringLiteral("a;b,c");
    }

    void awkwardNames() {
        QFETCH(QString, folder);
        DesktopBackendSway backend(m_socket);
        backend.setWallpaper(picture(folder, halves(Blue, Blue)), Placement::Stretch);
        QTRY_VERIFY(near(pixel(160, 120), Blue));
        backend.setWallpaper(picture(folder, halves(Red, Red)), Placement::Stretch);
        QTRY_VERIFY(near(pixel(160, 120), Red));
    }

    // sway answers success for these and shows nothing: we must say so instead.
    void unshowableNamesAreErrors_data() {
        QTest::addColumn<QString>("file");
        QTest::newRow("missing") << m_dir.filePath(QStringLiteral("missing/image.bmp"));
        QTest::newRow("blanks in a row") << picture(QStringLiteral("two  blanks"), halves());
        QTest::newRow("both quotes") << picture(QStringLiteral("it's \"q\""), halves());
    }

    void unshowableNamesAreErrors() {
        QFETCH(QString, file);
        QVERIFY_THROWS_EXCEPTION(
            AppError, DesktopBackendSway(m_socket).setWallpaper(file, Placement::Center));
    }

    void unreachableSocketIsAnError() {
        QVERIFY_THROWS_EXCEPTION(AppError,
                                 DesktopBackendSway(m_dir.filePath(QStringLiteral("none.sock")))
                                     .setBackgroundColor(Qt::red));
        QVERIFY_THROWS_EXCEPTION(AppError,
                                 DesktopBackendSway(QString()).setBackgroundColor(Qt::red));
    }
};

QTEST_GUILESS_MAIN(TestDesktopBackendSway)
#include "TestDesktopBackendSway.moc"
