#include "LabeledStepper.h"

#include "ui/FocusMark.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QToolButton>

#include <algorithm>

LabeledStepper::LabeledStepper(LabelText labelText, qint64 minimum, qint64 maximum, QWidget *parent)
    : QWidget(parent), m_labelText(std::move(labelText)), m_minimum(minimum), m_maximum(maximum),
      m_value(minimum), m_label(new QLabel(this)), m_down(new QToolButton(this)), m_up(new QToolButton(this))
{
    // One focus stop: the arrow keys step it, and a click on a button leaves the
    // focus on the stepper.
    setFocusPolicy(Qt::StrongFocus);
    m_label->setTextFormat(Qt::PlainText);
    m_down->setObjectName(QStringLiteral("decrement"));
    m_up->setObjectName(QStringLiteral("increment"));
    m_down->setText(QStringLiteral("−"));
    m_up->setText(QStringLiteral("+"));
    for (QToolButton *button : {m_down, m_up}) {
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
    }
    auto *layout = new QHBoxLayout(this);
    // Room for the focus mark around the label and the buttons.
    const int room = kFocusMarkWidth + 1;
    layout->setContentsMargins(room, room, room, room);
    layout->setSpacing(4);
    layout->addWidget(m_label);
    layout->addWidget(m_down);
    layout->addWidget(m_up);
    connect(m_down, &QToolButton::clicked, this, [this] { step(-1); });
    connect(m_up, &QToolButton::clicked, this, [this] { step(1); });
    refresh();
}

void LabeledStepper::setValue(qint64 value)
{
    m_value = value;
    refresh();
}

QString LabeledStepper::text() const
{
    return m_label->text();
}

void LabeledStepper::step(int direction)
{
    // A step never moves away from the range: "+" on a value stored above it does
    // nothing, "−" brings it to the top of the range.
    if (direction > 0 ? m_value >= m_maximum : m_value <= m_minimum)
        return;
    const qint64 stepped = std::clamp(direction > 0 ? m_value + 1 : m_value - 1, m_minimum, m_maximum);
    m_value = stepped;
    refresh();
    emit valueChanged(m_value);
}

void LabeledStepper::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Up)
        step(1);
    else if (event->key() == Qt::Key_Down)
        step(-1);
    else
        QWidget::keyPressEvent(event);
}

void LabeledStepper::paintEvent(QPaintEvent *)
{
    drawFocusFrame(*this);
}

void LabeledStepper::refresh()
{
    m_label->setText(m_labelText(m_value));
    m_down->setEnabled(m_value > m_minimum);
    m_up->setEnabled(m_value < m_maximum);
}
