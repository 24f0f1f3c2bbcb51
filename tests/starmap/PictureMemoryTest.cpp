#include "starmap/PictureMemory.h"
#include "starmap/StarMapFrameCache.h"

#include <QImage>

#include <gtest/gtest.h>

#include <malloc.h>

#include <memory>
#include <vector>

namespace {

constexpr int kTiles = 100;

// Under AddressSanitizer every block comes from the sanitizer's own allocator, which
// neither takes the C library's settings nor reports through its statistics.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kCLibraryAllocates = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kCLibraryAllocates = false;
#else
constexpr bool kCLibraryAllocates = true;
#endif
#else
constexpr bool kCLibraryAllocates = true;
#endif

QImage tile(int shade)
{
    QImage image(StarMapFrameCache::kTileSize, StarMapFrameCache::kTileSize,
                 QImage::Format_ARGB32_Premultiplied);
    image.fill(qRgb(shade, 0, 0));
    return image;
}

// Bytes the heap holds free: kept for reuse rather than handed back to the system.
qsizetype heapFree()
{
    return static_cast<qsizetype>(mallinfo2().fordblks);
}

// What the tile cache does over a zoom: a screenful of tiles drawn and evicted, then
// another drawn while records that stay (a layout, a key) are made between them,
// and evicted in turn. Returns the small records, which must outlive the measurement.
std::vector<std::unique_ptr<char[]>> churnTiles(qsizetype *freeBefore, qsizetype *freeAfter)
{
    std::vector<std::unique_ptr<char[]>> kept;
    {
        std::vector<QImage> first;
        for (int i = 0; i < kTiles; ++i)
            first.push_back(tile(i));
    }
    *freeBefore = heapFree();
    {
        std::vector<QImage> second;
        for (int i = 0; i < kTiles; ++i) {
            second.push_back(tile(i));
            kept.push_back(std::make_unique<char[]>(16 * 1024));
        }
    }
    *freeAfter = heapFree();
    return kept;
}

} // namespace

// Evicted tiles leave the process: the heap keeps no more free space after a screenful
// of them was drawn and dropped among small records that stay.
TEST(PictureMemoryTest, DroppedTilesDoNotStayInTheHeap)
{
    if (!kCLibraryAllocates)
        GTEST_SKIP() << "the sanitizer's allocator stands in for the C library's";
    ASSERT_TRUE(PictureMemory::returnDroppedPicturesToSystem());
    const qsizetype tileBytes = tile(0).sizeInBytes();
    ASSERT_GE(tileBytes, PictureMemory::kOwnMappingFrom);
    qsizetype before = 0;
    qsizetype after = 0;
    const auto kept = churnTiles(&before, &after);
    ASSERT_EQ(kept.size(), std::size_t(kTiles));
    EXPECT_LT(after - before, 8 * tileBytes);
}

// Small blocks are not mapped one by one: those the map makes by the thousand (keys,
// lists) still come from the heap.
TEST(PictureMemoryTest, SmallBlocksStayInTheHeap)
{
    if (!kCLibraryAllocates)
        GTEST_SKIP() << "the sanitizer's allocator stands in for the C library's";
    ASSERT_TRUE(PictureMemory::returnDroppedPicturesToSystem());
    const std::size_t mappedBefore = mallinfo2().hblks;
    std::vector<std::unique_ptr<char[]>> blocks;
    for (int i = 0; i < 64; ++i)
        blocks.push_back(std::make_unique<char[]>(PictureMemory::kOwnMappingFrom / 4));
    EXPECT_EQ(mallinfo2().hblks, mappedBefore);
    // Whether a block of the threshold's size is mapped depends on the free space the
    // heap holds from earlier tests in the process, so it is not checked here; dropped
    // tiles leaving the heap is checked above.
}
