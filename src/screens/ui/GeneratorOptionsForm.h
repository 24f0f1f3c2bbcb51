#pragma once

#include "model/GeneratorOptions.h"

#include <QList>
#include <QWidget>

#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QVBoxLayout;

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
    // Whether a control applies to the options as they are; no condition: always.
    using Condition = bool (*)(const GeneratorOptions &);

    void buildLayout();
    QWidget *buildScaleControl();
    // A check box bound to one flag, and a pop-up bound to one field through its
    // entries' data; each shows the field on every refresh and sets it when the user
    // changes it.
    QCheckBox *addToggle(QVBoxLayout *column, const QString &text, const char *name,
                         bool GeneratorOptions::*flag, Condition enabled = nullptr);
    template <typename T>
    QComboBox *addPicker(QVBoxLayout *column, const QString &title, const char *name,
                         T GeneratorOptions::*field, Condition enabled = nullptr);
    void edit(const std::function<void(GeneratorOptions &)> &change);
    void refresh();
    void refreshTechLevels();

    GeneratorOptions m_options;
    bool m_scaleLocked = false;
    bool m_travellerRules = false;

    // Each bound control, showing the options.
    QList<std::function<void(const GeneratorOptions &)>> m_controls;
    QLabel *m_techLevelHeading = nullptr;
    QCheckBox *m_scaleSwitch = nullptr;
    QWidget *m_scaleLock = nullptr;
    QLabel *m_scaleLockText = nullptr;
    QLabel *m_maxTechLevelTitle = nullptr;
    QComboBox *m_maxTechLevel = nullptr;
    QCheckBox *m_starfarersAware = nullptr;
    QCheckBox *m_satharAware = nullptr;
};
