#pragma once

#include <QIcon>
#include <QPixmap>

class QPainter;

// The program's own artwork, drawn at run time so that no binary files are needed.
namespace Artwork {
// The program icon at 16, 32 and 48 pixels.
QIcon programIcon();
QPixmap programIconPixmap(int size);
// Paints the program icon into a size x size square at the painter's origin: the one drawing
// behind the window icon and the installed icon files.
void paintProgramIcon(QPainter& painter, int size);
// The banner at the top of the main window.
QPixmap banner(int width, int height);
// A rounded frame corner; corner 0 is top-left, then clockwise.
QPixmap frameCorner(int corner, int size = 20);
// The frame's horizontal edge.
QPixmap frameEdge(int width, int height = 3);
} // namespace Artwork
