#pragma once

#include <QStringList>

// The pictures among files and folders handed to the program (dropped on the window, given on
// the command line): what Add would take, and what it would not.
struct GatheredPictures {
    // BMP and JPEG files: each file given, then each folder's pictures, with those of its
    // subfolders, in name order.
    QStringList pictures;
    // What was given and is neither a picture nor a folder holding one, as given.
    QStringList refused;
};

// Whether a file name is one the Add dialog offers: .bmp, .jpg or .jpeg, in any case.
bool hasPictureSuffix(const QString& path);
// Looks at the paths as they are on disk. Links to folders inside a folder are not followed,
// so that a link back up cannot make the walk endless.
GatheredPictures gatherPictures(const QStringList& paths);
