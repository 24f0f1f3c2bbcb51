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
//
// The arrow keys move through the rows and the group headers, starting from the row
// shown as chosen and skipping the section titles. On a header, Space and Return
// toggle its group, Right opens it and Left closes it, as on a tree's branch.
class SidebarList : public QListWidget
{
    Q_OBJECT

public:
    // Left padding of the faction rows under their group's header.
    static constexpr int kFactionRowIndent = 8;

    explicit SidebarList(QWidget *parent = nullptr);

    // Shows the rows of the universe and highlights the row whose destination equals
    // `selection` (none when no row does), without reporting it. The rows are built
    // afresh only when the rules' wording or the expanded groups changed; otherwise
    // only the headers and faction rows that differ from what is shown are updated, so
    // one faction's change costs in proportion to it, and none in a collapsed group.
    void rebuild(const StarfarerUniverse &universe, const QSet<FactionCategory> &expanded,
                 const std::optional<Destination> &selection);

    // The destination a row selects; none for section titles and group headers.
    std::optional<Destination> destinationAt(int row) const;
    // The first row selecting `destination`, or null.
    QListWidgetItem *itemFor(const Destination &destination) const;
    FactionGroupHeader *groupHeader(FactionCategory category) const;
    // The group whose header is `row`; none for every other row.
    std::optional<FactionCategory> groupAt(int row) const;

signals:
    // The user chose a row, or cleared the selection (no value).
    void destinationChosen(const std::optional<Destination> &destination);
    void groupToggled(FactionCategory category);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex &index,
                                                         const QEvent *event = nullptr) const override;

private:
    // What the rows show: the rules' wording, which groups are expanded and which
    // have members, and the factions listed under the expanded groups.
    struct Shown
    {
        bool travellerRules = false;
        QList<bool> expandedGroups;   // by category
        QList<bool> filledGroups;     // by category
        QList<QList<Faction>> listed; // by category, in menu order; empty when collapsed
    };
    static Shown shownFor(const StarfarerUniverse &universe, const QSet<FactionCategory> &expanded);
    void build(const Shown &shown);
    void updateInPlace(const Shown &shown);
    void updateFactionRows(int first, const QList<Faction> &shown, const QList<Faction> &next);
    void addSectionTitle(const QString &title);
    void insertRow(int row, const Destination &destination, const QIcon &icon, const QString &title,
                   bool indented = false);
    void insertFactionRow(int row, const Faction &faction);
    void addGroup(FactionCategory category, bool expanded, bool filled, const QList<Faction> &listed);
    void reportSelection();
    int headerRow(FactionCategory category) const;
    // Makes the row the keyboard was on current again after the rows changed: the
    // same group header or destination, else the chosen row.
    void restoreCurrent(const std::optional<FactionCategory> &group,
                        const std::optional<Destination> &destination,
                        const std::optional<Destination> &selection);

    QList<std::optional<Destination>> m_rows; // one per row, in row order
    std::optional<Shown> m_shown;             // what the rows were built from
    bool m_rebuilding = false;
};
