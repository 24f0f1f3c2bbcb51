#pragma once

#include "model/GalacticCoordinates.h"

#include <QFrame>

class QLineEdit;
class QTreeView;
class StarfarerUniverse;
class SystemEntryFilter;
class SystemEntryModel;

// The searchable list with which a hex picker jumps to a stored system. A search
// field sits over the stored systems, each entry showing the system's name and hex;
// typing narrows the list to the entries whose name or hex contains the typed text
// (any case). Return, or a click on an entry, chooses it; Escape or a click outside
// closes the list. It stays usable with any number of systems: the list scrolls,
// and the entries are read from the universe only while the list is open.
class SystemSearchPopup : public QFrame
{
    Q_OBJECT

public:
    SystemSearchPopup(const StarfarerUniverse &universe, QWidget *parent);

    // Lists the universe's systems, marks the entry at `current` when one is listed,
    // and shows the list below `anchor` (above it where the screen ends).
    void popUp(const QWidget *anchor, const GalacticCoordinates &current);
    // Chooses the entry shown at `row` of the (narrowed) list and closes.
    void choose(int row);

    QLineEdit *searchField() const { return m_search; }
    QTreeView *list() const { return m_list; }
    // The entries as shown now, in order, as "name · hex".
    QStringList shownEntries() const;

signals:
    void chosen(const GalacticCoordinates &coordinates);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void narrow(const QString &text);

    const StarfarerUniverse &m_universe;
    SystemEntryModel *m_model;
    SystemEntryFilter *m_shown;
    QLineEdit *m_search;
    QTreeView *m_list;
};
