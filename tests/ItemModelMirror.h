#pragma once

// What a view knows of a flat list model: a copy of its rows kept only from the
// signals the model emits, as a view keeps its own. After any change, a model that
// told its views everything reads the same as this copy; a row changed without
// dataChanged, a row inserted at the wrong place or a move not told leaves the copy
// behind and shows up in the comparison.

#include <QAbstractItemModel>
#include <QPersistentModelIndex>
#include <QStringList>

#include <functional>

class ItemModelMirror
{
public:
    // How a test writes down one role of a row, for comparing; by default the value's
    // text, or its list of texts.
    using Reader = std::function<QString(const QModelIndex &index, int role)>;

    ItemModelMirror(QAbstractItemModel &model, QList<int> roles, Reader reader = plainText)
        : m_model(model), m_roles(std::move(roles)), m_reader(std::move(reader))
    {
        m_rows = read();
        using M = QAbstractItemModel;
        m_connections = {
            QObject::connect(&model, &M::rowsInserted,
                             [this](const QModelIndex &, int first, int last) {
                                 for (int row = first; row <= last; ++row)
                                     m_rows.insert(row, readRow(row));
                             }),
            QObject::connect(
                &model, &M::rowsRemoved,
                [this](const QModelIndex &, int first, int last) { m_rows.remove(first, last - first + 1); }),
            QObject::connect(&model, &M::rowsMoved,
                             [this](const QModelIndex &, int first, int last, const QModelIndex &, int to) {
                                 const QList<QStringList> moved = m_rows.mid(first, last - first + 1);
                                 m_rows.remove(first, moved.size());
                                 const int at = to > last ? to - int(moved.size()) : to;
                                 for (int i = 0; i < moved.size(); ++i)
                                     m_rows.insert(at + i, moved[i]);
                             }),
            QObject::connect(
                &model, &M::dataChanged,
                [this](const QModelIndex &topLeft, const QModelIndex &bottomRight, const QList<int> &roles) {
                    for (int row = topLeft.row(); row <= bottomRight.row(); ++row) {
                        for (int i = 0; i < m_roles.size(); ++i) {
                            if (roles.isEmpty() || roles.contains(m_roles[i]))
                                m_rows[row][i] = m_reader(m_model.index(row, 0), m_roles[i]);
                        }
                    }
                }),
            QObject::connect(&model, &M::layoutAboutToBeChanged,
                             [this] {
                                 m_beforeLayout.clear();
                                 for (int row = 0; row < m_model.rowCount(); ++row)
                                     m_beforeLayout.append(QPersistentModelIndex(m_model.index(row, 0)));
                             }),
            // A row that stays keeps what this copy knew of it; a row new to the layout
            // is read.
            QObject::connect(&model, &M::layoutChanged,
                             [this] {
                                 QList<QStringList> rows(m_model.rowCount());
                                 QList<bool> known(rows.size(), false);
                                 for (int before = 0; before < m_beforeLayout.size(); ++before) {
                                     const QPersistentModelIndex &now = m_beforeLayout[before];
                                     if (now.isValid() && before < m_rows.size()) {
                                         rows[now.row()] = m_rows[before];
                                         known[now.row()] = true;
                                     }
                                 }
                                 for (int row = 0; row < rows.size(); ++row) {
                                     if (!known[row])
                                         rows[row] = readRow(row);
                                 }
                                 m_rows = std::move(rows);
                                 m_beforeLayout.clear();
                             }),
            QObject::connect(&model, &M::modelReset, [this] { m_rows = read(); }),
        };
    }

    ~ItemModelMirror()
    {
        for (const QMetaObject::Connection &connection : m_connections)
            QObject::disconnect(connection);
    }

    ItemModelMirror(const ItemModelMirror &) = delete;
    ItemModelMirror &operator=(const ItemModelMirror &) = delete;

    // The rows as the signals left them.
    const QList<QStringList> &rows() const { return m_rows; }
    // The rows as the model reads now.
    QList<QStringList> read() const
    {
        QList<QStringList> rows;
        for (int row = 0; row < m_model.rowCount(); ++row)
            rows.append(readRow(row));
        return rows;
    }

    static QString plainText(const QModelIndex &index, int role)
    {
        const QVariant value = index.data(role);
        return value.typeId() == QMetaType::QStringList ? value.toStringList().join(u'\x1F')
                                                        : value.toString();
    }

private:
    QStringList readRow(int row) const
    {
        QStringList texts;
        for (const int role : m_roles)
            texts.append(m_reader(m_model.index(row, 0), role));
        return texts;
    }

    QAbstractItemModel &m_model;
    QList<int> m_roles;
    Reader m_reader;
    QList<QStringList> m_rows;
    QList<QPersistentModelIndex> m_beforeLayout;
    QList<QMetaObject::Connection> m_connections;
};
