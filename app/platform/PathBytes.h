#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Linux file names are bytes, not text. A path read as bytes becomes text that can be shown
// and compared, and goes back to exactly the same bytes: valid UTF-8 decodes as usual, and each
// byte that is not part of valid UTF-8 becomes the lone surrogate U+DC80..U+DCFF (which valid
// UTF-8 never produces), so nothing is lost on the way through.
QString pathFromBytes(QByteArrayView bytes);
// The bytes a path stands for: the inverse of pathFromBytes, and plain UTF-8 for any other text.
QByteArray pathToBytes(const QString& path);
// The path as it is shown to the user: each byte that is not UTF-8 as U+FFFD.
QString displayPath(const QString& path);
