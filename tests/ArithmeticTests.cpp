#include <gtest/gtest.h>

#include "platform/Arithmetic.h"

using namespace gorb;

TEST(Arithmetic, IntIsFloorAlsoForNegatives) {
    struct { double v, want; } cases[] = {{2.7, 2}, {-2.7, -3}, {-0.5, -1}, {-3.0, -3}, {0.0, 0}, {0.999, 0}};
    for (auto c : cases) EXPECT_EQ(Int(c.v), c.want) << c.v;
}

TEST(Arithmetic, CIntRoundsHalfToEven) {
    struct { double v; Integer want; } cases[] = {
        {2.5, 2}, {3.5, 4}, {-0.5, 0}, {-1.5, -2}, {-2.5, -2}, {0.5, 0}, {1.5, 2}, {2.4999, 2}, {-2.6, -3}};
    for (auto c : cases) EXPECT_EQ(CInt(c.v), c.want) << c.v;
}

TEST(Arithmetic, IntegerDivisionTruncatesTowardZero) {
    EXPECT_EQ(IntDiv(-7, 2), -3);
    EXPECT_EQ(IntDiv(7, 2), 3);
    EXPECT_EQ(IntDiv(-7, -2), 3);
    EXPECT_EQ(IntDiv(1, 3), 0);
}

TEST(Arithmetic, BooleanTrueIsMinusOne) {
    EXPECT_EQ(True, -1);
    EXPECT_EQ(ToBoolean(true), -1);
    EXPECT_EQ(ToBoolean(false), 0);
}

TEST(Arithmetic, RndIsInUnitIntervalAndRepeatableFromASeed) {
    RandomGenerator random;
    random.RandomizeWith(12345);
    double first[50];
    for (double& v : first) {
        v = random.Rnd();
        EXPECT_GE(v, 0.0);
        EXPECT_LT(v, 1.0);
    }
    random.RandomizeWith(12345);
    for (double v : first) EXPECT_EQ(random.Rnd(), v);
}
