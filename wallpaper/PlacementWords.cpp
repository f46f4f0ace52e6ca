#include "wallpaper/PlacementWords.h"

#include "app/platform/Errors.h"

DesktopStyle styleForWord(const QString& word) {
    if (word == QLatin1String("Center"))
        return {QStringLiteral("0"), QStringLiteral("0")};
    if (word == QLatin1String("Tile"))
        return {QStringLiteral("0"), QStringLiteral("1")};
    if (word == QLatin1String("Stretch"))
        return {QStringLiteral("2"), QStringLiteral("0")};
    throw SilentAbort();
}

Placement placementFromStyle(const QString& wallpaperStyle, const QString& tileWallpaper) {
    if (tileWallpaper == QLatin1String("1"))
        return Placement::Tile;
    if (wallpaperStyle == QLatin1String("2"))
        return Placement::Stretch;
    return Placement::Center;
}
