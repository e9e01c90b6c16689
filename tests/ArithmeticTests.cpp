#include <gtest/gtest.h>

#include "platform/Arithmetic.h"

using namespace gorb;

// A fraction reaches 16 or 32 bits only through a rounding that says how it rounds; whole
// numbers narrow through the checked conversions.
template <class T>
constexpr bool NarrowsToInteger = requires(T v) { ToInteger(v); };
template <class T>
constexpr bool NarrowsToLong = requires(T v) { ToLong(v); };
static_assert(NarrowsToInteger<int> && NarrowsToInteger<long long> && NarrowsToLong<long>);
static_assert(!NarrowsToInteger<double> && !NarrowsToInteger<float> && !NarrowsToLong<double>);

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
