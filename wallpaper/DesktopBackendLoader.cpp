#include "wallpaper/DesktopBackendLoader.h"

#include "wallpaper/DesktopBackendGnome.h"
#include "wallpaper/DesktopBackendKde.h"
#include "wallpaper/DesktopBackendNull.h"
#include "wallpaper/DesktopBackendSway.h"
#include "wallpaper/DesktopBackendSwaybg.h"
#include "wallpaper/DesktopBackendX11.h"
#include "wallpaper/DesktopBackendXfce.h"

#include <QCoreApplication>
#include <QStandardPaths>

namespace {

// The words TESSARY_DESKTOP takes, in the order messages and the manual page list them.
const std::pair<const char*, DesktopKind> ForcedKinds[] = {
    {"gnome", DesktopKind::Gnome},   {"cinnamon", DesktopKind::Cinnamon},
    {"mate", DesktopKind::Mate},     {"kde", DesktopKind::Kde},
    {"xfce", DesktopKind::Xfce},     {"sway", DesktopKind::Sway},
    {"swaybg", DesktopKind::Swaybg}, {"x11", DesktopKind::X11},
    {"none", DesktopKind::None},
};

const QString ForceWords = forcedDesktopWords().join(QLatin1String(", "));

// Desktop names as sessions spell them ("ubuntu:GNOME", "X-Cinnamon", "Budgie:GNOME"), matched
// as lower-case substrings of each colon-separated entry, first entry first.
DesktopKind kindOfName(const QString& names) {
    struct Match {
        const char* word;
        DesktopKind kind;
    };
    static const Match matches[] = {
        {"cinnamon", DesktopKind::Cinnamon}, {"mate", DesktopKind::Mate},
        {"gnome", DesktopKind::Gnome},       {"unity", DesktopKind::Gnome},
        {"budgie", DesktopKind::Gnome},      {"kde", DesktopKind::Kde},
        {"plasma", DesktopKind::Kde},        {"xfce", DesktopKind::Xfce},
        {"sway", DesktopKind::Sway},
    };
    for (const QString& entry : names.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        const QString lower = entry.trimmed().toLower();
        for (const Match& match : matches)
            if (lower.contains(QLatin1String(match.word)))
                return match.kind;
    }
    return DesktopKind::None;
}

DesktopChoice forced(const QString& value) {
    const QString word = value.trimmed().toLower();
    for (const auto& [name, kind] : ForcedKinds)
        if (word == QLatin1String(name))
            return {kind,
                    kind == DesktopKind::None ? QStringLiteral("TESSARY_DESKTOP=none") : QString()};
    return {DesktopKind::None,
            QCoreApplication::translate("Desktop", "TESSARY_DESKTOP=\"%1\" is not one of %2")
                .arg(value, ForceWords),
            true};
}

} // namespace

QStringList forcedDesktopWords() {
    QStringList words;
    for (const auto& [name, kind] : ForcedKinds)
        words.append(QLatin1String(name));
    return words;
}

DesktopChoice chooseDesktop(const QProcessEnvironment& env, bool swaybgInstalled) {
    const QString force = env.value(QStringLiteral("TESSARY_DESKTOP"));
    if (!force.isEmpty())
        return forced(force);

    const QString current = env.value(QStringLiteral("XDG_CURRENT_DESKTOP"));
    const QString session = env.value(QStringLiteral("XDG_SESSION_DESKTOP"));
    for (const QString& names : {current, session})
        if (const DesktopKind kind = kindOfName(names); kind != DesktopKind::None)
            return {kind, {}};

    if (!env.value(QStringLiteral("SWAYSOCK")).isEmpty())
        return {DesktopKind::Sway, {}};

    const QString unknown = !current.isEmpty() ? current : session;
    if (!env.value(QStringLiteral("WAYLAND_DISPLAY")).isEmpty()) {
        // The root window of XWayland is never seen: nothing we could draw would show.
        const QString desktop =
            unknown.isEmpty()
                ? QCoreApplication::translate("Desktop", "unknown Wayland desktop")
                : QCoreApplication::translate("Desktop", "unknown Wayland desktop \"%1\"")
                      .arg(unknown);
        if (swaybgInstalled)
            return {DesktopKind::Swaybg, desktop};
        return {DesktopKind::None,
                QCoreApplication::translate("Desktop",
                                            "%1; install swaybg for a wlroots compositor, or set "
                                            "TESSARY_DESKTOP to one of %2")
                    .arg(desktop, ForceWords),
                true};
    }
    if (!env.value(QStringLiteral("DISPLAY")).isEmpty())
        return {
            DesktopKind::X11,
            unknown.isEmpty()
                ? QString()
                : QCoreApplication::translate("Desktop", "unknown desktop \"%1\"").arg(unknown)};
    return {DesktopKind::None, QCoreApplication::translate("Desktop", "no graphical session found"),
            true};
}

std::unique_ptr<DesktopBackend> createDesktopBackend(const QProcessEnvironment& env) {
    const QString swaybg = QStandardPaths::findExecutable(
        QStringLiteral("swaybg"),
        env.value(QStringLiteral("PATH")).split(QLatin1Char(':'), Qt::SkipEmptyParts));
    const DesktopChoice choice = chooseDesktop(env, !swaybg.isEmpty());
    switch (choice.kind) {
    case DesktopKind::Gnome:
        return std::make_unique<DesktopBackendGnome>(DesktopBackendGnome::Flavour::Gnome);
    case DesktopKind::Cinnamon:
        return std::make_unique<DesktopBackendGnome>(DesktopBackendGnome::Flavour::Cinnamon);
    case DesktopKind::Mate:
        return std::make_unique<DesktopBackendGnome>(DesktopBackendGnome::Flavour::Mate);
    case DesktopKind::Kde:
        return std::make_unique<DesktopBackendKde>();
    case DesktopKind::Xfce:
        return std::make_unique<DesktopBackendXfce>();
    case DesktopKind::Sway:
        return std::make_unique<DesktopBackendSway>(env.value(QStringLiteral("SWAYSOCK")));
    case DesktopKind::Swaybg:
        return std::make_unique<DesktopBackendSwaybg>(
            swaybg.isEmpty() ? QStringLiteral("swaybg") : swaybg, choice.note);
    case DesktopKind::X11:
        return std::make_unique<DesktopBackendX11>(env.value(QStringLiteral("DISPLAY")),
                                                   choice.note);
    case DesktopKind::None:
        break;
    }
    return std::make_unique<DesktopBackendNull>(choice.note, choice.tell);
}
