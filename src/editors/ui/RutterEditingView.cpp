#include "RutterEditingView.h"

#include "HexPositionPicker.h"
#include "RutterListSource.h"
#include "ui/ContentUnavailableView.h"
#include "universe/UniverseChanges.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace {

constexpr int kPickerSpacing = 20;
constexpr int kRouteSpacing = 40;
constexpr int kAgeWidth = 260;
constexpr int kSectionSpace = 5;

EditorForm::Texts texts(const StarfarerUniverse &universe)
{
    const QString word = RutterListSource::listWord(universe);
    return {RutterEditingView::tr("%1 Creation").arg(word), RutterEditingView::tr("Edit %1").arg(word),
            RutterEditingView::tr("Create Rutter")};
}

QLabel *heading(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setContentsMargins(0, kSectionSpace, 0, 0);
    return label;
}

} // namespace

RutterEditingView::RutterEditingView(StarfarerUniverse &universe, const std::optional<Rutter> &rutter,
                                     QWidget *parent)
    : EditorForm(universe, texts(universe), parent), m_draft(rutter)
{
    setObjectName(QStringLiteral("rutterEditingView"));
    m_noFactions = new ContentUnavailableView(
        tr("No Factions"), Symbol::flagSlash,
        tr("Create a faction before adding a rutter — a rutter belongs to a faction."), this);
    formLayout()->addWidget(m_noFactions);

    m_fields = new QWidget(this);
    auto *fields = new QVBoxLayout(m_fields);
    fields->setContentsMargins(0, 0, 0, 0);
    fields->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    formLayout()->addWidget(m_fields);

    fields->addWidget(heading(tr("Faction"), m_fields));
    m_faction = new FactionPicker(universe, m_fields);
    m_faction->setObjectName(QStringLiteral("rutterFaction"));
    m_faction->setToolTip(tr("Faction"));
    fields->addWidget(m_faction, 0, Qt::AlignLeft);
    connect(m_faction, &QComboBox::activated, this, [this] {
        m_draft.factionID = m_faction->chosen();
        refreshChrome();
    });

    fields->addWidget(heading(tr("Endpoints"), m_fields));
    m_startPicker = addEndpoint(m_startCaption, &RutterDraft::start);
    m_endPicker = addEndpoint(m_endCaption, &RutterDraft::end);

    fields->addWidget(heading(tr("Route"), m_fields));
    auto *route = new QHBoxLayout;
    route->setSpacing(kRouteSpacing);
    m_mainTradeRoute = new QCheckBox(tr("Main Trade Route"), m_fields);
    m_mainTradeRoute->setObjectName(QStringLiteral("mainTradeRoute"));
    route->addWidget(m_mainTradeRoute);
    auto *ageRow = new QHBoxLayout;
    ageRow->addWidget(new QLabel(tr("Age"), m_fields));
    m_age = new QComboBox(m_fields);
    m_age->setObjectName(QStringLiteral("rutterAge"));
    for (const RutterAge age : allCases<RutterAge>())
        m_age->addItem(displayText(age), static_cast<int>(age));
    m_age->setFixedWidth(kAgeWidth);
    ageRow->addWidget(m_age);
    route->addLayout(ageRow);
    route->addStretch(1);
    fields->addLayout(route);
    connect(m_mainTradeRoute, &QCheckBox::toggled, this, [this](bool on) { m_draft.mainTradeRoute = on; });
    connect(m_age, &QComboBox::activated, this,
            [this] { m_draft.age = static_cast<RutterAge>(m_age->currentData().toInt()); });

    addActionButton();
    // Whether any faction exists decides what shows; the wording follows the rules.
    UniverseChanges::onObjects<Faction>(&universe, this,
                                        [this](const ObjectChange<Faction> &) { refresh(); });
    connect(&universe, &StarfarerUniverse::usesTravellerRulesChanged, this, &RutterEditingView::refresh);
    showDraft();
}

HexPositionPicker *RutterEditingView::addEndpoint(QLabel *&caption, GalacticCoordinates RutterDraft::*field)
{
    auto *fields = static_cast<QVBoxLayout *>(m_fields->layout());
    caption = secondaryLabel(QString(), TextStyle::body, m_fields);
    fields->addWidget(caption);
    auto *row = new QHBoxLayout;
    row->setSpacing(kPickerSpacing);
    auto *picker =
        new HexPositionPicker(universe(), true, HexPositionPicker::FieldOrder::columnFirst, m_fields);
    row->addWidget(picker);
    row->addStretch(1);
    fields->addLayout(row);
    connect(picker, &HexPositionPicker::positionChanged, this,
            [this, field](const GalacticCoordinates &position) {
                m_draft.*field = position;
                showDraft();
            });
    return picker;
}

QString RutterEditingView::startCaption() const
{
    return m_startCaption->text();
}

QString RutterEditingView::endCaption() const
{
    return m_endCaption->text();
}

bool RutterEditingView::showsNoFactions() const
{
    return !m_noFactions->isHidden();
}

void RutterEditingView::save()
{
    if (m_draft.save(universe()))
        showDraft();
}

void RutterEditingView::showDraft()
{
    m_startCaption->setText(tr("From: %1").arg(m_draft.start.description()));
    m_endCaption->setText(tr("To: %1").arg(m_draft.end.description()));
    m_startPicker->setPosition(m_draft.start);
    m_endPicker->setPosition(m_draft.end);
    m_mainTradeRoute->setChecked(m_draft.mainTradeRoute);
    m_age->setCurrentIndex(m_age->findData(static_cast<int>(m_draft.age)));
    m_faction->setChosen(m_draft.factionID);
    refresh();
}

void RutterEditingView::refresh()
{
    const bool noFactions = universe().factions().isEmpty();
    m_noFactions->setVisible(noFactions);
    m_fields->setVisible(!noFactions);
    actionButton()->setVisible(!noFactions);
    setTexts(texts(universe()));
}
