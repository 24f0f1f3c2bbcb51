#pragma once

#include "ui/Tile.h"

#include <QList>
#include <QString>

class QLabel;
class QMenu;
class QToolButton;

// One row of the world editor: the title in bold with a colon, the current value
// (wrapping as it needs), and a pencil menu that offers the row's options. The
// options are refilled from the world after every edit, so they follow the codes
// they depend on. A row that is not editable has no menu and reads like a plain
// tile.
class WorldEditRow : public Tile
{
    Q_OBJECT

public:
    // Pick lists mark the current value as the chosen one of the group; toggle lists
    // are independent buttons that show a check mark beside each entry that is on.
    enum class MenuKind { pick, toggles };

    struct Option
    {
        QString text;
        bool marked = false;
    };

    WorldEditRow(const QString &title, MenuKind kind, double viewWidth, QWidget *parent = nullptr);

    QString title() const { return m_title; }
    QString valueText() const;
    void setValueText(const QString &text);

    // Replaces the menu's entries.
    void setOptions(const QList<Option> &options);
    // The menu that the pencil opens; its actions are the options, in order.
    QMenu *menu() const { return m_menu; }
    QToolButton *menuButton() const { return m_button; }

    bool isEditable() const { return m_editable; }
    void setEditable(bool editable);

signals:
    // The user chose the option at this position.
    void optionChosen(int index);

private:
    QString m_title;
    MenuKind m_kind;
    bool m_editable = true;
    QLabel *m_value;
    QToolButton *m_button;
    QMenu *m_menu = nullptr;
};
