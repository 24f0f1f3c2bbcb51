#pragma once

// The texts a widget paints, caught on their way to the screen: what a user reads,
// whichever code cut or placed them.

#include <QPaintDevice>
#include <QPaintEngine>
#include <QStringList>
#include <QWidget>

#include <climits>

namespace painted_texts_detail {

class RecordingEngine : public QPaintEngine
{
public:
    RecordingEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}

    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState &) override {}
    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
    void drawPolygon(const QPointF *, int, PolygonDrawMode) override {}
    void drawPath(const QPainterPath &) override {}
    void drawTextItem(const QPointF &, const QTextItem &item) override { texts.append(item.text()); }
    Type type() const override { return QPaintEngine::User; }

    QStringList texts;
};

class RecordingDevice : public QPaintDevice
{
public:
    explicit RecordingDevice(QSize size) : m_size(size) {}

    QPaintEngine *paintEngine() const override { return &m_engine; }
    QStringList texts() const { return m_engine.texts; }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        constexpr int kDpi = 96;
        switch (metric) {
        case PdmWidth: return m_size.width();
        case PdmHeight: return m_size.height();
        case PdmWidthMM: return m_size.width() * 254 / (10 * kDpi);
        case PdmHeightMM: return m_size.height() * 254 / (10 * kDpi);
        case PdmNumColors: return INT_MAX;
        case PdmDepth: return 32;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY: return kDpi;
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return static_cast<int>(devicePixelRatioFScale());
        default: return 0;
        }
    }

private:
    QSize m_size;
    mutable RecordingEngine m_engine;
};

} // namespace painted_texts_detail

// Every text `widget` and its children paint, in painting order.
inline QStringList paintedTexts(QWidget *widget)
{
    painted_texts_detail::RecordingDevice device(widget->size());
    widget->render(&device);
    return device.texts();
}
