#include "app/Version.h"
#include "app/platform/AutostartEntry.h"
#include "app/platform/Errors.h"
#include "app/platform/RegistryLinux.h"
#include "app/platform/ValueStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <glib.h>
#include <sys/stat.h>
#include <tuple>

namespace {

const QString Key = RegistryKeys::Product;

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

class TestValueStore : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void keepsTypesApart();
    void missingValuesAndKeys();
    void namesIgnoreCase();
    void writesAndRereadsTheFileAtomically();
    void escapesTextsThatLookLikeSyntax();
    void reportsFileAndLineOnBadText_data();
    void reportsFileAndLineOnBadText();
    void leavesAnUnparsableFileUntouched();
    void refusesWhatIsNotASettingsFile_data();
    void refusesWhatIsNotASettingsFile();
    void linuxRegistryRoutesRunValueToAutostart();
    void linuxRegistryReadsDesktopColourFirst();
    void execIsQuotedForDesktopEntries_data();
    void execIsQuotedForDesktopEntries();
};

void TestValueStore::keepsTypesApart() {
    ValueStore store;
    store.createKey(Key);
    store.writeBool(Key, QStringLiteral("AutoStart"), true);
    store.writeString(Key, QStringLiteral("Hours"), QStringLiteral("2"));
    store.writeDword(Key, QStringLiteral("Big"), 7);
    QVERIFY(store.readBool(Key, QStringLiteral("AutoStart")));
    QVERIFY(store.readBool(Key, QStringLiteral("Big"))); // any non-zero number is set
    QCOMPARE(store.readString(Key, QStringLiteral("Hours")), QStringLiteral("2"));
    // A text is not a flag, and a number is not a text.
    QVERIFY_THROWS_EXCEPTION(AppError, store.readBool(Key, QStringLiteral("Hours")));
    QVERIFY_THROWS_EXCEPTION(AppError, store.readString(Key, QStringLiteral("AutoStart")));
    try {
        store.readBool(Key, QStringLiteral("Hours"));
    } catch (const AppError& e) {
        QVERIFY(e.text().contains(QStringLiteral("Hours")));
        QVERIFY(e.text().contains(QStringLiteral("\"2\"")));
    }
}

void TestValueStore::missingValuesAndKeys() {
    ValueStore store({RegistryKeys::Desktop});
    QVERIFY(store.keyExists(RegistryKeys::Desktop));
    QVERIFY(!store.keyExists(Key));
    QCOMPARE(store.readString(Key, QStringLiteral("Position")), QString());
    QVERIFY_THROWS_EXCEPTION(AppError, store.readBool(Key, QStringLiteral("AutoStart")));
    // Writing into a key that does not exist fails; deleting from it is harmless.
    QVERIFY_THROWS_EXCEPTION(AppError,
                             store.writeString(Key, QStringLiteral("a"), QStringLiteral("b")));
    store.deleteValue(Key, QStringLiteral("a"));
    store.createKey(Key);
    store.writeString(Key, QStringLiteral("a"), QStringLiteral("b"));
    QVERIFY(store.valueExists(Key, QStringLiteral("a")));
    store.deleteValue(Key, QStringLiteral("a"));
    QVERIFY(!store.valueExists(Key, QStringLiteral("a")));
}

void TestValueStore::namesIgnoreCase() {
    ValueStore store;
    store.createKey(Key);
    store.writeString(Key, QStringLiteral("Position"), QStringLiteral("Tile"));
    QCOMPARE(store.readString(Key.toUpper(), QStringLiteral("POSITION")), QStringLiteral("Tile"));
    QVERIFY(store.keyExists(QStringLiteral("\\software\\halvane software\\tessary\\")));
}

void TestValueStore::writesAndRereadsTheFileAtomically() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("cfg/settings.reg"));
    {
        ValueStore store;
        store.attachFile(path); // no file yet: nothing to read, nothing written
        QVERIFY(!QFile::exists(path));
        store.createKey(Key);
        store.writeBool(Key, QStringLiteral("MinimizeTell"), true);
        store.writeString(Key, QStringLiteral("Position"), QStringLiteral("Determine"));
    }
    QByteArray text = readAll(path);
    QVERIFY(text.startsWith("REGEDIT4\n"));
    QVERIFY(text.contains("[HKEY_CURRENT_USER\\Software\\Halvane Software\\Tessary]\n"));
    QVERIFY(text.contains("\"MinimizeTell\"=dword:00000001\n"));
    QVERIFY(text.contains("\"Position\"=\"Determine\"\n"));
    ValueStore again;
    again.attachFile(path);
    QVERIFY(again.readBool(Key, QStringLiteral("MinimizeTell")));
    QCOMPARE(again.readString(Key, QStringLiteral("Position")), QStringLiteral("Determine"));
    // No temporary files are left beside it.
    QCOMPARE(QDir(dir.filePath(QStringLiteral("cfg"))).entryList(QDir::Files),
             QStringList{QStringLiteral("settings.reg")});
    // The same value again leaves the file alone, unless the file is gone.
    writeAll(path, "edited by hand\n");
    again.writeString(Key, QStringLiteral("Position"), QStringLiteral("Determine"));
    QCOMPARE(readAll(path), QByteArray("edited by hand\n"));
    again.writeString(Key, QStringLiteral("position"), QStringLiteral("Determine"));
    QCOMPARE(readAll(path), text.replace("\"Position\"", "\"position\""));
    QVERIFY(QFile::remove(path));
    again.writeBool(Key, QStringLiteral("MinimizeTell"), true);
    QVERIFY(readAll(path).contains("\"MinimizeTell\"=dword:00000001\n"));
    // A store whose file cannot be written reports it and names the file.
    ValueStore blocked;
    writeAll(dir.filePath(QStringLiteral("plain")), "x");
    blocked.attachFile(dir.filePath(QStringLiteral("plain/settings.reg")));
    try {
        blocked.createKey(Key);
        QFAIL("a store below a plain file cannot be saved");
    } catch (const AppError& e) {
        QVERIFY(e.text().contains(dir.filePath(QStringLiteral("plain"))));
    }
}

void TestValueStore::escapesTextsThatLookLikeSyntax() {
    ValueStore store;
    store.createKey(Key);
    const QString tricky = QStringLiteral("C:\\a \"b\"]=dword:1\n[x]\r\u00e9");
    store.writeString(Key, QStringLiteral("odd \"name\""), tricky);
    ValueStore copy;
    copy.parse(store.serialize(), QStringLiteral("mem"));
    QCOMPARE(copy.readString(Key, QStringLiteral("odd \"name\"")), tricky);
    QCOMPARE(copy.serialize(), store.serialize());
}

void TestValueStore::reportsFileAndLineOnBadText_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("line");
    QTest::newRow("no header") << QByteArray("[HKEY_CURRENT_USER\\X]\n") << 1;
    QTest::newRow("value before key") << QByteArray("REGEDIT4\n\n\"a\"=\"b\"\n") << 3;
    QTest::newRow("other root") << QByteArray("REGEDIT4\n[HKEY_LOCAL_MACHINE\\X]\n") << 2;
    QTest::newRow("unclosed key") << QByteArray("REGEDIT4\n[HKEY_CURRENT_USER\\X\n") << 2;
    QTest::newRow("bad dword")
        << QByteArray("REGEDIT4\n[HKEY_CURRENT_USER\\X]\n\"a\"=dword:12345678\n\"b\"=dword:xyz\n")
        << 4;
    QTest::newRow("dword too long")
        << QByteArray("REGEDIT4\n[HKEY_CURRENT_USER\\X]\n\"a\"=dword:123456789\n") << 3;
    QTest::newRow("unterminated text")
        << QByteArray("REGEDIT4\n[HKEY_CURRENT_USER\\X]\n\"a\"=\"b\n") << 3;
    QTest::newRow("trailing junk")
        << QByteArray("REGEDIT4\n[HKEY_CURRENT_USER\\X]\n\"a\"=\"b\"c\n") << 3;
    QTest::newRow("binary") << QByteArray("REGEDIT4\n\xff\xfe\x00\x01", 13) << 2;
}

void TestValueStore::reportsFileAndLineOnBadText() {
    QFETCH(QByteArray, text);
    QFETCH(int, line);
    ValueStore store;
    try {
        store.parse(text, QStringLiteral("/cfg/settings.reg"));
        QFAIL("parsed text that is not a settings file");
    } catch (const AppError& e) {
        QVERIFY2(e.text().startsWith(QStringLiteral("/cfg/settings.reg:%1: ").arg(line)),
                 qPrintable(e.text()));
    }
}

void TestValueStore::leavesAnUnparsableFileUntouched() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("settings.reg"));
    const QByteArray broken("REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Halvane Software\\Tessary]\n"
                            "\"AutoStart\"=dword:zz\n");
    writeAll(path, broken);
    ValueStore store;
    QVERIFY_THROWS_EXCEPTION(AppError, store.attachFile(path));
    // Not attached: later writes go nowhere near the broken file.
    store.createKey(Key);
    store.writeBool(Key, QStringLiteral("AutoStart"), true);
    QCOMPARE(readAll(path), broken);
}

// What may sit at the settings file's place instead of a settings file: each is refused at
// once with its name, never read whole, and never replaced by a later write. A file of exactly
// the limit is still read.
void TestValueStore::refusesWhatIsNotASettingsFile_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("why");
    const auto row = [](const char* name, const char* kind, const char* why) {
        QTest::newRow(name) << QString::fromLatin1(kind) << QString::fromLatin1(why);
    };
    row("named pipe", "fifo", "it is a named pipe, not a regular file.");
    row("folder", "folder", "it is a folder, not a regular file.");
    row("link to /dev/zero", "zero", "it is a device, not a regular file.");
    row("2 MiB", "large", "the file is larger than 1 MiB.");
    row("exactly 1 MiB", "limit", "");
}

void TestValueStore::refusesWhatIsNotASettingsFile() {
    QFETCH(QString, kind);
    QFETCH(QString, why);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("settings.reg"));
    if (kind == QLatin1String("fifo")) {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else if (kind == QLatin1String("folder")) {
        QVERIFY(QDir().mkdir(path));
    } else if (kind == QLatin1String("zero")) {
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path));
    } else {
        QByteArray text = "REGEDIT4\n[HKEY_CURRENT_USER" + Key.toUtf8() + "]\n";
        const qsizetype size = kind == QLatin1String("large") ? 2 << 20 : 1 << 20;
        text += QByteArray(size - text.size() - 1, ';') + '\n';
        writeAll(path, text);
    }
    const auto state = [&path] {
        const QFileInfo info(path);
        return std::tuple(info.isSymLink(), info.isDir(), info.size());
    };
    const auto before = state();
    ValueStore store;
    store.createKey(Key);
    if (why.isEmpty()) {
        store.attachFile(path);
        QVERIFY(store.keyExists(Key));
        return;
    }
    try {
        store.attachFile(path);
        QFAIL("read something that is not a settings file");
    } catch (const AppError& e) {
        QCOMPARE(e.text(), QStringLiteral("%1 \"%2\": %3")
                               .arg(kind == QLatin1String("large") ? "Cannot load" : "Cannot open",
                                    path, why));
    }
    store.writeBool(Key, QStringLiteral("AutoStart"), true);
    QVERIFY(state() == before);
}

void TestValueStore::linuxRegistryRoutesRunValueToAutostart() {
    QTemporaryDir dir;
    const QString entry = dir.filePath(QStringLiteral("autostart/tessary.desktop"));
    ValueStore store({RegistryKeys::Run});
    RegistryLinux reg(store, AutostartEntry(entry), {});
    const QString run = RegistryKeys::Run;
    QVERIFY(!reg.valueExists(run, QStringLiteral("Tessary")));
    reg.writeString(run, QStringLiteral("Tessary"), QStringLiteral("/opt/my apps/picture"));
    QVERIFY(QFile::exists(entry));
    QVERIFY(reg.valueExists(run, QStringLiteral("tessary")));
    const QByteArray desktop = readAll(entry);
    QVERIFY(desktop.startsWith("[Desktop Entry]\n"));
    QVERIFY(desktop.contains("\nExec=\"/opt/my apps/picture\"\n"));
    QVERIFY(!store.valueExists(run, QStringLiteral("Tessary"))); // not duplicated in the store
    reg.deleteValue(run, QStringLiteral("Tessary"));
    QVERIFY(!QFile::exists(entry));
    reg.deleteValue(run, QStringLiteral("Tessary")); // already gone: harmless
}

void TestValueStore::linuxRegistryReadsDesktopColourFirst() {
    QTemporaryDir dir;
    ValueStore store({RegistryKeys::Colors});
    std::optional<QString> desktop;
    RegistryLinux reg(store, AutostartEntry(dir.filePath(QStringLiteral("a.desktop"))),
                      [&] { return desktop; });
    const QString colors = RegistryKeys::Colors;
    const QString name = QStringLiteral("Background");
    QCOMPARE(reg.readString(colors, name), QStringLiteral("0 0 0")); // fresh install
    reg.writeString(colors, name, QStringLiteral("58 110 165"));
    QCOMPARE(reg.readString(colors, name), QStringLiteral("58 110 165"));
    desktop = QStringLiteral("1 2 3");
    QCOMPARE(reg.readString(colors, name), QStringLiteral("1 2 3"));
}

// The autostart entry for a program under every kind of folder name: the Exec value as written,
// or the start of the refusal; a written entry must start exactly this program for us and for
// GLib (which parses Exec like a shell, then expands field codes), need exactly it (TryExec) and
// show the installed icon, with no key of its own.
void TestValueStore::execIsQuotedForDesktopEntries_data() {
    QTest::addColumn<QString>("executable");
    QTest::addColumn<QString>("exec"); // the refusal's start when the path cannot be written
    QTest::newRow("plain") << "/usr/bin/picture"
                           << R"("/usr/bin/picture")";
    QTest::newRow("blank") << "/opt/my apps/picture"
                           << R"("/opt/my apps/picture")";
    QTest::newRow("shell specials") << "/a b/$x`\"%"
                                    << R"("/a b/\\$x\\`\\"%%")";
    QTest::newRow("backslash") << "/a\\b"
                               << R"("/a\\\\b")";
    QTest::newRow("reserved characters") << "/a'b>c<d~e|f&g;h*i?j#k(l)m/p"
                                         << R"("/a'b>c<d~e|f&g;h*i?j#k(l)m/p")";
    QTest::newRow("field code") << "/x/%f %u/p"
                                << R"("/x/%%f %%u/p")";
    QTest::newRow("newline injecting a key") << "/x\nExec=/bin/evil\n/p"
                                             << R"("/x\nExec=/bin/evil\n/p")";
    QTest::newRow("tab and carriage return") << "/x\ty\rz/p"
                                             << R"("/x\ty\rz/p")";
    QTest::newRow("non-ASCII") << "/home/j\u00fcrgen/\U0001F600/p"
                               << "\"/home/j\u00fcrgen/\U0001F600/p\"";
    QTest::newRow("other control character")
        << "/x\x01y/p"
        << "The program's path \"/x\x01y/p\" cannot be written";
    QTest::newRow("delete") << "/x\x7fy/p"
                            << "The program's path";
    QTest::newRow("byte that is not UTF-8")
        << QStringLiteral("/x") + QChar(0xdce4) + QStringLiteral("/p") << "The program's path";
}

void TestValueStore::execIsQuotedForDesktopEntries() {
    QFETCH(QString, executable);
    QFETCH(QString, exec);
    if (!exec.startsWith(u'"')) {
        try {
            AutostartEntry::text(executable);
            QFAIL("written although it cannot be expressed");
        } catch (const AppError& error) {
            QVERIFY2(error.text().startsWith(exec), qPrintable(error.text()));
        }
        return;
    }
    QCOMPARE(AutostartEntry::execArgument(executable), exec);
    const QByteArray text = AutostartEntry::text(executable);
    QCOMPARE(AutostartEntry::execCommand(text).value_or(QStringList()), QStringList{executable});

    GKeyFile* file = g_key_file_new();
    QVERIFY(g_key_file_load_from_data(file, text.constData(), gsize(text.size()), G_KEY_FILE_NONE,
                                      nullptr));
    gsize keys = 0;
    g_strfreev(g_key_file_get_keys(file, "Desktop Entry", &keys, nullptr));
    QCOMPARE(keys, gsize(11));
    const auto string = [file](const char* key) {
        gchar* value = g_key_file_get_string(file, "Desktop Entry", key, nullptr);
        const QString result = QString::fromUtf8(value);
        g_free(value);
        return result;
    };
    QCOMPARE(string("TryExec"), executable);
    QCOMPARE(string("Icon"), QStringLiteral(TESSARY_APP_ID));
    gchar* value = g_key_file_get_string(file, "Desktop Entry", "Exec", nullptr);
    QVERIFY(value);
    gint argc = 0;
    gchar** argv = nullptr;
    QVERIFY(g_shell_parse_argv(value, &argc, &argv, nullptr));
    QCOMPARE(argc, 1);
    QCOMPARE(QString::fromUtf8(argv[0]).replace(QStringLiteral("%%"), QStringLiteral("%")),
             executable);
    g_strfreev(argv);
    g_free(value);
    g_key_file_free(file);
}

QTEST_GUILESS_MAIN(TestValueStore)
#include "TestValueStore.moc"
