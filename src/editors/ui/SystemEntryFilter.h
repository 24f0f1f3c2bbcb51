#pragma once

#include <QSortFilterProxyModel>

class SystemEntryModel;

// The systems of a SystemEntryModel whose name or hex label holds a search text,
// letter case ignored. It reads the entries' texts directly, so that a keystroke over
// tens of thousands of systems does not build a QVariant per row and column.
class SystemEntryFilter : public QSortFilterProxyModel
{
    Q_OBJECT

public:
    explicit SystemEntryFilter(SystemEntryModel *entries, QObject *parent = nullptr);

    QString searchText() const { return m_text; }
    void setSearchText(const QString &text);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;

private:
    SystemEntryModel *m_entries;
    QString m_text;
};
