#include "SystemDetailView.h"

#include "RutterRoutesSection.h"
#include "StarSystemView.h"
#include "SystemWorldsView.h"
#include "model/EHex.h"
#include "model/WorldDescriptions.h"
#include "screens/SystemRowContent.h"
#include "ui/Chip.h"
#include "ui/Divider.h"
#include "ui/ElidedLabel.h"
#include "ui/ReadOnlyNotesView.h"
#include "ui/SecondaryText.h"
#include "ui/TextStyle.h"
#include "universe/UniverseChanges.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <utility>

namespace {

// The height past which the notes scroll inside the page.
constexpr int kLongestNotes = 400;

QLabel *text(const QString &value, const QFont &font, QWidget *parent, const QString &name = {})
{
    auto *label = new QLabel(value, parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setFont(font);
    label->setObjectName(name);
    return label;
}

QLabel *blackCaption(const QString &value, QWidget *parent)
{
    QLabel *label = text(value, textFont(TextStyle::caption, true), parent, QStringLiteral("caption"));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(palette);
    return label;
}

// Notes as plain text; past a screenful they scroll in place.
ReadOnlyNotesView *notesView(const QString &notes, QWidget *parent, const QString &objectName)
{
    auto *view = new ReadOnlyNotesView(notes, textFont(TextStyle::body), kLongestNotes, parent);
    view->setObjectName(objectName);
    return view;
}

QWidget *tagRow(const QStringList &titles, QWidget *parent)
{
    QList<Chip *> chips;
    for (const QString &title : titles)
        chips.append(tagChip(title));
    return chipRow(chips, parent);
}

QWidget *factionRow(const QList<Faction> &factions, QWidget *parent)
{
    QList<Chip *> chips;
    for (const Faction &faction : factions)
        chips.append(factionChip(faction));
    return chipRow(chips, parent);
}

} // namespace

SystemDetailView::SystemDetailView(StarfarerUniverse *universe, const HexData &initialHex, double viewWidth,
                                   QWidget *parent)
    : ScrollingPage(parent), m_universe(universe), m_initialHex(initialHex), m_viewWidth(viewWidth)
{
    if (universe) {
        // Only what the page shows: its hex and the far ends of its rutters, the
        // rutters touching its hex, the factions it names, and the rules' wording.
        UniverseChanges::onHexesAt(
            universe, this, [this] { return m_shownPlaces; }, [this] { refresh(); });
        UniverseChanges::onObjects<Rutter>(universe, this, [this](const ObjectChange<Rutter> &change) {
            const auto touches = [this](const Rutter *rutter) {
                return rutter &&
                       (rutter->start == m_shownPlaces.first() || rutter->end == m_shownPlaces.first());
            };
            if (change.isWholeList() || touches(change.before) || touches(change.after))
                refresh();
        });
        UniverseChanges::onObjects<Faction>(universe, this, [this](const ObjectChange<Faction> &change) {
            const auto shown = [this](const Faction *faction) {
                return faction && m_shownFactions.contains(faction->id);
            };
            if (change.isWholeList() || shown(change.before) || shown(change.after))
                refresh();
        });
        connect(universe, &StarfarerUniverse::usesTravellerRulesChanged, this, &SystemDetailView::refresh);
    }
    showCurrent();
}

void SystemDetailView::refresh()
{
    // Hidden (under the editor, say), the page shows the change when it shows.
    if (isVisible()) {
        showCurrent();
    } else {
        m_stale = true;
        watchShown(currentHex());
        emit titleChanged(systemName());
    }
}

void SystemDetailView::showEvent(QShowEvent *event)
{
    if (std::exchange(m_stale, false))
        showCurrent();
    ScrollingPage::showEvent(event);
}

void SystemDetailView::watchShown(const HexData &hex)
{
    m_shownPlaces = {hex.coordinates};
    m_shownFactions.clear();
    if (const std::optional<WorldData> mainWorld = hex.starSystem.mainWorld())
        m_shownFactions = QSet<QUuid>(mainWorld->factionIDs.cbegin(), mainWorld->factionIDs.cend());
    if (!m_universe)
        return;
    for (const Rutter &rutter : m_universe->rutters()) {
        if (const std::optional<GalacticCoordinates> farEnd = rutter.farEnd(hex.coordinates)) {
            m_shownPlaces.append(*farEnd);
            m_shownFactions.insert(rutter.factionID);
        }
    }
}

HexData SystemDetailView::currentHex() const
{
    if (m_universe) {
        if (std::optional<HexData> hex = m_universe->hexWithID(m_initialHex.id))
            return *hex;
    }
    return m_initialHex;
}

QString SystemDetailView::systemName() const
{
    const QString name = currentHex().starSystem.name;
    return name.isEmpty() ? tr("Unnamed System") : name;
}

QString SystemDetailView::mainWorldName() const
{
    const std::optional<WorldData> mainWorld = currentHex().starSystem.mainWorld();
    return mainWorld && !mainWorld->name.isEmpty() ? mainWorld->name : QString(QChar(0x2014));
}

QString SystemDetailView::mainWorldSummaryLine() const
{
    const HexData hex = currentHex();
    const std::optional<WorldData> mainWorld = hex.starSystem.mainWorld();
    if (!mainWorld)
        return {};
    return mainWorld->uwp.code() + QLatin1Char(' ') + EHex::digit(mainWorld->uwp.populationMultiplier) +
           EHex::digit(hex.starSystem.planetoidBelts) + EHex::digit(hex.starSystem.gasGiant) +
           QLatin1Char(' ') + dayYearSummary(*mainWorld) + QStringLiteral("\n[") +
           tradeClassesText(*mainWorld) + QLatin1Char(']');
}

QStringList SystemDetailView::worldTagTitles() const
{
    const std::optional<WorldData> mainWorld = currentHex().starSystem.mainWorld();
    return mainWorld ? SystemRowContent::tagNames(*mainWorld) : QStringList();
}

QList<Faction> SystemDetailView::mainWorldFactions() const
{
    const std::optional<WorldData> mainWorld = currentHex().starSystem.mainWorld();
    return mainWorld && m_universe ? m_universe->factions(*mainWorld) : QList<Faction>();
}

QList<RutterDestination> SystemDetailView::rutterDestinations() const
{
    return m_universe ? RutterDestination::touching(*m_universe, currentHex().coordinates)
                      : QList<RutterDestination>();
}

void SystemDetailView::edit()
{
    emit editRequested(EditRoute{currentHex()});
}

bool SystemDetailView::Shown::sameParts(const Shown &other) const
{
    return hexNotes == other.hexNotes && mainWorldNotes == other.mainWorldNotes &&
           tagTitles.isEmpty() == other.tagTitles.isEmpty() &&
           factions.isEmpty() == other.factions.isEmpty() &&
           destinations.isEmpty() == other.destinations.isEmpty();
}

SystemDetailView::Shown SystemDetailView::shownOf(const HexData &hex) const
{
    const std::optional<WorldData> mainWorld = hex.starSystem.mainWorld();
    Shown shown;
    shown.hexNotes = !hex.notes.isEmpty();
    shown.mainWorldNotes = mainWorld && !mainWorld->notes.isEmpty();
    shown.tagTitles = worldTagTitles();
    shown.factions = mainWorldFactions();
    shown.destinations = rutterDestinations();
    shown.travellerRules = m_universe && m_universe->usesTravellerRules();
    return shown;
}

void SystemDetailView::showCurrent()
{
    const HexData hex = currentHex();
    watchShown(hex);
    Shown shown = shownOf(hex);
    if (m_parts.title && shown.sameParts(m_shown)) {
        showInPlace(hex, shown);
        m_shown = std::move(shown);
    } else {
        m_shown = std::move(shown);
        build(hex);
    }
    emit titleChanged(systemName());
}

void SystemDetailView::build(const HexData &hex)
{
    // The worlds list stays open or closed as the user left it.
    const bool worldsShown = m_parts.worlds && m_parts.worlds->showOtherWorlds();
    m_parts = Parts();
    auto *column = new QWidget;
    auto *layout = new QVBoxLayout(column);
    layout->setSpacing(8);

    auto *header = new QHBoxLayout;
    QFont titleFont = textFont(TextStyle::body, false, true);
    titleFont.setPixelSize(titleFont.pixelSize() * 17 / 13);
    m_parts.title = elidedLabel(systemName(), titleFont, column, "title");
    header->addWidget(m_parts.title, 1);
    m_parts.hex = text(tr("HEX: ") + hex.coordinates.description(), textFont(TextStyle::body, true), column,
                       QStringLiteral("hex"));
    makeSecondary(m_parts.hex);
    header->addWidget(m_parts.hex);
    auto *editButton = new QPushButton(tr("Edit"), column);
    connect(editButton, &QPushButton::clicked, this, &SystemDetailView::edit);
    header->addWidget(editButton);
    layout->addLayout(header);
    layout->addWidget(uwpBlock(hex));
    layout->addWidget(horizontalDivider(column));
    m_parts.starSystem = new StarSystemView(hex.starSystem, false, m_viewWidth, column);
    layout->addWidget(m_parts.starSystem);
    m_parts.worlds = new SystemWorldsView(hex.starSystem, m_viewWidth, 900, false, column);
    m_parts.worlds->setShowOtherWorlds(worldsShown);
    layout->addWidget(m_parts.worlds);
    if (m_shown.mainWorldNotes) {
        m_parts.footNotes = notesView(hex.starSystem.mainWorld()->notes, column, QStringLiteral("footNotes"));
        // Space above the notes, outside them: their focus mark rings their text alone.
        layout->addSpacing(4);
        layout->addWidget(m_parts.footNotes);
    }
    layout->addStretch(1);
    column->setFixedWidth(int(m_viewWidth) + layout->contentsMargins().left() +
                          layout->contentsMargins().right());
    delete takeWidget();
    setWidget(column);
}

void SystemDetailView::showInPlace(const HexData &hex, const Shown &shown)
{
    m_parts.title->setText(systemName());
    m_parts.hex->setText(tr("HEX: ") + hex.coordinates.description());
    if (m_parts.hexNotes)
        m_parts.hexNotes->setText(hex.notes);
    m_parts.mainWorldName->setText(mainWorldName());
    m_parts.summaryLine->setText(mainWorldSummaryLine());
    const QString mainWorldNotes = shown.mainWorldNotes ? hex.starSystem.mainWorld()->notes : QString();
    for (ReadOnlyNotesView *notes : {m_parts.blockNotes, m_parts.footNotes}) {
        if (notes)
            notes->setText(mainWorldNotes);
    }
    if (shown.tagTitles != m_shown.tagTitles)
        replaceInBlock(m_parts.tagRow, tagRow(shown.tagTitles, nullptr));
    if (shown.factions != m_shown.factions)
        replaceInBlock(m_parts.factionRow, factionRow(shown.factions, nullptr));
    if (shown.destinations != m_shown.destinations || shown.travellerRules != m_shown.travellerRules)
        replaceInBlock(m_parts.routes, new RutterRoutesSection(shown.travellerRules, shown.destinations));
    m_parts.starSystem->setStarSystem(hex.starSystem);
    m_parts.worlds->setStarSystem(hex.starSystem);
}

void SystemDetailView::replaceInBlock(QWidget *&old, QWidget *fresh)
{
    if (!old)
        return;
    delete m_parts.block->replaceWidget(old, fresh);
    delete old;
    old = fresh;
    // At once, not when the layout gets round to it, as the rest of the page shows.
    fresh->show();
}

QWidget *SystemDetailView::uwpBlock(const HexData &hex)
{
    auto *block = new QWidget;
    auto *layout = new QVBoxLayout(block);
    m_parts.block = layout;
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(5);
    if (m_shown.hexNotes) {
        m_parts.hexNotes = notesView(hex.notes, block, QStringLiteral("hexNotes"));
        layout->addWidget(m_parts.hexNotes);
    }
    layout->addWidget(blackCaption(tr("Main World"), block));
    m_parts.mainWorldName =
        elidedLabel(mainWorldName(), textFont(TextStyle::body, true, true), block, "mainWorldName");
    layout->addWidget(m_parts.mainWorldName);
    m_parts.summaryLine =
        text(mainWorldSummaryLine(), textFont(TextStyle::body, true), block, QStringLiteral("summaryLine"));
    layout->addWidget(m_parts.summaryLine);
    QLabel *key =
        text(kProfileLineLegend, textFont(TextStyle::caption, true), block, QStringLiteral("keyLine"));
    makeSecondary(key);
    layout->addWidget(key);
    if (m_shown.mainWorldNotes) {
        m_parts.blockNotes =
            notesView(hex.starSystem.mainWorld()->notes, block, QStringLiteral("blockNotes"));
        layout->addWidget(m_parts.blockNotes);
    }
    // A caption only over chips; the row itself is always there.
    if (!m_shown.tagTitles.isEmpty())
        layout->addWidget(blackCaption(tr("World Tags"), block));
    m_parts.tagRow = tagRow(m_shown.tagTitles, block);
    layout->addWidget(m_parts.tagRow);
    if (!m_shown.factions.isEmpty())
        layout->addWidget(blackCaption(tr("Factions"), block));
    m_parts.factionRow = factionRow(m_shown.factions, block);
    layout->addWidget(m_parts.factionRow);
    if (!m_shown.destinations.isEmpty()) {
        m_parts.routes = new RutterRoutesSection(m_shown.travellerRules, m_shown.destinations, block);
        layout->addWidget(m_parts.routes);
    }
    return block;
}
