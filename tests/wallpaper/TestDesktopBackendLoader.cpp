#include "app/platform/Errors.h"
#include "wallpaper/DesktopBackendLoader.h"

#include <QFile>
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
        QTest::addColumn<bool>("swaybg"); // installed
        QTest::addColumn<bool>("tell");   // the user must be told that nothing can be set

        using K = DesktopKind;
        const QString none;
        const QString forceHint =
            QStringLiteral("; install swaybg for a wlroots compositor, or set TESSARY_DESKTOP to "
                           "one of gnome, cinnamon, mate, kde, xfce, sway, swaybg, x11, none");
        QTest::newRow("GNOME") << "XDG_CURRENT_DESKTOP=GNOME DISPLAY=:0" << K::Gnome << none
                               << false << false;
        QTest::newRow("Ubuntu") << "XDG_CURRENT_DESKTOP=ubuntu:GNOME WAYLAND_DISPLAY=wayland-0"
                                << K::Gnome << none << false << false;
        QTest::newRow("Unity") << "XDG_CURRENT_DESKTOP=Unity:Unity7:ubuntu" << K::Gnome << none
                               << false << false;
        QTest::newRow("Budgie") << "XDG_CURRENT_DESKTOP=Budgie:GNOME" << K::Gnome << none << false
                                << false;
        QTest::newRow("GNOME Flashback")
            << "XDG_CURRENT_DESKTOP=GNOME-Flashback:GNOME" << K::Gnome << none << false << false;
        QTest::newRow("Cinnamon") << "XDG_CURRENT_DESKTOP=X-Cinnamon" << K::Cinnamon << none
                                  << false << false;
        QTest::newRow("MATE") << "XDG_CURRENT_DESKTOP=MATE DISPLAY=:0" << K::Mate << none << false
                              << false;
        QTest::newRow("KDE") << "XDG_CURRENT_DESKTOP=KDE WAYLAND_DISPLAY=w" << K::Kde << none
                             << false << false;
        QTest::newRow("Plasma session")
            << "XDG_SESSION_DESKTOP=plasma" << K::Kde << none << false << false;
        QTest::newRow("XFCE") << "XDG_CURRENT_DESKTOP=XFCE DISPLAY=:0" << K::Xfce << none << false
                              << false;
        QTest::newRow("sway by name")
            << "XDG_CURRENT_DESKTOP=sway" << K::Sway << none << false << false;
        QTest::newRow("sway by socket")
            << "SWAYSOCK=/run/user/1000/sway-ipc.sock WAYLAND_DISPLAY=wayland-1" << K::Sway << none
            << false << false;
        QTest::newRow("first known entry wins")
            << "XDG_CURRENT_DESKTOP=Pantheon:XFCE:GNOME" << K::Xfce << none << false << false;
        QTest::newRow("session desktop after current")
            << "XDG_CURRENT_DESKTOP=LXQt XDG_SESSION_DESKTOP=xfce DISPLAY=:0" << K::Xfce << none
            << false << false;
        QTest::newRow("unknown X11 desktop")
            << "XDG_CURRENT_DESKTOP=LXQt DISPLAY=:0" << K::X11
            << QStringLiteral("unknown desktop \"LXQt\"") << false << false;
        QTest::newRow("plain window manager") << "DISPLAY=:1" << K::X11 << none << false << false;
        // Xwayland's root window is never seen: swaybg where it is installed, or say so.
        QTest::newRow("unknown Wayland desktop")
            << "XDG_CURRENT_DESKTOP=Hyprland WAYLAND_DISPLAY=wayland-1 DISPLAY=:0" << K::None
            << QStringLiteral("unknown Wayland desktop \"Hyprland\"") + forceHint << false << true;
        QTest::newRow("unknown Wayland desktop, swaybg")
            << "XDG_CURRENT_DESKTOP=Hyprland WAYLAND_DISPLAY=wayland-1 DISPLAY=:0" << K::Swaybg
            << QStringLiteral("unknown Wayland desktop \"Hyprland\"") << true << false;
        QTest::newRow("session desktop on Wayland, swaybg")
            << "XDG_SESSION_DESKTOP=river WAYLAND_DISPLAY=wayland-1" << K::Swaybg
            << QStringLiteral("unknown Wayland desktop \"river\"") << true << false;
        QTest::newRow("nameless Wayland")
            << "WAYLAND_DISPLAY=wayland-1" << K::None
            << QStringLiteral("unknown Wayland desktop") + forceHint << false << true;
        QTest::newRow("known Wayland desktop ignores swaybg")
            << "XDG_CURRENT_DESKTOP=KDE WAYLAND_DISPLAY=w" << K::Kde << none << true << false;
        QTest::newRow("X11 ignores swaybg") << "DISPLAY=:0" << K::X11 << none << true << false;
        QTest::newRow("no session")
            << "" << K::None << QStringLiteral("no graphical session found") << true << true;
        QTest::newRow("forced swaybg")
            << "TESSARY_DESKTOP=swaybg DISPLAY=:0" << K::Swaybg << none << false << false;
        QTest::newRow("forced x11 in GNOME")
            << "TESSARY_DESKTOP=x11 XDG_CURRENT_DESKTOP=GNOME" << K::X11 << none << false << false;
        QTest::newRow("forced, any case")
            << "TESSARY_DESKTOP=Cinnamon" << K::Cinnamon << none << false << false;
        QTest::newRow("forced none") << "TESSARY_DESKTOP=none DISPLAY=:0" << K::None
                                     << QStringLiteral("TESSARY_DESKTOP=none") << false << false;
        QTest::newRow("forced unknown")
            << "TESSARY_DESKTOP=enlightenment DISPLAY=:0" << K::None
            << QStringLiteral("TESSARY_DESKTOP=\"enlightenment\" is not one of gnome, cinnamon, "
                              "mate, kde, xfce, sway, swaybg, x11, none")
            << false << true;
    }

    void choose() {
        QFETCH(QString, env);
        QFETCH(DesktopKind, kind);
        QFETCH(QString, note);
        QFETCH(bool, swaybg);
        QFETCH(bool, tell);
        const DesktopChoice choice = chooseDesktop(environment(env), swaybg);
        QCOMPARE(choice.kind, kind);
        QCOMPARE(choice.note, note);
        QCOMPARE(choice.tell, tell);
    }

    // The manual page lists every word TESSARY_DESKTOP takes, and only those; each forces a
    // backend without a complaint, in upper case too.
    void manualListsEveryForcedWord() {
        QFile manual(QStringLiteral(TESSARY_MANUAL));
        QVERIFY2(manual.open(QIODevice::ReadOnly | QIODevice::Text), TESSARY_MANUAL);
        const QStringList lines = QString::fromUtf8(manual.readAll()).split(u'\n');
        qsizetype i = lines.indexOf(QStringLiteral(".B TESSARY_DESKTOP"));
        QVERIFY(i >= 0);
        i = lines.indexOf(QStringLiteral(".RS"), i);
        QVERIFY(i >= 0);
        QStringList listed;
        for (++i; i + 1 < lines.size() && lines[i] != QLatin1String(".RE"); ++i)
            if (lines[i] == QLatin1String(".TP") && lines[i + 1].startsWith(QLatin1String(".B ")))
                listed.append(lines[i + 1].mid(3));
        QCOMPARE(listed, forcedDesktopWords());
        for (const QString& word : listed) {
            const DesktopChoice choice = chooseDesktop(
                environment(QStringLiteral("TESSARY_DESKTOP=") + word.toUpper()), false);
            QVERIFY2(!choice.tell, qPrintable(word));
            QCOMPARE(choice.kind == DesktopKind::None, word == QLatin1String("none"));
        }
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
        QTest::newRow("unknown Wayland")
            << "XDG_CURRENT_DESKTOP=Hyprland WAYLAND_DISPLAY=w PATH=/nonexistent"
            << "none (unknown Wayland desktop \"Hyprland\"; install "
               "swaybg for a wlroots compositor, or set "
               "TESSARY_DESKTOP to one of gnome, cinnamon, mate, "
               "kde, xfce, sway, swaybg, x11, none)";
    }

    void nameTellsTheChoice() {
        QFETCH(QString, env);
        QFETCH(QString, name);
        QCOMPARE(createDesktopBackend(environment(env))->name(), name);
    }

    // Nothing can be set: the user hears it once, as an error the program shows, unless the
    // user chose that.
    void toldOnce() {
        const auto unknown = createDesktopBackend(
            environment(QStringLiteral("WAYLAND_DISPLAY=w PATH=/nonexistent")));
        try {
            unknown->setWallpaper(QStringLiteral("/tmp/image.bmp"), Placement::Center);
            QFAIL("not told");
        } catch (const AppError& error) {
            QVERIFY2(error.text().contains(QLatin1String("TESSARY_DESKTOP")),
                     qPrintable(error.text()));
        }
        unknown->setWallpaper(QStringLiteral("/tmp/image.bmp"), Placement::Center);
        unknown->setBackgroundColor(Qt::red);
        const auto chosen =
            createDesktopBackend(environment(QStringLiteral("TESSARY_DESKTOP=none")));
        chosen->setWallpaper(QStringLiteral("/tmp/image.bmp"), Placement::Center);
    }
};

QTEST_APPLESS_MAIN(TestDesktopBackendLoader)
#include "TestDesktopBackendLoader.moc"
