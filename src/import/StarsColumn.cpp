#include "StarsColumn.h"

#include "ImportText.h"
#include "model/Random.h"

#include <QVarLengthArray>

using namespace Qt::StringLiterals;

namespace TravellerMapImporter {

namespace {

constexpr int kCompanionOrbits = 6; // orbits 15 to 20

Orbits companionOrbit(int index)
{
    return Orbits(int(Orbits::starOrbit15) + index);
}

QString starName(qsizetype position)
{
    if (position < 4)
        return QString(QChar(char16_t(u'A' + position)));
    return QString::number(position);
}

// A free companion orbit: the companion die first, then, when that orbit is taken,
// one of the free orbits at random (each equally likely, as redrawing until a free
// one comes up would give, but without waiting for a free orbit).
Orbits takeCompanionOrbit(std::array<bool, kCompanionOrbits> &taken)
{
    int index = int(Star::randomCompanionOrbit()) - int(Orbits::starOrbit15);
    if (taken[index]) {
        QVarLengthArray<int, kCompanionOrbits> free;
        for (int i = 0; i < kCompanionOrbits; ++i) {
            if (!taken[i])
                free.append(i);
        }
        index = free[randomBelow(free.size())];
    }
    taken[index] = true;
    return companionOrbit(index);
}

std::optional<Star> starOfToken(QStringView token, std::optional<LuminosityClass> luminosity)
{
    if (token == u"D") {
        Star dwarf;
        dwarf.spectralType = SpectralType::K;
        dwarf.temperature = 0;
        dwarf.luminosity = LuminosityClass::D;
        dwarf.mass = randomUniform(0.6, 1.1);
        return dwarf;
    }
    const auto type = enumFromRaw<SpectralType>(token.first(1).toString());
    if (!type)
        return std::nullopt;
    Star star;
    star.spectralType = *type;
    star.temperature = token.size() > 1 && isAsciiDigit(token[1]) ? token[1].unicode() - u'0' : 0;
    star.luminosity = luminosity.value_or(LuminosityClass::V);
    const MassRange range = Star::massRange(star.spectralType, star.luminosity);
    star.mass = randomUniform(range.low, range.high);
    return star;
}

bool isNonStar(QStringView token)
{
    return token == u"BD" || token == u"BH" || token == u"NS" || token == u"PSR";
}

} // namespace

QList<Star> parseStars(QStringView column)
{
    const QList<QStringView> tokens = splitAtSpaces(column);
    QList<Star> stars;
    std::array<bool, kCompanionOrbits> taken{};
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        const QStringView token = tokens[i];
        if (isNonStar(token))
            continue;
        std::optional<LuminosityClass> luminosity;
        if (token != u"D" && i + 1 < tokens.size()) {
            luminosity = enumFromRaw<LuminosityClass>(tokens[i + 1].toString());
        }
        std::optional<Star> star = starOfToken(token, luminosity);
        if (!star)
            continue;
        if (luminosity)
            ++i;
        if (stars.size() > kCompanionOrbits)
            break; // every companion orbit is taken
        star->id = QUuid::createUuid();
        star->name = starName(stars.size());
        star->orbit = stars.isEmpty() ? Orbits::starOrbitP : takeCompanionOrbit(taken);
        stars.append(*std::move(star));
    }
    return stars;
}

Star defaultStar()
{
    Star star;
    star.id = QUuid::createUuid();
    star.name = u"A"_s;
    star.spectralType = SpectralType::G;
    star.temperature = 2;
    star.luminosity = LuminosityClass::V;
    star.mass = randomUniform(0.8, 1.04);
    star.orbit = Orbits::starOrbitP;
    return star;
}

} // namespace TravellerMapImporter
