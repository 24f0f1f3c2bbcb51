#include "ContentUnavailableView.h"

#include "SecondaryText.h"
#include "TextStyle.h"

#include <QLabel>
#include <QPalette>
#include <QVBoxLayout>

namespace {

constexpr int kSymbolSize = 44;

} // namespace

ContentUnavailableView::ContentUnavailableView(const QString &title, Symbol symbol,
                                               const QString &description, QWidget *parent)
    : QWidget(parent), m_symbol(symbol), m_title(new QLabel(title, this)),
      m_description(new QLabel(description, this))
{
    QColor faded = palette().color(QPalette::WindowText);
    faded.setAlphaF(0.45);

    auto *picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("symbol"));
    picture->setPixmap(symbolPixmap(symbol, kSymbolSize, faded, devicePixelRatioF()));
    picture->setAlignment(Qt::AlignCenter);

    m_title->setObjectName(QStringLiteral("title"));
    m_title->setTextFormat(Qt::PlainText);
    m_title->setFont(textFont(20, false, true));
    m_title->setAlignment(Qt::AlignCenter);

    m_description->setObjectName(QStringLiteral("description"));
    m_description->setTextFormat(Qt::PlainText);
    m_description->setWordWrap(true);
    m_description->setAlignment(Qt::AlignCenter);
    makeSecondary(m_description);
    // A placeholder without a description shows its title alone.
    m_description->setVisible(!description.isEmpty());

    auto *layout = new QVBoxLayout(this);
    layout->addStretch(1);
    layout->addWidget(picture);
    layout->addSpacing(6);
    layout->addWidget(m_title);
    layout->addWidget(m_description);
    layout->addStretch(1);
}

QString ContentUnavailableView::title() const
{
    return m_title->text();
}

QString ContentUnavailableView::description() const
{
    return m_description->text();
}
