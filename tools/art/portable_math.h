#pragma once

// The transcendental functions the art is painted and the sounds are made with, computed from
// the exactly rounded operations alone (+, -, *, /, sqrt, floor, ldexp). Each system's maths
// library rounds its own way in the last place, and one sample off by one is a different
// sound.dat: with these the data tool writes the same bytes on every system it runs on.
// Accurate to a few units in the last place of a double over the arguments the art uses.
namespace kv::art {

double Sin(double x);
double Cos(double x);
double Exp(double x);
double Log(double x);
// x to the power y, for x >= 0.
double Pow(double x, double y);
double Atan2(double y, double x);
double Hypot(double x, double y);

inline float Sin(float x) {
  return static_cast<float>(Sin(static_cast<double>(x)));
}
inline float Cos(float x) {
  return static_cast<float>(Cos(static_cast<double>(x)));
}
inline float Exp(float x) {
  return static_cast<float>(Exp(static_cast<double>(x)));
}
inline float Log(float x) {
  return static_cast<float>(Log(static_cast<double>(x)));
}
inline float Pow(float x, float y) {
  return static_cast<float>(Pow(static_cast<double>(x), static_cast<double>(y)));
}
inline float Atan2(float y, float x) {
  return static_cast<float>(Atan2(static_cast<double>(y), static_cast<double>(x)));
}
inline float Hypot(float x, float y) {
  return static_cast<float>(Hypot(static_cast<double>(x), static_cast<double>(y)));
}

}  // namespace kv::art
