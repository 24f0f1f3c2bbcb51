#pragma once

#include <QAbstractListModel>

class RegionDraft;
struct GalacticCoordinates;
class StarfarerUniverse;

// The anchors of the region being edited, one row each in border order: the number,
// the hex and corner, and the name of the system there. Rows are moved by dragging
// (the view's internal move calls moveRows) and change only the working copy.
class RegionAnchorListModel : public QAbstractListModel
{
    Q_OBJECT

public:
    enum Role { NumberRole = Qt::UserRole + 1, SystemNameRole };

    RegionAnchorListModel(const StarfarerUniverse &universe, RegionDraft &draft, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    Qt::DropActions supportedDropActions() const override { return Qt::MoveAction; }
    bool moveRows(const QModelIndex &sourceParent, int sourceRow, int count,
                  const QModelIndex &destinationParent, int destinationChild) override;

    // "00-0101 · corner 1": a hex and a corner as the editor shows them, 1 to 6.
    static QString anchorText(const GalacticCoordinates &hex, qint64 corner);

    // The draft's anchors changed as a whole.
    void reload();

signals:
    void anchorsMoved();

private:
    const StarfarerUniverse &m_universe;
    RegionDraft &m_draft;
};
