#include "screens/SystemGeneratorView.h"
#include "ScreenTestSupport.h"
#include "model/StellarRules.h"
#include "screens/WorldEditPanel.h"
#include "ui/AppInformation.h"
#include "universe/StarfarerUniverse.h"

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

using namespace screen_test;

namespace {

template <typename T> T *child(const QWidget &parent, const char *name)
{
    T *found = parent.findChild<T *>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

QStringList comboTexts(const QComboBox *combo)
{
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts.append(combo->itemText(i));
    return texts;
}

// Picks an entry of a pop-up as the user does.
void choose(QComboBox *combo, const QString &text)
{
    const int index = combo->findText(text);
    ASSERT_GE(index, 0) << text.toStdString();
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

// Types into a field and commits with Return.
void typeInto(QLineEdit *field, const QString &text)
{
    field->selectAll();
    QTest::keyClicks(field, text);
    QTest::keyClick(field, Qt::Key_Return);
}

// A system whose main world has the tech level `level`, at `coordinates`.
HexData storedHex(const GalacticCoordinates &coordinates, TechnologyLevel level, const QString &notes = {})
{
    WorldData main = world();
    main.mainWorld = true;
    main.uwp.techLevel = level;
    Star primary = star(SpectralType::G, 2, LuminosityClass::V);
    primary.worlds = {main};
    HexData hex;
    hex.id = QUuid::createUuid();
    hex.coordinates = coordinates;
    hex.starSystem.id = QUuid::createUuid();
    hex.starSystem.stars = {primary};
    hex.notes = notes;
    return hex;
}

} // namespace

class SystemGeneratorViewTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        useEnglishNumbers();
        ASSERT_TRUE(m_documents.isValid());
        m_universe = std::make_unique<StarfarerUniverse>(UniverseFolder(m_documents.path()));
    }

    // The screen as the main window shows it, with the roll of its showing done.
    std::unique_ptr<SystemGeneratorView> shownView()
    {
        auto view = std::make_unique<SystemGeneratorView>(m_universe.get());
        view->show();
        QCoreApplication::processEvents();
        return view;
    }

    void reshow(SystemGeneratorView &view)
    {
        view.hide();
        view.show();
        QCoreApplication::processEvents();
    }

    std::unique_ptr<StarfarerUniverse> readBack() const
    {
        QString error;
        auto stored = StarfarerUniverse::readFile(m_universe->filePath(), m_universe->folder(), &error);
        EXPECT_NE(stored, nullptr) << error.toStdString();
        return stored;
    }

    QTemporaryDir m_documents;
    std::unique_ptr<StarfarerUniverse> m_universe;
};

// ---- Defaults and the first system ----

TEST_F(SystemGeneratorViewTest, StartsWithTheDefaultOptionsAndARolledSystem)
{
    SystemGeneratorView view(m_universe.get());
    const std::pair<const char *, bool> toggles[] = {
        {"randomStar", true},    {"randomLuminosity", true}, {"randomTL", true},
        {"tlScaleSwitch", true}, {"starfarersAware", true},  {"satharAware", false},
        {"otherAware", false},   {"surveyed", false},        {"binary", false},
    };
    for (const auto &[name, checked] : toggles)
        EXPECT_EQ(child<QCheckBox>(view, name)->isChecked(), checked) << name;
    const std::pair<const char *, const char *> pickers[] = {
        {"spectralType", "G"}, {"temperature", "0"}, {"luminosity", "V"}, {"maxTechLevel", "4"}};
    for (const auto &[name, text] : pickers)
        EXPECT_EQ(child<QComboBox>(view, name)->currentText(), QString::fromLatin1(text)) << name;
    // The options behind the controls agree.
    const GeneratorOptions &o = view.options();
    EXPECT_TRUE(o.randomStar && o.randomLuminosity && o.randomTL && o.swnTL && o.starfarersAware);
    EXPECT_FALSE(o.satharAware || o.otherAware || o.surveyed || o.binary);
    EXPECT_EQ(o.maxTechLevel, TechnologyLevel::tl4);

    EXPECT_TRUE(view.systemName().isEmpty());
    EXPECT_TRUE(view.systemNotes().isEmpty());
    EXPECT_EQ(view.target(), (GalacticCoordinates{0, 0, 1, 1}));
    EXPECT_EQ(child<QLabel>(view, "hexLabel")->text(), QStringLiteral("HEX: 00-0101"));
    EXPECT_EQ(child<QPushButton>(view, "storeButton")->text(), QStringLiteral("Save"));

    // The first system: no companion, and the main world at exactly "4".
    const StarSystem &system = view.starSystem();
    ASSERT_EQ(system.stars.size(), 1);
    ASSERT_TRUE(system.mainWorld().has_value());
    EXPECT_EQ(system.mainWorld()->uwp.techLevel, TechnologyLevel::tl4);
}

TEST_F(SystemGeneratorViewTest, HeaderNamesTheGeneratorAndTheVersion)
{
    SystemGeneratorView view(m_universe.get());
    EXPECT_EQ(child<QLabel>(view, "title")->text(), QStringLiteral("Vostrel Generator"));
    EXPECT_EQ(child<QLabel>(view, "versionLine")->text(),
              QStringLiteral("by Dulvane, version ") + AppInformation::appVersion() + QLatin1Char('.') +
                  AppInformation::appBuildNumber());
    EXPECT_EQ(child<QLabel>(view, "profileColumns")->text(),
              QStringLiteral("StpSizAtmHydPopGovLaw-TL B PBG Day\\Year [TC]"));
}

TEST_F(SystemGeneratorViewTest, EachShowingRollsAFreshSystem)
{
    SystemGeneratorView view(m_universe.get());
    const QUuid created = view.starSystem().id;
    view.show();
    // The roll waits until the showing is complete.
    EXPECT_EQ(view.starSystem().id, created);
    QCoreApplication::processEvents();
    const QUuid firstShowing = view.starSystem().id;
    EXPECT_NE(firstShowing, created);
    reshow(view);
    EXPECT_NE(view.starSystem().id, firstShowing);
}

// ---- Tech-level scale ----

TEST_F(SystemGeneratorViewTest, EmptyUniverseOffersTheSwitchAndFlippingItResetsTheLevel)
{
    auto view = shownView();
    EXPECT_TRUE(view->options().swnTL);
    QLabel *heading = child<QLabel>(*view, "techLevelHeading");
    EXPECT_EQ(heading->text(), QStringLiteral("Tech Level (SWN)"));
    QCheckBox *scaleSwitch = child<QCheckBox>(*view, "tlScaleSwitch");
    EXPECT_TRUE(scaleSwitch->isVisible() && scaleSwitch->isChecked());
    EXPECT_EQ(scaleSwitch->text(), QStringLiteral("SWN"));
    EXPECT_FALSE(child<QWidget>(*view, "tlScaleLock")->isVisible());
    EXPECT_EQ(child<QCheckBox>(*view, "starfarersAware")->text(), QStringLiteral("Starfarers"));
    EXPECT_EQ(child<QCheckBox>(*view, "satharAware")->text(), QStringLiteral("Sathar"));
    EXPECT_EQ(child<QCheckBox>(*view, "otherAware")->text(), QStringLiteral("Other"));
    QComboBox *levels = child<QComboBox>(*view, "maxTechLevel");
    EXPECT_EQ(comboTexts(levels), strings({"0", "1", "2", "3", "4", "4+", "5", "6"}));

    choose(levels, QStringLiteral("6"));
    scaleSwitch->click();
    EXPECT_FALSE(view->options().swnTL);
    EXPECT_EQ(rawValue(view->options().maxTechLevel), QStringLiteral("TL15"));
    EXPECT_EQ(levels->currentText(), QStringLiteral("TL15"));
    EXPECT_EQ(heading->text(), QStringLiteral("Tech Level (Traveller)"));
    QStringList traveller;
    for (int level = 0; level <= 22; ++level)
        traveller.append(QStringLiteral("TL%1").arg(level));
    EXPECT_EQ(comboTexts(levels), traveller);

    scaleSwitch->click();
    EXPECT_TRUE(view->options().swnTL);
    EXPECT_EQ(rawValue(view->options().maxTechLevel), QStringLiteral("4"));
    EXPECT_EQ(levels->count(), 8);
}

TEST_F(SystemGeneratorViewTest, TravellerUniverseLocksTheScaleAndRenamesTheGroups)
{
    m_universe->setData({storedHex({0, 0, 3, 3}, TechnologyLevel::ttl12)});
    SystemGeneratorView view(m_universe.get());
    EXPECT_EQ(rawValue(view.options().maxTechLevel), QStringLiteral("4"));
    view.show();
    QCoreApplication::processEvents();

    EXPECT_FALSE(view.options().swnTL);
    EXPECT_EQ(rawValue(view.options().maxTechLevel), QStringLiteral("TL15"));
    EXPECT_FALSE(child<QCheckBox>(view, "tlScaleSwitch")->isVisible());
    EXPECT_TRUE(child<QWidget>(view, "tlScaleLock")->isVisible());
    EXPECT_EQ(child<QLabel>(view, "tlScaleLockText")->text(), QStringLiteral("Locked to Traveller"));
    EXPECT_EQ(child<QCheckBox>(view, "starfarersAware")->text(), QStringLiteral("Imperium"));
    EXPECT_EQ(child<QCheckBox>(view, "satharAware")->text(), QStringLiteral("Zhodani"));
    EXPECT_EQ(child<QComboBox>(view, "maxTechLevel")->count(), 23);

    // A level picked on the right scale survives the next showing.
    choose(child<QComboBox>(view, "maxTechLevel"), QStringLiteral("TL9"));
    reshow(view);
    EXPECT_EQ(rawValue(view.options().maxTechLevel), QStringLiteral("TL9"));
}

TEST_F(SystemGeneratorViewTest, CoarseUniverseLocksTheScaleAndKeepsAChosenLevel)
{
    m_universe->setData({storedHex({0, 0, 3, 3}, TechnologyLevel::tl5)});
    auto view = shownView();
    EXPECT_TRUE(view->options().swnTL);
    EXPECT_EQ(child<QLabel>(*view, "tlScaleLockText")->text(), QStringLiteral("Locked to SWN"));
    EXPECT_EQ(child<QCheckBox>(*view, "starfarersAware")->text(), QStringLiteral("Starfarers"));

    choose(child<QComboBox>(*view, "maxTechLevel"), QStringLiteral("4+"));
    reshow(*view);
    EXPECT_EQ(rawValue(view->options().maxTechLevel), QStringLiteral("4+"));
    EXPECT_EQ(child<QComboBox>(*view, "maxTechLevel")->currentText(), QStringLiteral("4+"));
}

TEST_F(SystemGeneratorViewTest, ATravellerLevelFallsBackWhenTheUniverseTurnsCoarse)
{
    // Chosen in an empty universe on the Traveller scale, then the universe gains a
    // coarse system from elsewhere: the next showing goes back to "4".
    auto view = shownView();
    child<QCheckBox>(*view, "tlScaleSwitch")->click();
    choose(child<QComboBox>(*view, "maxTechLevel"), QStringLiteral("TL11"));
    m_universe->setData({storedHex({0, 0, 3, 3}, TechnologyLevel::tl2)});
    reshow(*view);
    EXPECT_TRUE(view->options().swnTL);
    EXPECT_EQ(rawValue(view->options().maxTechLevel), QStringLiteral("4"));
}

// ---- Enabling rules ----

TEST_F(SystemGeneratorViewTest, RandomStarDecidesWhichStarControlsAreEnabled)
{
    auto view = shownView();
    const auto enabled = [&](const char *name) { return child<QWidget>(*view, name)->isEnabled(); };
    EXPECT_TRUE(enabled("binary"));
    for (const char *name : {"randomLuminosity", "spectralType", "temperature", "luminosity"})
        EXPECT_FALSE(enabled(name)) << name;

    child<QCheckBox>(*view, "randomStar")->click();
    EXPECT_FALSE(view->options().randomStar);
    EXPECT_FALSE(enabled("binary"));
    for (const char *name : {"randomLuminosity", "spectralType", "temperature", "luminosity"})
        EXPECT_TRUE(enabled(name)) << name;
    // The tech-level picker never depends on it.
    EXPECT_TRUE(enabled("maxTechLevel"));
}

TEST_F(SystemGeneratorViewTest, RandomTechLevelRetitlesThePickerOnly)
{
    auto view = shownView();
    QLabel *title = child<QLabel>(*view, "maxTechLevelTitle");
    choose(child<QComboBox>(*view, "maxTechLevel"), QStringLiteral("5"));
    EXPECT_EQ(title->text(), QStringLiteral("Max TL"));
    child<QCheckBox>(*view, "randomTL")->click();
    EXPECT_FALSE(view->options().randomTL);
    EXPECT_EQ(title->text(), QStringLiteral("Tech Level"));
    EXPECT_EQ(rawValue(view->options().maxTechLevel), QStringLiteral("5"));

    // A fixed level goes to the main world as it is.
    child<QPushButton>(*view, "generateButton")->click();
    EXPECT_EQ(view->starSystem().mainWorld()->uwp.techLevel, TechnologyLevel::tl5);
}

// ---- Generating ----

TEST_F(SystemGeneratorViewTest, AHandMadeStarIsTheOnlyStarAndWithinItsMassRange)
{
    SeededSource seeded(7);
    ScopedRandomSource scope(seeded);
    // A rolled luminosity (with "Binary" left on from the random star), then a fixed one.
    const struct
    {
        const char *type;
        const char *luminosity; // null: rolled
    } cases[] = {{"K", nullptr}, {"M", "III"}};
    for (const auto &c : cases) {
        auto view = shownView();
        if (!c.luminosity)
            child<QCheckBox>(*view, "binary")->click(); // allowed only while the star is random
        child<QCheckBox>(*view, "randomStar")->click();
        if (c.luminosity)
            child<QCheckBox>(*view, "randomLuminosity")->click();
        choose(child<QComboBox>(*view, "spectralType"), QString::fromLatin1(c.type));
        choose(child<QComboBox>(*view, "temperature"), QStringLiteral("5"));
        QComboBox *luminosity = child<QComboBox>(*view, "luminosity");
        if (c.luminosity)
            choose(luminosity, QString::fromLatin1(c.luminosity));
        for (int round = 0; round < 8; ++round) {
            child<QPushButton>(*view, "generateButton")->click();
            const StarSystem &system = view->starSystem();
            ASSERT_EQ(system.stars.size(), 1) << "binary has no effect on a hand-made star";
            const Star &primary = system.stars.first();
            EXPECT_EQ(rawValue(primary.spectralType), QString::fromLatin1(c.type));
            EXPECT_EQ(primary.temperature, 5);
            EXPECT_EQ(primary.orbit, Orbits::starOrbitP);
            // The class used for the star is the one the picker shows.
            EXPECT_EQ(primary.luminosity, view->options().luminosity);
            EXPECT_EQ(luminosity->currentText(), rawValue(primary.luminosity));
            if (c.luminosity) {
                EXPECT_EQ(rawValue(primary.luminosity), QString::fromLatin1(c.luminosity));
            }
            const MassRange range = StellarRules::massRange(primary.spectralType, primary.luminosity);
            EXPECT_TRUE(primary.mass >= range.low && primary.mass <= range.high) << primary.mass;
        }
    }
}

// ---- Storing ----

TEST_F(SystemGeneratorViewTest, StoresTheEditedSystemAtTheChosenHexAndWritesTheFile)
{
    auto view = shownView();
    auto *panel = child<WorldEditPanel>(*view, "mainWorldEditor");
    ASSERT_TRUE(panel->isVisible());
    ASSERT_EQ(panel->world().id, view->starSystem().mainWorld()->id);
    panel->setName(QStringLiteral("Edited World"));
    panel->setPopulation(3);
    const WorldData edited = panel->world();
    EXPECT_EQ(view->starSystem().mainWorld(), edited);

    QTest::keyClicks(child<QLineEdit>(*view, "systemName"), QStringLiteral("Spinward"));
    QTest::keyClicks(child<QPlainTextEdit>(*view, "notes"), QStringLiteral("Pirates nearby."));
    child<QAbstractSpinBox>(*view, "sectorX")->stepDown();
    child<QAbstractSpinBox>(*view, "sectorY")->stepUp();
    typeInto(child<QLineEdit>(*view, "column"), QStringLiteral("12"));
    typeInto(child<QLineEdit>(*view, "row"), QStringLiteral("7"));
    child<QCheckBox>(*view, "starfarersAware")->click();
    child<QCheckBox>(*view, "satharAware")->click();
    child<QCheckBox>(*view, "surveyed")->click();
    EXPECT_EQ(child<QLabel>(*view, "hexLabel")->text(), QStringLiteral("HEX: A1-1207"));

    QPushButton *store = child<QPushButton>(*view, "storeButton");
    EXPECT_EQ(store->text(), QStringLiteral("Save"));
    store->click();
    EXPECT_EQ(store->text(), QStringLiteral("Replace"));
    EXPECT_TRUE(view->saveFailure().isEmpty());
    EXPECT_FALSE(child<QLabel>(*view, "saveStatus")->isVisible());
    // The scale is no longer a choice once the universe holds a system.
    EXPECT_FALSE(child<QCheckBox>(*view, "tlScaleSwitch")->isVisible());
    EXPECT_TRUE(child<QWidget>(*view, "tlScaleLock")->isVisible());

    const auto stored = readBack();
    ASSERT_NE(stored, nullptr);
    ASSERT_EQ(stored->data().size(), 1);
    const HexData &hex = stored->data().first();
    EXPECT_EQ(hex.coordinates, (GalacticCoordinates{-1, 1, 12, 7}));
    EXPECT_EQ(hex.notes, QStringLiteral("Pirates nearby."));
    EXPECT_EQ(hex.starSystem.name, QStringLiteral("Spinward"));
    EXPECT_FALSE(hex.starSystem.starfarers);
    EXPECT_TRUE(hex.starSystem.sathar);
    EXPECT_FALSE(hex.starSystem.other);
    EXPECT_TRUE(hex.starSystem.surveyed);
    ASSERT_TRUE(hex.starSystem.mainWorld().has_value());
    EXPECT_EQ(hex.starSystem.mainWorld()->name, QStringLiteral("Edited World"));
    EXPECT_EQ(hex.starSystem.mainWorld()->uwp.population, 3);
    EXPECT_EQ(hex.starSystem.id, view->starSystem().id);
    EXPECT_EQ(hex.starSystem.stars, view->starSystem().stars);
    // The screen keeps what it showed.
    EXPECT_EQ(view->systemName(), QStringLiteral("Spinward"));
    EXPECT_EQ(view->target(), (GalacticCoordinates{-1, 1, 12, 7}));
}

// A system rolled on the SWN scale, stored after the switch was flipped to Traveller:
// the universe now uses the SWN scale, and at once so does the screen, so that the
// next store cannot put a Traveller level into the same universe.
TEST_F(SystemGeneratorViewTest, AfterAStoreTheScaleIsTheOneTheUniverseUses)
{
    auto view = shownView();
    ASSERT_EQ(technologyLevelSystem(view->starSystem().mainWorld()->uwp.techLevel),
              TechnologyLevelSystem::swn);
    child<QCheckBox>(*view, "tlScaleSwitch")->click();
    ASSERT_EQ(rawValue(view->options().maxTechLevel), QStringLiteral("TL15"));

    child<QPushButton>(*view, "storeButton")->click();
    EXPECT_TRUE(view->options().swnTL);
    EXPECT_EQ(rawValue(view->options().maxTechLevel), QStringLiteral("4"));
    EXPECT_EQ(child<QLabel>(*view, "tlScaleLockText")->text(), QStringLiteral("Locked to SWN"));
    EXPECT_EQ(child<QLabel>(*view, "techLevelHeading")->text(), QStringLiteral("Tech Level (SWN)"));

    typeInto(child<QLineEdit>(*view, "column"), QStringLiteral("2"));
    child<QPushButton>(*view, "generateButton")->click();
    child<QPushButton>(*view, "storeButton")->click();
    const auto stored = readBack();
    ASSERT_NE(stored, nullptr);
    ASSERT_EQ(stored->data().size(), 2);
    for (const HexData &hex : stored->data())
        EXPECT_EQ(technologyLevelSystem(hex.starSystem.mainWorld()->uwp.techLevel),
                  TechnologyLevelSystem::swn);
}

TEST_F(SystemGeneratorViewTest, GeneratingAgainKeepsNameNotesAndTargetButDiscardsMainWorldEdits)
{
    auto view = shownView();
    QLineEdit *name = child<QLineEdit>(*view, "systemName");
    QTest::keyClicks(name, QStringLiteral("Regina"));
    QTest::keyClicks(child<QPlainTextEdit>(*view, "notes"), QStringLiteral("Capital"));
    typeInto(child<QLineEdit>(*view, "column"), QStringLiteral("19"));
    auto *panel = child<WorldEditPanel>(*view, "mainWorldEditor");
    panel->setName(QStringLiteral("Soon Gone"));
    const QUuid before = view->starSystem().id;
    child<QPushButton>(*view, "generateButton")->click();
    EXPECT_NE(view->starSystem().id, before);
    EXPECT_EQ(view->systemName(), QStringLiteral("Regina"));
    EXPECT_EQ(view->systemNotes(), QStringLiteral("Capital"));
    EXPECT_EQ(view->target(), (GalacticCoordinates{0, 0, 19, 1}));
    ASSERT_TRUE(view->starSystem().mainWorld().has_value());
    EXPECT_NE(view->starSystem().mainWorld()->name, QStringLiteral("Soon Gone"));
    // The editor now shows, and edits, the new main world.
    EXPECT_EQ(panel->world(), *view->starSystem().mainWorld());

    // An empty name is stored empty.
    name->selectAll();
    QTest::keyClick(name, Qt::Key_Backspace);
    EXPECT_TRUE(view->systemName().isEmpty());
    child<QPushButton>(*view, "storeButton")->click();
    EXPECT_EQ(m_universe->data().first().starSystem.mainWorld(), view->starSystem().mainWorld());
    EXPECT_TRUE(m_universe->data().first().starSystem.name.isEmpty());
}

TEST_F(SystemGeneratorViewTest, ReplaceOverwritesTheHexInPlaceAndLeavesOthers)
{
    const HexData first = storedHex({0, 0, 1, 2}, TechnologyLevel::tl3, QStringLiteral("first"));
    const HexData middle = storedHex({0, 0, 4, 4}, TechnologyLevel::tl3, QStringLiteral("old"));
    const HexData last = storedHex({1, 0, 4, 4}, TechnologyLevel::tl3, QStringLiteral("last"));
    m_universe->setData({first, middle, last});
    auto view = shownView();
    typeInto(child<QLineEdit>(*view, "column"), QStringLiteral("4"));
    QPushButton *store = child<QPushButton>(*view, "storeButton");
    EXPECT_EQ(store->text(), QStringLiteral("Save")) << "row 1 is still free";
    typeInto(child<QLineEdit>(*view, "row"), QStringLiteral("4"));
    EXPECT_EQ(store->text(), QStringLiteral("Replace"));
    QTest::keyClicks(child<QPlainTextEdit>(*view, "notes"), QStringLiteral("new"));

    store->click();
    const QList<HexData> &data = m_universe->data();
    ASSERT_EQ(data.size(), 3);
    EXPECT_EQ(data.at(0), first);
    EXPECT_EQ(data.at(2), last);
    EXPECT_NE(data.at(1).id, middle.id);
    EXPECT_EQ(data.at(1).notes, QStringLiteral("new"));
    EXPECT_EQ(data.at(1).coordinates, middle.coordinates);
    EXPECT_EQ(data.at(1).starSystem.id, view->starSystem().id);

    // Again: the same system under another fresh id, still in place.
    const QUuid replaced = data.at(1).id;
    store->click();
    ASSERT_EQ(m_universe->data().size(), 3);
    EXPECT_NE(m_universe->data().at(1).id, replaced);
    EXPECT_EQ(readBack()->data(), m_universe->data());
}

TEST_F(SystemGeneratorViewTest, AFailedSaveIsShownAndClearedByTheNextGoodOne)
{
    auto view = shownView();
    // A folder where the universe file should be: the write cannot succeed.
    ASSERT_TRUE(QDir().mkpath(m_universe->filePath()));
    child<QPushButton>(*view, "storeButton")->click();

    QLabel *status = child<QLabel>(*view, "saveStatus");
    EXPECT_TRUE(status->isVisible());
    EXPECT_TRUE(status->text().contains(m_universe->filePath())) << status->text().toStdString();
    EXPECT_EQ(status->text(), view->saveFailure());
    // The document in memory keeps the hex, so the button offers to replace it.
    EXPECT_EQ(m_universe->data().size(), 1);
    EXPECT_EQ(child<QPushButton>(*view, "storeButton")->text(), QStringLiteral("Replace"));
    EXPECT_TRUE(QFileInfo(m_universe->filePath()).isDir());

    ASSERT_TRUE(QDir(m_universe->filePath()).removeRecursively());
    child<QPushButton>(*view, "storeButton")->click();
    EXPECT_FALSE(status->isVisible());
    EXPECT_TRUE(view->saveFailure().isEmpty());
    EXPECT_EQ(readBack()->data().size(), 1);
}

// ---- Target hex ----

struct ClampCase
{
    const char *field;
    const char *typed;
    qint64 column;
    qint64 row;
};

void PrintTo(const ClampCase &c, std::ostream *out)
{
    *out << c.field << " \"" << c.typed << '"';
}

class SystemGeneratorClampTest : public SystemGeneratorViewTest,
                                 public ::testing::WithParamInterface<ClampCase>
{
};

TEST_P(SystemGeneratorClampTest, TypedValuesAreBroughtIntoTheSector)
{
    const ClampCase &c = GetParam();
    auto view = shownView();
    QLineEdit *field = child<QLineEdit>(*view, c.field);
    typeInto(field, QString::fromLatin1(c.typed));
    EXPECT_EQ(view->target(), (GalacticCoordinates{0, 0, c.column, c.row}));
    const qint64 shown = QString::fromLatin1(c.field) == QStringLiteral("column") ? c.column : c.row;
    EXPECT_EQ(field->text(), QString::number(shown));
}

INSTANTIATE_TEST_SUITE_P(Fields, SystemGeneratorClampTest,
                         ::testing::Values(ClampCase{"column", "40", 32, 1}, ClampCase{"column", "33", 32, 1},
                                           ClampCase{"column", "0", 1, 1}, ClampCase{"column", "-5", 1, 1},
                                           ClampCase{"column", "17", 17, 1}, ClampCase{"row", "50", 1, 40},
                                           ClampCase{"row", "41", 1, 40}, ClampCase{"row", "0", 1, 1},
                                           ClampCase{"row", "xyz", 1, 1}));

TEST_F(SystemGeneratorViewTest, TextThatIsNotANumberKeepsTheLastValue)
{
    auto view = shownView();
    QLineEdit *column = child<QLineEdit>(*view, "column");
    typeInto(column, QStringLiteral("9"));
    typeInto(column, QStringLiteral("nine"));
    EXPECT_EQ(view->target().column, 9);
    EXPECT_EQ(column->text(), QStringLiteral("9"));
}

TEST_F(SystemGeneratorViewTest, SectorSteppersStopAtMinusTwoAndTwoAndNameNegativeSectorsByLetter)
{
    auto view = shownView();
    QAbstractSpinBox *x = child<QAbstractSpinBox>(*view, "sectorX");
    EXPECT_EQ(x->text(), QStringLiteral("X: 0"));
    x->stepDown();
    EXPECT_EQ(x->text(), QStringLiteral("X: A"));
    EXPECT_EQ(view->target().sectorX, -1);
    x->stepDown();
    EXPECT_EQ(x->text(), QStringLiteral("X: B"));
    x->stepDown();
    EXPECT_EQ(view->target().sectorX, -2);
    EXPECT_EQ(child<QLabel>(*view, "hexLabel")->text(), QStringLiteral("HEX: B0-0101"));

    QAbstractSpinBox *y = child<QAbstractSpinBox>(*view, "sectorY");
    for (int step = 0; step < 4; ++step)
        y->stepUp();
    EXPECT_EQ(view->target().sectorY, 2);
    EXPECT_EQ(y->text(), QStringLiteral("Y: 2"));
    // The arrow keys step the same way.
    y->setFocus();
    QTest::keyClick(y, Qt::Key_Down);
    EXPECT_EQ(view->target().sectorY, 1);
}

TEST_F(SystemGeneratorViewTest, NotesPlaceholderShowsOnlyWhileTheNotesAreEmpty)
{
    auto view = shownView();
    QLabel *placeholder = child<QLabel>(*view, "notesHeader");
    EXPECT_EQ(placeholder->text(), QStringLiteral("System Notes"));
    EXPECT_TRUE(placeholder->isVisible());
    QPlainTextEdit *notes = child<QPlainTextEdit>(*view, "notes");
    QTest::keyClicks(notes, QStringLiteral("x"));
    EXPECT_FALSE(placeholder->isVisible());
    QTest::keyClick(notes, Qt::Key_Backspace);
    EXPECT_TRUE(view->systemNotes().isEmpty());
    EXPECT_TRUE(placeholder->isVisible());
}
