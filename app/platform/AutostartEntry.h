#pragma once

#include <QString>

// The XDG autostart entry that starts the program at logon. It exists exactly when the program
// is to start with the user's session.
class AutostartEntry {
public:
    explicit AutostartEntry(QString path);

    bool exists() const;
    // Writes the entry atomically, starting the given executable. Throws AppError on failure.
    void write(const QString& executable) const;
    // Removes the entry; a missing entry is harmless. Throws AppError when it cannot be removed.
    void remove() const;
    // The executable's path as an Exec= argument: quoted and escaped as desktop entries require.
    static QString execArgument(const QString& executable);

private:
    QString m_path;
};
