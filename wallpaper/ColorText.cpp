#include "wallpaper/ColorText.h"

#include "app/platform/Errors.h"
#include "settings/DecimalText.h"

#include <QCoreApplication>

std::uint32_t RGBToColor(std::int32_t red, std::int32_t green, std::int32_t blue) {
    // Unsigned arithmetic wraps where the signed would overflow on absurd components.
    return static_cast<std::uint32_t>(blue) * 65536u + static_cast<std::uint32_t>(green) * 256u +
           static_cast<std::uint32_t>(red);
}

std::uint32_t colorFromText(const QString& text) {
    const auto fail = [&text]() -> std::uint32_t {
        throw AppError(QCoreApplication::translate(
                           "Desktop", "The desktop background colour \"%1\" is not three whole "
                                      "numbers \"red green blue\" separated by single spaces.")
                           .arg(text));
    };
    const qsizetype first = text.indexOf(u' ');
    if (first < 0)
        return fail();
    const qsizetype second = text.indexOf(u' ', first + 1);
    if (second < 0)
        return fail();
    // Each field is read strictly between its spaces; the blue field gets a "0" in front, so
    // that an empty one reads as 0.
    const auto red = StrToInt(QStringView(text).mid(0, first));
    const auto green = StrToInt(QStringView(text).mid(first + 1, second - first - 1));
    const auto blue = StrToInt(QString(u'0' + text.mid(second + 1)));
    const auto strict = [&text](qsizetype from, qsizetype to) {
        // No spaces of their own: StrToInt tolerates padding, a colour field does not.
        for (qsizetype i = from; i < to; ++i)
            if (text[i] == u' ' || text[i] == u'\t')
                return false;
        return true;
    };
    if (!red || !green || !blue || !strict(0, first) || !strict(first + 1, second) ||
        !strict(second + 1, text.size()))
        return fail();
    return RGBToColor(*red, *green, *blue);
}

QString colorToText(std::uint32_t color) {
    return QStringLiteral("%1 %2 %3")
        .arg(color & 0xFF)
        .arg((color >> 8) & 0xFF)
        .arg((color >> 16) & 0xFF);
}
