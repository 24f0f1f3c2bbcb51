#pragma once

#include <QAbstractListModel>
#include <QList>
#include <QUuid>

class FactionListDraft;
class StarfarerUniverse;
struct Faction;

// The check list of the faction-list editor: every faction of the universe, sorted
// by name, each checked while the draft holds its id. Checking a row changes only
// the draft.
class FactionCheckListModel : public QAbstractListModel
{
    Q_OBJECT

public:
    enum Role { ShortNameRole = Qt::UserRole + 1, IdRole };

    FactionCheckListModel(StarfarerUniverse &universe, FactionListDraft &draft, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // The draft changed as a whole (after a create): every check mark is read again.
    void refreshChecks();

signals:
    void selectionEdited();

private:
    void reload();

    StarfarerUniverse &m_universe;
    FactionListDraft &m_draft;
    QList<Faction> m_factions;
};
