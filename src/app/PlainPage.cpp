#include "PlainPage.h"

#include "ui/TextStyle.h"

#include <QLabel>
#include <QVBoxLayout>

PlainPage::PlainPage(const QString &title, QWidget *parent)
    : QWidget(parent), m_title(new QLabel(title, this))
{
    m_title->setObjectName(QStringLiteral("pageTitle"));
    m_title->setTextFormat(Qt::PlainText);
    m_title->setFont(textFont(22, false, true));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_title);
    layout->addStretch(1);
}

QString PlainPage::title() const
{
    return m_title->text();
}
