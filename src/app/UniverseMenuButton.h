#pragma once

#include "universe/UniverseManager.h"

#include <QAbstractButton>
#include <QPointer>

class ElidedLabel;
class QLabel;
class ProgressSpinner;
class QMenu;

// The universe menu at the top of the sidebar's footer. Its label shows the open
// universe's name on one line; its menu lists every stored universe (the open one
// checked) to open it, then "New Universe…", "Rename…" and "Delete…". Opening a
// universe goes straight to the store; the other three ask their owner to show an
// alert. Every choice is carried out once the menu has closed.
//
// While the store reads a universe to open it, the label says “Opening “Name”…”
// beside the spinner, and the menu cannot be opened: a second choice
// would abandon the first, and creating, renaming or deleting would act on a
// universe about to be left. Nor can it while the program waits to quit, when the
// store takes no other request.
class UniverseMenuButton : public QAbstractButton
{
    Q_OBJECT

public:
    UniverseMenuButton(UniverseManager *manager, StarfarerUniverse *universe, QWidget *parent = nullptr);

    QMenu *menu() const { return m_menu; }
    // The name as the label holds it (it may be drawn cut), or what it says while a
    // universe is being opened.
    QString labelName() const;
    ElidedLabel *nameLabel() const { return m_name; }

    // Fills the menu from the store's list and the open universe.
    void rebuildMenu();

    QSize sizeHint() const override;

signals:
    void newRequested();
    void renameRequested();
    void deleteRequested();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void refreshLabel();
    void showMenu();
    // Runs `action` after the menu has finished with the item that asked for it.
    void later(std::function<void()> action);

    QPointer<UniverseManager> m_manager;
    QPointer<StarfarerUniverse> m_universe;
    QMenu *m_menu;
    QLabel *m_symbol;
    ProgressSpinner *m_spinner;
    ElidedLabel *m_name;
};
