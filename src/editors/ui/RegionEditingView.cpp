#include "RegionEditingView.h"

#include "CornerDiagram.h"
#include "HexPositionPicker.h"
#include "LabeledStepper.h"
#include "RegionAnchorDelegate.h"
#include "editors/RegionAnchorListModel.h"
#include "model/CapitalizedWords.h"
#include "ui/ColorMark.h"
#include "ui/PaletteColor.h"
#include "ui/Symbol.h"
#include "universe/UniverseChanges.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPushButton>

namespace {

constexpr int kNameWidth = 300;
constexpr int kColorWidth = 220;
constexpr int kRowSpacing = 40;
constexpr int kPickerSpacing = 20;
constexpr int kAnchorListHeight = 180;
constexpr int kSectionSpace = 5;

} // namespace

RegionEditingView::RegionEditingView(StarfarerUniverse &universe, const std::optional<Region> &region,
                                     QWidget *parent)
    : EditorForm(universe, {tr("Region Creation"), tr("Edit Region"), tr("Create Region")}, parent),
      m_draft(region)
{
    setObjectName(QStringLiteral("regionEditingView"));
    m_name = addTextField(tr("Name"), QStringLiteral("regionName"), tr("Region name"), kNameWidth);
    connect(m_name, &QLineEdit::textEdited, this, [this](const QString &text) { m_draft.name = text; });

    auto *row = new QHBoxLayout;
    row->setSpacing(kRowSpacing);
    row->setContentsMargins(0, kSectionSpace, 0, 0);
    auto *colorRow = new QHBoxLayout;
    colorRow->addWidget(new QLabel(tr("Color"), this));
    m_color = new QComboBox(this);
    m_color->setObjectName(QStringLiteral("regionColor"));
    for (const FactionColor entry : allCases<FactionColor>())
        m_color->addItem(colorDotIcon(paletteColor(entry)), capitalizedWords(rawValue(entry)),
                         static_cast<int>(entry));
    m_color->setFixedWidth(kColorWidth);
    colorRow->addWidget(m_color);
    row->addLayout(colorRow);
    m_closed = new QCheckBox(tr("Closed loop"), this);
    m_closed->setObjectName(QStringLiteral("closedLoop"));
    row->addWidget(m_closed);
    row->addStretch(1);
    formLayout()->addLayout(row);
    connect(m_color, &QComboBox::activated, this,
            [this] { m_draft.color = static_cast<FactionColor>(m_color->currentData().toInt()); });
    connect(m_closed, &QCheckBox::toggled, this, [this](bool on) { m_draft.closed = on; });

    buildAnchors();
    buildLabel();
    addActionButton();
    showDraft();
}

void RegionEditingView::buildAnchors()
{
    addHeading(tr("Anchors"));
    m_nextAnchor = secondaryLabel(QString(), TextStyle::body, this);
    m_nextAnchor->setObjectName(QStringLiteral("nextAnchor"));
    formLayout()->addWidget(m_nextAnchor);

    auto *pickerRow = new QHBoxLayout;
    pickerRow->setSpacing(kPickerSpacing);
    m_nextPicker = new HexPositionPicker(universe(), true, HexPositionPicker::FieldOrder::columnFirst, this);
    pickerRow->addWidget(m_nextPicker);
    pickerRow->addStretch(1);
    formLayout()->addLayout(pickerRow);
    connect(m_nextPicker, &HexPositionPicker::positionChanged, this, [this](const GalacticCoordinates &hex) {
        m_draft.next = hex;
        refresh();
    });

    auto *cornerRow = new QHBoxLayout;
    cornerRow->setSpacing(kPickerSpacing);
    auto *cornerColumn = new QVBoxLayout;
    m_corner = new LabeledStepper([](qint64 value) { return tr("Corner: %1").arg(value + 1); }, 0,
                                  RegionDraft::kCornerCount - 1, this);
    m_corner->setObjectName(QStringLiteral("cornerStepper"));
    cornerColumn->addWidget(m_corner, 0, Qt::AlignLeft);
    auto *add = new QPushButton(symbolIcon(Symbol::plus), tr("Add Anchor"), this);
    add->setObjectName(QStringLiteral("addAnchor"));
    cornerColumn->addWidget(add, 0, Qt::AlignLeft);
    cornerRow->addLayout(cornerColumn);
    m_diagram = new CornerDiagram(this);
    cornerRow->addWidget(m_diagram);
    cornerRow->addStretch(1);
    formLayout()->addLayout(cornerRow);
    connect(m_corner, &LabeledStepper::valueChanged, this, [this](qint64 corner) {
        m_draft.corner = corner;
        refresh();
    });
    connect(add, &QPushButton::clicked, this, &RegionEditingView::addAnchor);

    m_noAnchors =
        secondaryLabel(tr("No anchors yet — add at least two to trace a border."), TextStyle::caption, this);
    m_noAnchors->setObjectName(QStringLiteral("noAnchors"));
    m_noAnchors->setContentsMargins(0, kSectionSpace, 0, 0);
    formLayout()->addWidget(m_noAnchors);

    m_anchorModel = new RegionAnchorListModel(universe(), m_draft, this);
    m_anchorList = new QListView(this);
    m_anchorList->setObjectName(QStringLiteral("anchorList"));
    m_anchorList->setModel(m_anchorModel);
    m_anchorList->setItemDelegate(new RegionAnchorDelegate(m_anchorList));
    m_anchorList->setFixedHeight(kAnchorListHeight);
    m_anchorList->setMinimumWidth(kNameWidth);
    m_anchorList->setDragDropMode(QAbstractItemView::InternalMove);
    m_anchorList->setDefaultDropAction(Qt::MoveAction);
    m_anchorList->setContextMenuPolicy(Qt::CustomContextMenu);
    m_anchorList->installEventFilter(this);
    formLayout()->addWidget(m_anchorList);
    connect(m_anchorList, &QWidget::customContextMenuRequested, this, &RegionEditingView::showAnchorMenu);
    connect(m_anchorModel, &RegionAnchorListModel::anchorsMoved, this, &RegionEditingView::refresh);
    // A stored system changes the names in the rows.
    UniverseChanges::onHexesAt(
        &universe(), m_anchorModel,
        [this] {
            QList<GalacticCoordinates> hexes;
            for (const RegionAnchor &anchor : m_draft.anchors)
                hexes.append(anchor.hex);
            return hexes;
        },
        [this] { m_anchorModel->reload(); });
}

void RegionEditingView::buildLabel()
{
    addHeading(tr("Name Label"));
    m_useCustomLabel = new QCheckBox(tr("Custom label position"), this);
    m_useCustomLabel->setObjectName(QStringLiteral("customLabel"));
    formLayout()->addWidget(m_useCustomLabel);
    m_centreNote = secondaryLabel(tr("Name drawn at the center of the anchors."), TextStyle::caption, this);
    formLayout()->addWidget(m_centreNote);

    m_labelBlock = new QWidget(this);
    auto *block = new QVBoxLayout(m_labelBlock);
    block->setContentsMargins(0, 0, 0, 0);
    auto *pickerRow = new QHBoxLayout;
    pickerRow->setSpacing(kPickerSpacing);
    m_labelPicker =
        new HexPositionPicker(universe(), true, HexPositionPicker::FieldOrder::columnFirst, m_labelBlock);
    pickerRow->addWidget(m_labelPicker);
    pickerRow->addStretch(1);
    block->addLayout(pickerRow);
    m_labelCaption = secondaryLabel(QString(), TextStyle::caption, m_labelBlock);
    m_labelCaption->setObjectName(QStringLiteral("labelCaption"));
    block->addWidget(m_labelCaption);
    formLayout()->addWidget(m_labelBlock);
    connect(m_useCustomLabel, &QCheckBox::toggled, this, [this](bool on) {
        m_draft.useCustomLabel = on;
        refresh();
    });
    connect(m_labelPicker, &HexPositionPicker::positionChanged, this, [this](const GalacticCoordinates &hex) {
        m_draft.label = hex;
        refresh();
    });
}

QString RegionEditingView::nextAnchorText() const
{
    return m_nextAnchor->text();
}

QString RegionEditingView::labelCaption() const
{
    return m_labelCaption->text();
}

void RegionEditingView::addAnchor()
{
    m_draft.addAnchor();
    m_anchorModel->reload();
    refresh();
}

void RegionEditingView::deleteAnchor(qsizetype position)
{
    m_draft.deleteAnchor(position);
    m_anchorModel->reload();
    refresh();
}

void RegionEditingView::save()
{
    m_draft.save(universe());
    showDraft();
}

// The Delete key stands in for the swipe delete of the anchor rows.
bool RegionEditingView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_anchorList && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(event)->matches(QKeySequence::Delete)) {
        QList<qsizetype> positions;
        for (const QModelIndex &index : m_anchorList->selectionModel()->selectedIndexes())
            positions.append(index.row());
        m_draft.deleteAnchors(positions);
        m_anchorModel->reload();
        refresh();
        return true;
    }
    return EditorForm::eventFilter(watched, event);
}

void RegionEditingView::showAnchorMenu(const QPoint &position)
{
    const QModelIndex index = m_anchorList->indexAt(position);
    if (!index.isValid())
        return;
    QMenu menu(this);
    QAction *remove = menu.addAction(QIcon::fromTheme(QStringLiteral("edit-delete")), tr("Delete"));
    if (menu.exec(m_anchorList->viewport()->mapToGlobal(position)) == remove)
        deleteAnchor(index.row());
}

void RegionEditingView::showDraft()
{
    if (m_name->text() != m_draft.name)
        m_name->setText(m_draft.name);
    m_color->setCurrentIndex(m_color->findData(static_cast<int>(m_draft.color)));
    m_closed->setChecked(m_draft.closed);
    m_nextPicker->setPosition(m_draft.next);
    m_corner->setValue(m_draft.corner);
    m_useCustomLabel->setChecked(m_draft.useCustomLabel);
    m_labelPicker->setPosition(m_draft.label);
    m_anchorModel->reload();
    refresh();
}

void RegionEditingView::refresh()
{
    m_nextAnchor->setText(RegionAnchorListModel::anchorText(m_draft.next, m_draft.corner));
    m_diagram->setSelected(m_draft.corner);
    const bool anyAnchor = !m_draft.anchors.isEmpty();
    m_noAnchors->setVisible(!anyAnchor);
    m_anchorList->setVisible(anyAnchor);
    m_centreNote->setVisible(!m_draft.useCustomLabel);
    m_labelBlock->setVisible(m_draft.useCustomLabel);
    m_labelCaption->setText(tr("Name drawn at %1").arg(m_draft.label.description()));
    refreshChrome();
}
