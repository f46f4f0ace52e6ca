#pragma once

#include "app/platform/AutostartEntry.h"
#include "app/platform/ValueStore.h"

#include <functional>
#include <optional>

// The settings tree on Linux: the value store file, except the Run value "Tessary", which is
// the autostart entry, and the desktop colour, which is read from the desktop when it keeps one.
class RegistryLinux : public Registry {
public:
    using ColorReader = std::function<std::optional<QString>()>;

    RegistryLinux(ValueStore& store, AutostartEntry autostart, ColorReader desktopColor);

    bool keyExists(const QString& key) const override;
    void createKey(const QString& key) override;
    bool valueExists(const QString& key, const QString& name) const override;
    bool readBool(const QString& key, const QString& name) const override;
    QString readString(const QString& key, const QString& name) const override;
    void writeBool(const QString& key, const QString& name, bool value) override;
    void writeString(const QString& key, const QString& name, const QString& value) override;
    void deleteValue(const QString& key, const QString& name) override;

private:
    ValueStore& m_store;
    AutostartEntry m_autostart;
    ColorReader m_desktopColor;
};
