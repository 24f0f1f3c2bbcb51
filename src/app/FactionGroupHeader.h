#pragma once

#include "universe/FactionCategory.h"

#include <QAbstractButton>

class QLabel;

// The header row of one faction group in the sidebar: the group's symbol and title
// (bold when the group has members), then a chevron pointing down when the group is
// expanded and right when it is collapsed. The whole row is the button.
class FactionGroupHeader : public QAbstractButton
{
    Q_OBJECT

public:
    FactionGroupHeader(FactionCategory category, bool expanded, bool hasMembers, QWidget *parent = nullptr);

    FactionCategory category() const { return m_category; }
    bool isExpanded() const { return m_expanded; }
    QString title() const;
    bool titleIsBold() const;
    void setHasMembers(bool hasMembers);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    FactionCategory m_category;
    bool m_expanded;
    QLabel *m_title;
};
