#include "SystemSearchPopup.h"

#include "SystemEntryFilter.h"
#include "SystemEntryModel.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScreen>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

constexpr int kNarrowest = 360;
constexpr int kHeight = 340;

} // namespace

SystemSearchPopup::SystemSearchPopup(const StarfarerUniverse &universe, QWidget *parent)
    : QFrame(parent, Qt::Popup), m_universe(universe), m_model(new SystemEntryModel(this)),
      m_shown(new SystemEntryFilter(m_model, this)), m_search(new QLineEdit(this)),
      m_list(new QTreeView(this))
{
    setObjectName(QStringLiteral("systemSearchPopup"));
    setFrameShape(QFrame::StyledPanel);

    m_search->setObjectName(QStringLiteral("systemSearch"));
    m_search->setPlaceholderText(tr("Search systems"));
    m_search->setClearButtonEnabled(true);
    m_search->installEventFilter(this);
    connect(m_search, &QLineEdit::textChanged, this, &SystemSearchPopup::narrow);

    m_list->setObjectName(QStringLiteral("systemList"));
    m_list->setModel(m_shown);
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true); // a long list is laid out without measuring each row
    m_list->setHeaderHidden(true);
    m_list->setAllColumnsShowFocus(true);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setTextElideMode(Qt::ElideRight);
    m_list->header()->setStretchLastSection(false);
    m_list->header()->setSectionResizeMode(SystemEntryModel::nameColumn, QHeaderView::Stretch);
    m_list->header()->setSectionResizeMode(SystemEntryModel::hexColumn, QHeaderView::ResizeToContents);
    m_list->installEventFilter(this);
    connect(m_list, &QTreeView::clicked, this, [this](const QModelIndex &index) { choose(index.row()); });

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    layout->addWidget(m_search);
    layout->addWidget(m_list, 1);
}

void SystemSearchPopup::popUp(const QWidget *anchor, const GalacticCoordinates &current)
{
    m_model->fill(m_universe);
    m_search->clear();
    narrow(QString());
    const int row = m_model->rowAt(current);
    const QModelIndex currentIndex =
        row >= 0 ? m_shown->mapFromSource(m_model->index(row, 0)) : QModelIndex();
    if (currentIndex.isValid())
        m_list->setCurrentIndex(currentIndex);

    const QSize size(std::max(kNarrowest, anchor->width()), kHeight);
    QPoint at = anchor->mapToGlobal(QPoint(0, anchor->height()));
    if (const QScreen *screen = anchor->screen()) {
        const QRect room = screen->availableGeometry();
        if (at.y() + size.height() > room.bottom())
            at.setY(anchor->mapToGlobal(QPoint(0, 0)).y() - size.height());
        at.setX(std::clamp(at.x(), room.left(), std::max(room.left(), room.right() - size.width())));
        at.setY(std::max(at.y(), room.top()));
    }
    setGeometry(QRect(at, size));
    show();
    if (currentIndex.isValid())
        m_list->scrollTo(currentIndex, QAbstractItemView::PositionAtCenter);
    m_search->setFocus(Qt::PopupFocusReason);
}

void SystemSearchPopup::choose(int row)
{
    const QModelIndex index = m_shown->index(row, 0);
    if (!index.isValid())
        return;
    const auto coordinates = index.data(SystemEntryModel::CoordinatesRole).value<GalacticCoordinates>();
    hide();
    emit chosen(coordinates);
}

QStringList SystemSearchPopup::shownEntries() const
{
    QStringList entries;
    for (int row = 0; row < m_shown->rowCount(); ++row) {
        entries.append(m_shown->index(row, SystemEntryModel::nameColumn).data().toString() +
                       QStringLiteral(" · ") +
                       m_shown->index(row, SystemEntryModel::hexColumn).data().toString());
    }
    return entries;
}

bool SystemSearchPopup::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QFrame::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        choose(m_list->currentIndex().isValid() ? m_list->currentIndex().row() : 0);
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        // Moving through the list while the search field keeps the typing.
        if (watched == m_search) {
            QKeyEvent copy(key->type(), key->key(), key->modifiers(), key->text());
            QCoreApplication::sendEvent(m_list, &copy);
            return true;
        }
        break;
    default: break;
    }
    return QFrame::eventFilter(watched, event);
}

void SystemSearchPopup::hideEvent(QHideEvent *event)
{
    QFrame::hideEvent(event);
    m_model->clear();
}

void SystemSearchPopup::narrow(const QString &text)
{
    m_shown->setSearchText(text);
    if (!m_list->currentIndex().isValid() && m_shown->rowCount() > 0)
        m_list->setCurrentIndex(m_shown->index(0, 0));
}
