// The art's own maths functions agree with the system's to within a few units in the last
// place over the arguments the painting and the sounds use, edges included.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "tools/art/portable_math.h"

namespace kv::art {
namespace {

struct Case {
  const char* name;
  double (*ours)(double);
  double (*system)(double);
  double from, to;
};

double SystemSin(double x) {
  return std::sin(x);
}
double SystemCos(double x) {
  return std::cos(x);
}
double SystemExp(double x) {
  return std::exp(x);
}
double SystemLog(double x) {
  return std::log(x);
}
double OurSin(double x) {
  return Sin(x);
}
double OurCos(double x) {
  return Cos(x);
}
double OurExp(double x) {
  return Exp(x);
}
double OurLog(double x) {
  return Log(x);
}

TEST(PortableMath, AgreesWithTheSystemOverTheArtsRanges) {
  const Case cases[] = {
      {"Sin", OurSin, SystemSin, -20000, 20000},  // a tone's phase over a second
      {"Cos", OurCos, SystemCos, -700, 700},
      {"Exp", OurExp, SystemExp, -700, 700},
      {"Log", OurLog, SystemLog, 1e-300, 1e300},
  };
  for (const Case& c : cases) {
    for (int i = 0; i <= 20000; ++i) {
      const double x = c.from == 1e-300 ? std::pow(10.0, -300 + 600.0 * i / 20000)
                                        : c.from + (c.to - c.from) * i / 20000;
      const double want = c.system(x), got = c.ours(x);
      // Near a zero of sin or cos what counts is the distance, not the ratio.
      const double scale = std::max(std::fabs(want), std::fabs(x) < 1 ? 1e-300 : 1.0);
      ASSERT_LE(std::fabs(got - want), 4e-16 * scale * (1 + std::fabs(x) * 1e-12) + 1e-300)
          << c.name << "(" << x << ")";
    }
  }
}

TEST(PortableMath, PowAtan2AndHypotAndTheirEdges) {
  for (double y = -5; y <= 5; y += 0.37) {
    for (double x = -5; x <= 5; x += 0.41) {
      EXPECT_NEAR(Atan2(y, x), std::atan2(y, x), 1e-15) << y << ", " << x;
      EXPECT_NEAR(Hypot(x, y), std::hypot(x, y), 1e-15 * std::hypot(x, y));
      if (x > 0) {
        EXPECT_NEAR(Pow(x, y), std::pow(x, y), 1e-14 * std::pow(x, y)) << x << "^" << y;
      }
    }
  }
  const double inf = std::numeric_limits<double>::infinity();
  const struct {
    double got, want;
  } edges[] = {{Exp(-inf), 0},     {Exp(inf), inf},      {Exp(0.0), 1},
               {Log(1.0), 0},      {Log(0.0), -inf},     {Pow(0.0, 2.0), 0},
               {Pow(3.0, 0.0), 1}, {Atan2(0.0, 1.0), 0}, {Atan2(1.0, 0.0), std::acos(0.0)}};
  for (const auto& e : edges) EXPECT_EQ(e.got, e.want);
  EXPECT_TRUE(std::isnan(Log(-1.0)));
  EXPECT_TRUE(std::isnan(Sin(inf)));
}

}  // namespace
}  // namespace kv::art
