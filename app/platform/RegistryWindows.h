#pragma once

#include "app/platform/Registry.h"

// The settings tree on Windows: the current user's own registry (HKEY_CURRENT_USER), read and
// written through the registry functions, so that the Run value starts the program at logon
// and the "\Control Panel" values are the system's own.
class RegistryWindows : public Registry {
public:
    bool keyExists(const QString& key) const override;
    void createKey(const QString& key) override;
    bool valueExists(const QString& key, const QString& name) const override;
    bool readBool(const QString& key, const QString& name) const override;
    QString readString(const QString& key, const QString& name) const override;
    void writeBool(const QString& key, const QString& name, bool value) override;
    void writeString(const QString& key, const QString& name, const QString& value) override;
    void deleteValue(const QString& key, const QString& name) override;
};
