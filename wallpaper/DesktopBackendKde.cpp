#include "wallpaper/DesktopBackendKde.h"

#include "app/platform/Errors.h"
#include "wallpaper/DesktopBus.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QUrl>

namespace {

// A JavaScript string literal of any text: JSON's quoting, plus the two line separators that
// older engines refuse inside a literal.
QString jsString(const QString& text) {
    QString quoted =
        QString::fromUtf8(QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact));
    quoted = quoted.mid(1, quoted.size() - 2);
    quoted.replace(QChar(0x2028), QLatin1String("\\u2028"));
    quoted.replace(QChar(0x2029), QLatin1String("\\u2029"));
    return quoted;
}

// Every desktop (one per screen and activity) gets the same settings. The colour goes to the
// picture plugin's settings without switching plugins: it shows once our picture does.
QString forEachDesktop(const QString& body) {
    return QStringLiteral("var all = desktops();\n"
                          "for (var i = 0; i < all.length; i++) {\n"
                          "    var d = all[i];\n"
                          "%1"
                          "}\n")
        .arg(body);
}

} // namespace

QString DesktopBackendKde::name() const {
    return QStringLiteral("KDE Plasma");
}

int DesktopBackendKde::fillMode(Placement placement) {
    switch (placement) {
    case Placement::Tile:
        return 3;
    case Placement::Stretch:
        return 0;
    case Placement::Center:
        break;
    }
    return 6;
}

QString DesktopBackendKde::wallpaperScript(const QString& file, Placement placement) {
    // Plasma ignores an Image equal to the one it shows, so a file rewritten in place would not
    // be reloaded: the wallpaper reacts to each write at once, so an empty value first makes
    // the real one a change.
    const QString uri = jsString(QString::fromUtf8(QUrl::fromLocalFile(file).toEncoded()));
    return forEachDesktop(
        QStringLiteral(
            "    d.wallpaperPlugin = \"org.kde.image\";\n"
            "    d.currentConfigGroup = [\"Wallpaper\", \"org.kde.image\", \"General\"];\n"
            "    d.writeConfig(\"Image\", \"\");\n"
            "    d.writeConfig(\"Image\", %1);\n"
            "    d.writeConfig(\"FillMode\", %2);\n")
            .arg(uri, QString::number(fillMode(placement))));
}

QString DesktopBackendKde::colorScript(QColor color) {
    return forEachDesktop(
        QStringLiteral(
            "    d.currentConfigGroup = [\"Wallpaper\", \"org.kde.image\", \"General\"];\n"
            "    d.writeConfig(\"Color\", %1);\n")
            .arg(jsString(color.name(QColor::HexRgb))));
}

void DesktopBackendKde::evaluate(const QString& script) {
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.kde.plasmashell"), QStringLiteral("/PlasmaShell"),
        QStringLiteral("org.kde.PlasmaShell"), QStringLiteral("evaluateScript"));
    call << script;
    const QDBusMessage reply = callDesktopService(call, QStringLiteral("KDE Plasma"));
    if (reply.type() == QDBusMessage::ReplyMessage)
        return;
    if (reply.errorName() == QLatin1String("org.freedesktop.DBus.Error.ServiceUnknown"))
        throw AppError(QCoreApplication::translate(
            "Desktop", "KDE Plasma is not running: the wallpaper cannot be set."));
    throw AppError(
        QCoreApplication::translate("Desktop", "KDE Plasma refused the wallpaper: %1")
            .arg(reply.errorMessage().isEmpty() ? reply.errorName() : reply.errorMessage()));
}

void DesktopBackendKde::setWallpaper(const QString& file, Placement placement) {
    evaluate(wallpaperScript(file, placement));
}

void DesktopBackendKde::setBackgroundColor(QColor color) {
    evaluate(colorScript(color));
}

std::optional<QColor> DesktopBackendKde::backgroundColor() const {
    return std::nullopt;
}
