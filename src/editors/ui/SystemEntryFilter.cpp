#include "SystemEntryFilter.h"

#include "SystemEntryModel.h"

SystemEntryFilter::SystemEntryFilter(SystemEntryModel *entries, QObject *parent)
    : QSortFilterProxyModel(parent), m_entries(entries)
{
    setSourceModel(entries);
}

void SystemEntryFilter::setSearchText(const QString &text)
{
    if (text == m_text)
        return;
    m_text = text;
    invalidateFilter();
}

bool SystemEntryFilter::filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const
{
    return !sourceParent.isValid() && m_entries->matches(sourceRow, m_text);
}
