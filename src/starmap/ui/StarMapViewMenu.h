#pragma once

#include "ui/Symbol.h"

#include <QWidget>

#include <functional>

class QLineEdit;
class QMenu;
class QToolButton;
class QVBoxLayout;
class StarMapVisibleSets;
class StarfarerUniverse;

// The column of the star map's controls panel: the search field, the referee/player
// switch, the layer toggles, the label-category filter, and in the referee's view the
// awareness toggles and the faction filter. Every control shows a display setting of
// the universe and, when the user changes it, stores the new value and saves the
// universe once. The controls below the search field are rebuilt from the universe
// whenever a setting they show changes; the factions to filter by are listed when
// their menu opens.
class StarMapViewMenu : public QWidget
{
    Q_OBJECT

public:
    StarMapViewMenu(StarfarerUniverse *universe, const StarMapVisibleSets *sets, QWidget *parent = nullptr);

    QLineEdit *searchField() const { return m_search; }
    // The controls below the search field as they are now.
    QWidget *body() const { return m_body; }

    QString factionMenuTitle() const;
    QString categoryMenuTitle() const;

signals:
    // Return was pressed in the search field.
    void searchSubmitted(const QString &text);

private:
    // What the faction filter shows of the factions and faction lists: whether it is
    // there at all, and its title.
    struct FactionFilterShown
    {
        bool present = false;
        QString title;

        friend bool operator==(const FactionFilterShown &, const FactionFilterShown &) = default;
    };

    void rebuild();
    FactionFilterShown factionFilterShown() const;
    // Rebuilds when the label categories (`labels`) or else what the faction filter
    // shows differ from those shown.
    void rebuildIfShownChanged(bool labels);
    // Stores a new value with `assign`, then saves the universe.
    void change(const std::function<void(StarfarerUniverse &)> &assign);
    void addModePicker(QVBoxLayout *column);
    void addToggle(QVBoxLayout *column, const QString &title, bool value,
                   void (StarfarerUniverse::*setter)(bool));
    QToolButton *filterMenuButton(Symbol symbol, const QString &title, QWidget *parent);
    QWidget *categoryMenu(QWidget *parent);
    QWidget *factionRow(QWidget *parent);
    // Lists the factions and faction lists to filter by, as they are now.
    void fillFactionMenu(QMenu *menu);
    void clearFactionFilter();

    StarfarerUniverse *m_universe;
    const StarMapVisibleSets *m_sets;
    QLineEdit *m_search;
    QVBoxLayout *m_layout;
    QWidget *m_body = nullptr;
    bool m_travellerRules = false;
    QStringList m_shownCategories;
    FactionFilterShown m_shownFactionFilter;
};
