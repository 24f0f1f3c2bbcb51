#include "FactionDraft.h"

#include "MapObjectStore.h"
#include "model/CapitalizedWords.h"

#include <QCoreApplication>
#include <QStringList>

namespace {

TechnologyLevel lowestLevel(bool travellerRules)
{
    return travellerRules ? TechnologyLevel::ttl0 : TechnologyLevel::tl0;
}

// A fresh asset of the create form: a force starship of the lowest level.
FactionAsset blankAsset(bool travellerRules)
{
    FactionAsset asset;
    asset.category = AssetCategory::force;
    asset.type = AssetType::starship;
    asset.tl = lowestLevel(travellerRules);
    return asset;
}

} // namespace

FactionDraft::FactionDraft(const std::optional<Faction> &editing)
    : faction(editing.value_or(Faction{})), asset(blankAsset(false)), m_editing(editing)
{}

void FactionDraft::toggleTag(FactionTag tag)
{
    if (!faction.tags.removeOne(tag))
        faction.tags.append(tag);
}

QString FactionDraft::tagsSummary() const
{
    if (faction.tags.isEmpty())
        return QCoreApplication::translate("FactionEditingView", "None");
    QStringList texts;
    for (const FactionTag tag : faction.tags)
        texts.append(capitalizedWords(rawValue(tag)));
    return texts.join(QStringLiteral(", "));
}

void FactionDraft::addAsset(bool travellerRules)
{
    FactionAsset added = asset;
    added.location = faction.homeworld;
    faction.assets.append(added);
    resetAssetFields(travellerRules);
}

void FactionDraft::removeAsset(qsizetype position)
{
    deleteAssets({position});
}

void FactionDraft::deleteAssets(const QList<qsizetype> &positions)
{
    MapObjectStore::removePositions(faction.assets, positions);
}

void FactionDraft::syncAssetTechLevel(bool travellerRules)
{
    const bool onTravellerScale = technologyLevelSystem(asset.tl) == TechnologyLevelSystem::traveller;
    if (onTravellerScale != travellerRules)
        asset.tl = lowestLevel(travellerRules);
}

void FactionDraft::resetForm(bool travellerRules)
{
    faction = Faction{};
    resetAssetFields(travellerRules);
}

void FactionDraft::resetAssetFields(bool travellerRules)
{
    asset = blankAsset(travellerRules);
}

MapObjectStore::Outcome FactionDraft::save(StarfarerUniverse &universe)
{
    Faction built = faction;
    built.id = m_editing ? m_editing->id : QUuid::createUuid();
    built.notes = m_editing ? m_editing->notes : QList<FactionNote>{};
    return MapObjectStore::storeFromEditor(universe, built, m_editing,
                                           [this, &universe] { resetForm(universe.usesTravellerRules()); });
}
