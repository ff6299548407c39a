#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "testumgebung.h"

using namespace abbildung;

TEST(Abbildung, DefaultWindowOn590x597) {
  startzustand(590, 597);
  EXPECT_DOUBLE_EQ(fx, 590.0 / 12);
  EXPECT_DOUBLE_EQ(fy, 59.7);
  EXPECT_EQ(_x, 295);
  EXPECT_EQ(_y, 298);  // Round(298.5): the half goes to the even neighbour
  EXPECT_EQ(weltx(_x), 0.0);
  EXPECT_EQ(welty(_y), 0.0);
  EXPECT_LE(std::fabs(pixelx(xmin)), 0.5);
  EXPECT_LE(std::fabs(pixely(ymin) - grafh), 0.5);
}

TEST(Abbildung, WindowWithoutOriginPutsAxisOffSurface) {
  startzustand();
  xmin = 2, xmax = 5;
  abbildungeinrichten(590, 597);
  EXPECT_LT(_x, 0);
  EXPECT_NEAR(pixelx(2), 0, 0.5);
  EXPECT_NEAR(pixelx(5), 590, 0.5);
}

TEST(Abbildung, RoundHalfToEvenAndClamped) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const struct { double v; int erwartet; } faelle[] = {
      {298.5, 298}, {299.5, 300}, {-0.5, 0}, {-1.5, -2}, {2.4999, 2}, {-2.6, -3},
      {nan, 0}, {inf, 2147483647}, {-inf, -2147483647 - 1}, {1e300, 2147483647},
      {2147483646.6, 2147483647}, {-2147483649.0, -2147483647 - 1},
  };
  for (const auto& f : faelle) EXPECT_EQ(Round(f.v), f.erwartet) << f.v;
}

TEST(Abbildung, Darstellbar) {
  EXPECT_TRUE(darstellbar(2147483646.0));
  EXPECT_TRUE(darstellbar(-2147483646.0));
  EXPECT_FALSE(darstellbar(2147483647.0));
  EXPECT_FALSE(darstellbar(-2147483647.0));
  EXPECT_FALSE(darstellbar(std::numeric_limits<double>::quiet_NaN()));
  EXPECT_FALSE(darstellbar(std::numeric_limits<double>::infinity()));
}

// Extreme windows: the origin stays a sound 32-bit value with room for the
// offsets the drawing adds to it.
TEST(Abbildung, ExtremeWindowsKeepOriginBounded) {
  const double inf = std::numeric_limits<double>::infinity();
  const double fenster[][4] = {
      {1e300, 1.0000000000000002e300, -5, 5}, {-1e300, 1e300, -1e300, 1e300},
      {1, 1, 1, 1}, {1e-320, 2e-320, 0, 1e-320}, {-inf, inf, -inf, inf}, {1e15, 1e15 + 12, 1e15, 1e15 + 10},
  };
  for (const auto& f : fenster) {
    xmin = f[0], xmax = f[1], ymin = f[2], ymax = f[3];
    abbildungeinrichten(830, 597);
    EXPECT_LE(std::abs(static_cast<long long>(_x)), 1LL << 30);
    EXPECT_LE(std::abs(static_cast<long long>(_y)), 1LL << 30);
  }
}
