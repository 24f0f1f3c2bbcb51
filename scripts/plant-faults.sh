#!/usr/bin/env bash
# Plants small faults in the sources one at a time, rebuilds and runs the test
# suites against each, and prints which faults the suites catch, per fault and per
# source folder. Used to show that a change to the tests keeps their power to find
# faults: run it before and after.
#
#   scripts/plant-faults.sh [--build-dir DIR] [--jobs N] [--ctest] [--timeout SECONDS]
#                           [--folder NAME,...] [--only ID,...] [--list] [--out FILE]
#
#   --folder   only the faults planted in these source folders (json, model, universe,
#              import, ui, starmap, travel, screens, editors, app; a folder's ui/
#              part counts with it: starmap covers src/starmap/ui too)
#   --only     only the faults with these ids
#   --list     says which of the chosen faults still apply to the sources, and stops
#   --jobs     parallel build and test jobs (default 3)
#
# Each fault is (id, file, exact original text, replacement, kind). The original must
# occur exactly once in the file, else the fault is reported as "not applied" (the
# sources change under other work; the script says so and goes on). A fault that
# breaks the build counts as "caught (build)".
#
# No fault outlives a run: the file's text is written back after each fault, at once
# when the run gets SIGINT, SIGTERM or SIGHUP (which also end the builds and tests it
# started), and, after a run killed outright, by the next run (or --list) from a copy
# kept in the git folder. The script refuses to start while src/ has uncommitted
# changes, and while another run goes on in the same checkout.
#
# The build uses ccache when it is installed (with CCACHE_BASEDIR set to this
# checkout unless the caller set it) and lld when it is installed; neither is needed.
#
# By default the test executables are run directly, at most --jobs at a time, and
# only those the fault made the build relink (the others are the same programs that
# passed before): they hold the same cases CTest runs one by one, and this is much
# quicker. --ctest runs the whole of CTest instead.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
exec python3 - "$root" "$@" <<'PYTHON'
import argparse, concurrent.futures, fcntl, json, os, re, shutil, signal, subprocess, sys, threading, time

root = sys.argv[1]
parser = argparse.ArgumentParser(prog="plant-faults.sh")
parser.add_argument("--build-dir", default=os.path.join(root, "build-faults"))
parser.add_argument("--jobs", type=int, default=3)
parser.add_argument("--ctest", action="store_true")
parser.add_argument("--timeout", type=int, default=300, help="seconds one test executable may take")
parser.add_argument("--folder", default="")
parser.add_argument("--only", default="")
parser.add_argument("--list", action="store_true")
parser.add_argument("--out", default="")
args = parser.parse_args(sys.argv[2:])

# (id, file, original, replacement, what the fault is)
FAULTS = [
    # src/json
    # Leading zeros are also refused by what follows the number; this drops the whole check.
    ("json-leading-zero", "src/json/JsonParser.cpp",
     '    if (*p == \'0\') {\n        ++p;\n        if (p != m_end && isDigit(*p))\n            fail(p, "a number cannot start with 0");\n    } else {\n        while (p != m_end && isDigit(*p))\n            ++p;\n    }\n',
     '    while (p != m_end && isDigit(*p))\n        ++p;\n',
     "a parser accepting leading zeros"),
    ("json-trailing-text", "src/json/JsonParser.cpp", "if (parser.m_pos != parser.m_end)",
     "if (parser.m_pos > parser.m_end)", "text after the value accepted"),
    ("json-control-character", "src/json/JsonParser.cpp", "} else if (c < 0x20) {", "} else if (c < 0x1F) {",
     "off-by-one: an unescaped control character accepted"),
    ("json-escape-b", "src/json/JsonParser.cpp", r"case 'b': return U'\b';", r"case 'b': return U'\f';",
     "wrong escape read"),
    ("json-surrogate-pair", "src/json/JsonParser.cpp",
     "return char32_t(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));",
     "return char32_t(((unit - 0xD800) << 10) + (low - 0xDC00));", "surrogate pair combined wrongly"),
    ("json-array-depth", "src/json/JsonParser.cpp",
     'if (depth > maximumDepth)\n        fail(m_pos, "too deeply nested");\n    ++m_pos; // [',
     "++m_pos; // [", "nesting of arrays unbounded"),
    ("json-duplicate-first-wins", "src/json/JsonValue.cpp", "dropped[j] = true;", "dropped[i] = true;",
     "the first of duplicate keys kept"),
    ("json-indent", "src/json/JsonWriter.cpp", "left = qsizetype(indent) * 2;", "left = qsizetype(indent) * 4;",
     "wrong indentation written"),
    ("json-unicode-escape", "src/json/JsonWriter.cpp",
     "digits[(c >> 4) & 0xF], digits[c & 0xF]};", "digits[c & 0xF], digits[(c >> 4) & 0xF]};",
     "wrong escape written"),
    ("json-fraction-as-integer", "src/json/Json.cpp", "if (std::trunc(number) != number)",
     "if (std::isnan(number))", "a fraction reported as a number out of range"),
    ("json-uuid-braces", "src/json/Json.cpp",
     "const QUuid uuid = text.size() == 36 ? QUuid::fromString(text) : QUuid();",
     "const QUuid uuid = QUuid::fromString(text);", "a UUID in braces accepted"),
    ("json-key-order-signed", "src/json/JsonWriter.cpp",
     "return static_cast<unsigned char>(x[0]) < static_cast<unsigned char>(y[0]);", "return x[0] < y[0];",
     "keys beyond ASCII sorted before ASCII ones (bytes compared as signed)"),
    # src/model
    ("ehex-digit-skip", "src/model/EHex.cpp", "else if (value <= 17)", "else if (value <= 16)",
     "off-by-one in the letters that skip I"),
    ("ehex-value-skip", "src/model/EHex.cpp", "if (code <= 72)", "if (code <= 73)",
     "off-by-one reading the letters after H"),
    ("trade-ocean", "src/model/TradeClass.cpp", "when(s >= 10 && h == 10, TradeClass::ocean)",
     "when(s > 10 && h == 10, TradeClass::ocean)", "flipped comparison"),
    ("trade-nonindustrial", "src/model/TradeClass.cpp", "if (within(population, 4, 6))",
     "if (within(population, 4, 7))", "off-by-one range end"),
    ("trade-climate-swap", "src/model/TradeClass.cpp", "case 5: return TradeClass::cold;",
     "case 5: return TradeClass::tundra;", "wrong class for a zone"),
    ("compact-threshold", "src/model/NumberFormat.cpp", "if (magnitude < kScales.front().divisor)",
     "if (magnitude <= kScales.front().divisor)", "flipped boundary"),
    ("compact-halves", "src/model/NumberFormat.cpp", "if (2 * remainder > unit ||",
     "if (2 * remainder >= unit ||", "halves always round up"),
    ("uwp-atmo-range", "src/model/UWP.cpp", "size >= 10 ? 15 : size + 5;", "size >= 10 ? 15 : size + 4;",
     "off-by-one clamp"),
    ("uwp-hydro-modifier", "src/model/UWP.cpp", "(a >= 2 && a <= 9) ? 0 : -4", "(a >= 2 && a < 9) ? 0 : -4",
     "flipped comparison"),
    ("uwp-pop-multiplier", "src/model/UWP.cpp", "std::max(populationMultiplier, qint64(1))",
     "std::max(populationMultiplier, qint64(0))", "wrong floor of the multiplier"),
    ("uwp-legacy-scout", "src/model/UWP.cpp", "bases.insert(Base::scoutBase);",
     "bases.insert(Base::navalBase);", "legacy flag read as the wrong base"),
    ("uwp-density-default", "src/model/UWP.cpp", "r.optional<double>(kDensity, 1.0)",
     "r.optional<double>(kDensity, 0.0)", "wrong default"),
    ("starport-raw-swap", "src/model/Starport.h",
     '{Starport::typeF, "Good (Sp)", \'F\'},\n    {Starport::typeG, "Poor (Sp)", \'G\'},',
     '{Starport::typeF, "Poor (Sp)", \'F\'},\n    {Starport::typeG, "Good (Sp)", \'G\'},',
     "two raw values swapped"),
    ("hex-floor-half", "src/model/HexLayout.cpp", "return (q - (q & 1)) / 2;", "return q / 2;",
     "rounding towards zero for negative columns"),
    ("hex-column-base", "src/model/HexLayout.cpp", "hex.column = floorMod(col, 32) + 1;",
     "hex.column = floorMod(col, 32);", "off-by-one column"),
    ("coord-two-digits", "src/model/GalacticCoordinates.cpp", "return value < 10 ? u'0' + digits : digits;",
     "return value < 9 ? u'0' + digits : digits;", "off-by-one padding"),
    ("coord-subsector", "src/model/GalacticCoordinates.cpp", "const qint64 across = c / 8;",
     "const qint64 across = c / 7;", "wrong subsector width"),
    ("stellar-k-rule", "src/model/StellarRules.cpp", "type == SpectralType::K && decimal >= 5",
     "type == SpectralType::K && decimal > 5", "flipped comparison"),
    ("stellar-hz-cell", "src/model/StellarRules.cpp", "{12, 10, 9, 8, 5, 2, 1, 0},", "{12, 10, 9, 8, 5, 3, 1, 0},",
     "one table cell off by one"),
    ("star-class-orbit", "src/model/Star.cpp", "if (orbit != Orbits::starOrbitP)", "if (orbit == Orbits::starOrbitP)",
     "flipped condition"),
    ("world-wet", "src/model/WorldData.cpp", "const bool wet = uwp.hydrographics >= 8;",
     "const bool wet = uwp.hydrographics >= 9;", "off-by-one threshold"),
    ("world-tide-default", "src/model/WorldData.cpp", 'r.optional<bool>("tideLocked"_L1, false)',
     'r.optional<bool>("tideLocked"_L1, true)', "wrong default"),
    ("world-year-written", "src/model/WorldData.cpp", '{"yearLength"_L1, jsonValue(yearLength)}',
     '{"yearLength"_L1, jsonValue(dayLength)}', "wrong field written"),
    ("techlevel-modifier", "src/model/WorldProfileGeneration.cpp", "else if (population >= 10)\n        modifier += 4;",
     "else if (population >= 10)\n        modifier += 3;", "wrong table value"),
    ("options-default-tl", "src/model/GeneratorOptions.cpp", "TechnologyLevel::ttl15 : TechnologyLevel::tl4",
     "TechnologyLevel::ttl15 : TechnologyLevel::tl5", "wrong default"),
    ("options-density", "src/model/WorldDraft.cpp", "world.uwp.density = g * 8.0 /",
     "world.uwp.density = g * 4.0 /", "wrong constant"),
    ("panel-no-clamp", "src/model/WorldDraft.cpp", "    world.uwp.clampToAllowedRanges();\n", "",
     "clamp skipped"),
    # Shortening a text moved from the widgets to the model; the ids keep their names.
    ("ui-shortened-length", "src/model/ShortenedText.cpp", "qsizetype cut = std::max<qsizetype>(longest - 1, 0);",
     "qsizetype cut = std::max<qsizetype>(longest, 0);", "off-by-one: a shortened text one too long"),
    ("ui-shortened-surrogate", "src/model/ShortenedText.cpp",
     "    if (cut > 0 && text.at(cut - 1).isHighSurrogate())\n        --cut;\n", "",
     "a character cut in half"),
    ("uwp-density-key", "src/model/UWP.cpp",
     'constexpr QLatin1StringView kDensity("density");', 'constexpr QLatin1StringView kDensity("densty");',
     "a key misspelt in reading and writing alike"),
    ("uwp-multiplier-key", "src/model/UWP.cpp",
     'constexpr QLatin1StringView kPopulationMultiplier("populationMultiplier");',
     'constexpr QLatin1StringView kPopulationMultiplier("popMultiplier");',
     "a key misspelt in reading and writing alike"),
    # src/universe
    ("color-hex-digit", "src/universe/FactionColor.cpp", "if (u >= u'a' && u <= u'f')", "if (u >= u'a' && u < u'f')",
     "flipped comparison"),
    ("color-fallback", "src/universe/FactionColor.cpp", "if (!parsed)\n        return FactionColor::white;",
     "if (!parsed)\n        return FactionColor::red;", "wrong fallback"),
    ("faction-short-key", "src/universe/Faction.cpp", 'reader.optional<QString>("short"_L1',
     'reader.optional<QString>("shortName"_L1', "wrong key read"),
    ("faction-order", "src/universe/Faction.cpp",
     "std::lexicographical_compare(left.cbegin(), left.cend(), right.cbegin(), right.cend())",
     "std::lexicographical_compare(right.cbegin(), right.cend(), left.cbegin(), left.cend())", "flipped order"),
    ("rutter-legacy-id", "src/universe/Rutter.cpp", "rutter.factionID = rutter.legacyFaction->id;",
     "rutter.factionID = QUuid();", "legacy faction id not taken"),
    ("region-closed", "src/universe/Region.cpp", "if (closed)\n        appendLeg", "if (!closed)\n        appendLeg",
     "flipped condition"),
    ("region-label-key", "src/universe/Region.cpp", 'putOptional(object, "labelCoordinates"_L1',
     'putOptional(object, "label"_L1', "wrong key written"),
    ("hexcorner-heap-order", "src/universe/HexCorner.cpp", "return a.deviation > b.deviation;",
     "return a.deviation < b.deviation;", "flipped tie-break in the heap"),
    # The branch keeps a statement so that the fault builds.
    ("universe-saved-signal", "src/universe/StarfarerUniverse.cpp", "emit saved();", "(void)0;",
     "signal not emitted"),
    ("universe-removed-signal", "src/universe/StarfarerUniverse.cpp", "    emit hexRemoved(id, coordinates);\n", "",
     "signal not emitted"),
    ("manager-save-skipped", "src/universe/UniverseManager.cpp",
     "    const bool written = state.kind == SaveState::Kind::clean;", "    const bool written = true;",
     "a new universe's failed write taken as written"),
    ("saver-resave-dropped", "src/universe/UniverseSaver.cpp", "        if (!m_saveAsked)\n            break;\n",
     "        break;\n", "a save asked during a write dropped"),
    ("saver-failure-as-success", "src/universe/UniverseSaver.cpp", "    Outcome outcome{reason.isEmpty(),",
     "    Outcome outcome{true,", "failure reported as success"),
    ("writer-full-disk-ignored", "src/universe/AtomicFileWriter.cpp",
     "if (written < 0 && errno != EINTR)\n            return systemReason(errno);",
     "if (written < 0 && errno != EINTR)\n            break;", "failed write reported as success"),
    ("writer-swap-dropped", "src/universe/AtomicFileWriter.cpp", "attempt = 0; swapping && attempt",
     "attempt = 0; false && attempt", "a change landing as the file is replaced overwritten unseen"),
    ("writer-swapped-out-removable", "src/universe/AtomicFileWriter.cpp",
     "name([&](int copy) { return swapOut.name(m_path, copy); }).isEmpty();",
     "name([&](int) { return saveLeftoverName(m_path, SaveLeftover::write); }).isEmpty();",
     "the file a save swaps out left under a name start removes"),
    ("writer-swap-name-fatal", "src/universe/AtomicFileWriter.cpp",
     "    if (!swapping && m_temporary.isEmpty()) {",
     "    if (swapOut.replaced && testHooks().swap && !swapping)\n        return systemReason(errno);\n    if (!swapping && m_temporary.isEmpty()) {",
     "a save failing where the kept name cannot be made"),
    ("writer-temporary-left", "src/universe/AtomicFileWriter.cpp",
     "    if (!m_temporary.isEmpty())\n        ::unlink(QFile::encodeName(m_temporary).constData());",
     "    if (!m_temporary.isEmpty())\n        (void)0;", "a failed save's file left in the folder"),
    ("freename-gives-up", "src/universe/FreeFileName.cpp", "        if (errno != EEXIST)\n",
     "        if (errno != EEXIST || attempt == 100)\n", "a save failing once a hundred names are taken"),
    ("freename-not-fitted", "src/universe/FreeFileName.cpp",
     "while (!fitted.isEmpty() && QFile::encodeName(fitted).size() + tailBytes > longest)",
     "while (false && QFile::encodeName(fitted).size() + tailBytes > longest)",
     "a save failing beside a long file name"),
    ("writer-descriptors-assumed", "src/universe/AtomicFileWriter.cpp",
     "if (::access(QFile::encodeName(m_descriptors).constData(), X_OK) == 0 && !failsInTest(Step::create)) {",
     "if (!failsInTest(Step::create)) {",
     "an unnamed file written where it can never be named"),
    ("guard-swapped-out-unchecked", "src/universe/ExternalChangeGuard.cpp",
     "    return keepUnknown(path, oldFile, true, keptPath);", "    return QString();",
     "the file a save swapped out never looked at"),
    ("guard-known-version-kept", "src/universe/ExternalChangeGuard.cpp",
     "        if (move)\n            ::unlink(from.constData());\n        return QString();",
     "        return QString();", "the document's own version swapped out kept as another program's"),
    ("leftovers-removals-kept", "src/universe/SaveLeftovers.cpp", "vostrel-(?:write|removal)-", "vostrel-(?:write)-",
     "a deleted universe set aside left at the next start"),
    ("leftovers-links-removed", "src/universe/SaveLeftovers.cpp",
     "leftover.match(name).hasMatch() && entry.isFile() && !entry.isSymLink()",
     "leftover.match(name).hasMatch()", "a link of the left-overs' form removed"),
    ("leftovers-unmarked-removed", "src/universe/SaveLeftovers.cpp",
     "QStringLiteral(\"^\\\\..+\\\\.vostrel-(?:write|removal)-[A-Za-z0-9]{6}$\")",
     "QStringLiteral(\"^\\\\.?.+\\\\.(?:vostrel-(?:write|removal)-)?[A-Za-z0-9]{6}$\")",
     "a user's file judged the program's own by a name like it"),
    ("manager-cleans-before-lock", "src/universe/UniverseManager.cpp",
     "    if (state == FolderLock::State::held) {", "    if (true) {",
     "a start refused by another instance removing files"),
    ("manager-choice-not-written", "src/universe/UniverseManager.cpp",
     "    writeSetting(kLastUniverseIDKey, id ? QVariant(uuidText(*id)) : QVariant());\n", "",
     "the universe chosen left unwritten to the settings file"),
    ("manager-rename-unsaved", "src/universe/UniverseManager.cpp", "    m_current->save();\n", "",
     "a save skipped"),
    ("manager-replaced-file-opened", "src/universe/UniverseManager.cpp",
     "    const bool replaced = outcome.decoded && outcome.decoded->contents.id != header.id;",
     "    const bool replaced = false;", "a file holding another universe opened as the one chosen"),
    ("manager-settings-copies-removed", "src/universe/UniverseManager.cpp",
     "        m_folder.removeStaleTemporaryFiles();\n",
     "        m_folder.removeStaleTemporaryFiles();\n        QFile::remove(m_settings->fileName() + QStringLiteral(\".backup\"));\n",
     "a user's copy of the settings removed at start"),
    ("savestate-request-ignored", "src/universe/SaveState.h", "return settled() && holds >= request;",
     "return settled();", "a view taking the outcome of a write that began before its change"),
    ("manager-delete-wrong-file", "src/universe/UniverseManager.cpp",
     "    removeListedFile(header);\n",
     "    removeListedFile(m_headers.constLast());\n", "a wrong file removed"),
    ("manager-deleted-file-left-aside", "src/universe/UniverseManager.cpp",
     "    static_cast<void>(QtConcurrent::run(jobPool(), [aside] { QFile::remove(aside); }));\n", "",
     "a deleted universe's file left under another name"),
    ("manager-deleted-file-aside-as-copy", "src/universe/UniverseManager.cpp",
     "saveLeftoverName(path, SaveLeftover::removal)", "path + QStringLiteral(\".Gone01\")",
     "a deleted universe set aside under a name a user's copy may have"),
    ("manager-migration-marked-on-gui", "src/universe/UniverseManager.cpp",
     "    writeSetting(kDidMigrateKey, true);\n",
     "    m_settings->setValue(kDidMigrateKey, true);\n    m_settings->sync();\n",
     "the GUI thread waiting for the settings' writer"),
    ("headercache-not-written", "src/universe/HeaderCache.cpp", "        AtomicFileWriter::write(path, bytes);",
     "        static_cast<void>(bytes);", "cache never stored"),
    ("headercache-written-on-caller", "src/universe/HeaderCache.cpp", "    m_writes.run([path = m_cachePath,",
     "    std::invoke([path = m_cachePath,", "the cache written on the listing thread"),
    ("manager-left-kept-after-notice", "src/universe/UniverseManager.cpp",
     "    StarfarerUniverse *left = old ? keep(std::move(old)) : nullptr;\n    emit currentChanged();\n    if (left)\n        letGoOnceWritten(left);",
     "    emit currentChanged();\n    if (old)\n        keepUntilWritten(std::move(old));",
     "a universe reopened from the switch's notice read again, its late edits lost"),
    ("manager-kept-deleted-at-once", "src/universe/UniverseManager.cpp",
     ": writerOf(header.filePath) != nullptr ? Request::deleteKept", ": false ? Request::deleteKept",
     "a universe left deleted while its write runs brought back by it"),
    ("savefollower-ends-at-failure", "src/universe/SaveFollower.cpp",
     "                told(state);\n                return;",
     "                stop();\n                told(state);\n                return;",
     "a view's save not followed through its retries"),
    ("hexlist-emptied-chunk-ends", "src/universe/HexList.cpp",
     "        m_ends.erase(m_ends.begin() + std::ptrdiff_t(chunk));\n        shiftEnds(chunk, -1);",
     "        m_ends.erase(m_ends.begin() + std::ptrdiff_t(chunk));\n        shiftEnds(chunk + 1, -1);",
     "off-by-one: the chunk after an emptied one keeps its old end"),
    ("hexindex-moved-and-renamed", "src/universe/HexIndex.cpp",
     "    }\n    if (before.coordinates != after.coordinates) {",
     "    } else if (before.coordinates != after.coordinates) {",
     "a missed index update: a hex given a new id and a new place keeps its old place"),
    ("universe-freed-by-caller", "src/universe/WorkerPools.h", "    if (!QCoreApplication::instance())\n        return;",
     "    if (QCoreApplication::instance())\n        return;", "values handed to a worker freed by the caller"),
    ("universe-written-field", "src/universe/UniverseContents.cpp",
     '{QLatin1StringView("mapShowOther"), mapShowOther},', '{QLatin1StringView("mapShowOther"), mapShowSathar},',
     "wrong field written"),
    ("universe-retry-after-success", "src/universe/StarfarerUniverse.cpp",
     "        const bool latest = i == outcomes.size() - 1;", "        const bool latest = i == 0;",
     "retry and save state taken from the oldest outcome told together"),
    ("universe-rules-on-load", "src/universe/StarfarerUniverse.cpp",
     "    universe->m_usesTravellerRules = universe->usesTravellerRules();\n", "",
     "derived value not set when loading"),
    ("universe-rules-on-replace", "src/universe/StarfarerUniverse.cpp",
     "    emit hexReplaced(id, old, hex.coordinates);\n    followRules();\n",
     "    emit hexReplaced(id, old, hex.coordinates);\n", "derived signal not emitted"),
    ("universe-relink-first-star-only", "src/universe/UniverseContents.cpp",
     "for (qsizetype s = 0; s < systemStars.size(); ++s) {",
     "for (qsizetype s = 0; s < std::min<qsizetype>(systemStars.size(), 1); ++s) {",
     "older faction records of a companion star's worlds left unrepaired"),
    ("manager-quit-drops-delete", "src/universe/UniverseManager.cpp",
     "{   joinDelete, drop,    joinDelete, drop,         removeAtOnce, removeWhenWritten, quitAfter }, // deleteCurrent",
     "{   joinDelete, drop,    joinDelete, drop,         removeAtOnce, removeWhenWritten, replace   }, // deleteCurrent",
     "a quit dropping the delete under way"),
    ("manager-quit-takes-open", "src/universe/UniverseManager.cpp",
     "{   drop,       drop,    drop,       drop,         drop,         drop,              drop      }, // quit",
     "{   replace,    drop,    drop,       drop,         drop,         drop,              drop      }, // quit",
     "an open taken while a quit waits"),
    ("manager-displaced-create-unwritten", "src/universe/UniverseManager.cpp",
     "    else if (!change.writeAsked)\n        change.created->save();\n", "",
     "a universe made, displaced by a later request, never written"),
    ("manager-switch-waits-settled", "src/universe/UniverseManager.cpp",
     "    if (!universe->lastOutcome().settles(departure.awaited))\n        return false;\n    if (universe->lastOutcome().kind",
     "    if (!universe->saveState().settled())\n        return false;\n    if (universe->lastOutcome().kind",
     "a switch waiting for every write instead of those asked before it"),
    ("manager-left-edits-dropped", "src/universe/UniverseManager.cpp",
     "    StarfarerUniverse *left = old ? keep(std::move(old)) : nullptr;\n",
     "    if (old)\n        old->stopSaving();\n    StarfarerUniverse *left = old ? keep(std::move(old)) : nullptr;\n",
     "edits of a universe left after the switch was asked dropped"),
    ("manager-quit-ignores-left", "src/universe/UniverseManager.cpp",
     "            started.leaving.append(Departure{kept, 0, true});", "            (void)kept;",
     "a quit not waiting for the writes of a universe left"),
    ("manager-left-failure-untold", "src/universe/UniverseManager.cpp",
     "    connect(kept, &StarfarerUniverse::saveFailed, this, &UniverseManager::operationFailed);\n", "",
     "a failed write of a universe left not told"),
    ("manager-deleted-keeps-saving", "src/universe/UniverseManager.cpp",
     "        if (started.deletesCurrent)\n            m_current->stopSaving();\n        nameReplacement();",
     "        nameReplacement();", "a universe being deleted saving its edits, bringing its file back"),
    ("manager-deleted-other-opened", "src/universe/UniverseManager.cpp",
     "        m_switch && m_switch->target && !m_switch->created && m_switch->target->filePath == header.filePath;",
     "        false;", "a universe deleted while it is read to replace another opened all the same"),
    ("manager-left-read-again", "src/universe/UniverseManager.cpp", "    if (kept != m_kept.cend()) {",
     "    if (false && kept != m_kept.cend()) {", "a universe left still writing read again from its file"),
    ("manager-stay-keeps-quit", "src/universe/UniverseManager.cpp",
     "    if (quit)\n        setQuitting(false);\n    else\n        followWithQuit();",
     "    if (!quit)\n        followWithQuit();", "staying does not end the quit"),
    ("manager-kept-deleted-after-lock", "src/universe/UniverseManager.cpp",
     "    qDeleteAll(findChildren<StarfarerUniverse *>(QString(), Qt::FindDirectChildrenOnly));\n", "",
     "universes left while writing deleted after the folder's lock is let go"),
    # The lock declared last is let go first, before the current universe, the one
    # being made and the settings' worker end their writes.
    ("manager-lock-member-order", "src/universe/UniverseManager.h",
     "    FolderLock m_lock;\n    std::unique_ptr<StarfarerUniverse> m_current;\n    QList<Header> m_headers;\n    std::optional<QString> m_loadError;\n    QString m_loadErrorFile;\n    HeaderCache m_headerCache;\n    NaturalOrder m_order;\n    int m_filesOpened = 0;\n    LeaveUnsavedQuestion m_leaveUnsaved;\n    std::function<void(const UniverseContents &)> m_writeObserver;\n    // What the store knows, apart from the change under way: the current universe's\n    // file was removed (it is being replaced), and a quit was asked.\n    bool m_currentDeleted = false;\n    bool m_quitAsked = false;\n    // Universes left, or made and not opened, whose writes go on (children).\n    QList<StarfarerUniverse *> m_kept;\n    // Those of them deleted: each file goes once the universe's write under way ends.\n    QHash<const StarfarerUniverse *, Header> m_deletedOnceWritten;\n    std::unique_ptr<Switch> m_switch;\n    std::optional<Header> m_opening;\n    BackgroundDecoder m_decoder;\n    SettingsWriter m_settingsWriter;\n",
     "    std::unique_ptr<StarfarerUniverse> m_current;\n    QList<Header> m_headers;\n    std::optional<QString> m_loadError;\n    QString m_loadErrorFile;\n    HeaderCache m_headerCache;\n    NaturalOrder m_order;\n    int m_filesOpened = 0;\n    LeaveUnsavedQuestion m_leaveUnsaved;\n    std::function<void(const UniverseContents &)> m_writeObserver;\n    // What the store knows, apart from the change under way: the current universe's\n    // file was removed (it is being replaced), and a quit was asked.\n    bool m_currentDeleted = false;\n    bool m_quitAsked = false;\n    // Universes left, or made and not opened, whose writes go on (children).\n    QList<StarfarerUniverse *> m_kept;\n    // Those of them deleted: each file goes once the universe's write under way ends.\n    QHash<const StarfarerUniverse *, Header> m_deletedOnceWritten;\n    std::unique_ptr<Switch> m_switch;\n    std::optional<Header> m_opening;\n    BackgroundDecoder m_decoder;\n    SettingsWriter m_settingsWriter;\n    FolderLock m_lock;\n",
     "the folder's lock let go before the writes of the store end"),
    ("settings-written-per-change", "src/universe/SettingsWriter.cpp", "        values.swap(m_pending);",
     "        if (!m_pending.isEmpty()) {\n            const QString first = m_pending.firstKey();\n            values.insert(first, m_pending.take(first));\n        }",
     "settings written one change at a time"),
    ("settings-first-value-kept", "src/universe/SettingsWriter.cpp", "    m_pending.insert(key, value);",
     "    if (!m_pending.contains(key))\n        m_pending.insert(key, value);",
     "a setting's first pending value written instead of its latest"),
    # src/import
    ("import-3xx-success", "src/import/ServiceReply.cpp", "return status >= 200 && status <= 299;",
     "return status >= 200 && status <= 399;", "an HTTP 3xx answer taken as success"),
    ("import-redirect-limit", "src/import/ServiceReply.cpp", "if (m_redirects == maximumRedirects)",
     "if (m_redirects > maximumRedirects)", "redirect limit off by one"),
    ("import-redirect-downgrade", "src/import/ServiceReply.cpp",
     'return from == "http"_L1 && to == "https"_L1 && toPort == standardPort(to);',
     "return toPort == standardPort(to);", "a redirect from https to http followed"),
    # Qt itself fails an HTTP/1.1 body cut short of its Content-Length, with
    # RemoteHostClosedError, so the length check after it decides nothing over loopback;
    # the fault goes where that error is read.
    ("import-truncated-body", "src/import/ServiceReply.cpp",
     "    case QNetworkReply::RemoteHostClosedError:\n        if (status.isValid())\n            return ImportError::badResponse();\n",
     "    case QNetworkReply::RemoteHostClosedError:\n", "an answer cut short reported as a lost connection"),
    ("import-timeout-as-network", "src/import/ServiceReply.cpp",
     "case QNetworkReply::OperationCanceledError: return ImportError::timedOut();",
     "case QNetworkReply::OperationCanceledError: return ImportError::network(reply.errorString());",
     "a time-out reported as another failure"),
    ("import-unframed-unended", "src/import/TravellerMapClient.cpp", "(!answer.framed && !table.lastLineEnded)",
     "(answer.framed && !table.lastLineEnded)", "flipped condition: an unframed answer cut short accepted"),
    ("import-sector-y-sign", "src/import/TravellerMapClient.cpp", "return SectorPosition{*sx, -*sy};",
     "return SectorPosition{*sx, *sy};", "sector Y not turned"),
    ("import-coordinates-milieu", "src/import/TravellerMapClient.cpp",
     '    addWhenGiven(query, u"milieu"_s, milieu);\n    return get(u"/api/coordinates"_s',
     '    return get(u"/api/coordinates"_s', "the milieu not sent"),
    ("import-html-as-sector", "src/import/SectorTable.cpp",
     'return columns.contains(u"Hex"_s) || columns.contains(u"UWP"_s);', "return !columns.isEmpty();",
     "a page that is not sector data accepted"),
    ("import-hex-row-range", "src/import/ImportedWorld.cpp", "hex->row < 1 || hex->row > 40)",
     "hex->row < 1 || hex->row > 41)", "off-by-one hex range"),
    ("import-stars-one-short", "src/import/StarsColumn.cpp", "if (stars.size() > kCompanionOrbits)",
     "if (stars.size() >= kCompanionOrbits)", "off-by-one: the last companion dropped"),
    ("import-closed-universe", "src/import/ImportJob.cpp",
     "if (!universe || !m_manager || m_manager->current() != universe) {", "if (!universe || !m_manager) {",
     "an import applied to a universe no longer open"),
    ("import-aborted-result-applied", "src/import/ImportJob.cpp",
     "void ImportJob::applyConverted()\n{\n    if (m_finished)\n        return;\n",
     "void ImportJob::applyConverted()\n{\n", "a result applied after its import was stopped"),
    ("import-ui-borders-toggle", "src/import/ui/ImportTravellerMapView.cpp",
     "request.importBorders = m_importBorders->isChecked();", "request.importBorders = m_importLabels->isChecked();",
     "wrong toggle read"),
    ("import-ui-blank-name", "src/import/ui/ImportTravellerMapView.cpp",
     "m_importButton->setEnabled(!m_isImporting && !nothingSelected && !blankName);",
     "m_importButton->setEnabled(!m_isImporting && !nothingSelected);", "a blank sector name accepted"),
    ("import-ui-status-uncoloured", "src/import/ui/ImportTravellerMapView.cpp", "    makeStatusText(label, tone);\n",
     "", "the import's result and error lines in the plain text colour"),
    ("import-uwp-atmosphere-hydrographics", "src/import/ImportedWorld.cpp",
     "uwp.atmosphere = profileDigit(profile[2]);", "uwp.atmosphere = profileDigit(profile[3]);",
     "a field read from another's place"),
    ("import-uwp-government-law", "src/import/ImportedWorld.cpp",
     "uwp.government = profileDigit(profile[5]);", "uwp.government = profileDigit(profile[6]);",
     "a field read from another's place"),
    ("import-bases-short-name", "src/import/ImportedWorld.cpp",
     'value(row, {"Bases"_L1, "B"_L1})', 'value(row, {"Bases"_L1})',
     "a column's short name not read"),
    ("import-stellar-name", "src/import/ImportedWorld.cpp",
     'value(row, {"Stars"_L1, "Stellar"_L1})', 'value(row, {"Stars"_L1})',
     "a column's other name not read"),
    ("import-route-start-offset-y", "src/import/SectorMetadata.cpp",
     'integer(o, "StartOffsetX"_L1), integer(o, "StartOffsetY"_L1)',
     'integer(o, "StartOffsetX"_L1), integer(o, "StartOffsetX"_L1)',
     "a field read from another's key"),
    ("import-border-colour", "src/import/SectorMetadata.cpp",
     'text(o, "LabelPosition"_L1), text(o, "Color"_L1)}', 'text(o, "LabelPosition"_L1), text(o, "Allegiance"_L1)}',
     "a field read from another's key"),
    ("import-label-colour-size", "src/import/SectorMetadata.cpp",
     'text(o, "Color"_L1), text(o, "Size"_L1)}', 'text(o, "Size"_L1), text(o, "Color"_L1)}',
     "two fields swapped"),
    # src/ui
    ("ui-combo-wider-than-screen", "src/ui/ElidedComboBox.cpp",
     "    return {std::min(contents.width(), screen()->availableGeometry().width()), contents.height()};",
     "    return contents;", "a picker asking for a megabyte name's width, drawn that wide before a layout places it"),
    ("ui-ampersand-mnemonic", "src/ui/LiteralText.cpp", ".replace(QLatin1Char('&'), QStringLiteral(\"&&\"))", "",
     "an & in data taken as a mnemonic"),
    ("ui-tooltip-rich", "src/ui/PlainText.cpp", "return literalRichText(shortened(text, kLongestToolTip));",
     "return shortened(text, kLongestToolTip);", "untrusted text shown as rich text"),
    ("ui-message-box-rich", "src/ui/PlainText.cpp", "    box.setTextFormat(Qt::PlainText);\n    box.setText(text);",
     "    box.setText(text);", "untrusted text shown as rich text"),
    ("ui-router-one-per-id", "src/ui/WindowRouter.cpp",
     "if (entry.window && entry.id == id && entry.coordinates == coordinates)", "if (entry.window && entry.id == id)",
     "a window group's coordinates ignored"),
    ("ui-router-floating", "src/ui/WindowRouter.cpp",
     "window->setWindowFlag(Qt::WindowStaysOnTopHint, scene.floating);",
     "window->setWindowFlag(Qt::WindowStaysOnTopHint, true);", "every window kept on top"),
    ("ui-dark-palette", "src/ui/NamedColor.cpp", "color(QPalette::Window).lightness() < 128;",
     "color(QPalette::Window).lightness() > 128;", "flipped comparison"),
    ("ui-coordinate-not-a-number", "src/ui/HexTargetPicker.cpp",
     "if (!ok || clamp(typed) == m_coordinates.*member) {", "if (clamp(typed) == m_coordinates.*member) {",
     "a field accepting text that is no number"),
    ("ui-sector-step-jumps", "src/ui/HexTargetPicker.cpp",
     "target = std::min(target, std::max(m_value, HexTargetPicker::kSectorMaximum));",
     "target = std::min(target, HexTargetPicker::kSectorMaximum);", "a step up moving a far sector down"),
    ("ui-row-clamp", "src/ui/HexTargetPicker.cpp", "return std::clamp<qint64>(row, 1, kRows);",
     "return std::clamp<qint64>(row, 0, kRows);", "off-by-one clamp"),
    ("ui-line-edit-unmarked", "src/ui/FocusMarkStyle.cpp", "const bool marked = element == PE_PanelLineEdit &&",
     "const bool marked = element == PE_FrameLineEdit &&", "the mark asked of a text field's frame, which the style draws unfocused"),
    ("ui-combo-unmarked", "src/ui/FocusMarkStyle.cpp",
     "(control == CC_ComboBox && drawMarked<QStyleOptionComboBox>(option, painter, base)) ||", "",
     "a combo box left with the style's own faint focus"),
    ("ui-slider-unmarked", "src/ui/FocusMarkStyle.cpp",
     " ||\n                        (control == CC_Slider && drawMarked<QStyleOptionSlider>(option, painter, base))", "",
     "a slider left without a mark"),
    ("ui-focus-frame-cut", "src/ui/FocusMarkStyle.cpp", "            if (widget)\n                bounds &= widget->rect();\n", "",
     "a focus frame drawn past its control's edges, where the control cuts it"),
    ("ui-notes-mark-covered", "src/ui/NotesField.cpp",
     "    setViewportMargins(kFocusMarkWidth, kFocusMarkWidth, kFocusMarkWidth, kFocusMarkWidth);\n", "",
     "a notes field's mark covered by its text area"),
    ("ui-secondary-contrast-short", "src/ui/SecondaryText.cpp", "constexpr double kReadableContrast = 4.5;",
     "constexpr double kReadableContrast = 3.0;", "secondary text toned down below readable contrast"),
    ("ui-secondary-alternate-row", "src/ui/ListRowDelegate.cpp",
     "    if (item.features & QStyleOptionViewItem::Alternate)\n        return item.palette.color(QPalette::AlternateBase);\n",
     "", "an alternate row's muted text worked out against the other rows' background"),
    ("ui-secondary-behind-panel", "src/ui/SecondaryText.cpp",
     "        if (const auto *panel = qobject_cast<const RoundedPanel *>(w))\n            return namedColor(panel->color());\n",
     "", "secondary text on a panel worked out against what lies behind the panel"),
    ("ui-secondary-placeholder", "src/ui/ListRowDelegate.cpp",
     "secondaryTextColor(ink.primary, rowBackground(item));", "option.palette.color(QPalette::PlaceholderText);",
     "a list's muted text in the placeholder colour"),
    ("ui-status-unreadable", "src/ui/SecondaryText.cpp",
     "return leastReadableMix(hue.toRgb(), farthestExtreme(ground), ground);", "return hue;",
     "a status colour left as it is, unreadable on its background"),
    ("ui-status-hue-lost", "src/ui/SecondaryText.cpp",
     "return leastReadableMix(hue.toRgb(), farthestExtreme(ground), ground);",
     "return leastReadableMix(ground, farthestExtreme(ground), ground);", "a status text in grey, its hue lost"),
    ("ui-status-tones-swapped", "src/ui/SecondaryText.cpp",
     "tone == StatusTone::failure ? QColor(Qt::red)", "tone == StatusTone::success ? QColor(Qt::red)",
     "a failure told in green and a success in red"),
    ("ui-readable-nearer-extreme", "src/ui/SecondaryText.cpp",
     "contrastRatio(Qt::black, ground) > contrastRatio(Qt::white, ground)",
     "contrastRatio(Qt::black, ground) < contrastRatio(Qt::white, ground)",
     "a colour toned towards the extreme nearer its background"),
    ("ui-notes-placeholder-fixed", "src/ui/NotesPanel.cpp",
     "m_placeholder->setContentsMargins(origin.x(), origin.y(), 0, 0);",
     "m_placeholder->setContentsMargins(5, 0, 0, 0);", "the notes placeholder at a fixed offset, off the text's start"),
    ("ui-notes-origin-unmarked", "src/ui/NotesField.cpp", " + QPoint(margins.left(), margins.top()) +", " +",
     "the notes' text origin without the room kept for the focus mark"),
    ("ui-notes-placeholder-font", "src/ui/NotesPanel.cpp", "    m_placeholder->setFont(m_editor->font());\n", "",
     "the notes placeholder in another font than the notes"),
    ("ui-notes-font-change-ignored", "src/ui/NotesPanel.cpp", "        m_editor->installEventFilter(this);\n", "",
     "the notes placeholder left in the old font when the notes' font changes"),
    ("ui-elided-line-break", "src/model/LineBreaks.cpp", "return c == u'\\n' || c == u'\\r' ||",
     "return c == u'\\r' ||", "a line break kept in a one-line label"),
    ("ui-scrolling-page-unmarked", "src/ui/ScrollingPage.cpp",
     "    if (event->type() == QEvent::Paint)\n        drawFocusFrame(*this);\n", "",
     "a page that scrolls a focus stop without its mark"),
    ("ui-scrolling-page-mark-covered", "src/ui/ScrollingPage.cpp",
     "    setViewportMargins(kFocusMarkWidth, kFocusMarkWidth, kFocusMarkWidth, kFocusMarkWidth);\n", "",
     "a scrolling page's mark covered by the page it rings"),
    ("ui-scrolling-page-idle-stop", "src/ui/ScrollingPage.cpp",
     "setFocusPolicy(scrolls ? Qt::StrongFocus : Qt::NoFocus);", "setFocusPolicy(Qt::StrongFocus);",
     "a page that shows whole a focus stop with nothing to do"),
    ("ui-read-only-notes-unmarked", "src/ui/ReadOnlyNotesView.cpp",
     "    if (event->type() == QEvent::Paint)\n        drawFocusFrame(*this);\n    return handled;\n}\n\nvoid ReadOnlyNotesView::changeEvent",
     "    return handled;\n}\n\nvoid ReadOnlyNotesView::changeEvent", "notes shown for reading without their focus mark"),
    # src/starmap (the map's model and renderer, and its widgets in ui/)
    ("starmap-added-filter-tab-order", "src/starmap/ui/StarMapViewMenu.cpp",
     "            QWidget::setTabOrder(previous, control);\n", "",
     "a filter added to the view column reached by Tab last, not where it stands"),
    ("starmap-name-reach", "src/starmap/StarMapRenderer.cpp", "QPointF(std::max(reach.x(), halfWidth + 2),",
     "QPointF(reach.x(),", "a system's name left out of the area its drawing reaches"),
    ("starmap-index-runs-cells", "src/starmap/SystemIndex.cpp",
     "            here.cells = here.cells.joined(block->cells);\n", "", "a block filed in two runs losing cells"),
    ("starmap-index-runs-sectors", "src/starmap/SystemIndex.cpp",
     "            kept = std::move(sector.value());\n            continue;\n", "            continue;\n",
     "a sector of a later run, new to the index, left empty"),
    ("starmap-fill-runs-overlap", "src/starmap/StarMapVisibleSets.cpp",
     "        const qsizetype end = data.size() * (part + 1) / count;",
     "        const qsizetype end = data.size() * (part + 1) / count - (part > 0 ? 1 : 0);", "hexes between runs lost"),
    ("starmap-fill-runs-order", "src/starmap/StarMapVisibleSets.cpp",
     "    for (std::size_t part = 1; part < runs.size(); ++part)",
     "    for (std::size_t part = runs.size() - 1; part >= 1; --part)", "runs appended out of order"),
    ("starmap-zoom-ceiling", "src/starmap/MapTransform.cpp", "return {m * 0.4, std::max(m * 8, 1.0)};",
     "return {m * 0.4, m * 8};", "zoom ceiling without its floor of 1"),
    ("starmap-zoom-anchor", "src/starmap/MapTransform.cpp", "return {next, at - (at - offset) * (next / scale)};",
     "return {next, offset * (next / scale)};", "zoom about the corner, not the pointer"),
    ("starmap-wheel-notch", "src/starmap/MapInteractionController.cpp", "return angleDelta.y() / 12.0;",
     "return angleDelta.y() / 120.0;", "wrong constant"),
    ("starmap-double-click-taps", "src/starmap/MapInteractionController.cpp",
     "if (!m_didDrag && m_pressClickCount == 1 && onClick)", "if (!m_didDrag && m_pressClickCount >= 1 && onClick)",
     "a double click also taken as a click"),
    ("starmap-search-hex", "src/starmap/MapSearch.cpp", "if (contains(label) || contains(hex.starSystem.name))",
     "if (contains(hex.starSystem.name))", "search ignoring hex numbers"),
    ("starmap-tile-last-column", "src/starmap/StarMapFrameCache.cpp",
     "key.column >= range.firstColumn && key.column <= range.lastColumn &&",
     "key.column >= range.firstColumn && key.column < range.lastColumn &&", "a tile not invalidated"),
    ("starmap-reset-keeps-tiles", "src/starmap/StarMapFrameCache.cpp", "m_resetAt = ++m_changes;", "++m_changes;",
     "tiles kept after the whole map changed"),
    ("starmap-dirty-zoom-margin", "src/starmap/MapDirtyArea.h",
     "const double grown = margin + mapMargin * transform.scale;", "const double grown = margin;",
     "a dirty area too small for texts that grow with the zoom"),
    ("starmap-uncharted-rutters", "src/starmap/StarMapVisibleSets.cpp",
     "if (!m_universe || !m_universe->mapShowRutters() || rutter.age == RutterAge::uncharted)",
     "if (!m_universe || !m_universe->mapShowRutters())", "uncharted rutters drawn"),
    ("starmap-card-capitals", "src/starmap/SystemCardTexts.cpp", "if (mainWorld && mainWorld->uwp.population > 8)",
     "if (mainWorld && mainWorld->uwp.population >= 8)", "off-by-one"),
    ("starmap-index-sector-edge", "src/starmap/SystemIndex.cpp",
     "j >= sectors.minRow && j <= sectors.maxRow)", "j >= sectors.minRow && j < sectors.maxRow)",
     "off-by-one: the last row of sectors asked for left out"),
    ("starmap-extent-not-shrunk", "src/starmap/SystemIndex.cpp",
     "    } else {\n        recomputeCells(block);\n    }\n", "    }\n",
     "a block's extent not shrunk when its outermost system goes"),
    ("starmap-shared-id-refile", "src/starmap/StarMapVisibleSets.cpp",
     "if (!hex || m_sharedIDs.contains(id)) {", "if (!hex) {",
     "a system of an id several carry re-filed at another's place"),
    ("starmap-rutter-faction-gone", "src/starmap/RutterLayer.cpp",
     "for (const Faction *faction : {before, after}) {",
     "for (const Faction *faction : {after}) {",
     "routes of a deleted faction keep its colour"),
    ("starmap-stale-tile-accepted", "src/starmap/StarMapFrameCache.cpp", "    tile->drawnAt = drawnAt;\n",
     "    tile->drawnAt = m_changes;\n", "a tile drawn before a change taken as up to date"),
    ("starmap-tile-queue-keeps-old-step", "src/starmap/StarMapTileQueue.cpp", "        m_waiting = std::move(tiles);\n",
     "        m_waiting.append(tiles);\n", "tiles waiting for a step the view left still drawn"),
    ("starmap-tile-drawing-never-stops", "src/starmap/StarMapRenderer.cpp",
     "        if (stopped())\n            break;\n", "", "a tile of a step the view left drawn to the end"),
    ("starmap-tile-pool-every-core", "src/starmap/StarMapFrameCache.cpp",
     "        setMaxThreadCount(std::max(1, QThread::idealThreadCount() - 1));\n", "",
     "tiles drawn on every core, none left to the GUI thread"),
    ("starmap-stand-in-smooth", "src/starmap/StarMapFrameCache.cpp",
     "    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);\n",
     "    painter.setRenderHint(QPainter::SmoothPixmapTransform);\n",
     "a stand-in stretched smoothly over Qt's threads, which the GUI thread waits for"),
    ("starmap-round-stroke-join-missing", "src/starmap/RoundStroke.cpp", "                arcs.append(polygon, b, n, turn);\n",
     "", "a round join left out on the outside of the turns"),
    ("starmap-round-stroke-inner-corner", "src/starmap/RoundStroke.cpp", "                polygon << b << b + QPointF(-e.y(), e.x()) * r;\n",
     "", "an edge cutting across the inside of a turn to the next segment's end"),
    ("starmap-round-stroke-start-cap", "src/starmap/RoundStroke.cpp", "            cap(back);\n", "",
     "an open line's start cut flat"),
    ("starmap-round-stroke-straight-back", "src/starmap/RoundStroke.cpp",
     "cross == 0 && dot < 0 ? -std::numbers::pi : std::atan2(cross, dot)", "std::atan2(cross, dot)",
     "a line running straight back rounded on one edge only, whichever the sign of a zero says"),
    ("starmap-translucent-lines-together", "src/starmap/TranslucentFill.cpp",
     "        const auto fits = std::find_if(taken.cbegin(), taken.cend(),",
     "        const auto fits = !taken.empty() ? taken.cbegin() : std::find_if(taken.cbegin(), taken.cend(),",
     "overlapping translucent lines laid over on one picture, blending once where they cross"),
    ("starmap-translucent-line-pixels-short", "src/starmap/TranslucentFill.cpp",
     "const double reach = (line.p1() == line.p2() ? 2 : 1) * std::max(width, 1.0) + 1;",
     "const double reach = width / 4;",
     "a translucent line's pixels taken too few, lines that share pixels laid over together"),
    ("starmap-translucent-round-lines-together", "src/starmap/TranslucentFill.cpp",
     "(conformal && pen.capStyle() != Qt::RoundCap) ? 1 : 16;", "(conformal && pen.capStyle() != Qt::RoundCap) ? 1 : 1000;",
     "thick round-ended lines stroked as one shape, where the raster engine strokes them sixteen at a time"),
    ("starmap-translucent-opacity-dropped", "src/starmap/TranslucentFill.cpp",
     "    painter.setOpacity(opacity * alpha);\n", "    painter.setOpacity(alpha);\n",
     "a translucent drawing laid over without the painter's own opacity"),
    ("starmap-translucent-scratch-uncleared", "src/starmap/TranslucentFill.cpp",
     "        std::memset(m_scratch.scanLine(y) + qsizetype(area.left()) * 4, 0, std::size_t(area.width()) * 4);\n",
     "", "the scratch picture keeping what the drawings before drew on it"),
    ("starmap-painter-pictures-smoothed", "src/starmap/MapPainter.cpp",
     "        m_painter.setRenderHint(QPainter::SmoothPixmapTransform, false);\n        m_restores = true;",
     "        m_restores = true;",
     "pictures laid over with the given painter's smoothing on, which the raster engine hands to Qt's pool"),
    ("starmap-painter-fills-itself", "src/starmap/MapPainter.cpp",
     "    if (!m_throughFill || !isTranslucent(color)) {\n        draw(m_painter, color);",
     "    if (true) {\n        draw(m_painter, color);",
     "translucent fills, shapes and large texts drawn by the painter itself, waiting on Qt's pool"),
    ("starmap-painter-lines-itself", "src/starmap/MapPainter.cpp",
     "    if (!m_throughFill || pen.style() == Qt::NoPen || !isTranslucent(pen.color()))\n        m_painter.drawLines(lines);",
     "    if (true)\n        m_painter.drawLines(lines);",
     "translucent lines (the hex grid, thin borders) drawn by the painter itself, waiting on Qt's pool"),
    ("starmap-painter-large-text-cached", "src/starmap/MapPainter.cpp", "constexpr double kMargin = 0.95;",
     "constexpr double kMargin = 1.5;",
     "translucent text past Qt's glyph cache taken for cached, its glyphs filled over Qt's pool"),
    ("starmap-painter-stretch-smoothed", "src/starmap/MapPainter.cpp",
     "    if (!m_throughFill) {\n        m_painter.setRenderHint(QPainter::SmoothPixmapTransform);",
     "    if (true) {\n        m_painter.setRenderHint(QPainter::SmoothPixmapTransform);",
     "a nebula's cloud stretched smoothly by the raster engine, which hands it to Qt's pool"),
    ("starmap-painter-stretch-nearest", "src/starmap/MapPainter.cpp",
     "sample.weight = uint(std::lround((at - below) * 256));", "sample.weight = 0;",
     "a stretched picture sampled at the nearest pixel instead of between four"),
    ("starmap-routes-regrouped-after-filling", "src/starmap/StarMapLayers.cpp",
     "        if (routes == RoutesAtFiling::grouped && m_sets.endingFilling())\n            return;\n", "",
     "routes grouped beside the filing grouped again once it ends"),
    ("starmap-picture-keeps-painter", "src/starmap/PictureCache.h", "        const QImage made = make().copy();\n",
     "        const QImage made = make();\n", "stamped pictures kept with their painters' buffers, unseen by the budget"),
    ("starmap-ui-cells-kept", "src/starmap/ui/StarMapCanvas.cpp", "    m_cache.invalidate(cells);\n", "",
     "changed cells not drawn again"),
    ("starmap-ui-stale-selection", "src/starmap/ui/StarMapViewMenu.cpp",
     "(!m_universe->factions().isEmpty() || !selected.isEmpty());", "!m_universe->factions().isEmpty();",
     "a filter of deleted factions cannot be reset"),
    ("starmap-ui-menu-unsaved", "src/starmap/ui/StarMapViewMenu.cpp",
     "    assign(*m_universe);\n    m_universe->save();", "    assign(*m_universe);", "a save skipped"),
    ("starmap-ui-hex-notes-shown", "src/starmap/ui/SystemOverlayCard.cpp",
     "if (referee && !m_hex.notes.isEmpty())", "if (!m_hex.notes.isEmpty())", "referee notes in player view"),
    ("starmap-ui-menu-categories-by-count", "src/starmap/ui/StarMapViewMenu.cpp",
     "} else if (categories != m_listedCategories) {",
     "} else if (categories.size() != m_listedCategories.size()) {",
     "a label's new category not listed while the count of categories stays"),
    ("starmap-ui-category-menu-remade", "src/starmap/ui/StarMapViewMenu.cpp",
     "    if (!m_categoryMenu) {\n        m_categoryMenu = makeCategoryMenu();",
     "    discard(m_categoryMenu);\n    if (true) {\n        m_categoryMenu = makeCategoryMenu();",
     "the category filter made again on every change, taking the focus from it"),
    ("starmap-ui-referee-section-hidden-first", "src/starmap/ui/StarMapViewMenu.cpp",
     "    m_referee->setVisible(u.mapViewMode() == MapViewMode::referee);",
     "    m_referee->hide();\n    m_referee->setVisible(u.mapViewMode() == MapViewMode::referee);",
     "the awareness toggles hidden and shown again on every change, losing the focus"),
    ("starmap-ui-menu-title-dark", "src/starmap/ui/StarMapViewMenu.cpp",
     "    palette.setColor(QPalette::ButtonText, palette.color(QPalette::WindowText));\n", "",
     "a filter's title in the button text colour, dark on the blue panel"),
    ("starmap-ui-card-kept-over-mode", "src/starmap/ui/StarMapView.cpp",
     "        connect(universe, &StarfarerUniverse::mapViewModeChanged, this, [this] { refreshCard(true); });\n", "",
     "the card of the other view kept after the view changes"),
    ("starmap-label-key-colour", "src/starmap/LabelLayer.cpp",
     "size, label.angle, MapColors::palette(label.color).rgba()};", "size, label.angle, 0};",
     "an input missing from a kept picture's key"),
    ("starmap-step-key-ratio", "src/starmap/StarMapFrameCache.cpp",
     "if (level->ratio == ratio && level->extent == extent &&", "if (level->extent == extent &&",
     "the pixel ratio missing from the key of a step's tiles"),
    ("starmap-step-key-shift-y", "src/starmap/StarMapFrameCache.cpp",
     "isWhole(shift.x()) && isWhole(shift.y()))", "isWhole(shift.x()))",
     "a fractional shift taken for a whole one"),
    ("starmap-disc-key-steps-byte", "src/starmap/MapStamp.cpp",
     "quint64(color.rgba()) << 32 | steps << 4", "quint64(color.rgba()) << 32 | (steps & 0xFF) << 4",
     "a packed part cut to fewer bits than its values need"),
    ("starmap-index-empty-sector-kept", "src/starmap/SystemIndex.cpp",
     "    if (sector->blocks.isEmpty())\n        m_sectors.erase(sector);\n    else\n",
     "    if (!sector->blocks.isEmpty())\n",
     "a sector whose last system went still named as holding systems"),
    ("starmap-sector-extent-not-grown", "src/starmap/SystemIndex.cpp",
     "sector.cells = sector.blocks.isEmpty() ? cell : sector.cells.joined(cell);",
     "sector.cells = sector.blocks.isEmpty() ? cell : sector.cells;", "a sector's extent not grown by a new system"),
    ("starmap-sector-extent-not-shrunk", "src/starmap/SystemIndex.cpp",
     "    else\n        recomputeCells(*sector);\n", "",
     "a sector's extent not shrunk when its outermost system goes"),
    ("starmap-index-removal-in-shared-copy", "src/starmap/SystemIndex.cpp", "    Block &block = found.value();",
     "    Block &block = const_cast<Block &>(*filed);",
     "a removal made in the block a copy of the index (a frame being drawn) shares"),
    ("starmap-routes-marked-in-shared-copy", "src/starmap/RutterLayer.cpp",
     "    Chunk &chunk = m_chunks[chunkOf(key)];\n    return &chunk.segments[chunk.placeOf.value(key)];",
     "    return const_cast<Segment *>(segmentFor(key));",
     "a route changed in the chunk a copy of the layer (a tile being drawn) shares"),
    ("starmap-route-end-gained-unmarked", "src/starmap/RutterLayer.cpp", "if (kept && kept->endsHeld != held)",
     "if (kept && kept->endsHeld && !held)", "a route whose end gains a system still not drawn"),
    ("starmap-route-regrouped-with-neighbours", "src/starmap/RutterLayer.cpp",
     "return !(RouteKey::of(rutter) == key); });", "return false; });",
     "a route regrouped with every rutter ending at its first end"),
    ("starmap-rutter-places-not-moved", "src/starmap/StarMapVisibleSets.cpp",
     "        m_rutterPositions[i] += moved;\n", "",
     "rutters after one inserted or removed keep their old places in the list"),
    ("starmap-rutter-hidden-kept", "src/starmap/StarMapVisibleSets.cpp",
     "if (listed && (moved < 0 || (moved == 0 && !showsRutter(*change.after)))) {", "if (listed && moved < 0) {",
     "a rutter its edit hid still drawn"),
    ("starmap-rutter-at-neighbour", "src/starmap/StarMapVisibleSets.cpp",
     "        if (place < m_rutterPositions.size() && m_rutterPositions[place] == position)\n",
     "        if (place < m_rutterPositions.size())\n", "a hidden rutter's visible neighbour taken for it"),
    ("starmap-sets-freed-on-gui", "src/starmap/StarMapVisibleSets.cpp",
     "    freeOnWorker(std::move(m_systems), std::move(m_rutters), std::move(m_rutterPositions),\n                 std::move(m_labels));\n",
     "", "a gone map's systems and routes freed on the GUI thread"),
    # src/travel (the travel sheet, and its window in ui/)
    ("travel-flip-and-burn", "src/travel/TravelGeometry.cpp", "return 2.0 * std::sqrt(metres / acceleration);",
     "return std::sqrt(metres / acceleration);", "wrong formula"),
    ("travel-days-threshold", "src/travel/TravelGeometry.cpp", "if (m < 2880)", "if (m < 1440)",
     "wrong threshold"),
    ("travel-clearance-governing", "src/travel/TravelGeometry.cpp", "if (reach > clearance.distanceKm)",
     "if (reach < clearance.distanceKm)", "flipped comparison"),
    ("travel-approach-gap", "src/travel/TravelGeometry.cpp", "return (orbitGap - starSeparation) * kKilometresPerAU;",
     "return orbitGap * kKilometresPerAU;", "the stars' separation ignored"),
    ("travel-star-number", "src/travel/TravelSheet.cpp", "return QString::number(position + 1);",
     "return QString::number(position);", "off-by-one star number"),
    ("travel-default-destination", "src/travel/TravelSheet.cpp",
     "picks.to = bodies.at(bodies.size() >= 2 ? 1 : 0)->id;", "picks.to = bodies.front()->id;",
     "wrong default pick"),
    ("travel-ui-stepper-max", "src/travel/ui/SystemTravelView.cpp",
     "m_stepUp->setEnabled(m_customThrust < kStepperMaximum);",
     "m_stepUp->setEnabled(m_customThrust <= kStepperMaximum);", "flipped boundary"),
    ("travel-ui-custom-column", "src/travel/ui/SystemTravelView.cpp",
     "const double thrust = column < kFixedThrusts ? column + 1.0 : m_customThrust;",
     "const double thrust = column <= kFixedThrusts ? column + 1.0 : m_customThrust;",
     "off-by-one: the custom thrust ignored"),
    ("travel-ui-transit-one-body", "src/travel/ui/SystemTravelView.cpp",
     "const bool transit = m_sheet.system().allWorlds().size() >= 2;",
     "const bool transit = m_sheet.system().allWorlds().size() >= 1;", "off-by-one"),
    ("travel-ui-edit-not-followed", "src/travel/ui/SystemTravelWindow.cpp", "        m_sheet->setHex(*hex);\n", "",
     "an edit of the system not shown"),
    # src/screens
    ("screens-row-secondary-disabled", "src/screens/ui/SystemRowDelegate.cpp",
     "    const QColor &secondary = ink.secondary;",
     "    const QColor secondary = item.palette.color(QPalette::Disabled, QPalette::Text);",
     "a systems row's muted text in the disabled text colour"),
    ("screens-row-profile-at-top", "src/screens/ui/SystemRowDelegate.cpp",
     "text(mono, secondary, left + nameWidth + 6, base, profile);",
     "text(mono, secondary, left + nameWidth + 6, y + QFontMetrics(mono).ascent(), profile);",
     "a world's profile line at the top of its line, off its name's baseline"),
    ("screens-row-label-at-top", "src/screens/ui/SystemRowDelegate.cpp",
     "const int labelWidth = text(mono, secondary, left, nameBase, row.label);",
     "const int labelWidth = text(mono, secondary, left, y + QFontMetrics(mono).ascent(), row.label);",
     "a system's label at the top of its line, off its name's baseline"),
    ("screens-row-lines-top-aligned", "src/screens/ui/SystemRowDelegate.cpp",
     "return y + qRound((lineHeight - ascent - descent) / 2 + ascent);", "return y + qRound(ascent);",
     "a row's lines set at the top of their room, the tall ones running into the next"),
    ("screens-generator-status-red", "src/screens/ui/SystemGeneratorView.cpp",
     "makeStatusText(m_saveStatus, StatusTone::failure);", "setTextColor(m_saveStatus, Qt::red);",
     "the generator's save failure in a red unreadable on its panel"),
    ("screens-editor-status-red", "src/screens/ui/SystemEditorView.cpp",
     "makeStatusText(m_saveStatus, StatusTone::failure);", "setTextColor(m_saveStatus, Qt::red);",
     "the system editor's save failure in a red unreadable on its background"),
    ("screens-editor-closes-over-edits", "src/screens/ui/SystemEditorView.cpp",
     "if (outcome.kind == SaveState::Kind::clean && m_state.editedHex() == saved)",
     "if (outcome.kind == SaveState::Kind::clean)", "a retry closing the editor over edits made since"),
    ("options-gravity-edit", "src/screens/WorldEditOptions.cpp",
     "if (world.uwp.size < 1 || world.uwp.size > kLargestSize)",
     "if (world.uwp.size < 2 || world.uwp.size > kLargestSize)", "off-by-one"),
    ("options-day-text", "src/screens/WorldEditOptions.cpp", "world.tideLocked && world.dayLength == world.yearLength",
     "world.tideLocked && world.dayLength != world.yearLength", "flipped comparison"),
    ("options-tag-title", "src/model/WorldTag.h", ">= static_cast<int>(WorldTag::gov0)",
     "> static_cast<int>(WorldTag::gov0)", "off-by-one"),
    ("panel-no-signal", "src/screens/ui/WorldEditPanel.cpp", "    emit worldEdited(m_draft.world);\n", "",
     "signal not emitted"),
    ("worlds-headings", "src/screens/ui/SystemWorldsModel.cpp", "starSystem.stars.size() >= 2", "starSystem.stars.size() >= 1",
     "off-by-one"),
    ("worlds-companion", "src/screens/ui/SystemWorldsModel.cpp", "heading.companion = i > 0;", "heading.companion = i >= 0;",
     "flipped comparison"),
    ("screens-subsector-column-edge", "src/screens/SystemListKeys.cpp",
     "+ std::max<qint64>(c.column - 1, 0) / 8;", "+ std::max<qint64>(c.column, 0) / 8;",
     "off-by-one sort key at a subsector's column edge"),
    ("screens-row-picture-key-name", "src/screens/ui/SystemRowDelegate.cpp",
     "{&row.label, &row.name, &row.notes", "{&row.label, &row.notes",
     "a renamed system's row keeps showing its old kept picture"),
    ("screens-row-picture-key-tags", "src/screens/ui/SystemRowDelegate.cpp", "        add(tag);\n", "",
     "the main world's tags left out of the row picture's key"),
    ("screens-moved-far-end-stale", "src/screens/SystemListModel.cpp",
     "repaintFarEnds(from == to ? QList{from} : QList{from, to});", "repaintFarEnds({to});",
     "rows naming a moved system's old hex not repainted"),
    ("screens-far-end-wrong-end", "src/screens/RutterIndex.cpp", "ends.append(*rutters[position].farEnd(hex));",
     "ends.append(rutters[position].end);", "a rutter's end taken for its far end"),
    ("screens-row-key-world-notes", "src/screens/ui/SystemRowDelegate.cpp",
     "&row.mainWorldProfile, &row.mainWorldNotes})", "&row.mainWorldProfile})",
     "an input missing from a kept picture's key"),
    ("screens-row-key-distance", "src/screens/ui/SystemRowDelegate.cpp",
     "key += QString::number(destination.distance) + u',' + QString::number(int(destination.color))",
     "key += QString::number(int(destination.color))",
     "an input only one kind of chip shows missing from a kept picture's key"),
    ("screens-row-key-faction-colour", "src/screens/ui/SystemRowDelegate.cpp",
     "        key += QString::number(int(faction.color)) + u';';\n", "",
     "an input only one kind of chip shows missing from a kept picture's key"),
    ("screens-row-key-pixel-ratio", "src/screens/ui/SystemRowDelegate.cpp",
     ".arg(pixelRatio, 0, 'g', 17)", ".arg(1.0, 0, 'g', 17)",
     "the pixel ratio missing from a kept picture's key"),
    ("screens-row-key-font", "src/screens/ui/SystemRowDelegate.cpp",
     "    add(textFont(TextStyle::body).key());\n    add(textFont(TextStyle::body, true).key());\n", "",
     "the font missing from a kept picture's key"),
    ("screens-row-key-width", "src/screens/ui/SystemRowDelegate.cpp",
     "                      .arg(size.width())\n", "                      .arg(0)\n",
     "the row's width missing from a kept picture's key"),
    ("screens-packed-sector-end", "src/screens/SystemListOrders.cpp",
     "fits(at.sectorX, -32768, 32768)", "fits(at.sectorX, -32768, 32769)",
     "off-by-one at a packed limit"),
    ("screens-packed-row-end", "src/screens/SystemListOrders.cpp",
     "fits(at.row, 0, 4096)", "fits(at.row, 0, 4097)",
     "off-by-one at a packed limit"),
    ("screens-packed-subsector-end", "src/screens/SystemListOrders.cpp",
     "fits(entry.subsectorIndex, 0, 256)", "fits(entry.subsectorIndex, 0, 257)",
     "off-by-one at a packed limit"),
    ("screens-packed-sector-y-bias", "src/screens/SystemListOrders.cpp",
     "quint64(at.sectorY + 32768) << 32", "quint64(at.sectorY + 32767) << 32",
     "off-by-one bias of a packed part"),
    ("screens-packed-column-shift", "src/screens/SystemListOrders.cpp",
     "quint64(at.column) << 12", "quint64(at.column) << 11",
     "packed parts overlap"),
    ("screens-made-replaced-row-stale", "src/screens/SystemListModel.cpp",
     "    if (m_maker->isMaking())\n        m_fromCopy[std::size_t(row)] = -1;\n", "",
     "a system replaced while its keys were made ahead takes the old system's keys"),
    ("screens-made-removed-row-misaligned", "src/screens/SystemListModel.cpp",
     "m_fromCopy.erase(m_fromCopy.begin() + row);", "m_fromCopy.pop_back();",
     "a removal while keys are made ahead shifts the later rows against the copy"),
    ("screens-made-order-missing-rows", "src/screens/SystemListOrders.cpp",
     "        mergeIn(sort, order, entries, std::move(others));\n", "",
     "an order made ahead leaves out the rows that came or changed meanwhile"),
    ("screens-made-order-last-run-unmerged", "src/screens/SystemListKeyMaker.cpp",
     "run + 1 < starts.size()", "run + 2 < starts.size()",
     "the last run of an order made ahead not merged in"),
    ("screens-made-main-world-as-name", "src/screens/SystemListKeyMaker.cpp",
     "alike[std::size_t(row)] = mainWorldName == name;", "alike[std::size_t(row)] = true;",
     "every main world taken to carry its system's name in the main-world order made ahead"),
    ("screens-made-keys-not-told", "src/screens/SystemListModel.cpp", "    emit keysMade();\n", "",
     "a search waiting for keys made ahead never shown"),
    ("screens-waiting-search-not-kept", "src/screens/SystemListProxy.cpp",
     "return !(searches && m_source->isMakingSearchTexts()) && !m_source->isMakingOrder(m_asked.sortOrder);",
     "return true;", "the GUI thread makes the keys being made ahead itself"),
    ("screens-waiting-search-lost-at-reset", "src/screens/SystemListProxy.cpp",
     "        const bool asked = canShowAsked();\n", "        const bool asked = false;\n",
     "a search waiting for keys never shown once the whole list is stored again with too few systems to make them ahead"),
    ("screens-waiting-search-filters-changes", "src/screens/SystemListProxy.cpp",
     "    m_asked.searchText = text;\n", "    m_asked.searchText = text;\n    m_needle = text.trimmed().toCaseFolded();\n",
     "rows that change while a search waits are filtered by the search not shown yet"),
    ("screens-waiting-search-shown-at-reset-untold", "src/screens/SystemListProxy.cpp",
     "        endResetModel();\n        if (asked)\n            emit shownChanged();\n", "        endResetModel();\n",
     "a search shown with a whole new list not told, so the list is not scrolled to its first rows"),
    ("screens-list-rows-as-wide-as-columns", "src/screens/ui/SystemRowDelegate.cpp",
     "return {0, std::max(", "return {rowWidth(), std::max(",
     "rows as wide as all their columns: the list scrolls sideways"),
    ("screens-list-rutters-past-row-end", "src/screens/ui/SystemRowDelegate.cpp",
     "paintChipColumn(painter, x, width, top, routesTitle, primary, chips);",
     "paintChipColumn(painter, x, rowWidth() + 300, top, routesTitle, primary, chips);",
     "rutter chips cut at the row's end without an ellipsis"),
    ("screens-list-search-not-scrolled", "src/screens/ui/SystemListView.cpp",
     "    connect(m_model, &SystemListProxy::shownChanged, m_list, &QListView::scrollToTop);\n", "",
     "a new search or order shown where the list was scrolled, its first rows hidden above"),
    ("screens-list-scrolled-when-typed", "src/screens/ui/SystemListView.cpp",
     "connect(m_model, &SystemListProxy::shownChanged, m_list, &QListView::scrollToTop);",
     "connect(m_search, &QLineEdit::textChanged, m_list, &QListView::scrollToTop);",
     "the list scrolled when a search is typed, not when its rows come"),
    ("screens-list-edit-scrolls", "src/screens/ui/SystemListView.cpp",
     "connect(m_model, &SystemListProxy::shownChanged, m_list, &QListView::scrollToTop);",
     "connect(m_model, &QAbstractItemModel::layoutChanged, m_list, &QListView::scrollToTop);",
     "edits that rearrange rows scroll the list to its top"),
    # src/editors
    ("editors-picker-tab-order-swapped", "src/editors/ui/HexPositionPicker.cpp",
     "        QWidget::setTabOrder(m_row, m_column);", "        QWidget::setTabOrder(m_column, m_row);",
     "swapped tab order: Tab reaches the column field before the row field that stands left of it"),
    ("editors-list-filters-reversed", "src/editors/ui/MapObjectListView.cpp",
     "        listColumn->addLayout(margins);", "        listColumn->insertLayout(0, margins);",
     "the filters above a list shown in reverse, against the order Tab goes through them"),
    ("editors-hex-list-loses-place", "src/editors/ui/NebulaEditingView.cpp",
     "        showHexes(int(*std::min_element(places.cbegin(), places.cend())));", "        showHexes();",
     "the nebula's hex list left with no current row after Delete, its focus mark gone"),
    ("editors-hex-list-past-end", "src/editors/ui/NebulaEditingView.cpp",
     "m_hexList->setCurrentRow(std::min(*current, m_hexList->count() - 1));", "m_hexList->setCurrentRow(*current);",
     "off-by-one: the hex list's place past its end once the last hex is deleted"),
    ("editors-hex-list-place-unchosen", "src/editors/ui/NebulaEditingView.cpp",
     "m_hexList->setCurrentRow(std::min(*current, m_hexList->count() - 1));",
     "m_hexList->setCurrentRow(std::min(*current, m_hexList->count() - 1), QItemSelectionModel::NoUpdate);",
     "the hex list's place after Delete not chosen, so Delete does nothing next"),
    ("editors-hex-names-rebuild-list", "src/editors/ui/NebulaEditingView.cpp",
     "        [this] {\n            showSystemNames();\n            refresh();\n        });", "        [this] { showHexes(); });",
     "the hex list made again when a stored system changes, dropping the chosen hexes"),
    ("editors-hex-list-focus-leaves-form", "src/editors/ui/NebulaEditingView.cpp",
     "    if (focusLeavesTheList) {\n", "    if (false) {\n",
     "the focus sent out of the nebula form when Delete removes its last hex"),
    ("editors-hex-list-focus-moved-unmarked", "src/editors/ui/NebulaEditingView.cpp",
     "        window()->setAttribute(Qt::WA_KeyboardFocusChange);\n", "",
     "the focus moved to Add Hex without its mark for a user who has not pressed Tab"),
    ("editors-faction-picker-never-narrower", "src/editors/ui/FactionPicker.cpp",
     "    : ElidedComboBox(parent), m_universe(universe)\n{\n",
     "    : ElidedComboBox(parent), m_universe(universe)\n{\n    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);\n",
     "a faction picker as wide as its longest name, widening the rutter form"),
    ("editors-stepper-unmarked", "src/editors/ui/LabeledStepper.cpp",
     "void LabeledStepper::paintEvent(QPaintEvent *)\n{\n    drawFocusFrame(*this);\n}",
     "void LabeledStepper::paintEvent(QPaintEvent *) {}", "a stepper without its focus mark"),
    ("editors-faction-new-id", "src/editors/FactionDraft.cpp",
     "built.id = m_editing ? m_editing->id : QUuid::createUuid();", "built.id = QUuid::createUuid();",
     "an edited faction stored as a new one"),
    ("editors-faction-notes-dropped", "src/editors/FactionDraft.cpp",
     "built.notes = m_editing ? m_editing->notes : QList<FactionNote>{};", "built.notes = QList<FactionNote>{};",
     "an edit dropping the faction's notes"),
    ("editors-asset-location", "src/editors/FactionDraft.cpp", "    added.location = faction.homeworld;\n", "",
     "an asset not placed at the homeworld"),
    ("editors-rutter-missing-faction", "src/editors/RutterDraft.cpp",
     "return factionID && universe.object<Faction>(*factionID).has_value();", "return factionID.has_value();",
     "a rutter of a deleted faction saved"),
    ("editors-anchor-move", "src/editors/RegionDraft.cpp", "if (i < destination)", "if (i <= destination)",
     "off-by-one move"),
    ("editors-custom-label-always", "src/editors/RegionDraft.cpp",
     "if (useCustomLabel)\n        built.labelCoordinates = label;", "built.labelCoordinates = label;",
     "a label position stored when none was chosen"),
    ("editors-store-unsaved", "src/editors/MapObjectStore.h",
     "        outcome = Outcome::appended;\n    }\n    universe.save();", "        outcome = Outcome::appended;\n    }",
     "a save skipped"),
    ("editors-row-not-refreshed", "src/editors/ui/MapObjectListModel.cpp",
     "            emit dataChanged(index(int(i)), index(int(i)));\n", "", "signal not emitted"),
    ("editors-hidden-list-not-caught-up", "src/editors/ui/MapObjectListModel.cpp",
     "        return false;\n    reload();\n    return true;", "        return false;\n    return true;",
     "a list hidden while its source changed shows its old rows again"),
    ("editors-hidden-list-title-stale", "src/editors/ui/MapObjectListView.cpp",
     "    if (caughtUp)\n        followSource();", "    if (caughtUp)\n        syncListSelection();",
     "a list shown again keeps the title it had before the rules' word turned"),
    ("editors-hidden-list-caught-up-untold", "src/editors/ui/MapObjectListModel.cpp",
     "    reload();\n    return true;", "    m_shown = shownRows(m_source.rows());\n    return true;",
     "a list shown again takes its new rows without telling its view"),
    ("editors-category-untrimmed", "src/editors/StarmapLabelDraft.cpp", "built.category = category.trimmed();",
     "built.category = category;", "blanks kept around a category"),
    ("editors-save-failure-hidden", "src/editors/ui/EditorForm.cpp", "        m_saveFailure->show();\n", "",
     "failure not shown"),
    ("editors-save-failure-uncoloured", "src/editors/ui/EditorForm.cpp",
     "    makeStatusText(m_saveFailure, StatusTone::failure);\n", "", "a form's save failure in the plain text colour"),
    ("editors-new-row-not-repainted", "src/editors/ui/MapObjectListModel.cpp",
     "emit dataChanged(index(0), index(rowCount() - 1));", "emit dataChanged(index(0), index(int(m_shown.size()) - 1));",
     "the New row not repainted when the list's wording changes"),
    ("editors-rules-word-stale", "src/editors/ui/RutterListSource.cpp",
     "usesTravellerRulesChanged, this, [this] {\n        m_madeRows.clear();\n        emit changed();\n    });",
     "usesTravellerRulesChanged, this, [this] { m_madeRows.clear(); });",
     "the rutter list not told when the rules' word turns"),
    # src/app
    ("app-shortcut-key", "src/app/MainWindow.cpp", "Qt::CTRL | Qt::SHIFT | Qt::Key_U", "Qt::CTRL | Qt::SHIFT | Qt::Key_I",
     "wrong key"),
    ("app-saved-clears", "src/app/MainWindow.cpp",
     "        m_saveFailure->clearMessage();", "        (void)0;",
     "a success leaves the failure shown"),
    ("app-title-dash", "src/app/MainWindow.cpp", 'quotedName(universe->name()) + QStringLiteral(" \\u2014 ")',
     'quotedName(universe->name()) + QStringLiteral(" - ")', "wrong text"),
    ("app-save-failure-hidden", "src/app/MainWindow.cpp",
     "        m_saveFailure->showMessage(state.message);", "        (void)0;",
     "failure not shown"),
    ("app-operation-failure-hidden", "src/app/MainWindow.cpp",
     "    connect(m_manager, &UniverseManager::operationFailed, m_operationFailure, &MessageBanner::showMessage);\n",
     "", "failure not shown"),
    ("app-sidebar-clear", "src/app/SidebarList.cpp", "        emit destinationChosen(std::nullopt);\n", "",
     "signal not emitted"),
    ("app-sidebar-header-weight", "src/app/SidebarList.cpp",
     "            widget->setHasMembers(shown.filledGroups[group]);\n", "",
     "a group filled or emptied in place keeps its header's weight"),
    ("app-sidebar-tail-rows-stale", "src/app/SidebarList.cpp", "for (qsizetype i = 1; i <= tail; ++i)",
     "for (qsizetype i = 1; i < tail; ++i)", "off-by-one: the first of a group's kept last rows keeps its old faction"),
    ("app-menu-enabled-while-quitting", "src/app/UniverseMenuButton.cpp", "    setEnabled(!opening && !quitting);",
     "    setEnabled(!opening);", "the universe menu usable while a quit waits"),
]

FOLDERS = ["json", "model", "universe", "import", "ui", "starmap", "travel", "screens", "editors", "app"]


def folder_of(path):
    """The source folder a file belongs to: src/starmap/ui/X.cpp counts with starmap."""
    return path.split("/")[1]


ids = [f[0] for f in FAULTS]
duplicates = sorted({i for i in ids if ids.count(i) > 1})
if duplicates:
    sys.exit("fault ids listed twice: " + ", ".join(duplicates))
unknown = sorted({folder_of(f[1]) for f in FAULTS} - set(FOLDERS))
if unknown:
    sys.exit("faults in folders the summary does not know: " + ", ".join(unknown))

only = {i for i in args.only.split(",") if i}
folders = {f for f in args.folder.split(",") if f}
if only - set(ids):
    sys.exit("no fault with id: " + ", ".join(sorted(only - set(ids))))
if folders - set(FOLDERS):
    sys.exit("no such folder: " + ", ".join(sorted(folders - set(FOLDERS))) + " (folders: " + ", ".join(FOLDERS) + ")")
selected = [f for f in FAULTS if (not only or f[0] in only) and (not folders or folder_of(f[1]) in folders)]


def occurrences(path, original):
    full = os.path.join(root, path)
    if not os.path.exists(full):
        return None, 0
    text = open(full, encoding="utf-8").read()
    return text, text.count(original)


# A planted fault must never outlive the run. Before a fault is written, the file's
# own text is kept in a journal inside the git folder; the text is written back after
# each fault, at once when the run is stopped by a signal, and, if the run was killed
# outright, by the next run before anything else.
def git(*command):
    try:
        return subprocess.run(["git", *command], cwd=root, capture_output=True, text=True)
    except FileNotFoundError:
        return None


found = git("rev-parse", "--git-path", "plant-faults-journal.json")
JOURNAL = os.path.join(root, found.stdout.strip() if found and found.returncode == 0 else ".plant-faults-journal.json")
STOP_SIGNALS = {signal.SIGINT, signal.SIGTERM, signal.SIGHUP}
planted = None  # (full path, its own text) while a fault is in the sources


def write_text(full, text):
    with open(full, "w", encoding="utf-8") as f:
        f.write(text)
        f.flush()
        os.fsync(f.fileno())


class Unstoppable:
    """Holds the stop signals back while the sources and the journal change together."""

    def __enter__(self):
        signal.pthread_sigmask(signal.SIG_BLOCK, STOP_SIGNALS)

    def __exit__(self, *_):
        signal.pthread_sigmask(signal.SIG_UNBLOCK, STOP_SIGNALS)


def plant(full, text, fault_text):
    global planted
    with Unstoppable():
        with open(JOURNAL + ".new", "w", encoding="utf-8") as f:
            json.dump({"path": full, "text": text}, f)
            f.flush()
            os.fsync(f.fileno())
        os.replace(JOURNAL + ".new", JOURNAL)
        planted = (full, text)
        write_text(full, fault_text)


def restore():
    global planted
    with Unstoppable():
        if planted:
            write_text(*planted)
            planted = None
        if os.path.exists(JOURNAL):
            os.remove(JOURNAL)


def recover():
    """Writes back a file that a killed run left with a fault in it."""
    if not os.path.exists(JOURNAL):
        return
    with open(JOURNAL, encoding="utf-8") as f:
        kept = json.load(f)
    write_text(kept["path"], kept["text"])
    os.remove(JOURNAL)
    print(f"wrote back {os.path.relpath(kept['path'], root)}, left with a fault by a run that was killed", flush=True)


# One run at a time per checkout: a second one would take the first one's fault for a
# leftover and write the file back under it.
lock = open(JOURNAL + ".lock", "w")
try:
    fcntl.flock(lock, fcntl.LOCK_EX | fcntl.LOCK_NB)
except BlockingIOError:
    sys.exit("another plant-faults run is going on in this checkout")
recover()

if args.list:
    missing = 0
    for fault_id, path, original, _, _ in selected:
        _, count = occurrences(path, original)
        state = "applies" if count == 1 else f"NOT APPLIED (original found {count} times)"
        missing += count != 1
        print(f"{folder_of(path):9} {fault_id:32} {state}")
    print(f"\n{len(selected) - missing} of {len(selected)} faults apply.")
    sys.exit(0)

# The faults are planted into the checked-in text: a run over uncommitted changes to
# the sources would measure a mix, and could not tell a leftover fault from real work.
status = git("status", "--porcelain", "--", "src")
if status is None or status.returncode != 0:
    sys.exit("plant-faults needs git and a git checkout, to check that src/ has no uncommitted changes")
if status.stdout.strip():
    sys.exit("src/ has uncommitted changes; commit or stash them first:\n" + status.stdout)

build = os.path.abspath(args.build_dir)
env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
ccache = shutil.which("ccache")
if ccache:
    # Paths inside the checkout are made relative, so that other checkouts share hits.
    env.setdefault("CCACHE_BASEDIR", root)

children = set()  # processes running now, each the leader of its own process group
children_lock = threading.RLock()  # the stop handler may take it while the main thread holds it
stopping = threading.Event()


def call(command, cwd=root, timeout=None, extra_env=None, merge=False):
    """Runs a command in its own process group, so that a stop ends it with all it started."""
    with children_lock:
        if stopping.is_set():
            raise KeyboardInterrupt
        process = subprocess.Popen(command, cwd=cwd, env=dict(env, **(extra_env or {})), text=True,
                                   errors="replace", stdout=subprocess.PIPE,
                                   stderr=subprocess.STDOUT if merge else subprocess.PIPE,
                                   start_new_session=True)
        children.add(process)
    try:
        out, err = process.communicate(timeout=timeout)
    except subprocess.TimeoutExpired:
        os.killpg(process.pid, signal.SIGKILL)
        process.communicate()
        raise
    finally:
        with children_lock:
            children.discard(process)
    return subprocess.CompletedProcess(command, process.returncode, out, err or "")


def end_children():
    with children_lock:
        stopping.set()
        for process in children:
            try:
                os.killpg(process.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass


def stop(signum, frame):
    restore()  # first, before waiting for anything
    end_children()
    raise KeyboardInterrupt


for number in STOP_SIGNALS:
    signal.signal(number, stop)


def configure():
    # Run every time: the launcher and linker follow what is installed now, even in a
    # build folder configured on another day.
    result = call(["cmake", "-S", root, "-B", build, "-G", "Ninja", "-DCMAKE_BUILD_TYPE=RelWithDebInfo",
                   "-DCMAKE_CXX_COMPILER_LAUNCHER=" + ("ccache" if ccache else ""),
                   # lld links the test executables several times faster than ld.
                   "-DCMAKE_EXE_LINKER_FLAGS=" + ("-fuse-ld=lld" if shutil.which("ld.lld") else "")])
    if result.returncode != 0:
        sys.exit("configure failed:\n" + result.stdout + result.stderr)


def test_executables():
    """(name, path) of every test executable the tests/ folders declare."""
    found = []
    for folder, _, files in sorted(os.walk(os.path.join(root, "tests"))):
        if "CMakeLists.txt" not in files:
            continue
        text = open(os.path.join(folder, "CMakeLists.txt"), encoding="utf-8").read()
        for name in re.findall(r"vostrel_add_tests\(\s*(\w+)", text):
            found.append((name, os.path.join(build, os.path.relpath(folder, root), name)))
    return found


EXECUTABLES = test_executables()
durations = {}  # seconds each executable took in the unchanged run


def build_tests():
    return call(["cmake", "--build", build, f"-j{args.jobs}", "--target", *[name for name, _ in EXECUTABLES]],
                merge=True)


def modified_times():
    return {name: os.path.getmtime(path) for name, path in EXECUTABLES if os.path.exists(path)}


def run_one(name, path, shard, shards):
    shard_env = {"GTEST_TOTAL_SHARDS": str(shards), "GTEST_SHARD_INDEX": str(shard)} if shards > 1 else {}
    started = time.time()
    try:
        result = call([path, "--gtest_brief=1"], cwd=os.path.dirname(path), timeout=args.timeout,
                      extra_env=shard_env, merge=True)
    except subprocess.TimeoutExpired:
        return name, time.time() - started, [f"{name}: timed out"]
    # A typed test's line goes on with ", where TypeParam = ...".
    names = sorted(set(re.findall(r"^\[  FAILED  \] (\S+?\.[^\s,]+)", result.stdout, re.M)))
    if result.returncode != 0 and not names:
        names = [f"{name}: exit {result.returncode}"]
    return name, time.time() - started, names


def hold_back_signals():
    # Only the main thread takes the stop signals, so that they never arrive while it
    # holds them back to change the sources.
    signal.pthread_sigmask(signal.SIG_BLOCK, STOP_SIGNALS)


def run_tests(names=None):
    """Returns the names of the failing tests (empty when all pass). `names` limits the
    run to these executables."""
    if args.ctest:
        result = call(["ctest", "--test-dir", build, f"-j{args.jobs}", "--timeout", str(args.timeout)])
        failed = re.findall(r"^\s*\d+ - (\S+) \(", result.stdout, re.M)
        return failed or ([] if result.returncode == 0 else ["ctest failed"])
    units = []
    for name, path in EXECUTABLES:
        if os.path.exists(path) and (names is None or name in names):
            # A suite much longer than the rest is split into shards that run side by side.
            shards = args.jobs if durations.get(name, 0) > 10 else 1
            units += [(durations.get(name, 0) / shards, name, path, shard, shards) for shard in range(shards)]
    units.sort(reverse=True)  # the longest first, so that the short ones fill in beside them
    failed = []
    pool = concurrent.futures.ThreadPoolExecutor(max_workers=max(args.jobs, 1), initializer=hold_back_signals)
    try:
        for name, seconds, names_failed in pool.map(lambda u: run_one(*u[1:]), units):
            if names is None:
                durations[name] = seconds
            failed += names_failed
    finally:
        pool.shutdown(wait=True, cancel_futures=True)
    return sorted(set(failed))


def summary(rows, minutes):
    lines = ["| fault | file | kind | result | failing tests |", "|---|---|---|---|---|"]
    lines += [f"| {r[0]} | {r[1]} | {r[2]} | {r[3]} | {r[4]} |" for r in rows]
    lines += ["", "| folder | faults | caught (tests) | caught (build) | not applied | missed |",
              "|---|---|---|---|---|---|"]
    totals = [0] * 5
    for folder in FOLDERS:
        outcomes = [r[3] for r in rows if folder_of(r[1]) == folder]
        if not outcomes:
            continue
        counts = [len(outcomes)] + [outcomes.count(o) for o in ("caught", "caught (build)", "not applied", "missed")]
        totals = [t + c for t, c in zip(totals, counts)]
        lines.append(f"| {folder} | " + " | ".join(str(c) for c in counts) + " |")
    lines.append("| all | " + " | ".join(str(c) for c in totals) + " |")
    missed = [r[0] for r in rows if r[3] == "missed"]
    lines.append(f"\n{totals[1] + totals[2]} of {totals[0] - totals[3]} applied faults caught"
                 + (f"; missed: {', '.join(missed)}" if missed else "")
                 + f". Took {minutes:.0f} min with {args.jobs} jobs, {'with' if ccache else 'without'} ccache.")
    return "\n".join(lines)


def plant_each():
    rows = []
    for fault_id, path, original, replacement, kind in selected:
        text, count = occurrences(path, original)
        if count != 1:
            outcome, detail = "not applied", f"original found {count} times"
            rows.append((fault_id, path, kind, outcome, detail))
            print(f"{fault_id:32} {outcome:15} {detail}", flush=True)
            continue
        started = time.time()
        try:
            plant(os.path.join(root, path), text, text.replace(original, replacement, 1))
            before = modified_times()
            built = build_tests()
            if built.returncode != 0:
                outcome, detail = "caught (build)", "compile error"
            else:
                after = modified_times()
                relinked = {name for name in after if after[name] != before.get(name)}
                failed = run_tests(relinked) if relinked else []
                outcome = "caught" if failed else "missed"
                detail = ", ".join(failed[:3]) + (f" (+{len(failed) - 3})" if len(failed) > 3 else "")
                if not relinked:
                    detail = "no test executable uses this file"
        finally:
            restore()
        rows.append((fault_id, path, kind, outcome, detail))
        print(f"{fault_id:32} {outcome:15} {time.time() - started:5.0f}s  {detail}", flush=True)
    return rows


started_all = time.time()
try:
    configure()
    print(f"building {build} ({'with' if ccache else 'without'} ccache, {args.jobs} jobs) ...", flush=True)
    built = build_tests()
    if built.returncode != 0:
        sys.exit("the unchanged sources do not build:\n" + built.stdout[-4000:])
    baseline = run_tests()
    if baseline:
        sys.exit("the unchanged suite fails: " + ", ".join(baseline))
    rows = plant_each()
    build_tests()  # leave the build folder matching the sources
except KeyboardInterrupt:
    restore()
    end_children()
    sys.exit("stopped; the sources are as they were")
finally:
    restore()

table = summary(rows, (time.time() - started_all) / 60)
print(table)
if args.out:
    with open(args.out, "w", encoding="utf-8") as f:
        f.write(table + "\n")
PYTHON
