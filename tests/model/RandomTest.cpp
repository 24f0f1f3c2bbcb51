#include "model/Random.h"

#include <QList>

#include <gtest/gtest.h>

#include <map>
#include <thread>

namespace {

// Hands out fixed 64-bit words, to check the arithmetic that turns them into draws.
class WordSource : public RandomSource
{
public:
    explicit WordSource(QList<quint64> words) : m_words(std::move(words)) {}
    quint64 next64() override { return m_words.at(m_next++); }
    int used() const { return m_next; }

private:
    QList<quint64> m_words;
    int m_next = 0;
};

// Hands out fixed results of randomBelow.
class DrawSource : public RandomSource
{
public:
    explicit DrawSource(QList<qint64> draws) : m_draws(std::move(draws)) {}
    quint64 next64() override { return 0; }
    qint64 below(qint64) override { return m_draws.at(m_next++); }

private:
    QList<qint64> m_draws;
    int m_next = 0;
};

} // namespace

TEST(Random, MultiplyHighTakesTheHighWordAndRejectsBiasedLowWords)
{
    // 2^63 + 1 times 6 is 3 * 2^64 + 6: high word 3, low word 6, accepted at once.
    WordSource accepted({(quint64(1) << 63) + 1});
    EXPECT_EQ(accepted.below(6), 3);
    EXPECT_EQ(accepted.used(), 1);

    // A zero word gives a low word of 0, below the threshold 4 for a die: drawn again.
    WordSource rejected({0, ~quint64(0)});
    EXPECT_EQ(rejected.below(6), 5);
    EXPECT_EQ(rejected.used(), 2);

    // Low words below n: 2 is under the threshold and drawn again, 4 is at it and kept.
    // 0xAAAAAAAAAAAAAAAB * 6 = 2^66 + 2; 0x5555555555555556 * 6 = 2^65 + 4.
    WordSource belowThreshold({0xAAAAAAAAAAAAAAABull, 0x5555555555555556ull});
    EXPECT_EQ(belowThreshold.below(6), 2);
    EXPECT_EQ(belowThreshold.used(), 2);
}

TEST(Random, DiceStayInRangeAndEveryFaceOccurs)
{
    std::map<int, int> d6, twoD, flux;
    for (int i = 0; i < 20000; ++i) {
        ++d6[rollD6()];
        ++twoD[roll2D()];
        ++flux[rollFlux()];
    }
    EXPECT_EQ(d6.size(), 6u);
    EXPECT_EQ(d6.begin()->first, 1);
    EXPECT_EQ(d6.rbegin()->first, 6);
    EXPECT_EQ(twoD.size(), 11u);
    EXPECT_EQ(twoD.begin()->first, 2);
    EXPECT_EQ(twoD.rbegin()->first, 12);
    EXPECT_EQ(flux.size(), 11u);
    EXPECT_EQ(flux.begin()->first, -5);
    EXPECT_EQ(flux.rbegin()->first, 5);
    // The middle of 2D is the most common total and the ends the rarest.
    EXPECT_GT(twoD[7], twoD[2] * 3);
    EXPECT_GT(twoD[7], twoD[12] * 3);
}

TEST(Random, UniformCoversTheClosedRangeExactly)
{
    constexpr qint64 top = qint64(1) << 53;
    DrawSource source({0, top, top / 2, top - 1});
    ScopedRandomSource scope(source);
    EXPECT_EQ(randomUniform(0.6, 1.1), 0.6);
    EXPECT_EQ(randomUniform(0.6, 1.1), 1.1);
    EXPECT_DOUBLE_EQ(randomUniform(0.6, 1.1), 0.85);
    EXPECT_EQ(randomUniform(0.0, 1.0), 1.0 - 0x1p-53);
}

TEST(Random, AnInstalledSourceIsScopedAndBelongsToItsThread)
{
    DrawSource outer({2, 2, 2});
    {
        ScopedRandomSource scope(outer);
        EXPECT_EQ(&randomSource(), &outer);
        DrawSource inner({0});
        {
            ScopedRandomSource nested(inner);
            EXPECT_EQ(rollD6(), 1);
        }
        EXPECT_EQ(rollD6(), 3);
        RandomSource *seenByOtherThread = nullptr;
        std::thread([&] { seenByOtherThread = &randomSource(); }).join();
        EXPECT_NE(seenByOtherThread, &outer);
    }
    EXPECT_NE(&randomSource(), &outer);
}
