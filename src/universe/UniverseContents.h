#pragma once

#include "Faction.h"
#include "FactionList.h"
#include "HexList.h"
#include "MapViewMode.h"
#include "Nebula.h"
#include "Region.h"
#include "Rutter.h"
#include "StarmapLabel.h"
#include "model/HexData.h"
#include "json/JsonWriter.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QUuid>

#include <optional>
#include <vector>

// The twenty stored fields of a universe as plain values: exactly what its file
// holds. Copying is cheap (the lists share their elements until one side changes,
// and the systems are shared chunk by chunk), so a save takes a copy as its snapshot
// and writes it on another thread.
struct UniverseContents
{
    static inline const QString kUntitledName = QStringLiteral("Untitled Universe");

    QUuid id;
    QString name = kUntitledName;
    HexList data;
    QList<Faction> factions;
    QList<FactionList> factionLists;
    QList<Rutter> rutters;
    QList<Nebula> nebulae;
    QList<Region> regions;
    QList<StarmapLabel> starmapLabels;
    QSet<QString> hiddenLabelCategories;
    MapViewMode mapViewMode = MapViewMode::referee;
    bool mapShowRutters = true;
    bool mapShowNebulae = true;
    bool mapShowRegions = true;
    bool mapShowLabels = true;
    bool mapShowSurveyedData = true;
    bool mapShowStarfarers = true;
    bool mapShowSathar = true;
    bool mapShowOther = true;
    QSet<QUuid> selectedFactionIDs;

    // The key of the systems: a file's largest part by far.
    static constexpr QLatin1StringView kDataKey{"data"};

    // Every key is optional: a missing key (or null) keeps the default of a new
    // document (a new random id); a key of the wrong type fails the whole read. The
    // systems of `data` are decoded on all cores, with the same result and the same
    // first error as one after the other. `systems`, when given, holds the texts of
    // the elements of `data` (JsonParser::parseOutline), which the reader's object
    // then lacks: each system is parsed only when it is decoded.
    static UniverseContents
    fromJson(const JsonReader &reader,
             const std::optional<std::vector<QByteArrayView>> &systems = std::nullopt);
    // All twenty keys, every one written.
    JsonObject toJson() const;
    // The text of toJson() as JsonWriter writes it, handed to `output` in pieces and
    // made one system at a time: a save never holds the whole document's value or
    // text. False when the output refused a piece.
    bool writeJson(const JsonWriter::Output &output) const;

    // Repairs of older files, run once after decoding: whole faction records stored
    // in rutters and worlds become ids of these factions, matched by name. The
    // worlds' records are decoded on the way; one that does not decode throws
    // DecodeError with its key path.
    void relinkRutterFactions();
    void relinkWorldFactions();

private:
    // The nineteen keys besides "data".
    JsonObject toJsonBesidesData() const;
};
