#pragma once

#include "ui/ElidedComboBox.h"
#include "universe/Faction.h"

#include <QHash>

#include <optional>

class StarfarerUniverse;

// The rutter editor's faction picker: "Select a faction", then every faction of the
// universe in menu order, each with a dot of its colour and its name ("Unnamed
// Faction" when it has none). It follows the universe's factions entry by entry: a
// faction that comes, changes or goes adds, moves or removes its own entry, and only
// a change it cannot place (a whole new list, a tie of names) fills them afresh.
// Like any picker sized to its contents it asks to be as wide as its widest entry, but
// each entry's text is measured once, not at every layout: with hundreds of factions
// the measuring would otherwise cost more than the change itself. Where it has less
// room it cuts the chosen name with an ellipsis, so a long name never widens the form.
class FactionPicker : public ElidedComboBox
{
    Q_OBJECT

public:
    explicit FactionPicker(const StarfarerUniverse &universe, QWidget *parent = nullptr);

    // The faction shown chosen: none shows "Select a faction", an id that names no
    // faction shows no entry. It, or the entry the user picks, stays chosen while the
    // entries change.
    void setChosen(const std::optional<QUuid> &id);
    // The faction of the current entry; none for "Select a faction" or no entry.
    std::optional<QUuid> chosen() const;

protected:
    QSize contentsSizeHint() const override;
    void changeEvent(QEvent *event) override;

private:
    void fill();
    // One faction left or came: its entry goes, or takes its place among the others
    // (`last`: the faction comes after every listed one in the universe's order).
    // False when the entries cannot tell where it goes.
    bool taken(const Faction &faction);
    bool placed(const Faction &faction, bool last);
    // Fills the entries afresh unless the change was `followed` entry by entry.
    void follow(bool followed);
    void addEntry(int index, const Faction &faction);
    void showChosen();
    int textWidth(const QString &text) const;

    const StarfarerUniverse &m_universe;
    std::optional<QUuid> m_chosen;
    QList<Faction> m_listed; // the factions of the entries after the first, in order
    mutable QHash<QString, int> m_textWidths;
    // What the entries need, measured at the first ask after they changed: each entry
    // added or taken asks again, and the walk of every entry happens once per change.
    mutable std::optional<QSize> m_contents;
};
