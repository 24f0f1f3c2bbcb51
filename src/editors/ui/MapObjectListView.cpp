#include "MapObjectListView.h"

#include "MapObjectListModel.h"
#include "MapObjectRowDelegate.h"
#include "editors/MapObjectListSource.h"
#include "ui/ContentUnavailableView.h"
#include "ui/TextStyle.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QMenu>

namespace {

constexpr int kFilterMargin = 8;

} // namespace

MapObjectListView::MapObjectListView(MapObjectListSource *source, EmptyState emptyState,
                                     EditorFactory makeEditor, QWidget *parent,
                                     const QList<QWidget *> &filters)
    : QWidget(parent), m_source(source), m_emptyState(std::move(emptyState)),
      m_makeEditor(std::move(makeEditor))
{
    m_source->setParent(this);
    // Rows the model removes take their selection with them: that is no choice of the
    // user's. Connected before the model, so that it runs before the model updates.
    connect(m_source, &MapObjectListSource::changed, this, [this] { m_syncing = true; });
    m_model = new MapObjectListModel(*m_source, this);

    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);

    auto *listPane = new QWidget(this);
    listPane->setFixedWidth(kListWidth);
    auto *listColumn = new QVBoxLayout(listPane);
    listColumn->setContentsMargins(0, 0, 0, 0);
    // Put on the list's pane before the list is made, so that Tab goes through them
    // first, as they stand above it.
    for (QWidget *filter : filters) {
        filter->setParent(listPane);
        auto *margins = new QVBoxLayout;
        margins->setContentsMargins(kFilterMargin, kFilterMargin, kFilterMargin, 0);
        margins->addWidget(filter);
        listColumn->addLayout(margins);
    }
    m_sectionTitle = new QLabel(listPane);
    m_sectionTitle->setObjectName(QStringLiteral("sectionTitle"));
    m_sectionTitle->setTextFormat(Qt::PlainText);
    m_sectionTitle->setFont(textFont(TextStyle::subheadline, false, true));
    m_sectionTitle->setContentsMargins(8, 8, 8, 0);
    listColumn->addWidget(m_sectionTitle);
    m_list = new QListView(listPane);
    m_list->setObjectName(QStringLiteral("objectList"));
    m_list->setModel(m_model);
    m_list->setItemDelegate(new MapObjectRowDelegate(m_list));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setFrameShape(QFrame::NoFrame);
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    m_list->setUniformItemSizes(false);
    listColumn->addWidget(m_list, 1);
    row->addWidget(listPane);

    auto *divider = new QFrame(this);
    divider->setFrameShape(QFrame::VLine);
    divider->setFrameShadow(QFrame::Plain);
    row->addWidget(divider);

    auto *detailPane = new QWidget(this);
    m_detailLayout = new QVBoxLayout(detailPane);
    m_detailLayout->setContentsMargins(0, 0, 0, 0);
    row->addWidget(detailPane, 1);

    connect(m_list, &QWidget::customContextMenuRequested, this, &MapObjectListView::showContextMenu);
    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (m_syncing)
            return;
        const QModelIndexList chosen = m_list->selectionModel()->selectedIndexes();
        if (chosen.isEmpty()) {
            m_selection.reset();
        } else if (m_model->kind(chosen.first().row()) == MapObjectListModel::Kind::create) {
            m_selection = Selection{};
        } else {
            m_selection = Selection{chosen.first().data(MapObjectListModel::IdRole).toUuid()};
        }
        showDetail();
    });
    connect(m_source, &MapObjectListSource::changed, this, [this] {
        m_syncing = false;
        if (!m_model->isHeld())
            followSource();
    });
    m_list->installEventFilter(this);

    refreshTexts();
    syncListSelection();
    showDetail();
}

QString MapObjectListView::sectionTitle() const
{
    return m_sectionTitle->text();
}

void MapObjectListView::select(const std::optional<Selection> &selection)
{
    m_selection = selection;
    syncListSelection();
    showDetail();
}

void MapObjectListView::returnToStart()
{
    m_selection = Selection{};
    // The "New" row becomes current anew, so that the list, like a new one, scrolls to
    // it when it shows.
    m_list->selectionModel()->clearCurrentIndex();
    syncListSelection();
    showDetail(true);
}

void MapObjectListView::deleteWithID(const QUuid &id)
{
    m_source->removeWithID(id);
    select(Selection{});
}

void MapObjectListView::deleteRow(int row)
{
    if (!m_source->texts().swipeDelete || m_model->kind(row) != MapObjectListModel::Kind::element)
        return;
    const qsizetype position = m_model->index(row).data(MapObjectListModel::PositionRole).value<qsizetype>();
    m_source->removeAt({position});
    select(Selection{});
}

// The Delete key stands in for the swipe delete of the list's rows. The list catches
// up before it handles its own show event, in which it scrolls to its current row.
bool MapObjectListView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_list && event->type() == QEvent::Hide)
        m_model->hold();
    else if (watched == m_list && event->type() == QEvent::Show)
        catchUp();
    if (watched == m_list && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(event)->matches(QKeySequence::Delete)) {
        const QModelIndex current = m_list->currentIndex();
        if (current.isValid() && m_list->selectionModel()->isSelected(current))
            deleteRow(current.row());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void MapObjectListView::catchUp()
{
    m_syncing = true;
    const bool caughtUp = m_model->release();
    m_syncing = false;
    if (caughtUp)
        followSource();
}

void MapObjectListView::followSource()
{
    refreshTexts();
    syncListSelection();
}

void MapObjectListView::showContextMenu(const QPoint &position)
{
    const QModelIndex index = m_list->indexAt(position);
    if (!index.isValid() || m_model->kind(index.row()) != MapObjectListModel::Kind::element)
        return;
    const QUuid id = index.data(MapObjectListModel::IdRole).toUuid();
    QMenu menu(this);
    QAction *remove = menu.addAction(QIcon::fromTheme(QStringLiteral("edit-delete")), tr("Delete"));
    if (menu.exec(m_list->viewport()->mapToGlobal(position)) == remove)
        deleteWithID(id);
}

void MapObjectListView::refreshTexts()
{
    m_sectionTitle->setText(m_source->texts().sectionTitle);
}

// Shows the selection in the list without treating it as the user's choice.
void MapObjectListView::syncListSelection()
{
    m_syncing = true;
    int row = -1;
    if (m_selection)
        row = m_selection->element ? m_model->rowOf(*m_selection->element) : m_model->createRow();
    if (row >= 0)
        m_list->selectionModel()->setCurrentIndex(m_model->index(row), QItemSelectionModel::ClearAndSelect);
    else
        m_list->selectionModel()->clearSelection();
    m_syncing = false;
}

void MapObjectListView::showDetail(bool remake)
{
    if (m_detail && m_detailSelection == m_selection && !remake)
        return;
    QWidget *detail = m_selection ? m_makeEditor(m_selection->element)
                                  : new ContentUnavailableView(m_emptyState.title, m_emptyState.symbol,
                                                               m_emptyState.message);
    if (m_detail) {
        m_detailLayout->removeWidget(m_detail);
        m_detail->hide();
        m_detail->deleteLater();
    }
    m_detailLayout->addWidget(detail);
    m_detail = detail;
    m_detailSelection = m_selection;
}
