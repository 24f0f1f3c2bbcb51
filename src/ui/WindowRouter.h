#pragma once

#include "model/GalacticCoordinates.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QSize>
#include <QString>

#include <functional>
#include <optional>

class QAction;
class RoutedWindow;

// The identifiers of the program's windows; other parts of the program open
// windows by these names.
namespace WindowId {
inline constexpr QLatin1StringView main{"main"};
inline constexpr QLatin1StringView uwpReference{"uwp-reference"};
inline constexpr QLatin1StringView worldInfo{"world-info"};
inline constexpr QLatin1StringView systemTravel{"system-travel"};
inline constexpr QLatin1StringView about{"about"};
} // namespace WindowId

// What the router knows of each window it can open.
struct WindowScene
{
    QLatin1StringView id;
    const char *title; // source text, translated when shown
    bool group;        // one window per coordinates instead of one window in all
    QSize defaultSize; // an invalid size lets the content choose
    bool floating;     // kept above the other windows
};

// The one place that opens the auxiliary windows. A single window ("uwp-reference",
// "about") exists at most once and a window group ("world-info", "system-travel")
// at most once per coordinates; opening one that is already open brings it to the
// front instead of making another. Windows are top-level and deleted when closed,
// so opening after a close builds fresh content.
//
// The content of each window comes from a factory registered by id, so that the
// screens plug their own views in; until one is registered a window shows a plain
// page with its title.
class WindowRouter : public QObject
{
    Q_OBJECT

public:
    using ContentFactory = std::function<QWidget *()>;
    using GroupContentFactory = std::function<QWidget *(const GalacticCoordinates &)>;

    explicit WindowRouter(QObject *parent = nullptr);
    // Closes and deletes every window still open.
    ~WindowRouter() override;

    // The windows the router opens, in a fixed order; the main window is not one.
    static const QList<WindowScene> &scenes();
    // The scene with that id, or nothing for an id the router does not open.
    static const WindowScene *scene(const QString &id);

    // Sets the content of a single window or of a window group. False (and nothing
    // changed) for an unknown id or one of the other kind. Windows already open keep
    // their content.
    bool setContentFactory(const QString &id, ContentFactory factory);
    bool setGroupContentFactory(const QString &id, GroupContentFactory factory);

    // Opens the single window `id`, or raises it when open. Null for an unknown id
    // or a window group (which needs coordinates).
    RoutedWindow *openWindow(const QString &id);
    // Opens the window of group `id` for `coordinates`, or raises it when open. Null
    // for an unknown id or a single window.
    RoutedWindow *openWindow(const QString &id, const GalacticCoordinates &coordinates);

    // The open window, or null.
    RoutedWindow *window(const QString &id) const;
    RoutedWindow *window(const QString &id, const GalacticCoordinates &coordinates) const;
    // Every open window, in the order they were opened.
    QList<RoutedWindow *> openWindows() const;

    // Adds an action (with an application-wide shortcut) to every window the router
    // has open or opens later, so that its shortcut keeps working while only
    // auxiliary windows are left on screen.
    void addSharedAction(QAction *action);

signals:
    void windowOpened(RoutedWindow *window);

private:
    struct Entry
    {
        QString id;
        std::optional<GalacticCoordinates> coordinates;
        QPointer<RoutedWindow> window;
        // The window's address, only compared: while a window is being destroyed
        // `window` must not be read as a RoutedWindow any more.
        const QObject *identity = nullptr;
    };

    RoutedWindow *find(const QString &id, const std::optional<GalacticCoordinates> &coordinates) const;
    RoutedWindow *open(const WindowScene &scene, const std::optional<GalacticCoordinates> &coordinates);
    QWidget *makeContent(const WindowScene &scene, const std::optional<GalacticCoordinates> &coordinates);
    void forget(const QObject *identity);

    QHash<QString, ContentFactory> m_factories;
    QHash<QString, GroupContentFactory> m_groupFactories;
    QList<Entry> m_entries;
    QList<QPointer<QAction>> m_sharedActions;
};
