#pragma once

// Support for the generation tests: a source that hands out a scripted prefix of
// draws (to steer the rolls under test) and then a seeded stream for the rest.

#include "StarTestSupport.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

class ScriptThenSeed : public RandomSource
{
public:
    explicit ScriptThenSeed(quint64 seed = 1) : m_rest(seed) {}

    ScriptThenSeed &expect(qint64 bound, qint64 result)
    {
        m_script.emplace_back(bound, result);
        return *this;
    }
    ScriptThenSeed &die(int face) { return expect(6, face - 1); }
    ScriptThenSeed &flux(int value) { return value >= 0 ? die(value + 1).die(1) : die(1).die(1 - value); }
    // Two dice adding up to `total`, the first as low as it can be.
    ScriptThenSeed &twoD(int total)
    {
        const int first = total <= 7 ? 1 : total - 6;
        return die(first).die(total - first);
    }

    quint64 next64() override { return m_rest.next64(); }
    qint64 below(qint64 bound) override
    {
        if (m_next < m_script.size()) {
            EXPECT_EQ(bound, m_script[m_next].first) << "scripted draw " << m_next;
            return m_script[m_next++].second;
        }
        return m_rest.below(bound);
    }
    bool scriptUsed() const { return m_next == m_script.size(); }

private:
    std::vector<std::pair<qint64, qint64>> m_script;
    std::size_t m_next = 0;
    SeededSource m_rest;
};
