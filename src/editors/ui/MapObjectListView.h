#pragma once

#include "ui/Symbol.h"

#include <QUuid>
#include <QWidget>

#include <functional>
#include <optional>

class MapObjectListModel;
class MapObjectListSource;
class QLabel;
class QListView;
class QVBoxLayout;

// The list screen every map-object kind shares: on the left, 280 points wide, a
// titled list of the array's elements in stored order and the "New <Thing>" row;
// on the right the editor of the selected element, the create form, or an empty
// state when the selection is cleared. "Delete" in a row's context menu (and the
// Delete key where the kind allows the swipe delete) removes the element and saves
// at once, without confirmation, and moves to the create form. The editor is made
// afresh only when the selection names another element or the create form, so
// saving keeps the editor the user is working in.
class MapObjectListView : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kListWidth = 280;

    struct EmptyState
    {
        QString title;
        Symbol symbol;
        QString message;
    };

    // The selection: the create form, or the element with this id.
    struct Selection
    {
        std::optional<QUuid> element; // none: the create form
        friend bool operator==(const Selection &, const Selection &) = default;
    };

    // Makes the editor of the element with this id, or the create form for none.
    using EditorFactory = std::function<QWidget *(const std::optional<QUuid> &element)>;

    // Takes ownership of `source`, and of `filters`: controls shown above the list, in
    // that order, that Tab reaches before the list.
    MapObjectListView(MapObjectListSource *source, EmptyState emptyState, EditorFactory makeEditor,
                      QWidget *parent = nullptr, const QList<QWidget *> &filters = {});

    const std::optional<Selection> &selection() const { return m_selection; }
    void select(const std::optional<Selection> &selection);
    // Back to what a new screen shows: the create form, made afresh so that nothing
    // typed into the last one stays, its row current in the list.
    void returnToStart();
    // The editor, the create form or the empty state now shown.
    QWidget *detail() const { return m_detail; }
    QListView *listView() const { return m_list; }
    MapObjectListModel *model() const { return m_model; }
    MapObjectListSource &listSource() const { return *m_source; }
    QString sectionTitle() const;

    // Deletes as the context menu does, or as the Delete key does for a list row.
    void deleteWithID(const QUuid &id);
    void deleteRow(int row);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Makes the detail for the selection, unless the one shown was made for it and
    // `remake` is false.
    void showDetail(bool remake = false);
    void syncListSelection();
    void refreshTexts();
    // The title and the selection shown again after the rows followed the source.
    void followSource();
    // Off screen the list holds its rows; it catches up once as it shows again.
    void catchUp();
    void showContextMenu(const QPoint &position);

    MapObjectListSource *m_source;
    EmptyState m_emptyState;
    EditorFactory m_makeEditor;
    MapObjectListModel *m_model;
    QLabel *m_sectionTitle;
    QListView *m_list;
    QVBoxLayout *m_detailLayout;
    QWidget *m_detail = nullptr;
    std::optional<Selection> m_selection = Selection{};
    std::optional<std::optional<Selection>> m_detailSelection; // what the detail was made for
    bool m_syncing = false;
};
