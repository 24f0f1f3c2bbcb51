#include "SystemGeneratorView.h"

#include "GeneratorOptionsForm.h"
#include "StarSystemView.h"
#include "SystemWorldsView.h"
#include "WorldEditPanel.h"
#include "model/HexData.h"
#include "model/Random.h"
#include "model/StarSystemGeneration.h"
#include "ui/AppInformation.h"
#include "ui/LiteralText.h"
#include "ui/NamedColor.h"
#include "ui/TextStyle.h"
#include "ui/Tile.h"
#include "universe/StarfarerUniverse.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QShowEvent>
#include <QSpinBox>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>

namespace {

constexpr qreal kWindowCornerRadius = 8;
constexpr qreal kPanelCornerRadius = 8;
constexpr qreal kStepperCornerRadius = 5;
constexpr int kTitleBlockWidth = 450;
constexpr int kTitleBlockTrailingPadding = 8;
constexpr int kStoreButtonWidth = 80;
constexpr int kHexHeaderWidth = 200;
constexpr int kNameRowSpacing = 20;
constexpr int kNameRowLeadingPadding = 20;
constexpr int kNameRowTrailingPadding = 25;
constexpr int kGenerateButtonWidth = 130;
constexpr int kNameFieldWidth = 180;
constexpr int kNameBlockTrailingPadding = 90;
constexpr int kPanelVerticalPadding = 8;
constexpr int kPanelLeadingPadding = 10;
constexpr int kStepperWidth = 55;
constexpr int kStepperPadding = 5;
constexpr int kColumnRowBlockWidth = 120;
constexpr int kCoordinateFieldWidth = 30;
constexpr int kResultSpacing = 1;
constexpr int kSectionTitlePadding = 3;
constexpr int kNotesPadding = 8;
constexpr int kNotesMinimumHeight = 60;
constexpr int kNotesIdealHeight = 300;
constexpr int kNotesTopPadding = 2;
constexpr int kNotesPlaceholderPadding = 5;
constexpr double kWorldsMaxHeight = 900;
constexpr double kMenuWidth = 150;

QLabel *label(const QString &text, const QFont &font, QWidget *parent, const char *objectName = nullptr)
{
    auto *result = new QLabel(text, parent);
    result->setTextFormat(Qt::PlainText);
    result->setFont(font);
    if (objectName)
        result->setObjectName(QString::fromLatin1(objectName));
    return result;
}

void setTextColor(QWidget *widget, const QColor &color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    widget->setPalette(palette);
}

int defaultPadding(const QWidget *widget)
{
    return widget->style()->pixelMetric(QStyle::PM_LayoutLeftMargin);
}

// A container filled with a named colour in a rounded rectangle.
class RoundedPanel : public QWidget
{
public:
    RoundedPanel(NamedColor color, qreal radius, QWidget *parent)
        : QWidget(parent), m_color(color), m_radius(radius)
    {}

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        paintTileBackground(painter, rect(), namedColor(m_color), m_radius);
    }

private:
    NamedColor m_color;
    qreal m_radius;
};

// A sector stepper: its label names the axis and the sector ("X: A" for sector -1),
// and only the arrows (or the arrow keys) change it.
class SectorStepper : public QSpinBox
{
public:
    using SectorText = QString (*)(qint64);

    SectorStepper(const QString &axis, SectorText sectorText, QWidget *parent)
        : QSpinBox(parent), m_sectorText(sectorText)
    {
        setPrefix(axis + QStringLiteral(": "));
        setRange(SystemGeneratorView::kSectorMinimum, SystemGeneratorView::kSectorMaximum);
        setSingleStep(1);
        setWrapping(false);
        lineEdit()->setReadOnly(true);
        setFixedWidth(kStepperWidth);
    }

protected:
    QString textFromValue(int value) const override { return m_sectorText(value); }

    int valueFromText(const QString &text) const override { return parse(text).value_or(value()); }

    QValidator::State validate(QString &text, int &) const override
    {
        return parse(text) ? QValidator::Acceptable : QValidator::Invalid;
    }

private:
    // The inverse of the sector text, with or without the prefix.
    std::optional<int> parse(QString text) const
    {
        if (text.startsWith(prefix()))
            text.remove(0, prefix().size());
        text = text.trimmed();
        std::optional<int> sector;
        if (text.size() == 1 && text.at(0) >= QLatin1Char('A') && text.at(0) <= QLatin1Char('Z')) {
            sector = -(text.at(0).unicode() - u'A' + 1);
        } else {
            bool ok = false;
            const int number = text.toInt(&ok);
            if (ok && number >= 0)
                sector = number;
        }
        if (sector && (*sector < minimum() || *sector > maximum()))
            return std::nullopt;
        return sector;
    }

    SectorText m_sectorText;
};

// The notes editor asks for its ideal height; a cramped screen can still shrink it.
class NotesEdit : public QPlainTextEdit
{
public:
    using QPlainTextEdit::QPlainTextEdit;
    QSize sizeHint() const override
    {
        return {QPlainTextEdit::sizeHint().width(), kNotesIdealHeight - 2 * kNotesPadding};
    }
};

} // namespace

SystemGeneratorView::SystemGeneratorView(StarfarerUniverse *universe, QWidget *parent)
    : QWidget(parent), m_universe(universe),
      // The screen never shows an empty result: a first system is there at once.
      m_starSystem(generateStarSystem(std::nullopt, false, TechnologyLevel::tl4, false))
{
    setObjectName(QStringLiteral("systemGenerator"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    // The screen is taller than many windows; it scrolls rather than forcing the
    // window to grow past the screen.
    m_scroll = new QScrollArea(this);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setWidgetResizable(true);
    m_scroll->viewport()->setAutoFillBackground(false);
    m_scroll->setWidget(buildContent());
    layout->addWidget(m_scroll);

    if (m_universe) {
        // The store button, the scale control and the awareness wording follow the
        // universe's systems.
        connect(m_universe, &StarfarerUniverse::dataChanged, this, &SystemGeneratorView::refresh);
        connect(m_universe, &StarfarerUniverse::hexInserted, this, &SystemGeneratorView::refresh);
        connect(m_universe, &StarfarerUniverse::hexReplaced, this, &SystemGeneratorView::refresh);
        connect(m_universe, &StarfarerUniverse::hexRemoved, this, &SystemGeneratorView::refresh);
        connect(m_universe, &StarfarerUniverse::saved, this, [this] {
            m_saveFailure.clear();
            refresh();
        });
        connect(m_universe, &StarfarerUniverse::saveFailed, this, [this](const QString &message) {
            m_saveFailure = message;
            refresh();
        });
    }
    refresh();
    refreshSystem();
}

GalacticCoordinates SystemGeneratorView::target() const
{
    return GalacticCoordinates{m_sectorX, m_sectorY, m_homeworldColumn, m_homeworldRow};
}

qint64 SystemGeneratorView::clampColumn(qint64 column)
{
    return std::clamp<qint64>(column, 1, kColumns);
}

qint64 SystemGeneratorView::clampRow(qint64 row)
{
    return std::clamp<qint64>(row, 1, kRows);
}

QString SystemGeneratorView::hexHeaderText(const GalacticCoordinates &coordinates)
{
    return tr("HEX: %1").arg(coordinates.description());
}

bool SystemGeneratorView::hexIsOccupied() const
{
    return m_universe && m_universe->hexData(target()).has_value();
}

QString SystemGeneratorView::storeButtonLabel() const
{
    return hexIsOccupied() ? tr("Replace") : tr("Save");
}

QSize SystemGeneratorView::sizeHint() const
{
    // The whole screen when there is room for it; the scroll area takes over below.
    return m_scroll->widget()->sizeHint();
}

// ---- Showing ----

void SystemGeneratorView::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // A window restored after being minimised is not a new showing of the screen.
    if (!event->spontaneous())
        onAppearSync();
}

void SystemGeneratorView::onAppearSync()
{
    followUniverseScale();
    // Rolled once the showing is complete, with the options just settled.
    QTimer::singleShot(0, this, &SystemGeneratorView::generateSystem);
}

// The scale and level follow the rule flavour of the universe's stored systems.
void SystemGeneratorView::followUniverseScale()
{
    GeneratorOptions options = m_options;
    options.followRules(m_universe && m_universe->usesTravellerRules());
    setOptions(options);
}

void SystemGeneratorView::setOptions(const GeneratorOptions &options)
{
    m_options = options;
    refresh();
}

// ---- Actions ----

void SystemGeneratorView::generateSystem()
{
    if (m_options.randomStar) {
        setStarSystem(
            generateStarSystem(std::nullopt, m_options.binary, m_options.maxTechLevel, m_options.randomTL));
        return;
    }
    if (m_options.randomLuminosity) {
        GeneratorOptions options = m_options;
        options.luminosity =
            Star::randomSizeClass(options.spectralType, static_cast<int>(options.temperature));
        setOptions(options);
    }
    Star primary;
    primary.id = QUuid::createUuid();
    primary.spectralType = m_options.spectralType;
    primary.temperature = m_options.temperature;
    primary.luminosity = m_options.luminosity;
    const MassRange range = Star::massRange(primary.spectralType, primary.luminosity);
    primary.mass = randomUniform(range.low, range.high);
    primary.orbit = Orbits::starOrbitP;
    // A hand-made primary never gets a companion, whatever the Binary toggle says.
    setStarSystem(generateStarSystem(primary, false, m_options.maxTechLevel, m_options.randomTL));
}

void SystemGeneratorView::storeSystem()
{
    if (!m_universe)
        return;
    StarSystem system = m_starSystem;
    system.name = m_systemName;
    system.starfarers = m_options.starfarersAware;
    system.sathar = m_options.satharAware;
    system.other = m_options.otherAware;
    system.surveyed = m_options.surveyed;
    const HexData hex{QUuid::createUuid(), target(), system, m_systemNotes};

    // "Replace" keeps the stored hex's place and gives it the new id.
    if (const auto taken = m_universe->hexData(hex.coordinates))
        m_universe->replaceHex(taken->id, hex);
    else
        m_universe->insertHex(hex);
    m_universe->save(); // the outcome arrives as saved() or saveFailed()
    refresh();
    // The store may have fixed the universe's scale (its first system), or the shown
    // system may lie on the other scale than the switch: from now on the screen
    // offers only the scale the universe uses, so no later store mixes the two.
    followUniverseScale();
}

void SystemGeneratorView::setStarSystem(const StarSystem &system)
{
    m_starSystem = system;
    refreshSystem();
}

// The main-world editor's edits go straight into the shown system. The world is
// found by its id, so an edit can never land on another world.
void SystemGeneratorView::editMainWorld(const WorldData &world)
{
    const std::optional<WorldIndex> index = m_starSystem.indexOfWorld(world.id);
    if (!index)
        return;
    m_starSystem.stars[index->star].worlds[index->world] = world;
    m_summary->setStarSystem(m_starSystem);
    m_worlds->setStarSystem(m_starSystem);
}

void SystemGeneratorView::commitCoordinate(QLineEdit *field, qint64 &value, qint64 (*clamp)(qint64))
{
    bool ok = false;
    const qint64 typed = QLocale().toLongLong(field->text().trimmed(), &ok);
    // Text that is not a whole number leaves the value as it was.
    if (ok)
        value = clamp(typed);
    refreshTarget();
}

// ---- Refreshing ----

void SystemGeneratorView::refresh()
{
    const bool travellerRules = m_universe && m_universe->usesTravellerRules();
    const bool scaleLocked = m_universe && !m_universe->data().isEmpty();
    m_optionsForm->setState(m_options, scaleLocked, travellerRules);
    m_saveStatus->setText(m_saveFailure);
    m_saveStatus->setVisible(!m_saveFailure.isEmpty());
    if (m_name->text() != m_systemName)
        m_name->setText(m_systemName);
    m_notesHeader->setVisible(m_systemNotes.isEmpty());
    refreshTarget();
}

void SystemGeneratorView::refreshTarget()
{
    m_storeButton->setText(literalText(storeButtonLabel()));
    m_hexHeader->setText(hexHeaderText(target()));
    m_sectorXStepper->setValue(static_cast<int>(m_sectorX));
    m_sectorYStepper->setValue(static_cast<int>(m_sectorY));
    m_column->setText(QLocale().toString(m_homeworldColumn));
    m_row->setText(QLocale().toString(m_homeworldRow));
}

void SystemGeneratorView::refreshSystem()
{
    m_summary->setStarSystem(m_starSystem);
    m_worlds->setStarSystem(m_starSystem);
    const std::optional<WorldData> mainWorld = m_starSystem.mainWorld();
    m_mainWorldEditor->setVisible(mainWorld.has_value());
    m_mainWorldEditor->setSystemCounts(m_starSystem.planetoidBelts, m_starSystem.gasGiant);
    if (mainWorld)
        m_mainWorldEditor->setWorld(*mainWorld);
}

// ---- Layout ----

QWidget *SystemGeneratorView::buildContent()
{
    auto *content = new RoundedPanel(NamedColor::mainBackground, kWindowCornerRadius, this);
    content->setObjectName(QStringLiteral("generatorContent"));
    auto *column = new QVBoxLayout(content);
    const int padding = defaultPadding(content);
    column->setContentsMargins(padding, padding, padding, padding);
    column->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    column->addWidget(buildHexHeader(content));
    m_saveStatus = label(QString(), textFont(TextStyle::body), content, "saveStatus");
    m_saveStatus->setWordWrap(true);
    m_saveStatus->setContentsMargins(kNameRowLeadingPadding, 0, kNameRowTrailingPadding, 0);
    setTextColor(m_saveStatus, Qt::red);
    column->addWidget(m_saveStatus);
    column->addWidget(buildNameAndGenerateRow(content));

    auto *mainRow = new QHBoxLayout;
    mainRow->setAlignment(Qt::AlignTop);
    m_optionsForm = new GeneratorOptionsForm(content);
    connect(m_optionsForm, &GeneratorOptionsForm::optionsEdited, this, &SystemGeneratorView::setOptions);
    auto *options = new QVBoxLayout;
    options->setContentsMargins(padding, 0, padding, 0);
    options->addWidget(m_optionsForm, 0, Qt::AlignHCenter | Qt::AlignTop);
    mainRow->addLayout(options);
    mainRow->addWidget(buildResultView(content), 0, Qt::AlignTop);
    mainRow->addStretch(1);
    column->addLayout(mainRow);
    column->addStretch(1);
    return content;
}

QWidget *SystemGeneratorView::buildHexHeader(QWidget *parent)
{
    auto *header = new QWidget(parent);
    header->setObjectName(QStringLiteral("hexHeader"));
    auto *row = new QHBoxLayout(header);
    row->setAlignment(Qt::AlignVCenter);

    auto *titleBlock = new QWidget(header);
    titleBlock->setFixedWidth(kTitleBlockWidth);
    auto *titles = new QVBoxLayout(titleBlock);
    titles->setContentsMargins(0, 0, kTitleBlockTrailingPadding, 0);
    titles->setSpacing(0);
    auto *title = label(tr("Vostrel Generator"), displayFont(32), titleBlock, "title");
    setTextColor(title, namedColor(NamedColor::title));
    auto *version = label(tr("by Dulvane, version %1").arg(AppInformation::versionLine()), displayFont(10),
                          titleBlock, "versionLine");
    setTextColor(version, Qt::gray);
    titles->addWidget(title);
    titles->addWidget(version);
    row->addWidget(titleBlock);

    m_storeButton = new QPushButton(header);
    m_storeButton->setObjectName(QStringLiteral("storeButton"));
    m_storeButton->setFixedWidth(kStoreButtonWidth);
    connect(m_storeButton, &QPushButton::clicked, this, &SystemGeneratorView::storeSystem);
    row->addWidget(m_storeButton);

    m_hexHeader = label(QString(), displayFont(20), header, "hexLabel");
    m_hexHeader->setFixedWidth(kHexHeaderWidth);
    m_hexHeader->setAlignment(Qt::AlignCenter);
    row->addWidget(m_hexHeader);
    row->addStretch(1);
    return header;
}

QWidget *SystemGeneratorView::buildNameAndGenerateRow(QWidget *parent)
{
    auto *nameRow = new QWidget(parent);
    auto *row = new QHBoxLayout(nameRow);
    row->setSpacing(kNameRowSpacing);
    row->setContentsMargins(kNameRowLeadingPadding, 0, kNameRowTrailingPadding, 0);
    row->setAlignment(Qt::AlignTop);

    auto *generate = new QPushButton(literalText(tr("Generate System")), nameRow);
    generate->setObjectName(QStringLiteral("generateButton"));
    generate->setFixedWidth(kGenerateButtonWidth);
    connect(generate, &QPushButton::clicked, this, &SystemGeneratorView::generateSystem);
    row->addWidget(generate, 0, Qt::AlignTop);

    auto *nameBlock = new QWidget(nameRow);
    auto *nameLayout = new QVBoxLayout(nameBlock);
    nameLayout->setContentsMargins(0, 0, kNameBlockTrailingPadding, defaultPadding(nameBlock));
    m_name = new QLineEdit(nameBlock);
    m_name->setObjectName(QStringLiteral("systemName"));
    m_name->setPlaceholderText(tr("System Name"));
    m_name->setFixedWidth(kNameFieldWidth);
    m_name->setAlignment(Qt::AlignCenter);
    connect(m_name, &QLineEdit::textEdited, this, [this](const QString &text) { m_systemName = text; });
    nameLayout->addWidget(m_name);
    row->addWidget(nameBlock, 0, Qt::AlignTop);

    row->addWidget(buildCoordinateFields(nameRow), 0, Qt::AlignTop);
    row->addStretch(1);
    return nameRow;
}

QWidget *SystemGeneratorView::buildCoordinateFields(QWidget *parent)
{
    auto *panel = new RoundedPanel(NamedColor::parameterBackground, kPanelCornerRadius, parent);
    panel->setObjectName(QStringLiteral("coordinateFields"));
    auto *row = new QHBoxLayout(panel);
    row->setSpacing(0);
    row->setContentsMargins(kPanelLeadingPadding, kPanelVerticalPadding, 0, kPanelVerticalPadding);
    const QFont bold = textFont(TextStyle::body, false, true);

    auto *sectorBlock = new QWidget(panel);
    auto *sector = new QVBoxLayout(sectorBlock);
    sector->setContentsMargins(0, 0, defaultPadding(sectorBlock), 0);
    sector->addWidget(label(tr("Sector"), bold, sectorBlock), 0, Qt::AlignHCenter);
    auto *steppers = new QHBoxLayout;
    const auto addStepper = [&](const QString &axis, SectorStepper::SectorText sectorText,
                                const char *objectName, qint64 &field) {
        auto *box = new RoundedPanel(NamedColor::sectorBackground, kStepperCornerRadius, sectorBlock);
        auto *boxLayout = new QHBoxLayout(box);
        boxLayout->setContentsMargins(kStepperPadding, kStepperPadding, kStepperPadding, kStepperPadding);
        auto *stepper = new SectorStepper(axis, sectorText, box);
        stepper->setObjectName(QString::fromLatin1(objectName));
        boxLayout->addWidget(stepper);
        steppers->addWidget(box);
        connect(stepper, &QSpinBox::valueChanged, this, [this, &field](int value) {
            field = value;
            refreshTarget();
        });
        return stepper;
    };
    m_sectorXStepper =
        addStepper(QStringLiteral("X"), &GalacticCoordinates::sectorXText, "sectorX", m_sectorX);
    m_sectorYStepper =
        addStepper(QStringLiteral("Y"), &GalacticCoordinates::sectorYText, "sectorY", m_sectorY);
    sector->addLayout(steppers);
    row->addWidget(sectorBlock, 0, Qt::AlignVCenter);

    auto *cellBlock = new QWidget(panel);
    cellBlock->setFixedWidth(kColumnRowBlockWidth);
    auto *cells = new QGridLayout(cellBlock);
    cells->setContentsMargins(0, 0, 0, 0);
    const auto addField = [&](const QString &title, const char *objectName, int line, qint64 &field,
                              qint64 (*clamp)(qint64)) {
        cells->addWidget(label(title, bold, cellBlock), line, 0, Qt::AlignRight);
        auto *edit = new QLineEdit(cellBlock);
        edit->setObjectName(QString::fromLatin1(objectName));
        edit->setPlaceholderText(title);
        edit->setFixedWidth(kCoordinateFieldWidth);
        cells->addWidget(edit, line, 1, Qt::AlignRight);
        // The value changes when the typing is committed (Return or leaving the
        // field), as with any number field.
        connect(edit, &QLineEdit::editingFinished, this,
                [this, edit, &field, clamp] { commitCoordinate(edit, field, clamp); });
        return edit;
    };
    m_column = addField(tr("Column"), "column", 0, m_homeworldColumn, &SystemGeneratorView::clampColumn);
    m_row = addField(tr("Row"), "row", 1, m_homeworldRow, &SystemGeneratorView::clampRow);
    row->addWidget(cellBlock, 0, Qt::AlignVCenter);
    return panel;
}

QWidget *SystemGeneratorView::buildResultView(QWidget *parent)
{
    auto *result = new QWidget(parent);
    result->setObjectName(QStringLiteral("resultView"));
    auto *column = new QVBoxLayout(result);
    column->setSpacing(kResultSpacing);
    const int padding = defaultPadding(result);
    column->setContentsMargins(padding, 0, padding, padding);
    column->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto *systemTitle = label(tr("SYSTEM"), displayFont(18), result);
    systemTitle->setContentsMargins(0, kSectionTitlePadding, 0, kSectionTitlePadding);
    column->addWidget(systemTitle);
    m_summary = new StarSystemView(m_starSystem, false, kViewWidth, result);
    column->addWidget(m_summary);
    m_worlds = new SystemWorldsView(m_starSystem, kViewWidth, kWorldsMaxHeight, false, result);
    column->addWidget(m_worlds);
    column->addSpacing(kNotesTopPadding);
    column->addWidget(buildNotesEditor(result));
    column->addSpacing(padding);
    column->addWidget(buildMainWorldHeader(result));

    const std::optional<WorldData> mainWorld = m_starSystem.mainWorld();
    m_mainWorldEditor =
        new WorldEditPanel(m_universe, mainWorld.value_or(WorldData()), m_starSystem.planetoidBelts,
                           m_starSystem.gasGiant, kViewWidth, kMenuWidth, result);
    m_mainWorldEditor->setObjectName(QStringLiteral("mainWorldEditor"));
    connect(m_mainWorldEditor, &WorldEditPanel::worldEdited, this, &SystemGeneratorView::editMainWorld);
    column->addWidget(m_mainWorldEditor);
    column->addStretch(1);
    return result;
}

QWidget *SystemGeneratorView::buildNotesEditor(QWidget *parent)
{
    auto *panel = new RoundedPanel(NamedColor::parameterBackground, kPanelCornerRadius, parent);
    panel->setFixedWidth(static_cast<int>(kViewWidth) + 10);
    panel->setMinimumHeight(kNotesMinimumHeight);
    auto *layout = new QGridLayout(panel);
    layout->setContentsMargins(kNotesPadding, kNotesPadding, kNotesPadding, kNotesPadding);

    m_notes = new NotesEdit(panel);
    m_notes->setObjectName(QStringLiteral("notes"));
    m_notes->setFrameShape(QFrame::NoFrame);
    m_notes->viewport()->setAutoFillBackground(false);
    m_notes->setMinimumHeight(kNotesMinimumHeight - 2 * kNotesPadding);
    connect(m_notes, &QPlainTextEdit::textChanged, this, [this] {
        m_systemNotes = m_notes->toPlainText();
        m_notesHeader->setVisible(m_systemNotes.isEmpty());
    });
    layout->addWidget(m_notes, 0, 0);

    // The placeholder lies over the editor's corner and lets clicks through to it.
    m_notesHeader = label(tr("System Notes"), textFont(TextStyle::body), panel, "notesHeader");
    m_notesHeader->setContentsMargins(kNotesPlaceholderPadding, 0, 0, 0);
    m_notesHeader->setAttribute(Qt::WA_TransparentForMouseEvents);
    setTextColor(m_notesHeader, m_notesHeader->palette().color(QPalette::PlaceholderText));
    layout->addWidget(m_notesHeader, 0, 0, Qt::AlignLeft | Qt::AlignTop);
    return panel;
}

QWidget *SystemGeneratorView::buildMainWorldHeader(QWidget *parent)
{
    auto *header = new QWidget(parent);
    header->setObjectName(QStringLiteral("mainWorldHeader"));
    header->setFixedWidth(static_cast<int>(kViewWidth));
    auto *row = new QHBoxLayout(header);
    row->setContentsMargins(0, 0, 0, 0);
    auto *title = label(tr("MAIN WORLD"), displayFont(18), header);
    title->setContentsMargins(0, 0, 0, kSectionTitlePadding);
    row->addWidget(title);
    row->addStretch(1);
    row->addWidget(label(QStringLiteral("StpSizAtmHydPopGovLaw-TL B PBG Day\\Year [TC]"),
                         textFont(TextStyle::body, true), header, "profileColumns"));
    return header;
}
