#pragma once

// Builders of systems and the number locale for the travel tests.

#include "model/StarSystem.h"
#include "model/TestRecords.h"

#include <QLocale>

#include <gtest/gtest.h>

namespace travel_test {

using test_records::aHex;
using test_records::aWorld;
using test_records::star;

// Numbers are checked as US English writes them.
inline void useEnglishNumbers()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

class EnglishNumbersTest : public ::testing::Test
{
protected:
    void SetUp() override { useEnglishNumbers(); }
};

inline StarSystem system(QList<Star> stars, const QString &name = QStringLiteral("Regina"))
{
    StarSystem s;
    s.id = QUuid::createUuid();
    s.name = name;
    s.stars = std::move(stars);
    return s;
}

} // namespace travel_test
