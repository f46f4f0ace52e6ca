// GNOME, Cinnamon and MATE against dconf in a private session bus (run-in-session.sh), read
// back by the gsettings tool: what another process, the desktop, would see.
#include "app/platform/Errors.h"
#include "wallpaper/DesktopBackendGnome.h"

#include <QCoreApplication>
#include <QFile>
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
        const QString uri = QUrl::fromLocalFile(m_file).toString(QUrl::FullyEncoded);
        QTest::newRow("GNOME") << Flavour::Gnome << QStringLiteral("picture-uri") << uri;
        QTest::newRow("GNOME dark") << Flavour::Gnome << QStringLiteral("picture-uri-dark") << uri;
        QTest::newRow("Cinnamon") << Flavour::Cinnamon << QStringLiteral("picture-uri") << uri;
        QTest::newRow("MATE") << Flavour::Mate << QStringLiteral("picture-filename") << m_file;
    }

    // Setting the same name again must reach the desktop as a change, or it keeps showing the
    // old content of the rewritten file.
    void rewrittenFileIsAnnounced() {
        QFETCH(Flavour, flavour);
        QFETCH(QString, key);
        QFETCH(QString, value);
        needSchema(flavour);
        const QString schema = QLatin1String(schemaOf(flavour));
        DesktopBackendGnome backend(flavour);
        backend.setWallpaper(m_file, Placement::Center);

        QProcess monitor;
        monitor.start(QStringLiteral("gsettings"), {QStringLiteral("monitor"), schema, key});
        QVERIFY(monitor.waitForStarted());
        // The monitor listens once it reports a change: nudge the key until it does.
        QByteArray seen;
        for (int i = 0; i < 50 && !seen.contains("nudge"); ++i) {
            gsettings({QStringLiteral("set"), schema, key, QStringLiteral("nudge%1").arg(i)});
            monitor.waitForReadyRead(100);
            seen += monitor.readAllStandardOutput();
        }
        QVERIFY2(seen.contains("nudge"), seen.constData());
        const QByteArray expected = (key + QStringLiteral(": ") + quoted(value)).toUtf8();
        backend.setWallpaper(m_file, Placement::Center);
        QCOMPARE(get(schemaOf(flavour), key.toLatin1().constData()), quoted(value));
        QTRY_VERIFY2_WITH_TIMEOUT((seen += monitor.readAllStandardOutput()).contains(expected),
                                  seen, 5000);
        seen.clear();
        // The same value again: without the detour through "" nothing at all is announced.
        // The monitor prints the value as it reads it on each notice, so under load both
        // notices may show the final value; that the notice comes is what a desktop needs.
        backend.setWallpaper(m_file, Placement::Center);
        QTRY_VERIFY2_WITH_TIMEOUT((seen += monitor.readAllStandardOutput()).contains(expected),
                                  seen, 5000);
        monitor.kill();
        monitor.waitForFinished();
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
};

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (argc == 2 && qstrcmp(argv[1], "--set-wallpaper-child") == 0)
        return setWallpaperChild();
    TestDesktopBackendGnome test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestDesktopBackendGnome.moc"
