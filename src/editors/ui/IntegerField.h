#pragma once

#include <QLineEdit>

// A text field for a whole number in the user's locale format, with no bounds. A
// typed value takes effect when the entry is committed (Return or leaving the
// field); text that does not read as a whole number then puts the field back to
// the value it had.
class IntegerField : public QLineEdit
{
    Q_OBJECT

public:
    IntegerField(const QString &title, int width, QWidget *parent = nullptr);

    qint64 value() const { return m_value; }
    // Shows `value`; does not announce it.
    void setValue(qint64 value);

signals:
    void valueCommitted(qint64 value);

private:
    void commit();

    qint64 m_value = 0;
};
