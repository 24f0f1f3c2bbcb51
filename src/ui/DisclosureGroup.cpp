#include "DisclosureGroup.h"

#include "LiteralText.h"
#include "SymbolButton.h"

#include <QVBoxLayout>

namespace {

// Indents the content under the title, past the chevron.
constexpr int kContentIndent = 20;

} // namespace

DisclosureGroup::DisclosureGroup(const QString &title, QWidget *parent)
    : QWidget(parent), m_title(title),
      m_header(new SymbolButton(Symbol::chevronRight, palette().color(QPalette::WindowText), this)),
      m_content(new QWidget(this)), m_contentLayout(new QVBoxLayout(m_content))
{
    m_header->setText(literalText(title));
    m_header->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_header->setCheckable(true);
    m_header->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_header->setStyleSheet(QStringLiteral("QToolButton { border: none; text-align: left; }"));
    m_contentLayout->setContentsMargins(kContentIndent, 2, 0, 4);
    m_contentLayout->setSpacing(4);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_header);
    layout->addWidget(m_content);

    connect(m_header, &QToolButton::toggled, this, &DisclosureGroup::setExpanded);
    setExpanded(false);
}

bool DisclosureGroup::isExpanded() const
{
    return m_header->isChecked();
}

void DisclosureGroup::setExpanded(bool expanded)
{
    m_header->setChecked(expanded);
    m_header->setSymbol(expanded ? Symbol::chevronDown : Symbol::chevronRight,
                        palette().color(QPalette::WindowText));
    m_content->setVisible(expanded);
}
