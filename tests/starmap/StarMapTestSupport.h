#pragma once

#include "RunningWaits.h"
#include "model/TestRecords.h"
#include "starmap/StarMapRenderer.h"
#include "starmap/StarMapVisibleSets.h"
#include "universe/StarfarerUniverse.h"
#include "universe/TestMapObjects.h"
#include "universe/WorkerPools.h"

#include <QColor>
#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <malloc.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <ostream>

// Small hand-made universes for the star map's tests.
namespace StarMapTest {

using test_records::aFaction;
using test_records::aHex;
using test_records::aWorld;

// The largest difference of one colour channel between two colours.
inline int channelDistance(const QColor &a, const QColor &b)
{
    return std::max(
        {std::abs(a.red() - b.red()), std::abs(a.green() - b.green()), std::abs(a.blue() - b.blue())});
}

inline int channelDistance(QRgb a, QRgb b)
{
    return std::max(
        {std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
}

// How two pictures of the view differ: the share of pixels that differ at all
// visibly, and the largest difference of one channel.
struct Difference
{
    double share = 0;
    int largest = 0;
};

inline Difference compare(const QImage &a, const QImage &b)
{
    const QImage x = a.convertToFormat(QImage::Format_RGB32), y = b.convertToFormat(QImage::Format_RGB32);
    qsizetype differing = 0;
    Difference result;
    for (int row = 0; row < x.height(); ++row) {
        const auto *p = reinterpret_cast<const QRgb *>(x.constScanLine(row));
        const auto *q = reinterpret_cast<const QRgb *>(y.constScanLine(row));
        for (int column = 0; column < x.width(); ++column) {
            const int d = channelDistance(p[column], q[column]);
            result.largest = std::max(result.largest, d);
            differing += d > 8 ? 1 : 0;
        }
    }
    result.share = static_cast<double>(differing) / (static_cast<double>(x.width()) * x.height());
    return result;
}

// How a view of 2 × `part` points square, drawn whole by `whole`, differs from its
// four quarters each drawn on its own by `parts`, moved by whole pixels as the kept
// tiles are: the largest difference of one channel, and the quarter where it is.
struct PartDifference
{
    int largest = 0;
    QPoint part;
};

inline PartDifference partsAgainstWhole(const StarMapRenderer &whole, const StarMapRenderer &parts,
                                        const MapTransform &t, const GridExtent &extent, int part)
{
    QImage view(2 * part, 2 * part, QImage::Format_ARGB32_Premultiplied);
    {
        QPainter painter(&view);
        whole.draw(painter, t, extent, QRectF(view.rect()));
    }
    PartDifference worst;
    for (const QPoint &corner : {QPoint(0, 0), QPoint(part, 0), QPoint(0, part), QPoint(part, part)}) {
        QImage drawn(part, part, QImage::Format_ARGB32_Premultiplied);
        {
            QPainter painter(&drawn);
            parts.draw(painter, {t.scale, t.offset - QPointF(corner)}, extent, QRectF(drawn.rect()));
        }
        const int largest = compare(drawn, view.copy(QRect(corner, drawn.size()))).largest;
        if (largest >= worst.largest)
            worst = {largest, corner};
    }
    return worst;
}

// The bytes the heap holds for the program now.
inline qsizetype heapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return static_cast<qsizetype>(info.uordblks + info.hblkhd);
}

inline GalacticCoordinates at(qint64 column, qint64 row, qint64 sectorX = 0, qint64 sectorY = 0)
{
    return {sectorX, sectorY, column, row};
}

// A system of one star of `spectral` type with one main world, known to the groups
// given.
inline HexData hex(const GalacticCoordinates &coordinates, bool starfarers = true, bool sathar = false,
                   bool other = false, SpectralType spectral = SpectralType::G)
{
    Star star = test_records::star(Orbits::starOrbitP, spectral, 0);
    star.worlds = {aWorld().main().size(5)};
    return aHex(coordinates)
        .named(QStringLiteral("Sys %1%2").arg(coordinates.column).arg(coordinates.row))
        .stars({star})
        .knownTo(starfarers, sathar, other);
}

inline std::unique_ptr<StarfarerUniverse> universe(const QList<HexData> &data = {})
{
    auto made = std::make_unique<StarfarerUniverse>(UniverseFolder(QDir::tempPath()));
    made->setData(data);
    return made;
}

inline Faction faction(const QString &name, const QString &shortName)
{
    return aFaction(name).shortName(shortName);
}

// Systems enough for the map to be made on worker threads, in a sector far from the
// one drawn: they make the universe large without showing.
inline QList<HexData> farSystems(qint64 sectorY = 20)
{
    QList<HexData> data;
    for (qint64 i = 0; i < StarMapVisibleSets::kBackgroundFillFrom; ++i)
        data.append(hex(at(1 + i % 32, 1 + (i / 32) % 40, 20 + i / 1280, sectorY)));
    return data;
}

// Hands over the filing of the systems alone: the work it starts, and the layers'
// work started before, stay on their way.
inline void deliverFiling(const StarMapVisibleSets &sets)
{
    waitForWorkers();
    for (QObject *child : sets.children())
        QCoreApplication::sendPostedEvents(child);
    ASSERT_FALSE(sets.filling());
}

} // namespace StarMapTest

// Lets GoogleTest name a hex by its id and place in failure messages.
inline void PrintTo(const HexData &hex, std::ostream *out)
{
    *out << hex.id.toString(QUuid::WithoutBraces).toStdString() << " at "
         << hex.coordinates.description().toStdString();
}
