#include "NebulaEditingView.h"

#include "HexPositionPicker.h"
#include "PositionArea.h"
#include "editors/SystemNames.h"
#include "ui/ElidedLabel.h"
#include "ui/Symbol.h"
#include "universe/UniverseChanges.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>

#include <algorithm>

namespace {

constexpr int kNameWidth = 300;
constexpr int kTypeWidth = 260;
constexpr int kListHeight = 160;
constexpr int kSectionSpace = 5;

} // namespace

NebulaEditingView::NebulaEditingView(StarfarerUniverse &universe, const std::optional<Nebula> &nebula,
                                     QWidget *parent)
    : EditorForm(universe, {tr("Nebula Creation"), tr("Edit Nebula"), tr("Create Nebula")}, parent),
      m_draft(nebula)
{
    setObjectName(QStringLiteral("nebulaEditingView"));
    m_name = addTextField(tr("Name"), QStringLiteral("nebulaName"), tr("Nebula name"), kNameWidth);
    connect(m_name, &QLineEdit::textEdited, this, [this](const QString &name) { m_draft.name = name; });

    addHeading(tr("Type"));
    auto *typeRow = new QHBoxLayout;
    m_type = new QComboBox(this);
    m_type->setObjectName(QStringLiteral("type"));
    m_type->setToolTip(tr("Type"));
    m_type->setFixedWidth(kTypeWidth);
    for (const NebulaType type : allCases<NebulaType>())
        m_type->addItem(displayText(type), static_cast<int>(type));
    typeRow->addWidget(m_type);
    typeRow->addStretch(1);
    formLayout()->addLayout(typeRow);
    connect(m_type, &QComboBox::activated, this,
            [this] { m_draft.type = static_cast<NebulaType>(m_type->currentData().toInt()); });

    addHeading(tr("Hexes"));
    addHexArea();

    m_noHexes = secondaryLabel(tr("No hexes yet — add at least one hex to define the nebula."),
                               TextStyle::caption, this);
    m_noHexes->setObjectName(QStringLiteral("noHexes"));
    m_noHexes->setContentsMargins(0, kSectionSpace, 0, 0);
    formLayout()->addWidget(m_noHexes);
    m_hexList = new QListWidget(this);
    m_hexList->setObjectName(QStringLiteral("hexList"));
    m_hexList->setFixedHeight(kListHeight);
    m_hexList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_hexList->setContextMenuPolicy(Qt::CustomContextMenu);
    m_hexList->installEventFilter(this);
    formLayout()->addWidget(m_hexList);
    connect(m_hexList, &QWidget::customContextMenuRequested, this, &NebulaEditingView::showContextMenu);

    addActionButton();
    // The names beside the hexes follow the stored systems.
    UniverseChanges::onHexesAt(
        &universe, this, [this] { return m_draft.hexes + QList<GalacticCoordinates>{m_draft.position}; },
        [this] {
            showSystemNames();
            refresh();
        });
    showDraft();
}

void NebulaEditingView::addHexArea()
{
    const PositionArea area = PositionArea::add(formLayout(), universe(), this);
    m_positionCaption = area.caption;
    m_picker = area.picker;
    connect(m_picker, &HexPositionPicker::positionChanged, this, [this](const GalacticCoordinates &position) {
        m_draft.position = position;
        refresh();
    });

    m_addHex = new QPushButton(symbolIcon(Symbol::plus), tr("Add Hex"), this);
    m_addHex->setObjectName(QStringLiteral("addHex"));
    formLayout()->addWidget(m_addHex, 0, Qt::AlignLeft);
    connect(m_addHex, &QPushButton::clicked, this, [this] {
        m_draft.addHex();
        showHexes();
    });
}

void NebulaEditingView::removeHexRow(int row)
{
    if (row < 0 || row >= m_draft.hexes.size())
        return;
    m_draft.removeHex(m_draft.hexes.at(row));
    showHexes(row);
}

void NebulaEditingView::save()
{
    m_draft.save(universe());
    showDraft();
}

// The Delete key stands in for the swipe delete of the selected hex rows.
bool NebulaEditingView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_hexList && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(event)->matches(QKeySequence::Delete)) {
        QList<qsizetype> places;
        for (const QModelIndex &index : m_hexList->selectionModel()->selectedRows())
            places.append(index.row());
        if (places.isEmpty())
            return true;
        m_draft.removeHexesAt(places);
        // The row after the first one removed takes its place.
        showHexes(int(*std::min_element(places.cbegin(), places.cend())));
        return true;
    }
    return EditorForm::eventFilter(watched, event);
}

void NebulaEditingView::showContextMenu(const QPoint &position)
{
    const int row = m_hexList->indexAt(position).row();
    if (row < 0)
        return;
    QMenu menu(this);
    QAction *remove = menu.addAction(QIcon::fromTheme(QStringLiteral("edit-delete")), tr("Delete"));
    if (menu.exec(m_hexList->viewport()->mapToGlobal(position)) == remove)
        removeHexRow(row);
}

void NebulaEditingView::showDraft()
{
    if (m_name->text() != m_draft.name)
        m_name->setText(m_draft.name);
    m_type->setCurrentIndex(m_type->findData(static_cast<int>(m_draft.type)));
    m_picker->setPosition(m_draft.position);
    showHexes();
}

void NebulaEditingView::showHexes(std::optional<int> current)
{
    m_hexList->clear();
    for (const GalacticCoordinates &hex : m_draft.hexes) {
        auto *item = new QListWidgetItem(m_hexList);
        auto *line = new QWidget(m_hexList);
        auto *layout = new QHBoxLayout(line);
        layout->setContentsMargins(4, 2, 4, 2);
        auto *label = new QLabel(hex.description(), line);
        label->setTextFormat(Qt::PlainText);
        layout->addWidget(label);
        ElidedLabel *name = secondaryName(SystemNames::systemName(universe(), hex), TextStyle::body, line);
        name->setObjectName(QStringLiteral("systemName"));
        layout->addWidget(name, 1);
        layout->addStretch(1);
        item->setSizeHint(line->sizeHint());
        m_hexList->setItemWidget(item, line);
    }
    // After a removal the list keeps its place, at the row that took the removed one's
    // place (the last row, when the last went): current and chosen, so that the list
    // shows its focus mark there and Delete acts on it next.
    if (current && m_hexList->count() > 0)
        m_hexList->setCurrentRow(std::min(*current, m_hexList->count() - 1));
    const bool focusLeavesTheList = m_hexList->hasFocus() && m_draft.hexes.isEmpty();
    refresh();
    // The last hex gone, the list hides: the focus stays in the form, on the button that
    // adds the next hex (on the name where none can be added), and not wherever Qt
    // would send it. It moves without Tab, perhaps after a row chosen with the mouse:
    // the window is told to show the mark, as after Tab.
    if (focusLeavesTheList) {
        window()->setAttribute(Qt::WA_KeyboardFocusChange);
        (m_addHex->isEnabled() ? static_cast<QWidget *>(m_addHex) : m_name)->setFocus(Qt::TabFocusReason);
    }
    m_noHexes->setVisible(m_draft.hexes.isEmpty());
    m_hexList->setVisible(!m_draft.hexes.isEmpty());
}

void NebulaEditingView::showSystemNames()
{
    for (int row = 0; row < m_hexList->count(); ++row) {
        QWidget *line = m_hexList->itemWidget(m_hexList->item(row));
        if (auto *name = line->findChild<ElidedLabel *>(QStringLiteral("systemName")))
            name->setText(SystemNames::systemName(universe(), m_draft.hexes.at(row)));
    }
}

void NebulaEditingView::refresh()
{
    m_positionCaption->setText(m_draft.position.description());
    m_addHex->setEnabled(m_draft.canAddHex());
    refreshChrome();
}
