#include "ParametersView.h"

#include "model/NumberFormat.h"
#include "model/UWP.h"
#include "ui/ClearLayout.h"
#include "ui/ElidedLabel.h"
#include "ui/TextStyle.h"

#include <QHBoxLayout>
#include <QLabel>

#include <algorithm>
#include <cmath>

namespace {

QLabel *plainLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

ParameterValue ParameterValue::density(const UWP &uwp)
{
    return ParameterValue(NumberFormat::decimal(uwp.density) + QLatin1Char(' '), Symbol::eCircle,
                          QStringLiteral("ρ"));
}

ParametersView::ParametersView(const QStringList &titles, const QList<ParameterValue> &parameters,
                               double viewWidth, QWidget *parent)
    : Tile(parent), m_titles(titles), m_parameters(parameters), m_row(new QHBoxLayout(this))
{
    setContentWidth(viewWidth);
    setFixedHeight(kRowHeight + 2 * kVerticalPadding);
    m_row->setContentsMargins(0, 0, 0, 0);
    rebuild();
}

void ParametersView::setParameters(const QList<ParameterValue> &parameters)
{
    if (parameters == m_parameters)
        return;
    m_parameters = parameters;
    rebuild();
}

void ParametersView::rebuild()
{
    clearLayout(m_row);
    const QFont font = textFont(TextStyle::body);
    // One titled value: the value's text, then, for some, a symbol and more text.
    struct Shown
    {
        QLabel *title;
        ElidedLabel *text;
        QList<QLabel *> after;
    };
    QList<Shown> shown;
    for (qsizetype i = 0; i < m_titles.size(); ++i) {
        // A value list shorter than the titles leaves the remaining values empty
        // instead of reading past its end.
        const ParameterValue value = i < m_parameters.size() ? m_parameters.at(i) : ParameterValue();
        QLabel *title = plainLabel(m_titles.at(i) + QLatin1Char(':'), this);
        title->setFont(textFont(TextStyle::body, false, true));
        ElidedLabel *text = elidedLabel(value.text, font, this, "parameterValue");
        text->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
        QList<QLabel *> after;
        if (value.symbol) {
            auto *symbol = new QLabel(this);
            const int size = QFontMetrics(font).height() - 2;
            symbol->setPixmap(symbolPixmap(*value.symbol, size, palette().color(QPalette::WindowText),
                                           devicePixelRatioF()));
            symbol->setObjectName(QStringLiteral("parameterSymbol"));
            QLabel *trailing = plainLabel(value.trailingText, this);
            trailing->setFont(font);
            trailing->setObjectName(QStringLiteral("parameterTrailing"));
            after = {symbol, trailing};
        }
        shown.append({title, text, after});
    }

    // What the titles, the symbols and the spacing between the row's pieces leave the
    // value texts, shared equally: a text asks for its own width up to its share, so
    // one that fits its share is never cut, and a longer one is cut with an ellipsis
    // to what the others leave it.
    const int count = static_cast<int>(shown.size());
    int room = contentWidth() - std::max(m_row->spacing(), 0) * std::max(2 * count - 1, 0);
    for (const Shown &value : std::as_const(shown)) {
        room -= value.title->sizeHint().width();
        for (const QLabel *piece : value.after)
            room -= piece->sizeHint().width();
    }
    const int share = count > 0 ? std::max(room / count, 0) : 0;
    for (const Shown &value : std::as_const(shown)) {
        m_row->addWidget(value.title);
        value.text->setMinimumWidth(std::min(value.text->sizeHint().width(), share));
        // The pieces of one value sit tight together, like one run of text.
        auto *pieces = new QHBoxLayout;
        pieces->setSpacing(0);
        pieces->addWidget(value.text);
        for (QLabel *piece : value.after)
            pieces->addWidget(piece);
        m_row->addLayout(pieces);
        m_row->addStretch(1);
    }
    if (shown.isEmpty())
        m_row->addStretch(1);
}
