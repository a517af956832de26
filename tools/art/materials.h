#pragma once

#include <cstdint>

#include "tools/art/color.h"

// Surface textures shared by the painters. Each is a colour at a point; `period` (pixels)
// makes a texture repeat exactly, so neighbouring tiles meet without seams.
namespace kv::art {

Rgb GrassAt(float x, float y, uint32_t seed, int period = 100);
Rgb DirtAt(float x, float y, uint32_t seed, int period = 100);
// Rounded stones set in earth; `scale` is the stone size in pixels.
Rgb CobblesAt(float x, float y, uint32_t seed, float scale, Rgb tint, int period = 100);

// Dressed stone laid in courses, lit from the upper left. `course` is the course height;
// blocks are about twice as long. Returns the colour; `joint` (optional) tells whether the
// point lies in a mortar joint.
Rgb AshlarAt(float x, float y, uint32_t seed, float course, Rgb tint, int period = 100,
             bool* joint = nullptr);
// Boards running horizontally.
Rgb PlanksAt(float x, float y, uint32_t seed, float board, Rgb tint, int period = 100);
// Worn leather or parchment-like hide.
Rgb LeatherAt(float x, float y, uint32_t seed, Rgb tint);
// Polished gold for rims and ornaments; `shine` 0..1 picks the place on the metal's sheen.
Rgb GoldAt(float shine);

}  // namespace kv::art
