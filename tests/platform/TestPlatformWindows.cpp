#include "../wallpaper/TestPictureFiles.h"

#include "app/platform/Errors.h"
#include "app/platform/PlatformWindows.h"
#include "app/platform/RegistryWindows.h"
#include "app/platform/RegularFile.h"
#include "wallpaper/PictureLoader.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <windows.h>

// The Windows services against the system's own registry and calls (wine's in CI), each test in
// a key of its own below the user's root.
class TestPlatformWindows : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void valuesKeepTheirTypes();
    void readsRefuseAnotherType();
    void missingValuesAndKeys();
    void wallpaperGoesToTheSystem();
    void colourGoesToTheSystem();
    void dataFolderBesideTheExecutableWhenWritable();
    void picturesReadAsBytesUnderAnyName();
    void refusesWhatIsNoFile();

private:
    // The type and bytes of a value as the system stores it.
    static std::pair<DWORD, QByteArray> stored(const QString& key, const QString& name);

    QString m_key;
    RegistryWindows m_registry;
};

void TestPlatformWindows::init() {
    m_key =
        QStringLiteral("\\Software\\Halvane Software\\Tessary test %1").arg(GetCurrentProcessId());
    m_registry.createKey(m_key + QStringLiteral("\\inner"));
}

void TestPlatformWindows::cleanup() {
    RegDeleteTreeW(HKEY_CURRENT_USER, m_key.mid(1).toStdWString().c_str());
}

std::pair<DWORD, QByteArray> TestPlatformWindows::stored(const QString& key, const QString& name) {
    HKEY open = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, key.mid(1).toStdWString().c_str(), 0, KEY_READ, &open) !=
        ERROR_SUCCESS)
        return {REG_NONE, {}};
    QByteArray bytes(4096, '\0');
    DWORD type = REG_NONE;
    DWORD size = DWORD(bytes.size());
    const LSTATUS status = RegQueryValueExW(open, name.toStdWString().c_str(), nullptr, &type,
                                            reinterpret_cast<BYTE*>(bytes.data()), &size);
    RegCloseKey(open);
    if (status != ERROR_SUCCESS)
        return {REG_NONE, {}};
    bytes.truncate(size);
    return {type, bytes};
}

void TestPlatformWindows::valuesKeepTheirTypes() {
    const QString inner = m_key + QStringLiteral("\\inner");
    QVERIFY(m_registry.keyExists(m_key));
    QVERIFY(m_registry.keyExists(inner.toUpper()));
    m_registry.writeBool(inner, QStringLiteral("AutoStart"), true);
    m_registry.writeBool(inner, QStringLiteral("Minimized"), false);
    const QString text = QStringLiteral("Grüße 木 C:\\Bilder\\ä.jpg");
    m_registry.writeString(inner, QStringLiteral("Position"), text);

    const auto [dwordType, dword] = stored(inner, QStringLiteral("AutoStart"));
    QCOMPARE(dwordType, DWORD(REG_DWORD));
    QCOMPARE(dword, QByteArray("\x01\x00\x00\x00", 4));
    QCOMPARE(stored(inner, QStringLiteral("Minimized")).second, QByteArray(4, '\0'));
    const auto [textType, bytes] = stored(inner, QStringLiteral("Position"));
    QCOMPARE(textType, DWORD(REG_SZ));
    // UTF-16 with its terminator, as every REG_SZ the system writes.
    QCOMPARE(bytes, QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2) +
                        QByteArray(2, '\0'));

    QCOMPARE(m_registry.readBool(inner, QStringLiteral("autostart")), true);
    QCOMPARE(m_registry.readBool(inner, QStringLiteral("Minimized")), false);
    QCOMPARE(m_registry.readString(inner, QStringLiteral("POSITION")), text);
    QVERIFY(m_registry.valueExists(inner, QStringLiteral("Position")));
    m_registry.deleteValue(inner, QStringLiteral("Position"));
    QVERIFY(!m_registry.valueExists(inner, QStringLiteral("Position")));
    m_registry.deleteValue(inner, QStringLiteral("Position"));
    m_registry.deleteValue(m_key + QStringLiteral("\\nowhere"), QStringLiteral("Position"));
}

void TestPlatformWindows::readsRefuseAnotherType() {
    m_registry.writeString(m_key, QStringLiteral("Flag"), QStringLiteral("1"));
    m_registry.writeBool(m_key, QStringLiteral("Hours"), true);
    QVERIFY_THROWS_EXCEPTION(AppError, m_registry.readBool(m_key, QStringLiteral("Flag")));
    QVERIFY_THROWS_EXCEPTION(AppError, m_registry.readString(m_key, QStringLiteral("Hours")));
    // Any non-zero number is set; an expandable text reads unexpanded.
    HKEY open = nullptr;
    QCOMPARE(RegOpenKeyExW(HKEY_CURRENT_USER, m_key.mid(1).toStdWString().c_str(), 0, KEY_SET_VALUE,
                           &open),
             LSTATUS(ERROR_SUCCESS));
    const DWORD seven = 7;
    RegSetValueExW(open, L"Seven", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&seven), 4);
    const wchar_t expandable[] = L"%TEMP%\\x";
    RegSetValueExW(open, L"Expandable", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(expandable),
                   sizeof expandable);
    RegCloseKey(open);
    QCOMPARE(m_registry.readBool(m_key, QStringLiteral("Seven")), true);
    QCOMPARE(m_registry.readString(m_key, QStringLiteral("Expandable")),
             QStringLiteral("%TEMP%\\x"));
}

void TestPlatformWindows::missingValuesAndKeys() {
    const QString missing = m_key + QStringLiteral("\\missing");
    QVERIFY(!m_registry.keyExists(missing));
    QCOMPARE(m_registry.readString(missing, QStringLiteral("Position")), QString());
    QCOMPARE(m_registry.readString(m_key, QStringLiteral("Position")), QString());
    QVERIFY_THROWS_EXCEPTION(AppError, m_registry.readBool(m_key, QStringLiteral("AutoStart")));
    // Writing never creates a key: only createKey does.
    QVERIFY_THROWS_EXCEPTION(AppError,
                             m_registry.writeString(missing, QStringLiteral("Position"), "x"));
    QVERIFY_THROWS_EXCEPTION(AppError,
                             m_registry.writeBool(missing, QStringLiteral("AutoStart"), true));
    QVERIFY(!m_registry.keyExists(missing));
    m_registry.createKey(missing + QStringLiteral("\\a\\b"));
    QVERIFY(m_registry.keyExists(missing + QStringLiteral("\\a")));
}

void TestPlatformWindows::wallpaperGoesToTheSystem() {
    QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/Tapete ä XXXXXX"));
    const QString file = QDir::toNativeSeparators(dir.filePath(QStringLiteral("image.bmp")));
    QVERIFY(TestPictureFiles::quadrants(8, 8).save(file, "BMP"));
    PlatformWindows platform;
    platform.setWallpaper(file, false);
    wchar_t current[MAX_PATH] = {};
    QVERIFY(SystemParametersInfoW(SPI_GETDESKWALLPAPER, MAX_PATH, current, 0));
    QCOMPARE(QString::fromWCharArray(current), file);
}

void TestPlatformWindows::colourGoesToTheSystem() {
    PlatformWindows platform;
    const DWORD before = GetSysColor(COLOR_BACKGROUND);
    platform.setDesktopColor(0xFF123456); // the high byte is not part of the colour
    QCOMPARE(GetSysColor(COLOR_BACKGROUND), DWORD(0x00123456));
    platform.setDesktopColor(before);
    QCOMPARE(GetSysColor(COLOR_BACKGROUND), before);
}

void TestPlatformWindows::dataFolderBesideTheExecutableWhenWritable() {
    QTemporaryDir dir;
    const QString program = dir.filePath(QStringLiteral("Programs/Tessary"));
    const QString fallback = dir.filePath(QStringLiteral("Local/Tessary"));
    QVERIFY(QDir().mkpath(program));
    QCOMPARE(PlatformWindows::chooseDataFolder(program, fallback), program);
    QVERIFY(!QFileInfo::exists(fallback));
    QCOMPARE(QDir(program).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList());
    // A folder nothing can be created in (here: below a file) leaves the fallback, created.
    QFile blocker(dir.filePath(QStringLiteral("Program Files")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString unwritable = blocker.fileName() + QStringLiteral("/Tessary");
    QCOMPARE(PlatformWindows::chooseDataFolder(unwritable, fallback), fallback);
    QVERIFY(QFileInfo(fallback).isDir());
    // Neither usable: said, not ignored.
    QVERIFY_THROWS_EXCEPTION(AppError, PlatformWindows::chooseDataFolder(unwritable, unwritable));
}

void TestPlatformWindows::picturesReadAsBytesUnderAnyName() {
    QTemporaryDir dir;
    // Every byte a text-mode read would change or stop at.
    const QString name = dir.filePath(QStringLiteral("Bäume 木 \u00e9t\u00e9.bin"));
    const QByteArray bytes("a\r\nb\x1a\nc\0d\r", 10);
    TestPictureFiles::write(name, bytes);
    RegularFile file(name);
    QCOMPARE(file.size(), qint64(bytes.size()));
    QCOMPARE(file.readAll(1 << 20), bytes);

    const QImage picture = TestPictureFiles::quadrants(16, 8);
    const QString jpegName = dir.filePath(QStringLiteral("Grüße 写真.jpg"));
    TestPictureFiles::write(jpegName, TestPictureFiles::jpeg(picture));
    const QImage loaded = loadJpeg(jpegName);
    QCOMPARE(loaded.size(), picture.size());
    QCOMPARE(QColor(loaded.pixel(1, 1)).red() > 200, true);
    QCOMPARE(QColor(loaded.pixel(14, 6)).blue() > 200, true);
    const QString bmpName = dir.filePath(QStringLiteral("Ölbild.bmp"));
    QVERIFY(picture.save(bmpName, "BMP"));
    QCOMPARE(loadBmp(bmpName).convertToFormat(QImage::Format_RGB32),
             picture.convertToFormat(QImage::Format_RGB32));
}

void TestPlatformWindows::refusesWhatIsNoFile() {
    QTemporaryDir dir;
    const auto refusal = [](const QString& path) {
        try {
            RegularFile file(path);
        } catch (const AppError& error) {
            return error.text();
        }
        return QString();
    };
    QCOMPARE(
        refusal(dir.path()),
        QStringLiteral("Cannot open \"%1\": it is a folder, not a regular file.").arg(dir.path()));
    QCOMPARE(refusal(QStringLiteral("\\\\.\\NUL")),
             QStringLiteral("Cannot open \"\\\\.\\NUL\": it is a device, not a regular file."));
    QVERIFY(refusal(dir.filePath(QStringLiteral("missing.jpg")))
                .startsWith(QStringLiteral("Cannot open \"%1\": ")
                                .arg(dir.filePath(QStringLiteral("missing.jpg")))));
}

QTEST_GUILESS_MAIN(TestPlatformWindows)
#include "TestPlatformWindows.moc"
