#pragma once

#include "Symbol.h"
#include "universe/FactionCategory.h"

#include <QWidget>

#include <array>

struct Faction;
class ElidedLabel;

// The symbol that stands for each kind of faction, in category order.
inline constexpr std::array<Symbol, 6> kFactionBadgeSymbols{{
    Symbol::building2Fill,                // megacorporation
    Symbol::figureStandAndFigureTeen,     // race
    Symbol::personTextRectangleFill,      // group
    Symbol::cubeTransparentFill,          // political
    Symbol::scrollFill,                   // religious
    Symbol::insetFilledSquareDashedMicro, // other
}};

constexpr Symbol factionBadgeSymbol(FactionCategory category)
{
    static_assert(kFactionBadgeSymbols.size() == kFactionCategoryTable.size());
    return kFactionBadgeSymbols[static_cast<std::size_t>(category)];
}

// A faction's mark: the symbol of its category, then its short code (shortened when
// too long for a chip, and cut with an ellipsis when given less than its width), with
// its full name as the tooltip.
class FactionBadge : public QWidget
{
    Q_OBJECT

public:
    FactionBadge(const Faction &faction, const QColor &color, QWidget *parent = nullptr);

    QString text() const;

private:
    ElidedLabel *m_text;
};
