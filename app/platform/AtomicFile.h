#pragma once

#include <QByteArray>
#include <QString>

// Replaces the file whole or not at all (temporary file in the same folder, then rename).
// Throws AppError naming the file when anything fails; the old content is then untouched.
void writeFileAtomically(const QString& path, const QByteArray& content);

// Creates the folder and its parents; throws AppError naming it when that fails.
void ensureFolder(const QString& path);
