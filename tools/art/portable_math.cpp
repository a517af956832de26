#include "tools/art/portable_math.h"

#include <cmath>
#include <limits>

namespace kv::art {
namespace {

// pi/2 and ln 2 split into a head with trailing zero bits, so that a multiple of the head by a
// whole number up to 2^20 is exact, and the rest.
constexpr double kHalfPiHead = 1.57079632673412561417e+00;
constexpr double kHalfPiTail = 6.07710050650619224932e-11;
constexpr double kTwoOverPi = 6.36619772367581382433e-01;
constexpr double kLn2Head = 6.93147180369123816490e-01;
constexpr double kLn2Tail = 1.90821492927058770002e-10;
constexpr double kInvLn2 = 1.44269504088896338700e+00;
constexpr double kPi = 3.14159265358979311600e+00;
constexpr double kQuarterPi = 7.85398163397448278999e-01;
constexpr double kHalfPi = 1.57079632679489655800e+00;

// Taylor series on |r| <= pi/4, where their first left-out terms lie below 1e-19.
double SinNear(double r) {
  const double r2 = r * r;
  double sum = 0;
  for (int n = 19; n >= 3; n -= 2) sum = (sum + 1) * r2 / (-static_cast<double>(n * (n - 1)));
  return r + r * sum;
}

double CosNear(double r) {
  const double r2 = r * r;
  double sum = 0;
  for (int n = 20; n >= 2; n -= 2) sum = (sum + 1) * r2 / (-static_cast<double>(n * (n - 1)));
  return 1 + sum;
}

// The quarter turn x lies in (0-3) and what is left of it, in [-pi/4, pi/4].
double Reduce(double x, int& quarter) {
  const double n = std::floor(x * kTwoOverPi + 0.5);
  quarter = static_cast<int>(std::fmod(n, 4.0));
  if (quarter < 0) quarter += 4;
  return (x - n * kHalfPiHead) - n * kHalfPiTail;
}

// atan t for |t| <= tan(pi/8), where the series' first left-out term lies below 1e-19.
double AtanNear(double t) {
  const double t2 = t * t;
  double sum = 0;
  for (int n = 45; n >= 3; n -= 2) sum = 1.0 / n - t2 * sum;
  return t - t * t2 * sum;
}

double AtanOfRatio(double t) {  // t >= 0, at most 1
  constexpr double kTanEighthPi = 4.14213562373095145475e-01;
  if (t <= kTanEighthPi) return AtanNear(t);
  return kQuarterPi + AtanNear((t - 1) / (t + 1));
}

}  // namespace

double Sin(double x) {
  if (!std::isfinite(x)) return std::numeric_limits<double>::quiet_NaN();
  int quarter = 0;
  const double r = Reduce(x, quarter);
  switch (quarter) {
    case 0:
      return SinNear(r);
    case 1:
      return CosNear(r);
    case 2:
      return -SinNear(r);
    default:
      return -CosNear(r);
  }
}

double Cos(double x) {
  if (!std::isfinite(x)) return std::numeric_limits<double>::quiet_NaN();
  int quarter = 0;
  const double r = Reduce(x, quarter);
  switch (quarter) {
    case 0:
      return CosNear(r);
    case 1:
      return -SinNear(r);
    case 2:
      return -CosNear(r);
    default:
      return SinNear(r);
  }
}

double Exp(double x) {
  if (std::isnan(x)) return x;
  if (x > 709.78) return std::numeric_limits<double>::infinity();
  if (x < -745.2) return 0;
  const double k = std::floor(x * kInvLn2 + 0.5);
  const double r = (x - k * kLn2Head) - k * kLn2Tail;  // |r| <= ln 2 / 2
  double sum = 0;
  for (int n = 17; n >= 1; --n) sum = 1 + sum * r / n;
  return std::ldexp(sum, static_cast<int>(k));
}

double Log(double x) {
  if (std::isnan(x) || x < 0) return std::numeric_limits<double>::quiet_NaN();
  if (x == 0) return -std::numeric_limits<double>::infinity();
  if (std::isinf(x)) return x;
  int e = 0;
  double m = std::frexp(x, &e);  // [0.5, 1)
  if (m < 7.07106781186547524401e-01) {
    m *= 2;
    --e;
  }
  // log m = 2 atanh s, with |s| <= 0.172.
  const double s = (m - 1) / (m + 1);
  const double s2 = s * s;
  double sum = 0;
  for (int n = 25; n >= 3; n -= 2) sum = 1.0 / n + s2 * sum;
  const double log_m = 2 * s + 2 * s * s2 * sum;
  return e * kLn2Head + (e * kLn2Tail + log_m);
}

double Pow(double x, double y) {
  if (y == 0) return 1;
  if (x == 0) return y > 0 ? 0 : std::numeric_limits<double>::infinity();
  return Exp(y * Log(x));
}

double Atan2(double y, double x) {
  if (std::isnan(x) || std::isnan(y)) return std::numeric_limits<double>::quiet_NaN();
  const double ax = std::fabs(x), ay = std::fabs(y);
  if (ax == 0 && ay == 0) return x < 0 || std::signbit(x) ? std::copysign(kPi, y) : y;
  double angle = ay <= ax ? AtanOfRatio(ay / ax) : kHalfPi - AtanOfRatio(ax / ay);
  if (x < 0) angle = kPi - angle;
  return y < 0 ? -angle : angle;
}

double Hypot(double x, double y) {
  return std::sqrt(x * x + y * y);
}

}  // namespace kv::art
