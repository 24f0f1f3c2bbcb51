#include "model/GeneratorOptions.h"

#include <gtest/gtest.h>

TEST(GeneratorOptionsTest, FollowingTheRulesKeepsALevelOfTheirScaleAndResetsAnyOther)
{
    for (const bool traveller : {false, true}) {
        const auto scale = traveller ? TechnologyLevelSystem::traveller : TechnologyLevelSystem::swn;
        for (const TechnologyLevel level : allCases<TechnologyLevel>()) {
            GeneratorOptions options;
            options.swnTL = traveller; // the switch showed the other scale
            options.randomTL = false;
            options.maxTechLevel = level;
            GeneratorOptions expected = options;
            options.followRules(traveller);
            SCOPED_TRACE(rawValue(level).toStdString());
            expected.swnTL = !traveller;
            if (technologyLevelSystem(level) != scale)
                expected.maxTechLevel = traveller ? TechnologyLevel::ttl15 : TechnologyLevel::tl4;
            EXPECT_EQ(options, expected);
            EXPECT_EQ(options.techLevelSystem(), scale);
        }
    }
}
