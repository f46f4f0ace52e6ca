#pragma once

#include <QString>

#include <cstdint>

// The desktop background colour as stored: "R G B", three decimal numbers with single spaces.
// Packed colours use the layout 0x00BBGGRR.

// Packs the three components as blue * 65536 + green * 256 + red. Nothing is masked or clamped:
// a component above 255 carries into the next byte, as the stored text allows.
std::uint32_t RGBToColor(std::int32_t red, std::int32_t green, std::int32_t blue);

// Reads "R G B": red up to the first space, green up to the second, blue is the rest (an empty
// blue reads as 0). Throws AppError naming the text when a space is missing or a field is not a
// whole number (so a doubled space, which leaves an empty field, is an error).
std::uint32_t colorFromText(const QString& text);

// "R G B" of the low three bytes, in decimal without padding: 0x00A56E3A gives "58 110 165".
QString colorToText(std::uint32_t color);
