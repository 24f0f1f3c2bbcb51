#pragma once

#include "ui/Tile.h"

#include <QString>

class QLabel;

// A tile with one titled value: the title in bold with a colon, then the value,
// which wraps onto as many lines as it needs. Both are aligned to the top.
class ParameterView : public Tile
{
    Q_OBJECT

public:
    ParameterView(const QString &title, const QString &parameter, double viewWidth,
                  QWidget *parent = nullptr);

    QString title() const { return m_title; }
    QString parameter() const;
    void setParameter(const QString &parameter);

private:
    QString m_title;
    QLabel *m_value;
};
