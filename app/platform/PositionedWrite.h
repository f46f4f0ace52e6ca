#pragma once

#include <QtGlobal>

// Writes `size` bytes at byte `offset` of the open file `handle` (a QFileDevice's handle),
// whatever its current position (which it may move on Windows); several threads may write
// different parts of one file at once. Returns false on an error, with errno telling which.
bool writeAt(int handle, const void* data, qint64 size, qint64 offset);

// Waits until the file's data written so far is on the disk (not necessarily its size or
// times). Returns false on an error, with errno telling which.
bool syncData(int handle);
