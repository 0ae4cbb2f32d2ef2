#include "go/handicap.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "go/diagram.h"

namespace veld {
namespace {

using test::pointList;

TEST(Handicap, RecordTableGivesTwoToNineStonesOnAnySize) {
    struct Case {
        int stones;
        const char* points;
    };
    const Case cases[] = {
        {0, ""},
        {1, ""},
        {2, "pd dp"},
        {3, "pd dp dd"},
        {5, "pd dp dd pp jj"},
        {6, "pd dp dd pp dj pj"},
        {8, "pd dp dd pp dj pj jd jp"},
        {9, "pd dp dd pp dj pj jd jp jj"},
        {10, ""},
        {-3, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(pointList(recordHandicapPoints(c.stones)), c.points) << c.stones;
    const auto nine = recordHandicapPoints(9);
    EXPECT_EQ(nine[0].x, 16);
    EXPECT_EQ(nine[0].y, 4);
    EXPECT_EQ(nine[0].colour, kEmpty);  // x and y only, as setup lists hold them
}

TEST(Handicap, WindowTableBuildsLargerCountsOnSmallerOnes) {
    struct Case {
        int stones;
        const char* points;
    };
    const Case cases[] = {
        {4, "pd dp dd pp"},
        {10, "pd dp dd pp dj pj dg dm pg pm"},
        {12, "pd dp dd pp dj pj dg dm pg pm jd jp"},
        {16, "pd dp dd pp dj pj dg dm pg pm jd jp gd md gp mp"},
        {18, "pd dp dd pp dj pj dg dm pg pm jd jp gd gj gp md mj mp"},
        {24, "pd dp dd pp dj pj dg dm pg pm jd jp gd gj gp md mj mp gg mm gm mg jg jm"},
        {25, "pd dp dd pp dj pj dg dm pg pm jd jp gd gj gp md mj mp gg mm gm mg jg jm jj"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(pointList(windowHandicapPoints(c.stones, 19)), c.points) << c.stones;

    for (int n = 2; n <= 25; ++n) {
        SCOPED_TRACE(n);
        const auto points = windowHandicapPoints(n, 19);
        ASSERT_EQ(static_cast<int>(points.size()), n);
        const std::string list = pointList(points);
        std::set<std::pair<int, int>> distinct;
        for (const Tgp& p : points) distinct.insert({p.x, p.y});
        EXPECT_EQ(static_cast<int>(distinct.size()), n);
        if (n <= 9) {
            EXPECT_EQ(list, pointList(recordHandicapPoints(n)));
        }
        if (n >= 5 && n % 2 == 1) {
            EXPECT_EQ(list, pointList(windowHandicapPoints(n - 1, 19)) + " jj");
        }
    }
}

TEST(Handicap, WindowTablePlacesNothingOutsideItsRange) {
    EXPECT_TRUE(windowHandicapPoints(1, 19).empty());
    EXPECT_TRUE(windowHandicapPoints(26, 19).empty());
    EXPECT_TRUE(windowHandicapPoints(0, 19).empty());
    EXPECT_TRUE(windowHandicapPoints(4, 13).empty());
    EXPECT_TRUE(windowHandicapPoints(9, 9).empty());
}

}  // namespace
}  // namespace veld
