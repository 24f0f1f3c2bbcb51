#pragma once

#include "GeneratorOptions.h"

#include <QWidget>

#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;

// The options column of the system generator: the primary star, the tech-level scale
// and cap, the awareness groups and the survey status. It shows the options it is
// given and hands every change the user makes back as a whole new set of options.
class GeneratorOptionsForm : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kWidth = 180;
    static constexpr int kPickerWidth = 150;

    explicit GeneratorOptionsForm(QWidget *parent = nullptr);

    const GeneratorOptions &options() const { return m_options; }

    // Shows `options`. `scaleLocked`: the universe holds systems, so the scale is no
    // longer a choice. `travellerRules` decides the awareness wording.
    void setState(const GeneratorOptions &options, bool scaleLocked, bool travellerRules);

    // "Imperium"/"Starfarers" and "Zhodani"/"Sathar" by the universe's rule flavour.
    static QString starfarersToggleLabel(bool travellerRules);
    static QString satharToggleLabel(bool travellerRules);
    // "Tech Level (SWN)" or "Tech Level (Traveller)".
    static QString techLevelHeading(bool swnTL);
    // "Locked to SWN" or "Locked to Traveller".
    static QString lockedScaleText(bool swnTL);
    // "Max TL" while the level is rolled, else "Tech Level".
    static QString techLevelPickerTitle(bool randomTL);

signals:
    // After each change the user makes, the options as they now are.
    void optionsEdited(const GeneratorOptions &options);

private:
    void buildLayout();
    QWidget *buildScaleControl();
    void edit(const std::function<void(GeneratorOptions &)> &change);
    void refresh();
    void refreshTechLevels();

    GeneratorOptions m_options;
    bool m_scaleLocked = false;
    bool m_travellerRules = false;

    QCheckBox *m_randomStar = nullptr;
    QCheckBox *m_binary = nullptr;
    QCheckBox *m_randomLuminosity = nullptr;
    QComboBox *m_spectralType = nullptr;
    QComboBox *m_temperature = nullptr;
    QComboBox *m_luminosity = nullptr;
    QLabel *m_techLevelHeading = nullptr;
    QCheckBox *m_scaleSwitch = nullptr;
    QWidget *m_scaleLock = nullptr;
    QLabel *m_scaleLockText = nullptr;
    QCheckBox *m_randomTL = nullptr;
    QLabel *m_maxTechLevelTitle = nullptr;
    QComboBox *m_maxTechLevel = nullptr;
    QCheckBox *m_starfarersAware = nullptr;
    QCheckBox *m_satharAware = nullptr;
    QCheckBox *m_otherAware = nullptr;
    QCheckBox *m_surveyed = nullptr;
};
