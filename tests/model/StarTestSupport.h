#pragma once

// Support for the star and system record tests: a random source that hands out
// scripted draws (to steer dice to chosen results), a seeded one (to build many
// varied records reproducibly), and JSON helpers with hand-written records.

#include "model/Random.h"

#include "JsonTestSupport.h"
#include "SeededSource.h"

#include <QList>

#include <gtest/gtest.h>

#include <optional>
#include <random>

// Hands out fixed results of randomBelow, in order, and checks each bound. Once the
// script is used up it fails the test, or, when given a seed, carries on with a
// reproducible stream (so that a test can steer the first rolls and let the rest run).
class ScriptedDraws : public RandomSource
{
public:
    struct Draw
    {
        qint64 bound;
        qint64 result;
    };

    ScriptedDraws() = default;
    explicit ScriptedDraws(quint64 seedForTheRest) : m_rest(std::in_place, seedForTheRest) {}

    ScriptedDraws &die(int face) { return expect(6, face - 1); }
    // Two dice whose difference is `flux`.
    ScriptedDraws &flux(int value) { return value >= 0 ? die(value + 1).die(1) : die(1).die(1 - value); }
    ScriptedDraws &expect(qint64 bound, qint64 result)
    {
        m_draws.append({bound, result});
        return *this;
    }

    quint64 next64() override { return m_rest ? (*m_rest)() : 0; }
    qint64 below(qint64 bound) override
    {
        if (m_next >= m_draws.size()) {
            if (m_rest)
                return RandomSource::below(bound);
            ADD_FAILURE() << "more draws than scripted (bound " << bound << ")";
            return 0;
        }
        const Draw &draw = m_draws.at(m_next++);
        EXPECT_EQ(bound, draw.bound) << "draw " << m_next;
        return draw.result;
    }
    qsizetype used() const { return m_next; }
    qsizetype scripted() const { return m_draws.size(); }
    bool scriptUsed() const { return m_next == m_draws.size(); }

private:
    QList<Draw> m_draws;
    qsizetype m_next = 0;
    std::optional<std::mt19937_64> m_rest;
};

// A world with its required keys only: a garden world in the habitable zone.
inline constexpr const char *kRequiredWorldJson = R"({
    "id": "6F1C2B0A-3D4E-4F50-8A6B-7C8D9E0F1A2B", "name": "Ardent", "mainWorld": true,
    "type": "planet", "sunOrbit": 3, "satelliteOrbit": "0", "hzOffset": 0,
    "uwp": {"starport": "Excellent", "size": 8, "atmosphere": 6, "hydrographics": 7,
            "population": 9, "government": 4, "lawLevel": 5, "techLevel": "TL12"},
    "dayLength": 24, "worldTags": ["civil-war"], "notes": "", "image": ""
})";

inline constexpr const char *kStarJson = R"({
    "id": "0A1B2C3D-4E5F-4061-8273-94A5B6C7D8E9", "name": "A", "spectralType": "G",
    "temperature": 2, "luminosity": "V", "mass": 1.0, "orbit": -1, "worlds": []
})";

inline constexpr const char *kSystemJson = R"({
    "id": "11111111-2222-4333-8444-555555555555", "name": "Kesh", "stars": [],
    "gasGiant": 2, "planetoidBelts": 1, "totalNumberOfWorlds": 7,
    "starfarers": true, "sathar": false, "other": true, "surveyed": true
})";
