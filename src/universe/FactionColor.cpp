#include "FactionColor.h"

#include "model/BlankTrimming.h"

#include <QLatin1StringView>

namespace {

struct NamedComponents
{
    QLatin1StringView name;
    RgbComponents components;
};

// Colour names as other programs write them. A separate vocabulary from the palette:
// "green" here is a darker green than the palette's `green`.
constexpr std::array<NamedComponents, 19> kColorNames{{
    {QLatin1StringView("red"), {1.0, 0.0, 0.0}},      {QLatin1StringView("green"), {0.0, 0.5, 0.0}},
    {QLatin1StringView("blue"), {0.0, 0.0, 1.0}},     {QLatin1StringView("yellow"), {1.0, 1.0, 0.0}},
    {QLatin1StringView("white"), {1.0, 1.0, 1.0}},    {QLatin1StringView("black"), {0.0, 0.0, 0.0}},
    {QLatin1StringView("orange"), {1.0, 0.65, 0.0}},  {QLatin1StringView("purple"), {0.5, 0.0, 0.5}},
    {QLatin1StringView("cyan"), {0.0, 1.0, 1.0}},     {QLatin1StringView("magenta"), {1.0, 0.0, 1.0}},
    {QLatin1StringView("gray"), {0.5, 0.5, 0.5}},     {QLatin1StringView("grey"), {0.5, 0.5, 0.5}},
    {QLatin1StringView("pink"), {1.0, 0.75, 0.8}},    {QLatin1StringView("teal"), {0.0, 0.5, 0.5}},
    {QLatin1StringView("lime"), {0.0, 1.0, 0.0}},     {QLatin1StringView("tan"), {0.82, 0.71, 0.55}},
    {QLatin1StringView("gold"), {1.0, 0.84, 0.0}},    {QLatin1StringView("violet"), {0.93, 0.51, 0.93}},
    {QLatin1StringView("indigo"), {0.29, 0.0, 0.51}},
}};

int hexDigitValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    return -1;
}

double squaredDistance(const RgbComponents &a, const RgbComponents &b)
{
    const double dr = a.red - b.red;
    const double dg = a.green - b.green;
    const double db = a.blue - b.blue;
    return dr * dr + dg * dg + db * db;
}

} // namespace

std::optional<RgbComponents> parseColorString(const QString &text)
{
    const QString lowered = BlankTrimming::trimmedBlanks(text).toString().toLower();
    for (const auto &entry : kColorNames) {
        if (lowered == entry.name)
            return entry.components;
    }

    QStringView code(lowered);
    if (code.startsWith(QLatin1Char('#')))
        code = code.sliced(1);
    // Only plain hexadecimal digits: a sign would let "-00001" through as a colour.
    if (code.size() != 3 && code.size() != 6)
        return std::nullopt;
    const bool shortForm = code.size() == 3;
    int bytes[3] = {0, 0, 0};
    for (int i = 0; i < 3; ++i) {
        const int high = hexDigitValue(code[shortForm ? i : 2 * i]);
        const int low = hexDigitValue(code[shortForm ? i : 2 * i + 1]);
        if (high < 0 || low < 0)
            return std::nullopt;
        bytes[i] = high * 16 + low;
    }
    return RgbComponents{bytes[0] / 255.0, bytes[1] / 255.0, bytes[2] / 255.0};
}

FactionColor factionColorFrom(const QString &text)
{
    const auto parsed = parseColorString(text);
    if (!parsed)
        return FactionColor::white;
    FactionColor best = FactionColor::red;
    double bestDistance = squaredDistance(*parsed, color(best));
    for (const FactionColor candidate : allCases<FactionColor>()) {
        const double distance = squaredDistance(*parsed, color(candidate));
        if (distance < bestDistance) {
            best = candidate;
            bestDistance = distance;
        }
    }
    return best;
}
