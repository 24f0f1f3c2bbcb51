#pragma once

#include "Destination.h"
#include "universe/Faction.h"
#include "universe/FactionCategory.h"

#include <QList>
#include <QListWidget>
#include <QSet>

#include <optional>

class FactionGroupHeader;
class StarfarerUniverse;

// The list of the main window's sidebar: the section "Tools" with its eight rows,
// then the section "FACTIONS" with one collapsible group per faction category, the
// row "Factions Lists" and the row "New Faction". Section titles and group headers
// cannot be selected; every other row carries its destination. The list only shows:
// it reports the user's choices and group toggles, and its owner keeps the state.
class SidebarList : public QListWidget
{
    Q_OBJECT

public:
    // Left padding of the faction rows under their group's header.
    static constexpr int kFactionRowIndent = 8;

    explicit SidebarList(QWidget *parent = nullptr);

    // Shows the rows of the universe and highlights the row whose destination equals
    // `selection` (none when no row does), without reporting it. The rows are built
    // afresh only when something they show differs from what they were built from, so
    // a faction changed in a collapsed group costs no rebuild.
    void rebuild(const StarfarerUniverse &universe, const QSet<FactionCategory> &expanded,
                 const std::optional<Destination> &selection);

    // The destination a row selects; none for section titles and group headers.
    std::optional<Destination> destinationAt(int row) const;
    // The first row selecting `destination`, or null.
    QListWidgetItem *itemFor(const Destination &destination) const;
    FactionGroupHeader *groupHeader(FactionCategory category) const;

signals:
    // The user chose a row, or cleared the selection (no value).
    void destinationChosen(const std::optional<Destination> &destination);
    void groupToggled(FactionCategory category);

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex &index,
                                                         const QEvent *event = nullptr) const override;

private:
    // What the rows show: the rules' wording, which groups are expanded and which
    // have members, and the factions listed under the expanded groups.
    struct Shown
    {
        bool travellerRules = false;
        QList<bool> expandedGroups; // by category
        QList<bool> filledGroups;   // by category
        QList<Faction> listed;      // group by group, each in menu order
        friend bool operator==(const Shown &, const Shown &) = default;
    };
    static Shown shownFor(const StarfarerUniverse &universe, const QSet<FactionCategory> &expanded);
    void build(const Shown &shown);
    void addSectionTitle(const QString &title);
    void addRow(const Destination &destination, const QIcon &icon, const QString &title,
                bool indented = false);
    void addGroup(FactionCategory category, bool expanded, bool filled, const QList<Faction> &listed);
    void reportSelection();

    QList<std::optional<Destination>> m_rows; // one per row, in row order
    std::optional<Shown> m_shown;             // what the rows were built from
    bool m_rebuilding = false;
};
