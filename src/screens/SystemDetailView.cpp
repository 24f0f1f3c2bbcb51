#include "SystemDetailView.h"

#include "RutterRoutesSection.h"
#include "StarSystemView.h"
#include "SystemListRow.h"
#include "SystemWorldsView.h"
#include "model/EHex.h"
#include "model/WorldDescriptions.h"
#include "ui/Chip.h"
#include "ui/Divider.h"
#include "ui/ElidedLabel.h"
#include "ui/NotesView.h"
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
NotesView *notesView(const QString &notes, QWidget *parent, const QString &objectName)
{
    auto *view = new NotesView(notes, textFont(TextStyle::body), kLongestNotes, parent);
    view->setObjectName(objectName);
    return view;
}

void makeSecondary(QLabel *label)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, palette.color(QPalette::Disabled, QPalette::WindowText));
    label->setPalette(palette);
}

} // namespace

SystemDetailView::SystemDetailView(StarfarerUniverse *universe, const HexData &initialHex, double viewWidth,
                                   QWidget *parent)
    : QScrollArea(parent), m_universe(universe), m_initialHex(initialHex), m_viewWidth(viewWidth)
{
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
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
    rebuild();
}

void SystemDetailView::refresh()
{
    // Hidden (under the editor, say), the page is built again when it shows.
    if (isVisible()) {
        rebuild();
    } else {
        m_stale = true;
        watchShown(currentHex());
        emit titleChanged(systemName());
    }
}

void SystemDetailView::showEvent(QShowEvent *event)
{
    if (std::exchange(m_stale, false))
        rebuild();
    QScrollArea::showEvent(event);
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
    return mainWorld ? SystemListRow::tagNames(*mainWorld) : QStringList();
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

void SystemDetailView::rebuild()
{
    const HexData hex = currentHex();
    watchShown(hex);
    auto *column = new QWidget;
    auto *layout = new QVBoxLayout(column);
    layout->setSpacing(8);

    auto *header = new QHBoxLayout;
    QFont titleFont = textFont(TextStyle::body, false, true);
    titleFont.setPixelSize(titleFont.pixelSize() * 17 / 13);
    header->addWidget(elidedLabel(systemName(), titleFont, column, "title"), 1);
    QLabel *hexLabel = text(tr("HEX: ") + hex.coordinates.description(), textFont(TextStyle::body, true),
                            column, QStringLiteral("hex"));
    makeSecondary(hexLabel);
    header->addWidget(hexLabel);
    auto *editButton = new QPushButton(tr("Edit"), column);
    connect(editButton, &QPushButton::clicked, this, &SystemDetailView::edit);
    header->addWidget(editButton);
    layout->addLayout(header);
    layout->addWidget(uwpBlock(hex));
    layout->addWidget(horizontalDivider(column));
    layout->addWidget(new StarSystemView(hex.starSystem, false, m_viewWidth, column));
    layout->addWidget(new SystemWorldsView(hex.starSystem, m_viewWidth, 900, false, column));
    const std::optional<WorldData> mainWorld = hex.starSystem.mainWorld();
    if (mainWorld && !mainWorld->notes.isEmpty()) {
        QWidget *notes = notesView(mainWorld->notes, column, QStringLiteral("footNotes"));
        notes->setContentsMargins(0, 4, 0, 0);
        layout->addWidget(notes);
    }
    layout->addStretch(1);
    column->setFixedWidth(int(m_viewWidth) + layout->contentsMargins().left() +
                          layout->contentsMargins().right());
    delete takeWidget();
    setWidget(column);
    emit titleChanged(systemName());
}

QWidget *SystemDetailView::uwpBlock(const HexData &hex)
{
    auto *block = new QWidget;
    auto *layout = new QVBoxLayout(block);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(5);
    if (!hex.notes.isEmpty())
        layout->addWidget(notesView(hex.notes, block, QStringLiteral("hexNotes")));
    layout->addWidget(blackCaption(tr("Main World"), block));
    layout->addWidget(
        elidedLabel(mainWorldName(), textFont(TextStyle::body, true, true), block, "mainWorldName"));
    layout->addWidget(
        text(mainWorldSummaryLine(), textFont(TextStyle::body, true), block, QStringLiteral("summaryLine")));
    QLabel *key =
        text(kProfileLineLegend, textFont(TextStyle::caption, true), block, QStringLiteral("keyLine"));
    makeSecondary(key);
    layout->addWidget(key);
    const std::optional<WorldData> mainWorld = hex.starSystem.mainWorld();
    if (mainWorld && !mainWorld->notes.isEmpty())
        layout->addWidget(notesView(mainWorld->notes, block, QStringLiteral("blockNotes")));
    // A caption only over chips; the row itself is always there.
    const auto chipSection = [&](const QString &title, const QList<Chip *> &chips) {
        if (!chips.isEmpty())
            layout->addWidget(blackCaption(title, block));
        layout->addWidget(chipRow(chips, block));
    };
    QList<Chip *> tagChips;
    for (const QString &tag : worldTagTitles())
        tagChips.append(tagChip(tag));
    chipSection(tr("World Tags"), tagChips);
    QList<Chip *> factionChips;
    for (const Faction &faction : mainWorldFactions())
        factionChips.append(factionChip(faction));
    chipSection(tr("Factions"), factionChips);
    const QList<RutterDestination> destinations = rutterDestinations();
    if (!destinations.isEmpty())
        layout->addWidget(
            new RutterRoutesSection(m_universe && m_universe->usesTravellerRules(), destinations, block));
    return block;
}
