#include "rotation/Countdown.h"

void Countdown::tick()
{
    --seconds;
    if (seconds == -1) {
        --minutes;
        seconds = 59;
    }
    if (minutes == -1) {
        if (hours != 0)
            --hours;
        minutes = 59;
    }
}

namespace {

QString field(std::int32_t value)
{
    return value < 10 ? QStringLiteral("0") + QString::number(value) : QString::number(value);
}

} // namespace

QString FormatTime(const Countdown& countdown)
{
    return field(countdown.hours) + u':' + field(countdown.minutes) + u':' +
           field(countdown.seconds);
}
