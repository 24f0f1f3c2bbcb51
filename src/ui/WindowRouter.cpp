#include "WindowRouter.h"

#include "RoutedWindow.h"

#include <QAction>
#include <QCoreApplication>
#include <QLabel>

namespace {

// A stand-in for a window whose screen has not been plugged in: its title, centred.
QWidget *titlePage(const QString &title)
{
    auto *page = new QLabel(title);
    page->setAlignment(Qt::AlignCenter);
    QFont font = page->font();
    font.setPixelSize(22);
    font.setBold(true);
    page->setFont(font);
    return page;
}

QString translatedTitle(const WindowScene &scene)
{
    return QCoreApplication::translate("WindowRouter", scene.title);
}

} // namespace

WindowRouter::WindowRouter(QObject *parent) : QObject(parent) {}

WindowRouter::~WindowRouter()
{
    // Windows have no parent (they are top-level), so the router that made them
    // removes them; their own close handling must not reach back into this object.
    const QList<Entry> entries = std::exchange(m_entries, {});
    for (const Entry &entry : entries) {
        if (entry.window) {
            entry.window->disconnect(this);
            delete entry.window.data();
        }
    }
}

const QList<WindowScene> &WindowRouter::scenes()
{
    static const QList<WindowScene> table{
        {WindowId::uwpReference, QT_TRANSLATE_NOOP("WindowRouter", "UWP Reference"), false, QSize(430, 680),
         true},
        {WindowId::worldInfo, QT_TRANSLATE_NOOP("WindowRouter", "World Info"), true, QSize(400, 600), true},
        {WindowId::systemTravel, QT_TRANSLATE_NOOP("WindowRouter", "System Travel"), true, QSize(660, 620),
         true},
        {WindowId::about, QT_TRANSLATE_NOOP("WindowRouter", "About Vostrel"), false, QSize(), false},
    };
    return table;
}

const WindowScene *WindowRouter::scene(const QString &id)
{
    for (const WindowScene &candidate : scenes()) {
        if (candidate.id == id)
            return &candidate;
    }
    return nullptr;
}

bool WindowRouter::setContentFactory(const QString &id, ContentFactory factory)
{
    const WindowScene *found = scene(id);
    if (!found || found->group || !factory)
        return false;
    m_factories.insert(found->id, std::move(factory));
    return true;
}

bool WindowRouter::setGroupContentFactory(const QString &id, GroupContentFactory factory)
{
    const WindowScene *found = scene(id);
    if (!found || !found->group || !factory)
        return false;
    m_groupFactories.insert(found->id, std::move(factory));
    return true;
}

RoutedWindow *WindowRouter::openWindow(const QString &id)
{
    const WindowScene *found = scene(id);
    if (!found || found->group)
        return nullptr;
    return open(*found, std::nullopt);
}

RoutedWindow *WindowRouter::openWindow(const QString &id, const GalacticCoordinates &coordinates)
{
    const WindowScene *found = scene(id);
    if (!found || !found->group)
        return nullptr;
    return open(*found, coordinates);
}

RoutedWindow *WindowRouter::window(const QString &id) const
{
    return find(id, std::nullopt);
}

RoutedWindow *WindowRouter::window(const QString &id, const GalacticCoordinates &coordinates) const
{
    return find(id, coordinates);
}

QList<RoutedWindow *> WindowRouter::openWindows() const
{
    QList<RoutedWindow *> result;
    for (const Entry &entry : m_entries) {
        if (entry.window)
            result.append(entry.window);
    }
    return result;
}

void WindowRouter::addSharedAction(QAction *action)
{
    if (!action || m_sharedActions.contains(action))
        return;
    m_sharedActions.append(action);
    for (RoutedWindow *open : openWindows())
        open->addAction(action);
}

RoutedWindow *WindowRouter::find(const QString &id,
                                 const std::optional<GalacticCoordinates> &coordinates) const
{
    for (const Entry &entry : m_entries) {
        if (entry.window && entry.id == id && entry.coordinates == coordinates)
            return entry.window;
    }
    return nullptr;
}

RoutedWindow *WindowRouter::open(const WindowScene &scene,
                                 const std::optional<GalacticCoordinates> &coordinates)
{
    if (RoutedWindow *existing = find(scene.id, coordinates)) {
        existing->setWindowState(existing->windowState() & ~Qt::WindowMinimized);
        existing->show();
        existing->raise();
        existing->activateWindow();
        return existing;
    }

    auto *window = new RoutedWindow(scene.id, coordinates, makeContent(scene, coordinates));
    window->setWindowTitle(translatedTitle(scene));
    window->setWindowFlag(Qt::WindowStaysOnTopHint, scene.floating);
    if (scene.defaultSize.isValid())
        window->resize(scene.defaultSize);
    else
        window->adjustSize();
    for (const QPointer<QAction> &action : std::as_const(m_sharedActions)) {
        if (action)
            window->addAction(action);
    }
    connect(window, &RoutedWindow::closed, this, [this, window] { forget(window); });
    connect(window, &QObject::destroyed, this, [this](QObject *object) { forget(object); });
    m_entries.append({scene.id, coordinates, window, window});

    window->show();
    window->raise();
    window->activateWindow();
    emit windowOpened(window);
    return window;
}

QWidget *WindowRouter::makeContent(const WindowScene &scene,
                                   const std::optional<GalacticCoordinates> &coordinates)
{
    QWidget *content = nullptr;
    if (coordinates) {
        if (const auto factory = m_groupFactories.constFind(scene.id); factory != m_groupFactories.cend())
            content = (*factory)(*coordinates);
    } else if (const auto factory = m_factories.constFind(scene.id); factory != m_factories.cend()) {
        content = (*factory)();
    }
    return content ? content : titlePage(translatedTitle(scene));
}

void WindowRouter::forget(const QObject *identity)
{
    m_entries.removeIf([identity](const Entry &entry) { return entry.identity == identity; });
}
