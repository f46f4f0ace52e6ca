#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// The XDG autostart entry that starts the program at logon. It exists exactly when the program
// is to start with the user's session.
class AutostartEntry {
public:
    explicit AutostartEntry(QString path);

    bool exists() const;
    // Writes the entry atomically, starting the given executable. Throws AppError on failure,
    // and for a path that an entry cannot express (see execArgument).
    void write(const QString& executable) const;
    // Removes the entry; a missing entry is harmless. Throws AppError when it cannot be removed.
    void remove() const;

    // The entry's text for the executable, which it both starts (Exec) and needs (TryExec), with
    // the installed icon. Throws AppError for a path that an entry cannot express.
    static QByteArray text(const QString& executable);
    // The executable's path as the Exec= value: quoted and escaped as desktop entries require
    // (inside double quotes " ` $ \ take a backslash, % is doubled, then the value's own escapes
    // \\ \n \t \r). Throws AppError for a path that holds another control character or a byte
    // that is not UTF-8: a desktop entry has no way to write those.
    static QString execArgument(const QString& executable);
    // A value of a desktop entry with its escapes: \\ \n \t \r, and \s for a leading space.
    static QString escapeValue(const QString& value);
    // The command an entry's text starts, both escapings undone: the Exec value of its
    // [Desktop Entry] group split into arguments. Nothing when there is none or it is not
    // well formed.
    static std::optional<QStringList> execCommand(const QByteArray& entry);

private:
    QString m_path;
};
