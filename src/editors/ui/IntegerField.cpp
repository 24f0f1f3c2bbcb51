#include "IntegerField.h"

#include <QLocale>

IntegerField::IntegerField(const QString &title, int width, QWidget *parent) : QLineEdit(parent)
{
    setPlaceholderText(title);
    setAccessibleName(title);
    setFixedWidth(width);
    setValue(0);
    connect(this, &QLineEdit::editingFinished, this, &IntegerField::commit);
}

void IntegerField::setValue(qint64 value)
{
    m_value = value;
    setText(QLocale().toString(value));
}

void IntegerField::commit()
{
    bool ok = false;
    const qint64 typed = QLocale().toLongLong(text().trimmed(), &ok);
    if (!ok) {
        setValue(m_value);
        return;
    }
    const bool changed = typed != m_value;
    setValue(typed);
    if (changed)
        emit valueCommitted(typed);
}
