#include "SidebarList.h"

#include "FactionGroupHeader.h"
#include "ui/ColorMark.h"
#include "ui/FocusMark.h"
#include "ui/PaletteColor.h"
#include "ui/PlainText.h"
#include "ui/SecondaryText.h"
#include "ui/Symbol.h"
#include "universe/StarfarerUniverse.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QStyledItemDelegate>

#include <algorithm>

namespace {

constexpr int kIndentRole = Qt::UserRole + 1;
constexpr int kRowHeight = 24;

struct ToolRow
{
    DestinationKind destination;
    Symbol symbol;
};

// The Tools section, top to bottom.
constexpr std::array<ToolRow, 8> kToolRows{{
    {DestinationKind::generator, Symbol::sparkles},
    {DestinationKind::systems, Symbol::listStar},
    {DestinationKind::starmap, Symbol::hexagon},
    {DestinationKind::rutters, Symbol::pointTopleftDownToPointBottomrightCurvepath},
    {DestinationKind::nebulae, Symbol::circlesHexagongridFill},
    {DestinationKind::regions, Symbol::skew},
    {DestinationKind::labels, Symbol::textformat},
    {DestinationKind::importTravellerMap, Symbol::squareAndArrowDown},
}};

// Shifts the content of indented rows, keeping their highlight the full width of the
// list.
class IndentingDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        // The row the keyboard is on carries the shared focus mark instead of the
        // style's frame, which can vanish on the chosen row's highlight.
        QStyleOptionViewItem plain = option;
        plain.state &= ~QStyle::State_HasFocus;
        const int indent = index.data(kIndentRole).toInt();
        if (indent == 0) {
            QStyledItemDelegate::paint(painter, plain, index);
        } else {
            QStyleOptionViewItem shifted = plain;
            initStyleOption(&shifted, index);
            const QWidget *widget = option.widget;
            QStyle *style = widget ? widget->style() : QApplication::style();
            style->drawPrimitive(QStyle::PE_PanelItemViewItem, &shifted, painter, widget);
            shifted.rect.setLeft(shifted.rect.left() + indent);
            style->drawControl(QStyle::CE_ItemViewItem, &shifted, painter, widget);
        }
        if (option.state & QStyle::State_HasFocus)
            paintFocusMark(*painter, option.rect, option.palette);
    }

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        // No width of its own: every row is as wide as the sidebar, which cuts a long
        // name with an ellipsis instead of scrolling sideways.
        return {0, std::max(QStyledItemDelegate::sizeHint(option, index).height(), kRowHeight)};
    }
};

QIcon toolIcon(Symbol symbol)
{
    return symbolIcon(symbol);
}

} // namespace

SidebarList::SidebarList(QWidget *parent) : QListWidget(parent)
{
    setObjectName(QStringLiteral("sidebarList"));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(false);
    setIconSize(QSize(16, 16));
    setFrameShape(QFrame::NoFrame);
    setItemDelegate(new IndentingDelegate(this));
    connect(this, &QListWidget::itemSelectionChanged, this, &SidebarList::reportSelection);
}

void SidebarList::rebuild(const StarfarerUniverse &universe, const QSet<FactionCategory> &expanded,
                          const std::optional<Destination> &selection)
{
    m_rebuilding = true;
    const std::optional<FactionCategory> currentGroup = groupAt(currentRow());
    const std::optional<Destination> currentDestination = destinationAt(currentRow());
    Shown shown = shownFor(universe, expanded);
    if (m_shown && shown.travellerRules == m_shown->travellerRules &&
        shown.expandedGroups == m_shown->expandedGroups)
        updateInPlace(shown);
    else
        build(shown);
    m_shown = std::move(shown);
    clearSelection();
    if (selection) {
        if (QListWidgetItem *chosen = itemFor(*selection))
            chosen->setSelected(true);
    }
    restoreCurrent(currentGroup, currentDestination, selection);
    m_rebuilding = false;
}

void SidebarList::restoreCurrent(const std::optional<FactionCategory> &group,
                                 const std::optional<Destination> &destination,
                                 const std::optional<Destination> &selection)
{
    QListWidgetItem *current = group ? item(headerRow(*group)) : nullptr;
    if (!current && destination)
        current = itemFor(*destination);
    if (!current && selection)
        current = itemFor(*selection);
    if (current)
        setCurrentItem(current, QItemSelectionModel::NoUpdate);
}

SidebarList::Shown SidebarList::shownFor(const StarfarerUniverse &universe,
                                         const QSet<FactionCategory> &expanded)
{
    Shown shown;
    shown.travellerRules = universe.usesTravellerRules();
    for (FactionCategory category : allCases<FactionCategory>()) {
        QList<Faction> members;
        for (const Faction &faction : universe.factions()) {
            if (faction.category == category)
                members.append(faction);
        }
        shown.expandedGroups.append(expanded.contains(category));
        shown.filledGroups.append(!members.isEmpty());
        // Equal names keep the universe's order.
        shown.listed.append(expanded.contains(category) ? inMenuOrder(members) : QList<Faction>());
    }
    return shown;
}

void SidebarList::build(const Shown &shown)
{
    clear();
    m_rows.clear();

    addSectionTitle(tr("Tools"));
    for (const ToolRow &tool : kToolRows) {
        const Destination destination = Destination::of(tool.destination);
        insertRow(count(), destination, toolIcon(tool.symbol),
                  destinationTitle(destination, shown.travellerRules));
    }

    addSectionTitle(tr("FACTIONS"));
    qsizetype group = 0;
    for (FactionCategory category : allCases<FactionCategory>()) {
        addGroup(category, shown.expandedGroups[group], shown.filledGroups[group], shown.listed[group]);
        ++group;
    }
    for (auto [kind, symbol] : {std::pair{DestinationKind::factionLists, Symbol::flag2Crossed},
                                std::pair{DestinationKind::newFaction, Symbol::plus}}) {
        const Destination destination = Destination::of(kind);
        insertRow(count(), destination, toolIcon(symbol),
                  destinationTitle(destination, shown.travellerRules));
    }
}

void SidebarList::updateInPlace(const Shown &shown)
{
    // The group headers begin after the Tools title, its rows and the FACTIONS title.
    int header = 2 + int(kToolRows.size());
    for (qsizetype group = 0; group < shown.filledGroups.size(); ++group) {
        if (shown.filledGroups[group] != m_shown->filledGroups[group]) {
            auto *widget = static_cast<FactionGroupHeader *>(itemWidget(item(header)));
            widget->setHasMembers(shown.filledGroups[group]);
            item(header)->setSizeHint(widget->sizeHint());
        }
        updateFactionRows(header + 1, m_shown->listed[group], shown.listed[group]);
        header += 1 + int(shown.listed[group].size());
    }
}

void SidebarList::updateFactionRows(int first, const QList<Faction> &shown, const QList<Faction> &next)
{
    // The rows both lists begin and end with stay; the rows between are replaced.
    const qsizetype before = shown.size();
    qsizetype head = 0;
    while (head < before && head < next.size() && shown[head].id == next[head].id)
        ++head;
    qsizetype tail = 0;
    while (tail < before - head && tail < next.size() - head &&
           shown[before - 1 - tail].id == next[next.size() - 1 - tail].id)
        ++tail;
    const qsizetype removed = before - head - tail;
    for (qsizetype i = 0; i < removed; ++i)
        delete takeItem(first + int(head));
    m_rows.remove(first + head, removed);
    for (qsizetype i = head; i < next.size() - tail; ++i)
        insertFactionRow(first + int(i), next[i]);

    // A kept row whose faction changed shows its new title and colour and carries the
    // new value as its destination.
    const auto refresh = [&](qsizetype was, qsizetype is) {
        const Faction &old = shown[was];
        const Faction &faction = next[is];
        if (old == faction)
            return;
        const int row = first + int(is);
        if (const QString title = factionRowTitle(faction); title != factionRowTitle(old))
            item(row)->setText(lineOfText(title));
        if (faction.color != old.color)
            item(row)->setIcon(colorFlagIcon(paletteColor(faction.color)));
        m_rows[row] = Destination::forFaction(faction);
    };
    for (qsizetype i = 0; i < head; ++i)
        refresh(i, i);
    for (qsizetype i = 1; i <= tail; ++i)
        refresh(before - i, next.size() - i);
}

std::optional<Destination> SidebarList::destinationAt(int row) const
{
    return row >= 0 && row < m_rows.size() ? m_rows.at(row) : std::nullopt;
}

QListWidgetItem *SidebarList::itemFor(const Destination &destination) const
{
    const auto found = std::find(m_rows.cbegin(), m_rows.cend(), std::optional(destination));
    return found == m_rows.cend() ? nullptr : item(static_cast<int>(found - m_rows.cbegin()));
}

FactionGroupHeader *SidebarList::groupHeader(FactionCategory category) const
{
    const int row = headerRow(category);
    return row < 0 ? nullptr : static_cast<FactionGroupHeader *>(itemWidget(item(row)));
}

std::optional<FactionCategory> SidebarList::groupAt(int row) const
{
    const auto *header = row >= 0 ? qobject_cast<FactionGroupHeader *>(itemWidget(item(row))) : nullptr;
    return header ? std::optional(header->category()) : std::nullopt;
}

int SidebarList::headerRow(FactionCategory category) const
{
    for (int row = 0; row < count(); ++row) {
        if (groupAt(row) == category)
            return row;
    }
    return -1;
}

void SidebarList::keyPressEvent(QKeyEvent *event)
{
    const std::optional<FactionCategory> group = groupAt(currentRow());
    if (!group) {
        QListWidget::keyPressEvent(event);
        return;
    }
    const bool expanded = groupHeader(*group)->isExpanded();
    std::optional<bool> open;
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter: open = !expanded; break;
    case Qt::Key_Right: open = true; break;
    case Qt::Key_Left: open = false; break;
    default: QListWidget::keyPressEvent(event); return;
    }
    if (*open != expanded)
        emit groupToggled(*group);
}

QItemSelectionModel::SelectionFlags SidebarList::selectionCommand(const QModelIndex &index,
                                                                  const QEvent *event) const
{
    // A press on a section title or beside the rows leaves the selection as it is;
    // only a row with a destination is chosen (or, with Ctrl, let go).
    if (!index.isValid() || !(index.flags() & Qt::ItemIsSelectable))
        return QItemSelectionModel::NoUpdate;
    return QListWidget::selectionCommand(index, event);
}

void SidebarList::addSectionTitle(const QString &title)
{
    auto *section = new QListWidgetItem(title, this);
    // Not enabled, so that the arrow keys pass over it; it keeps its own colour.
    section->setFlags(Qt::NoItemFlags);
    // A little air above each section's title.
    section->setSizeHint(QSize(0, 30));
    section->setTextAlignment(Qt::AlignLeft | Qt::AlignBottom);
    QFont font = section->font();
    font.setBold(true);
    font.setPixelSize(11);
    section->setFont(font);
    section->setForeground(
        secondaryTextColor(palette().color(QPalette::Text), backgroundBehind(*viewport())));
    m_rows.append(std::nullopt);
}

void SidebarList::insertRow(int row, const Destination &destination, const QIcon &icon, const QString &title,
                            bool indented)
{
    auto *item = new QListWidgetItem(icon, lineOfText(title));
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    if (indented)
        item->setData(kIndentRole, kFactionRowIndent);
    insertItem(row, item);
    m_rows.insert(row, destination);
}

void SidebarList::insertFactionRow(int row, const Faction &faction)
{
    insertRow(row, Destination::forFaction(faction), colorFlagIcon(paletteColor(faction.color)),
              factionRowTitle(faction), true);
}

void SidebarList::addGroup(FactionCategory category, bool expanded, bool filled, const QList<Faction> &listed)
{
    auto *headerItem = new QListWidgetItem(this);
    headerItem->setFlags(Qt::ItemIsEnabled);
    auto *header = new FactionGroupHeader(category, expanded, filled);
    headerItem->setSizeHint(header->sizeHint());
    setItemWidget(headerItem, header);
    // The list is rebuilt on a toggle; the header is then replaced (and deleted later).
    connect(header, &QAbstractButton::clicked, this, [this, category] { emit groupToggled(category); });
    m_rows.append(std::nullopt);

    for (const Faction &faction : listed)
        insertFactionRow(count(), faction);
}

void SidebarList::reportSelection()
{
    if (m_rebuilding)
        return;
    const QList<QListWidgetItem *> chosen = selectedItems();
    if (chosen.isEmpty()) {
        emit destinationChosen(std::nullopt);
        return;
    }
    emit destinationChosen(destinationAt(row(chosen.first())));
}
