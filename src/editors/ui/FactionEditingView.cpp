#include "FactionEditingView.h"

#include "HexPositionPicker.h"
#include "IntegerField.h"
#include "LabeledStepper.h"
#include "model/CapitalizedWords.h"
#include "ui/ClearLayout.h"
#include "ui/ColorMark.h"
#include "ui/DisclosureGroup.h"
#include "ui/ElidedLabel.h"
#include "ui/MenuMark.h"
#include "ui/NamedColor.h"
#include "ui/NotesField.h"
#include "ui/PaletteColor.h"
#include "universe/StarfarerUniverse.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

namespace {

constexpr int kShortWidth = 100;
constexpr int kNumberWidth = 100;
constexpr int kTagsMenuWidth = 120;
constexpr int kRowSpacing = 20;
constexpr int kStatsSpacing = 40;
constexpr int kAssetIndent = 25;
constexpr int kAssetControlIndent = 5;
constexpr int kDescriptionMinimumHeight = 60;
constexpr int kDescriptionIdealHeight = 300;
constexpr qint64 kMaximumHP = 999;
constexpr qint64 kRatingMinimum = 1;
constexpr qint64 kRatingMaximum = 8;

// Menus and pickers show a case by its raw value, capitalised ("orangeRed" reads
// "Orangered").
template <typename E> void addCases(QComboBox *combo)
{
    for (const E value : allCases<E>())
        combo->addItem(capitalizedWords(rawValue(value)), static_cast<int>(value));
}

template <typename E> void showCase(QComboBox *combo, E value)
{
    combo->setCurrentIndex(combo->findData(static_cast<int>(value)));
}

template <typename E> E chosenCase(const QComboBox *combo)
{
    return static_cast<E>(combo->currentData().toInt());
}

} // namespace

FactionEditingView::FactionEditingView(StarfarerUniverse &universe,
                                       const std::optional<Faction> &editingFaction, QWidget *parent)
    : EditorForm(universe, {tr("Faction Creation"), tr("Edit Faction"), tr("Create Faction")}, parent),
      m_draft(editingFaction)
{
    setObjectName(QStringLiteral("factionEditingView"));
    buildIdentity();
    buildHomeworldAndStats();
    buildTagsAndAssets();
    buildAssetForm();
    addActionButton();
    // The tech-level scale follows the universe's first system.
    connect(&universe, &StarfarerUniverse::usesTravellerRulesChanged, this,
            &FactionEditingView::syncTechLevelPicker);
    showDraft();
}

QList<QWidget *> FactionEditingView::assetRows() const
{
    QList<QWidget *> rows;
    for (int i = 0; i < m_assetRows->count(); ++i) {
        if (QWidget *row = m_assetRows->itemAt(i)->widget())
            rows.append(row);
    }
    return rows;
}

void FactionEditingView::removeAsset(qsizetype position)
{
    m_draft.removeAsset(position);
    refresh();
}

bool FactionEditingView::travellerRules() const
{
    return universe().usesTravellerRules();
}

// ---- Building ----

void FactionEditingView::buildIdentity()
{
    addHeading(tr("Identity"));
    auto *row = new QHBoxLayout;
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("factionName"));
    m_name->setPlaceholderText(tr("Faction name"));
    m_short = new QLineEdit(this);
    m_short->setObjectName(QStringLiteral("shortName"));
    m_short->setPlaceholderText(tr("Short"));
    m_short->setFixedWidth(kShortWidth);
    m_category = new QComboBox(this);
    m_category->setObjectName(QStringLiteral("category"));
    m_category->setToolTip(tr("Category"));
    addCases<FactionCategory>(m_category);
    m_color = new QComboBox(this);
    m_color->setObjectName(QStringLiteral("color"));
    m_color->setToolTip(tr("Color"));
    for (const FactionColor entry : allCases<FactionColor>())
        m_color->addItem(colorDotIcon(paletteColor(entry)), capitalizedWords(rawValue(entry)),
                         static_cast<int>(entry));
    row->addWidget(m_name, 1);
    row->addWidget(m_short);
    row->addWidget(new QLabel(tr("Category"), this));
    row->addWidget(m_category);
    row->addWidget(new QLabel(tr("Color"), this));
    row->addWidget(m_color);
    formLayout()->addLayout(row);

    m_description = new NotesField(kDescriptionIdealHeight, this);
    m_description->setObjectName(QStringLiteral("description"));
    m_description->setPlaceholderText(tr("Description"));
    m_description->setMinimumHeight(kDescriptionMinimumHeight);
    QPalette palette = m_description->palette();
    palette.setColor(QPalette::Base, namedColor(NamedColor::parameterBackground));
    m_description->setPalette(palette);
    formLayout()->addWidget(m_description);

    connect(m_name, &QLineEdit::textEdited, this, [this](const QString &text) {
        m_draft.faction.name = text;
        refreshChrome();
    });
    connect(m_short, &QLineEdit::textEdited, this,
            [this](const QString &text) { m_draft.faction.shortName = text; });
    connect(m_category, &QComboBox::activated, this,
            [this] { m_draft.faction.category = chosenCase<FactionCategory>(m_category); });
    connect(m_color, &QComboBox::activated, this,
            [this] { m_draft.faction.color = chosenCase<FactionColor>(m_color); });
    connect(m_description, &QPlainTextEdit::textChanged, this,
            [this] { m_draft.faction.description = m_description->notes(); });
}

void FactionEditingView::buildHomeworldAndStats()
{
    m_homeworldHeading = addHeading(QString());
    m_homeworldHeading->setObjectName(QStringLiteral("homeworldHeading"));
    m_homeworld = new HexPositionPicker(universe(), false, HexPositionPicker::FieldOrder::rowFirst, this);
    m_homeworld->setObjectName(QStringLiteral("homeworld"));
    formLayout()->addWidget(m_homeworld, 0, Qt::AlignLeft);
    connect(m_homeworld, &HexPositionPicker::positionChanged, this,
            [this](const GalacticCoordinates &position) {
                m_draft.faction.homeworld = position;
                refresh();
            });

    addHeading(tr("Stats"));
    auto *stats = new QHBoxLayout;
    stats->setSpacing(kStatsSpacing);
    const auto stepper = [this, stats](const QString &format, const char *name, qint64 minimum,
                                       qint64 maximum, qint64 Faction::*field) {
        auto *control =
            new LabeledStepper([format](qint64 value) { return format.arg(value); }, minimum, maximum, this);
        control->setObjectName(QString::fromLatin1(name));
        stats->addWidget(control);
        connect(control, &LabeledStepper::valueChanged, this,
                [this, field](qint64 value) { m_draft.faction.*field = value; });
        return control;
    };
    m_force = stepper(tr("Force: %1"), "force", kRatingMinimum, kRatingMaximum, &Faction::force);
    m_cunning = stepper(tr("Cunning: %1"), "cunning", kRatingMinimum, kRatingMaximum, &Faction::cunning);
    m_wealth = stepper(tr("Wealth: %1"), "wealth", kRatingMinimum, kRatingMaximum, &Faction::wealth);
    m_hp = stepper(tr("HP: %1"), "hp", 0, kMaximumHP, &Faction::hp);
    stats->addStretch(1);
    formLayout()->addLayout(stats);

    auto *money = new QHBoxLayout;
    const auto numberField = [this, money](const QString &title, const char *name, qint64 Faction::*field) {
        money->addWidget(new QLabel(title, this));
        auto *edit = new IntegerField(title, kNumberWidth, this);
        edit->setObjectName(QString::fromLatin1(name));
        money->addWidget(edit);
        connect(edit, &IntegerField::valueCommitted, this,
                [this, field](qint64 value) { m_draft.faction.*field = value; });
        return edit;
    };
    m_credits = numberField(tr("Credits"), "credits", &Faction::credits);
    money->addSpacing(kStatsSpacing);
    m_xp = numberField(tr("XP"), "xp", &Faction::xp);
    money->addStretch(1);
    formLayout()->addLayout(money);
}

void FactionEditingView::buildTagsAndAssets()
{
    addHeading(tr("Tags"));
    auto *tagsRow = new QHBoxLayout;
    auto *tagsButton = new QToolButton(this);
    tagsButton->setObjectName(QStringLiteral("tagsButton"));
    tagsButton->setText(tr("Tags"));
    tagsButton->setPopupMode(QToolButton::InstantPopup);
    tagsButton->setFixedWidth(kTagsMenuWidth);
    m_tagsMenu = new QMenu(tagsButton);
    m_tagsMenu->setObjectName(QStringLiteral("tagsMenu"));
    for (const FactionTag tag : allCases<FactionTag>()) {
        QAction *action = m_tagsMenu->addAction(capitalizedWords(rawValue(tag)));
        connect(action, &QAction::triggered, this, [this, tag] {
            m_draft.toggleTag(tag);
            refresh();
        });
    }
    tagsButton->setMenu(m_tagsMenu);
    tagsRow->addWidget(tagsButton);
    m_tagsSummary = secondaryLabel(QString(), TextStyle::body, this);
    m_tagsSummary->setObjectName(QStringLiteral("tagsSummary"));
    m_tagsSummary->setWordWrap(true);
    tagsRow->addWidget(m_tagsSummary, 1);
    formLayout()->addLayout(tagsRow);

    addHeading(tr("Assets"));
    m_noAssets = secondaryLabel(tr("No assets"), TextStyle::body, this);
    m_noAssets->setObjectName(QStringLiteral("noAssets"));
    formLayout()->addWidget(m_noAssets);
    m_assetRows = new QVBoxLayout;
    formLayout()->addLayout(m_assetRows);
}

void FactionEditingView::buildAssetForm()
{
    formLayout()->addSpacing(5);
    m_addAsset = new DisclosureGroup(tr("Add Asset"), this);
    m_addAsset->setObjectName(QStringLiteral("addAssetGroup"));
    formLayout()->addWidget(m_addAsset);
    QVBoxLayout *form = m_addAsset->contentLayout();
    form->setContentsMargins(kAssetIndent, 0, 0, 0);
    form->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    const auto indented = [form](QWidget *control) {
        auto *row = new QHBoxLayout;
        row->setContentsMargins(kAssetControlIndent, 0, 0, 0);
        row->addWidget(control);
        row->addStretch(1);
        form->addLayout(row);
    };
    const auto textField = [this](const QString &title, const char *name, QString FactionAsset::*field) {
        auto *edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setPlaceholderText(title);
        connect(edit, &QLineEdit::textEdited, this, [this, field](const QString &text) {
            m_draft.asset.*field = text;
            refresh();
        });
        return edit;
    };
    const auto labelled = [this](const QString &title, QWidget *control) {
        auto *pair = new QWidget(this);
        auto *row = new QHBoxLayout(pair);
        row->setContentsMargins(0, 0, 0, 0);
        row->addWidget(new QLabel(title, pair));
        row->addWidget(control);
        return pair;
    };

    m_assetName = textField(tr("Name"), "assetName", &FactionAsset::name);
    form->addWidget(m_assetName);
    m_assetCategory = new QComboBox(this);
    m_assetCategory->setObjectName(QStringLiteral("assetCategory"));
    addCases<AssetCategory>(m_assetCategory);
    indented(labelled(tr("Category"), m_assetCategory));
    m_assetType = new QComboBox(this);
    m_assetType->setObjectName(QStringLiteral("assetType"));
    addCases<AssetType>(m_assetType);
    indented(labelled(tr("Type"), m_assetType));
    m_assetTL = new QComboBox(this);
    m_assetTL->setObjectName(QStringLiteral("assetTechLevel"));
    indented(labelled(tr("Tech Level"), m_assetTL));
    m_assetHP = new LabeledStepper([](qint64 value) { return tr("HP: %1").arg(value); }, 0, kMaximumHP, this);
    m_assetHP->setObjectName(QStringLiteral("assetHP"));
    indented(m_assetHP);
    m_assetCost = new IntegerField(tr("Cost"), kNumberWidth, this);
    m_assetCost->setObjectName(QStringLiteral("assetCost"));
    indented(labelled(tr("Cost"), m_assetCost));
    m_assetAttack = textField(tr("Attack"), "assetAttack", &FactionAsset::attack);
    indented(m_assetAttack);
    m_assetCounter = textField(tr("Counter"), "assetCounter", &FactionAsset::counter);
    indented(m_assetCounter);
    m_assetNote = textField(tr("Note"), "assetNote", &FactionAsset::note);
    indented(m_assetNote);
    m_addAssetButton = new QPushButton(tr("Add Asset"), this);
    m_addAssetButton->setObjectName(QStringLiteral("addAssetButton"));
    indented(m_addAssetButton);

    connect(m_assetCategory, &QComboBox::activated, this,
            [this] { m_draft.asset.category = chosenCase<AssetCategory>(m_assetCategory); });
    connect(m_assetType, &QComboBox::activated, this,
            [this] { m_draft.asset.type = chosenCase<AssetType>(m_assetType); });
    connect(m_assetTL, &QComboBox::activated, this,
            [this] { m_draft.asset.tl = chosenCase<TechnologyLevel>(m_assetTL); });
    connect(m_assetHP, &LabeledStepper::valueChanged, this,
            [this](qint64 value) { m_draft.asset.hp = value; });
    connect(m_assetCost, &IntegerField::valueCommitted, this,
            [this](qint64 value) { m_draft.asset.cost = value; });
    // Return in the name adds the asset, as the button would (nothing while it is disabled).
    connect(m_assetName, &QLineEdit::returnPressed, m_addAssetButton, &QAbstractButton::click);
    connect(m_addAssetButton, &QPushButton::clicked, this, [this] {
        if (m_draft.asset.name.isEmpty())
            return;
        m_draft.addAsset(travellerRules());
        showAssetFields();
        refresh();
    });
    // The picker comes on screen when the group opens: its scale is checked then.
    connect(m_addAsset->header(), &QToolButton::clicked, this, &FactionEditingView::syncTechLevelPicker);
}

// ---- Showing ----

void FactionEditingView::showDraft()
{
    const Faction &faction = m_draft.faction;
    m_name->setText(faction.name);
    m_short->setText(faction.shortName);
    showCase(m_category, faction.category);
    showCase(m_color, faction.color);
    if (m_description->notes() != faction.description)
        m_description->setNotes(faction.description);
    m_homeworld->setPosition(faction.homeworld);
    m_force->setValue(faction.force);
    m_cunning->setValue(faction.cunning);
    m_wealth->setValue(faction.wealth);
    m_hp->setValue(faction.hp);
    m_credits->setValue(faction.credits);
    m_xp->setValue(faction.xp);
    showAssetFields();
    refresh();
}

void FactionEditingView::showAssetFields()
{
    const FactionAsset &asset = m_draft.asset;
    m_assetName->setText(asset.name);
    showCase(m_assetCategory, asset.category);
    showCase(m_assetType, asset.type);
    m_assetHP->setValue(asset.hp);
    m_assetCost->setValue(asset.cost);
    m_assetAttack->setText(asset.attack);
    m_assetCounter->setText(asset.counter);
    m_assetNote->setText(asset.note);
    syncTechLevelPicker();
}

void FactionEditingView::syncTechLevelPicker()
{
    const bool traveller = travellerRules();
    if (m_addAsset->isExpanded())
        m_draft.syncAssetTechLevel(traveller);
    m_assetTL->clear();
    for (const TechnologyLevel level :
         technologyLevels(traveller ? TechnologyLevelSystem::traveller : TechnologyLevelSystem::swn))
        m_assetTL->addItem(rawValue(level), static_cast<int>(level));
    showCase(m_assetTL, m_draft.asset.tl);
}

void FactionEditingView::refresh()
{
    m_homeworldHeading->setText(tr("Homeworld: ") + m_draft.faction.homeworld.description());
    const QList<QAction *> tagActions = m_tagsMenu->actions();
    const auto tags = allCases<FactionTag>();
    for (qsizetype i = 0; i < tagActions.size(); ++i)
        setMenuMark(tagActions.at(i), m_draft.faction.tags.contains(tags.at(static_cast<std::size_t>(i))));
    m_tagsSummary->setText(m_draft.tagsSummary());
    m_addAssetButton->setEnabled(!m_draft.asset.name.isEmpty());
    refreshAssetRows();
    refreshChrome();
}

void FactionEditingView::refreshAssetRows()
{
    clearLayout(m_assetRows);
    const QList<FactionAsset> &assets = m_draft.faction.assets;
    m_noAssets->setVisible(assets.isEmpty());
    for (qsizetype position = 0; position < assets.size(); ++position) {
        const FactionAsset &asset = assets.at(position);
        auto *row = new QWidget(this);
        row->setObjectName(QStringLiteral("assetRow"));
        auto *lines = new QVBoxLayout(row);
        lines->setContentsMargins(0, 2, 0, 2);
        lines->setSpacing(0);
        auto *name = new ElidedLabel(asset.name, row);
        name->setObjectName(QStringLiteral("assetRowName"));
        lines->addWidget(name);
        lines->addWidget(secondaryLabel(capitalizedWords(rawValue(asset.category)) + QStringLiteral(" · ") +
                                            capitalizedWords(rawValue(asset.type)),
                                        TextStyle::caption, row));
        row->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(row, &QWidget::customContextMenuRequested, this, [this, row, position](const QPoint &at) {
            QMenu menu(this);
            QAction *remove = menu.addAction(QIcon::fromTheme(QStringLiteral("edit-delete")), tr("Delete"));
            // The row is rebuilt by the removal: not while its own signal runs.
            if (menu.exec(row->mapToGlobal(at)) == remove)
                QMetaObject::invokeMethod(
                    this, [this, position] { removeAsset(position); }, Qt::QueuedConnection);
        });
        m_assetRows->addWidget(row);
    }
}

void FactionEditingView::save()
{
    // After an append the working copy is empty again.
    if (m_draft.save(universe()) == MapObjectStore::Outcome::appended)
        showDraft();
    else
        refresh();
}
