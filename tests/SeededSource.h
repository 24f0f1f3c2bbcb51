#pragma once

// A reproducible stream of random words, so that tests of random draws are repeatable.

#include "model/Random.h"

#include <random>

class SeededSource : public RandomSource
{
public:
    explicit SeededSource(quint64 seed) : m_engine(seed) {}
    quint64 next64() override { return m_engine(); }

private:
    std::mt19937_64 m_engine;
};
