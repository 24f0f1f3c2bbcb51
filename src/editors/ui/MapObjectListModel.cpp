#include "MapObjectListModel.h"

#include "ui/Symbol.h"
#include "universe/WorkerPools.h"

#include <utility>

MapObjectListModel::MapObjectListModel(MapObjectListSource &source, QObject *parent)
    : QAbstractListModel(parent), m_source(source)
{
    connect(&m_source, &MapObjectListSource::changed, this, &MapObjectListModel::sourceChanged);
    m_shown = shownRows(m_source.rows());
    m_texts = m_source.texts();
}

MapObjectListModel::~MapObjectListModel()
{
    freeOnWorker(std::move(m_shown));
}

void MapObjectListModel::sourceChanged()
{
    if (m_held)
        m_stale = true;
    else
        reload();
}

bool MapObjectListModel::release()
{
    m_held = false;
    if (!std::exchange(m_stale, false))
        return false;
    reload();
    return true;
}

void MapObjectListModel::reload()
{
    QList<std::optional<MapObjectRow>> next = shownRows(m_source.rows());
    const auto sameKey = [](const std::optional<MapObjectRow> &a, const std::optional<MapObjectRow> &b) {
        return a.has_value() == b.has_value() && (!a || a->id == b->id);
    };
    // The rows both lists begin and end with stay; what lies between is replaced.
    const qsizetype before = m_shown.size();
    qsizetype head = 0;
    while (head < before && head < next.size() && sameKey(m_shown[head], next[head]))
        ++head;
    qsizetype tail = 0;
    while (tail < before - head && tail < next.size() - head &&
           sameKey(m_shown[before - 1 - tail], next[next.size() - 1 - tail]))
        ++tail;
    if (const qsizetype removed = before - head - tail; removed > 0) {
        beginRemoveRows({}, int(head), int(head + removed - 1));
        m_shown.remove(head, removed);
        endRemoveRows();
    }
    if (const qsizetype inserted = next.size() - head - tail; inserted > 0) {
        beginInsertRows({}, int(head), int(head + inserted - 1));
        m_shown.insert(head, inserted, std::nullopt);
        std::copy(next.cbegin() + head, next.cbegin() + head + inserted, m_shown.begin() + head);
        endInsertRows();
    }
    for (qsizetype i = 0; i < m_shown.size(); ++i) {
        if (m_shown[i] != next[i]) {
            m_shown[i] = std::move(next[i]);
            emit dataChanged(index(int(i)), index(int(i)));
        }
    }
    if (const MapObjectListTexts texts = m_source.texts(); !(texts == m_texts)) {
        m_texts = texts;
        emit dataChanged(index(0), index(rowCount() - 1));
    }
}

QList<std::optional<MapObjectRow>> MapObjectListModel::shownRows(const QList<MapObjectRow> &rows)
{
    if (rows.isEmpty())
        return {std::nullopt};
    return QList<std::optional<MapObjectRow>>(rows.cbegin(), rows.cend());
}

int MapObjectListModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    return static_cast<int>(m_shown.size() + 1);
}

MapObjectListModel::Kind MapObjectListModel::kind(int row) const
{
    if (row == createRow())
        return Kind::create;
    return m_shown.at(row) ? Kind::element : Kind::empty;
}

int MapObjectListModel::rowOf(const QUuid &id) const
{
    for (qsizetype i = 0; i < m_shown.size(); ++i) {
        if (m_shown.at(i) && m_shown.at(i)->id == id)
            return static_cast<int>(i);
    }
    return -1;
}

QVariant MapObjectListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const Kind rowKind = kind(index.row());
    if (role == KindRole)
        return static_cast<int>(rowKind);
    switch (rowKind) {
    case Kind::create:
        if (role == Qt::DisplayRole)
            return m_texts.newRow;
        if (role == Qt::DecorationRole)
            return symbolIcon(Symbol::plus);
        return {};
    case Kind::empty: return role == Qt::DisplayRole ? QVariant(m_texts.emptyText) : QVariant();
    case Kind::element: break;
    }
    const MapObjectRow &row = *m_shown.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole: return row.title;
    case IdRole: return row.id;
    case PositionRole: return QVariant::fromValue(row.position);
    case DetailsRole: return row.details;
    case DotRole: return row.dot ? QVariant(*row.dot) : QVariant();
    default: return {};
    }
}

Qt::ItemFlags MapObjectListModel::flags(const QModelIndex &index) const
{
    if (!index.isValid() || kind(index.row()) == Kind::empty)
        return Qt::ItemIsEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}
