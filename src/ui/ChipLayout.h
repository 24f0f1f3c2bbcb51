#pragma once

#include <QLayout>
#include <QList>

class Chip;

// Lays out chips at their own sizes, left to right, each centred on its line's
// height. Where the width runs out the chips wrap onto further lines; or, given a chip
// that stands for the rest, they stay on one line and those that do not fit give way
// to it, as the system list's rows end theirs. A chip is given less than its own
// width only when it is wider than the whole row.
class ChipLayout : public QLayout
{
public:
    // `more`, when given, is the last item: shown only while chips give way to it.
    explicit ChipLayout(QWidget *parent, Chip *more = nullptr);
    ~ChipLayout() override;

    // How many of the chips `widths` wide, `spacing` apart from each other, stay on a
    // line `available` wide: all of them when they fit, else as many as fit (none, at
    // least) before one more chip `moreWidth` wide.
    static qsizetype fittingCount(const QList<int> &widths, int spacing, int moreWidth, int available);

    void addItem(QLayoutItem *item) override;
    int count() const override;
    QLayoutItem *itemAt(int index) const override;
    QLayoutItem *takeAt(int index) override;
    Qt::Orientations expandingDirections() const override;
    bool hasHeightForWidth() const override;
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    void setGeometry(const QRect &rect) override;

private:
    // Where each item goes within `rect` (an empty rectangle for one that gives way)
    // and the height they take.
    int arrange(const QRect &rect, QList<QRect> *places) const;
    // The chips' own sizes, shown or not.
    QList<QSize> chipSizes() const;
    // Between chips on a line, and between lines.
    int gap() const;

    QList<QLayoutItem *> m_items; // the chips, then the more chip when there is one
    bool m_oneLine;
};
