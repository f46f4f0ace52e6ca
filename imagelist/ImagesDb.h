#pragma once

#include <QByteArray>
#include <QStringList>

// images.db: one path per line. Lines end at CR LF, a lone CR or a lone LF; a last line without
// an end counts; empty lines are entries; a NUL byte ends the text; nothing is trimmed.
QStringList parseImagesDb(const QByteArray& bytes);
// Every entry followed by CR LF; an empty list is an empty file.
QByteArray serializeImagesDb(const QStringList& entries);

// Reads the file; a missing file gives an empty list. Throws AppError when it cannot be read.
QStringList readImagesDb(const QString& path);
// Replaces the file atomically. Throws AppError naming the file on failure.
void writeImagesDb(const QString& path, const QStringList& entries);
