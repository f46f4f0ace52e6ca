#pragma once

#include "wallpaper/DesktopBackend.h"

#include <QImage>
#include <QSize>
#include <QString>

#include <optional>

// What the automatic placement does with a picture of a given size on a given screen.
struct PlacementDecision {
    QString word;                    // "Center", "Tile" or "Stretch", for SetAsWallpaper
    bool viaSizeFix = false;         // large and wide (ratio >= 1.55) or tall (ratio < 1)
    std::optional<QSize> scaledSize; // the size SizeFix rescales the picture to first, if any

    bool operator==(const PlacementDecision&) const = default;
};

// Both sides at most 400 pixels: tiled. Larger, with width / height from 1.0 up to just under
// 1.55: stretched. Any other large picture goes through SizeFix (sizeFixTarget) and is centred.
// A picture without area (no picture at all) counts as small and is never divided by.
PlacementDecision decidePlacement(QSize picture, QSize screen);

// SizeFix's new size for a picture of height x width: nothing when the picture is smaller than
// the screen on both sides; otherwise the screen's width (picture at least as wide as tall) or
// the screen's height (taller than wide), the other side following the picture's ratio,
// truncated toward zero and never below one pixel. Nothing either for an empty picture or
// screen.
std::optional<QSize> sizeFixTarget(double height, double width, QSize screen);

// The picture drawn smoothly into the new size. A grey palette picture stays 8-bit grey; a
// colour one comes back as Format_BGR888 (24 bits, whatever the source's depth).
QImage scaledPicture(const QImage& picture, QSize size);

// How a picture goes on one monitor of several: the placement, and the size it is drawn at.
struct MonitorPlacement {
    Placement placement = Placement::Center;
    QSize size;

    bool operator==(const MonitorPlacement&) const = default;
};

// A chosen placement applies to every monitor alike, the picture at its own size. A placement
// the automatic rule determined for the primary screen is decided again for each monitor's own
// size: a picture SizeFix would rescale is drawn at that monitor's SizeFix size.
MonitorPlacement placeOnMonitor(QSize picture, QSize monitor, Placement placement, bool determined);
