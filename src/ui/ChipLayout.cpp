#include "ChipLayout.h"

#include "Chip.h"

#include <QWidget>

#include <algorithm>

ChipLayout::ChipLayout(QWidget *parent, Chip *more) : QLayout(parent), m_oneLine(more != nullptr)
{
    setContentsMargins(0, 0, 0, 0);
    if (more) {
        addChildWidget(more);
        m_items.append(new QWidgetItem(more));
    }
}

ChipLayout::~ChipLayout()
{
    qDeleteAll(m_items);
}

qsizetype ChipLayout::fittingCount(const QList<int> &widths, int spacing, int moreWidth, int available)
{
    int line = -spacing;
    for (const int width : widths)
        line += width + spacing;
    if (widths.isEmpty() || line <= available)
        return widths.size();
    qsizetype kept = 0;
    int before = 0; // the kept chips with the spacing after each
    while (kept < widths.size() - 1 && before + widths[kept] + spacing + moreWidth <= available) {
        before += widths[kept] + spacing;
        ++kept;
    }
    return kept;
}

void ChipLayout::addItem(QLayoutItem *item)
{
    // The more chip stays last.
    m_items.insert(m_oneLine ? m_items.size() - 1 : m_items.size(), item);
    invalidate();
}

int ChipLayout::count() const
{
    return static_cast<int>(m_items.size());
}

QLayoutItem *ChipLayout::itemAt(int index) const
{
    return m_items.value(index);
}

QLayoutItem *ChipLayout::takeAt(int index)
{
    if (index < 0 || index >= m_items.size())
        return nullptr;
    if (m_oneLine && index == m_items.size() - 1)
        m_oneLine = false;
    QLayoutItem *item = m_items.takeAt(index);
    invalidate();
    return item;
}

Qt::Orientations ChipLayout::expandingDirections() const
{
    return {};
}

bool ChipLayout::hasHeightForWidth() const
{
    return !m_oneLine;
}

int ChipLayout::heightForWidth(int width) const
{
    const QMargins margins = contentsMargins();
    return arrange(QRect(0, 0, width, 0), nullptr) + margins.top() + margins.bottom();
}

QList<QSize> ChipLayout::chipSizes() const
{
    // A chip that gives way is hidden, and a hidden widget's item has no size.
    QList<QSize> sizes;
    sizes.reserve(m_items.size());
    for (const QLayoutItem *item : m_items)
        sizes.append(item->widget() ? item->widget()->sizeHint() : item->sizeHint());
    return sizes;
}

int ChipLayout::gap() const
{
    return std::max(spacing(), 0);
}

// Every chip on one line.
QSize ChipLayout::sizeHint() const
{
    const QList<QSize> sizes = chipSizes();
    const qsizetype chips = m_oneLine ? sizes.size() - 1 : sizes.size();
    QSize hint(0, 0);
    for (qsizetype i = 0; i < chips; ++i)
        hint = QSize(hint.width() + sizes[i].width() + (i > 0 ? gap() : 0),
                     std::max(hint.height(), sizes[i].height()));
    return hint.grownBy(contentsMargins());
}

// One line high; as narrow as the more chip alone, or as the narrowest a chip can be
// when it has a line to itself.
QSize ChipLayout::minimumSize() const
{
    const QList<QSize> sizes = chipSizes();
    const qsizetype chips = m_oneLine ? sizes.size() - 1 : sizes.size();
    QSize least(0, 0);
    for (qsizetype i = 0; i < chips; ++i) {
        const QWidget *chip = m_items[i]->widget();
        const int width = m_oneLine ? sizes.constLast().width()
                                    : (chip ? chip->minimumSizeHint() : m_items[i]->minimumSize()).width();
        least = QSize(std::max(least.width(), width), std::max(least.height(), sizes[i].height()));
    }
    return least.grownBy(contentsMargins());
}

void ChipLayout::setGeometry(const QRect &rect)
{
    QLayout::setGeometry(rect);
    QList<QRect> places;
    arrange(rect, &places);
    for (qsizetype i = 0; i < m_items.size(); ++i) {
        QWidget *chip = m_items[i]->widget();
        const bool shown = !places[i].isEmpty();
        if (shown)
            m_items[i]->setGeometry(places[i]);
        if (chip && chip->isHidden() == shown)
            chip->setVisible(shown);
    }
}

int ChipLayout::arrange(const QRect &rect, QList<QRect> *places) const
{
    const QRect area = rect.marginsRemoved(contentsMargins());
    const int room = std::max(area.width(), 0);
    const int gap = this->gap();
    const QList<QSize> sizes = chipSizes();
    // The items on each line, as a range of indexes, with the line's height.
    struct Line
    {
        qsizetype first = 0;
        qsizetype end = 0;
        int height = 0;
    };
    QList<Line> lines;
    QList<qsizetype> shown; // in order
    if (m_oneLine) {
        QList<int> widths;
        for (qsizetype i = 0; i + 1 < sizes.size(); ++i)
            widths.append(sizes[i].width());
        const qsizetype kept = fittingCount(widths, gap, sizes.constLast().width(), room);
        for (qsizetype i = 0; i < kept; ++i)
            shown.append(i);
        if (kept < widths.size())
            shown.append(sizes.size() - 1);
    } else {
        for (qsizetype i = 0; i < sizes.size(); ++i)
            shown.append(i);
    }
    // Each item shown at its own size, or as wide as the row when it is wider.
    QList<QSize> shownSizes;
    for (const qsizetype i : std::as_const(shown))
        shownSizes.append(QSize(std::min(sizes[i].width(), room), sizes[i].height()));
    int x = 0;
    for (qsizetype n = 0; n < shown.size(); ++n) {
        const QSize size = shownSizes[n];
        if (lines.isEmpty() || (x > 0 && x + size.width() > room)) {
            lines.append({n, n, 0});
            x = 0;
        }
        lines.last().end = n + 1;
        lines.last().height = std::max(lines.last().height, size.height());
        x += size.width() + gap;
    }
    int y = area.top();
    if (places)
        *places = QList<QRect>(sizes.size());
    for (const Line &line : std::as_const(lines)) {
        int left = area.left();
        for (qsizetype n = line.first; n < line.end && places; ++n) {
            const QSize size = shownSizes[n];
            (*places)[shown[n]] = QRect(QPoint(left, y + (line.height - size.height()) / 2), size);
            left += size.width() + gap;
        }
        y += line.height + gap;
    }
    return lines.isEmpty() ? 0 : y - gap - area.top();
}
