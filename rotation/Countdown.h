#pragma once

#include <QString>

#include <cstdint>

// Hours, minutes and seconds: the configured period while stopped, the time left while running.
struct Countdown {
    std::int32_t hours = 0;
    std::int32_t minutes = 1;
    std::int32_t seconds = 0;

    // One second less, borrowing from minutes and hours; hours never go below 0. Fields that
    // only stored settings can make negative count as zero, so every countdown runs out.
    void tick();
    bool isZero() const { return hours == 0 && minutes == 0 && seconds == 0; }
    // Whole seconds of the period, in 64 bits so that any stored numbers fit.
    std::int64_t totalSeconds() const {
        return std::int64_t{hours} * 3600 + std::int64_t{minutes} * 60 + seconds;
    }
    bool operator==(const Countdown&) const = default;
};

// "HH:MM:SS": each field in decimal, with a leading "0" below 10 (100 stays "100").
QString FormatTime(const Countdown& countdown);
