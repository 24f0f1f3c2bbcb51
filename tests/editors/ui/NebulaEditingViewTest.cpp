#include "editors/ui/NebulaEditingView.h"
#include "EditorTestSupport.h"
#include "editors/ui/HexPositionPicker.h"
#include "editors/ui/MapObjectListModel.h"
#include "editors/ui/NebulaeView.h"
#include "ui/ElidedLabel.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

using namespace editor_test;

namespace {

Nebula nebula(const QString &name, NebulaType type, const QList<GalacticCoordinates> &hexes)
{
    return Nebula{QUuid::createUuid(), name, type, hexes};
}

QStringList rowLines(const QAbstractItemModel &model, int row)
{
    const QModelIndex index = model.index(row, 0);
    return QStringList{index.data().toString()} + index.data(MapObjectListModel::DetailsRole).toStringList();
}

} // namespace

class NebulaEditingViewTest : public EditorTest
{
};

TEST_F(NebulaEditingViewTest, AddHexIsDisabledForAListedHexAndCreateNeedsOne)
{
    const Nebula first = nebula(QStringLiteral("Veil"), NebulaType::dark, {{0, 0, 1, 1}});
    m_universe->setNebulae({first});
    NebulaeView view(*m_universe);
    auto *form = qobject_cast<NebulaEditingView *>(view.detail());
    ASSERT_NE(form, nullptr);
    auto *addHex = child<QPushButton>(*form, "addHex");
    EXPECT_EQ(child<ElidedLabel>(*form, "positionCaption")->text(), QStringLiteral("00-0000"));
    EXPECT_FALSE(child<QLabel>(*form, "noHexes")->isHidden());
    EXPECT_FALSE(form->actionButton()->isEnabled());

    addHex->click();
    EXPECT_EQ(form->draft().hexes, QList<GalacticCoordinates>{GalacticCoordinates{}});
    EXPECT_TRUE(form->actionButton()->isEnabled());
    EXPECT_FALSE(addHex->isEnabled());
    addHex->click(); // a disabled button does nothing
    EXPECT_EQ(form->hexList()->count(), 1);

    typeInto(child<QLineEdit>(*form, "column"), QStringLiteral("7"));
    EXPECT_EQ(child<ElidedLabel>(*form, "positionCaption")->text(), QStringLiteral("00-0700"));
    ASSERT_TRUE(addHex->isEnabled());
    addHex->click();
    child<QComboBox>(*form, "type")->setCurrentIndex(4);
    emit child<QComboBox>(*form, "type")->activated(4);
    form->actionButton()->click();

    const QList<Nebula> stored = this->stored()->nebulae();
    ASSERT_EQ(stored.size(), 2);
    EXPECT_EQ(stored.first(), first);
    EXPECT_EQ(stored.last().hexes, (QList<GalacticCoordinates>{{0, 0, 0, 0}, {0, 0, 7, 0}}));
    EXPECT_EQ(stored.last().type, NebulaType::supernovaRemnant);
    EXPECT_EQ(rowLines(*view.model(), 1),
              QStringList({QStringLiteral("Unnamed Nebula"), QStringLiteral("Supernova Remnant"),
                           QStringLiteral("2 hexes")}));
    EXPECT_EQ(rowLines(*view.model(), 0),
              QStringList({QStringLiteral("Veil"), QStringLiteral("Dark"), QStringLiteral("1 hex")}));
    // The form is back to its defaults.
    EXPECT_EQ(form->draft().type, NebulaType::emission);
    EXPECT_EQ(child<QComboBox>(*form, "type")->currentText(), QStringLiteral("Emission"));
    EXPECT_TRUE(form->draft().hexes.isEmpty());
    EXPECT_EQ(form->draft().position, GalacticCoordinates{});
    EXPECT_TRUE(addHex->isEnabled());
    EXPECT_FALSE(form->actionButton()->isEnabled());
}

TEST_F(NebulaEditingViewTest, RemovedHexesStayInTheFormUntilSaved)
{
    const Nebula other = nebula(QStringLiteral("Other"), NebulaType::emission, {{0, 0, 9, 9}});
    const Nebula edited = nebula(QStringLiteral("Coal Sack"), NebulaType::reflection,
                                 {{0, 0, 1, 1}, {0, 0, 1, 2}, {0, 0, 1, 3}});
    m_universe->setNebulae({edited, other});
    m_universe->setData({aHex({0, 0, 1, 2}).named(QStringLiteral("Regina"))});
    NebulaEditingView editor(*m_universe, edited);
    EXPECT_EQ(editor.title(), QStringLiteral("Edit Nebula"));
    EXPECT_EQ(child<QLineEdit>(editor, "nebulaName")->text(), QStringLiteral("Coal Sack"));
    EXPECT_EQ(editor.draft().position, GalacticCoordinates{});
    EXPECT_EQ(editor.hexList()->count(), 3);

    editor.removeHexRow(0);
    editor.hexList()->setCurrentRow(1);
    QTest::keyClick(editor.hexList(), Qt::Key_Delete);
    EXPECT_EQ(editor.draft().hexes, (QList<GalacticCoordinates>{{0, 0, 1, 2}}));
    EXPECT_EQ(m_universe->nebulae().first(), edited);

    // The hex in the editor names the system stored there.
    const QList<ElidedLabel *> names = editor.hexList()->findChildren<ElidedLabel *>();
    EXPECT_TRUE(std::any_of(names.begin(), names.end(), [](const ElidedLabel *name) {
        return name->text() == QStringLiteral("Regina");
    }));

    editor.actionButton()->click();
    const QList<Nebula> stored = this->stored()->nebulae();
    ASSERT_EQ(stored.size(), 2);
    EXPECT_EQ(stored.first().id, edited.id);
    EXPECT_EQ(stored.first().hexes, (QList<GalacticCoordinates>{{0, 0, 1, 2}}));
    EXPECT_EQ(stored.last(), other);
    EXPECT_EQ(editor.title(), QStringLiteral("Edit Nebula"));
    EXPECT_EQ(child<QLineEdit>(editor, "nebulaName")->text(), QStringLiteral("Coal Sack"));
}

// The names beside the hexes follow the systems stored there, in place: the hexes the
// user chose stay chosen and the current one current.
TEST_F(NebulaEditingViewTest, NamesFollowTheStoredSystemsAndTheChosenHexesStayChosen)
{
    const Nebula edited =
        nebula(QStringLiteral("Coal Sack"), NebulaType::dark, {{0, 0, 1, 1}, {0, 0, 1, 2}, {0, 0, 1, 3}});
    m_universe->setNebulae({edited});
    NebulaEditingView editor(*m_universe, edited);
    QListWidget *hexes = editor.hexList();
    hexes->setCurrentRow(0);
    hexes->setCurrentRow(2, QItemSelectionModel::Select);
    const auto names = [hexes] {
        QStringList shown;
        for (int row = 0; row < hexes->count(); ++row)
            shown.append(hexes->itemWidget(hexes->item(row))->findChild<ElidedLabel *>()->text());
        return shown;
    };
    const QString unknown = names().first();

    m_universe->setData({aHex({0, 0, 1, 2}).named(QStringLiteral("Regina"))});
    EXPECT_EQ(names(), (QStringList{unknown, QStringLiteral("Regina"), unknown}));
    m_universe->setData({aHex({0, 0, 1, 3}).named(QStringLiteral("Ruie"))});
    EXPECT_EQ(names(), (QStringList{unknown, unknown, QStringLiteral("Ruie")}));

    QList<int> chosen;
    for (const QModelIndex &index : hexes->selectionModel()->selectedRows())
        chosen.append(index.row());
    std::sort(chosen.begin(), chosen.end());
    EXPECT_EQ(chosen, (QList<int>{0, 2}));
    EXPECT_EQ(hexes->currentRow(), 2);
}
