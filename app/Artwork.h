#pragma once

#include <QIcon>
#include <QPixmap>

class QPainter;

// The program's own artwork, drawn at run time so that no binary files are needed.
namespace Artwork {
// The program icon at 16 to 96 pixels, for any scale.
QIcon programIcon();
QPixmap programIconPixmap(int size);
// Paints the program icon into a size x size square at the painter's origin: the one drawing
// behind the window icon and the installed icon files.
void paintProgramIcon(QPainter& painter, int size);
} // namespace Artwork
