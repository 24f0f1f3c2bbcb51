#pragma once

#include "PaintWatch.h"
#include "SyntheticUniverses.h"
#include "app/Destination.h"

#include <QSettings>
#include <QSize>
#include <QTemporaryDir>
#include <QUuid>

#include <functional>
#include <memory>

class ControlView;
class QAction;
class MainWindow;
class StarMapView;
class StarfarerUniverse;
class UniverseManager;
class VostrelApp;

// The program as its user runs it, for the benchmarks that go through its windows:
// the application with its store on a documents folder of its own, which holds the
// universe of one shape (remembered, so that it opens at start) and a small one of
// 1,000 systems, its settings in a file whose writes a benchmark may slow down
// (SettingsDisk), and the main window shown at 1920 × 1080. One runs at a time.
//
// What a benchmark does to it is posted to the event loop, as input arrives, and the
// loop is then run (DrivenLoop): every listener hears it and what the program deletes
// later is deleted.
class LiveApp
{
public:
    static constexpr QSize kWindowSize{1920, 1080};

    // The program with the shape's universe open, started on first use (the map on
    // show and sharp); a program on another shape is closed first.
    static LiveApp &of(UniverseShape shape);
    // The program started afresh with its small universe open, the shape's universe
    // not yet opened in it: as a user who starts the program on another universe meets
    // the shape's. A program running is closed first.
    static LiveApp &startedOnSmall(UniverseShape shape);
    // Closes the program; call it before the QApplication goes.
    static void close();

    ~LiveApp();

    UniverseShape shape() const { return m_shape; }
    MainWindow &window() const;
    UniverseManager &manager() const;
    // The open universe.
    StarfarerUniverse &universe() const;
    ControlView &controlView() const;
    // The screen of the detail column.
    QWidget *page() const;
    // The map screen while it is on show, else null.
    StarMapView *mapView() const;
    const QUuid &shapeID() const;
    const QUuid &smallID() const { return m_smallID; }

    // A press and a release on the sidebar row of `kind`.
    void clickRow(DestinationKind kind);
    // Whether the screen on show has been painted since it was made.
    bool pagePainted() const;
    // Goes to `kind` (unless it is on show) as the user would, and waits until its
    // screen is painted — the map sharp — and 100 ms more.
    void showPage(DestinationKind kind);
    // Triggers the universe menu's entries that `chosen` picks, as a click on one does.
    void chooseInMenu(const std::function<bool(const QAction &)> &chosen);
    // Chooses the universe in the universe menu.
    void chooseUniverse(const QUuid &id);
    // Chooses the universe (unless it is open), waits until the store made it current
    // and then until its map is sharp.
    void openUniverse(const QUuid &id);
    // Opens the small universe and then the shape's again, as a user switching back
    // meets it: a new window content, its map and the map's caches made afresh.
    void reopen();
    // Waits until the screen on show is painted (a map with systems sharp).
    void runUntilShown();
    // Waits until the screen on show is shown, and 100 ms more.
    void settle();

private:
    // Started with the shape's universe open, or the small one.
    LiveApp(UniverseShape shape, bool onSmall);

    UniverseShape m_shape;
    QTemporaryDir m_documents;
    std::unique_ptr<QSettings> m_settings;
    QUuid m_smallID;
    std::unique_ptr<VostrelApp> m_app;
    std::unique_ptr<PaintWatch> m_pagePaints;
};
