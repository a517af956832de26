#include "ingame/pointer_sector.h"

#include <gtest/gtest.h>

#include <string>

namespace kv {
namespace {

struct Expect {
  Point p;
  const char* picture;
  int direction;
};

TEST(PointerSector, EdgePoints) {
  const Expect cases[] = {
      {{400, 250}, "Cursor", 0},  // the hero's own cell
      {{350, 206}, "Cursor", 0}, {{449, 305}, "Cursor", 0}, {{400, 6}, "SCur", 1},
      {{400, 5}, "Cursor", 0},   {{449, 204}, "SCur", 1},   {{349, 250}, "Cursor", 0},
      {{400, 205}, "Cursor", 0}, {{400, 306}, "Cursor", 0}, {{348, 250}, "ZCur", 7},
      {{50, 206}, "ZCur", 7},    {{348, 305}, "ZCur", 7},   {{450, 250}, "VCur", 3},
      {{749, 305}, "VCur", 3},   {{449, 250}, "Cursor", 0}, {{350, 307}, "JCur", 5},
      {{400, 494}, "JCur", 5},   {{400, 495}, "Cursor", 0}, {{50, 6}, "SZCur", 8},
      {{349, 205}, "SZCur", 8},  {{349, 206}, "Cursor", 0}, {{450, 6}, "SVCur", 2},
      {{749, 205}, "SVCur", 2},  {{450, 205}, "SVCur", 2},  {{50, 306}, "JZCur", 6},
      {{349, 306}, "JZCur", 6},  {{349, 494}, "JZCur", 6},  {{450, 306}, "JVCur", 4},
      {{749, 494}, "JVCur", 4},  {{750, 494}, "Cursor", 0}, {{49, 100}, "Cursor", 0},
      {{750, 100}, "Cursor", 0}, {{-5, -5}, "Cursor", 0},   {{799, 599}, "Cursor", 0},
  };
  for (const Expect& e : cases) {
    Sector s = SectorAt(e.p);
    EXPECT_EQ(std::string(s.picture), e.picture) << e.p.x << "," << e.p.y;
    EXPECT_EQ(s.direction, e.direction) << e.p.x << "," << e.p.y;
  }
}

}  // namespace
}  // namespace kv
