#include "app/platform/AutostartEntry.h"

#include "app/platform/AtomicFile.h"
#include "app/platform/Errors.h"

#include <QFile>
#include <QFileInfo>

AutostartEntry::AutostartEntry(QString path)
    : m_path(std::move(path)) {}

bool AutostartEntry::exists() const {
    return QFileInfo::exists(m_path);
}

QString AutostartEntry::execArgument(const QString& executable) {
    // Inside the quotes, " ` $ and \ take a backslash; then the value itself escapes each
    // backslash again, and a field code's % is doubled.
    QString quoted;
    for (QChar c : executable) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            quoted += u'\\';
        quoted += c;
    }
    quoted.replace(u'\\', QStringLiteral("\\\\"));
    quoted.replace(u'%', QStringLiteral("%%"));
    return u'"' + quoted + u'"';
}

void AutostartEntry::write(const QString& executable) const {
    const QString text = QStringLiteral("[Desktop Entry]\n"
                                        "Type=Application\n"
                                        "Name=Tessary\n"
                                        "Comment=Randomly changes your wallpaper.\n"
                                        "Exec=%1\n"
                                        "Terminal=false\n"
                                        "X-GNOME-Autostart-enabled=true\n"
                                        "X-GNOME-Autostart-Delay=5\n"
                                        "X-KDE-autostart-after=panel\n"
                                        "X-LXQt-Need-Tray=true\n")
                             .arg(execArgument(executable));
    ensureFolder(QFileInfo(m_path).absolutePath());
    writeFileAtomically(m_path, text.toUtf8());
}

void AutostartEntry::remove() const {
    QFile file(m_path);
    if (file.exists() && !file.remove())
        throw AppError(QStringLiteral("Cannot remove \"%1\": %2").arg(m_path, file.errorString()));
}
