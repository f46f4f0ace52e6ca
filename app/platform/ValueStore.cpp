#include "app/platform/ValueStore.h"

#include "app/platform/AtomicFile.h"
#include "app/platform/Errors.h"
#include "app/platform/RegularFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace {

// Far more than the program ever writes, and little enough to hold in memory twice.
constexpr qint64 MaxFileBytes = 1 << 20;
const QByteArray Header = "REGEDIT4";
const QString Root = QStringLiteral("HKEY_CURRENT_USER");

QString quoted(const QString& text) {
    QString out;
    out.reserve(text.size() + 2);
    out += u'"';
    for (QChar c : text) {
        if (c == u'\\' || c == u'"')
            out += u'\\';
        if (c == u'\n')
            out += QStringLiteral("\\n");
        else if (c == u'\r')
            out += QStringLiteral("\\r");
        else
            out += c;
    }
    out += u'"';
    return out;
}

// Reads a quoted text starting at pos (on the opening quote); pos ends after the closing quote.
bool unquote(const QString& line, qsizetype& pos, QString& out) {
    if (pos >= line.size() || line[pos] != u'"')
        return false;
    out.clear();
    for (++pos; pos < line.size(); ++pos) {
        const QChar c = line[pos];
        if (c == u'"') {
            ++pos;
            return true;
        }
        if (c == u'\\') {
            if (++pos >= line.size())
                return false;
            const QChar e = line[pos];
            if (e == u'n')
                out += u'\n';
            else if (e == u'r')
                out += u'\r';
            else if (e == u'\\' || e == u'"')
                out += e;
            else
                return false;
        } else {
            out += c;
        }
    }
    return false;
}

} // namespace

ValueStore::ValueStore(QStringList keysThatAlwaysExist)
    : m_alwaysThere(std::move(keysThatAlwaysExist)) {
    for (const QString& key : m_alwaysThere)
        createKey(key);
}

QString ValueStore::normalised(const QString& key) {
    QString path = key;
    if (!path.startsWith(u'\\'))
        path.prepend(u'\\');
    while (path.size() > 1 && path.endsWith(u'\\'))
        path.chop(1);
    return path;
}

void ValueStore::attachFile(const QString& path) {
    // Read as any file someone else may have put there: a pipe or a device must not hang or
    // flood the start.
    if (QFileInfo::exists(path))
        parse(RegularFile(path).readAll(MaxFileBytes), path);
    m_file = path;
}

QByteArray ValueStore::serialize() const {
    QString out = QString::fromLatin1(Header) + QStringLiteral("\n");
    for (const Key& key : m_keys) {
        out += QStringLiteral("\n[") + Root + key.path + QStringLiteral("]\n");
        for (const Value& value : key.values) {
            out += quoted(value.name) + u'=';
            if (value.isNumber)
                out += QStringLiteral("dword:%1").arg(value.number, 8, 16, QLatin1Char('0'));
            else
                out += quoted(value.text);
            out += u'\n';
        }
    }
    return out.toUtf8();
}

void ValueStore::parse(const QByteArray& text, const QString& origin) {
    QMap<QString, Key> keys;
    Key* current = nullptr;
    bool sawHeader = false;
    const QList<QByteArray> lines = text.split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const auto fail = [&](const QString& why) {
            throw AppError(QStringLiteral("%1:%2: %3").arg(origin).arg(i + 1).arg(why));
        };
        QByteArray raw = lines[i];
        if (raw.endsWith('\r'))
            raw.chop(1);
        const QString line = QString::fromUtf8(raw);
        if (line.contains(QChar::ReplacementCharacter) || raw.contains('\0'))
            fail(QCoreApplication::translate("Settings", "not text"));
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(u';'))
            continue;
        if (!sawHeader) {
            if (trimmed != QLatin1String(Header))
                fail(QCoreApplication::translate("Settings",
                                                 "expected \"REGEDIT4\" as the first line"));
            sawHeader = true;
            continue;
        }
        if (trimmed.startsWith(u'[')) {
            if (!trimmed.endsWith(u']'))
                fail(QCoreApplication::translate("Settings", "a key line must end with \"]\""));
            const QString path = trimmed.mid(1, trimmed.size() - 2);
            if (!path.startsWith(Root, Qt::CaseInsensitive))
                fail(QCoreApplication::translate("Settings",
                                                 "keys must be below HKEY_CURRENT_USER"));
            const QString keyPath = normalised(path.mid(Root.size()));
            Key& key = keys[keyPath.toLower()];
            key.path = keyPath;
            current = &key;
            continue;
        }
        if (!current)
            fail(QCoreApplication::translate("Settings", "a value before any key"));
        qsizetype pos = 0;
        Value value;
        if (!unquote(trimmed, pos, value.name))
            fail(QCoreApplication::translate("Settings",
                                             "a value line must start with a quoted name"));
        if (pos >= trimmed.size() || trimmed[pos] != u'=')
            fail(QCoreApplication::translate("Settings", "expected \"=\" after the value name"));
        ++pos;
        const QString rest = trimmed.mid(pos);
        if (rest.startsWith(u'"')) {
            qsizetype at = 0;
            if (!unquote(rest, at, value.text) || at != rest.size())
                fail(QCoreApplication::translate("Settings", "badly quoted text"));
        } else if (rest.startsWith(QLatin1String("dword:"), Qt::CaseInsensitive)) {
            const QString digits = rest.mid(6);
            bool ok = digits.size() >= 1 && digits.size() <= 8;
            value.number = ok ? digits.toUInt(&ok, 16) : 0;
            if (!ok)
                fail(QCoreApplication::translate("Settings",
                                                 "a dword needs one to eight hexadecimal digits"));
            value.isNumber = true;
        } else {
            fail(QCoreApplication::translate("Settings",
                                             "expected a quoted text or dword:XXXXXXXX"));
        }
        current->values.insert(value.name.toLower(), value);
    }
    if (!sawHeader && !text.trimmed().isEmpty())
        throw AppError(
            QCoreApplication::translate("Settings", "%1:1: expected \"REGEDIT4\" as the first line")
                .arg(origin));
    m_keys = keys;
    for (const QString& key : m_alwaysThere)
        if (!m_keys.contains(normalised(key).toLower()))
            m_keys.insert(normalised(key).toLower(), Key{normalised(key), {}});
}

bool ValueStore::keyExists(const QString& key) const {
    return m_keys.contains(normalised(key).toLower());
}

void ValueStore::createKey(const QString& key) {
    const QString path = normalised(key);
    if (m_keys.contains(path.toLower()))
        return;
    m_keys.insert(path.toLower(), Key{path, {}});
    save();
}

const ValueStore::Value* ValueStore::find(const QString& key, const QString& name) const {
    const auto k = m_keys.constFind(normalised(key).toLower());
    if (k == m_keys.cend())
        return nullptr;
    const auto v = k->values.constFind(name.toLower());
    return v == k->values.cend() ? nullptr : &*v;
}

bool ValueStore::valueExists(const QString& key, const QString& name) const {
    return find(key, name) != nullptr;
}

bool ValueStore::readBool(const QString& key, const QString& name) const {
    const Value* value = find(key, name);
    if (!value)
        throw AppError(
            QCoreApplication::translate("Settings", "The setting \"%1\" is missing.").arg(name));
    if (!value->isNumber)
        throw AppError(QCoreApplication::translate(
                           "Settings", "The setting \"%1\" should be a number (dword) but holds "
                                       "the text \"%2\".")
                           .arg(name, value->text));
    return value->number != 0;
}

QString ValueStore::readString(const QString& key, const QString& name) const {
    const Value* value = find(key, name);
    if (!value)
        return {};
    if (value->isNumber)
        throw AppError(QCoreApplication::translate(
                           "Settings", "The setting \"%1\" should be a text but holds the number "
                                       "%2.")
                           .arg(name)
                           .arg(value->number));
    return value->text;
}

ValueStore::Key& ValueStore::existingKey(const QString& key, const QString& name) {
    const auto k = m_keys.find(normalised(key).toLower());
    if (k == m_keys.end())
        throw AppError(
            QCoreApplication::translate(
                "Settings", "Failed to set data for '%1': the key \"%2\" does not exist.")
                .arg(name, normalised(key)));
    return *k;
}

void ValueStore::writeBool(const QString& key, const QString& name, bool value) {
    writeDword(key, name, value ? 1 : 0);
}

void ValueStore::writeDword(const QString& key, const QString& name, std::uint32_t value) {
    write(key, Value{name, true, {}, value});
}

void ValueStore::writeString(const QString& key, const QString& name, const QString& value) {
    write(key, Value{name, false, value, 0});
}

void ValueStore::write(const QString& key, const Value& value) {
    QMap<QString, Value>& values = existingKey(key, value.name).values;
    const auto known = values.constFind(value.name.toLower());
    // Each pick writes the same desktop values again: the file on disk already holds them.
    if (known != values.cend() && *known == value && (m_file.isEmpty() || QFile::exists(m_file)))
        return;
    values.insert(value.name.toLower(), value);
    save();
}

void ValueStore::deleteValue(const QString& key, const QString& name) {
    const auto k = m_keys.find(normalised(key).toLower());
    if (k == m_keys.end() || k->values.remove(name.toLower()) == 0)
        return;
    save();
}

void ValueStore::save() {
    if (m_file.isEmpty())
        return;
    ensureFolder(QFileInfo(m_file).absolutePath());
    writeFileAtomically(m_file, serialize());
}
