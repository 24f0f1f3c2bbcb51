#include "SecondaryText.h"

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

// Works the secondary colour out when the widget is polished: by then it stands in the
// widget it is shown in, whose background it is drawn on.
class SecondaryTextFollower : public QObject
{
public:
    explicit SecondaryTextFollower(QWidget *widget) : QObject(widget), m_widget(widget) {}

    void apply()
    {
        if (!m_primary.isValid())
            m_primary = m_widget->palette().color(QPalette::WindowText);
        QPalette palette = m_widget->palette();
        palette.setColor(QPalette::WindowText, secondaryTextColor(m_primary, backgroundBehind(*m_widget)));
        m_widget->setPalette(palette);
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
    QColor m_primary;
};

} // namespace

QColor secondaryTextColor(const QColor &text, const QColor &background)
{
    const QColor ground = background.toRgb();
    // A translucent text colour is seen laid over the background.
    QColor ink = mixed(ground, text.toRgb(), qRound(text.alphaF() * 255));
    if (contrastRatio(ink, ground) < kReadableContrast)
        ink = contrastRatio(Qt::black, ground) > contrastRatio(Qt::white, ground) ? QColor(Qt::black)
                                                                                  : QColor(Qt::white);
    // The least share of the ink that is readable; the contrast grows with the share.
    int low = 0;
    int high = 255;
    while (low < high) {
        const int share = (low + high) / 2;
        if (contrastRatio(mixed(ground, ink, share), ground) >= kReadableContrast)
            high = share;
        else
            low = share + 1;
    }
    return mixed(ground, ink, high);
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
    auto *follower = new SecondaryTextFollower(widget);
    if (widget->testAttribute(Qt::WA_WState_Polished))
        follower->apply();
    else
        widget->installEventFilter(follower);
}
