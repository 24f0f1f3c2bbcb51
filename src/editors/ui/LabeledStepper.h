#pragma once

#include <QWidget>

#include <functional>

class QLabel;
class QToolButton;

// A stepper: a label that shows the value in words ("Force: 3", "Sector X: B") and a
// pair of buttons that step it by one within a range. A value set from outside the
// range is shown as it is and never clamped, so a stored value survives being shown;
// a step only ever moves towards the range and stops at its ends. It is one focus
// stop, stepped with the Up and Down keys, and carries the focus mark around its label
// and buttons.
class LabeledStepper : public QWidget
{
    Q_OBJECT

public:
    using LabelText = std::function<QString(qint64)>;

    LabeledStepper(LabelText labelText, qint64 minimum, qint64 maximum, QWidget *parent = nullptr);

    qint64 value() const { return m_value; }
    // Shows `value` as it is; does not announce it.
    void setValue(qint64 value);
    QString text() const;
    // One step up (+1) or down (-1), as the buttons do; announces a change.
    void step(int direction);

signals:
    void valueChanged(qint64 value);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void refresh();

    LabelText m_labelText;
    qint64 m_minimum;
    qint64 m_maximum;
    qint64 m_value;
    QLabel *m_label;
    QToolButton *m_down;
    QToolButton *m_up;
};
