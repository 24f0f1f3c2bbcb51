#pragma once

// Every random decision of the program draws from one operation: a uniform integer
// below a bound. The dice are written on top of it. By default the numbers come from
// the operating system's generator, with no seed; tests (and only tests) install
// another source for the current thread with ScopedRandomSource.

#include <QtGlobal>

class RandomSource
{
public:
    virtual ~RandomSource() = default;

    // 64 uniformly random bits.
    virtual quint64 next64() = 0;

    // A uniform integer in 0 ..< bound, by multiply-high with rejection (no modulo
    // bias). A bound of 0 or 1 gives 0.
    virtual qint64 below(qint64 bound);
};

// The process's generator, seeded by the operating system: never the same twice,
// and safe on any thread.
class SystemRandomSource final : public RandomSource
{
public:
    quint64 next64() override;
};

// Installs a source for the current thread for as long as it lives.
class ScopedRandomSource
{
public:
    explicit ScopedRandomSource(RandomSource &source);
    ~ScopedRandomSource();
    ScopedRandomSource(const ScopedRandomSource &) = delete;
    ScopedRandomSource &operator=(const ScopedRandomSource &) = delete;

private:
    RandomSource *m_previous;
};

// The source in force on this thread.
RandomSource &randomSource();

// r(n): a uniform integer in 0 ..< n; 0 for a bound of 0 or 1 (or below).
qint64 randomBelow(qint64 bound);
// 1D: one six-sided die, 1 to 6.
int rollD6();
// 2D: two six-sided dice, the first drawn first; 2 to 12.
int roll2D();
// flux: the first die minus the second, -5 to +5.
int rollFlux();
// A real number uniformly distributed in the closed range low ... high.
double randomUniform(double low, double high);
