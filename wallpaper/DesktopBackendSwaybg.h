#pragma once

#include "wallpaper/DesktopBackend.h"

#include <QStringList>

#include <memory>

class QProcess;

// A Wayland compositor we do not know that speaks the wlroots background layer (Hyprland,
// Wayfire, river...): we run swaybg ourselves, one for each picture, and end it at exit.
class DesktopBackendSwaybg : public DesktopBackend {
public:
    // program: the swaybg to run; note: which desktop this is, shown in the name.
    explicit DesktopBackendSwaybg(QString program, QString note = {});
    ~DesktopBackendSwaybg() override;

    QString name() const override;
    void setWallpaper(const QString& file, Placement placement) override;
    void setBackgroundColor(QColor color) override;
    std::optional<QColor> backgroundColor() const override;
    void assumeBackgroundColor(QColor color) override;
    // The running swaybg is a child process object of the interface thread.
    bool showsFromWorker() const override { return false; }

    // swaybg's arguments for every output: the picture (none for the colour alone), its mode
    // and the fill colour.
    static QStringList arguments(const QString& file, Placement placement, QColor color);

private:
    void show(const QStringList& arguments);

    QString m_program;
    QString m_note;
    QColor m_color = Qt::black;
    QString m_file;
    Placement m_placement = Placement::Center;
    std::unique_ptr<QProcess> m_running;
};
