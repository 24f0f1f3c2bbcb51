#include "SystemEditorView.h"

#include "WorldEditPanel.h"
#include "model/WorldDescriptions.h"
#include "ui/ElidedLabel.h"
#include "ui/FormScrollArea.h"
#include "ui/HexTargetPicker.h"
#include "ui/LiteralText.h"
#include "ui/NotesPanel.h"
#include "ui/PlainLabel.h"
#include "ui/PlainText.h"
#include "ui/SecondaryText.h"
#include "ui/Symbol.h"
#include "ui/TextStyle.h"
#include "ui/WrappingLabel.h"
#include "universe/StarfarerUniverse.h"

#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int kStackSpacing = 12;
constexpr int kTopSpacing = 20;
constexpr int kNameFieldWidth = 200;
constexpr int kTogglesTopPadding = 4;
constexpr int kHexHeaderSize = 20;
constexpr int kNotesCaptionTopPadding = 5;
constexpr int kNotesHeight = 80;
constexpr int kBottomSpacing = 16;
constexpr int kWorldListWidth = 240;
constexpr int kRowSpacing = 6;
constexpr int kMoonIndent = 12;
constexpr int kOrbitWidth = 28;
constexpr int kMainWorldSymbolSize = 9;
constexpr int kPaneSpacing = 1;
constexpr int kWorldTitleSize = 18;
constexpr int kGasGiantMessageTopPadding = 4;
constexpr double kMenuWidth = 150;
constexpr int kWorldIDRole = Qt::UserRole;

QCheckBox *toggle(const char *objectName, bool checked, QWidget *parent)
{
    auto *box = new QCheckBox(parent);
    box->setObjectName(QString::fromLatin1(objectName));
    box->setChecked(checked);
    return box;
}

// The world title of the pane: the name, or the kind of body while it has none.
QString worldTitle(const WorldData &world)
{
    return world.name.isEmpty() ? kindText(world) : world.name;
}

QString collisionMessage(const GalacticCoordinates &coordinates, const HexData &occupant)
{
    const QString &name = occupant.starSystem.name;
    const QString held = name.isEmpty() ? SystemEditorView::tr("an unnamed system")
                                        : QStringLiteral("\u201C%1\u201D").arg(quotedName(name));
    return SystemEditorView::tr(
               "%1 already holds %2. Overwrite it, or cancel and choose different coordinates.")
        .arg(coordinates.description(), held);
}

} // namespace

SystemEditorView::SystemEditorView(StarfarerUniverse *universe, const QUuid &hexID, QWidget *parent)
    : QWidget(parent), m_universe(universe),
      m_state(universe ? universe->hexWithID(hexID).value_or(HexData{hexID, {}, {}, {}})
                       : HexData{hexID, {}, {}, {}})
{
    setObjectName(QStringLiteral("systemEditor"));
    setAutoFillBackground(true);
    QPalette background = palette();
    background.setColor(QPalette::Window, namedColor(NamedColor::mainBackground));
    setPalette(background);

    auto *stack = new QVBoxLayout(this);
    stack->setSpacing(kStackSpacing);
    stack->addWidget(buildToolbar());
    stack->addWidget(buildTopSection());
    auto *divider = new QFrame(this);
    divider->setFrameShape(QFrame::HLine);
    divider->setFrameShadow(QFrame::Sunken);
    stack->addWidget(divider);
    stack->addWidget(buildBottomSection(), 1);

    if (m_universe) {
        connect(m_universe, &StarfarerUniverse::usesTravellerRulesChanged, this,
                &SystemEditorView::refreshToggleLabels);
    }
    m_saveButton->setEnabled(m_universe && m_universe->hexWithID(hexID).has_value());
    refreshTitle();
    refreshToggleLabels();
    refreshWorldList();
    refreshWorldPane();
}

// ---- Actions ----

void SystemEditorView::generateWorlds()
{
    m_state.generateWorlds();
    refreshWorldList();
    refreshWorldPane();
}

void SystemEditorView::saveChanges()
{
    if (!m_universe)
        return;
    if (const std::optional<quint64> request = m_state.saveChanges(*m_universe)) {
        followSave(*request);
        return;
    }
    if (m_state.collisionOccupant)
        presentCollisionAlert(*m_state.collisionOccupant);
}

void SystemEditorView::commit(const std::optional<QUuid> &overwriting)
{
    if (!m_universe)
        return;
    followSave(m_state.commit(*m_universe, overwriting));
}

// Only the outcomes of the writes that hold the editor's own change close it or show
// a failure; a write that began before that change tells nothing of it. A failure
// stays shown while the universe tries again, and the retry that writes the change
// closes the editor as a first success does, unless the user edited on meanwhile:
// then the editor stays open with those edits, its failure gone.
void SystemEditorView::followSave(quint64 request)
{
    const HexData saved = m_state.editedHex();
    m_saveFollower.follow(m_universe, request, this, [this, saved](const SaveState &outcome) {
        m_saveFailure = outcome.message;
        m_saveStatus->setText(outcome.message);
        m_saveStatus->setVisible(outcome.kind == SaveState::Kind::failed);
        if (outcome.kind == SaveState::Kind::clean && m_state.editedHex() == saved)
            emit dismissed();
    });
}

void SystemEditorView::presentCollisionAlert(const HexData &occupant)
{
    auto *alert =
        new QMessageBox(QMessageBox::Warning, tr("Coordinates in use"),
                        collisionMessage(m_state.editedCoordinates, occupant), QMessageBox::NoButton, this);
    alert->setObjectName(QStringLiteral("collisionAlert"));
    alert->setTextFormat(Qt::PlainText);
    alert->setAttribute(Qt::WA_DeleteOnClose);
    QPushButton *overwrite = alert->addButton(tr("Overwrite"), QMessageBox::DestructiveRole);
    QPushButton *cancel = alert->addButton(tr("Cancel"), QMessageBox::RejectRole);
    // Return must never remove the other system: Cancel is the default, and the
    // destructive button does not take Return even when it has the focus.
    overwrite->setAutoDefault(false);
    alert->setDefaultButton(cancel);
    alert->setEscapeButton(cancel);
    const QUuid occupantID = occupant.id;
    connect(alert, &QMessageBox::buttonClicked, this, [this, overwrite, occupantID](QAbstractButton *button) {
        if (button == overwrite)
            commit(occupantID);
    });
    connect(alert, &QDialog::finished, this, [this] { m_state.collisionOccupant.reset(); });
    alert->open();
}

void SystemEditorView::selectWorld(QTreeWidgetItem *item)
{
    const QVariant id = item ? item->data(0, kWorldIDRole) : QVariant();
    if (!id.isValid())
        return;
    m_state.selectedWorldID = id.toUuid();
    refreshWorldPane();
}

void SystemEditorView::editWorld(const WorldData &world)
{
    m_state.editWorld(world);
    m_worldTitle->setText(worldTitle(world));
    refreshWorldList();
}

// ---- Refreshing ----

void SystemEditorView::refreshTitle()
{
    const QString title = m_state.title();
    m_title->setText(title);
    m_hexHeader->setText(HexTargetPicker::hexHeaderText(m_state.editedCoordinates));
    if (windowTitle() != title) {
        setWindowTitle(title);
        emit titleChanged(title);
    }
}

void SystemEditorView::refreshToggleLabels()
{
    const bool traveller = m_universe && m_universe->usesTravellerRules();
    m_starfarersToggle->setText(literalText(traveller ? tr("Imperium") : tr("Starfarers")));
    m_satharToggle->setText(literalText(traveller ? tr("Zhodani") : tr("Sathar")));
}

void SystemEditorView::refreshWorldList()
{
    const QSignalBlocker blocker(m_worldList);
    m_worldList->clear();
    QTreeWidgetItem *selected = nullptr;
    for (const SystemEditorState::Section &section : m_state.worldSections()) {
        QTreeWidgetItem *parent = nullptr;
        if (!section.header.isEmpty()) {
            parent = new QTreeWidgetItem(m_worldList, {section.header});
            parent->setFlags(Qt::ItemIsEnabled);
            parent->setFont(0, textFont(TextStyle::subheadline, false, true));
            parent->setExpanded(true);
        }
        for (const WorldData &world : section.worlds) {
            auto *item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(m_worldList);
            item->setData(0, kWorldIDRole, world.id);
            m_worldList->setItemWidget(item, 0, worldRow(world));
            if (!selected && m_state.selectedWorldID == world.id)
                selected = item;
        }
    }
    m_worldList->setCurrentItem(selected);
}

QWidget *SystemEditorView::worldRow(const WorldData &world)
{
    auto *row = new QWidget;
    row->setObjectName(QStringLiteral("worldRow"));
    auto *layout = new QHBoxLayout(row);
    const bool moon = world.satelliteOrbit != PlanetOrbits::planetOrbit0;
    layout->setContentsMargins(moon ? kMoonIndent : 0, 0, 0, 0);
    layout->setSpacing(kRowSpacing);
    const QString orbitText = moon ? QStringLiteral("\u21B3") + rawValue(world.satelliteOrbit)
                                   : QString::number(rawValue(world.sunOrbit));
    auto *orbit = plainLabel(orbitText, textFont(TextStyle::body, true), row, "orbit");
    orbit->setFixedWidth(kOrbitWidth);
    orbit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    makeSecondary(orbit);
    layout->addWidget(orbit);
    if (world.mainWorld) {
        auto *symbol = new QLabel(row);
        symbol->setObjectName(QStringLiteral("mainWorldSymbol"));
        symbol->setPixmap(symbolPixmap(Symbol::smallcircleFillCircle, kMainWorldSymbolSize,
                                       palette().color(QPalette::WindowText), devicePixelRatioF()));
        layout->addWidget(symbol);
    }
    auto *name = new ElidedLabel(displayName(world), row);
    name->setObjectName(QStringLiteral("worldName"));
    layout->addWidget(name, 1);
    return row;
}

void SystemEditorView::refreshWorldPane()
{
    const std::optional<WorldData> world = m_state.selectedWorld();
    const bool gasGiant = world && isGasGiant(world->type);
    m_noSelection->setVisible(!world);
    m_paneHeader->setVisible(world.has_value());
    m_profileColumns->setVisible(world && !gasGiant);
    m_gasGiantMessage->setVisible(gasGiant);
    m_worldEditor->setVisible(world && !gasGiant);
    if (!world)
        return;
    m_worldTitle->setText(worldTitle(*world));
    if (!gasGiant) {
        m_worldEditor->setSystemCounts(m_state.system.planetoidBelts, m_state.system.gasGiant);
        m_worldEditor->setWorld(*world);
    }
}

// ---- Layout ----

QWidget *SystemEditorView::buildToolbar()
{
    auto *toolbar = new QWidget(this);
    auto *column = new QVBoxLayout(toolbar);
    column->setContentsMargins(0, 0, 0, 0);
    auto *row = new QHBoxLayout;
    m_title = elidedLabel(QString(), textFont(TextStyle::body, false, true), toolbar, "title");
    row->addWidget(m_title, 1);

    auto *generate =
        new QPushButton(symbolIcon(Symbol::sparkles), literalText(tr("Generate Worlds")), toolbar);
    generate->setObjectName(QStringLiteral("generateWorlds"));
    generate->setToolTip(
        tr("Procedurally fill in this system's additional worlds (gas giants, belts, other "
           "worlds) from its PBG/W counts, keeping the main world's UWP canonical. Not saved "
           "until you Save Changes."));
    connect(generate, &QPushButton::clicked, this, &SystemEditorView::generateWorlds);
    row->addWidget(generate);
    m_saveButton = new QPushButton(literalText(tr("Save Changes")), toolbar);
    m_saveButton->setObjectName(QStringLiteral("saveChanges"));
    connect(m_saveButton, &QPushButton::clicked, this, &SystemEditorView::saveChanges);
    row->addWidget(m_saveButton);
    column->addLayout(row);

    m_saveStatus = new WrappingLabel(QString(), toolbar);
    m_saveStatus->setObjectName(QStringLiteral("saveStatus"));
    makeStatusText(m_saveStatus, StatusTone::failure);
    m_saveStatus->hide();
    column->addWidget(m_saveStatus);
    return toolbar;
}

QWidget *SystemEditorView::buildTopSection()
{
    auto *top = new QWidget(this);
    auto *row = new QHBoxLayout(top);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(kTopSpacing);
    row->addWidget(buildNameColumn(top), 0, Qt::AlignTop);
    row->addWidget(buildHexColumn(top), 0, Qt::AlignTop);
    row->addStretch(1);
    return top;
}

QWidget *SystemEditorView::buildNameColumn(QWidget *parent)
{
    auto *nameColumn = new QWidget(parent);
    auto *column = new QVBoxLayout(nameColumn);
    column->setContentsMargins(0, 0, 0, 0);
    auto *caption = plainLabel(tr("System Name"), textFont(TextStyle::caption), nameColumn);
    makeSecondary(caption);
    column->addWidget(caption);

    m_name = new QLineEdit(m_state.system.name, nameColumn);
    m_name->setObjectName(QStringLiteral("systemName"));
    m_name->setPlaceholderText(tr("System Name"));
    m_name->setFixedWidth(kNameFieldWidth);
    connect(m_name, &QLineEdit::textEdited, this, [this](const QString &text) {
        m_state.system.name = text;
        refreshTitle();
    });
    column->addWidget(m_name);

    auto *toggles = new QVBoxLayout;
    toggles->setContentsMargins(0, kTogglesTopPadding, 0, 0);
    m_starfarersToggle = toggle("starfarersAware", m_state.starfarersAware, nameColumn);
    connect(m_starfarersToggle, &QCheckBox::toggled, this, [this](bool on) { m_state.starfarersAware = on; });
    m_satharToggle = toggle("satharAware", m_state.satharAware, nameColumn);
    connect(m_satharToggle, &QCheckBox::toggled, this, [this](bool on) { m_state.satharAware = on; });
    auto *other = toggle("otherAware", m_state.otherAware, nameColumn);
    other->setText(tr("Other"));
    connect(other, &QCheckBox::toggled, this, [this](bool on) { m_state.otherAware = on; });
    auto *surveyed = toggle("surveyed", m_state.surveyed, nameColumn);
    surveyed->setText(tr("Surveyed"));
    connect(surveyed, &QCheckBox::toggled, this, [this](bool on) { m_state.surveyed = on; });
    for (QCheckBox *box : {m_starfarersToggle, m_satharToggle, other, surveyed})
        toggles->addWidget(box);
    column->addLayout(toggles);
    column->addStretch(1);
    return nameColumn;
}

QWidget *SystemEditorView::buildHexColumn(QWidget *parent)
{
    auto *hexColumn = new QWidget(parent);
    auto *column = new QVBoxLayout(hexColumn);
    column->setContentsMargins(0, 0, 0, 0);
    m_hexHeader = plainLabel(QString(), displayFont(kHexHeaderSize), hexColumn, "hexLabel");
    column->addWidget(m_hexHeader);

    m_targetPicker = new HexTargetPicker(hexColumn);
    m_targetPicker->setCoordinates(m_state.editedCoordinates);
    connect(m_targetPicker, &HexTargetPicker::coordinatesEdited, this,
            [this](const GalacticCoordinates &coordinates) {
                m_state.editedCoordinates = coordinates;
                refreshTitle();
            });
    column->addWidget(m_targetPicker, 0, Qt::AlignLeft);

    auto *caption = plainLabel(tr("System Notes"), textFont(TextStyle::caption), hexColumn);
    caption->setContentsMargins(0, kNotesCaptionTopPadding, 0, 0);
    makeSecondary(caption);
    column->addWidget(caption);
    m_notes = new NotesPanel(QString(), kNotesHeight, hexColumn);
    m_notes->setFixedHeight(kNotesHeight);
    m_notes->setNotes(m_state.systemNotes);
    connect(m_notes, &NotesPanel::notesEdited, this,
            [this](const QString &notes) { m_state.systemNotes = notes; });
    column->addWidget(m_notes);
    return hexColumn;
}

QWidget *SystemEditorView::buildBottomSection()
{
    auto *bottom = new QWidget(this);
    auto *row = new QHBoxLayout(bottom);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(kBottomSpacing);

    m_worldList = new QTreeWidget(bottom);
    m_worldList->setObjectName(QStringLiteral("worldList"));
    m_worldList->setFixedWidth(kWorldListWidth);
    m_worldList->setHeaderHidden(true);
    m_worldList->setRootIsDecorated(false);
    m_worldList->setIndentation(0);
    m_worldList->setItemsExpandable(false);
    m_worldList->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(m_worldList, &QTreeWidget::currentItemChanged, this, &SystemEditorView::selectWorld);
    row->addWidget(m_worldList);
    row->addWidget(buildWorldPane(bottom), 1);
    return bottom;
}

QWidget *SystemEditorView::buildWorldPane(QWidget *parent)
{
    QScrollArea *scroll = formScrollArea(parent);
    scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    scroll->viewport()->setAutoFillBackground(false);

    auto *pane = new QWidget(scroll);
    pane->setObjectName(QStringLiteral("worldPane"));
    auto *column = new QVBoxLayout(pane);
    column->setSpacing(kPaneSpacing);
    column->setContentsMargins(0, 0, pane->style()->pixelMetric(QStyle::PM_LayoutRightMargin), 0);
    column->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    m_noSelection = plainLabel(tr("Select a world to edit."), textFont(TextStyle::body), pane, "noSelection");
    makeSecondary(m_noSelection);
    column->addWidget(m_noSelection);

    m_paneHeader = new QWidget(pane);
    m_paneHeader->setFixedWidth(static_cast<int>(kViewWidth));
    auto *header = new QHBoxLayout(m_paneHeader);
    header->setContentsMargins(0, 0, 0, 0);
    m_worldTitle = elidedLabel(QString(), displayFont(kWorldTitleSize), m_paneHeader, "worldTitle");
    header->addWidget(m_worldTitle, 1);
    m_profileColumns =
        plainLabel(kProfileLineLegend, textFont(TextStyle::body, true), m_paneHeader, "profileColumns");
    header->addWidget(m_profileColumns);
    column->addWidget(m_paneHeader);

    m_gasGiantMessage = new WrappingLabel(
        tr("Gas giants have no surveyed world data \u2014 select one of its satellites to edit."), pane);
    m_gasGiantMessage->setObjectName(QStringLiteral("gasGiantMessage"));
    m_gasGiantMessage->setFixedWidth(static_cast<int>(kViewWidth));
    m_gasGiantMessage->setContentsMargins(0, kGasGiantMessageTopPadding, 0, 0);
    makeSecondary(m_gasGiantMessage);
    column->addWidget(m_gasGiantMessage);

    m_worldEditor = new WorldEditPanel(m_universe, m_state.selectedWorld().value_or(WorldData()),
                                       m_state.system.planetoidBelts, m_state.system.gasGiant, kViewWidth,
                                       kMenuWidth, pane);
    m_worldEditor->setObjectName(QStringLiteral("worldEditor"));
    connect(m_worldEditor, &WorldEditPanel::worldEdited, this, &SystemEditorView::editWorld);
    column->addWidget(m_worldEditor);
    column->addStretch(1);

    scroll->setWidget(pane);
    return scroll;
}
