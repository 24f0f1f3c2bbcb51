#include "LiveApp.h"

#include "DrivenLoop.h"
#include "LiveMap.h"
#include "SavedUniverses.h"
#include "SettingsDisk.h"
#include "StoreWatch.h"
#include "SyntheticSystems.h"
#include "app/ControlView.h"
#include "app/MainWindow.h"
#include "app/SidebarList.h"
#include "app/UniverseMenuButton.h"
#include "app/VostrelApp.h"
#include "starmap/ui/StarMapView.h"
#include "universe/UniverseManager.h"
#include "json/Json.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QMouseEvent>

namespace {

std::unique_ptr<LiveApp> &running()
{
    static std::unique_ptr<LiveApp> app;
    return app;
}

} // namespace

LiveApp &LiveApp::of(UniverseShape shape)
{
    std::unique_ptr<LiveApp> &app = running();
    if (app && app->shape() != shape)
        close();
    if (!app)
        app.reset(new LiveApp(shape, false));
    app->openUniverse(app->shapeID());
    return *app;
}

LiveApp &LiveApp::startedOnSmall(UniverseShape shape)
{
    close();
    running().reset(new LiveApp(shape, true));
    return *running();
}

void LiveApp::close()
{
    running().reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

LiveApp::LiveApp(UniverseShape shape, bool onSmall) : m_shape(shape)
{
    const UniverseFolder folder(m_documents.path(), m_documents.filePath(QStringLiteral("headers.json")));
    copySavedUniverse(shape, folder);
    {
        StarfarerUniverse small(folder);
        small.setName(QStringLiteral("Small"));
        small.setData(syntheticSystems(1000));
        small.saveNow();
        m_smallID = small.id();
    }
    m_settings = std::make_unique<QSettings>(m_documents.filePath(QStringLiteral("settings.bench")),
                                             SettingsDisk::format());
    m_settings->setValue(UniverseManager::kLastUniverseIDKey, uuidText(onSmall ? m_smallID : shapeID()));
    m_settings->setValue(UniverseManager::kDidMigrateKey, true);
    m_app = std::make_unique<VostrelApp>(folder, m_settings.get());
    if (!m_app->start())
        qFatal("The program did not start on %s", qPrintable(m_documents.path()));
    m_app->mainWindow()->resize(kWindowSize);
    m_pagePaints = std::make_unique<PaintWatch>([this] { return page(); });
    settle();
}

LiveApp::~LiveApp()
{
    m_pagePaints.reset();
    m_app.reset();
}

MainWindow &LiveApp::window() const
{
    return *m_app->mainWindow();
}

UniverseManager &LiveApp::manager() const
{
    return *m_app->manager();
}

StarfarerUniverse &LiveApp::universe() const
{
    return *manager().current();
}

ControlView &LiveApp::controlView() const
{
    return *window().controlView();
}

QWidget *LiveApp::page() const
{
    const ControlView *view = m_app ? m_app->mainWindow()->controlView() : nullptr;
    return view ? view->detailPage() : nullptr;
}

StarMapView *LiveApp::mapView() const
{
    return qobject_cast<StarMapView *>(page());
}

const QUuid &LiveApp::shapeID() const
{
    return savedUniverse(m_shape).id;
}

void LiveApp::clickRow(DestinationKind kind)
{
    SidebarList *list = controlView().sidebarList();
    const QPointF row = list->visualItemRect(list->itemFor(Destination::of(kind))).center();
    QWidget *viewport = list->viewport();
    const QPointF global = viewport->mapToGlobal(row);
    QCoreApplication::postEvent(viewport, new QMouseEvent(QEvent::MouseButtonPress, row, global,
                                                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
    QCoreApplication::postEvent(viewport, new QMouseEvent(QEvent::MouseButtonRelease, row, global,
                                                          Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
}

bool LiveApp::pagePainted() const
{
    return page() && m_pagePaints->lastPainted() == page();
}

void LiveApp::showPage(DestinationKind kind)
{
    if (controlView().detailDestination() == Destination::of(kind))
        return;
    const QWidget *before = page();
    clickRow(kind);
    if (!DrivenLoop::runUntil([&] { return page() != before; }))
        qFatal("The sidebar did not change the page");
    settle();
}

void LiveApp::chooseInMenu(const std::function<bool(const QAction &)> &chosen)
{
    UniverseMenuButton *button = controlView().universeMenuButton();
    button->rebuildMenu();
    for (QAction *entry : button->menu()->actions()) {
        if (chosen(*entry))
            DrivenLoop::post(entry, [entry] { entry->trigger(); });
    }
}

void LiveApp::chooseUniverse(const QUuid &id)
{
    for (const UniverseManager::Header &header : manager().headers()) {
        if (header.id == id)
            chooseInMenu([&](const QAction &entry) { return entry.text() == header.name; });
    }
}

void LiveApp::openUniverse(const QUuid &id)
{
    if (universe().id() == id)
        return;
    const StoreWatch store(manager());
    chooseUniverse(id);
    if (!store.runUntilCurrentIs(id))
        qFatal("The universe did not open");
    settle();
}

void LiveApp::reopen()
{
    openUniverse(m_smallID);
    openUniverse(shapeID());
}

void LiveApp::runUntilShown()
{
    if (!DrivenLoop::runUntil([this] { return pagePainted(); }))
        qFatal("The page was not painted");
    // A map without systems shows its empty state, never a sharp picture.
    if (StarMapView *map = mapView(); map && !map->emptyState() && !LiveMap(*map).runUntilSharp())
        qFatal("The map did not become sharp");
}

void LiveApp::settle()
{
    runUntilShown();
    DrivenLoop::runFor(100);
}
