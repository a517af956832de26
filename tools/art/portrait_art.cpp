// Portraits (graphic2.dat items 1..25, five per race: barbar, člověk, elf, thrán, trpaslík) and
// the game's emblem (item 0, "Logo"). A face is built from a few parameters and painted with
// one light from the upper left, so every portrait shares the same mood.
#include <cmath>

#include "tools/art/art_items.h"
#include "tools/art/materials.h"
#include "tools/art/noise.h"
#include "tools/art/portable_math.h"
#include "tools/art/shapes.h"

namespace kv::art {

namespace {

enum class Hair { kNone, kShort, kLong, kWild, kStraight, kBraids, kCrest };
enum class Beard { kNone, kStubble, kFull, kLong, kBraided };
enum class Headgear { kNone, kHornedHelm, kHood, kCirclet, kIronHelm, kBand };
enum class Dress { kFurs, kTunic, kRobe, kArmour, kLeather };

struct Face {
  Rgb skin, hair, eyes, dress, backdrop;
  Hair hair_style = Hair::kShort;
  Beard beard = Beard::kNone;
  Headgear gear = Headgear::kNone;
  Dress dress_style = Dress::kTunic;
  bool female = false;
  bool pointed_ears = false;
  bool horns = false;  // the thrán's swept horns
  bool glowing_eyes = false;
  bool war_paint = false;
  float width = 1.f;  // broad (dwarves) or narrow (elves) faces
  float age = 0.f;    // 0 young .. 1 old: lines and grey
  uint32_t seed = 1;
};

// Coordinates are laid out on a 150 x 160 canvas and scaled by `s`.
struct Painter {
  Raster& r;
  const Face& f;
  float s;
  float X(float v) const { return v * s; }

  // A rounded volume lit from the upper left: `c` shaded by the point's place in the ellipse.
  Rgb Lit(Rgb c, float x, float y, float cx, float cy, float rx, float ry) const {
    const float nx = (x - cx) / rx, ny = (y - cy) / ry;
    const float nz = std::sqrt(std::max(0.f, 1.f - nx * nx - ny * ny));
    const float diffuse = Clamp01(-0.45f * nx - 0.55f * ny + 0.7f * nz);
    return c * (0.38f + 0.8f * diffuse);
  }

  Rgb HairTexture(float x, float y, Rgb c) const {
    const float strands = Noise(x / X(1.6f), y / X(14.f), f.seed + 3);
    const float sheen = 0.5f + 0.5f * Sin((y / X(9.f)) + strands * 2.f);
    return c * (0.65f + 0.35f * strands + 0.25f * sheen);
  }

  void Backdrop() {
    r.Apply([&](int x, int y, Rgb) {
      const float dx = (x - X(60)) / X(110), dy = (y - X(55)) / X(120);
      const float glow = Exp(-(dx * dx + dy * dy) * 2.5f);
      return f.backdrop * (0.35f + 0.75f * glow) *
             (0.92f + 0.1f * Noise(x / X(12.f), y / X(12.f), f.seed));
    });
  }

  void Body() {
    const float cx = X(75), top = X(118);
    const auto shoulders =
        Union(Ellipse{cx, X(170), X(70) * f.width, X(50)},
              RoundBox{cx - X(40) * f.width, top, cx + X(40) * f.width, X(165), X(14)});
    Fill(r, shoulders, [&](float x, float y, float d) {
      Rgb c = f.dress;
      switch (f.dress_style) {
        case Dress::kFurs: {
          const float fur = Noise(x / X(2.f), y / X(5.f), f.seed + 9);
          c = c * (0.6f + 0.5f * fur);
          break;
        }
        case Dress::kArmour: {
          const float band = std::fmod(y / X(10.f), 1.f);
          c = c * (0.6f + 0.6f * band) + Hex(0x303030) * (band > 0.85f ? 1.f : 0.f);
          break;
        }
        case Dress::kRobe:
          c = c * (0.8f + 0.2f * Sin(x / X(4.f)));
          break;
        case Dress::kLeather:
          c = LeatherAt(x / s, y / s, f.seed, c);
          break;
        case Dress::kTunic:
          break;
      }
      c = Lit(c, x, y, cx - X(20), X(120), X(90), X(70));
      if (d > -X(1.5f)) c = c * 0.6f;
      return c;
    });
    if (f.dress_style == Dress::kFurs) {
      // A fur collar with a ragged edge.
      const auto collar =
          MakeShape(Box{cx - X(70), X(108), cx + X(70), X(140)}, [=, this](float x, float y) {
            return Ellipse{cx, X(126), X(58) * f.width, X(14)}(x, y) -
                   X(4) * Noise(x / X(3.f), y / X(3.f), f.seed + 11);
          });
      Fill(r, collar, [&](float x, float y, float) {
        return Lit(Hex(0x8A6A48) * (0.6f + 0.5f * Noise(x / X(1.5f), y / X(3.f), f.seed + 13)), x,
                   y, cx, X(120), X(70), X(20));
      });
    }
    if (f.dress_style == Dress::kRobe || f.dress_style == Dress::kTunic)
      Fill(r, Polygon{{{cx - X(14), top}, {cx + X(14), top}, {cx, X(142)}}},
           Hex(0x1A1410) * 0.9f + f.skin * 0.1f);
    if (f.dress_style == Dress::kArmour || f.dress_style == Dress::kRobe)
      Fill(r, Capsule{cx - X(36) * f.width, X(140), cx + X(36) * f.width, X(140), X(1.5f), X(1.5f)},
           GoldAt(0.6f));
  }

  void HairBack() {
    const float cx = X(75);
    if (f.hair_style == Hair::kLong || f.hair_style == Hair::kStraight ||
        f.hair_style == Hair::kWild || f.hair_style == Hair::kBraids) {
      const float wide = f.hair_style == Hair::kWild ? 1.25f : 1.f;
      const float len = f.hair_style == Hair::kStraight ? X(148) : X(132);
      const auto mane =
          MakeShape(Box{cx - X(60), X(20), cx + X(60), len}, [=, this](float x, float y) {
            float d = RoundBox{cx - X(38) * wide, X(30), cx + X(38) * wide, len, X(24)}(x, y);
            if (f.hair_style == Hair::kWild) d -= X(6) * Noise(x / X(5.f), y / X(5.f), f.seed + 17);
            return d;
          });
      Fill(r, mane, [&](float x, float y, float) { return HairTexture(x, y, f.hair) * 0.8f; });
    }
  }

  void Ears() {
    const float cx = X(75), cy = X(74);
    for (float side : {-1.f, 1.f}) {
      const float ex = cx + side * X(30) * f.width;
      if (f.pointed_ears) {
        const Polygon ear{{{ex, cy - X(6)},
                           {ex + side * X(22), cy - X(26)},
                           {ex + side * X(8), cy + X(10)},
                           {ex, cy + X(10)}}};
        Fill(r, ear,
             [&](float x, float y, float) { return Lit(f.skin, x, y, ex, cy, X(20), X(30)); });
      } else {
        Fill(r, Ellipse{ex + side * X(2), cy + X(2), X(6), X(10)}, [&](float x, float y, float) {
          return Lit(f.skin * 0.92f, x, y, ex, cy, X(10), X(14));
        });
      }
    }
  }

  void Head() {
    const float cx = X(75), cy = X(70), rx = X(30) * f.width, ry = X(38);
    Fill(r, RoundBox{cx - X(11) * f.width, X(92), cx + X(11) * f.width, X(124), X(6)},
         [&](float x, float y, float) {
           return Lit(f.skin * 0.75f, x, y, cx - X(4), X(100), X(20), X(30));
         });
    const float jaw = f.female ? 0.82f : 0.95f;
    const auto head = Union(Ellipse{cx, cy - X(4), rx, ry * 0.92f},
                            Ellipse{cx, cy + X(10), rx * jaw, ry * 0.78f});
    Fill(r, head, [&](float x, float y, float) {
      Rgb c = Lit(f.skin, x, y, cx, cy, rx * 1.1f, ry * 1.1f);
      // Warmth on the cheeks, and lines that come with age.
      const float cheek = Exp(-Pow(Hypot(std::abs(x - cx) - X(15), y - X(84)) / X(9), 2.f));
      c = c + Hex(0x401008) * (cheek * (f.female ? 0.5f : 0.25f));
      if (f.age > 0) c = c * (1.f - f.age * 0.12f * (0.5f + 0.5f * Sin(y / X(2.5f))));
      return c;
    });
    if (f.war_paint) {
      for (float side : {-1.f, 1.f})
        for (int i = 0; i < 3; ++i)
          Fill(r,
               Capsule{cx + side * X(9), X(80 + i * 5.f), cx + side * X(24), X(78 + i * 5.f),
                       X(1.3f), X(0.9f)},
               Hex(0x2A3A9A), 0.85f);
    }
    if (f.horns) {
      // Ridged horns sweeping back from the brow.
      for (float side : {-1.f, 1.f}) {
        const Polygon horn{{{cx + side * X(12), X(44)},
                            {cx + side * X(24), X(38)},
                            {cx + side * X(44), X(14)},
                            {cx + side * X(30), X(40)},
                            {cx + side * X(20), X(50)}}};
        Fill(r, horn, [&](float x, float y, float) {
          const float ridge = 0.8f + 0.25f * Sin((x + y) / X(2.f));
          return Mix(Hex(0xD8CCB0), Hex(0x5A4A3A), Clamp01((X(50) - y) / X(36))) * ridge;
        });
      }
      // Rune marks that glow faintly on the brow and cheeks.
      Glow(r, Capsule{cx - X(4), X(52), cx + X(4), X(52), X(1), X(1)}, Hex(0x40A0A0), X(2.f),
           X(6.f));
      Fill(r, Capsule{cx, X(46), cx, X(58), X(1.2f), X(0.8f)}, Hex(0x80F0E0));
      for (float side : {-1.f, 1.f})
        Fill(r, Capsule{cx + side * X(16), X(76), cx + side * X(22), X(88), X(1.f), X(0.7f)},
             Hex(0x60D0C8));
    }
  }

  void Features() {
    const float cx = X(75), ey = X(70);
    const float spread = X(12.5f) * f.width;
    for (float side : {-1.f, 1.f}) {
      const float ex = cx + side * spread;
      // Socket shadow, the eye, its iris and a catch-light.
      Fill(r, Ellipse{ex, ey - X(1), X(9), X(5.5f)}, f.skin * 0.55f, 0.6f);
      Fill(r, Ellipse{ex, ey, X(6.5f), X(3.4f)}, f.glowing_eyes ? Hex(0x2A1A08) : Hex(0xF0ECE4));
      if (f.glowing_eyes) {
        Glow(r, Circle{ex, ey, X(2.5f)}, Hex(0xA06010), X(3.f), X(9.f));
        Fill(r, Ellipse{ex, ey, X(5.f), X(2.6f)}, Hex(0xFFC040));
        Fill(r, Ellipse{ex, ey, X(1.f), X(2.6f)}, Hex(0x201000));
      } else {
        Fill(r, Circle{ex + side * X(0.5f), ey + X(0.3f), X(3.f)}, f.eyes);
        Fill(r, Circle{ex + side * X(0.5f), ey + X(0.3f), X(1.4f)}, Hex(0x100C0C));
        Fill(r, Circle{ex - X(1.2f), ey - X(1.f), X(0.9f)}, Hex(0xFFFFFF));
      }
      Fill(r, Capsule{ex - X(7), ey - X(2.5f), ex + X(7), ey - X(3.2f), X(1.1f), X(1.1f)},
           Hex(0x1A100C), 0.9f);
      if (f.female)
        Fill(r, Capsule{ex + side * X(6), ey - X(3), ex + side * X(9), ey - X(5), X(0.7f), X(0.4f)},
             Hex(0x1A100C));
      // Brows: heavier and lower for dwarves and barbarians.
      const float brow = f.width > 1.05f || f.war_paint ? X(2.4f) : X(1.5f);
      const Rgb brow_col = f.horns ? f.skin * 0.5f : f.hair * 0.8f;
      Fill(r,
           Capsule{ex - side * X(8), ey - X(9), ex + side * X(8),
                   ey - X(10.5f) + (f.pointed_ears ? -X(2) : 0), brow, brow * 0.6f},
           brow_col);
    }
    // Nose: a lit ridge, a shaded side, nostrils.
    Fill(r, Capsule{cx - X(1), ey + X(2), cx - X(2), ey + X(16), X(1.5f), X(3.f) * f.width},
         f.skin * 1.1f, 0.5f);
    Fill(r, Capsule{cx + X(3), ey + X(4), cx + X(4), ey + X(16), X(1.f), X(2.f)}, f.skin * 0.6f,
         0.6f);
    Fill(r, Ellipse{cx - X(3.5f), ey + X(18), X(2.f), X(1.2f)}, f.skin * 0.45f);
    Fill(r, Ellipse{cx + X(3.5f), ey + X(18), X(2.f), X(1.2f)}, f.skin * 0.45f);
    // Mouth.
    const Rgb lips = f.female ? Hex(0xB04A4A) : f.skin * 0.7f + Hex(0x200000);
    Fill(r, Ellipse{cx, X(96), X(9), X(2.6f)}, lips);
    Fill(r, Capsule{cx - X(9), X(96), cx + X(9), X(96), X(0.8f), X(0.8f)}, Hex(0x3A1A14));
    if (f.age > 0.4f)
      for (float side : {-1.f, 1.f})
        Fill(r, Capsule{cx + side * X(11), X(86), cx + side * X(13), X(98), X(0.6f), X(0.6f)},
             f.skin * 0.6f, 0.7f);
  }

  void BeardShape() {
    if (f.beard == Beard::kNone) return;
    const float cx = X(75);
    if (f.beard == Beard::kStubble) {
      Fill(
          r, Ellipse{cx, X(96), X(24) * f.width, X(16)},
          [&](float x, float y, float) {
            return f.hair * (0.6f + 0.4f * Noise(x / X(1.f), y / X(1.f), f.seed + 21));
          },
          0.45f);
      return;
    }
    const float len = f.beard == Beard::kFull ? X(124) : X(150);
    const auto beard =
        MakeShape(Box{cx - X(40), X(78), cx + X(40), len}, [=, this](float x, float y) {
          const float half =
              X(29) * f.width * (1.f - Clamp01((y - X(100)) / (len - X(96))) * 0.55f);
          float d = std::max(std::abs(x - cx) - half, std::max(X(82) - y, y - len));
          d = std::max(d, -Ellipse{cx, X(95), X(10), X(4.5f)}(x, y));  // the mouth shows
          return d - X(3) * Noise(x / X(4.f), y / X(4.f), f.seed + 23);
        });
    Fill(r, beard, [&](float x, float y, float) {
      Rgb c = HairTexture(x * 1.5f, y, f.hair);
      return Lit(c, x, y, cx, X(100), X(40), X(40));
    });
    if (f.beard == Beard::kBraided)
      for (float side : {-1.f, 1.f})
        for (float by : {X(128.f), X(140.f)})
          Fill(r, RoundBox{cx + side * X(10) - X(4), by, cx + side * X(10) + X(4), by + X(4), X(1)},
               GoldAt(0.6f));
    // A moustache over the lip.
    for (float side : {-1.f, 1.f})
      Fill(r, Capsule{cx, X(91), cx + side * X(14), X(97), X(3.5f), X(2.f)},
           [&](float x, float y, float) { return HairTexture(x, y, f.hair) * 0.95f; });
  }

  void HairFront() {
    const float cx = X(75);
    switch (f.hair_style) {
      case Hair::kNone:
        break;
      case Hair::kCrest: {
        Fill(r, RoundBox{cx - X(6), X(24), cx + X(6), X(62), X(6)},
             [&](float x, float y, float) { return HairTexture(x, y, f.hair); });
        break;
      }
      default: {
        const float fringe = f.hair_style == Hair::kShort ? X(50) : X(52);
        const auto cap =
            MakeShape(Box{cx - X(40), X(22), cx + X(40), X(80)}, [=, this](float x, float y) {
              float d = Ellipse{cx, X(56), X(33) * f.width, X(33)}(x, y);
              d = std::max(d, y - fringe - X(6) * Sin(x / X(6.f)));
              // Keep the temples bare so the face reads.
              return d - (f.hair_style == Hair::kWild
                              ? X(4) * Noise(x / X(4.f), y / X(4.f), f.seed + 25)
                              : 0.f);
            });
        Fill(r, cap, [&](float x, float y, float) {
          return Lit(HairTexture(x, y, f.hair), x, y, cx, X(56), X(40), X(40));
        });
        if (f.hair_style == Hair::kBraids)
          for (float side : {-1.f, 1.f})
            for (int i = 0; i < 6; ++i)
              Fill(r, Ellipse{cx + side * X(34) * f.width, X(84 + i * 9.f), X(4.5f), X(5.5f)},
                   [&](float x, float y, float) { return HairTexture(x, y, f.hair) * 1.05f; });
        if (f.hair_style == Hair::kStraight || f.hair_style == Hair::kLong)
          for (float side : {-1.f, 1.f})
            Fill(r,
                 Capsule{cx + side * X(30) * f.width, X(58), cx + side * X(32) * f.width, X(112),
                         X(6), X(4)},
                 [&](float x, float y, float) { return HairTexture(x, y, f.hair); });
      }
    }
  }

  void Gear() {
    const float cx = X(75);
    switch (f.gear) {
      case Headgear::kNone:
        break;
      case Headgear::kCirclet:
        Fill(r, Capsule{cx - X(31), X(54), cx + X(31), X(54), X(1.6f), X(1.6f)}, GoldAt(0.65f));
        Fill(r, Circle{cx, X(54), X(3.5f)}, Hex(0x40C080));
        break;
      case Headgear::kBand:
        Fill(r, Capsule{cx - X(32) * f.width, X(52), cx + X(32) * f.width, X(50), X(3.f), X(3.f)},
             Hex(0x8A1A1A));
        break;
      case Headgear::kHood: {
        const auto hood = Subtract(Union(Ellipse{cx, X(62), X(46), X(50)},
                                         RoundBox{cx - X(48), X(62), cx + X(48), X(130)}),
                                   Ellipse{cx, X(80), X(30), X(40)});
        Fill(r, hood, [&](float x, float y, float d) {
          return Lit(f.dress * 0.9f, x, y, cx - X(10), X(60), X(60), X(70)) *
                 (d > -X(3) ? 0.7f : 1.f);
        });
        break;
      }
      case Headgear::kHornedHelm:
      case Headgear::kIronHelm: {
        const auto dome = Intersect(Ellipse{cx, X(58), X(36) * f.width, X(34)},
                                    RoundBox{cx - X(50), X(18), cx + X(50), X(58)});
        Fill(r, dome, [&](float x, float y, float) {
          return Lit(Hex(0x9AA0AA), x, y, cx, X(50), X(40), X(36)) +
                 Hex(0x202020) * (std::abs(x - cx) < X(2) ? 1.f : 0.f);
        });
        Fill(r, RoundBox{cx - X(37) * f.width, X(54), cx + X(37) * f.width, X(62), X(2)},
             [&](float x, float y, float) {
               return f.gear == Headgear::kIronHelm ? GoldAt(0.4f + x / X(200)) : Hex(0x6A6058);
             });
        if (f.gear == Headgear::kIronHelm)
          Fill(r, RoundBox{cx - X(3), X(58), cx + X(3), X(84), X(2)}, Hex(0x8A9098));
        if (f.gear == Headgear::kHornedHelm)
          for (float side : {-1.f, 1.f})
            Fill(r,
                 Polygon{{{cx + side * X(28), X(46)},
                          {cx + side * X(50), X(36)},
                          {cx + side * X(58), X(8)},
                          {cx + side * X(44), X(30)},
                          {cx + side * X(26), X(36)}}},
                 [&](float x, float y, float) {
                   return Mix(Hex(0xF0E8D0), Hex(0x8A7A5A), Clamp01((y - X(8)) / X(40)));
                 });
        break;
      }
    }
  }
};

Raster PaintFace(const Face& f, int w, int h) {
  Raster r(w, h);
  Painter p{r, f, h / 160.f};
  p.Backdrop();
  p.HairBack();
  p.Body();
  p.Ears();
  p.Head();
  p.Features();
  p.BeardShape();
  p.HairFront();
  p.Gear();
  // A thin dark frame so the stretched portrait has an edge.
  r.Apply([w, h](int x, int y, Rgb c) {
    const int e = std::min(std::min(x, w - 1 - x), std::min(y, h - 1 - y));
    return e < 1 ? Hex(0x100A06) : e < 2 ? c * 0.6f : c;
  });
  return r;
}

const Rgb kFair = Hex(0xF0C8A8), kTanned = Hex(0xC88A60), kDark = Hex(0x8A5A3A),
          kPale = Hex(0xF4DCC8), kRuddy = Hex(0xE0A080);

Face Barbarian(int i) {
  Face f;
  f.seed = 700 + i;
  f.backdrop = Hex(0x6A3A20);
  f.dress = Hex(0x6A4A30);
  f.dress_style = Dress::kFurs;
  f.war_paint = i != 2;
  f.width = 1.06f;
  f.eyes = Hex(0x3A6A9A);
  switch (i) {
    case 0:
      f.skin = kTanned;
      f.hair = Hex(0x2A1A10);
      f.hair_style = Hair::kWild;
      f.beard = Beard::kFull;
      break;
    case 1:
      f.skin = kRuddy;
      f.hair = Hex(0xB05A20);
      f.hair_style = Hair::kWild;
      f.beard = Beard::kLong;
      f.gear = Headgear::kHornedHelm;
      break;
    case 2:
      f.skin = kTanned;
      f.hair = Hex(0x4A2A14);
      f.hair_style = Hair::kBraids;
      f.female = true;
      f.width = 0.96f;
      f.gear = Headgear::kBand;
      break;
    case 3:
      f.skin = kFair;
      f.hair = Hex(0xD8B870);
      f.hair_style = Hair::kLong;
      f.beard = Beard::kBraided;
      break;
    default:
      f.skin = kDark;
      f.hair = Hex(0x1A1410);
      f.hair_style = Hair::kWild;
      f.beard = Beard::kStubble;
      f.age = 0.6f;
      break;
  }
  return f;
}

Face Human(int i) {
  Face f;
  f.seed = 720 + i;
  f.backdrop = Hex(0x2A3A5A);
  f.eyes = Hex(0x5A4020);
  switch (i) {
    case 0:
      f.skin = kFair;
      f.hair = Hex(0x4A2A14);
      f.dress = Hex(0x2A4A8A);
      f.hair_style = Hair::kShort;
      f.beard = Beard::kStubble;
      break;
    case 1:
      f.skin = kPale;
      f.hair = Hex(0xC89A50);
      f.dress = Hex(0x6A1A2A);
      f.dress_style = Dress::kRobe;
      f.hair_style = Hair::kLong;
      f.female = true;
      f.eyes = Hex(0x3A7A5A);
      break;
    case 2:
      f.skin = kRuddy;
      f.hair = Hex(0x8A8A8A);
      f.dress = Hex(0x5A5A6A);
      f.dress_style = Dress::kArmour;
      f.gear = Headgear::kIronHelm;
      f.beard = Beard::kFull;
      f.age = 0.7f;
      f.hair_style = Hair::kShort;
      break;
    case 3:
      f.skin = kDark;
      f.hair = Hex(0x1A1210);
      f.dress = Hex(0x3A5A2A);
      f.dress_style = Dress::kLeather;
      f.hair_style = Hair::kShort;
      f.gear = Headgear::kHood;
      break;
    default:
      f.skin = kFair;
      f.hair = Hex(0x6A2A10);
      f.dress = Hex(0x4A2A5A);
      f.dress_style = Dress::kRobe;
      f.hair_style = Hair::kBraids;
      f.female = true;
      f.eyes = Hex(0x3A5A9A);
      break;
  }
  return f;
}

Face Elf(int i) {
  Face f;
  f.seed = 740 + i;
  f.backdrop = Hex(0x1E4A3A);
  f.pointed_ears = true;
  f.width = 0.88f;
  f.dress_style = Dress::kRobe;
  f.eyes = Hex(0x3AA07A);
  switch (i) {
    case 0:
      f.skin = kPale;
      f.hair = Hex(0xE8E0C0);
      f.dress = Hex(0x2A5A3A);
      f.hair_style = Hair::kStraight;
      f.gear = Headgear::kCirclet;
      f.female = true;
      break;
    case 1:
      f.skin = kFair;
      f.hair = Hex(0x2A1A14);
      f.dress = Hex(0x3A3A6A);
      f.hair_style = Hair::kStraight;
      break;
    case 2:
      f.skin = kPale;
      f.hair = Hex(0xC0C8D8);
      f.dress = Hex(0x5A5A7A);
      f.hair_style = Hair::kStraight;
      f.gear = Headgear::kCirclet;
      f.age = 0.3f;
      break;
    case 3:
      f.skin = Hex(0xE8D0B0);
      f.hair = Hex(0xB8682A);
      f.dress = Hex(0x4A6A2A);
      f.dress_style = Dress::kLeather;
      f.hair_style = Hair::kLong;
      f.female = true;
      f.gear = Headgear::kHood;
      break;
    default:
      f.skin = Hex(0xB89078);
      f.hair = Hex(0xF0F0F0);
      f.dress = Hex(0x1A2A4A);
      f.hair_style = Hair::kLong;
      f.eyes = Hex(0x8A60C0);
      break;
  }
  return f;
}

Face Thran(int i) {
  // Stone-grey people with swept horns, amber eyes and runes that glow on the skin.
  Face f;
  f.seed = 760 + i;
  f.backdrop = Hex(0x3A2A4A);
  f.horns = true;
  f.glowing_eyes = true;
  f.pointed_ears = i % 2 == 1;
  f.width = 1.02f;
  f.dress_style = Dress::kLeather;
  switch (i) {
    case 0:
      f.skin = Hex(0x8A94A0);
      f.hair = Hex(0x1A1A2A);
      f.dress = Hex(0x4A3A5A);
      f.hair_style = Hair::kCrest;
      break;
    case 1:
      f.skin = Hex(0x7A8A8A);
      f.hair = Hex(0x2A2A3A);
      f.dress = Hex(0x3A4A4A);
      f.hair_style = Hair::kNone;
      f.dress_style = Dress::kArmour;
      break;
    case 2:
      f.skin = Hex(0x9AA0B0);
      f.hair = Hex(0x3A2A4A);
      f.dress = Hex(0x5A2A3A);
      f.hair_style = Hair::kStraight;
      f.female = true;
      break;
    case 3:
      f.skin = Hex(0x6A7480);
      f.hair = Hex(0x101018);
      f.dress = Hex(0x2A2A3A);
      f.hair_style = Hair::kCrest;
      f.age = 0.6f;
      break;
    default:
      f.skin = Hex(0x8A8A9A);
      f.hair = Hex(0x4A3A5A);
      f.dress = Hex(0x4A2A4A);
      f.hair_style = Hair::kBraids;
      f.female = true;
      break;
  }
  return f;
}

Face Dwarf(int i) {
  Face f;
  f.seed = 780 + i;
  f.backdrop = Hex(0x4A3A2A);
  f.width = 1.18f;
  f.dress_style = Dress::kArmour;
  f.eyes = Hex(0x4A3A2A);
  f.skin = kRuddy;
  switch (i) {
    case 0:
      f.hair = Hex(0xB05A20);
      f.dress = Hex(0x6A6A72);
      f.beard = Beard::kBraided;
      f.gear = Headgear::kIronHelm;
      f.hair_style = Hair::kShort;
      break;
    case 1:
      f.hair = Hex(0x3A2A1A);
      f.dress = Hex(0x5A3A2A);
      f.dress_style = Dress::kLeather;
      f.beard = Beard::kLong;
      f.hair_style = Hair::kLong;
      break;
    case 2:
      f.hair = Hex(0xD0D0D0);
      f.dress = Hex(0x3A4A6A);
      f.dress_style = Dress::kRobe;
      f.beard = Beard::kLong;
      f.age = 0.9f;
      f.hair_style = Hair::kNone;
      break;
    case 3:
      f.hair = Hex(0x8A4A1A);
      f.dress = Hex(0x7A7A80);
      f.beard = Beard::kFull;
      f.gear = Headgear::kHornedHelm;
      f.hair_style = Hair::kShort;
      break;
    default:
      f.hair = Hex(0x2A1A10);
      f.dress = Hex(0x6A4A3A);
      f.beard = Beard::kBraided;
      f.hair_style = Hair::kBraids;
      f.skin = kTanned;
      break;
  }
  return f;
}

Raster PaintLogo() {
  // A kite shield with a crown over two crossed swords, keyed around its shape.
  Raster r(100, 100, {}, 0.f);
  const Polygon shield{{{14, 10}, {86, 10}, {86, 48}, {50, 94}, {14, 48}}};
  Fill(r, Offset(shield, 3),
       [](float x, float y, float) { return GoldAt(0.2f + (x + y) / 260.f); });
  Fill(r, shield, [](float x, float y, float d) {
    Rgb c = Mix(Hex(0x3050B0), Hex(0x101C4A), Clamp01((y - 10) / 84.f));
    c = c * (0.9f + 0.1f * Noise(x / 4.f, y / 4.f, 799));
    if (d > -2.f) c = c * 0.5f;
    return c;
  });
  for (float side : {-1.f, 1.f}) {
    Fill(r, Capsule{50 - side * 22, 74, 50 + side * 20, 30, 2.6f, 1.2f}, [](float, float y, float) {
      return Mix(Hex(0xF8F8FF), Hex(0x8A90A0), Clamp01((y - 30) / 44.f));
    });
    Fill(r, Capsule{50 - side * 28, 66, 50 - side * 14, 72, 2.f, 2.f}, GoldAt(0.6f));
    Fill(r, Circle{50 - side * 24, 79, 3.f}, GoldAt(0.7f));
  }
  Fill(r, Polygon{{{34, 36}, {34, 22}, {42, 29}, {50, 18}, {58, 29}, {66, 22}, {66, 36}}},
       [](float x, float y, float) { return GoldAt(0.3f + (y - 18) / 30.f); });
  for (float gx : {42.f, 50.f, 58.f}) Fill(r, Circle{gx, 33, 2.f}, Hex(0xC02030));
  AddOutline(r, Hex(0x1A1008));
  return r;
}

ArtPicture Picture(const std::string& name, Raster r, Encoding encoding, bool keyed) {
  ArtPicture p;
  p.name = name;
  p.raster = std::move(r);
  p.encoding = encoding;
  p.transparent = keyed;
  return p;
}

}  // namespace

Raster PaintRaceFace(int race, int w, int h) {
  // The first face of each race, but a woman for the člověk and the elf, so that the info boxes
  // do not show only men.
  const Face face = race == 0   ? Barbarian(0)
                    : race == 1 ? Human(1)
                    : race == 2 ? Elf(0)
                    : race == 3 ? Thran(0)
                                : Dwarf(0);
  return PaintFace(face, w, h);
}

ArtFile PaintPortraitFile(Lettering& lettering) {
  ArtFile file{"graphic2.dat", {}};
  file.items.push_back(Picture("Logo", PaintLogo(), Encoding::kBitmap24, true));
  static const char* const kRaces[5] = {"Barbar", "Člověk", "Elf", "Thrán", "Trpaslík"};
  for (int race = 0; race < 5; ++race)
    for (int i = 0; i < 5; ++i) {
      const Face face = race == 0   ? Barbarian(i)
                        : race == 1 ? Human(i)
                        : race == 2 ? Elf(i)
                        : race == 3 ? Thran(i)
                                    : Dwarf(i);
      const int item = 1 + race * 5 + i;
      // Item 16 also fills the bottom bar's 80 x 80 slots unscaled; the portrait page stretches
      // it like the others.
      Raster r = item == 16 ? PaintFace(face, 160, 160).Resized(80, 80) : PaintFace(face, 150, 160);
      file.items.push_back(Picture(std::string(kRaces[race]) + " " + std::to_string(i + 1),
                                   std::move(r), race % 2 ? Encoding::kBitmap24 : Encoding::kDib24,
                                   false));
    }
  for (ArtPicture& info : PaintInfoPictures(lettering)) file.items.push_back(std::move(info));
  return file;
}

}  // namespace kv::art
