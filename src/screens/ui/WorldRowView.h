#pragma once

#include "model/WorldData.h"

#include <QSize>
#include <QString>

class QPainter;
class QColor;
class QRect;

// One body in a system's list of worlds: its orbit, a mark for the main world, its
// name, its population and its profile text. A value that knows what to show and
// paints itself, so that a list of any length draws its rows without a widget each.
class WorldRowView
{
public:
    static constexpr int kHeight = 18;
    static constexpr int kFontPixelSize = 12;
    static constexpr int kSpacing = 6;
    static constexpr int kMoonIndent = 16;
    static constexpr int kOrbitWidth = 34;
    static constexpr int kMainWorldSymbolSize = 9;
    static constexpr int kMinimumGap = 4;

    WorldRowView() = default;
    WorldRowView(const WorldData &world, qint64 belts, qint64 gasGiants, int profileWidth, bool compact);

    const WorldData &world() const { return m_world; }

    bool isMoon() const;
    bool isMainWorld() const { return m_world.mainWorld; }
    // "↳B" for a moon, the star orbit's number otherwise ("-1" for the primary's place).
    QString orbitLabel() const;
    QString nameText() const;
    bool nameIsBold() const;
    // Whether the row shows a population: from population code 1 up.
    bool showsPopulation() const;
    QString populationText() const;
    // The profile code alone when compact; else the whole profile line, padded with
    // blanks to the width shared by every row of the system.
    QString profileText() const;

    void paint(QPainter &painter, const QRect &rect, const QColor &primary, const QColor &secondary) const;
    QSize sizeHint() const;

private:
    WorldData m_world;
    qint64 m_belts = 0;
    qint64 m_gasGiants = 0;
    int m_profileWidth = 0;
    bool m_compact = false;
};
