// GNOME, Cinnamon and MATE against dconf in a private session bus (run-in-session.sh), read
// back by the gsettings tool: what another process, the desktop, would see.
#include "StuckService.h"
#include "app/platform/Errors.h"
#include "wallpaper/DesktopBackendGnome.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <gio/gio.h>

#include <cstdio>

using Flavour = DesktopBackendGnome::Flavour;
Q_DECLARE_METATYPE(Flavour)
Q_DECLARE_METATYPE(Placement)

namespace {

const char* schemaOf(Flavour flavour) {
    switch (flavour) {
    case Flavour::Cinnamon:
        return "org.cinnamon.desktop.background";
    case Flavour::Mate:
        return "org.mate.background";
    case Flavour::Gnome:
        break;
    }
    return "org.gnome.desktop.background";
}

bool schemaInstalled(const char* id) {
    GSettingsSchemaSource* source = g_settings_schema_source_get_default();
    GSettingsSchema* schema = source ? g_settings_schema_source_lookup(source, id, TRUE) : nullptr;
    if (schema)
        g_settings_schema_unref(schema);
    return schema != nullptr;
}

QString gsettings(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral("gsettings"), arguments);
    if (!process.waitForFinished(10000) || process.exitCode() != 0)
        return QStringLiteral("<gsettings %1 failed: %2>")
            .arg(arguments.join(QLatin1Char(' ')),
                 QString::fromLocal8Bit(process.readAllStandardError()));
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

QString get(const char* schema, const char* key) {
    return gsettings({QStringLiteral("get"), QLatin1String(schema), QLatin1String(key)});
}

QString quoted(const QString& text) {
    return QLatin1Char('\'') + text + QLatin1Char('\'');
}

// Run as a child in a broken environment: GLib aborts the process on a missing schema, so
// surviving to print the error is part of the test.
int setWallpaperChild() {
    try {
        DesktopBackendGnome(Flavour::Gnome)
            .setWallpaper(QStringLiteral("/tmp/image.bmp"), Placement::Center);
    } catch (const AppError& error) {
        std::printf("%s\n", qPrintable(error.text()));
        return 0;
    }
    return 1;
}

} // namespace

class TestDesktopBackendGnome : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_file;

    void needSchema(Flavour flavour) {
        if (!schemaInstalled(schemaOf(flavour)))
            QSKIP(qPrintable(QStringLiteral("schema %1 is not installed")
                                 .arg(QLatin1String(schemaOf(flavour)))));
    }

private Q_SLOTS:
    void initTestCase() {
        if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
            QSKIP("no private session bus (dbus-run-session is missing)");
        if (QStandardPaths::findExecutable(QStringLiteral("gsettings")).isEmpty())
            QSKIP("gsettings is missing (libglib2.0-bin)");
        // Without dconf, GSettings keeps writes in memory and no other process sees them.
        gsettings({QStringLiteral("set"), QStringLiteral("org.gnome.desktop.background"),
                   QStringLiteral("primary-color"), QStringLiteral("#010203")});
        if (get("org.gnome.desktop.background", "primary-color") != QLatin1String("'#010203'"))
            QSKIP("settings are not kept between processes (dconf-gsettings-backend missing?)");
        QVERIFY(m_dir.isValid());
        // A blank in the folder name must come out as %20 in the URI.
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("my pictures")));
        m_file = m_dir.filePath(QStringLiteral("my pictures/image.bmp"));
        QFile file(m_file);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("BM");
    }

    void setWallpaper_data() {
        QTest::addColumn<Flavour>("flavour");
        QTest::addColumn<Placement>("placement");
        QTest::addColumn<QString>("option");
        const std::pair<const char*, Flavour> flavours[] = {
            {"GNOME", Flavour::Gnome}, {"Cinnamon", Flavour::Cinnamon}, {"MATE", Flavour::Mate}};
        const std::tuple<const char*, Placement, const char*> placements[] = {
            {"Center", Placement::Center, "centered"},
            {"Tile", Placement::Tile, "wallpaper"},
            {"Stretch", Placement::Stretch, "stretched"}};
        for (const auto& [flavourName, flavour] : flavours)
            for (const auto& [placementName, placement, option] : placements)
                QTest::addRow("%s %s", flavourName, placementName)
                    << flavour << placement << QString::fromLatin1(option);
    }

    void setWallpaper() {
        QFETCH(Flavour, flavour);
        QFETCH(Placement, placement);
        QFETCH(QString, option);
        needSchema(flavour);
        const char* schema = schemaOf(flavour);
        if (flavour == Flavour::Cinnamon)
            gsettings({QStringLiteral("set"),
                       QStringLiteral("org.cinnamon.desktop.background.slideshow"),
                       QStringLiteral("slideshow-enabled"), QStringLiteral("true")});

        DesktopBackendGnome(flavour).setWallpaper(m_file, placement);

        QCOMPARE(get(schema, "picture-options"), quoted(option));
        const QString uri = QUrl::fromLocalFile(m_file).toString(QUrl::FullyEncoded);
        QVERIFY(uri.contains(QLatin1String("my%20pictures/image.bmp")));
        switch (flavour) {
        case Flavour::Gnome:
            QCOMPARE(get(schema, "picture-uri"), quoted(uri));
            QCOMPARE(get(schema, "picture-uri-dark"), quoted(uri));
            break;
        case Flavour::Cinnamon:
            QCOMPARE(get(schema, "picture-uri"), quoted(uri));
            QCOMPARE(get("org.cinnamon.desktop.background.slideshow", "slideshow-enabled"),
                     QStringLiteral("false"));
            break;
        case Flavour::Mate:
            QCOMPARE(get(schema, "picture-filename"), quoted(m_file));
            break;
        }
    }

    void rewrittenFileIsAnnounced_data() {
        QTest::addColumn<Flavour>("flavour");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("cleared");
        const QString uri = QUrl::fromLocalFile(m_file).toString(QUrl::FullyEncoded);
        // GNOME Shell and Cinnamon reload a rewritten file through their file monitors while the
        // key keeps naming it: clearing the key there loses rewrites, or fades twice.
        QTest::newRow("GNOME") << Flavour::Gnome << QStringLiteral("picture-uri") << uri << false;
        QTest::newRow("GNOME dark")
            << Flavour::Gnome << QStringLiteral("picture-uri-dark") << uri << false;
        QTest::newRow("Cinnamon") << Flavour::Cinnamon << QStringLiteral("picture-uri") << uri
                                  << false;
        QTest::newRow("MATE") << Flavour::Mate << QStringLiteral("picture-filename") << m_file
                              << true;
    }

    // Setting the same name again reaches a desktop that does not watch the file as a change
    // (through ""), or it keeps showing the old content of the rewritten file; one that watches
    // the file sees the key untouched. A marker written last bounds what the monitor shows: the
    // settings daemon announces changes in the order it takes them.
    void rewrittenFileIsAnnounced() {
        QFETCH(Flavour, flavour);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(bool, cleared);
        needSchema(flavour);
        const QString schema = QLatin1String(schemaOf(flavour));
        DesktopBackendGnome backend(flavour);
        backend.setWallpaper(m_file, Placement::Center);

        QProcess monitor;
        monitor.start(QStringLiteral("gsettings"), {QStringLiteral("monitor"), schema});
        QVERIFY(monitor.waitForStarted());
        // The monitor listens once it reports a change: nudge the colour until it does.
        QByteArray seen;
        for (int i = 0; i < 50 && !seen.contains("primary-color"); ++i) {
            gsettings({QStringLiteral("set"), schema, QStringLiteral("primary-color"),
                       i % 2 ? QStringLiteral("#000000") : QStringLiteral("#111111")});
            monitor.waitForReadyRead(100);
            seen += monitor.readAllStandardOutput();
        }
        QVERIFY2(seen.contains("primary-color"), seen.constData());
        seen.clear();
        backend.setWallpaper(m_file, Placement::Center);
        gsettings({QStringLiteral("set"), schema, QStringLiteral("primary-color"),
                   QStringLiteral("#123456")});
        QTRY_VERIFY2_WITH_TIMEOUT((seen += monitor.readAllStandardOutput()).contains("#123456"),
                                  seen, 5000);
        QCOMPARE(get(schemaOf(flavour), key.toLatin1().constData()), quoted(value));
        // The monitor prints the value as it reads it on each notice, so under load the clearing
        // may show as the final value: that a notice about the key comes is what counts.
        const QByteArray notice = (key + QStringLiteral(": ")).toUtf8();
        QVERIFY2(seen.contains(notice) == cleared, seen.constData());
        QVERIFY2(!seen.contains("picture-options"), seen.constData());
        monitor.kill();
        monitor.waitForFinished();
    }

    // GNOME Shell may miss a rename while a new placement replaces its background: the file's
    // times change one and three seconds after a new placement, and only then.
    void newPlacementTouchesTheFileLater() {
        needSchema(Flavour::Gnome);
        DesktopBackendGnome backend(Flavour::Gnome);
        backend.setWallpaper(m_file, Placement::Center);
        QTest::qWait(3500);
        const QDateTime old = QDateTime::fromSecsSinceEpoch(1000000000);
        const auto makeOld = [&] {
            QFile file(m_file);
            return file.open(QIODevice::ReadWrite) &&
                   file.setFileTime(old, QFileDevice::FileModificationTime);
        };
        const auto modified = [this] { return QFileInfo(m_file).lastModified(); };
        QVERIFY(makeOld());
        backend.setWallpaper(m_file, Placement::Center);
        QTest::qWait(3500);
        QCOMPARE(modified(), old);
        backend.setWallpaper(m_file, Placement::Stretch);
        QTRY_VERIFY_WITH_TIMEOUT(modified() > old, 3000);
        QVERIFY(makeOld());
        QTRY_VERIFY_WITH_TIMEOUT(modified() > old, 3000);
    }

    void backgroundColor_data() {
        QTest::addColumn<Flavour>("flavour");
        QTest::newRow("GNOME") << Flavour::Gnome;
        QTest::newRow("Cinnamon") << Flavour::Cinnamon;
        QTest::newRow("MATE") << Flavour::Mate;
    }

    void backgroundColor() {
        QFETCH(Flavour, flavour);
        needSchema(flavour);
        const char* schema = schemaOf(flavour);
        gsettings({QStringLiteral("set"), QLatin1String(schema),
                   QStringLiteral("color-shading-type"), QStringLiteral("vertical-gradient")});

        DesktopBackendGnome(flavour).setBackgroundColor(QColor(0x12, 0x34, 0xab));

        QCOMPARE(get(schema, "primary-color"), QStringLiteral("'#1234ab'"));
        QCOMPARE(get(schema, "color-shading-type"), QStringLiteral("'solid'"));

        // The desktop's own colour, as the settings dialog of the desktop left it.
        gsettings({QStringLiteral("set"), QLatin1String(schema), QStringLiteral("primary-color"),
                   QStringLiteral("#3a6ea5")});
        QTRY_COMPARE(DesktopBackendGnome(flavour).backgroundColor(),
                     std::optional<QColor>(QColor(58, 110, 165)));
        gsettings({QStringLiteral("set"), QLatin1String(schema), QStringLiteral("primary-color"),
                   QStringLiteral("not a colour")});
        QTRY_COMPARE(DesktopBackendGnome(flavour).backgroundColor(), std::optional<QColor>());
    }

    // Each of these would lose the write silently, or abort the process.
    void unusableSettingsAreErrors_data() {
        QTest::addColumn<QString>("variable");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("message");
        QTest::newRow("schema not installed")
            << QStringLiteral("XDG_DATA_DIRS") << QStringLiteral("/nonexistent")
            << QStringLiteral("\"org.gnome.desktop.background\") are not installed");
        QTest::newRow("settings in memory")
            << QStringLiteral("GSETTINGS_BACKEND") << QStringLiteral("memory")
            << QStringLiteral("only in memory");
        QTest::newRow("no session bus")
            << QStringLiteral("DBUS_SESSION_BUS_ADDRESS")
            << QStringLiteral("unix:path=/nonexistent/bus") << QStringLiteral("no session bus");
    }

    void unusableSettingsAreErrors() {
        QFETCH(QString, variable);
        QFETCH(QString, value);
        QFETCH(QString, message);
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("GSETTINGS_SCHEMA_DIR"));
        env.insert(variable, value);
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--set-wallpaper-child")});
        QVERIFY(child.waitForFinished(10000));
        QCOMPARE(child.exitStatus(), QProcess::NormalExit);
        const QString output = QString::fromUtf8(child.readAllStandardOutput());
        QCOMPARE(child.exitCode(), 0);
        QVERIFY2(output.contains(message), qPrintable(output));
    }

    // A stuck settings service holds a change up for a second at most, and the next not at
    // all, with the same text. Last: the service stays in mind as stuck for a while.
    void stuckServiceFailsFast() {
        needSchema(Flavour::Gnome);
        DesktopBackendGnome backend(Flavour::Gnome);
        backend.setBackgroundColor(QColor(1, 2, 3)); // the write starts dconf's service
        verifyStuckServiceFailsFast(
            QStringLiteral("ca.desrt.dconf"),
            [&] { backend.setWallpaper(m_file, Placement::Tile); },
            QStringLiteral("GNOME's settings service did not answer in time: the desktop was not "
                           "changed."));
    }

    // The same with the session bus itself stopped: even asking it whether the service runs
    // waits a second at most. Last of all: the bus is then in mind as stuck.
    void stuckBusFailsFast() {
        needSchema(Flavour::Mate);
        DesktopBackendGnome backend(Flavour::Mate);
        verifyStuckServiceFailsFast(
            QStringLiteral("org.freedesktop.DBus"),
            [&] { backend.setWallpaper(m_file, Placement::Tile); },
            QStringLiteral("MATE's settings service did not answer in time: the desktop was not "
                           "changed."));
    }
};

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (argc == 2 && qstrcmp(argv[1], "--set-wallpaper-child") == 0)
        return setWallpaperChild();
    TestDesktopBackendGnome test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestDesktopBackendGnome.moc"
