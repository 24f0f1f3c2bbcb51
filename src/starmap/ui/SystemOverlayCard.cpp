#include "SystemOverlayCard.h"

#include "model/WorldDescriptions.h"
#include "starmap/SystemCardTexts.h"
#include "ui/Chip.h"
#include "ui/Divider.h"
#include "ui/ElidedLabel.h"
#include "ui/FocusMark.h"
#include "ui/FormScrollArea.h"
#include "ui/NamedColor.h"
#include "ui/ReadOnlyNotesView.h"
#include "ui/SymbolButton.h"
#include "ui/TextStyle.h"
#include "ui/Tile.h"
#include "ui/WindowRouter.h"
#include "universe/StarfarerUniverse.h"

#include <QClipboard>
#include <QGraphicsDropShadowEffect>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kMaxHeight = 570;
// The world notes scroll in a box of at least and at most these heights; the hex
// notes scroll past the lower one.
constexpr int kShortestWorldNotes = 170;
constexpr int kLongestWorldNotes = 250;
constexpr int kLongestHexNotes = 170;
constexpr int kPadding = 12;
constexpr int kTitlePixelSize = 15;
constexpr int kBodyIcon = 14;
constexpr int kTitle2Icon = 18;

// How much of the text colour the secondary ink keeps; the rest is the card's fill.
constexpr qreal kSecondaryInkShare = 0.7;
// The shades behind a button under the pointer and held down, as parts of the ink.
constexpr qreal kHoverShade = 0.12;
constexpr qreal kPressedShade = 0.24;

QString cssColor(QColor color, qreal alpha)
{
    return QStringLiteral("rgba(%1, %2, %3, %4)")
        .arg(color.red())
        .arg(color.green())
        .arg(color.blue())
        .arg(QString::number(alpha, 'f', 2));
}

QFont caption(bool monospaced = true)
{
    return textFont(TextStyle::caption, monospaced);
}

// A scroll area for content of the card's width that scrolls without indicators, and
// never sideways.
QScrollArea *verticalScroller(QWidget *content, QWidget *parent)
{
    QScrollArea *scroller = formScrollArea(parent);
    scroller->setWidget(content);
    scroller->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroller->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroller->setStyleSheet(
        QStringLiteral("QScrollArea, QScrollArea > QWidget > QWidget { background: transparent; }"));
    return scroller;
}

} // namespace

SystemOverlayCard::SystemOverlayCard(const StarfarerUniverse *universe, const HexData &hex,
                                     MapViewMode viewMode, std::function<void()> onClose,
                                     WindowRouter *router, int width, const SummaryFactory &summary,
                                     QWidget *parent)
    : QFrame(parent), m_universe(universe), m_hex(hex), m_onClose(std::move(onClose)), m_router(router)
{
    setObjectName(QStringLiteral("systemOverlayCard"));
    setStyleSheet(QStringLiteral("#systemOverlayCard { background: %1; border-radius: 12px; }")
                      .arg(namedColor(NamedColor::emerald).name()));
    auto *shadow = new QGraphicsDropShadowEffect(this);
    shadow->setBlurRadius(10);
    shadow->setOffset(0, 0);
    shadow->setColor(QColor(0, 0, 0, 84));
    setGraphicsEffect(shadow);
    setFixedWidth(width);
    setMaximumHeight(kMaxHeight);

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(kPadding, kPadding, kPadding, kPadding);
    column->setSpacing(8);
    column->addWidget(header());
    auto *section = new QVBoxLayout;
    section->setSpacing(5);
    addMainWorldSection(section, viewMode == MapViewMode::referee);
    column->addLayout(section);
    column->addWidget(horizontalDivider(this));

    auto *summaryHolder = new QWidget;
    auto *summaryColumn = new QVBoxLayout(summaryHolder);
    summaryColumn->setContentsMargins(0, 0, 0, 0);
    summaryColumn->setSpacing(8);
    // The summary's tiles, padding included, fill the card inside its margins.
    if (summary)
        summaryColumn->addWidget(
            summary(m_hex.starSystem, width - 2 * kPadding - 2 * Tile::kHorizontalPadding));
    summaryColumn->addStretch(1);
    column->addWidget(verticalScroller(summaryHolder, this), 1);
}

QWidget *SystemOverlayCard::header()
{
    const SystemCardTexts texts = SystemCardTexts::of(m_hex);
    auto *row = new QWidget(this);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *title = new QVBoxLayout;
    title->setSpacing(5);
    title->addWidget(nameLabel(texts.title, textFont(kTitlePixelSize, false, true), "systemName"));
    title->addWidget(label(texts.hexLine, caption(), false));
    layout->addLayout(title);
    layout->addStretch(1);

    const std::optional<WorldData> mainWorld = m_hex.starSystem.mainWorld();
    if (!m_hex.starSystem.allWorlds().isEmpty()) {
        m_travel = button(Symbol::timer, kBodyIcon, tr("Interplanetary & jump-point travel times"));
        connect(m_travel, &QToolButton::clicked, this, [this] { openWindow(WindowId::systemTravel); });
        layout->addWidget(m_travel, 0, Qt::AlignTop);
    }
    if (mainWorld) {
        m_worldInfo = button(Symbol::questionmarkCircleFill, kTitle2Icon, QString());
        connect(m_worldInfo, &QToolButton::clicked, this, [this] { openWindow(WindowId::worldInfo); });
        m_copy = button(Symbol::docOnDoc, kBodyIcon, tr("Copy main world info to clipboard"));
        connect(m_copy, &QToolButton::clicked, this, &SystemOverlayCard::copyToClipboard);
        layout->addWidget(m_worldInfo, 0, Qt::AlignTop);
        layout->addWidget(m_copy, 0, Qt::AlignTop);
    }
    m_close = button(Symbol::xmarkCircleFill, kTitle2Icon, QString());
    connect(m_close, &QToolButton::clicked, this, [this] {
        if (m_onClose)
            m_onClose();
    });
    layout->addWidget(m_close, 0, Qt::AlignTop);
    return row;
}

void SystemOverlayCard::addMainWorldSection(QVBoxLayout *column, bool referee)
{
    const SystemCardTexts texts = SystemCardTexts::of(m_hex);
    const std::optional<WorldData> mainWorld = m_hex.starSystem.mainWorld();
    const QFont body = textFont(TextStyle::body, true);
    if (referee && !m_hex.notes.isEmpty())
        column->addWidget(notesView(m_hex.notes, kLongestHexNotes, QStringLiteral("hexNotes")));
    const auto smallTitle = [this](const QString &text) {
        QLabel *title = label(text, caption(), false);
        QPalette palette = title->palette();
        palette.setColor(QPalette::WindowText, namedColor(NamedColor::smallTitle));
        title->setPalette(palette);
        return title;
    };
    column->addWidget(smallTitle(tr("Main World")));
    column->addWidget(nameLabel(texts.mainWorldName, textFont(TextStyle::body, true, true), "mainWorldName"));
    QLabel *profile = label(texts.uwpLine, body, true);
    profile->setWordWrap(true);
    column->addWidget(profile);
    QLabel *legend = label(kProfileLineLegend, caption(), false);
    legend->setObjectName(QStringLiteral("uwpLegend"));
    QPalette legendPalette = legend->palette();
    legendPalette.setColor(QPalette::WindowText, secondaryInk());
    legend->setPalette(legendPalette);
    column->addWidget(legend);
    if (!referee)
        return;

    if (mainWorld && !mainWorld->notes.isEmpty()) {
        ReadOnlyNotesView *notes =
            notesView(mainWorld->notes, kLongestWorldNotes, QStringLiteral("worldNotes"));
        notes->setMinimumHeight(kShortestWorldNotes);
        column->addWidget(notes);
    }
    QList<Chip *> tags;
    for (const QString &tag : texts.worldTags)
        tags.append(tagChip(tag));
    if (!tags.isEmpty())
        column->addWidget(smallTitle(tr("World Tags")));
    // The tags stay on one line: those that do not fit give way to an ellipsis chip.
    column->addWidget(chipRow(tags, this, tagChip(QString(QChar(0x2026)))));
    QList<Chip *> factions;
    if (mainWorld && m_universe) {
        for (const Faction &faction : m_universe->factions(*mainWorld))
            factions.append(factionChip(faction));
    }
    if (!factions.isEmpty())
        column->addWidget(smallTitle(tr("Factions")));
    column->addWidget(chipRow(factions, this));
}

QToolButton *SystemOverlayCard::button(Symbol symbol, int size, const QString &help)
{
    // The style's own raised panel under the pointer is nearly white, and a pale
    // symbol vanishes on it: the card draws its buttons' states itself, in shades of
    // the ink, so that the symbol keeps its contrast in every state.
    const QColor ink = secondaryInk();
    auto *button = new SymbolButton(symbol, ink, this);
    // The padding leaves room for the focus mark around the symbol.
    button->setStyleSheet(QStringLiteral("QToolButton { border: none; border-radius: 5px; padding: %3px; "
                                         "background: transparent; } "
                                         "QToolButton:hover { background: %1; } "
                                         "QToolButton:pressed { background: %2; }")
                              .arg(cssColor(ink, kHoverShade), cssColor(ink, kPressedShade))
                              .arg(kFocusMarkWidth + 1));
    button->setIconSize(QSize(size, size));
    button->setToolTip(help);
    button->setAccessibleName(QString::fromUtf8(enumRow(symbol).raw));
    return button;
}

QColor SystemOverlayCard::secondaryInk()
{
    const QColor text = QGuiApplication::palette().color(QPalette::WindowText);
    const QColor fill = namedColor(NamedColor::emerald);
    const auto mix = [](int a, int b) {
        return qRound(a * kSecondaryInkShare + b * (1 - kSecondaryInkShare));
    };
    return QColor(mix(text.red(), fill.red()), mix(text.green(), fill.green()),
                  mix(text.blue(), fill.blue()));
}

ElidedLabel *SystemOverlayCard::nameLabel(const QString &text, const QFont &font, const char *objectName)
{
    ElidedLabel *label = elidedLabel(text, font, this, objectName);
    label->setSelectable(true);
    return label;
}

ReadOnlyNotesView *SystemOverlayCard::notesView(const QString &text, int maximumHeight,
                                                const QString &objectName)
{
    auto *view = new ReadOnlyNotesView(text, textFont(TextStyle::body), maximumHeight, this);
    view->setObjectName(objectName);
    return view;
}

QLabel *SystemOverlayCard::label(const QString &text, const QFont &font, bool selectable)
{
    auto *label = new QLabel(text, this);
    label->setTextFormat(Qt::PlainText);
    label->setFont(font);
    if (selectable)
        label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    return label;
}

void SystemOverlayCard::openWindow(const QString &id) const
{
    if (m_router)
        m_router->openWindow(id, m_hex.coordinates);
}

void SystemOverlayCard::copyToClipboard() const
{
    const std::optional<WorldData> mainWorld = m_hex.starSystem.mainWorld();
    if (!mainWorld)
        return;
    QList<FactionLabel> factions;
    if (m_universe) {
        for (const Faction &faction : m_universe->factions(*mainWorld))
            factions.append({faction.name, faction.shortName});
    }
    QGuiApplication::clipboard()->setText(markdownExport(*mainWorld, m_hex.starSystem.planetoidBelts,
                                                         m_hex.starSystem.gasGiant, factions, m_hex));
}
