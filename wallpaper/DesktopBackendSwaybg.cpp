#include "wallpaper/DesktopBackendSwaybg.h"

#include "app/platform/Errors.h"
#include "wallpaper/DesktopBackendSway.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>

namespace {

// How long a new swaybg must keep running to count as showing: one that the compositor refuses
// (no background layer) ends at once with its reason.
const int SettleMs = 700;
const int EndMs = 2000;

void end(QProcess& process) {
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(EndMs)) {
        process.kill();
        process.waitForFinished(EndMs);
    }
}

} // namespace

DesktopBackendSwaybg::DesktopBackendSwaybg(QString program, QString note)
    : m_program(std::move(program))
    , m_note(std::move(note)) {}

DesktopBackendSwaybg::~DesktopBackendSwaybg() {
    if (m_running)
        end(*m_running);
}

QString DesktopBackendSwaybg::name() const {
    const QString name = QStringLiteral("swaybg");
    return m_note.isEmpty() ? name : QStringLiteral("%1 (%2)").arg(name, m_note);
}

QStringList DesktopBackendSwaybg::arguments(const QString& file, Placement placement,
                                            QColor color) {
    QStringList arguments{QStringLiteral("-o"), QStringLiteral("*")};
    if (!file.isEmpty())
        arguments << QStringLiteral("-i") << file << QStringLiteral("-m")
                  << DesktopBackendSway::modeWord(placement);
    arguments << QStringLiteral("-c") << color.name(QColor::HexRgb);
    return arguments;
}

void DesktopBackendSwaybg::setWallpaper(const QString& file, Placement placement) {
    // swaybg says nothing about a picture it cannot open: look first.
    if (!QFileInfo(file).isReadable())
        throw AppError(
            QCoreApplication::translate("Desktop", "The wallpaper file \"%1\" cannot be read.")
                .arg(file));
    show(arguments(file, placement, m_color));
    m_file = file;
    m_placement = placement;
}

void DesktopBackendSwaybg::setBackgroundColor(QColor color) {
    const QString file = QFileInfo(m_file).isReadable() ? m_file : QString();
    show(arguments(file, m_placement, color));
    m_color = color;
}

std::optional<QColor> DesktopBackendSwaybg::backgroundColor() const {
    return std::nullopt;
}

void DesktopBackendSwaybg::assumeBackgroundColor(QColor color) {
    m_color = color;
}

// The new background goes up before the old one is ended, so the desktop never shows bare.
void DesktopBackendSwaybg::show(const QStringList& arguments) {
    auto process = std::make_unique<QProcess>();
    process->setProcessChannelMode(QProcess::MergedChannels);
    process->setStandardInputFile(QProcess::nullDevice());
    process->start(m_program, arguments);
    if (!process->waitForStarted(EndMs))
        throw AppError(
            QCoreApplication::translate("Desktop", "swaybg (\"%1\") cannot be started: %2")
                .arg(m_program, process->errorString()));
    if (process->waitForFinished(SettleMs)) {
        const QString said = QString::fromLocal8Bit(process->readAll()).trimmed();
        throw AppError(QCoreApplication::translate(
                           "Desktop", "swaybg could not show the wallpaper on this desktop "
                                      "(exit code %1)%2")
                           .arg(process->exitCode())
                           .arg(said.isEmpty() ? QString() : QStringLiteral(": ") + said));
    }
    // What it says later stays unread: swaybg logs only errors, far less than a pipe holds.
    if (m_running)
        end(*m_running);
    m_running = std::move(process);
}
