#include "screens/ui/SystemGeneratorView.h"
#include "ScreenTestSupport.h"
#include "model/StellarRules.h"
#include "model/UWPDescriptions.h"
#include "screens/ui/WorldEditPanel.h"
#include "screens/ui/WorldEditRow.h"
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
        m_universe->waitForPendingSave();
        QString error;
        auto stored = StarfarerUniverse::readFile(m_universe->filePath(), m_universe->folder(), &error);
        EXPECT_NE(stored, nullptr) << error.toStdString();
        return stored;
    }

    QTemporaryDir m_documents;
    std::unique_ptr<StarfarerUniverse> m_universe;
};

// ---- Defaults and the first system ----

// ---- Tech-level scale ----

TEST_F(SystemGeneratorViewTest, EmptyUniverseOffersTheSwitchAndFlippingItResetsTheLevel)
{
    auto view = shownView();
    EXPECT_TRUE(view->options().swnTL);
    QLabel *heading = child<QLabel>(*view, "techLevelHeading");
    QCheckBox *scaleSwitch = child<QCheckBox>(*view, "tlScaleSwitch");
    EXPECT_TRUE(scaleSwitch->isVisible() && scaleSwitch->isChecked());
    EXPECT_FALSE(child<QWidget>(*view, "tlScaleLock")->isVisible());
    QComboBox *levels = child<QComboBox>(*view, "maxTechLevel");
    EXPECT_EQ(levels->currentText(), QStringLiteral("4"));
    EXPECT_EQ(levels->count(), 8);

    choose(levels, QStringLiteral("6"));
    scaleSwitch->click();
    EXPECT_FALSE(view->options().swnTL);
    EXPECT_EQ(rawValue(view->options().maxTechLevel), QStringLiteral("TL15"));
    EXPECT_EQ(levels->currentText(), QStringLiteral("TL15"));
    EXPECT_EQ(heading->text(), QStringLiteral("Tech Level (Traveller)"));
    EXPECT_EQ(levels->count(), 23);

    scaleSwitch->click();
    EXPECT_TRUE(view->options().swnTL);
    EXPECT_EQ(rawValue(view->options().maxTechLevel), QStringLiteral("4"));
    EXPECT_EQ(levels->count(), 8);
}

TEST_F(SystemGeneratorViewTest, TravellerUniverseLocksTheScaleAndRenamesTheGroups)
{
    m_universe->setData({hexWithMainWorld(TechnologyLevel::ttl12, {0, 0, 3, 3})});
    SystemGeneratorView view(m_universe.get());
    EXPECT_EQ(rawValue(view.options().maxTechLevel), QStringLiteral("4"));
    view.show();
    QCoreApplication::processEvents();

    EXPECT_FALSE(view.options().swnTL);
    EXPECT_EQ(rawValue(view.options().maxTechLevel), QStringLiteral("TL15"));
    EXPECT_FALSE(child<QCheckBox>(view, "tlScaleSwitch")->isVisible());
    EXPECT_TRUE(child<QWidget>(view, "tlScaleLock")->isVisible());
    EXPECT_EQ(child<QCheckBox>(view, "starfarersAware")->text(), QStringLiteral("Imperium"));

    // A level picked on the right scale survives the next showing.
    choose(child<QComboBox>(view, "maxTechLevel"), QStringLiteral("TL9"));
    reshow(view);
    EXPECT_EQ(rawValue(view.options().maxTechLevel), QStringLiteral("TL9"));
}

TEST_F(SystemGeneratorViewTest, ATravellerLevelFallsBackWhenTheUniverseTurnsCoarse)
{
    // Chosen in an empty universe on the Traveller scale, then the universe gains a
    // coarse system from elsewhere: the next showing goes back to "4".
    auto view = shownView();
    child<QCheckBox>(*view, "tlScaleSwitch")->click();
    choose(child<QComboBox>(*view, "maxTechLevel"), QStringLiteral("TL11"));
    m_universe->setData({hexWithMainWorld(TechnologyLevel::tl2, {0, 0, 3, 3})});
    reshow(*view);
    EXPECT_TRUE(view->options().swnTL);
    EXPECT_EQ(rawValue(view->options().maxTechLevel), QStringLiteral("4"));
}

// ---- Enabling rules ----

// ---- Generating ----

TEST_F(SystemGeneratorViewTest, AHandMadeStarIsTheOnlyStarAndWithinItsMassRange)
{
    SeededSource seeded(7);
    ScopedRandomSource scope(seeded);
    auto view = shownView();
    child<QCheckBox>(*view, "binary")->click(); // left on from the random star: no effect
    child<QCheckBox>(*view, "randomStar")->click();
    choose(child<QComboBox>(*view, "spectralType"), QStringLiteral("K"));
    choose(child<QComboBox>(*view, "temperature"), QStringLiteral("5"));
    for (int round = 0; round < 8; ++round) {
        child<QPushButton>(*view, "generateButton")->click();
        const StarSystem &system = view->starSystem();
        ASSERT_EQ(system.stars.size(), 1);
        const Star &primary = system.stars.first();
        EXPECT_EQ(primary.spectralType, SpectralType::K);
        EXPECT_EQ(primary.temperature, 5);
        // The rolled class is the one the picker shows.
        EXPECT_EQ(child<QComboBox>(*view, "luminosity")->currentText(), rawValue(primary.luminosity));
        const MassRange range = StellarRules::massRange(primary.spectralType, primary.luminosity);
        EXPECT_TRUE(primary.mass >= range.low && primary.mass <= range.high) << primary.mass;
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
    // Population 3, picked from its row's menu as the user does.
    QAction *population = nullptr;
    for (const WorldEditRow *row : panel->findChildren<WorldEditRow *>()) {
        if (row->title() == QStringLiteral("Population"))
            population = actionNamed(row->menu(), QStringLiteral("3: ") + populationDescription(3));
    }
    ASSERT_NE(population, nullptr);
    population->trigger();
    ASSERT_EQ(panel->world().uwp.population, 3);
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
    EXPECT_TRUE(m_universe->waitForPendingSave());
    EXPECT_EQ(store->text(), QStringLiteral("Replace"));
    EXPECT_TRUE(view->saveFailure().isEmpty());
    // The scale is no longer a choice once the universe holds a system.
    EXPECT_FALSE(child<QCheckBox>(*view, "tlScaleSwitch")->isVisible());

    const auto stored = readBack();
    ASSERT_NE(stored, nullptr);
    ASSERT_EQ(stored->data().size(), 1);
    const HexData &hex = stored->data().first();
    EXPECT_EQ(hex.coordinates, (GalacticCoordinates{-1, 1, 12, 7}));
    EXPECT_EQ(hex.notes, QStringLiteral("Pirates nearby."));
    EXPECT_EQ(hex.starSystem.name, QStringLiteral("Spinward"));
    EXPECT_TRUE(!hex.starSystem.starfarers && hex.starSystem.sathar && !hex.starSystem.other);
    EXPECT_TRUE(hex.starSystem.surveyed);
    EXPECT_EQ(hex.starSystem.mainWorld(), edited);
    EXPECT_EQ(hex.starSystem.stars, view->starSystem().stars);
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

TEST_F(SystemGeneratorViewTest, ReplaceOverwritesTheHexInPlaceAndLeavesOthers)
{
    const HexData first = hexWithMainWorld(TechnologyLevel::tl3, {0, 0, 1, 2}, QStringLiteral("first"));
    const HexData middle = hexWithMainWorld(TechnologyLevel::tl3, {0, 0, 4, 4}, QStringLiteral("old"));
    const HexData last = hexWithMainWorld(TechnologyLevel::tl3, {1, 0, 4, 4}, QStringLiteral("last"));
    m_universe->setData({first, middle, last});
    auto view = shownView();
    typeInto(child<QLineEdit>(*view, "column"), QStringLiteral("4"));
    QPushButton *store = child<QPushButton>(*view, "storeButton");
    EXPECT_EQ(store->text(), QStringLiteral("Save")) << "row 1 is still free";
    typeInto(child<QLineEdit>(*view, "row"), QStringLiteral("4"));
    EXPECT_EQ(store->text(), QStringLiteral("Replace"));
    QTest::keyClicks(child<QPlainTextEdit>(*view, "notes"), QStringLiteral("new"));

    store->click();
    const HexList &data = m_universe->data();
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
    EXPECT_FALSE(m_universe->waitForPendingSave());

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
    EXPECT_TRUE(m_universe->waitForPendingSave());
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
                         ::testing::Values(ClampCase{"column", "33", 32, 1}, ClampCase{"column", "0", 1, 1},
                                           ClampCase{"column", "17", 17, 1}, ClampCase{"row", "41", 1, 40},
                                           ClampCase{"row", "xyz", 1, 1}));
