#include "SystemGeneratorView.h"

#include "GeneratorOptionsForm.h"
#include "StarSystemView.h"
#include "SystemWorldsView.h"
#include "WorldEditPanel.h"
#include "model/HexData.h"
#include "model/Random.h"
#include "model/StarSystemGeneration.h"
#include "model/WorldDescriptions.h"
#include "ui/AppInformation.h"
#include "ui/FormScrollArea.h"
#include "ui/HexTargetPicker.h"
#include "ui/LiteralText.h"
#include "ui/NamedColor.h"
#include "ui/NotesPanel.h"
#include "ui/PlainLabel.h"
#include "ui/RoundedPanel.h"
#include "ui/SecondaryText.h"
#include "ui/TextStyle.h"
#include "universe/UniverseChanges.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QShowEvent>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>

namespace {

constexpr qreal kWindowCornerRadius = 8;
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
constexpr int kResultSpacing = 1;
constexpr int kSectionTitlePadding = 3;
constexpr int kNotesMinimumHeight = 60;
constexpr int kNotesIdealHeight = 300;
constexpr int kNotesTopPadding = 2;
constexpr double kWorldsMaxHeight = 900;
constexpr double kMenuWidth = 150;

int defaultPadding(const QWidget *widget)
{
    return widget->style()->pixelMetric(QStyle::PM_LayoutLeftMargin);
}

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
    m_scroll = formScrollArea(this);
    m_scroll->viewport()->setAutoFillBackground(false);
    m_scroll->setWidget(buildContent());
    layout->addWidget(m_scroll);

    if (m_universe) {
        // The store button, the scale control and the awareness wording follow the
        // universe's systems.
        UniverseChanges::onHexes(
            m_universe, this, [this](const QList<GalacticCoordinates> &) { refresh(); },
            [this] { refresh(); });
        // A failure stays shown while the next write runs.
        connect(m_universe, &StarfarerUniverse::saveStateChanged, this, [this] {
            const SaveState &state = m_universe->saveState();
            if (!state.settled())
                return;
            m_saveFailure = state.message;
            refresh();
        });
    }
    refresh();
    refreshSystem();
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
    m_universe->save(); // the outcome arrives as a change of the save state
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
    refreshTarget();
}

void SystemGeneratorView::refreshTarget()
{
    m_storeButton->setText(literalText(storeButtonLabel()));
    m_hexHeader->setText(HexTargetPicker::hexHeaderText(m_target));
    m_targetPicker->setCoordinates(m_target);
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
    m_saveStatus = plainLabel(QString(), textFont(TextStyle::body), content, "saveStatus");
    m_saveStatus->setWordWrap(true);
    m_saveStatus->setContentsMargins(kNameRowLeadingPadding, 0, kNameRowTrailingPadding, 0);
    makeStatusText(m_saveStatus, StatusTone::failure);
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
    auto *title = plainLabel(tr("Vostrel Generator"), displayFont(32), titleBlock, "title");
    setTextColor(title, namedColor(NamedColor::title));
    auto *version = plainLabel(tr("by Dulvane, version %1").arg(AppInformation::versionLine()),
                               displayFont(10), titleBlock, "versionLine");
    makeSecondary(version);
    titles->addWidget(title);
    titles->addWidget(version);
    row->addWidget(titleBlock);

    m_storeButton = new QPushButton(header);
    m_storeButton->setObjectName(QStringLiteral("storeButton"));
    m_storeButton->setFixedWidth(kStoreButtonWidth);
    connect(m_storeButton, &QPushButton::clicked, this, &SystemGeneratorView::storeSystem);
    row->addWidget(m_storeButton);

    m_hexHeader = plainLabel(QString(), displayFont(20), header, "hexLabel");
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

    m_targetPicker = new HexTargetPicker(nameRow);
    connect(m_targetPicker, &HexTargetPicker::coordinatesEdited, this,
            [this](const GalacticCoordinates &coordinates) {
                m_target = coordinates;
                refreshTarget();
            });
    row->addWidget(m_targetPicker, 0, Qt::AlignTop);
    row->addStretch(1);
    return nameRow;
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

    auto *systemTitle = plainLabel(tr("SYSTEM"), displayFont(18), result);
    systemTitle->setContentsMargins(0, kSectionTitlePadding, 0, kSectionTitlePadding);
    column->addWidget(systemTitle);
    m_summary = new StarSystemView(m_starSystem, false, kViewWidth, result);
    column->addWidget(m_summary);
    m_worlds = new SystemWorldsView(m_starSystem, kViewWidth, kWorldsMaxHeight, false, result);
    column->addWidget(m_worlds);
    column->addSpacing(kNotesTopPadding);
    m_notes = new NotesPanel(tr("System Notes"), kNotesIdealHeight, result);
    m_notes->setFixedWidth(static_cast<int>(kViewWidth) + 10);
    m_notes->setMinimumHeight(kNotesMinimumHeight);
    connect(m_notes, &NotesPanel::notesEdited, this, [this](const QString &notes) { m_systemNotes = notes; });
    column->addWidget(m_notes);
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

QWidget *SystemGeneratorView::buildMainWorldHeader(QWidget *parent)
{
    auto *header = new QWidget(parent);
    header->setObjectName(QStringLiteral("mainWorldHeader"));
    header->setFixedWidth(static_cast<int>(kViewWidth));
    auto *row = new QHBoxLayout(header);
    row->setContentsMargins(0, 0, 0, 0);
    auto *title = plainLabel(tr("MAIN WORLD"), displayFont(18), header);
    title->setContentsMargins(0, 0, 0, kSectionTitlePadding);
    row->addWidget(title);
    row->addStretch(1);
    row->addWidget(plainLabel(kProfileLineLegend, textFont(TextStyle::body, true), header, "profileColumns"));
    return header;
}
