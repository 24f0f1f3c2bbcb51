#pragma once

#include "json/EnumTable.h"

#include <QColor>
#include <QIcon>

#include <array>

class QPainter;

// The small pictograms the screens show beside texts and on buttons. Each is taken
// from the desktop's icon theme when the theme has an icon of the same meaning, and
// drawn by the program otherwise, so every symbol always shows something.
enum class Symbol : quint8 {
    pencilCircleFill,
    checkmark,
    diceFill,
    deleteBackward,
    eCircle,
    chevronDownCircle,
    chevronForwardCircle,
    smallcircleFillCircle,
    figureStand,
    building2Fill,
    figureStandAndFigureTeen,
    personTextRectangleFill,
    cubeTransparentFill,
    scrollFill,
    insetFilledSquareDashedMicro,
    sparkles,
    listStar,
    hexagon,
    pointTopleftDownToPointBottomrightCurvepath,
    circlesHexagongridFill,
    skew,
    textformat,
    squareAndArrowDown,
    flag2Crossed,
    plus,
    flagFill,
    flagSlash,
    chevronDown,
    chevronRight,
    starSquareOnSquareFill,
    chevronUpChevronDown,
    sidebarLeft,
    lockFill,
    questionmarkCircle,
    magnifyingglass,
    xmarkCircleFill,
    questionmarkCircleFill,
    timer,
    docOnDoc,
    tagFill,
    arrowCounterclockwiseCircle,
};

// Draws a symbol into the 16 × 16 box at the origin in the painter's pen and brush
// colour; the painter is already scaled to the wanted size.
using SymbolPainter = void (*)(QPainter &painter, const QColor &color);

struct SymbolRow
{
    Symbol value;
    const char *raw;       // the symbol's name
    const char *themeName; // freedesktop icon name of the same meaning, empty when none
    SymbolPainter paint;
};

namespace symbol_detail {
void paintPencilCircleFill(QPainter &painter, const QColor &color);
void paintCheckmark(QPainter &painter, const QColor &color);
void paintDiceFill(QPainter &painter, const QColor &color);
void paintDeleteBackward(QPainter &painter, const QColor &color);
void paintECircle(QPainter &painter, const QColor &color);
void paintChevronDownCircle(QPainter &painter, const QColor &color);
void paintChevronForwardCircle(QPainter &painter, const QColor &color);
void paintSmallcircleFillCircle(QPainter &painter, const QColor &color);
void paintFigureStand(QPainter &painter, const QColor &color);
void paintBuilding2Fill(QPainter &painter, const QColor &color);
void paintFigureStandAndFigureTeen(QPainter &painter, const QColor &color);
void paintPersonTextRectangleFill(QPainter &painter, const QColor &color);
void paintCubeTransparentFill(QPainter &painter, const QColor &color);
void paintScrollFill(QPainter &painter, const QColor &color);
void paintInsetFilledSquareDashedMicro(QPainter &painter, const QColor &color);
void paintSparkles(QPainter &painter, const QColor &color);
void paintListStar(QPainter &painter, const QColor &color);
void paintHexagon(QPainter &painter, const QColor &color);
void paintPointTopleftDownToPointBottomrightCurvepath(QPainter &painter, const QColor &color);
void paintCirclesHexagongridFill(QPainter &painter, const QColor &color);
void paintSkew(QPainter &painter, const QColor &color);
void paintTextformat(QPainter &painter, const QColor &color);
void paintSquareAndArrowDown(QPainter &painter, const QColor &color);
void paintFlag2Crossed(QPainter &painter, const QColor &color);
void paintPlus(QPainter &painter, const QColor &color);
void paintFlagFill(QPainter &painter, const QColor &color);
void paintFlagSlash(QPainter &painter, const QColor &color);
void paintChevronDown(QPainter &painter, const QColor &color);
void paintChevronRight(QPainter &painter, const QColor &color);
void paintStarSquareOnSquareFill(QPainter &painter, const QColor &color);
void paintChevronUpChevronDown(QPainter &painter, const QColor &color);
void paintSidebarLeft(QPainter &painter, const QColor &color);
void paintLockFill(QPainter &painter, const QColor &color);
void paintQuestionmarkCircle(QPainter &painter, const QColor &color);
void paintMagnifyingglass(QPainter &painter, const QColor &color);
void paintXmarkCircleFill(QPainter &painter, const QColor &color);
void paintQuestionmarkCircleFill(QPainter &painter, const QColor &color);
void paintTimer(QPainter &painter, const QColor &color);
void paintDocOnDoc(QPainter &painter, const QColor &color);
void paintTagFill(QPainter &painter, const QColor &color);
void paintArrowCounterclockwiseCircle(QPainter &painter, const QColor &color);
} // namespace symbol_detail

inline constexpr std::array<SymbolRow, 41> kSymbols{{
    {Symbol::pencilCircleFill, "pencil.circle.fill", "", symbol_detail::paintPencilCircleFill},
    {Symbol::checkmark, "checkmark", "", symbol_detail::paintCheckmark},
    {Symbol::diceFill, "dice.fill", "", symbol_detail::paintDiceFill},
    {Symbol::deleteBackward, "delete.backward", "edit-clear", symbol_detail::paintDeleteBackward},
    {Symbol::eCircle, "e.circle", "", symbol_detail::paintECircle},
    {Symbol::chevronDownCircle, "chevron.down.circle", "", symbol_detail::paintChevronDownCircle},
    {Symbol::chevronForwardCircle, "chevron.forward.circle", "", symbol_detail::paintChevronForwardCircle},
    {Symbol::smallcircleFillCircle, "smallcircle.fill.circle", "", symbol_detail::paintSmallcircleFillCircle},
    {Symbol::figureStand, "figure.stand", "", symbol_detail::paintFigureStand},
    {Symbol::building2Fill, "building.2.fill", "", symbol_detail::paintBuilding2Fill},
    {Symbol::figureStandAndFigureTeen, "figure.stand.and.figure.teen", "",
     symbol_detail::paintFigureStandAndFigureTeen},
    {Symbol::personTextRectangleFill, "person.text.rectangle.fill", "",
     symbol_detail::paintPersonTextRectangleFill},
    {Symbol::cubeTransparentFill, "cube.transparent.fill", "", symbol_detail::paintCubeTransparentFill},
    {Symbol::scrollFill, "scroll.fill", "", symbol_detail::paintScrollFill},
    {Symbol::insetFilledSquareDashedMicro, "inset.filled.square.dashed.micro", "",
     symbol_detail::paintInsetFilledSquareDashedMicro},
    {Symbol::sparkles, "sparkles", "", symbol_detail::paintSparkles},
    {Symbol::listStar, "list.star", "", symbol_detail::paintListStar},
    {Symbol::hexagon, "hexagon", "", symbol_detail::paintHexagon},
    {Symbol::pointTopleftDownToPointBottomrightCurvepath, "point.topleft.down.to.point.bottomright.curvepath",
     "", symbol_detail::paintPointTopleftDownToPointBottomrightCurvepath},
    {Symbol::circlesHexagongridFill, "circles.hexagongrid.fill", "",
     symbol_detail::paintCirclesHexagongridFill},
    {Symbol::skew, "skew", "", symbol_detail::paintSkew},
    {Symbol::textformat, "textformat", "", symbol_detail::paintTextformat},
    {Symbol::squareAndArrowDown, "square.and.arrow.down", "", symbol_detail::paintSquareAndArrowDown},
    {Symbol::flag2Crossed, "flag.2.crossed", "", symbol_detail::paintFlag2Crossed},
    {Symbol::plus, "plus", "", symbol_detail::paintPlus},
    {Symbol::flagFill, "flag.fill", "", symbol_detail::paintFlagFill},
    {Symbol::flagSlash, "flag.slash", "", symbol_detail::paintFlagSlash},
    {Symbol::chevronDown, "chevron.down", "", symbol_detail::paintChevronDown},
    {Symbol::chevronRight, "chevron.right", "", symbol_detail::paintChevronRight},
    {Symbol::starSquareOnSquareFill, "star.square.on.square.fill", "",
     symbol_detail::paintStarSquareOnSquareFill},
    {Symbol::chevronUpChevronDown, "chevron.up.chevron.down", "", symbol_detail::paintChevronUpChevronDown},
    {Symbol::sidebarLeft, "sidebar.left", "", symbol_detail::paintSidebarLeft},
    {Symbol::lockFill, "lock.fill", "", symbol_detail::paintLockFill},
    {Symbol::questionmarkCircle, "questionmark.circle", "", symbol_detail::paintQuestionmarkCircle},
    {Symbol::magnifyingglass, "magnifyingglass", "edit-find", symbol_detail::paintMagnifyingglass},
    {Symbol::xmarkCircleFill, "xmark.circle.fill", "", symbol_detail::paintXmarkCircleFill},
    {Symbol::questionmarkCircleFill, "questionmark.circle.fill", "",
     symbol_detail::paintQuestionmarkCircleFill},
    {Symbol::timer, "timer", "", symbol_detail::paintTimer},
    {Symbol::docOnDoc, "doc.on.doc", "edit-copy", symbol_detail::paintDocOnDoc},
    {Symbol::tagFill, "tag.fill", "", symbol_detail::paintTagFill},
    {Symbol::arrowCounterclockwiseCircle, "arrow.counterclockwise.circle", "",
     symbol_detail::paintArrowCounterclockwiseCircle},
}};

template <> struct EnumTraits<Symbol>
{
    static constexpr const auto &rows = kSymbols;
};

// The theme's icon when it has one, else the drawn symbol in the palette's text colour.
QIcon symbolIcon(Symbol symbol);
// The drawn symbol in `color`, for symbols that must match the text beside them.
QIcon symbolIcon(Symbol symbol, const QColor &color);
// The drawn symbol as a square pixmap of `size` device-independent pixels. Each
// symbol is drawn once per size, colour and pixel ratio and then taken from the
// application's pixmap cache, so that rows may ask for it on every paint.
QPixmap symbolPixmap(Symbol symbol, int size, const QColor &color, qreal devicePixelRatio = 1.0);
