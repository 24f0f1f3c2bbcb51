#include "ParametersView.h"

#include "model/NumberFormat.h"
#include "model/UWP.h"
#include "ui/ClearLayout.h"
#include "ui/TextStyle.h"

#include <QHBoxLayout>
#include <QLabel>

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
    for (qsizetype i = 0; i < m_titles.size(); ++i) {
        auto *title = plainLabel(m_titles.at(i) + QLatin1Char(':'), this);
        title->setFont(textFont(TextStyle::body, false, true));
        m_row->addWidget(title);
        // A value list shorter than the titles leaves the remaining values empty
        // instead of reading past its end.
        const ParameterValue value = i < m_parameters.size() ? m_parameters.at(i) : ParameterValue();
        // The pieces of one value sit tight together, like one run of text.
        auto *pieces = new QHBoxLayout;
        pieces->setSpacing(0);
        auto *text = plainLabel(value.text, this);
        text->setFont(font);
        text->setObjectName(QStringLiteral("parameterValue"));
        pieces->addWidget(text);
        if (value.symbol) {
            auto *symbol = new QLabel(this);
            const int size = QFontMetrics(font).height() - 2;
            symbol->setPixmap(symbolPixmap(*value.symbol, size, palette().color(QPalette::WindowText),
                                           devicePixelRatioF()));
            symbol->setObjectName(QStringLiteral("parameterSymbol"));
            pieces->addWidget(symbol);
            auto *trailing = plainLabel(value.trailingText, this);
            trailing->setFont(font);
            trailing->setObjectName(QStringLiteral("parameterTrailing"));
            pieces->addWidget(trailing);
        }
        m_row->addLayout(pieces);
        m_row->addStretch(1);
    }
    if (m_titles.isEmpty())
        m_row->addStretch(1);
}
