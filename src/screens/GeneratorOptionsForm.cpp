#include "GeneratorOptionsForm.h"

#include "ui/LiteralText.h"
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

template <typename E> E selected(const QComboBox *combo, int index)
{
    return static_cast<E>(combo->itemData(index).toInt());
}

// Selects the entry whose data is `value`; none when no entry has it.
void select(QComboBox *combo, int value)
{
    combo->setCurrentIndex(combo->findData(value));
}

void makeSecondary(QLabel *label)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, palette.color(QPalette::PlaceholderText));
    label->setPalette(palette);
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

    column->addWidget(heading(tr("Spectral Type"), this));
    m_randomStar = toggle(tr("Random star"), "randomStar", this);
    m_binary = toggle(tr("Binary"), "binary", this);
    m_randomLuminosity = toggle(tr("Random Luminosity"), "randomLuminosity", this);
    column->addWidget(m_randomStar);
    column->addWidget(m_binary);
    column->addWidget(m_randomLuminosity);
    column->addSpacing(kStarTogglesBottomPadding);

    m_spectralType = picker(tr("Spectral Type"), "spectralType", column, this);
    fillWithRawValues<SpectralType>(m_spectralType);
    m_temperature = picker(tr("Temperature"), "temperature", column, this);
    for (qint64 decimal = 0; decimal < kTemperatureCount; ++decimal)
        m_temperature->addItem(QString::number(decimal), static_cast<int>(decimal));
    m_luminosity = picker(tr("Luminosity"), "luminosity", column, this);
    fillWithRawValues<LuminosityClass>(m_luminosity);

    column->addSpacing(headingGap);
    m_techLevelHeading = heading(QString(), this);
    m_techLevelHeading->setObjectName(QStringLiteral("techLevelHeading"));
    column->addWidget(m_techLevelHeading);
    column->addWidget(buildScaleControl());
    column->addSpacing(kScaleControlBottomPadding);
    m_randomTL = toggle(tr("Random"), "randomTL", this);
    column->addWidget(m_randomTL);
    m_maxTechLevel = picker(QString(), "maxTechLevel", column, this);
    m_maxTechLevelTitle = findChild<QLabel *>(QStringLiteral("maxTechLevelTitle"));

    column->addSpacing(headingGap);
    column->addWidget(heading(tr("System Awareness"), this));
    m_starfarersAware = toggle(QString(), "starfarersAware", this);
    m_satharAware = toggle(QString(), "satharAware", this);
    m_otherAware = toggle(tr("Other"), "otherAware", this);
    column->addWidget(m_starfarersAware);
    column->addWidget(m_satharAware);
    column->addWidget(m_otherAware);

    column->addSpacing(headingGap);
    column->addWidget(heading(tr("Survey Status"), this));
    m_surveyed = toggle(tr("Surveyed"), "surveyed", this);
    column->addWidget(m_surveyed);
    column->addStretch(1);

    // Only the user's own changes are passed on: `clicked` and `activated` are not
    // emitted when refresh() sets the controls.
    const auto flag = [this](QCheckBox *box, bool GeneratorOptions::*field) {
        connect(box, &QCheckBox::clicked, this, [this, field](bool on) {
            edit([field, on](GeneratorOptions &options) { options.*field = on; });
        });
    };
    flag(m_randomStar, &GeneratorOptions::randomStar);
    flag(m_binary, &GeneratorOptions::binary);
    flag(m_randomLuminosity, &GeneratorOptions::randomLuminosity);
    flag(m_randomTL, &GeneratorOptions::randomTL);
    flag(m_starfarersAware, &GeneratorOptions::starfarersAware);
    flag(m_satharAware, &GeneratorOptions::satharAware);
    flag(m_otherAware, &GeneratorOptions::otherAware);
    flag(m_surveyed, &GeneratorOptions::surveyed);
    connect(m_scaleSwitch, &QCheckBox::clicked, this,
            [this](bool swn) { edit([swn](GeneratorOptions &options) { options.switchScale(swn); }); });
    connect(m_spectralType, &QComboBox::activated, this, [this](int index) {
        const auto type = selected<SpectralType>(m_spectralType, index);
        edit([type](GeneratorOptions &options) { options.spectralType = type; });
    });
    connect(m_temperature, &QComboBox::activated, this, [this](int index) {
        const qint64 decimal = m_temperature->itemData(index).toInt();
        edit([decimal](GeneratorOptions &options) { options.temperature = decimal; });
    });
    connect(m_luminosity, &QComboBox::activated, this, [this](int index) {
        const auto luminosity = selected<LuminosityClass>(m_luminosity, index);
        edit([luminosity](GeneratorOptions &options) { options.luminosity = luminosity; });
    });
    connect(m_maxTechLevel, &QComboBox::activated, this, [this](int index) {
        const auto level = selected<TechnologyLevel>(m_maxTechLevel, index);
        edit([level](GeneratorOptions &options) { options.maxTechLevel = level; });
    });
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
    m_randomStar->setChecked(o.randomStar);
    m_binary->setChecked(o.binary);
    m_randomLuminosity->setChecked(o.randomLuminosity);
    m_binary->setEnabled(o.randomStar);
    m_randomLuminosity->setEnabled(!o.randomStar);
    for (QComboBox *starPicker : {m_spectralType, m_temperature, m_luminosity})
        starPicker->setEnabled(!o.randomStar);
    select(m_spectralType, static_cast<int>(o.spectralType));
    select(m_temperature, static_cast<int>(o.temperature));
    select(m_luminosity, static_cast<int>(o.luminosity));

    m_techLevelHeading->setText(techLevelHeading(o.swnTL));
    m_scaleSwitch->setVisible(!m_scaleLocked);
    m_scaleSwitch->setChecked(o.swnTL);
    m_scaleLock->setVisible(m_scaleLocked);
    m_scaleLockText->setText(lockedScaleText(o.swnTL));
    m_randomTL->setChecked(o.randomTL);
    m_maxTechLevelTitle->setText(techLevelPickerTitle(o.randomTL));
    refreshTechLevels();

    m_starfarersAware->setText(literalText(starfarersToggleLabel(m_travellerRules)));
    m_satharAware->setText(literalText(satharToggleLabel(m_travellerRules)));
    m_starfarersAware->setChecked(o.starfarersAware);
    m_satharAware->setChecked(o.satharAware);
    m_otherAware->setChecked(o.otherAware);
    m_surveyed->setChecked(o.surveyed);
}

void GeneratorOptionsForm::refreshTechLevels()
{
    const QList<TechnologyLevel> levels = technologyLevels(m_options.techLevelSystem());
    bool same = m_maxTechLevel->count() == levels.size();
    for (qsizetype i = 0; same && i < levels.size(); ++i)
        same = selected<TechnologyLevel>(m_maxTechLevel, static_cast<int>(i)) == levels.at(i);
    if (!same) {
        m_maxTechLevel->clear();
        for (const TechnologyLevel level : levels)
            m_maxTechLevel->addItem(rawValue(level), static_cast<int>(level));
    }
    select(m_maxTechLevel, static_cast<int>(m_options.maxTechLevel));
}
