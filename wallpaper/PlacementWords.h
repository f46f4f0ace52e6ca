#pragma once

#include "wallpaper/DesktopBackend.h"

#include <QString>

// The desktop values a placement word stands for: "WallpaperStyle" and "TileWallpaper".
struct DesktopStyle {
    QString wallpaperStyle;
    QString tileWallpaper;
};

// "Center", "Tile" or "Stretch" (exactly, with case); any other word throws SilentAbort.
DesktopStyle styleForWord(const QString& word);

// Reads the stored desktop values back into a placement, as the system does: "TileWallpaper"
// "1" tiles, "WallpaperStyle" "2" stretches, anything else centres.
Placement placementFromStyle(const QString& wallpaperStyle, const QString& tileWallpaper);
