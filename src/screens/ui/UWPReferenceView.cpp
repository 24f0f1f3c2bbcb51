#include "UWPReferenceView.h"

#include "model/Base.h"
#include "model/EHex.h"
#include "model/Starport.h"
#include "model/TradeClass.h"
#include "model/UWPDescriptions.h"
#include "model/WorldDescriptions.h"
#include "screens/UniverseFollower.h"
#include "ui/ClearLayout.h"
#include "ui/DisclosureGroup.h"
#include "ui/SecondaryText.h"
#include "ui/TextStyle.h"
#include "universe/StarfarerUniverse.h"

#include "ui/ScrollingPage.h"
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <array>

namespace {

struct Legend
{
    const char *abbr;
    const char *meaning;
};

constexpr std::array<Legend, 12> kLegend{{
    {"Stp", QT_TRANSLATE_NOOP("UWPReferenceView", "Starport")},
    {"Siz", QT_TRANSLATE_NOOP("UWPReferenceView", "Size")},
    {"Atm", QT_TRANSLATE_NOOP("UWPReferenceView", "Atmosphere")},
    {"Hyd", QT_TRANSLATE_NOOP("UWPReferenceView", "Hydrographics")},
    {"Pop", QT_TRANSLATE_NOOP("UWPReferenceView", "Population")},
    {"Gov", QT_TRANSLATE_NOOP("UWPReferenceView", "Government")},
    {"Law", QT_TRANSLATE_NOOP("UWPReferenceView", "Law Level")},
    {"TL", QT_TRANSLATE_NOOP("UWPReferenceView", "Tech Level")},
    {"B", QT_TRANSLATE_NOOP("UWPReferenceView", "Bases")},
    {"PBG", QT_TRANSLATE_NOOP("UWPReferenceView", "Population multiplier · planetoid Belts · Gas giants")},
    {"Day\\Year", QT_TRANSLATE_NOOP("UWPReferenceView", "Rotation period · orbital period")},
    {"[TC]", QT_TRANSLATE_NOOP("UWPReferenceView", "Trade classifications")},
}};

struct ShipTraffic
{
    const char *abbr;
    const char *meaning;
    int weekly;
    int daily;
};

constexpr std::array<ShipTraffic, 9> kShipTraffic{{
    {"+5", QT_TRANSLATE_NOOP("UWPReferenceView", "Very Important"), 1000, 100},
    {"+4", QT_TRANSLATE_NOOP("UWPReferenceView", "Important"), 100, 20},
    {"+3", QT_TRANSLATE_NOOP("UWPReferenceView", "Ordinary"), 30, 5},
    {"+2", QT_TRANSLATE_NOOP("UWPReferenceView", "Ordinary"), 20, 3},
    {"+1", QT_TRANSLATE_NOOP("UWPReferenceView", "Ordinary"), 10, 2},
    {"0", QT_TRANSLATE_NOOP("UWPReferenceView", "Unimportant"), 2, 1},
    {"-1", QT_TRANSLATE_NOOP("UWPReferenceView", "Unimportant"), 1, 1},
    {"-2", QT_TRANSLATE_NOOP("UWPReferenceView", "Very Unimportant"), 0, 0},
    {"-3", QT_TRANSLATE_NOOP("UWPReferenceView", "Very Unimportant"), 0, 0},
}};

// A group of trade codes: the classes from `first` to `last` in case order, which
// keeps the groups together covering every class exactly once.
struct TradeGroup
{
    const char *category;
    TradeClass first;
    TradeClass last;
};

constexpr std::array<TradeGroup, 7> kTradeGroups{{
    {QT_TRANSLATE_NOOP("UWPReferenceView", "Planetary"), TradeClass::asteroid, TradeClass::water},
    {QT_TRANSLATE_NOOP("UWPReferenceView", "Population"), TradeClass::barren, TradeClass::highPopulation},
    {QT_TRANSLATE_NOOP("UWPReferenceView", "Economic"), TradeClass::preAgricultural,
     TradeClass::highTechnology},
    {QT_TRANSLATE_NOOP("UWPReferenceView", "Climate"), TradeClass::frozen, TradeClass::locked},
    {QT_TRANSLATE_NOOP("UWPReferenceView", "Secondary"), TradeClass::farming, TradeClass::reserve},
    {QT_TRANSLATE_NOOP("UWPReferenceView", "Political"), TradeClass::subsectorCapital, TradeClass::colony},
    {QT_TRANSLATE_NOOP("UWPReferenceView", "Special"), TradeClass::satellite, TradeClass::researchStation},
}};

constexpr std::array<const char *, 7> kImportanceModifiers{{
    QT_TRANSLATE_NOOP("UWPReferenceView", "+1 if the starport is A or B"),
    QT_TRANSLATE_NOOP("UWPReferenceView", "−1 if the starport is D, E, or X"),
    QT_TRANSLATE_NOOP("UWPReferenceView", "+1 if Tech Level is 10+; +1 more if 16+"),
    QT_TRANSLATE_NOOP("UWPReferenceView", "−1 if Tech Level is 8 or less"),
    QT_TRANSLATE_NOOP("UWPReferenceView", "+1 for each of Agricultural, Rich, Industrial, High Population"),
    QT_TRANSLATE_NOOP("UWPReferenceView", "−1 if population is 6 or less"),
    QT_TRANSLATE_NOOP("UWPReferenceView", "+1 if both a naval and a scout base are present"),
}};

struct Field
{
    const char *field;
    const char *note;
};

constexpr std::array<Field, 4> kEconomicFields{{
    {QT_TRANSLATE_NOOP("UWPReferenceView", "Resources"),
     QT_TRANSLATE_NOOP("UWPReferenceView",
                       "Raw materials, plus asteroid belts and gas giants at TL 8+. Resources "
                       "range from 2 (very scarce) to J (extremely abundant).")},
    {QT_TRANSLATE_NOOP("UWPReferenceView", "Labor"),
     QT_TRANSLATE_NOOP("UWPReferenceView", "The available workforce — the population digit minus one.")},
    {QT_TRANSLATE_NOOP("UWPReferenceView", "Infrastructure"),
     QT_TRANSLATE_NOOP("UWPReferenceView", "How developed the world's facilities are, from 0 (none) to J "
                                           "(comprehensive), scaled by Importance.")},
    {QT_TRANSLATE_NOOP("UWPReferenceView", "Efficiency"),
     QT_TRANSLATE_NOOP("UWPReferenceView",
                       "An economic multiplier from −5 (badly run) to +5 (highly efficient); "
                       "always shown with its sign.")},
}};

constexpr std::array<Field, 4> kCulturalFields{{
    {QT_TRANSLATE_NOOP("UWPReferenceView", "Heterogeneity"),
     QT_TRANSLATE_NOOP("UWPReferenceView",
                       "How uniform the culture is, from 1 (monolithic) to G (fragmented).")},
    {QT_TRANSLATE_NOOP("UWPReferenceView", "Acceptance"),
     QT_TRANSLATE_NOOP("UWPReferenceView", "How welcoming the population is towards outsiders. Ranges from 1 "
                                           "(extremely xenophobic) to F (extremely xenophilic).")},
    {QT_TRANSLATE_NOOP("UWPReferenceView", "Strangeness"),
     QT_TRANSLATE_NOOP("UWPReferenceView", "How alien the culture feels to a visitor. Ranges from 1 (very "
                                           "typical) to A (incomprehensible).")},
    {QT_TRANSLATE_NOOP("UWPReferenceView", "Symbols"),
     QT_TRANSLATE_NOOP("UWPReferenceView",
                       "How abstract and sophisticated the culture's symbols and rituals are. "
                       "Ranges from 0 (extremely concrete) to L (incomprehensibly abstract).")},
}};

constexpr std::array<const char *, 3> kResourceUnits{{
    QT_TRANSLATE_NOOP("UWPReferenceView",
                      "Resource Unit (RU) is a highly abstract measurement of the economic "
                      "capabilities (production) of a world."),
    QT_TRANSLATE_NOOP("UWPReferenceView",
                      "The calculation of the RU involves access to natural resources, labor, "
                      "infrastructure, and a complex analysis of cultural factors. It also "
                      "approximately measures the world's budget."),
    QT_TRANSLATE_NOOP("UWPReferenceView",
                      "The zero point of the scale represents a self sufficient economy, "
                      "negative values represent a dependent or contracting economy, and "
                      "positive values show an economy with growth or a consistent surplus."),
}};

// The letter case of a code is part of it: "c" is a baronet, "C" a baron.
constexpr std::array<Legend, 10> kNobilityRanks{{
    {"B", QT_TRANSLATE_NOOP("UWPReferenceView", "Knight")},
    {"c", QT_TRANSLATE_NOOP("UWPReferenceView", "Baronet")},
    {"C", QT_TRANSLATE_NOOP("UWPReferenceView", "Baron")},
    {"D", QT_TRANSLATE_NOOP("UWPReferenceView", "Marquis")},
    {"e", QT_TRANSLATE_NOOP("UWPReferenceView", "Viscount")},
    {"E", QT_TRANSLATE_NOOP("UWPReferenceView", "Count")},
    {"f", QT_TRANSLATE_NOOP("UWPReferenceView", "Duke")},
    {"F", QT_TRANSLATE_NOOP("UWPReferenceView", "Subsector Duke")},
    {"G", QT_TRANSLATE_NOOP("UWPReferenceView", "Archduke")},
    {"H", QT_TRANSLATE_NOOP("UWPReferenceView", "Emperor")},
}};

// The highest value an extended-hexadecimal digit stands for ("Z").
constexpr qint64 kLastEHexValue = 33;

// Widths of the row columns, in pixels.
constexpr int kLegendCodeWidth = 64;
constexpr int kCodeWidth = 34;
constexpr int kNameWidth = 125;
constexpr int kNoteWidth = 50;
constexpr int kTrafficCodeWidth = 25;
constexpr int kTrafficMeaningWidth = 90;
constexpr int kTrafficCountWidth = 40;
constexpr int kKeyLinePixelSize = 15;

QString translated(const char *text)
{
    return UWPReferenceView::tr(text);
}

QLabel *label(const QString &text, const QFont &font, const QString &objectName = QString())
{
    auto *result = new QLabel(text);
    result->setTextFormat(Qt::PlainText);
    result->setFont(font);
    result->setObjectName(objectName);
    return result;
}

// A label at least `width` wide, so that the columns of consecutive rows line up;
// a longer text widens it rather than being cut.
QLabel *column(const QString &text, const QFont &font, int width, const QString &objectName,
               Qt::Alignment alignment = Qt::AlignLeft)
{
    QLabel *result = label(text, font, objectName);
    result->setMinimumWidth(width);
    result->setAlignment(alignment | Qt::AlignTop);
    return result;
}

QLabel *wrapping(QLabel *label)
{
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Wider, keeping the height-for-width that word wrap asked for, so the label is as
    // tall as its lines at the width it gets.
    QSizePolicy policy = label->sizePolicy();
    policy.setHorizontalPolicy(QSizePolicy::Expanding);
    label->setSizePolicy(policy);
    return label;
}

QLabel *note(const QString &text)
{
    QLabel *result = wrapping(label(text, textFont(TextStyle::callout), QStringLiteral("note")));
    makeSecondary(result);
    return result;
}

// A row of cells; the `stretching` cell takes the spare width, or, without one, the
// cells keep their widths and the spare width stays empty after them.
QWidget *row(QBoxLayout *layout, const QList<QLabel *> &cells, QLabel *stretching,
             Qt::Alignment alignment = Qt::Alignment())
{
    auto *result = new QWidget;
    result->setObjectName(QStringLiteral("referenceRow"));
    result->setLayout(layout);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QLabel *cell : cells)
        layout->addWidget(cell, cell == stretching ? 1 : 0, alignment);
    if (!stretching)
        layout->addStretch(1);
    return result;
}

// Cells side by side, aligned at the top with their first lines on one baseline: a
// cell whose face has a smaller ascent is moved down by the difference.
QWidget *horizontalRow(const QList<QLabel *> &cells, QLabel *stretching = nullptr)
{
    int ascent = 0;
    for (const QLabel *cell : cells)
        ascent = std::max(ascent, QFontMetrics(cell->font()).ascent());
    for (QLabel *cell : cells) {
        QMargins margins = cell->contentsMargins();
        margins.setTop(ascent - QFontMetrics(cell->font()).ascent());
        cell->setContentsMargins(margins);
    }
    auto *layout = new QHBoxLayout;
    layout->setSpacing(8);
    return row(layout, cells, stretching, Qt::AlignTop);
}

// A code in a narrow fixed-pitch column, then its meaning, wrapping.
QWidget *codeRow(const QString &code, const QString &description)
{
    QLabel *text = wrapping(label(description, textFont(TextStyle::body), QStringLiteral("rowText")));
    return horizontalRow(
        {column(code, textFont(TextStyle::body, true, true), kCodeWidth, QStringLiteral("rowCode")), text},
        text);
}

// A code, a name and a short fixed-pitch note.
QWidget *threeColumnRow(const QString &code, const QString &name, const QString &noteText)
{
    QLabel *nameLabel = label(name, textFont(TextStyle::body), QStringLiteral("rowText"));
    nameLabel->setFixedWidth(kNameWidth);
    nameLabel->setWordWrap(true);
    return horizontalRow(
        {column(code, textFont(TextStyle::body, true, true), kCodeWidth, QStringLiteral("rowCode")),
         nameLabel,
         column(noteText, textFont(TextStyle::body, true), kNoteWidth, QStringLiteral("rowNote"))});
}

// A field in bold over its explanation.
QWidget *fieldRow(const QString &field, const QString &explanation)
{
    auto *layout = new QVBoxLayout;
    layout->setSpacing(2);
    QLabel *explanationLabel = note(explanation);
    QWidget *result = row(
        layout,
        {label(field, textFont(TextStyle::body, false, true), QStringLiteral("rowCode")), explanationLabel},
        explanationLabel);
    result->setContentsMargins(0, 2, 0, 2);
    return result;
}

QWidget *trafficRow(const ShipTraffic &traffic)
{
    const QFont caption = textFont(TextStyle::caption);
    QLabel *meaning =
        column(translated(traffic.meaning), caption, kTrafficMeaningWidth, QStringLiteral("rowText"));
    QLabel *weekly = column(QString::number(traffic.weekly), caption, kTrafficCountWidth,
                            QStringLiteral("rowWeekly"), Qt::AlignHCenter);
    QLabel *daily = column(QString::number(traffic.daily), caption, kTrafficCountWidth,
                           QStringLiteral("rowDaily"), Qt::AlignHCenter);
    for (QLabel *secondary : {meaning, weekly, daily})
        makeSecondary(secondary);
    return horizontalRow({column(QString::fromUtf8(traffic.abbr), textFont(TextStyle::caption, true, true),
                                 kTrafficCodeWidth, QStringLiteral("rowCode"), Qt::AlignHCenter),
                          meaning, weekly, daily});
}

// One code row for each value of `first` to `last`: its digit and its text.
template <typename Describe> void addDigitRows(QVBoxLayout *layout, qint64 last, Describe describe)
{
    for (qint64 value = 0; value <= last; ++value)
        layout->addWidget(codeRow(EHex::digit(value), describe(value)));
}

} // namespace

UWPReferenceView::UWPReferenceView(UniverseManager *manager, QWidget *parent)
    : QWidget(parent), m_follower(new UniverseFollower(manager, this))
{
    setMinimumSize(360, 400);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(makeHeader());
    auto *divider = new QFrame(this);
    divider->setFrameShape(QFrame::HLine);
    divider->setFrameShadow(QFrame::Sunken);
    layout->addWidget(divider);
    layout->addWidget(makeList(), 1);

    refreshTechLevels();
    connect(m_follower, &UniverseFollower::universeChanged, this, &UWPReferenceView::refreshTechLevels);
    connect(m_follower, &UniverseFollower::hexChanged, this, &UWPReferenceView::refreshTechLevels);
}

QWidget *UWPReferenceView::makeHeader()
{
    auto *header = new QWidget(this);
    auto *layout = new QVBoxLayout(header);
    layout->setSpacing(6);
    QLabel *key =
        label(kProfileLineLegend, textFont(kKeyLinePixelSize, true, true), QStringLiteral("keyLine"));
    key->setTextInteractionFlags(Qt::TextSelectableByMouse);
    key->setContentsMargins(0, 0, 0, 4);
    layout->addWidget(key);
    for (const Legend &entry : kLegend) {
        QLabel *meaning =
            label(translated(entry.meaning), textFont(TextStyle::caption), QStringLiteral("rowText"));
        makeSecondary(meaning);
        layout->addWidget(
            horizontalRow({column(QString::fromUtf8(entry.abbr), textFont(TextStyle::caption, true, true),
                                  kLegendCodeWidth, QStringLiteral("rowCode")),
                           meaning},
                          meaning));
    }
    return header;
}

QWidget *UWPReferenceView::makeList()
{
    auto *list = new QWidget;
    auto *layout = new QVBoxLayout(list);

    QVBoxLayout *starports = addGroup(layout, tr("Starport"))->contentLayout();
    for (const Starport starport : allCases<Starport>())
        starports->addWidget(codeRow(code(starport), rawValue(starport)));
    addDigitRows(addGroup(layout, tr("Size"))->contentLayout(), 16, sizeDescription);
    addDigitRows(addGroup(layout, tr("Atmosphere"))->contentLayout(), 15, atmosphereDescription);
    addDigitRows(addGroup(layout, tr("Hydrographics"))->contentLayout(), 10, hydrographicsDescription);
    QVBoxLayout *population = addGroup(layout, tr("Population"))->contentLayout();
    population->addWidget(note(
        tr("The population digit is an exponent of 10 (Pop A = 10^10). To get the population, multiply the "
           "population digit by population multiplier. For example Capital (A586A98-F 605) has a population "
           "of 6 x 10^10 = 60B.")));
    addDigitRows(population, 15, populationDescription);
    addDigitRows(addGroup(layout, tr("Government"))->contentLayout(), 15, governmentDescription);
    addDigitRows(addGroup(layout, tr("Law Level"))->contentLayout(), 18, lawLevelDescription);
    m_techLevels = addGroup(layout, tr("Tech Level"));

    QVBoxLayout *bases = addGroup(layout, tr("Bases"))->contentLayout();
    bases->addWidget(note(
        tr("A world may carry several bases; the Second Survey prints the codes in alphabetical order.")));
    for (const Base base : allCases<Base>())
        bases->addWidget(threeColumnRow(rawValue(base), name(base), referenceSymbol(base)));

    QVBoxLayout *tradeCodes = addGroup(layout, tr("Trade Codes"))->contentLayout();
    for (const TradeGroup &group : kTradeGroups) {
        QLabel *caption =
            label(translated(group.category), textFont(TextStyle::caption), QStringLiteral("tradeCategory"));
        caption->setContentsMargins(0, 4, 0, 0);
        makeSecondary(caption);
        tradeCodes->addWidget(caption);
        for (auto value = static_cast<int>(group.first); value <= static_cast<int>(group.last); ++value) {
            const auto tradeClass = static_cast<TradeClass>(value);
            tradeCodes->addWidget(
                threeColumnRow(rawValue(tradeClass), name(tradeClass), referenceNote(tradeClass)));
        }
    }

    fillExtensions(layout);

    addSectionHeader(layout, tr("Extended Hexadecimal Notation"));
    QVBoxLayout *eHex = addGroup(layout, tr("eHex"))->contentLayout();
    eHex->addWidget(note(tr("To avoid potential for confusion, with the digits one (1) and zero (0), the "
                            "alphabetic letters I and O are omitted.")));
    addDigitRows(eHex, kLastEHexValue, [](qint64 value) { return QString::number(value); });
    layout->addStretch(1);

    auto *scroll = new ScrollingPage(this);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setWidget(list);
    return scroll;
}

void UWPReferenceView::fillExtensions(QVBoxLayout *list)
{
    addSectionHeader(list, tr("Extensions"));

    QVBoxLayout *importance = addGroup(list, tr("Importance  {Ix}"))->contentLayout();
    QLabel *summary =
        note(tr("A signed value summarising how important a world is to its neighbours. It starts "
                "at zero and is adjusted by:"));
    summary->setContentsMargins(0, 0, 0, 2);
    importance->addWidget(summary);
    for (const char *modifier : kImportanceModifiers)
        importance->addWidget(
            wrapping(label(QStringLiteral("•  ") + translated(modifier), textFont(TextStyle::body),
                           QStringLiteral("importanceModifier"))));
    importance->addWidget(
        label(tr("Expected Ship Traffic (weekly / daily)"), textFont(TextStyle::callout, false, true)));
    for (const ShipTraffic &traffic : kShipTraffic)
        importance->addWidget(trafficRow(traffic));

    QVBoxLayout *economic = addGroup(list, tr("Economic  (Ex) → (RLI+E)"))->contentLayout();
    for (const Field &field : kEconomicFields)
        economic->addWidget(fieldRow(translated(field.field), translated(field.note)));
    QVBoxLayout *cultural = addGroup(list, tr("Cultural  [Cx] → [HASS]"))->contentLayout();
    for (const Field &field : kCulturalFields)
        cultural->addWidget(fieldRow(translated(field.field), translated(field.note)));

    QVBoxLayout *nobility = addGroup(list, tr("Nobility"))->contentLayout();
    for (const Legend &rank : kNobilityRanks)
        nobility->addWidget(codeRow(QString::fromUtf8(rank.abbr), translated(rank.meaning)));

    QVBoxLayout *resourceUnits = addGroup(list, tr("Resource Units"))->contentLayout();
    for (const char *paragraph : kResourceUnits)
        resourceUnits->addWidget(note(translated(paragraph)));
}

DisclosureGroup *UWPReferenceView::addGroup(QVBoxLayout *list, const QString &title)
{
    auto *group = new DisclosureGroup(title);
    list->addWidget(group);
    return group;
}

void UWPReferenceView::addSectionHeader(QVBoxLayout *list, const QString &text)
{
    QLabel *header =
        label(text, textFont(TextStyle::subheadline, false, true), QStringLiteral("sectionHeader"));
    header->setContentsMargins(0, 8, 0, 2);
    makeSecondary(header);
    list->addWidget(header);
}

void UWPReferenceView::refreshTechLevels()
{
    const StarfarerUniverse *universe = m_follower->universe();
    // An empty universe, or none at all, counts as one on the coarse scale.
    const TechnologyLevelSystem system = universe && universe->usesTravellerRules()
                                             ? TechnologyLevelSystem::traveller
                                             : TechnologyLevelSystem::swn;
    if (m_techLevelSystem == system)
        return;
    m_techLevelSystem = system;
    QVBoxLayout *rows = m_techLevels->contentLayout();
    clearLayout(rows);
    for (const TechnologyLevel level : technologyLevels(system))
        rows->addWidget(codeRow(rawValue(level), name(level)));
}
