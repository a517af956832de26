#include "tools/art/quantize.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

#include "tools/art/raster.h"

namespace kv::art {

namespace {

// Colours are binned at 5 bits per channel; each bin keeps its population and the sums of its
// true values, so palette entries are exact averages rather than bin centres.
struct Bin {
  uint32_t count = 0;
  uint64_t r = 0, g = 0, b = 0;
};

struct Cut {
  std::vector<uint16_t> keys;
  uint64_t population = 0;
  int longest_axis = 0;
  int range = 0;
};

int Channel(uint16_t key, int axis) {
  return (key >> (10 - 5 * axis)) & 31;
}
uint16_t KeyOf(const uint8_t* p) {
  return static_cast<uint16_t>(((p[0] >> 3) << 10) | ((p[1] >> 3) << 5) | (p[2] >> 3));
}

void Measure(Cut& cut, const std::vector<Bin>& bins) {
  int lo[3] = {31, 31, 31}, hi[3] = {0, 0, 0};
  cut.population = 0;
  for (uint16_t k : cut.keys) {
    cut.population += bins[k].count;
    for (int a = 0; a < 3; ++a) {
      lo[a] = std::min(lo[a], Channel(k, a));
      hi[a] = std::max(hi[a], Channel(k, a));
    }
  }
  cut.range = -1;
  for (int a = 0; a < 3; ++a)
    if (hi[a] - lo[a] > cut.range) {
      cut.range = hi[a] - lo[a];
      cut.longest_axis = a;
    }
}

}  // namespace

Quantized Quantize(const RgbImage& image, int colours, bool keyed) {
  const size_t pixels = static_cast<size_t>(image.width) * image.height;
  std::vector<Bin> bins(32768);
  auto is_key = [&](size_t i) {
    const uint8_t* p = &image.rgb[i * 3];
    return keyed && p[0] == 0 && p[1] == 0 && p[2] == 0;
  };
  for (size_t i = 0; i < pixels; ++i) {
    if (is_key(i)) continue;
    const uint8_t* p = &image.rgb[i * 3];
    Bin& bin = bins[KeyOf(p)];
    ++bin.count;
    bin.r += p[0];
    bin.g += p[1];
    bin.b += p[2];
  }

  std::vector<Cut> cuts(1);
  for (uint16_t k = 0; k < 32768 && k < bins.size(); ++k)
    if (bins[k].count) cuts[0].keys.push_back(k);
  Measure(cuts[0], bins);
  const int wanted = colours - (keyed ? 1 : 0);
  while (static_cast<int>(cuts.size()) < wanted) {
    // Split the cut whose spread, weighted by how many pixels it holds, is largest.
    int best = -1;
    double best_score = 0;
    for (size_t i = 0; i < cuts.size(); ++i) {
      if (cuts[i].keys.size() < 2) continue;
      const double score = static_cast<double>(cuts[i].range) * std::sqrt(cuts[i].population);
      if (score > best_score) {
        best_score = score;
        best = static_cast<int>(i);
      }
    }
    if (best < 0) break;
    Cut& cut = cuts[best];
    const int axis = cut.longest_axis;
    std::sort(cut.keys.begin(), cut.keys.end(), [&](uint16_t a, uint16_t b) {
      return Channel(a, axis) != Channel(b, axis) ? Channel(a, axis) < Channel(b, axis) : a < b;
    });
    uint64_t half = cut.population / 2, seen = 0;
    size_t split = 1;
    for (size_t i = 0; i + 1 < cut.keys.size(); ++i) {
      seen += bins[cut.keys[i]].count;
      split = i + 1;
      if (seen >= half) break;
    }
    Cut upper;
    upper.keys.assign(cut.keys.begin() + static_cast<long>(split), cut.keys.end());
    cut.keys.resize(split);
    Measure(cut, bins);
    Measure(upper, bins);
    cuts.push_back(std::move(upper));
  }

  Quantized out;
  std::vector<std::array<int, 3>> entries;
  if (keyed) entries.push_back({0, 0, 0});
  for (const Cut& cut : cuts) {
    if (cut.population == 0) continue;
    uint64_t r = 0, g = 0, b = 0;
    for (uint16_t k : cut.keys) {
      r += bins[k].r;
      g += bins[k].g;
      b += bins[k].b;
    }
    uint8_t cr = static_cast<uint8_t>(r / cut.population);
    uint8_t cg = static_cast<uint8_t>(g / cut.population);
    uint8_t cb = static_cast<uint8_t>(b / cut.population);
    if (keyed) LiftOffKey(cr, cg, cb);
    entries.push_back({cr, cg, cb});
  }
  if (entries.empty()) entries.push_back({0, 0, 0});
  for (const auto& e : entries)
    out.palette.push_back(
        {static_cast<uint8_t>(e[2]), static_cast<uint8_t>(e[1]), static_cast<uint8_t>(e[0]), 0});

  // Nearest entry per bin, found once: pictures repeat their colours a great deal.
  std::vector<int16_t> nearest(32768, -1);
  const size_t first = keyed ? 1 : 0;
  out.image.width = image.width;
  out.image.height = image.height;
  out.image.index.resize(pixels);
  for (size_t i = 0; i < pixels; ++i) {
    if (is_key(i)) {
      out.image.index[i] = 0;
      continue;
    }
    const uint8_t* p = &image.rgb[i * 3];
    const uint16_t key = KeyOf(p);
    if (nearest[key] < 0) {
      const int r = (bins[key].count ? static_cast<int>(bins[key].r / bins[key].count) : p[0]);
      const int g = (bins[key].count ? static_cast<int>(bins[key].g / bins[key].count) : p[1]);
      const int b = (bins[key].count ? static_cast<int>(bins[key].b / bins[key].count) : p[2]);
      int best = static_cast<int>(first);
      int best_d = 1 << 30;
      for (size_t e = first; e < entries.size(); ++e) {
        const int dr = entries[e][0] - r, dg = entries[e][1] - g, db = entries[e][2] - b;
        const int d = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
        if (d < best_d) {
          best_d = d;
          best = static_cast<int>(e);
        }
      }
      nearest[key] = static_cast<int16_t>(best);
    }
    out.image.index[i] = static_cast<uint8_t>(nearest[key]);
  }
  return out;
}

}  // namespace kv::art
