#pragma once

#include "Destination.h"

class QWidget;
class StarfarerUniverse;
class UniverseManager;
class WindowRouter;
namespace TravellerMapImporter {
class RunningImports;
}

// What the screens of the detail column are given: the universe store, the open
// universe, the window router that opens the auxiliary windows and the program's
// sector imports.
struct ScreenEnvironment
{
    UniverseManager *manager = nullptr;
    StarfarerUniverse *universe = nullptr;
    WindowRouter *router = nullptr;
    TravellerMapImporter::RunningImports *imports = nullptr;
};

// The screens of the main window's detail column, one maker per destination, all in
// DetailPages.cpp: a screen that is built replaces its maker's plain page there.
namespace DetailPages {

// The star map of the main window is drawn with hexes of this radius, its grid
// reaching this many hexes beyond the outermost systems.
inline constexpr double kStarMapHexRadius = 60;
inline constexpr int kStarMapGridPadding = 2;

// A fresh screen, in its initial state, for `destination`.
QWidget *make(const Destination &destination, const ScreenEnvironment &environment);
// Whether the screen of `kind` is kept while its universe stays open and shown again
// when the sidebar comes back to it, instead of being built anew: the screens that
// cost more to build the more systems or rutters there are.
bool isKept(DestinationKind kind);
// Puts a kept screen of `kind` back in the state a fresh one starts in, so that it
// shows what a new one would.
void returnToStart(DestinationKind kind, QWidget *page);

} // namespace DetailPages
