#pragma once

#include <QImage>

#include <cstddef>

// A picture of `width` x `height` pixels in `format` (Format_BGR888 or Format_Indexed8), rows
// padded to four bytes, for the decoder to fill: every byte of it is written before use. A
// large picture gets a mapping of its own, with huge pages where the system gives them, that
// goes back to the system whole when the picture is dropped, or is kept for the next picture
// (see keepSpareBlock). Null when there is no memory for it.
QImage allocatePicture(int width, int height, QImage::Format format);

// While the wallpaper changes every few seconds, the block of a dropped large picture is kept
// for the next one: mapping it afresh costs the system's zeroing and faulting of every page at
// every change, a third of the time the decoding takes. Off, a kept block goes back at once.
void keepSpareBlock(bool keep);

// Bytes of the block kept for the next picture; 0 when none is kept.
std::size_t spareBlockBytes();
