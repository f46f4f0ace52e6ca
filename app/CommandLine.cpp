#include "app/CommandLine.h"

#include <QDir>
#include <QFileInfo>

#include <array>

namespace {

// QGuiApplication's and QApplication's options: those that take a value, then the others.
constexpr std::array QtValueOptions{
    "platform",    "platformpluginpath", "platformtheme", "plugin",  "qwindowgeometry",
    "qwindowicon", "qwindowtitle",       "session",       "display", "geometry",
    "style",       "stylesheet",         "name",          "title",   "visual"};
constexpr std::array QtFlagOptions{"reverse", "widgetcount", "nograb", "dograb", "sync"};

template <std::size_t N> bool listed(const std::array<const char*, N>& names, const QString& name) {
    for (const char* known : names)
        if (name == QLatin1String(known))
            return true;
    return false;
}

} // namespace

CommandLine CommandLine::parse(const QStringList& arguments, const QString& workingFolder) {
    CommandLine line;
    const QDir base(workingFolder);
    bool optionsEnd = false;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (optionsEnd || !argument.startsWith(u'-') || argument == QLatin1String("-")) {
            line.paths.append(QDir::cleanPath(base.absoluteFilePath(argument)));
            continue;
        }
        if (argument == QLatin1String("--")) {
            optionsEnd = true;
        } else if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            line.action = Action::Help;
            return line;
        } else if (argument == QLatin1String("--version") || argument == QLatin1String("-v")) {
            line.action = Action::Version;
            return line;
        } else {
            // Qt accepts its options with one dash or two, and a value after '=' or apart.
            QString name = argument.mid(argument.startsWith(QLatin1String("--")) ? 2 : 1);
            const bool valueAttached = name.contains(u'=');
            name = name.section(u'=', 0, 0);
            if (listed(QtValueOptions, name)) {
                if (!valueAttached && ++i >= arguments.size()) {
                    line.error = QStringLiteral("option %1 needs a value").arg(argument);
                    line.action = Action::Error;
                    return line;
                }
            } else if (!listed(QtFlagOptions, name) || valueAttached) {
                line.error = QStringLiteral("unknown option %1 (try --help)").arg(argument);
                line.action = Action::Error;
                return line;
            }
        }
    }
    return line;
}

QString CommandLine::helpText(const QString& program) {
    return QStringLiteral(
               "Usage: %1 [OPTION] [PICTURE | FOLDER]...\n"
               "Keeps a list of BMP and JPEG pictures and changes the desktop wallpaper to a "
               "random one\nat a set interval.\n\n"
               "Pictures and folders given are added to the list (a folder: its pictures, "
               "with those of\nits subfolders), by the copy already running if there is one; "
               "not while it rotates.\n\n"
               "  -h, --help     print this help and exit\n"
               "  -v, --version  print the version and exit\n"
               "  --             end of options: what follows are file names\n\n"
               "Qt's options (-platform, -style, -session...) are accepted too.\n"
               "TESSARY_DESKTOP forces the desktop (gnome, cinnamon, mate, kde, xfce, sway, "
               "swaybg, x11,\nnone); see tessary(1).\n")
        .arg(program);
}
