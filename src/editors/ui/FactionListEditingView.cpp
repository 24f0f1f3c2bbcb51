#include "FactionListEditingView.h"

#include "FactionCheckDelegate.h"
#include "FactionCheckListModel.h"
#include "universe/StarfarerUniverse.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kNameWidth = 300;
constexpr int kListHeight = 320;
constexpr int kListWidth = 360;

} // namespace

FactionListEditingView::FactionListEditingView(StarfarerUniverse &universe,
                                               const std::optional<FactionList> &list, QWidget *parent)
    : EditorForm(universe, {tr("Faction List Creation"), tr("Edit Faction List"), tr("Create List")}, parent),
      m_draft(list)
{
    setObjectName(QStringLiteral("factionListEditingView"));
    addHeading(tr("Name"));
    m_name = new QLineEdit(m_draft.name, this);
    m_name->setObjectName(QStringLiteral("listName"));
    m_name->setPlaceholderText(tr("List name"));
    m_name->setFixedWidth(kNameWidth);
    formLayout()->addWidget(m_name);
    connect(m_name, &QLineEdit::textEdited, this, [this](const QString &text) {
        m_draft.name = text;
        refreshChrome();
    });

    auto *factionsRow = new QHBoxLayout;
    auto *heading = new QLabel(tr("Factions"), this);
    heading->setContentsMargins(0, 5, 0, 0);
    factionsRow->addWidget(heading);
    m_selectedCount = secondaryLabel(QString(), TextStyle::caption, this);
    m_selectedCount->setObjectName(QStringLiteral("selectedCount"));
    factionsRow->addWidget(m_selectedCount, 0, Qt::AlignBottom);
    factionsRow->addStretch(1);
    formLayout()->addLayout(factionsRow);

    m_factions = new FactionCheckListModel(universe, m_draft, this);
    m_factionList = new QListView(this);
    m_factionList->setObjectName(QStringLiteral("factionCheckList"));
    m_factionList->setModel(m_factions);
    m_factionList->setItemDelegate(new FactionCheckDelegate(m_factionList));
    m_factionList->setFixedSize(kListWidth, kListHeight);
    formLayout()->addWidget(m_factionList);
    m_noFactions = secondaryLabel(tr("No factions yet — create factions first to add them to a list."),
                                  TextStyle::caption, this);
    m_noFactions->setObjectName(QStringLiteral("noFactions"));
    m_noFactions->setContentsMargins(0, 5, 0, 0);
    formLayout()->addWidget(m_noFactions);
    connect(m_factions, &FactionCheckListModel::selectionEdited, this, &FactionListEditingView::refresh);
    connect(m_factions, &QAbstractItemModel::modelReset, this, &FactionListEditingView::refresh);

    addActionButton();
    // Return in the name creates or saves the list, as the button would (nothing while
    // it is disabled).
    connect(m_name, &QLineEdit::returnPressed, actionButton(), &QAbstractButton::click);
    refresh();
}

void FactionListEditingView::save()
{
    m_draft.save(universe());
    if (m_name->text() != m_draft.name)
        m_name->setText(m_draft.name);
    m_factions->refreshChecks();
    refresh();
}

void FactionListEditingView::refresh()
{
    m_selectedCount->setText(tr("%1 selected").arg(m_draft.selectedFactionIDs.size()));
    const bool anyFaction = m_factions->rowCount() > 0;
    m_factionList->setVisible(anyFaction);
    m_noFactions->setVisible(!anyFaction);
    refreshChrome();
}
