#include "SystemCardTexts.h"

#include "model/CapitalizedWords.h"
#include "model/WorldDescriptions.h"
#include "model/WorldTag.h"

SystemCardTexts SystemCardTexts::of(const HexData &hex)
{
    const StarSystem &system = hex.starSystem;
    const std::optional<WorldData> mainWorld = system.mainWorld();

    SystemCardTexts texts;
    texts.title = system.name.isEmpty() ? QStringLiteral("Unnamed System") : system.name;
    if (mainWorld && mainWorld->uwp.population > 8)
        texts.title = texts.title.toUpper();
    texts.hexLine = QStringLiteral("HEX ") + hex.coordinates.description() + QStringLiteral(" Subsector-") +
                    hex.coordinates.subsectorLetter();
    if (!mainWorld) {
        texts.mainWorldName = QStringLiteral("No main world");
        return texts;
    }
    texts.mainWorldName = mainWorld->name.isEmpty() ? QString(QChar(0x2013)) : mainWorld->name;
    texts.uwpLine = mainWorldUWPLine(system, *mainWorld, u'\n');
    for (const WorldTag tag : mainWorld->worldTags)
        texts.worldTags.append(capitalizedWords(rawValue(tag)));
    return texts;
}
