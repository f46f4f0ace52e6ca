#pragma once

#include <QByteArray>
#include <QStringList>

// images.db: one path per line. Lines end at CR LF, a lone CR or a lone LF; a last line without
// an end counts; empty lines are entries; a NUL byte ends the text; nothing is trimmed. Each
// line's bytes are kept exactly (see PathBytes.h), also those that are not UTF-8.
QStringList parseImagesDb(const QByteArray& bytes);
// Every entry followed by CR LF, each as the bytes it was read from; an empty list is an empty
// file.
QByteArray serializeImagesDb(const QStringList& entries);
// True when a NUL byte ended the text before the end of the file.
bool endsAtNul(const QByteArray& bytes);

// Reads the file (a regular file only, without blocking); a missing file gives an empty list.
// Sets *cutAtNul, when given, to whether a NUL left the rest of the file unread. Throws
// AppError when it cannot be read.
QStringList readImagesDb(const QString& path, bool* cutAtNul = nullptr);
// Replaces the file atomically. Throws AppError naming the file on failure.
void writeImagesDb(const QString& path, const QStringList& entries);
