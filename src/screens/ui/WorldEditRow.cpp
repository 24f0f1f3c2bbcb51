#include "WorldEditRow.h"

#include "ui/LiteralText.h"
#include "ui/MenuMark.h"
#include "ui/SymbolButton.h"
#include "ui/TextStyle.h"

#include <QActionGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QToolButton>

WorldEditRow::WorldEditRow(const QString &title, MenuKind kind, double viewWidth, QWidget *parent)
    : Tile(parent), m_title(title), m_kind(kind), m_value(new QLabel(this)),
      m_button(new SymbolButton(Symbol::pencilCircleFill, palette().color(QPalette::WindowText), this))
{
    setContentWidth(viewWidth);
    QHBoxLayout *row = layOutTitledValue(title, m_value, QStringLiteral("row"));
    m_value->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    // A bare pencil: no frame, no arrow, only as large as its icon.
    m_button->setPopupMode(QToolButton::InstantPopup);
    m_button->setStyleSheet(QStringLiteral("QToolButton { border: none; padding: 0px; }"
                                           "QToolButton::menu-indicator { image: none; width: 0px; }"));
    m_button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    m_button->setToolTip(title);
    m_button->setObjectName(QStringLiteral("rowMenuButton"));

    row->addWidget(m_button, 0, Qt::AlignTop);
    setOptions({});
}

QString WorldEditRow::valueText() const
{
    return m_value->text();
}

void WorldEditRow::setValueText(const QString &text)
{
    m_value->setText(text);
}

void WorldEditRow::setOptions(const QList<Option> &options)
{
    // A fresh menu each time: the old one may be the menu whose action is being
    // handled right now, so it is only deleted once control is back in the event loop.
    QMenu *previous = m_menu;
    m_menu = new QMenu(literalText(m_title), m_button);
    auto *group = m_kind == MenuKind::pick ? new QActionGroup(m_menu) : nullptr;
    for (qsizetype i = 0; i < options.size(); ++i) {
        const Option &option = options.at(i);
        QAction *action = m_menu->addAction(literalText(option.text));
        if (group) {
            action->setCheckable(true);
            action->setChecked(option.marked);
            group->addAction(action);
        } else {
            setMenuMark(action, option.marked);
        }
        connect(action, &QAction::triggered, this, [this, i] { emit optionChosen(static_cast<int>(i)); });
    }
    m_button->setMenu(m_menu);
    if (previous)
        previous->deleteLater();
}

void WorldEditRow::setEditable(bool editable)
{
    m_editable = editable;
    m_button->setVisible(editable);
}
