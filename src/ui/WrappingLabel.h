#pragma once

#include <QLabel>

// A plain-text label that stays on one line while its layout gives it the width of
// that line, and wraps onto more lines only when it gets less. (A word-wrapped
// QLabel asks for a width of its own guessing and wraps long before the room runs
// out.) Nothing of the text is ever cut.
class WrappingLabel : public QLabel
{
    Q_OBJECT

public:
    explicit WrappingLabel(const QString &text = QString(), QWidget *parent = nullptr);

    QSize sizeHint() const override;
};
