#include "SecondaryText.h"

#include "PlainLabel.h"
#include "RoundedPanel.h"
#include "Tile.h"

#include <QApplication>
#include <QColor>
#include <QEvent>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kReadableContrast = 4.5;

double relativeLuminance(const QColor &color)
{
    const auto linear = [](double channel) {
        return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(color.redF()) + 0.7152 * linear(color.greenF()) + 0.0722 * linear(color.blueF());
}

double contrastRatio(const QColor &a, const QColor &b)
{
    const double first = relativeLuminance(a);
    const double second = relativeLuminance(b);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

// `share` 255ths of `to` over `from`, in whole colour levels as it is painted.
QColor mixed(const QColor &from, const QColor &to, int share)
{
    const auto channel = [share](int a, int b) { return (a * (255 - share) + b * share + 127) / 255; };
    return QColor(channel(from.red(), to.red()), channel(from.green(), to.green()),
                  channel(from.blue(), to.blue()));
}

// Black or white, whichever stands further apart from `ground`.
QColor farthestExtreme(const QColor &ground)
{
    return contrastRatio(Qt::black, ground) > contrastRatio(Qt::white, ground) ? QColor(Qt::black)
                                                                               : QColor(Qt::white);
}

// The colour the least way from `from` towards `to` that stands 4.5:1 apart from
// `ground`; `to` itself when none short of it does. Along the way the contrast may
// first fall (while the colour crosses the ground's lightness), then it grows, so the
// readable colours lie past one share, which is found by halving.
QColor leastReadableMix(const QColor &from, const QColor &to, const QColor &ground)
{
    int low = 0;
    int high = 255;
    while (low < high) {
        const int share = (low + high) / 2;
        if (contrastRatio(mixed(from, to, share), ground) >= kReadableContrast)
            high = share;
        else
            low = share + 1;
    }
    return mixed(from, to, high);
}

// Works a text colour out when the widget is polished, by then it stands in the
// widget it is shown in, whose background it is drawn on: `rule` turns the text's own
// colour (the widget's window-text colour when none is given) into the one readable
// there.
class TextColorFollower : public QObject
{
public:
    using Rule = QColor (*)(const QColor &text, const QColor &background);

    TextColorFollower(QWidget *widget, const QColor &text, Rule rule)
        : QObject(widget), m_widget(widget), m_text(text), m_rule(rule)
    {}

    void apply()
    {
        if (!m_text.isValid())
            m_text = m_widget->palette().color(QPalette::WindowText);
        setTextColor(m_widget, m_rule(m_text, backgroundBehind(*m_widget)));
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Polish)
            apply();
        return false;
    }

private:
    QWidget *m_widget;
    QColor m_text;
    Rule m_rule;
};

void followBackground(QWidget *widget, const QColor &text, TextColorFollower::Rule rule)
{
    auto *follower = new TextColorFollower(widget, text, rule);
    if (widget->testAttribute(Qt::WA_WState_Polished))
        follower->apply();
    else
        widget->installEventFilter(follower);
}

} // namespace

QColor secondaryTextColor(const QColor &text, const QColor &background)
{
    const QColor ground = background.toRgb();
    // A translucent text colour is seen laid over the background.
    QColor ink = mixed(ground, text.toRgb(), qRound(text.alphaF() * 255));
    if (contrastRatio(ink, ground) < kReadableContrast)
        ink = farthestExtreme(ground);
    return leastReadableMix(ground, ink, ground);
}

QColor statusTextColor(const QColor &hue, const QColor &background)
{
    const QColor ground = background.toRgb();
    // Mixed with black it only darkens; mixed with white it pales: either way its hue stays.
    return leastReadableMix(hue.toRgb(), farthestExtreme(ground), ground);
}

QColor backgroundBehind(const QWidget &widget)
{
    for (const QWidget *w = &widget; w; w = w->parentWidget()) {
        if (const auto *tile = qobject_cast<const Tile *>(w))
            return namedColor(tile->background());
        if (const auto *panel = qobject_cast<const RoundedPanel *>(w))
            return namedColor(panel->color());
        if (w->autoFillBackground() || w->isWindow())
            return w->palette().color(w->backgroundRole());
    }
    return QApplication::palette().color(QPalette::Window);
}

void makeSecondary(QWidget *widget)
{
    followBackground(widget, QColor(), secondaryTextColor);
}

void makeStatusText(QWidget *widget, StatusTone tone)
{
    const QColor hue = tone == StatusTone::failure ? QColor(Qt::red) : QColor(0x28, 0xA7, 0x45);
    followBackground(widget, hue, statusTextColor);
}
