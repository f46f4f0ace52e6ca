// KDE Plasma against a stand-in for plasmashell on a private session bus (run-in-session.sh)
// that records each script; the recorded scripts are then run against mock desktops.
#include "app/platform/Errors.h"
#include "wallpaper/DesktopBackendKde.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusError>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMutex>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QTest>
#include <QThread>
#include <QUrl>

Q_DECLARE_METATYPE(Placement)

// Answers evaluateScript as plasmashell does: an empty output, or an error reply.
class FakePlasmaShell : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.PlasmaShell")

public:
    QStringList takeScripts() {
        const QMutexLocker lock(&m_mutex);
        return std::exchange(m_scripts, {});
    }
    void refuseWith(const QString& message) {
        const QMutexLocker lock(&m_mutex);
        m_refusal = message;
    }

public Q_SLOTS:
    QString evaluateScript(const QString& script) {
        const QMutexLocker lock(&m_mutex);
        m_scripts.append(script);
        if (!m_refusal.isEmpty())
            sendErrorReply(QDBusError::Failed, m_refusal);
        return QString();
    }

private:
    QMutex m_mutex;
    QStringList m_scripts;
    QString m_refusal;
};

class TestDesktopBackendKde : public QObject {
    Q_OBJECT

private:
    QThread m_thread;
    FakePlasmaShell* m_shell = nullptr;
    QString m_file = QStringLiteral("/home/user/.local/share/tessary/it's \"mine\"/image.bmp");

    static QDBusConnection fakeBus() {
        return QDBusConnection::connectToBus(QDBusConnection::SessionBus,
                                             QStringLiteral("fake-plasmashell"));
    }

    // What the script does to two desktops, one list of writes per desktop.
    static QJsonArray runOnMockDesktops(const QString& script) {
        const QString node = QStandardPaths::findExecutable(QStringLiteral("node"));
        if (node.isEmpty())
            return {};
        QTemporaryFile file;
        if (!file.open())
            return {};
        file.write(script.toUtf8());
        file.flush();
        QProcess process;
        process.start(node, {QStringLiteral(PLASMA_MOCK), file.fileName()});
        process.waitForFinished(10000);
        if (process.exitCode() != 0)
            qWarning("%s", process.readAllStandardError().constData());
        return QJsonDocument::fromJson(process.readAllStandardOutput()).array();
    }

private Q_SLOTS:
    void initTestCase() {
        if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
            QSKIP("no private session bus (dbus-run-session is missing)");
        // The stand-in answers from its own thread and connection, as another process would.
        m_thread.start();
        m_shell = new FakePlasmaShell;
        m_shell->moveToThread(&m_thread);
        QDBusConnection bus = fakeBus();
        QVERIFY(bus.isConnected());
        QVERIFY(bus.registerObject(QStringLiteral("/PlasmaShell"), m_shell,
                                   QDBusConnection::ExportAllSlots));
        QVERIFY(bus.registerService(QStringLiteral("org.kde.plasmashell")));
    }

    void cleanupTestCase() {
        if (m_shell) {
            fakeBus().unregisterObject(QStringLiteral("/PlasmaShell"));
            m_shell->deleteLater();
        }
        m_thread.quit();
        m_thread.wait();
    }

    void setWallpaper_data() {
        QTest::addColumn<Placement>("placement");
        QTest::addColumn<int>("fillMode");
        QTest::newRow("Center") << Placement::Center << 6;
        QTest::newRow("Tile") << Placement::Tile << 3;
        QTest::newRow("Stretch") << Placement::Stretch << 0;
    }

    void setWallpaper() {
        QFETCH(Placement, placement);
        QFETCH(int, fillMode);
        DesktopBackendKde().setWallpaper(m_file, placement);
        const QStringList scripts = m_shell->takeScripts();
        QCOMPARE(scripts.size(), 1);
        const QString uri = QUrl::fromLocalFile(m_file).toString(QUrl::FullyEncoded);
        QVERIFY(uri.startsWith(QLatin1String("file:///home/user/")));

        const QJsonArray desktops = runOnMockDesktops(scripts[0]);
        if (desktops.isEmpty() && QStandardPaths::findExecutable(QStringLiteral("node")).isEmpty())
            QSKIP("node is missing (package nodejs): the script is not run");
        QCOMPARE(desktops.size(), 2);
        for (const auto& desktop : desktops) {
            const QJsonArray writes = desktop.toArray();
            QCOMPARE(writes.size(), 3);
            for (const auto& write : writes) {
                QCOMPARE(write[QLatin1String("plugin")].toString(),
                         QStringLiteral("org.kde.image"));
                QCOMPARE(write[QLatin1String("group")].toString(),
                         QStringLiteral("Wallpaper/org.kde.image/General"));
            }
            // Another value first: Plasma ignores an Image equal to the one it shows.
            QCOMPARE(writes[0][QLatin1String("key")].toString(), QStringLiteral("Image"));
            QCOMPARE(writes[0][QLatin1String("value")].toString(), QString());
            QCOMPARE(writes[1][QLatin1String("key")].toString(), QStringLiteral("Image"));
            QCOMPARE(writes[1][QLatin1String("value")].toString(), uri);
            QCOMPARE(writes[2][QLatin1String("key")].toString(), QStringLiteral("FillMode"));
            QCOMPARE(writes[2][QLatin1String("value")].toInt(-1), fillMode);
        }
    }

    void setBackgroundColor() {
        DesktopBackendKde().setBackgroundColor(QColor(0x3a, 0x6e, 0xa5));
        const QStringList scripts = m_shell->takeScripts();
        QCOMPARE(scripts.size(), 1);
        const QJsonArray desktops = runOnMockDesktops(scripts[0]);
        if (desktops.isEmpty() && QStandardPaths::findExecutable(QStringLiteral("node")).isEmpty())
            QSKIP("node is missing (package nodejs): the script is not run");
        QCOMPARE(desktops.size(), 2);
        for (const auto& desktop : desktops) {
            const QJsonArray writes = desktop.toArray();
            QCOMPARE(writes.size(), 1);
            // The colour never switches the desktop's plugin.
            QCOMPARE(writes[0][QLatin1String("plugin")].toString(),
                     QStringLiteral("org.kde.slideshow"));
            QCOMPARE(writes[0][QLatin1String("group")].toString(),
                     QStringLiteral("Wallpaper/org.kde.image/General"));
            QCOMPARE(writes[0][QLatin1String("key")].toString(), QStringLiteral("Color"));
            QCOMPARE(writes[0][QLatin1String("value")].toString(), QStringLiteral("#3a6ea5"));
        }
        QCOMPARE(DesktopBackendKde().backgroundColor(), std::optional<QColor>());
    }

    void refusalIsReported() {
        m_shell->refuseWith(QStringLiteral("Widgets are locked"));
        try {
            DesktopBackendKde().setWallpaper(m_file, Placement::Center);
            QFAIL("a refused script passed for success");
        } catch (const AppError& error) {
            QVERIFY2(error.text().contains(QLatin1String("Widgets are locked")),
                     qPrintable(error.text()));
        }
        m_shell->refuseWith(QString());
        QCOMPARE(m_shell->takeScripts().size(), 1);
    }

    // Last: the stand-in leaves the bus.
    void missingShellIsReported() {
        QVERIFY(fakeBus().unregisterService(QStringLiteral("org.kde.plasmashell")));
        try {
            DesktopBackendKde().setBackgroundColor(Qt::red);
            QFAIL("a wallpaper sent to nobody passed for success");
        } catch (const AppError& error) {
            QVERIFY2(error.text().contains(QLatin1String("not running")), qPrintable(error.text()));
        }
    }
};

QTEST_GUILESS_MAIN(TestDesktopBackendKde)
#include "TestDesktopBackendKde.moc"
