#include "AppTestSupport.h"

#include "screens/ui/SystemGeneratorView.h"
#include "universe/StarfarerUniverse.h"

#include <QLineEdit>
#include <QPushButton>

using GeneratorScreen = AppTest;

TEST_F(GeneratorScreen, OpensFromTheSidebarAndStoresIntoTheOpenUniversesFile)
{
    startApp();
    clickRowTitled(QStringLiteral("System Generator"));
    settle();
    ASSERT_NE(view()->detailPage(), nullptr);
    auto *generator = view()->detailPage()->findChild<SystemGeneratorView *>();
    ASSERT_NE(generator, nullptr);
    EXPECT_TRUE(generator->isVisible());
    ASSERT_TRUE(generator->starSystem().mainWorld().has_value());

    auto *name = generator->findChild<QLineEdit *>(QStringLiteral("systemName"));
    ASSERT_NE(name, nullptr);
    QTest::keyClicks(name, QStringLiteral("Glisten"));
    auto *store = generator->findChild<QPushButton *>(QStringLiteral("storeButton"));
    ASSERT_NE(store, nullptr);
    QTest::mouseClick(store, Qt::LeftButton);
    EXPECT_TRUE(universe()->waitForPendingSave());
    settle();

    EXPECT_EQ(store->text(), QStringLiteral("Replace"));
    QString error;
    const auto stored = StarfarerUniverse::readFile(universe()->filePath(), folder(), &error);
    ASSERT_NE(stored, nullptr) << error.toStdString();
    EXPECT_EQ(stored->id(), universe()->id());
    ASSERT_EQ(stored->data().size(), 1);
    EXPECT_EQ(stored->data().first().coordinates, (GalacticCoordinates{0, 0, 1, 1}));
    EXPECT_EQ(stored->data().first().starSystem.name, QStringLiteral("Glisten"));
    EXPECT_EQ(stored->data().first().starSystem.mainWorld(), generator->starSystem().mainWorld());
}
