#include "SystemRowDelegate.h"

#include "screens/SystemListModel.h"
#include "screens/SystemRowContent.h"
#include "ui/Chip.h"
#include "ui/ChipLayout.h"
#include "ui/NamedColor.h"
#include "ui/PaletteColor.h"
#include "ui/PlainText.h"
#include "ui/TextStyle.h"
#include "ui/Tile.h"

#include <QPainter>
#include <QPixmapCache>
#include <QtMath>

namespace {

constexpr int kRowPadding = 2;
constexpr int kInfoLeft = 4;
constexpr int kColumnSpacing = 8;
constexpr int kChipSpacing = 5;
// The pixmap cache holds a screenful of row pictures (a third of a megabyte each, four
// times that at a pixel ratio of 2) besides the icons it keeps; at Qt's default limit
// the rows would push each other out as each repaint draws them in turn.
constexpr int kPixmapCacheKilobytes = 64 * 1024;

struct ChipLook
{
    QString text;
    QColor fill;
    QColor textColor;
};

int chipWidth(const QFontMetrics &metrics, const QString &text)
{
    return metrics.horizontalAdvance(text) + 2 * Chip::kHorizontalPadding;
}

// One chip `width` wide drawn at `x`, `y` in the caption font.
void paintChip(QPainter &painter, int x, int y, int width, const ChipLook &chip)
{
    const QFontMetrics metrics(painter.font());
    const QRect box(x, y, width, metrics.height() + 2 * Chip::kVerticalPadding);
    paintTileBackground(painter, box, chip.fill);
    painter.setPen(chip.textColor);
    painter.drawText(box, Qt::AlignCenter, chip.text);
}

// A monospaced caption title in `titleColor` over a line of chips, from `x` and not
// past `right`: the chips that do not fit give way to one ellipsis chip, where it fits.
// Returns the width taken.
int paintChipColumn(QPainter &painter, int x, int right, int y, const QString &title,
                    const QColor &titleColor, QList<ChipLook> chips)
{
    const QFontMetrics metrics(painter.font());
    const QFont titleFont = textFont(TextStyle::caption, true);
    painter.save();
    painter.setFont(titleFont);
    painter.setPen(titleColor);
    const QFontMetrics titleMetrics(titleFont);
    painter.drawText(x, y + metrics.ascent(), titleMetrics.elidedText(title, Qt::ElideRight, right - x));
    const int titleWidth = std::min(titleMetrics.horizontalAdvance(title), right - x);
    painter.restore();
    // Each chip is measured once, however many give way.
    QList<int> widths;
    widths.reserve(chips.size());
    for (const ChipLook &chip : std::as_const(chips))
        widths.append(chipWidth(metrics, chip.text));
    const QString ellipsis(QChar(0x2026));
    const int moreWidth = chipWidth(metrics, ellipsis);
    const qsizetype kept = ChipLayout::fittingCount(widths, kChipSpacing, moreWidth, right - x);
    if (kept < chips.size()) {
        const ChipLook more{ellipsis, chips.last().fill, chips.last().textColor};
        chips.resize(kept);
        widths.resize(kept);
        if (kept > 0 || moreWidth <= right - x) {
            chips.append(more);
            widths.append(moreWidth);
        }
    }
    int chipX = x;
    for (qsizetype i = 0; i < chips.size(); ++i) {
        paintChip(painter, chipX, y + metrics.height() + kChipSpacing, widths[i], chips[i]);
        chipX += widths[i] + kChipSpacing;
    }
    return std::max(titleWidth, chipX - kChipSpacing - x);
}

// Everything a row's picture depends on: its content and routes title, its size and
// pixel ratio, the text and chip colours and the fonts. Each text comes with its
// length, so two different rows never share a key.
QString pictureKey(const SystemRowContent &row, const QString &routesTitle, QSize size, qreal pixelRatio,
                   const QColor &primary, const QColor &secondary)
{
    QString key = QStringLiteral("SystemRow:%1x%2@%3:%4:%5:%6:%7:")
                      .arg(size.width())
                      .arg(size.height())
                      .arg(pixelRatio, 0, 'g', 17)
                      .arg(primary.rgba(), 0, 16)
                      .arg(secondary.rgba(), 0, 16)
                      .arg(namedColor(NamedColor::worldTag).rgba(), 0, 16)
                      .arg(namedColor(NamedColor::smallTitle).rgba(), 0, 16);
    const auto add = [&key](const QString &text) {
        key += QString::number(text.size());
        key += u':';
        key += text;
    };
    add(textFont(TextStyle::body).key());
    add(textFont(TextStyle::body, true).key());
    add(routesTitle);
    for (const QString *text :
         {&row.label, &row.name, &row.notes, &row.mainWorldName, &row.mainWorldProfile, &row.mainWorldNotes})
        add(*text);
    key += QString::number(row.otherNamedWorlds.size()) + u'w';
    for (const SystemRowContent::WorldLine &world : row.otherNamedWorlds) {
        add(world.name);
        add(world.profile);
        add(world.notes);
    }
    key += QString::number(row.mainWorldTagNames.size()) + u't';
    for (const QString &tag : row.mainWorldTagNames)
        add(tag);
    key += QString::number(row.factions.size()) + u'f';
    for (const Faction &faction : row.factions) {
        add(faction.shortName);
        key += QString::number(int(faction.color)) + u';';
    }
    key += QString::number(row.rutterDestinations.size()) + u'r';
    for (const RutterDestination &destination : row.rutterDestinations) {
        add(destination.name);
        key += QString::number(destination.distance) + u',' + QString::number(int(destination.color)) + u';';
    }
    return key;
}

} // namespace

void SystemRowDelegate::paintRow(QPainter &painter, const QStyleOptionViewItem &item,
                                 const QModelIndex &index, const RowInk &ink) const
{
    const QColor &primary = ink.primary;
    const QColor &secondary = ink.secondary;
    const auto row = index.data(SystemListModel::RowRole).value<SystemRowContent>();
    const QString routesTitle = index.data(SystemListModel::RoutesTitleRole).toString();
    const qreal pixelRatio = painter.device()->devicePixelRatio();
    // Shaping and laying out a row's texts costs far more than drawing its picture, and
    // the list paints the same rows again and again as it scrolls and shows again.
    const QString key = pictureKey(row, routesTitle, item.rect.size(), pixelRatio, primary, secondary);
    QPixmap picture;
    if (!QPixmapCache::find(key, &picture)) {
        picture =
            QPixmap(QSize(qCeil(item.rect.width() * pixelRatio), qCeil(item.rect.height() * pixelRatio)));
        picture.setDevicePixelRatio(pixelRatio);
        picture.fill(Qt::transparent);
        QPainter content(&picture);
        paintContent(content, item.rect.width(), row, routesTitle, primary, secondary);
        content.end();
        QPixmapCache::insert(key, picture);
    }
    painter.drawPixmap(item.rect.topLeft(), picture);
}

void SystemRowDelegate::paintContent(QPainter &painter, int width, const SystemRowContent &row,
                                     const QString &routesTitle, const QColor &primary,
                                     const QColor &secondary)
{
    const QFont body = textFont(TextStyle::body);
    const QFont callout = textFont(TextStyle::callout);
    const QFont caption = textFont(TextStyle::caption);
    const QFont mono = textFont(TextStyle::callout, true);
    const QFont bold = textFont(TextStyle::body, false, true);
    const int lineHeight = QFontMetrics(body).height();
    int y = kRowPadding;
    const int left = kInfoLeft;
    const int infoRight = std::min(left + kInfoWidth, width);

    // Where the texts of the next line stand, in the line's middle: the line's fonts
    // differ in height (the fixed-pitch font is the tallest), and its texts share one
    // baseline, so that a name and its profile line read as one line.
    const auto baseline = [&](std::initializer_list<QFont> fonts) {
        qreal ascent = 0;
        qreal descent = 0;
        for (const QFont &font : fonts) {
            const QFontMetricsF metrics(font);
            ascent = std::max(ascent, metrics.ascent());
            descent = std::max(descent, metrics.descent());
        }
        return y + qRound((lineHeight - ascent - descent) / 2 + ascent);
    };
    // Draws a text cut to the info column and returns the width it takes: all the rest
    // of the column when it is cut, so that nothing follows it on its line. Only the
    // part of a text that a line can show is measured, so that a row of the longest
    // texts costs what a row of short ones does.
    const auto text = [&](const QFont &font, const QColor &color, int x, int base, const QString &text) {
        painter.setFont(font);
        painter.setPen(color);
        const QFontMetrics metrics(font);
        const QString shown = elidedLine(text, metrics, infoRight - x);
        painter.drawText(x, base, shown);
        return shown == text ? metrics.horizontalAdvance(shown) : infoRight - x;
    };
    const auto notesLine = [&](const QString &notes) {
        if (notes.isEmpty())
            return;
        text(caption, secondary, left, baseline({caption}), simplifiedLineOfText(notes));
        y += lineHeight;
    };
    const auto worldLine = [&](const QString &name, const QString &profile) {
        const int base = profile.isEmpty() ? baseline({callout}) : baseline({callout, mono});
        const int nameWidth = text(callout, primary, left, base, name);
        if (!profile.isEmpty())
            text(mono, secondary, left + nameWidth + 6, base, profile);
        y += lineHeight;
    };

    const int nameBase = baseline({mono, bold});
    const int labelWidth = text(mono, secondary, left, nameBase, row.label);
    text(bold, primary, left + labelWidth + 8, nameBase, row.name);
    y += lineHeight;
    notesLine(row.notes);
    worldLine(row.mainWorldName, row.mainWorldProfile);
    notesLine(row.mainWorldNotes);
    for (const SystemRowContent::WorldLine &world : row.otherNamedWorlds) {
        worldLine(world.name, world.profile);
        notesLine(world.notes);
    }

    // The other columns, each as far as the row reaches.
    painter.setFont(caption);
    const QFontMetrics captionMetrics(caption);
    const int top = kRowPadding;
    int x = left + kInfoWidth + kInfoTrailingPadding;
    if (x >= width)
        return;
    if (row.mainWorldTagNames.isEmpty()) {
        painter.setPen(primary);
        painter.drawText(x, top + captionMetrics.ascent(),
                         captionMetrics.elidedText(tr("No World Tags selected"), Qt::ElideRight,
                                                   std::min(kTagsWidth, width - x)));
    } else {
        QList<ChipLook> chips;
        for (const QString &tag : row.mainWorldTagNames)
            chips.append({tag, namedColor(NamedColor::worldTag), namedColor(NamedColor::smallTitle)});
        paintChipColumn(painter, x, std::min(x + kTagsWidth, width), top, tr("World Tags"), primary, chips);
    }
    x += kTagsWidth + kColumnSpacing;
    if (!row.factions.isEmpty() && x < width) {
        QList<ChipLook> chips;
        for (const Faction &faction : row.factions)
            chips.append({quotedName(faction.shortName), paletteColor(faction.color),
                          paletteTextColor(faction.color)});
        x += paintChipColumn(painter, x, std::min(x + kFactionsWidth, width), top, tr("Factions"), primary,
                             chips) +
             kColumnSpacing;
    }
    if (!row.rutterDestinations.isEmpty() && x < width) {
        QList<ChipLook> chips;
        for (const RutterDestination &destination : row.rutterDestinations)
            chips.append({destination.chipText(), paletteColor(destination.color),
                          paletteTextColor(destination.color)});
        paintChipColumn(painter, x, width, top, routesTitle, primary, chips);
    }
}

SystemRowDelegate::SystemRowDelegate(QObject *parent)
    : ListRowDelegate(parent), m_lineHeight(QFontMetrics(textFont(TextStyle::body)).height()),
      m_chipColumnHeight(QFontMetrics(textFont(TextStyle::caption)).height() * 2 + kChipSpacing +
                         2 * Chip::kVerticalPadding)
{
    QPixmapCache::setCacheLimit(std::max(QPixmapCache::cacheLimit(), kPixmapCacheKilobytes));
}

int SystemRowDelegate::rowWidth()
{
    return kInfoLeft + kInfoWidth + kInfoTrailingPadding + kTagsWidth + kColumnSpacing + kFactionsWidth +
           kColumnSpacing + kRuttersWidth;
}

QSize SystemRowDelegate::sizeHint(const QStyleOptionViewItem &, const QModelIndex &index) const
{
    // No width of its own: the list makes every row as wide as itself.
    const int lines = index.data(SystemListModel::LineCountRole).toInt();
    return {0, std::max(lines * m_lineHeight, m_chipColumnHeight) + 2 * kRowPadding};
}
