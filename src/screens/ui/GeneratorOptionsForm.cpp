#include "GeneratorOptionsForm.h"

#include "ui/LiteralText.h"
#include "ui/SecondaryText.h"
#include "ui/Symbol.h"
#include "ui/TextStyle.h"
#include "ui/WrappingLabel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QVBoxLayout>

namespace {

constexpr int kHeadingPixelSize = 17;
constexpr int kStarTogglesBottomPadding = 8;
constexpr int kScaleControlBottomPadding = 5;
constexpr int kLockSymbolSize = 13;
constexpr qint64 kTemperatureCount = 10;

// A heading wraps rather than being cut where the column is too narrow for it.
QLabel *heading(const QString &text, QWidget *parent)
{
    auto *label = new WrappingLabel(text, parent);
    label->setFont(textFont(kHeadingPixelSize, false, true));
    return label;
}

QCheckBox *toggle(const QString &text, const char *objectName, QWidget *parent)
{
    auto *box = new QCheckBox(literalText(text), parent);
    box->setObjectName(QString::fromLatin1(objectName));
    return box;
}

// A pop-up picker with its title, 150 pixels wide, its content against the trailing
// edge. The title label is found as the picker's name followed by "Title".
QComboBox *picker(const QString &title, const char *objectName, QVBoxLayout *column, QWidget *parent)
{
    auto *row = new QWidget(parent);
    row->setFixedWidth(GeneratorOptionsForm::kPickerWidth);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addStretch(1);
    auto *label = new QLabel(title, row);
    label->setTextFormat(Qt::PlainText);
    label->setObjectName(QString::fromLatin1(objectName) + QStringLiteral("Title"));
    layout->addWidget(label);
    auto *combo = new QComboBox(row);
    combo->setObjectName(QString::fromLatin1(objectName));
    combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    layout->addWidget(combo);
    column->addWidget(row, 0, Qt::AlignHCenter);
    return combo;
}

template <typename E> void fillWithRawValues(QComboBox *combo)
{
    for (const E value : allCases<E>())
        combo->addItem(rawValue(value), static_cast<int>(value));
}

// Selects the entry whose data is `value`; none when no entry has it.
void select(QComboBox *combo, int value)
{
    combo->setCurrentIndex(combo->findData(value));
}

} // namespace

GeneratorOptionsForm::GeneratorOptionsForm(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("optionsForm"));
    setFixedWidth(kWidth);
    buildLayout();
    refresh();
}

QString GeneratorOptionsForm::starfarersToggleLabel(bool travellerRules)
{
    return travellerRules ? tr("Imperium") : tr("Starfarers");
}

QString GeneratorOptionsForm::satharToggleLabel(bool travellerRules)
{
    return travellerRules ? tr("Zhodani") : tr("Sathar");
}

QString GeneratorOptionsForm::techLevelHeading(bool swnTL)
{
    return tr("Tech Level (%1)").arg(swnTL ? tr("SWN") : tr("Traveller"));
}

QString GeneratorOptionsForm::lockedScaleText(bool swnTL)
{
    return tr("Locked to %1").arg(swnTL ? tr("SWN") : tr("Traveller"));
}

QString GeneratorOptionsForm::techLevelPickerTitle(bool randomTL)
{
    return randomTL ? tr("Max TL") : tr("Tech Level");
}

void GeneratorOptionsForm::buildLayout()
{
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    const int headingGap = style()->pixelMetric(QStyle::PM_LayoutTopMargin);
    const auto rolledStar = [](const GeneratorOptions &o) { return o.randomStar; };
    const auto handMadeStar = [](const GeneratorOptions &o) { return !o.randomStar; };

    column->addWidget(heading(tr("Spectral Type"), this));
    addToggle(column, tr("Random star"), "randomStar", &GeneratorOptions::randomStar);
    addToggle(column, tr("Binary"), "binary", &GeneratorOptions::binary, rolledStar);
    addToggle(column, tr("Random Luminosity"), "randomLuminosity", &GeneratorOptions::randomLuminosity,
              handMadeStar);
    column->addSpacing(kStarTogglesBottomPadding);

    fillWithRawValues<SpectralType>(addPicker(column, tr("Spectral Type"), "spectralType",
                                              &GeneratorOptions::spectralType, handMadeStar));
    QComboBox *temperature =
        addPicker(column, tr("Temperature"), "temperature", &GeneratorOptions::temperature, handMadeStar);
    for (qint64 decimal = 0; decimal < kTemperatureCount; ++decimal)
        temperature->addItem(QString::number(decimal), static_cast<int>(decimal));
    fillWithRawValues<LuminosityClass>(
        addPicker(column, tr("Luminosity"), "luminosity", &GeneratorOptions::luminosity, handMadeStar));

    column->addSpacing(headingGap);
    m_techLevelHeading = heading(QString(), this);
    m_techLevelHeading->setObjectName(QStringLiteral("techLevelHeading"));
    column->addWidget(m_techLevelHeading);
    column->addWidget(buildScaleControl());
    column->addSpacing(kScaleControlBottomPadding);
    addToggle(column, tr("Random"), "randomTL", &GeneratorOptions::randomTL);
    m_maxTechLevel = addPicker(column, QString(), "maxTechLevel", &GeneratorOptions::maxTechLevel);
    m_maxTechLevelTitle = findChild<QLabel *>(QStringLiteral("maxTechLevelTitle"));

    column->addSpacing(headingGap);
    column->addWidget(heading(tr("System Awareness"), this));
    m_starfarersAware = addToggle(column, QString(), "starfarersAware", &GeneratorOptions::starfarersAware);
    m_satharAware = addToggle(column, QString(), "satharAware", &GeneratorOptions::satharAware);
    addToggle(column, tr("Other"), "otherAware", &GeneratorOptions::otherAware);

    column->addSpacing(headingGap);
    column->addWidget(heading(tr("Survey Status"), this));
    addToggle(column, tr("Surveyed"), "surveyed", &GeneratorOptions::surveyed);
    column->addStretch(1);

    connect(m_scaleSwitch, &QCheckBox::clicked, this,
            [this](bool swn) { edit([swn](GeneratorOptions &options) { options.switchScale(swn); }); });
}

// Only the user's own changes are passed on: `clicked` and `activated` are not emitted
// when refresh() sets the controls.
QCheckBox *GeneratorOptionsForm::addToggle(QVBoxLayout *column, const QString &text, const char *name,
                                           bool GeneratorOptions::*flag, Condition enabled)
{
    QCheckBox *box = toggle(text, name, this);
    column->addWidget(box);
    connect(box, &QCheckBox::clicked, this,
            [this, flag](bool on) { edit([flag, on](GeneratorOptions &options) { options.*flag = on; }); });
    m_controls.append([box, flag, enabled](const GeneratorOptions &options) {
        box->setChecked(options.*flag);
        if (enabled)
            box->setEnabled(enabled(options));
    });
    return box;
}

template <typename T>
QComboBox *GeneratorOptionsForm::addPicker(QVBoxLayout *column, const QString &title, const char *name,
                                           T GeneratorOptions::*field, Condition enabled)
{
    QComboBox *combo = picker(title, name, column, this);
    connect(combo, &QComboBox::activated, this, [this, combo, field](int index) {
        const auto value = static_cast<T>(combo->itemData(index).toInt());
        edit([field, value](GeneratorOptions &options) { options.*field = value; });
    });
    m_controls.append([combo, field, enabled](const GeneratorOptions &options) {
        if (enabled)
            combo->setEnabled(enabled(options));
        select(combo, static_cast<int>(options.*field));
    });
    return combo;
}

// The switch while the scale can still be chosen, and the locked label beside it;
// refresh() shows one of the two.
QWidget *GeneratorOptionsForm::buildScaleControl()
{
    auto *control = new QWidget(this);
    auto *layout = new QVBoxLayout(control);
    layout->setContentsMargins(0, 0, 0, 0);
    m_scaleSwitch = toggle(tr("SWN"), "tlScaleSwitch", control);
    layout->addWidget(m_scaleSwitch);

    m_scaleLock = new QWidget(control);
    m_scaleLock->setObjectName(QStringLiteral("tlScaleLock"));
    auto *lockRow = new QHBoxLayout(m_scaleLock);
    lockRow->setContentsMargins(0, 0, 0, 0);
    auto *symbol = new QLabel(m_scaleLock);
    const QColor secondary = palette().color(QPalette::PlaceholderText);
    symbol->setPixmap(symbolPixmap(Symbol::lockFill, kLockSymbolSize, secondary, devicePixelRatioF()));
    m_scaleLockText = new QLabel(m_scaleLock);
    m_scaleLockText->setObjectName(QStringLiteral("tlScaleLockText"));
    m_scaleLockText->setTextFormat(Qt::PlainText);
    makeSecondary(m_scaleLockText);
    lockRow->addWidget(symbol);
    lockRow->addWidget(m_scaleLockText);
    lockRow->addStretch(1);
    layout->addWidget(m_scaleLock);
    return control;
}

void GeneratorOptionsForm::setState(const GeneratorOptions &options, bool scaleLocked, bool travellerRules)
{
    if (options == m_options && scaleLocked == m_scaleLocked && travellerRules == m_travellerRules)
        return;
    m_options = options;
    m_scaleLocked = scaleLocked;
    m_travellerRules = travellerRules;
    refresh();
}

void GeneratorOptionsForm::edit(const std::function<void(GeneratorOptions &)> &change)
{
    change(m_options);
    refresh();
    emit optionsEdited(m_options);
}

void GeneratorOptionsForm::refresh()
{
    const GeneratorOptions &o = m_options;
    refreshTechLevels();
    for (const auto &showControl : std::as_const(m_controls))
        showControl(o);
    m_techLevelHeading->setText(techLevelHeading(o.swnTL));
    m_scaleSwitch->setVisible(!m_scaleLocked);
    m_scaleSwitch->setChecked(o.swnTL);
    m_scaleLock->setVisible(m_scaleLocked);
    m_scaleLockText->setText(lockedScaleText(o.swnTL));
    m_maxTechLevelTitle->setText(techLevelPickerTitle(o.randomTL));
    m_starfarersAware->setText(literalText(starfarersToggleLabel(m_travellerRules)));
    m_satharAware->setText(literalText(satharToggleLabel(m_travellerRules)));
}

// The levels of the chosen scale; the list is only refilled when the scale changed.
void GeneratorOptionsForm::refreshTechLevels()
{
    const QList<TechnologyLevel> levels = technologyLevels(m_options.techLevelSystem());
    bool same = m_maxTechLevel->count() == levels.size();
    for (qsizetype i = 0; same && i < levels.size(); ++i)
        same = m_maxTechLevel->itemData(static_cast<int>(i)).toInt() == static_cast<int>(levels.at(i));
    if (same)
        return;
    m_maxTechLevel->clear();
    for (const TechnologyLevel level : levels)
        m_maxTechLevel->addItem(rawValue(level), static_cast<int>(level));
}
