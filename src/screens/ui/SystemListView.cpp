#include "SystemListView.h"

#include "SystemDetailView.h"
#include "SystemEditorView.h"
#include "SystemRowDelegate.h"
#include "model/Random.h"
#include "screens/SystemListModel.h"
#include "screens/SystemListProxy.h"
#include "ui/ContentUnavailableView.h"
#include "ui/ElidedLabel.h"
#include "ui/LiteralText.h"
#include "ui/Symbol.h"
#include "ui/WindowRouter.h"
#include "universe/StarfarerUniverse.h"

#include <QAction>
#include <QActionGroup>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QToolButton *menuButton(const QString &text, QMenu *menu, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setText(text);
    button->setMenu(menu);
    button->setPopupMode(QToolButton::InstantPopup);
    return button;
}

} // namespace

SystemListView::SystemListView(StarfarerUniverse *universe, WindowRouter *router, QWidget *parent)
    : QWidget(parent), m_universe(universe), m_router(router), m_source(new SystemListModel(universe, this)),
      m_model(new SystemListProxy(m_source, this)), m_navigation(new QStackedWidget(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_navigation);
    m_navigation->addWidget(buildRoot());
    // The empty states follow the rows.
    connect(m_model, &QAbstractItemModel::modelReset, this, &SystemListView::refreshContent);
    connect(m_model, &QAbstractItemModel::layoutChanged, this, &SystemListView::refreshContent);
    connect(m_model, &QAbstractItemModel::rowsInserted, this, &SystemListView::refreshContent);
    connect(m_model, &QAbstractItemModel::rowsRemoved, this, &SystemListView::refreshContent);
    refreshContent();
}

QWidget *SystemListView::buildRoot()
{
    auto *root = new QWidget;
    auto *layout = new QVBoxLayout(root);
    auto *bar = new QHBoxLayout;
    auto *title = new QLabel(tr("Systems"), root);
    QFont titleFont = title->font();
    titleFont.setBold(true);
    title->setFont(titleFont);
    bar->addWidget(title);
    m_search = new QLineEdit(root);
    m_search->setPlaceholderText(tr("Search systems"));
    m_search->setClearButtonEnabled(true);
    connect(m_search, &QLineEdit::textChanged, m_model, &SystemListProxy::setSearchText);
    bar->addWidget(m_search, 1);

    m_toolbarItems = new QWidget(root);
    auto *items = new QHBoxLayout(m_toolbarItems);
    items->setContentsMargins(0, 0, 0, 0);
    auto *reference = new QPushButton(tr("UWP Reference"), m_toolbarItems);
    connect(reference, &QPushButton::clicked, this, &SystemListView::openUWPReference);
    items->addWidget(reference);
    auto *dice = new QToolButton(m_toolbarItems);
    dice->setIcon(symbolIcon(Symbol::diceFill));
    dice->setToolTip(tr("Random System"));
    dice->setObjectName(QStringLiteral("randomSystem"));
    connect(dice, &QToolButton::clicked, this, &SystemListView::pickRandomSystem);
    items->addWidget(dice);
    m_sortMenu = new QMenu(m_toolbarItems);
    fillSortMenu();
    items->addWidget(menuButton(tr("Sort"), m_sortMenu, m_toolbarItems));
    m_subsectorMenu = new QMenu(m_toolbarItems);
    connect(m_subsectorMenu, &QMenu::aboutToShow, this, &SystemListView::fillSubsectorMenu);
    items->addWidget(menuButton(tr("Subsector"), m_subsectorMenu, m_toolbarItems));
    bar->addWidget(m_toolbarItems);
    layout->addLayout(bar);

    m_content = new QStackedWidget(root);
    m_noSystems = new ContentUnavailableView(tr("No Systems Saved"), Symbol::listStar,
                                             tr("Generate a system and tap Save to add it here."), m_content);
    m_noResults = new ContentUnavailableView(QString(), Symbol::magnifyingglass,
                                             tr("Check the spelling or try a new search."), m_content);
    m_list = new QListView(m_content);
    // Rows differ in height; laying out many thousands of them goes in batches so
    // the window stays responsive. Set before anything lays the list out, so that
    // its first layout goes in batches too.
    m_list->setLayoutMode(QListView::Batched);
    m_list->setBatchSize(500);
    m_list->setModel(m_model);
    m_list->setItemDelegate(new SystemRowDelegate(m_list));
    m_list->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    // A new search, order or filter shows its first rows, once the rows show it.
    connect(m_model, &SystemListProxy::shownChanged, m_list, &QListView::scrollToTop);
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_list, &QListView::clicked, this,
            [this](const QModelIndex &index) { showDetail(m_model->hexAt(index.row())); });
    connect(m_list, &QListView::customContextMenuRequested, this, [this](const QPoint &position) {
        const QModelIndex index = m_list->indexAt(position);
        if (!index.isValid())
            return;
        const QUuid id = index.data(SystemListModel::HexIDRole).toUuid();
        QMenu menu;
        menu.addAction(QIcon::fromTheme(QStringLiteral("edit-delete")), tr("Delete System"), this,
                       [this, id] { deleteSystem(id); });
        menu.exec(m_list->viewport()->mapToGlobal(position));
    });
    m_list->installEventFilter(this);
    m_content->addWidget(m_noSystems);
    m_content->addWidget(m_noResults);
    m_content->addWidget(m_list);
    layout->addWidget(m_content, 1);
    return root;
}

bool SystemListView::eventFilter(QObject *watched, QEvent *event)
{
    // The Delete key stands in for the swipe to delete; Return opens the row as a
    // click does.
    if (watched == m_list && event->type() == QEvent::KeyPress && m_list->currentIndex().isValid()) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const QModelIndex index = m_list->currentIndex();
        if (key->matches(QKeySequence::Delete)) {
            deleteSystem(index.data(SystemListModel::HexIDRole).toUuid());
            return true;
        }
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            showDetail(m_model->hexAt(index.row()));
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void SystemListView::fillSortMenu()
{
    m_sortMenu->addSection(tr("Sort By"));
    auto *group = new QActionGroup(m_sortMenu);
    for (const SystemSortRow &row : kSystemSortTable) {
        QAction *action = m_sortMenu->addAction(literalText(rawValue(row.value)));
        action->setCheckable(true);
        action->setChecked(row.value == m_model->sortOrder());
        action->setActionGroup(group);
        connect(action, &QAction::triggered, this, [this, order = row.value] { setSortOrder(order); });
    }
}

void SystemListView::fillSubsectorMenu()
{
    m_subsectorMenu->clear();
    m_subsectorMenu->addSection(tr("Subsector"));
    auto *group = new QActionGroup(m_subsectorMenu);
    const auto add = [&](const QString &text, const std::optional<SubsectorKey> &key) {
        QAction *action = m_subsectorMenu->addAction(literalText(text));
        action->setCheckable(true);
        action->setChecked(key == m_model->subsectorFilter());
        action->setActionGroup(group);
        connect(action, &QAction::triggered, this, [this, key] { setSubsectorFilter(key); });
    };
    add(tr("All Subsectors"), std::nullopt);
    for (const SubsectorKey &key : m_model->availableSubsectors())
        add(key.menuText(), key);
}

void SystemListView::setSearchText(const QString &text)
{
    m_search->setText(text);
}

void SystemListView::setSortOrder(SystemSort order)
{
    m_model->setSortOrder(order);
    for (QAction *action : m_sortMenu->actions()) {
        if (action->isCheckable())
            action->setChecked(action->iconText() == rawValue(order));
    }
}

void SystemListView::setSubsectorFilter(const std::optional<SubsectorKey> &filter)
{
    m_model->setSubsectorFilter(filter);
}

void SystemListView::deleteSystem(const QUuid &id)
{
    if (!m_universe)
        return;
    bool removed = false;
    while (m_universe->removeHex(id))
        removed = true;
    if (removed)
        m_universe->save();
}

void SystemListView::pickRandomSystem()
{
    if (!m_universe || m_universe->data().isEmpty())
        return;
    const HexList &data = m_universe->data();
    setSearchText(data[randomBelow(data.size())].starSystem.name);
}

void SystemListView::openUWPReference()
{
    if (m_router)
        m_router->openWindow(QString(WindowId::uwpReference));
}

void SystemListView::refreshContent()
{
    const bool empty = !m_universe || m_universe->data().isEmpty();
    m_toolbarItems->setVisible(!empty);
    if (empty) {
        m_content->setCurrentWidget(m_noSystems);
    } else if (m_model->rowCount() == 0) {
        // The search-unavailable view names the search as typed.
        auto *noResults = new ContentUnavailableView(
            tr("No Results for \u201C%1\u201D").arg(m_model->searchText()), Symbol::magnifyingglass,
            tr("Check the spelling or try a new search."), m_content);
        m_content->insertWidget(m_content->indexOf(m_noResults), noResults);
        m_content->removeWidget(m_noResults);
        m_noResults->deleteLater();
        m_noResults = noResults;
        m_content->setCurrentWidget(m_noResults);
    } else {
        m_content->setCurrentWidget(m_list);
    }
}

void SystemListView::push(QWidget *page, const QString &title)
{
    auto *frame = new QWidget;
    auto *layout = new QVBoxLayout(frame);
    auto *bar = new QHBoxLayout;
    auto *back = new QPushButton(QIcon::fromTheme(QStringLiteral("go-previous")), tr("Back"), frame);
    back->setObjectName(QStringLiteral("back"));
    connect(back, &QPushButton::clicked, this, &SystemListView::goBack);
    bar->addWidget(back);
    auto *heading = new ElidedLabel(title, frame);
    heading->setObjectName(QStringLiteral("pageTitle"));
    bar->addWidget(heading, 1);
    layout->addLayout(bar);
    layout->addWidget(page, 1);
    page->setParent(frame);
    m_navigation->addWidget(frame);
    m_navigation->setCurrentWidget(frame);
    frame->setProperty("page", QVariant::fromValue(static_cast<QObject *>(page)));
    if (auto *detail = qobject_cast<SystemDetailView *>(page)) {
        connect(detail, &SystemDetailView::titleChanged, heading, &ElidedLabel::setText);
        connect(detail, &SystemDetailView::editRequested, this, &SystemListView::showEditor);
    }
    if (auto *editor = qobject_cast<SystemEditorView *>(page)) {
        connect(editor, &SystemEditorView::titleChanged, heading, &ElidedLabel::setText);
        connect(editor, &SystemEditorView::dismissed, this, &SystemListView::goBack);
    }
}

void SystemListView::showDetail(const HexData &hex)
{
    auto *detail = new SystemDetailView(m_universe, hex, SystemDetailView::kViewWidth);
    push(detail, detail->systemName());
}

void SystemListView::showEditor(const EditRoute &route)
{
    auto *editor = new SystemEditorView(m_universe, route.hex.id);
    push(editor, editor->title());
}

QWidget *SystemListView::currentPage() const
{
    QWidget *frame = m_navigation->currentWidget();
    if (m_navigation->currentIndex() == 0)
        return frame;
    return qobject_cast<QWidget *>(frame->property("page").value<QObject *>());
}

void SystemListView::returnToStart()
{
    while (m_navigation->count() > 1)
        goBack();
    m_search->setText(QString());
    setSortOrder(SystemSort::coordinates);
    setSubsectorFilter(std::nullopt);
    m_list->selectionModel()->clear();
    m_list->scrollToTop();
}

void SystemListView::goBack()
{
    if (m_navigation->count() <= 1)
        return;
    QWidget *top = m_navigation->widget(m_navigation->count() - 1);
    m_navigation->removeWidget(top);
    top->deleteLater();
}
