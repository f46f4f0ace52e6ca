#include "app/platform/RegistryWindows.h"

#include "app/platform/Errors.h"

#include <QCoreApplication>

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// Paths come with a leading backslash (absolute below the user's root); the system takes them
// relative to the root key.
std::wstring subKey(const QString& key) {
    QString path = key;
    while (path.startsWith(u'\\'))
        path.remove(0, 1);
    return path.toStdWString();
}

QString systemMessage(LSTATUS status) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, DWORD(status), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    QString message = length ? QString::fromWCharArray(text, int(length)).trimmed()
                             : QStringLiteral("system error %1").arg(status);
    LocalFree(text);
    return message;
}

// An open key, closed when it goes.
class OpenKey {
public:
    OpenKey(const QString& key, REGSAM access) {
        m_status = RegOpenKeyExW(HKEY_CURRENT_USER, subKey(key).c_str(), 0, access, &m_key);
    }
    ~OpenKey() {
        if (m_status == ERROR_SUCCESS)
            RegCloseKey(m_key);
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;

    bool isOpen() const { return m_status == ERROR_SUCCESS; }
    LSTATUS status() const { return m_status; }
    HKEY handle() const { return m_key; }

private:
    HKEY m_key = nullptr;
    LSTATUS m_status;
};

// A value as stored: its type and bytes. Nothing when the key or the value is missing.
struct Stored {
    DWORD type = REG_NONE;
    std::vector<BYTE> bytes;
};

bool readValue(const QString& key, const QString& name, Stored& stored) {
    const OpenKey open(key, KEY_QUERY_VALUE);
    if (!open.isOpen())
        return false;
    const std::wstring valueName = name.toStdWString();
    // Never a null buffer: given none, the system answers with the size alone, and success.
    stored.bytes.resize(64);
    for (;;) {
        DWORD size = DWORD(stored.bytes.size());
        const LSTATUS status = RegQueryValueExW(open.handle(), valueName.c_str(), nullptr,
                                                &stored.type, stored.bytes.data(), &size);
        if (status == ERROR_SUCCESS) {
            stored.bytes.resize(size);
            return true;
        }
        if (status != ERROR_MORE_DATA)
            return false;
        // The value may grow between the two calls: ask again with the size it has now.
        stored.bytes.resize(size + sizeof(wchar_t));
    }
}

QString textOf(const Stored& stored) {
    // Stored texts usually end with their terminator, but nothing makes them.
    QString text = QString::fromWCharArray(reinterpret_cast<const wchar_t*>(stored.bytes.data()),
                                           int(stored.bytes.size() / sizeof(wchar_t)));
    const qsizetype end = text.indexOf(QChar(0));
    if (end >= 0)
        text.truncate(end);
    return text;
}

void setValue(const QString& key, const QString& name, DWORD type, const void* data, DWORD size) {
    const OpenKey open(key, KEY_SET_VALUE);
    LSTATUS status = open.status();
    if (open.isOpen())
        status = RegSetValueExW(open.handle(), name.toStdWString().c_str(), 0, type,
                                static_cast<const BYTE*>(data), size);
    if (status != ERROR_SUCCESS)
        throw AppError(QCoreApplication::translate("Settings", "Failed to set data for '%1': %2")
                           .arg(name, systemMessage(status)));
}

} // namespace

bool RegistryWindows::keyExists(const QString& key) const {
    return OpenKey(key, KEY_READ).isOpen();
}

void RegistryWindows::createKey(const QString& key) {
    HKEY created = nullptr;
    const LSTATUS status = RegCreateKeyExW(HKEY_CURRENT_USER, subKey(key).c_str(), 0, nullptr, 0,
                                           KEY_READ | KEY_WRITE, nullptr, &created, nullptr);
    if (status != ERROR_SUCCESS)
        throw AppError(QCoreApplication::translate("Settings", "Cannot create the key \"%1\": %2")
                           .arg(key, systemMessage(status)));
    RegCloseKey(created);
}

bool RegistryWindows::valueExists(const QString& key, const QString& name) const {
    const OpenKey open(key, KEY_QUERY_VALUE);
    return open.isOpen() && RegQueryValueExW(open.handle(), name.toStdWString().c_str(), nullptr,
                                             nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool RegistryWindows::readBool(const QString& key, const QString& name) const {
    Stored stored;
    if (!readValue(key, name, stored))
        throw AppError(
            QCoreApplication::translate("Settings", "The setting \"%1\" is missing.").arg(name));
    if (stored.type != REG_DWORD || stored.bytes.size() != sizeof(DWORD))
        throw AppError(QCoreApplication::translate(
                           "Settings", "The setting \"%1\" should be a number (dword) but is not.")
                           .arg(name));
    DWORD number = 0;
    std::memcpy(&number, stored.bytes.data(), sizeof number);
    return number != 0;
}

QString RegistryWindows::readString(const QString& key, const QString& name) const {
    Stored stored;
    if (!readValue(key, name, stored))
        return {};
    // An expandable text is read as it is stored, unexpanded.
    if (stored.type != REG_SZ && stored.type != REG_EXPAND_SZ)
        throw AppError(QCoreApplication::translate(
                           "Settings", "The setting \"%1\" should be a text but is not.")
                           .arg(name));
    return textOf(stored);
}

void RegistryWindows::writeBool(const QString& key, const QString& name, bool value) {
    const DWORD number = value ? 1 : 0;
    setValue(key, name, REG_DWORD, &number, sizeof number);
}

void RegistryWindows::writeString(const QString& key, const QString& name, const QString& value) {
    const std::wstring text = value.toStdWString();
    setValue(key, name, REG_SZ, text.c_str(), DWORD((text.size() + 1) * sizeof(wchar_t)));
}

void RegistryWindows::deleteValue(const QString& key, const QString& name) {
    const OpenKey open(key, KEY_SET_VALUE);
    if (open.isOpen())
        RegDeleteValueW(open.handle(), name.toStdWString().c_str());
}
