#include "HexLayout.h"

#include <cmath>
#include <cstdint>

namespace {

constexpr double kSqrt3 = 1.7320508075688772;
constexpr double kSixtyDegrees = 1.0471975511965976;

// Positions so large that the integer steps overflow are outside the map, but values
// read from a file can still be anything: the arithmetic wraps instead of being
// undefined, so such a value gives a meaningless hex and never a crash.
qint64 wrapAdd(qint64 a, qint64 b)
{
    return static_cast<qint64>(static_cast<quint64>(a) + static_cast<quint64>(b));
}

qint64 wrapSub(qint64 a, qint64 b)
{
    return static_cast<qint64>(static_cast<quint64>(a) - static_cast<quint64>(b));
}

qint64 wrapMul(qint64 a, qint64 b)
{
    return static_cast<qint64>(static_cast<quint64>(a) * static_cast<quint64>(b));
}

quint64 absDiff(qint64 a, qint64 b)
{
    return a >= b ? static_cast<quint64>(a) - static_cast<quint64>(b)
                  : static_cast<quint64>(b) - static_cast<quint64>(a);
}

// ⌊q / 2⌋, rounding towards minus infinity also for negative odd q (−3 gives −2).
qint64 floorHalf(qint64 q)
{
    return (q - (q & 1)) / 2;
}

qint64 floorDiv(qint64 value, qint64 divisor)
{
    const qint64 quotient = value / divisor;
    return (value % divisor != 0 && value < 0) ? quotient - 1 : quotient;
}

qint64 floorMod(qint64 value, qint64 divisor)
{
    const qint64 remainder = value % divisor;
    return remainder < 0 ? remainder + divisor : remainder;
}

const std::array<QPointF, 6> &unitCorners()
{
    static const std::array<QPointF, 6> offsets = [] {
        std::array<QPointF, 6> result;
        for (int k = 0; k < 6; ++k)
            result[k] = QPointF(std::cos(k * kSixtyDegrees), std::sin(k * kSixtyDegrees));
        return result;
    }();
    return offsets;
}

// Doubles beyond this magnitude are far outside any map and would not convert to
// 64-bit integers; they are treated like points that are not finite.
constexpr double kLargestRoundable = 4.0e18;

bool roundable(double value)
{
    return std::isfinite(value) && std::fabs(value) < kLargestRoundable;
}

} // namespace

QPointF HexLayout::center(const GalacticCoordinates &hex) const
{
    const qint64 q = galacticColumn(hex);
    const qint64 r = galacticRow(hex);
    const double lowered = (q & 1) ? 0.5 : 0.0;
    return QPointF((hexRadius * 1.5) * static_cast<double>(q),
                   (hexRadius * kSqrt3) * (static_cast<double>(r) + lowered));
}

std::array<QPointF, 6> HexLayout::corners(const GalacticCoordinates &hex) const
{
    const QPointF c = center(hex);
    const auto &unit = unitCorners();
    std::array<QPointF, 6> result;
    for (std::size_t k = 0; k < result.size(); ++k)
        result[k] = QPointF(c.x() + hexRadius * unit[k].x(), c.y() + hexRadius * unit[k].y());
    return result;
}

GalacticCoordinates HexLayout::coordinate(const QPointF &point) const
{
    const double x = point.x();
    const double y = point.y();
    const double qf = (x * 0.6666666666666666) / hexRadius;
    const double rf = (y * 0.5773502691896257 + x * -0.3333333333333333) / hexRadius;
    const double sf = -qf - rf;
    if (!(hexRadius > 0) || !roundable(qf) || !roundable(rf) || !roundable(sf))
        return coordinates(0, 0);
    const Cube rounded = cubeRound(qf, sf, rf);
    const qint64 q = rounded.x;
    return coordinates(q, rounded.z + floorHalf(q));
}

GalacticCoordinates HexLayout::coordinates(qint64 col, qint64 row)
{
    GalacticCoordinates hex;
    hex.sectorX = floorDiv(col, 32);
    hex.column = floorMod(col, 32) + 1;
    // Rows grow downwards while sector Y grows upwards.
    hex.sectorY = wrapSub(0, floorDiv(row, 40));
    hex.row = floorMod(row, 40) + 1;
    return hex;
}

qint64 HexLayout::galacticColumn(const GalacticCoordinates &hex)
{
    return wrapAdd(wrapMul(32, hex.sectorX), wrapSub(hex.column, 1));
}

qint64 HexLayout::galacticRow(const GalacticCoordinates &hex)
{
    return wrapSub(wrapSub(hex.row, 1), wrapMul(40, hex.sectorY));
}

HexLayout::Cube HexLayout::cube(const GalacticCoordinates &hex)
{
    const qint64 q = galacticColumn(hex);
    return Cube{q, wrapSub(galacticRow(hex), floorHalf(q))};
}

qint64 HexLayout::distance(const GalacticCoordinates &a, const GalacticCoordinates &b)
{
    const Cube ca = cube(a);
    const Cube cb = cube(b);
    const qint64 ya = wrapSub(wrapSub(0, ca.x), ca.z);
    const qint64 yb = wrapSub(wrapSub(0, cb.x), cb.z);
    const quint64 sum = absDiff(ca.x, cb.x) + absDiff(ya, yb) + absDiff(ca.z, cb.z);
    return static_cast<qint64>(sum / 2);
}

HexLayout::Cube HexLayout::cubeRound(double x, double y, double z)
{
    // std::round takes halves away from zero.
    double rx = std::round(x);
    double ry = std::round(y);
    double rz = std::round(z);
    const double dx = std::fabs(rx - x);
    const double dy = std::fabs(ry - y);
    const double dz = std::fabs(rz - z);
    if (dx > dy && dx > dz)
        rx = -ry - rz;
    else if (dy > dz)
        ry = -rx - rz;
    else
        rz = -rx - ry;
    // A value that does not fit a 64-bit integer has no hex; 0 keeps the conversion defined.
    const auto toInteger = [](double v) { return roundable(v) ? static_cast<qint64>(v) : qint64(0); };
    return Cube{toInteger(rx), toInteger(rz)};
}
