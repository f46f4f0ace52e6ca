#include "app/platform/RegistryLinux.h"

namespace {

const QString RunValue = QStringLiteral("Tessary");
const QString BackgroundValue = QStringLiteral("Background");
// A fresh install with a desktop that keeps no colour still starts.
const QString DefaultBackground = QStringLiteral("0 0 0");

bool same(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool isRunValue(const QString& key, const QString& name) {
    return same(key, RegistryKeys::Run) && same(name, RunValue);
}

} // namespace

RegistryLinux::RegistryLinux(ValueStore& store, AutostartEntry autostart, ColorReader desktopColor)
    : m_store(store)
    , m_autostart(std::move(autostart))
    , m_desktopColor(std::move(desktopColor)) {}

bool RegistryLinux::keyExists(const QString& key) const {
    return m_store.keyExists(key);
}

void RegistryLinux::createKey(const QString& key) {
    m_store.createKey(key);
}

bool RegistryLinux::valueExists(const QString& key, const QString& name) const {
    if (isRunValue(key, name))
        return m_autostart.exists();
    return m_store.valueExists(key, name);
}

bool RegistryLinux::readBool(const QString& key, const QString& name) const {
    return m_store.readBool(key, name);
}

QString RegistryLinux::readString(const QString& key, const QString& name) const {
    if (isRunValue(key, name))
        return m_autostart.exists() ? RunValue : QString();
    if (same(key, RegistryKeys::Colors) && same(name, BackgroundValue)) {
        if (m_desktopColor)
            if (const auto current = m_desktopColor())
                return *current;
        const QString stored = m_store.readString(key, name);
        return stored.isEmpty() ? DefaultBackground : stored;
    }
    return m_store.readString(key, name);
}

void RegistryLinux::writeBool(const QString& key, const QString& name, bool value) {
    m_store.writeBool(key, name, value);
}

void RegistryLinux::writeString(const QString& key, const QString& name, const QString& value) {
    if (isRunValue(key, name))
        m_autostart.write(value);
    else
        m_store.writeString(key, name, value);
}

void RegistryLinux::deleteValue(const QString& key, const QString& name) {
    if (isRunValue(key, name))
        m_autostart.remove();
    else
        m_store.deleteValue(key, name);
}
