#pragma once

#include "model/UWP.h"
#include "model/WorldData.h"
#include "ui/Tile.h"

#include <QString>

class WrappingLabel;

// A world's profile as one boxed line: "UWP:" in bold, then, in a fixed-pitch face,
// the profile code, the population-multiplier, belt and gas-giant digits, the day and
// year, and the trade codes in brackets — on a second line when asked, and wrapped
// when too long for the width. Only shows.
class UWPView : public Tile
{
    Q_OBJECT

public:
    static constexpr int kFontPixelSize = 14;

    UWPView(const UWP &uwp, qint64 belts, qint64 gasGiants, const WorldData &world, bool twoLines,
            double viewWidth, QWidget *parent = nullptr);

    void setValues(const UWP &uwp, qint64 belts, qint64 gasGiants, const WorldData &world);
    // The text shown after the caption.
    QString text() const;

    // "A8679AB-C NS 312 D:24h\Y:83d [Hi In]", with a line break before "[" when
    // `twoLines` is set.
    static QString profileLine(const UWP &uwp, qint64 belts, qint64 gasGiants, const WorldData &world,
                               bool twoLines);

private:
    bool m_twoLines;
    WrappingLabel *m_line;
};
