#pragma once

#include "ui/Symbol.h"

#include <QColor>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <vector>

class QButtonGroup;
class QCheckBox;
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
// universe once. The controls are made once and follow the universe in place, so that
// the one the user changed keeps the keyboard's focus; only the filters come and go as
// the universe asks for them. The factions to filter by are listed when their menu
// opens.
class StarMapViewMenu : public QWidget
{
    Q_OBJECT

public:
    StarMapViewMenu(StarfarerUniverse *universe, const StarMapVisibleSets *sets, QWidget *parent = nullptr);

    QLineEdit *searchField() const { return m_search; }
    // The controls below the search field.
    QWidget *body() const { return m_body; }

    QString factionMenuTitle() const;
    QString categoryMenuTitle() const;

signals:
    // Return was pressed in the search field.
    void searchSubmitted(const QString &text);

private:
    // A toggle of the column, the display setting it shows and its wording under each
    // of the rules.
    struct Toggle
    {
        QCheckBox *box;
        bool (StarfarerUniverse::*value)() const;
        const char *title;
        const char *travellerTitle;
    };

    // Shows the universe's settings in every control.
    void refresh();
    // Shows or drops the label-category filter, with its title and entries.
    void refreshCategoryFilter();
    // Shows or drops the faction filter, with its title and reset.
    void refreshFactionFilter();
    // Stores a new value with `assign`, then saves the universe.
    void change(const std::function<void(StarfarerUniverse &)> &assign);
    QToolButton *symbolButton(Symbol symbol, QWidget *parent) const;
    void addModePicker(QVBoxLayout *column);
    QCheckBox *addToggle(QVBoxLayout *column, QWidget *parent, bool (StarfarerUniverse::*value)() const,
                         void (StarfarerUniverse::*setter)(bool), const char *title,
                         const char *travellerTitle = nullptr);
    QToolButton *filterMenuButton(Symbol symbol, QWidget *parent) const;
    QToolButton *makeCategoryMenu();
    // Lists `categories` in the category menu.
    void fillCategoryMenu(const QStringList &categories);
    QWidget *makeFactionFilter();
    // Lists the factions and faction lists to filter by, as they are now.
    void fillFactionMenu(QMenu *menu);
    void clearFactionFilter();

    StarfarerUniverse *m_universe;
    const StarMapVisibleSets *m_sets;
    // The colour of the column's symbols, over the panel's.
    QColor m_symbolColor;
    QLineEdit *m_search;
    QWidget *m_body = nullptr;
    QVBoxLayout *m_column = nullptr;
    QButtonGroup *m_modes = nullptr;
    std::vector<Toggle> m_toggles;
    QCheckBox *m_labels = nullptr;
    QToolButton *m_categoryMenu = nullptr;
    QStringList m_listedCategories;
    // The awareness toggles and the faction filter: the referee's view only.
    QWidget *m_referee = nullptr;
    QVBoxLayout *m_refereeColumn = nullptr;
    QCheckBox *m_other = nullptr;
    QWidget *m_factionFilter = nullptr;
    QToolButton *m_factionReset = nullptr;
    QToolButton *m_factionMenu = nullptr;
};
