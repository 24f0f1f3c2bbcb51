#pragma once

#include "model/HexData.h"
#include "ui/Symbol.h"
#include "universe/MapViewMode.h"

#include <QFrame>

#include <functional>

class ElidedLabel;
class ReadOnlyNotesView;
class QLabel;
class QToolButton;
class QVBoxLayout;
class StarfarerUniverse;
class WindowRouter;

// The card the star map lays over its corner while a system is selected: the
// system's name and hex, its main world's name and profile line, and a scrolling
// summary of its stars and worlds. The referee's card adds the hex notes, the main
// world's notes, tags and factions. Its header opens the system's travel window and
// the main world's information window (both by the hex's coordinates), copies the
// main world's Markdown summary to the clipboard, and closes the card. The card only
// reads the universe; the map builds a new one whenever the selection or the universe
// changes.
class SystemOverlayCard : public QFrame
{
    Q_OBJECT

public:
    // Builds the stars-and-worlds summary of a system whose tiles lay their content
    // out `viewWidth` wide (a tile adds its padding around that); the application
    // hands in the system screens' summary views.
    using SummaryFactory = std::function<QWidget *(const StarSystem &starSystem, int viewWidth)>;

    SystemOverlayCard(const StarfarerUniverse *universe, const HexData &hex, MapViewMode viewMode,
                      std::function<void()> onClose, WindowRouter *router, int width,
                      const SummaryFactory &summary, QWidget *parent = nullptr);

    const HexData &hex() const { return m_hex; }
    // The header's buttons; null for those the system does not offer.
    QToolButton *travelButton() const { return m_travel; }
    QToolButton *worldInfoButton() const { return m_worldInfo; }
    QToolButton *copyButton() const { return m_copy; }
    QToolButton *closeButton() const { return m_close; }

    // Puts the main world's Markdown summary on the clipboard in place of what it held.
    void copyToClipboard() const;

    // The secondary colour of the card's buttons and legend: the text colour toned
    // towards the card's fill, so that it stays clearly readable on it.
    static QColor secondaryInk();

private:
    QWidget *header();
    void addMainWorldSection(QVBoxLayout *column, bool referee);
    QToolButton *button(Symbol symbol, int size, const QString &help);
    QLabel *label(const QString &text, const QFont &font, bool selectable);
    ElidedLabel *nameLabel(const QString &text, const QFont &font, const char *objectName);
    ReadOnlyNotesView *notesView(const QString &text, int maximumHeight, const QString &objectName);
    void openWindow(const QString &id) const;

    const StarfarerUniverse *m_universe;
    HexData m_hex;
    std::function<void()> m_onClose;
    WindowRouter *m_router;
    QToolButton *m_travel = nullptr;
    QToolButton *m_worldInfo = nullptr;
    QToolButton *m_copy = nullptr;
    QToolButton *m_close = nullptr;
};
