#pragma once

#include "app/platform/Registry.h"

#include <QByteArray>
#include <QMap>
#include <QStringList>

#include <cstdint>

// The registry held in memory, with its text form (the REGEDIT4 format, so that numbers and
// texts stay distinct). When a file is given, every change is written to it atomically.
class ValueStore : public Registry {
public:
    // keysThatAlwaysExist: the system's keys, present even in a fresh store.
    explicit ValueStore(QStringList keysThatAlwaysExist = {});

    // Reads the file if it exists and keeps it as the place to save to. Throws AppError naming
    // the file (and line) on text it cannot parse, on anything but a regular file and on a file
    // over 1 MiB; the file is then neither kept nor touched.
    void attachFile(const QString& path);

    // The text form and its reader; parse() throws AppError("<origin>:<line>: ...").
    QByteArray serialize() const;
    void parse(const QByteArray& text, const QString& origin);

    bool keyExists(const QString& key) const override;
    void createKey(const QString& key) override;
    bool valueExists(const QString& key, const QString& name) const override;
    bool readBool(const QString& key, const QString& name) const override;
    QString readString(const QString& key, const QString& name) const override;
    void writeBool(const QString& key, const QString& name, bool value) override;
    void writeString(const QString& key, const QString& name, const QString& value) override;
    void deleteValue(const QString& key, const QString& name) override;

    // Stores a number of any size (for tests and for values the program does not write itself).
    void writeDword(const QString& key, const QString& name, std::uint32_t value);

private:
    struct Value {
        QString name;
        bool isNumber = false;
        QString text;
        std::uint32_t number = 0;
        bool operator==(const Value&) const = default;
    };
    struct Key {
        QString path;
        QMap<QString, Value> values; // by lower-cased name
    };

    static QString normalised(const QString& key);
    const Value* find(const QString& key, const QString& name) const;
    Key& existingKey(const QString& key, const QString& name);
    // Stores the value, and the file when that changes it.
    void write(const QString& key, const Value& value);
    void save();

    QStringList m_alwaysThere;
    QMap<QString, Key> m_keys; // by lower-cased path
    QString m_file;
};
