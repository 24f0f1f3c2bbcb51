#pragma once

#include "ui/Symbol.h"
#include "ui/Tile.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class QHBoxLayout;
struct UWP;

// One value of a ParametersView: a text that may carry a symbol inline, followed by
// more text ("1.05 ", the symbol, "ρ").
struct ParameterValue
{
    QString text;
    std::optional<Symbol> symbol;
    QString trailingText;

    ParameterValue() = default;
    // Implicit, so that a plain text can stand wherever a value is expected.
    ParameterValue(const QString &text) : text(text) {}
    ParameterValue(const QString &text, Symbol symbol, const QString &trailingText)
        : text(text), symbol(symbol), trailingText(trailingText)
    {}

    // A world's density in the locale's default number form, then the density symbol
    // and "ρ".
    static ParameterValue density(const UWP &uwp);

    friend bool operator==(const ParameterValue &, const ParameterValue &) = default;
};

// A tile showing several titled values side by side in one row, each title in bold
// with a colon, spread over the width. The row is 20 pixels high; a value too long
// for it is cut with an ellipsis.
class ParametersView : public Tile
{
    Q_OBJECT

public:
    static constexpr int kRowHeight = 20;

    ParametersView(const QStringList &titles, const QList<ParameterValue> &parameters, double viewWidth,
                   QWidget *parent = nullptr);

    // Replaces the values; a title without a value shows an empty value.
    void setParameters(const QList<ParameterValue> &parameters);

    const QStringList &titles() const { return m_titles; }
    const QList<ParameterValue> &parameters() const { return m_parameters; }

private:
    void rebuild();

    QStringList m_titles;
    QList<ParameterValue> m_parameters;
    QHBoxLayout *m_row;
};
