#pragma once

#include "ParametersView.h"
#include "model/WorldData.h"

#include <QList>
#include <QWidget>

#include <utility>

class ElidedLabel;
class ParameterView;
class QLabel;
class UWPView;

// The read-only explanation of one world: its name and prevalent people, its profile
// line on two lines, and one titled row per profile element (starport, bases, size,
// density, gravity, day and year, atmosphere, pressure, gear, hydrographics,
// population, government, law level, tech level, trade classes), each spelled out
// from the rules tables of the world model. Every row is the same width.
class WorldInfoPanel : public QWidget
{
    Q_OBJECT

public:
    static constexpr double kViewWidth = 335;

    WorldInfoPanel(const WorldData &world, qint64 belts, qint64 gasGiants, double viewWidth = kViewWidth,
                   QWidget *parent = nullptr);

    // Shows another world (or the same one after an edit) in the same rows.
    void setWorld(const WorldData &world, qint64 belts, qint64 gasGiants);

    // The bases in base-letter order, each as "S: Scout Base", joined with ", ";
    // "None" without a base.
    static QString basesText(const UWP &uwp);

private:
    using ValueText = QString (*)(const WorldData &world);

    void addRow(const char *title, ValueText value);

    double m_viewWidth;
    ElidedLabel *m_name;
    QLabel *m_people;
    UWPView *m_uwp;
    ParametersView *m_density = nullptr;
    ParametersView *m_dayYear = nullptr;
    QList<std::pair<ParameterView *, ValueText>> m_rows;
};
