#pragma once

#include "model/TechnologyLevel.h"

#include <QWidget>

#include <optional>

class DisclosureGroup;
class QVBoxLayout;
class UniverseFollower;
class UniverseManager;

// The reference card of the world-profile notation: the key of the profile line with
// its legend, then collapsible groups listing every code of each profile digit with
// its meaning, the bases, the trade codes by group, the extension fields and the
// extended-hexadecimal digits. Everything is constant except the tech-level group,
// which lists the scale of the open universe's rule flavour and follows the store
// when another universe opens or the open one's hexes change.
class UWPReferenceView : public QWidget
{
    Q_OBJECT

public:
    explicit UWPReferenceView(UniverseManager *manager, QWidget *parent = nullptr);

    // The scale the tech-level group lists now.
    TechnologyLevelSystem techLevelSystem() const { return *m_techLevelSystem; }

private:
    QWidget *makeHeader();
    QWidget *makeList();
    DisclosureGroup *addGroup(QVBoxLayout *list, const QString &title);
    void addSectionHeader(QVBoxLayout *list, const QString &text);
    void fillExtensions(QVBoxLayout *list);
    // Lists the tech levels of the open universe's flavour when that has changed.
    void refreshTechLevels();

    UniverseFollower *m_follower;
    DisclosureGroup *m_techLevels = nullptr;
    std::optional<TechnologyLevelSystem> m_techLevelSystem;
};
