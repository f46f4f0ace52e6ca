// XFCE against a real xfconfd, started by a private session bus (run-in-session.sh), with a
// desktop seeded as xfdesktop leaves it; read back by xfconf-query.
#include "StuckService.h"
#include "app/platform/Errors.h"
#include "wallpaper/DesktopBackendXfce.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(Placement)

namespace {

const QString Channel = QStringLiteral("xfce4-desktop");

QString query(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral("xfconf-query"),
                  QStringList{QStringLiteral("-c"), Channel} + arguments);
    if (!process.waitForFinished(10000))
        return QStringLiteral("<xfconf-query timed out>");
    if (process.exitCode() != 0)
        return QStringLiteral("<missing>");
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

QString get(const QString& property) {
    return query({QStringLiteral("-p"), property});
}

void seed(const QString& property, const QString& type, const QString& value) {
    QProcess::execute(QStringLiteral("xfconf-query"),
                      {QStringLiteral("-c"), Channel, QStringLiteral("-p"), property,
                       QStringLiteral("-n"), QStringLiteral("-t"), type, QStringLiteral("-s"),
                       value});
}

// A two-monitor, two-workspace desktop: xfdesktop keeps a named and a numbered path per monitor.
const QStringList SeededWorkspaces = {
    QStringLiteral("/backdrop/screen0/monitor0/workspace0"),
    QStringLiteral("/backdrop/screen0/monitor0/workspace1"),
    QStringLiteral("/backdrop/screen0/monitorVirtual-1/workspace0"),
    QStringLiteral("/backdrop/screen0/monitorVirtual-1/workspace1"),
    QStringLiteral("/backdrop/screen0/monitorHDMI-2/workspace0"),
    QStringLiteral("/backdrop/screen0/monitorHDMI-2/workspace1"),
};

} // namespace

class TestDesktopBackendXfce : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_file;
    QList<QPair<QString, QString>> m_changes;

    void reseed() {
        QProcess::execute(QStringLiteral("xfconf-query"),
                          {QStringLiteral("-c"), Channel, QStringLiteral("-p"),
                           QStringLiteral("/backdrop"), QStringLiteral("-r"),
                           QStringLiteral("-R")});
        for (const QString& path : SeededWorkspaces) {
            seed(path + QStringLiteral("/last-image"), QStringLiteral("string"),
                 QStringLiteral("/usr/share/backgrounds/old.png"));
            seed(path + QStringLiteral("/image-style"), QStringLiteral("int"), QStringLiteral("5"));
        }
        seed(SeededWorkspaces[2] + QStringLiteral("/backdrop-cycle-enable"), QStringLiteral("bool"),
             QStringLiteral("true"));
    }

public Q_SLOTS:
    void propertyChanged(const QDBusMessage& message) {
        const QVariantList arguments = message.arguments();
        if (arguments.size() != 3 || arguments[0].toString() != Channel)
            return;
        const QString property = arguments[1].toString();
        if (property.endsWith(QLatin1String("/last-image")))
            m_changes.append({property, arguments[2].value<QDBusVariant>().variant().toString()});
    }

private Q_SLOTS:
    void initTestCase() {
        if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
            QSKIP("no private session bus (dbus-run-session is missing)");
        if (QStandardPaths::findExecutable(QStringLiteral("xfconf-query")).isEmpty())
            QSKIP("xfconf-query is missing (packages xfconf, libxfconf-0-3)");
        QVERIFY(m_dir.isValid());
        m_file = m_dir.filePath(QStringLiteral("image.bmp"));
        reseed();
        if (get(SeededWorkspaces[0] + QStringLiteral("/image-style")) != QLatin1String("5"))
            QSKIP("xfconfd does not keep settings (packages xfconf, libxfconf-0-3)");
        QVERIFY(QDBusConnection::sessionBus().connect(
            QString(), QStringLiteral("/org/xfce/Xfconf"), QStringLiteral("org.xfce.Xfconf"),
            QStringLiteral("PropertyChanged"), this, SLOT(propertyChanged(QDBusMessage))));
    }

    void setWallpaper_data() {
        QTest::addColumn<Placement>("placement");
        QTest::addColumn<QString>("style");
        QTest::newRow("Center") << Placement::Center << QStringLiteral("1");
        QTest::newRow("Tile") << Placement::Tile << QStringLiteral("2");
        QTest::newRow("Stretch") << Placement::Stretch << QStringLiteral("3");
    }

    void setWallpaper() {
        QFETCH(Placement, placement);
        QFETCH(QString, style);
        reseed();
        // HDMI-2 is known already; DP-3 was plugged in since and has no entry yet.
        DesktopBackendXfce backend([] {
            return QStringList{QStringLiteral("HDMI-2"), QStringLiteral("DP-3")};
        });
        backend.setWallpaper(m_file, placement);
        const QStringList all =
            SeededWorkspaces +
            QStringList{QStringLiteral("/backdrop/screen0/monitorDP-3/workspace0"),
                        QStringLiteral("/backdrop/screen0/monitorDP-3/workspace1")};
        for (const QString& path : all) {
            QCOMPARE(get(path + QStringLiteral("/last-image")), m_file);
            QCOMPARE(get(path + QStringLiteral("/image-style")), style);
            QCOMPARE(get(path + QStringLiteral("/backdrop-cycle-enable")), QStringLiteral("false"));
        }
        // The desktop has two workspaces: none invented.
        QCOMPARE(get(QStringLiteral("/backdrop/screen0/monitorDP-3/workspace2/last-image")),
                 QStringLiteral("<missing>"));
    }

    // A desktop never configured gets an entry for each connected monitor on each of the
    // window manager's workspaces.
    void freshDesktopGetsConnectedMonitors() {
        QProcess::execute(QStringLiteral("xfconf-query"),
                          {QStringLiteral("-c"), Channel, QStringLiteral("-p"),
                           QStringLiteral("/backdrop"), QStringLiteral("-r"),
                           QStringLiteral("-R")});
        QProcess::execute(QStringLiteral("xfconf-query"),
                          {QStringLiteral("-c"), QStringLiteral("xfwm4"), QStringLiteral("-p"),
                           QStringLiteral("/general/workspace_count"), QStringLiteral("-n"),
                           QStringLiteral("-t"), QStringLiteral("int"), QStringLiteral("-s"),
                           QStringLiteral("3")});
        DesktopBackendXfce backend([] {
            return QStringList{QStringLiteral("eDP-1"), QStringLiteral("DP-2")};
        });
        backend.setWallpaper(m_file, Placement::Tile);
        QProcess::execute(QStringLiteral("xfconf-query"),
                          {QStringLiteral("-c"), QStringLiteral("xfwm4"), QStringLiteral("-p"),
                           QStringLiteral("/general/workspace_count"), QStringLiteral("-r")});
        for (const char* monitor : {"eDP-1", "DP-2"})
            for (int workspace = 0; workspace < 3; ++workspace) {
                const QString path = QStringLiteral("/backdrop/screen0/monitor%1/workspace%2")
                                         .arg(QLatin1String(monitor))
                                         .arg(workspace);
                QCOMPARE(get(path + QStringLiteral("/last-image")), m_file);
                QCOMPARE(get(path + QStringLiteral("/image-style")), QStringLiteral("2"));
            }
    }

    // The same name again must reach xfdesktop as a change, or it keeps the old picture.
    void rewrittenFileIsAnnounced() {
        reseed();
        DesktopBackendXfce backend;
        backend.setWallpaper(m_file, Placement::Center);
        // Notices come late under load, but in order: a marker written last bounds those of the
        // first picture.
        const QPair<QString, QString> marker = {QStringLiteral("/backdrop/marker/last-image"),
                                                QStringLiteral("marker")};
        seed(marker.first, QStringLiteral("string"), marker.second);
        QTRY_VERIFY(m_changes.contains(marker));
        m_changes.clear();
        backend.setWallpaper(m_file, Placement::Center);
        QTRY_COMPARE(m_changes.size(), 2 * SeededWorkspaces.size());
        // Each clearing must reach listeners as such, even with the machine busy.
        for (const QString& path : SeededWorkspaces) {
            const QString property = path + QStringLiteral("/last-image");
            QStringList values;
            for (const auto& [changed, value] : std::as_const(m_changes))
                if (changed == property)
                    values.append(value);
            QCOMPARE(values, QStringList({QString(), m_file}));
        }
    }

    void backgroundColor() {
        reseed();
        seed(SeededWorkspaces[0] + QStringLiteral("/color-style"), QStringLiteral("int"),
             QStringLiteral("1"));
        DesktopBackendXfce backend;
        backend.setBackgroundColor(QColor(0x33, 0x66, 0x99));
        for (const QString& path : SeededWorkspaces) {
            QCOMPARE(get(path + QStringLiteral("/color-style")), QStringLiteral("0"));
            const QStringList rgba =
                get(path + QStringLiteral("/rgba1")).split(QLatin1Char('\n')).mid(2);
            QCOMPARE(rgba, (QStringList{QStringLiteral("0.200000"), QStringLiteral("0.400000"),
                                        QStringLiteral("0.600000"), QStringLiteral("1.000000")}));
        }
        QCOMPARE(backend.backgroundColor(), std::optional<QColor>(QColor(0x33, 0x66, 0x99)));
        // The channel's daemon survived the array (a wrongly typed one kills it).
        QCOMPARE(get(SeededWorkspaces[0] + QStringLiteral("/image-style")), QStringLiteral("5"));
    }

    void noColorKept() {
        reseed();
        QCOMPARE(DesktopBackendXfce().backgroundColor(), std::optional<QColor>());
    }

    // A stuck settings daemon holds each change up for a second at most, and later ones not at
    // all, with the same text each time. Last: the daemon stays in mind as stuck for a while.
    void stuckServiceFailsFast() {
        DesktopBackendXfce backend;
        static_cast<void>(backend.backgroundColor()); // the bus starts xfconfd
        verifyStuckServiceFailsFast(
            QStringLiteral("org.xfce.Xfconf"),
            [&] { backend.setWallpaper(m_file, Placement::Tile); },
            QStringLiteral("XFCE's settings service did not answer in time: the desktop was not "
                           "changed."));
    }
};

QTEST_GUILESS_MAIN(TestDesktopBackendXfce)
#include "TestDesktopBackendXfce.moc"
