// The hero walking (hero.dat): picture 2 x facing + step, facing north, east, south, west.
// He is drawn 30 pixels above his cell, so his feet sit at the bottom of the 100 x 130 picture.
#include <cmath>

#include "tools/art/art_items.h"
#include "tools/art/shapes.h"

namespace kv::art {

namespace {

constexpr int kW = 100, kH = 130;

const Rgb kSkin = Hex(0xE0B090);
const Rgb kHair = Hex(0x6A3A1A);
const Rgb kTunic = Hex(0x2E5A9A);
const Rgb kCloak = Hex(0x9A2424);
const Rgb kLeather = Hex(0x5A3A20);
const Rgb kBoot = Hex(0x3A2414);
const Rgb kGold = Hex(0xE8C050);

// Light from the upper left: a colour brightened towards x0 and darkened towards x1.
auto Lit(Rgb c, float x0, float x1) {
  return [=](float x, float y, float d) {
    const float t = Clamp01((x - x0) / (x1 - x0));
    Rgb out = c * (1.25f - 0.55f * t);
    if (d > -1.2f) out = out * 0.8f;
    return out;
  };
}

enum class View { kFront, kBack, kSide };

// One frame facing south (front), north (back) or east (side); west is the east frame mirrored.
Raster Figure(View view, int step) {
  Raster r(kW, kH, {}, 0.f);
  const float s = step == 0 ? 1.f : -1.f;  // which leg leads
  if (view == View::kSide) {
    const float front_foot = 50 + 13 * s, back_foot = 50 - 13 * s;
    // Far limbs first, darker.
    Fill(r, Capsule{50, 90, back_foot, 122, 5.f, 4.f}, Lit(kLeather * 0.7f, 40, 60));
    Fill(r, Ellipse{back_foot + 3, 124, 7, 4}, kBoot * 0.7f);
    Fill(r, Capsule{48, 58, 50 + 10 * s, 84, 4.f, 3.5f}, Lit(kTunic * 0.6f, 40, 60));
    // Cloak hanging behind.
    Fill(r, Polygon{{{44, 52}, {52, 52}, {44, 106}, {30, 104}}}, Lit(kCloak, 28, 52));
    Fill(r, Capsule{50, 90, front_foot, 122, 5.5f, 4.5f}, Lit(kLeather, 40, 62));
    Fill(r, Ellipse{front_foot + 3, 124, 7.5f, 4.5f}, Lit(kBoot, 40, 70));
    Fill(r, RoundBox{42, 52, 60, 94, 6}, Lit(kTunic, 42, 60));
    Fill(r, RoundBox{42, 78, 60, 83, 1}, Lit(kLeather, 42, 60));
    Fill(r, RoundBox{52, 78, 56, 83, 0.5f}, kGold);
    Fill(r, Capsule{44, 84, 36, 100, 1.5f, 1.5f}, Hex(0xC0C4CC));  // scabbard tip
    Fill(r, Capsule{52, 58, 50 - 10 * s, 84, 4.5f, 3.8f}, Lit(kTunic * 0.9f, 40, 60));
    Fill(r, Circle{50 - 10 * s, 86, 3.8f}, Lit(kSkin, 44, 56));
    Fill(r, RoundBox{47, 44, 55, 54, 2}, Lit(kSkin, 47, 55));
    Fill(r, Ellipse{52, 36, 10, 11.5f}, Lit(kSkin, 42, 62));
    Fill(r, Circle{61.5f, 38, 2.2f}, Lit(kSkin, 58, 64));  // nose
    Fill(r, Polygon{{{40, 30}, {48, 22}, {60, 24}, {62, 30}, {52, 30}, {50, 40}, {42, 46}}},
         Lit(kHair, 40, 62));
    Fill(r, Circle{57, 35, 1.4f}, Hex(0x202030));
    Fill(r, Capsule{56, 44, 59, 43.5f, 0.7f, 0.7f}, Hex(0x8A4A3A));
  } else {
    const bool front = view == View::kFront;
    const float left_y = 122 - 4 * s, right_y = 122 + 4 * s;
    // Cloak behind the body (seen whole from behind).
    Fill(r, Polygon{{{37, 50}, {63, 50}, {70, 106}, {30, 106}}},
         Lit(kCloak * (front ? 0.75f : 1.f), 30, 70));
    Fill(r, Capsule{44, 88, 43, left_y, 5.5f, 4.5f}, Lit(kLeather, 38, 62));
    Fill(r, Capsule{56, 88, 57, right_y, 5.5f, 4.5f}, Lit(kLeather, 38, 62));
    Fill(r, Ellipse{43, left_y + 2, 6, 4.5f}, Lit(kBoot, 36, 50));
    Fill(r, Ellipse{57, right_y + 2, 6, 4.5f}, Lit(kBoot, 50, 64));
    if (front) {
      Fill(r, RoundBox{37, 50, 63, 94, 7}, Lit(kTunic, 37, 63));
      Fill(r, Polygon{{{46, 50}, {54, 50}, {50, 60}}}, Lit(kSkin, 46, 54));
      Fill(r, RoundBox{37, 78, 63, 83, 1}, Lit(kLeather, 37, 63));
      Fill(r, RoundBox{47.5f, 77.5f, 52.5f, 83.5f, 0.5f}, kGold);
      Fill(r, Capsule{40, 82, 36, 100, 1.6f, 1.6f}, Hex(0xB0B4BC));
      Fill(r, Capsule{39, 83, 43, 79, 1.5f, 1.5f}, kGold);
    } else {
      Fill(r, Polygon{{{36, 50}, {64, 50}, {67, 100}, {33, 100}}}, Lit(kCloak, 33, 67));
      Fill(r, Capsule{50, 56, 50, 96, 0.6f, 0.6f}, kCloak * 0.7f);
    }
    // Arms swing against the legs.
    const float lh = 84 + 3 * s, rh = 84 - 3 * s;
    Fill(r, Capsule{38, 56, 34, lh, 4.5f, 3.8f}, Lit(kTunic * 0.95f, 30, 42));
    Fill(r, Capsule{62, 56, 66, rh, 4.5f, 3.8f}, Lit(kTunic * 0.8f, 58, 70));
    Fill(r, Circle{34, lh + 2, 3.8f}, Lit(kSkin, 30, 38));
    Fill(r, Circle{66, rh + 2, 3.8f}, Lit(kSkin * 0.9f, 62, 70));
    Fill(r, RoundBox{45, 44, 55, 54, 2}, Lit(kSkin, 45, 55));
    Fill(r, Ellipse{50, 36, 10.5f, 12}, Lit(kSkin, 40, 60));
    if (front) {
      Fill(
          r,
          Polygon{{{39, 34}, {41, 24}, {50, 21}, {59, 24}, {61, 34}, {57, 28}, {50, 27}, {43, 28}}},
          Lit(kHair, 39, 61));
      Fill(r, Circle{46, 37, 1.4f}, Hex(0x202030));
      Fill(r, Circle{54, 37, 1.4f}, Hex(0x202030));
      Fill(r, Capsule{47.5f, 43, 52.5f, 43, 0.7f, 0.7f}, Hex(0x8A4A3A));
    } else {
      Fill(r, Ellipse{50, 35, 10.5f, 11.5f}, Lit(kHair, 40, 60));
    }
  }
  AddOutline(r, Hex(0x1A120C));
  return r;
}

}  // namespace

ArtFile PaintHeroFile() {
  ArtFile file{"hero.dat", {}};
  static const char* const kFacing[4] = {"North", "East", "South", "West"};
  for (int facing = 0; facing < 4; ++facing)
    for (int step = 0; step < 2; ++step) {
      Raster frame = facing == 0   ? Figure(View::kBack, step)
                     : facing == 2 ? Figure(View::kFront, step)
                                   : Figure(View::kSide, step);
      if (facing == 3) frame = frame.MirroredX();
      ArtPicture p;
      p.name = std::string("Hero ") + kFacing[facing] + " " + std::to_string(step + 1);
      p.raster = std::move(frame);
      p.encoding = Encoding::kBitmap24;
      p.transparent = true;
      file.items.push_back(std::move(p));
    }
  return file;
}

}  // namespace kv::art
