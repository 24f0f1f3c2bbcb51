#pragma once

#include "model/HexData.h"

#include <QString>
#include <QStringList>

// The texts the map's system card writes about one hex, computed from the hex alone:
// the title, the hex line, the main world's name and profile line, and its world
// tags. A system without a main world reads "No main world" and has no profile line
// and no tags.
struct SystemCardTexts
{
    QString title;         // the name, or "Unnamed System"; capitals from population 9
    QString hexLine;       // "HEX 00-0101 Subsector-A"
    QString mainWorldName; // the name, "–" when it is empty, or "No main world"
    QString uwpLine;       // the profile line with the trade codes on a line of their own
    QStringList worldTags; // raw values capitalised word by word, in stored order

    static SystemCardTexts of(const HexData &hex);

    friend bool operator==(const SystemCardTexts &, const SystemCardTexts &) = default;
};
