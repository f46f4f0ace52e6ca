#pragma once

#include <QtGlobal>

class QFileDevice;

// Writes `size` bytes at byte `offset` of the open, unbuffered file, whatever its current
// position (which it may move). Returns false on an error, with errno telling which.
bool writeAt(QFileDevice& file, const void* data, qint64 size, qint64 offset);

// Waits until the file's data written so far is on the disk (not necessarily its size or
// times). Returns false on an error, with errno telling which.
bool syncData(QFileDevice& file);
