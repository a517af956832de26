#include "ingame/map.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "platform/error.h"
#include "support/test_support.h"

namespace kv {
namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteAll(const fs::path& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

size_t FileOffset(int layer, int x, int y) {
  return kMapNameBytes + 1 + layer * kLayerBytes + TMap::IndexOf(x, y);
}

class MapTest : public ::testing::Test {
 protected:
  test::TempDir dir;
  std::unique_ptr<TMap> map = std::make_unique<TMap>();
};

TEST_F(MapTest, TestMapCells) {
  map->Load(0, dir.path());
  EXPECT_EQ(std::string(map->Name, 21), std::string("Test map") + std::string(13, '\0'));
  struct Cell {
    int x, y, code;
  };
  const Cell cells[] = {{17, 17, 112}, {23, 17, 115}, {17, 23, 112}, {20, 23, 113},
                        {23, 20, 66},  {23, 21, 0},   {23, 23, 88},  {19, 20, 64},
                        {36, 17, 64},  {21, 21, 3},   {22, 22, 2},   {24, 23, 88},
                        {15, 23, 1},   {23, 35, 0},   {25, 25, 113}, {1, 1, 64}};
  for (const Cell& c : cells) EXPECT_EQ(map->Code(c.x, c.y), c.code) << c.x << "," << c.y;
  EXPECT_FALSE(map->Passable(17, 17));
  EXPECT_FALSE(map->Passable(20, 20));
  EXPECT_TRUE(map->Passable(23, 20));
  EXPECT_TRUE(map->Passable(19, 20));
  EXPECT_TRUE(map->Passable(23, 23));
}

TEST_F(MapTest, TestMapFileLayout) {
  map->Load(0, dir.path());
  std::vector<uint8_t> bytes = ReadAll(dir / "0.num");
  ASSERT_EQ(bytes.size(), 38422u);
  EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 21),
            std::string("Test map") + std::string(13, '\0'));
  EXPECT_EQ(bytes[21], 0);
  for (int x = 1; x <= kMapSize; ++x) {
    for (int y = 1; y <= kMapSize; ++y) {
      ASSERT_EQ(bytes[FileOffset(0, x, y)], map->Code(x, y));
      for (int layer : {1, 2, 3, 4, 5}) ASSERT_EQ(bytes[FileOffset(layer, x, y)], 0) << layer;
    }
  }
  // X outermost: (17, 16) and (16, 17) sit 79 bytes apart in opposite order.
  EXPECT_EQ(bytes[22 + 16 * 80 + 15], 112);
  EXPECT_EQ(bytes[22 + 15 * 80 + 16], 115);
  EXPECT_FALSE(fs::exists(dir / "1.num"));
}

TEST_F(MapTest, RebuildOverwritesOldFileCompletely) {
  WriteAll(dir / "0.num", std::vector<uint8_t>(50000, 0xAA));
  map->Load(0, dir.path());
  std::vector<uint8_t> bytes = ReadAll(dir / "0.num");
  ASSERT_EQ(bytes.size(), 38422u);
  EXPECT_EQ(bytes[38421], 0);
  // Nothing but the map file may be left behind in the directory.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST_F(MapTest, LoadIgnoresStoredNumberAndStoredPassability) {
  std::vector<uint8_t> bytes(kMapFileBytes, 0);
  std::copy_n("Jeskyne", 7, bytes.begin());
  bytes[21] = 9;                                              // stored under number 3
  for (int i = 0; i < kLayerBytes; ++i) bytes[22 + i] = 100;  // all passable codes
  bytes[FileOffset(0, 5, 6)] = 112;
  bytes[FileOffset(0, 6, 5)] = 159;
  bytes[FileOffset(0, 7, 7)] = 111;
  bytes[FileOffset(0, 8, 8)] = 160;
  bytes[FileOffset(1, 2, 2)] = 42;
  bytes[FileOffset(2, 3, 3)] = 43;
  for (int layer = 3; layer < 6; ++layer) {
    for (int i = 0; i < kLayerBytes; ++i) bytes[22 + layer * kLayerBytes + i] = layer == 3 ? 0 : 77;
  }
  WriteAll(dir / "3.num", bytes);

  map->Layers[4].fill(5);
  map->Load(3, dir.path());
  EXPECT_EQ(std::string(map->Name), "Jeskyne");
  EXPECT_FALSE(map->Passable(5, 6));
  EXPECT_FALSE(map->Passable(6, 5));
  EXPECT_TRUE(map->Passable(7, 7));
  EXPECT_TRUE(map->Passable(8, 8));
  EXPECT_TRUE(map->Passable(1, 1));
  EXPECT_EQ(map->Layers[1][TMap::IndexOf(2, 2)], 42);
  EXPECT_EQ(map->Layers[2][TMap::IndexOf(3, 3)], 43);
  EXPECT_EQ(map->Layers[4][0], 5);  // layers 5 and 6 of the file are never read
  EXPECT_EQ(map->Layers[5][0], 0);
}

TEST_F(MapTest, ShortAndMissingFilesFillAsFarAsTheyReach) {
  map->Layers[0].fill(120);
  std::copy_n("Old name", 9, map->Name);

  map->Load(7, dir.path());  // no such file: contents kept, passability still derived
  EXPECT_EQ(std::string(map->Name), "Old name");
  EXPECT_FALSE(map->Passable(1, 1));

  // 21 name bytes, the number, then 8 bytes of layer 1 = column 1, rows 1..8.
  std::vector<uint8_t> bytes(30, 0);
  std::copy_n("Short", 5, bytes.begin());
  for (int i = 22; i < 30; ++i) bytes[i] = 70;
  WriteAll(dir / "7.num", bytes);
  map->Load(7, dir.path());
  EXPECT_EQ(std::string(map->Name), "Short");
  EXPECT_EQ(map->Code(1, 8), 70);
  EXPECT_TRUE(map->Passable(1, 8));
  EXPECT_EQ(map->Code(1, 9), 120);
  EXPECT_FALSE(map->Passable(1, 9));

  WriteAll(dir / "8.num", {'A', 'B'});  // cut inside the name
  map->Load(8, dir.path());
  EXPECT_EQ(std::string(map->Name), "ABort");

  fs::create_directory(dir / "9.num");  // not a readable file at all
  map->Load(9, dir.path());
  EXPECT_EQ(std::string(map->Name), "ABort");
}

TEST_F(MapTest, SaveWritesAllLayersAndNumber) {
  map->Layers[5][TMap::IndexOf(80, 80)] = 6;
  map->Layers[3][0] = 1;
  map->Save(200, dir.path());
  std::vector<uint8_t> bytes = ReadAll(dir / "200.num");
  ASSERT_EQ(bytes.size(), 38422u);
  EXPECT_EQ(bytes[21], 200);
  EXPECT_EQ(bytes[FileOffset(3, 1, 1)], 1);
  EXPECT_EQ(bytes[38421], 6);
}

TEST_F(MapTest, FailedSavesReportNothingAndLeaveNoDebris) {
  map->Save(4, dir / "missing");  // cannot create: nothing written, nothing raised
  EXPECT_FALSE(fs::exists(dir / "missing"));

  fs::create_directory(dir / "5.num");  // the rename cannot replace a directory
  map->Save(5, dir.path());
  EXPECT_TRUE(fs::is_directory(dir / "5.num"));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST_F(MapTest, AFifoInAMapsPlaceIsNotWaitedOn) {
  KV_SKIP_ON_WINDOWS("Windows has no FIFOs");
  test::MakeFifo(dir / "6.num");
  std::copy_n("Kept", 5, map->Name);
  EXPECT_TRUE(test::ReturnsAtOnce([&] { map->Load(6, dir.path()); }, dir / "6.num"));
  EXPECT_EQ(std::string(map->Name), "Kept");
}

TEST_F(MapTest, AWriteThatFailsPartWayIsReportedAndKeepsTheOldFile) {
  KV_SKIP_ON_WINDOWS("Windows limits no process's file sizes, which stand in for a full disk");
  const std::vector<uint8_t> old(kMapFileBytes, 0x55);
  WriteAll(dir / "0.num", old);
  {
    test::FileSizeLimit full_disk(4096);
    try {
      map->Load(0, dir.path());
      ADD_FAILURE() << "the failed write went unreported";
    } catch (const Error& e) {
      EXPECT_EQ(std::string(e.what()), "Cannot write file " + (dir / "0.num"));
    }
  }
  // The map itself is whole: built and its passability derived.
  EXPECT_EQ(std::string(map->Name), "Test map");
  EXPECT_FALSE(map->Passable(17, 17));
  EXPECT_TRUE(map->Passable(19, 20));
  EXPECT_EQ(ReadAll(dir / "0.num"), old);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST(MapFileName, DecimalWithoutLeadingZeros) {
  EXPECT_EQ(TMap::FileName(0), fs::path("data/maps/0.num"));
  EXPECT_EQ(TMap::FileName(5), fs::path("data/maps/5.num"));
  EXPECT_EQ(TMap::FileName(255), fs::path("data/maps/255.num"));
}

TEST(MapCells, OutsideTheMapIsBlockedAndBlack) {
  auto map = std::make_unique<TMap>();
  map->Layers[kTileLayer].fill(7);
  map->ComputePassability();
  const int outside[][2] = {{0, 1},   {1, 0},       {81, 40},    {40, 81},
                            {-4, -2}, {INT_MIN, 5}, {5, INT_MAX}};
  for (const auto& p : outside) {
    EXPECT_FALSE(TMap::InMap(p[0], p[1]));
    EXPECT_EQ(map->Code(p[0], p[1]), kOutsideCode);
    EXPECT_FALSE(map->Passable(p[0], p[1]));
  }
  EXPECT_EQ(map->Code(1, 1), 7);
  EXPECT_EQ(map->Code(80, 80), 7);
  EXPECT_TRUE(map->Passable(80, 1));
}

}  // namespace
}  // namespace kv
