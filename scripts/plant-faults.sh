#!/usr/bin/env bash
# Plants small faults in the sources one at a time, rebuilds and runs the test
# suites against each, and prints which faults the suites catch. Used to show that
# a change to the tests keeps their power to find faults: run it before and after.
#
#   scripts/plant-faults.sh [--build-dir DIR] [--ctest] [--only ID,ID...] [--out FILE]
#
# Each fault is (id, file, exact original text, replacement). The original must
# occur exactly once in the file, else the fault is reported as "did not apply"
# (the sources change under other work; the script says so and goes on). The file
# is restored with `git checkout` after each fault. A fault that breaks the build
# counts as "caught (build)".
#
# By default the test executables are run directly, all at once: they hold the
# same cases CTest runs one by one, and this is much quicker. --ctest runs CTest.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
exec python3 - "$root" "$@" <<'PYTHON'
import argparse, os, re, shutil, subprocess, sys, time

root = sys.argv[1]
parser = argparse.ArgumentParser(prog="plant-faults.sh")
parser.add_argument("--build-dir", default=os.path.join(root, "build-faults"))
parser.add_argument("--ctest", action="store_true")
parser.add_argument("--only", default="")
parser.add_argument("--out", default="")
args = parser.parse_args(sys.argv[2:])

# (id, file, original, replacement, what the fault is)
FAULTS = [
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
    ("manager-save-skipped", "src/universe/UniverseManager.cpp", "    if (!saveReporting(*created))",
     "    if (false)", "a save skipped"),
    ("saver-resave-dropped", "src/universe/UniverseSaver.cpp", "        if (!m_saveAsked)\n            break;\n",
     "        break;\n", "a save asked during a write dropped"),
    ("saver-failure-as-success", "src/universe/UniverseSaver.cpp", "    return {false, message};", "    return {};",
     "failure reported as success"),
    ("writer-full-disk-ignored", "src/universe/AtomicFileWriter.cpp",
     "if (written < 0 && errno != EINTR)\n            return systemReason(errno);",
     "if (written < 0 && errno != EINTR)\n            break;", "failed write reported as success"),
    ("manager-rename-unsaved", "src/universe/UniverseManager.cpp", "const bool saved = m_current->saveNow();",
     "const bool saved = true;", "a save skipped"),
    ("manager-delete-wrong-file", "src/universe/UniverseManager.cpp", "    QFile file(header.filePath);\n",
     "    QFile file(m_headers.constLast().filePath);\n", "a wrong file removed"),
    ("headercache-not-written", "src/universe/HeaderCache.cpp", "        file.commit();", "        file.cancelWriting();",
     "cache never stored"),
    # src/screens
    ("options-default-tl", "src/screens/GeneratorOptions.cpp", "TechnologyLevel::ttl15 : TechnologyLevel::tl4",
     "TechnologyLevel::ttl15 : TechnologyLevel::tl5", "wrong default"),
    ("options-gravity-edit", "src/screens/WorldEditOptions.cpp", "return uwp.size >= 1 && uwp.size <= kLargestSize;",
     "return uwp.size >= 2 && uwp.size <= kLargestSize;", "off-by-one"),
    ("options-day-text", "src/screens/WorldEditOptions.cpp", "world.tideLocked && world.dayLength == world.yearLength",
     "world.tideLocked && world.dayLength != world.yearLength", "flipped comparison"),
    ("options-density", "src/screens/WorldEditOptions.cpp", "return g * 8.0 /", "return g * 4.0 /",
     "wrong constant"),
    ("options-tag-title", "src/screens/WorldEditOptions.cpp", ">= static_cast<int>(WorldTag::gov0)",
     "> static_cast<int>(WorldTag::gov0)", "off-by-one"),
    ("panel-no-clamp", "src/screens/WorldEditPanel.cpp", "    world.uwp.clampToAllowedRanges();\n", "",
     "clamp skipped"),
    ("panel-no-signal", "src/screens/WorldEditPanel.cpp", "    emit worldEdited(m_world);\n", "",
     "signal not emitted"),
    ("worlds-headings", "src/screens/SystemWorldsModel.cpp", "starSystem.stars.size() >= 2", "starSystem.stars.size() >= 1",
     "off-by-one"),
    ("worlds-companion", "src/screens/SystemWorldsModel.cpp", "heading.companion = i > 0;", "heading.companion = i >= 0;",
     "flipped comparison"),
    # src/app
    ("app-shortcut-key", "src/app/MainWindow.cpp", "Qt::CTRL | Qt::SHIFT | Qt::Key_U", "Qt::CTRL | Qt::SHIFT | Qt::Key_I",
     "wrong key"),
    ("app-saved-clears", "src/app/MainWindow.cpp",
     "            connect(universe, &StarfarerUniverse::saved, m_saveFailure, &MessageBanner::clearMessage),\n", "",
     "signal not connected"),
    ("app-title-dash", "src/app/MainWindow.cpp", 'universe->name() + QStringLiteral(" \\u2014 ")',
     'universe->name() + QStringLiteral(" - ")', "wrong text"),
    ("app-save-failure-hidden", "src/app/MainWindow.cpp",
     "            connect(universe, &StarfarerUniverse::saveFailed, m_saveFailure, &MessageBanner::showMessage),\n", "",
     "failure not shown"),
    ("app-operation-failure-hidden", "src/app/MainWindow.cpp",
     "    connect(m_manager, &UniverseManager::operationFailed, m_operationFailure, &MessageBanner::showMessage);\n",
     "", "failure not shown"),
    ("app-sidebar-clear", "src/app/SidebarList.cpp", "        emit destinationChosen(std::nullopt);\n", "",
     "signal not emitted"),
]

# Test folders, each holding one executable named after its path.
TEST_EXECUTABLES = ["json", "model", "universe", "import", "ui", "starmap", "starmap/ui", "travel", "travel/ui",
                    "screens", "editors", "app"]
build = os.path.abspath(args.build_dir)
env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
env.setdefault("CCACHE_BASEDIR", "/work")
env.setdefault("CCACHE_DIR", "/work/.ccache")


def run(command, **kw):
    return subprocess.run(command, cwd=root, env=env, capture_output=True, text=True, **kw)


def configure():
    if not os.path.exists(os.path.join(build, "CMakeCache.txt")):
        result = run(["cmake", "-S", root, "-B", build, "-G", "Ninja", "-DCMAKE_BUILD_TYPE=RelWithDebInfo",
                      "-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"]
                     # lld links the test executables several times faster than ld.
                     + (["-DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld"] if shutil.which("ld.lld") else []))
        if result.returncode != 0:
            sys.exit("configure failed:\n" + result.stdout + result.stderr)


def build_tests():
    targets = [target(name) for name in TEST_EXECUTABLES if os.path.isdir(os.path.join(root, "tests", name))]
    return run(["cmake", "--build", build, "-j3", "--target", *targets])


def target(name):
    return "vostrel_" + name.replace("/", "_") + "_tests"


def run_tests():
    """Returns the names of the failing tests (empty when all pass)."""
    if args.ctest:
        result = run(["ctest", "--test-dir", build, "-j3", "--timeout", "300"])
        failed = re.findall(r"^\s*\d+ - (\S+) \(", result.stdout, re.M)
        return failed or ([] if result.returncode == 0 else ["ctest failed"])
    processes = []
    for name in TEST_EXECUTABLES:
        path = os.path.join(build, "tests", name, target(name))
        if os.path.exists(path):
            processes.append((name, subprocess.Popen([path, "--gtest_brief=1"], cwd=os.path.dirname(path), env=env,
                                                     stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)))
    failed = []
    for name, process in processes:
        try:
            output, _ = process.communicate(timeout=600)
        except subprocess.TimeoutExpired:
            process.kill()
            process.communicate()
            failed.append(f"{name}: timed out")
            continue
        names = sorted(set(re.findall(r"^\[  FAILED  \] (\S+?\.\S+)", output, re.M)))
        failed += names
        if process.returncode != 0 and not names:
            failed.append(f"{name}: exit {process.returncode}")
    return failed


def file_is_clean(path):
    return run(["git", "diff", "--quiet", "HEAD", "--", path]).returncode == 0


configure()
selected = [f for f in FAULTS if not args.only or f[0] in args.only.split(",")]
print(f"building {build} ...", flush=True)
if build_tests().returncode != 0:
    sys.exit("the unchanged sources do not build")
baseline = run_tests()
if baseline:
    sys.exit("the unchanged suite fails: " + ", ".join(baseline))

rows = []
for fault_id, path, original, replacement, kind in selected:
    full = os.path.join(root, path)
    text = open(full, encoding="utf-8").read() if os.path.exists(full) else ""
    count = text.count(original)
    if count != 1 or not file_is_clean(path):
        reason = "did not apply" + ("" if count == 1 else f" (original found {count} times)")
        rows.append((fault_id, path, kind, reason, ""))
        print(f"{fault_id:26} {reason}", flush=True)
        continue
    started = time.time()
    try:
        with open(full, "w", encoding="utf-8") as f:
            f.write(text.replace(original, replacement, 1))
        built = build_tests()
        if built.returncode != 0:
            outcome, detail = "caught (build)", "compile error"
        else:
            failed = run_tests()
            outcome = "caught" if failed else "NOT caught"
            detail = ", ".join(failed[:3]) + (f" (+{len(failed) - 3})" if len(failed) > 3 else "")
    finally:
        run(["git", "checkout", "--", path])
    rows.append((fault_id, path, kind, outcome, detail))
    print(f"{fault_id:26} {outcome:15} {time.time() - started:5.0f}s  {detail}", flush=True)

build_tests()  # leave the build folder matching the sources

lines = ["| fault | file | kind | result | failing tests |", "|---|---|---|---|---|"]
lines += [f"| {r[0]} | {r[1]} | {r[2]} | {r[3]} | {r[4]} |" for r in rows]
caught = sum(1 for r in rows if r[3].startswith("caught"))
applied = sum(1 for r in rows if not r[3].startswith("did not"))
lines.append(f"\n{caught} of {applied} applied faults caught.")
table = "\n".join(lines)
print(table)
if args.out:
    with open(args.out, "w", encoding="utf-8") as f:
        f.write(table + "\n")
PYTHON
