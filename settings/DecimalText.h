#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>

// Whole numbers stored as text. A value is a 32-bit decimal with an optional sign; spaces and
// tabs around it are tolerated because hand-edited settings files often carry them. Anything
// else (the empty text, inner spaces, hexadecimal, a number beyond 32 bits) is not a number.
std::optional<std::int32_t> StrToInt(QStringView text);

// The decimal text of a number: no leading zeros, a leading minus for negatives.
QString IntToStr(std::int32_t value);
