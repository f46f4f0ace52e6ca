#include "wallpaper/DesktopBackendLoader.h"

#include <QTest>

Q_DECLARE_METATYPE(DesktopKind)

namespace {

QProcessEnvironment environment(const QString& assignments) {
    QProcessEnvironment env;
    for (const QString& assignment : assignments.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const qsizetype equals = assignment.indexOf(QLatin1Char('='));
        env.insert(assignment.left(equals), assignment.mid(equals + 1));
    }
    return env;
}

} // namespace

class TestDesktopBackendLoader : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void choose_data() {
        QTest::addColumn<QString>("env");
        QTest::addColumn<DesktopKind>("kind");
        QTest::addColumn<QString>("note");

        using K = DesktopKind;
        const QString none;
        QTest::newRow("GNOME") << "XDG_CURRENT_DESKTOP=GNOME DISPLAY=:0" << K::Gnome << none;
        QTest::newRow("Ubuntu") << "XDG_CURRENT_DESKTOP=ubuntu:GNOME WAYLAND_DISPLAY=wayland-0"
                                << K::Gnome << none;
        QTest::newRow("Unity") << "XDG_CURRENT_DESKTOP=Unity:Unity7:ubuntu" << K::Gnome << none;
        QTest::newRow("Budgie") << "XDG_CURRENT_DESKTOP=Budgie:GNOME" << K::Gnome << none;
        QTest::newRow("GNOME Flashback")
            << "XDG_CURRENT_DESKTOP=GNOME-Flashback:GNOME" << K::Gnome << none;
        QTest::newRow("Cinnamon") << "XDG_CURRENT_DESKTOP=X-Cinnamon" << K::Cinnamon << none;
        QTest::newRow("MATE") << "XDG_CURRENT_DESKTOP=MATE DISPLAY=:0" << K::Mate << none;
        QTest::newRow("KDE") << "XDG_CURRENT_DESKTOP=KDE WAYLAND_DISPLAY=w" << K::Kde << none;
        QTest::newRow("Plasma session") << "XDG_SESSION_DESKTOP=plasma" << K::Kde << none;
        QTest::newRow("XFCE") << "XDG_CURRENT_DESKTOP=XFCE DISPLAY=:0" << K::Xfce << none;
        QTest::newRow("sway by name") << "XDG_CURRENT_DESKTOP=sway" << K::Sway << none;
        QTest::newRow("sway by socket")
            << "SWAYSOCK=/run/user/1000/sway-ipc.sock WAYLAND_DISPLAY=wayland-1" << K::Sway << none;
        QTest::newRow("first known entry wins")
            << "XDG_CURRENT_DESKTOP=Pantheon:XFCE:GNOME" << K::Xfce << none;
        QTest::newRow("session desktop after current")
            << "XDG_CURRENT_DESKTOP=LXQt XDG_SESSION_DESKTOP=xfce DISPLAY=:0" << K::Xfce << none;
        QTest::newRow("unknown X11 desktop") << "XDG_CURRENT_DESKTOP=LXQt DISPLAY=:0" << K::X11
                                             << QStringLiteral("unknown desktop \"LXQt\"");
        QTest::newRow("plain window manager") << "DISPLAY=:1" << K::X11 << none;
        QTest::newRow("unknown Wayland desktop")
            << "XDG_CURRENT_DESKTOP=Hyprland WAYLAND_DISPLAY=wayland-1 DISPLAY=:0" << K::None
            << QStringLiteral("unknown Wayland desktop \"Hyprland\"");
        QTest::newRow("nameless Wayland")
            << "WAYLAND_DISPLAY=wayland-1" << K::None << QStringLiteral("unknown Wayland desktop");
        QTest::newRow("no session")
            << "" << K::None << QStringLiteral("no graphical session found");
        QTest::newRow("forced x11 in GNOME")
            << "TESSARY_DESKTOP=x11 XDG_CURRENT_DESKTOP=GNOME" << K::X11 << none;
        QTest::newRow("forced, any case") << "TESSARY_DESKTOP=Cinnamon" << K::Cinnamon << none;
        QTest::newRow("forced none") << "TESSARY_DESKTOP=none DISPLAY=:0" << K::None
                                     << QStringLiteral("TESSARY_DESKTOP=none");
        QTest::newRow("forced unknown")
            << "TESSARY_DESKTOP=enlightenment DISPLAY=:0" << K::None
            << QStringLiteral("TESSARY_DESKTOP=\"enlightenment\" is not one of gnome, cinnamon, "
                              "mate, kde, xfce, sway, x11, none");
    }

    void choose() {
        QFETCH(QString, env);
        QFETCH(DesktopKind, kind);
        QFETCH(QString, note);
        const DesktopChoice choice = chooseDesktop(environment(env));
        QCOMPARE(choice.kind, kind);
        QCOMPARE(choice.note, note);
    }

    // The About box and the start-up line show why nothing happens, or which guess was made.
    void nameTellsTheChoice_data() {
        QTest::addColumn<QString>("env");
        QTest::addColumn<QString>("name");
        QTest::newRow("GNOME") << "XDG_CURRENT_DESKTOP=GNOME"
                               << "GNOME";
        QTest::newRow("Cinnamon") << "XDG_CURRENT_DESKTOP=X-Cinnamon"
                                  << "Cinnamon";
        QTest::newRow("MATE") << "XDG_CURRENT_DESKTOP=MATE"
                              << "MATE";
        QTest::newRow("KDE") << "XDG_CURRENT_DESKTOP=KDE"
                             << "KDE Plasma";
        QTest::newRow("XFCE") << "XDG_CURRENT_DESKTOP=XFCE"
                              << "XFCE";
        QTest::newRow("sway") << "SWAYSOCK=/tmp/s"
                              << "sway";
        QTest::newRow("X11") << "DISPLAY=:0"
                             << "X11 root window";
        QTest::newRow("unknown X11") << "XDG_CURRENT_DESKTOP=LXQt DISPLAY=:0"
                                     << "X11 root window (unknown desktop \"LXQt\")";
        QTest::newRow("unknown Wayland") << "XDG_CURRENT_DESKTOP=Hyprland WAYLAND_DISPLAY=w"
                                         << "none (unknown Wayland desktop \"Hyprland\")";
    }

    void nameTellsTheChoice() {
        QFETCH(QString, env);
        QFETCH(QString, name);
        QCOMPARE(createDesktopBackend(environment(env))->name(), name);
    }
};

QTEST_APPLESS_MAIN(TestDesktopBackendLoader)
#include "TestDesktopBackendLoader.moc"
