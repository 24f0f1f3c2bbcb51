#include "FactionPicker.h"

#include "RutterListSource.h"
#include "ui/ColorMark.h"
#include "ui/PaletteColor.h"
#include "universe/UniverseChanges.h"

#include <QEvent>
#include <QStyleOptionComboBox>

#include <algorithm>
#include <cmath>

FactionPicker::FactionPicker(const StarfarerUniverse &universe, QWidget *parent)
    : ElidedComboBox(parent), m_universe(universe)
{
    // What the user picks stays chosen while the entries change.
    connect(this, &QComboBox::activated, this, [this] { m_chosen = chosen(); });
    UniverseChanges::onObjects<Faction>(
        &universe, this,
        [this](const ObjectChange<Faction> &change) {
            // An inserted faction is appended: it comes after every other.
            const bool last =
                change.after && (!change.before || m_universe.factions().last() == *change.after);
            follow(!change.isWholeList() && (!change.before || taken(*change.before)) &&
                   (!change.after || placed(*change.after, last)));
        },
        [this](qsizetype first, qsizetype count) {
            bool followed = true;
            for (const Faction &faction : m_universe.factions().sliced(first, count))
                followed = followed && placed(faction, true);
            follow(followed);
        });
    fill();
}

void FactionPicker::fill()
{
    m_listed = inMenuOrder(m_universe.factions());
    // Texts measured once stay known, unless renames have piled up many no longer shown.
    if (m_textWidths.size() > 2 * m_listed.size() + 64)
        m_textWidths.clear();
    m_contents.reset();
    clear();
    addItem(tr("Select a faction"));
    for (qsizetype i = 0; i < m_listed.size(); ++i)
        addEntry(int(i) + 1, m_listed.at(i));
    showChosen();
}

bool FactionPicker::taken(const Faction &faction)
{
    // Entries of equal factions are alike, whichever of them goes.
    const qsizetype at = m_listed.indexOf(faction);
    if (at < 0)
        return false;
    m_listed.removeAt(at);
    m_contents.reset();
    removeItem(int(at) + 1);
    return true;
}

bool FactionPicker::placed(const Faction &faction, bool last)
{
    // Among factions of one name the universe's order decides, which the entries do not
    // know, unless the faction comes after all of them: then it goes after them, as a
    // stable sort puts it.
    const auto [from, to] = std::equal_range(m_listed.cbegin(), m_listed.cend(), faction);
    if (from != to && !last)
        return false;
    const qsizetype at = to - m_listed.cbegin();
    m_listed.insert(at, faction);
    addEntry(int(at) + 1, faction);
    return true;
}

void FactionPicker::follow(bool followed)
{
    if (!followed)
        fill();
    showChosen();
}

void FactionPicker::addEntry(int index, const Faction &faction)
{
    m_contents.reset();
    insertItem(index, colorDotIcon(paletteColor(faction.color)), RutterListSource::factionName(faction),
               faction.id);
}

void FactionPicker::setChosen(const std::optional<QUuid> &id)
{
    m_chosen = id;
    showChosen();
}

void FactionPicker::showChosen()
{
    setCurrentIndex(m_chosen ? findData(*m_chosen) : 0);
}

std::optional<QUuid> FactionPicker::chosen() const
{
    const QVariant id = currentData();
    return id.isNull() ? std::nullopt : std::optional<QUuid>(id.toUuid());
}

int FactionPicker::textWidth(const QString &text) const
{
    auto known = m_textWidths.constFind(text);
    if (known == m_textWidths.cend())
        known = m_textWidths.insert(text, fontMetrics().boundingRect(text).width());
    return *known;
}

// What QComboBox asks for when it adjusts to its contents, with each text measured
// once: the widest entry (its icon and 4 pixels beside it included), at least the
// font's height and the icons' height, within the style's frame.
QSize FactionPicker::contentsSizeHint() const
{
    if (!m_contents) {
        QSize contents(0, std::max(int(std::ceil(QFontMetricsF(fontMetrics()).height())), 14) + 2);
        for (int i = 0; i < count(); ++i) {
            int width = textWidth(itemText(i));
            if (!itemIcon(i).isNull()) {
                width += iconSize().width() + 4;
                contents.setHeight(std::max(contents.height(), iconSize().height() + 2));
            }
            contents.setWidth(std::max(contents.width(), width));
        }
        m_contents = contents;
    }
    QStyleOptionComboBox option;
    initStyleOption(&option);
    return style()->sizeFromContents(QStyle::CT_ComboBox, &option, *m_contents, this);
}

void FactionPicker::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        m_textWidths.clear();
        m_contents.reset();
    }
    ElidedComboBox::changeEvent(event);
}
