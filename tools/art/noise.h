#pragma once

#include <cstdint>

// Deterministic randomness for the painting code: every picture is made from fixed seeds, so
// the data build writes the same bytes on every machine and every run.
namespace kv::art {

uint32_t Hash(uint32_t a, uint32_t b = 0, uint32_t c = 0);

// A small generator (splitmix64) seeded by the caller.
class Rng {
 public:
  explicit Rng(uint64_t seed) : state_(seed) {}
  uint32_t Next();
  float Uniform(float lo = 0.f, float hi = 1.f);
  int Int(int lo, int hi);  // lo..hi inclusive
  bool Chance(float p) { return Uniform() < p; }

 private:
  uint64_t state_;
};

// Smooth value noise in -1..1 with lattice cells of one unit. A period greater than zero wraps
// the lattice every `period` cells, which makes textures tile seamlessly.
float Noise(float x, float y, uint32_t seed, int period = 0);
// The same with separate periods across and down.
float Noise2(float x, float y, uint32_t seed, int period_x, int period_y);

// Fractal sum of `octaves` noise layers, each twice the frequency and half the weight of the
// one before; the period doubles with the frequency so tiling survives. Roughly -1..1.
float Fbm(float x, float y, uint32_t seed, int octaves, int period = 0);
float Fbm2(float x, float y, uint32_t seed, int octaves, int period_x, int period_y);

// Cellular pattern: distance to the nearest and second-nearest jittered point of a unit grid
// (wrapping like Noise). Good for stones, scales and cracks.
struct CellDistance {
  float nearest;
  float second;
  uint32_t id;  // hash of the nearest cell, to colour stones individually
};
CellDistance Cells(float x, float y, uint32_t seed, int period = 0);

}  // namespace kv::art
