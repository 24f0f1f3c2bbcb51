// The pickers' search keeps exactly the systems that Qt's own fixed-string filter over
// both columns keeps, for names in any letter case and script, hex labels, and texts
// that match nothing, everything or only across the two columns.
#include "editors/ui/SystemEntryFilter.h"
#include "EditorTestSupport.h"
#include "editors/ui/SystemEntryModel.h"

#include <QSortFilterProxyModel>

#include <random>

using namespace editor_test;

namespace {

QList<GalacticCoordinates> listed(const QAbstractItemModel &model)
{
    QList<GalacticCoordinates> places;
    for (int row = 0; row < model.rowCount(); ++row)
        places.append(
            model.index(row, 0).data(SystemEntryModel::CoordinatesRole).value<GalacticCoordinates>());
    return places;
}

} // namespace

class SystemEntryFilterTest : public EditorTest
{
};

TEST_F(SystemEntryFilterTest, KeepsWhatQtsFixedStringFilterKeeps)
{
    const QStringList names{QStringLiteral("Regina"),  QStringLiteral("REGINA"), QStringLiteral("Ærøskøbing"),
                            QStringLiteral("Straße"),  QStringLiteral(""),       QStringLiteral("Twin"),
                            QStringLiteral("twin 01"), QStringLiteral("Ω Draco")};
    std::mt19937 random(5);
    QList<HexData> systems;
    for (int i = 0; i < 60; ++i)
        systems.append(
            aHex({qint64(random() % 3) - 1, 0, qint64(random() % 32 + 1), qint64(random() % 40 + 1)})
                .named(names[random() % names.size()]));
    m_universe->setData(systems);

    SystemEntryModel entries;
    entries.fill(*m_universe);
    SystemEntryFilter narrowed(&entries);
    QSortFilterProxyModel reference;
    reference.setSourceModel(&entries);
    reference.setFilterCaseSensitivity(Qt::CaseInsensitive);
    reference.setFilterKeyColumn(-1);

    const QStringList searches{QString(),
                               QStringLiteral("regina"),
                               QStringLiteral("ÆRØ"),
                               QStringLiteral("ß"),
                               QStringLiteral("01"),
                               QStringLiteral("-01"),
                               QStringLiteral("ω"),
                               QStringLiteral("twin 0"),
                               QStringLiteral("Unnamed"),
                               QStringLiteral("nowhere"),
                               QStringLiteral("a 0"),
                               QStringLiteral("in")};
    for (const QString &search : searches) {
        narrowed.setSearchText(search);
        reference.setFilterFixedString(search);
        EXPECT_EQ(listed(narrowed), listed(reference)) << search.toStdString();
    }
    // Not every search keeps all or nothing: the comparison means something.
    narrowed.setSearchText(QStringLiteral("regina"));
    EXPECT_GT(narrowed.rowCount(), 0);
    EXPECT_LT(narrowed.rowCount(), entries.rowCount());

    // Filled again, the search in force applies to the new entries.
    m_universe->insertHex(aHex({5, 5, 1, 1}).named(QStringLiteral("Regina Prime")));
    entries.fill(*m_universe);
    reference.setFilterFixedString(QStringLiteral("regina"));
    EXPECT_EQ(listed(narrowed), listed(reference));
}
