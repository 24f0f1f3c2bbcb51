#include "MapObjectListModel.h"

#include "ui/Symbol.h"

MapObjectListModel::MapObjectListModel(MapObjectListSource &source, QObject *parent)
    : QAbstractListModel(parent), m_source(source)
{
    connect(&m_source, &MapObjectListSource::changed, this, &MapObjectListModel::reload);
    m_rows = m_source.rows();
    m_texts = m_source.texts();
}

void MapObjectListModel::reload()
{
    beginResetModel();
    m_rows = m_source.rows();
    m_texts = m_source.texts();
    endResetModel();
}

int MapObjectListModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    return static_cast<int>(m_rows.isEmpty() ? 2 : m_rows.size() + 1);
}

MapObjectListModel::Kind MapObjectListModel::kind(int row) const
{
    if (row == createRow())
        return Kind::create;
    return m_rows.isEmpty() ? Kind::empty : Kind::element;
}

int MapObjectListModel::rowOf(const QUuid &id) const
{
    for (qsizetype i = 0; i < m_rows.size(); ++i) {
        if (m_rows.at(i).id == id)
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
    const MapObjectRow &row = m_rows.at(index.row());
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
