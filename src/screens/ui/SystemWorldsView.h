#pragma once

#include "model/StarSystem.h"
#include "ui/Tile.h"

#include <QString>

class QLabel;
class QListView;
class SymbolButton;
class SystemWorldsModel;

// A collapsible tile listing every body of a system, star by star, under a header
// that counts the bodies and the inhabited ones and gives the total population.
// It opens collapsed; the chevron shows and hides the list. Only shows.
class SystemWorldsView : public Tile
{
    Q_OBJECT

public:
    SystemWorldsView(const StarSystem &starSystem, double viewWidth, double maxHeight, bool compact,
                     QWidget *parent = nullptr);

    void setStarSystem(const StarSystem &starSystem);

    bool showOtherWorlds() const { return m_showOtherWorlds; }
    void setShowOtherWorlds(bool show);

    // "3 bodies:"
    QString bodiesText() const;
    // "2 inhabited, total population: 2.1B", or the short form when compact.
    QString summaryText() const;
    const SystemWorldsModel *model() const { return m_model; }
    QListView *list() const { return m_list; }

    // The total population of the bodies with a population code of 1 or more; the
    // largest count when the sum does not fit.
    static qint64 totalPopulation(const StarSystem &starSystem);
    static QString summaryText(const StarSystem &starSystem, bool compact);
    // 18 pixels a body, 18 a star heading when there are two or more stars, 2 more;
    // at most `maxHeight`.
    static int listHeight(const StarSystem &starSystem, double maxHeight);

private:
    void updateChevron();

    StarSystem m_starSystem;
    double m_maxHeight;
    bool m_compact;
    bool m_showOtherWorlds = false;
    SymbolButton *m_chevron;
    QLabel *m_bodies;
    QLabel *m_summary;
    QListView *m_list;
    SystemWorldsModel *m_model;
};
