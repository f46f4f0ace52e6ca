#include "app/platform/AutostartEntry.h"

#include "app/Version.h"
#include "app/platform/AtomicFile.h"
#include "app/platform/Errors.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace {

AppError inexpressible(const QString& executable, const QString& why) {
    return AppError(
        QCoreApplication::translate("Files", "The program's path \"%1\" cannot be written into an "
                                             "autostart entry: %2")
            .arg(executable, why));
}

// The value's own escapes undone; nothing for a backslash that starts no known escape.
std::optional<QString> unescapeValue(QStringView value) {
    QString out;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] != u'\\') {
            out += value[i];
            continue;
        }
        if (++i == value.size())
            return std::nullopt;
        switch (value[i].unicode()) {
        case u's':
            out += u' ';
            break;
        case u'n':
            out += u'\n';
            break;
        case u't':
            out += u'\t';
            break;
        case u'r':
            out += u'\r';
            break;
        case u'\\':
            out += u'\\';
            break;
        default:
            return std::nullopt;
        }
    }
    return out;
}

// One argument's field codes: %% is a percent sign; we write no other code.
std::optional<QString> expandFieldCodes(const QString& argument) {
    QString out;
    for (qsizetype i = 0; i < argument.size(); ++i) {
        if (argument[i] == u'%' && (++i == argument.size() || argument[i] != u'%'))
            return std::nullopt;
        out += argument[i];
    }
    return out;
}

// Splits an unescaped Exec value into arguments: separated by spaces, each either plain or whole
// in double quotes, where a backslash escapes " ` $ and \ only.
std::optional<QStringList> splitArguments(const QString& command) {
    QStringList arguments;
    qsizetype i = 0;
    while (i < command.size()) {
        if (command[i] == u' ') {
            ++i;
            continue;
        }
        QString argument;
        if (command[i] == u'"') {
            for (++i;; ++i) {
                if (i == command.size())
                    return std::nullopt;
                if (command[i] == u'"')
                    break;
                if (command[i] == u'\\') {
                    if (++i == command.size() || !QStringView(u"\"`$\\").contains(command[i]))
                        return std::nullopt;
                }
                argument += command[i];
            }
            ++i;
            if (i < command.size() && command[i] != u' ')
                return std::nullopt;
        } else {
            while (i < command.size() && command[i] != u' ')
                argument += command[i++];
        }
        const std::optional<QString> expanded = expandFieldCodes(argument);
        if (!expanded)
            return std::nullopt;
        arguments.append(*expanded);
    }
    return arguments;
}

} // namespace

AutostartEntry::AutostartEntry(QString path)
    : m_path(std::move(path)) {}

bool AutostartEntry::exists() const {
    return QFileInfo::exists(m_path);
}

QString AutostartEntry::escapeValue(const QString& value) {
    QString escaped;
    for (QChar c : value) {
        switch (c.unicode()) {
        case u'\\':
            escaped += QLatin1String("\\\\");
            break;
        case u'\n':
            escaped += QLatin1String("\\n");
            break;
        case u'\t':
            escaped += QLatin1String("\\t");
            break;
        case u'\r':
            escaped += QLatin1String("\\r");
            break;
        default:
            escaped += c;
        }
    }
    if (escaped.startsWith(u' '))
        escaped.replace(0, 1, QLatin1String("\\s"));
    return escaped;
}

QString AutostartEntry::execArgument(const QString& executable) {
    QString quoted(u'"');
    for (qsizetype i = 0; i < executable.size(); ++i) {
        const QChar c = executable[i];
        if (c.isHighSurrogate() && i + 1 < executable.size() &&
            executable[i + 1].isLowSurrogate()) {
            quoted += c;
            quoted += executable[++i];
            continue;
        }
        if (c.isSurrogate())
            throw inexpressible(executable, QCoreApplication::translate(
                                                "Files", "it holds bytes that are not UTF-8."));
        if ((c.unicode() < 0x20 && c != u'\n' && c != u'\t' && c != u'\r') || c.unicode() == 0x7f)
            throw inexpressible(executable, QCoreApplication::translate(
                                                "Files", "it holds the control character U+%1.")
                                                .arg(int(c.unicode()), 4, 16, QChar(u'0')));
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            quoted += u'\\';
        if (c == u'%')
            quoted += u'%';
        quoted += c;
    }
    quoted += u'"';
    return escapeValue(quoted);
}

std::optional<QStringList> AutostartEntry::execCommand(const QByteArray& entry) {
    bool inMainGroup = false;
    std::optional<QStringList> command;
    for (const QByteArray& rawLine : entry.split('\n')) {
        const QString line = QString::fromUtf8(rawLine);
        if (line.startsWith(u'[')) {
            inMainGroup = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (!inMainGroup || line.startsWith(u'#') || equals < 0 ||
            QStringView(line).left(equals).trimmed() != QLatin1String("Exec"))
            continue;
        // Blanks around "=" are not part of the value.
        QStringView value = QStringView(line).mid(equals + 1);
        while (value.startsWith(u' ') || value.startsWith(u'\t'))
            value = value.mid(1);
        const std::optional<QString> unescaped = unescapeValue(value);
        command = unescaped ? splitArguments(*unescaped) : std::nullopt;
        if (!command)
            return std::nullopt;
    }
    return command;
}

QByteArray AutostartEntry::text(const QString& executable) {
    // Values as written: none but the program's path needs escaping. TryExec lets the session
    // skip an entry whose program is gone (removed while the entry stayed in the user's home).
    const QList<std::pair<const char*, QString>> values = {
        {"Type", QStringLiteral("Application")},
        {"Name", QStringLiteral("Tessary")},
        {"Comment", QStringLiteral("Randomly changes your wallpaper.")},
        {"Exec", execArgument(executable)},
        {"TryExec", escapeValue(executable)},
        {"Icon", QStringLiteral(TESSARY_APP_ID)},
        {"Terminal", QStringLiteral("false")},
        {"X-GNOME-Autostart-enabled", QStringLiteral("true")},
        {"X-GNOME-Autostart-Delay", QStringLiteral("5")},
        {"X-KDE-autostart-after", QStringLiteral("panel")},
        {"X-LXQt-Need-Tray", QStringLiteral("true")},
    };
    QString text = QStringLiteral("[Desktop Entry]\n");
    for (const auto& [key, value] : values)
        text += QLatin1String(key) + u'=' + value + u'\n';
    const QByteArray bytes = text.toUtf8();
    // Whatever reads the entry must come back to exactly this program.
    if (execCommand(bytes) != QStringList{executable})
        throw inexpressible(
            executable, QCoreApplication::translate("Files", "it does not read back the same."));
    return bytes;
}

void AutostartEntry::write(const QString& executable) const {
    const QByteArray bytes = text(executable);
    ensureFolder(QFileInfo(m_path).absolutePath());
    writeFileAtomically(m_path, bytes);
}

void AutostartEntry::remove() const {
    QFile file(m_path);
    if (file.exists() && !file.remove())
        throw AppError(QCoreApplication::translate("Files", "Cannot remove \"%1\": %2")
                           .arg(m_path, file.errorString()));
}
