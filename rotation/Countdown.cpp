#include "rotation/Countdown.h"

void Countdown::tick() {
    // Within the ranges the Options dialog allows this is the plain borrow. Values only stored
    // settings can hold are pulled into range instead: a negative field counts as zero, so the
    // countdown always reaches 00:00:00, and nothing is decremented past the smallest integer.
    if (seconds > 0) {
        --seconds;
    } else {
        seconds = 59;
        minutes = minutes > 0 ? minutes - 1 : -1;
    }
    if (minutes < 0) {
        minutes = 59;
        hours = hours > 0 ? hours - 1 : 0;
    }
    if (hours < 0)
        hours = 0;
}

namespace {

QString field(std::int32_t value) {
    return value < 10 ? QStringLiteral("0") + QString::number(value) : QString::number(value);
}

} // namespace

QString FormatTime(const Countdown& countdown) {
    return field(countdown.hours) + u':' + field(countdown.minutes) + u':' +
           field(countdown.seconds);
}
