#include "Random.h"

#include <QRandomGenerator>

qint64 RandomSource::below(qint64 bound)
{
    if (bound <= 1)
        return 0;
    const auto n = static_cast<quint64>(bound);
    auto product = static_cast<unsigned __int128>(next64()) * n;
    auto low = static_cast<quint64>(product);
    if (low < n) {
        const quint64 threshold = (0 - n) % n; // (2^64 - n) mod n
        while (low < threshold) {
            product = static_cast<unsigned __int128>(next64()) * n;
            low = static_cast<quint64>(product);
        }
    }
    return static_cast<qint64>(product >> 64);
}

quint64 SystemRandomSource::next64()
{
    // The shared generator is seeded by the operating system and safe on any thread;
    // asking the operating system for every draw made generation several times slower.
    return QRandomGenerator::global()->generate64();
}

namespace {
SystemRandomSource systemSource;
thread_local RandomSource *installedSource = nullptr;
} // namespace

ScopedRandomSource::ScopedRandomSource(RandomSource &source) : m_previous(installedSource)
{
    installedSource = &source;
}

ScopedRandomSource::~ScopedRandomSource()
{
    installedSource = m_previous;
}

RandomSource &randomSource()
{
    return installedSource ? *installedSource : systemSource;
}

qint64 randomBelow(qint64 bound)
{
    return randomSource().below(bound);
}

int rollD6()
{
    return static_cast<int>(randomBelow(6)) + 1;
}

int roll2D()
{
    const int first = rollD6();
    return first + rollD6();
}

int rollFlux()
{
    const int first = rollD6();
    return first - rollD6();
}

double randomUniform(double low, double high)
{
    constexpr qint64 twoTo53 = qint64(1) << 53;
    const qint64 k = randomBelow(twoTo53 + 1);
    if (k == twoTo53)
        return high;
    return low + (high - low) * (static_cast<double>(k) * 0x1p-53);
}
