#pragma once

#include <QString>

// The user's typed settings tree. Keys are absolute paths below the user's root, written with
// backslashes ("\Software\Halvane Software\Tessary"); key and value names ignore case.
// Failures throw AppError with a text for the user.
class Registry {
public:
    virtual ~Registry() = default;

    // True when the key exists.
    virtual bool keyExists(const QString& key) const = 0;
    // Creates the key and its missing parents; an existing key stays as it is.
    virtual void createKey(const QString& key) = 0;
    // True when the key exists and holds a value of that name.
    virtual bool valueExists(const QString& key, const QString& name) const = 0;
    // A number value read as a flag: non-zero is true. Throws when missing or of another type.
    virtual bool readBool(const QString& key, const QString& name) const = 0;
    // A text value; a missing value or key reads as "". Throws when the value is a number.
    virtual QString readString(const QString& key, const QString& name) const = 0;
    // Stores a number 1 or 0. Throws when the key does not exist or the store cannot be saved.
    virtual void writeBool(const QString& key, const QString& name, bool value) = 0;
    // Stores a text. Throws when the key does not exist or the store cannot be saved.
    virtual void writeString(const QString& key, const QString& name, const QString& value) = 0;
    // Removes the value; a missing value or key is harmless.
    virtual void deleteValue(const QString& key, const QString& name) = 0;
};

namespace RegistryKeys {
inline const QString Product = QStringLiteral("\\Software\\Halvane Software\\Tessary");
inline const QString Run = QStringLiteral("\\Software\\Microsoft\\Windows\\CurrentVersion\\Run");
inline const QString Desktop = QStringLiteral("\\Control Panel\\Desktop");
inline const QString Colors = QStringLiteral("\\Control Panel\\Colors");
} // namespace RegistryKeys
