// Opening files for reading (regular files only, never waiting) and writing them whole or not at
// all.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <future>
#include <string>
#include <vector>

#include "platform/regular_file.h"
#include "platform/replace_file.h"
#include "support/test_support.h"

namespace kv {
namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> Bytes(const std::string& text) {
  return {text.begin(), text.end()};
}

void WriteText(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

size_t EntriesIn(const fs::path& dir) {
  return static_cast<size_t>(std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
}

TEST(RegularFile, OnlyRegularFilesOpenAndNothingElseIsWaitedFor) {
  test::TempDir dir;
  WriteText(dir / "data.dat", "abcdef");
  fs::create_directory(dir / "folder.dat");

  const auto read = [](const std::string& path) { return ReadRegularFile(path, 100); };
  EXPECT_EQ(read(dir / "data.dat"), Bytes("abcdef"));
  EXPECT_EQ(ReadRegularFile(dir / "data.dat", 4), Bytes("abcd"));
  EXPECT_EQ(read(dir / "missing.dat"), std::nullopt);
  EXPECT_EQ(read(dir / "folder.dat"), std::nullopt);
#ifdef _WIN32
  EXPECT_EQ(read("NUL"), std::nullopt) << "a device is no file to read";
#else
  fs::create_symlink(dir / "data.dat", dir / "link.dat");
  EXPECT_EQ(read(dir / "link.dat"), Bytes("abcdef")) << "a link to a file is that file";
  EXPECT_EQ(read("/dev/zero"), std::nullopt) << "a device never ends; it must not be read";

  test::MakeFifo(dir / "fifo.dat");
  std::optional<std::vector<uint8_t> > from_fifo = Bytes("unset");
  EXPECT_TRUE(test::ReturnsAtOnce([&] { from_fifo = read(dir / "fifo.dat"); }, dir / "fifo.dat"));
  EXPECT_EQ(from_fifo, std::nullopt);
#endif

  std::FILE* file = OpenRegularFile(dir / "data.dat");
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(std::fgetc(file), 'a');
  std::fclose(file);
}

TEST(ReplaceFile, TheNewFileTakesTheNameWholeAndNothingElseStays) {
  test::TempDir dir;
  const std::string path = dir / "map.num";
  WriteText(path, "old contents, longer than the new");
  EXPECT_EQ(ReplaceFile(path, Bytes("new")), WriteResult::kWritten);
  EXPECT_EQ(test::ReadText(path), "new");
#ifndef _WIN32  // a Windows file's rights are lists of its own, not modes
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
#endif
  EXPECT_EQ(ReplaceFile(path, Bytes("newer")), WriteResult::kWritten);
#ifndef _WIN32
  EXPECT_EQ(fs::status(path).permissions(), fs::perms::owner_read | fs::perms::owner_write)
      << "a file replaced keeps who may read and write it";
#endif
  EXPECT_EQ(ReplaceFile(dir / "empty", {}), WriteResult::kWritten);
  EXPECT_EQ(fs::file_size(dir / "empty"), 0u);
  EXPECT_EQ(EntriesIn(dir.path()), 2u);
}

TEST(ReplaceFile, AFailedWriteKeepsTheOldFileWhole) {
  KV_SKIP_ON_WINDOWS("Windows limits no process's file sizes, which stand in for a full disk");
  test::TempDir dir;
  const std::string path = dir / "map.num";
  WriteText(path, "the good old file");
  {
    test::FileSizeLimit full_disk(1000);
    EXPECT_EQ(ReplaceFile(path, std::vector<uint8_t>(5000, 'x')), WriteResult::kWriteFailed);
  }
  EXPECT_EQ(test::ReadText(path), "the good old file");
  EXPECT_EQ(EntriesIn(dir.path()), 1u) << "no half-written temporary file stays behind";
}

TEST(ReplaceFile, WhatCannotBeCreatedIsToldApart) {
  test::TempDir dir;
  EXPECT_EQ(ReplaceFile(dir / "no/such/dir/0.num", Bytes("x")), WriteResult::kCannotCreate);
  fs::create_directory(dir / "0.num");
  EXPECT_EQ(ReplaceFile(dir / "0.num", Bytes("x")), WriteResult::kCannotCreate);
  EXPECT_TRUE(fs::is_directory(dir / "0.num"));
  EXPECT_EQ(EntriesIn(dir.path()), 1u);
}

TEST(ReplaceFile, AFifoInTheFilesPlaceIsReplacedNotWaitedOn) {
  KV_SKIP_ON_WINDOWS("Windows has no FIFOs");
  test::TempDir dir;
  test::MakeFifo(dir / "0.num");
  WriteResult result = WriteResult::kCannotCreate;
  EXPECT_TRUE(test::ReturnsAtOnce([&] { result = ReplaceFile(dir / "0.num", Bytes("map")); },
                                  dir / "0.num"));
  EXPECT_EQ(result, WriteResult::kWritten);
  EXPECT_TRUE(fs::is_regular_file(dir / "0.num"));
  EXPECT_EQ(test::ReadText(dir / "0.num"), "map");
}

TEST(ReplaceFile, OnlyItsOwnTemporariesLeftByProgramsGoneAreRemoved) {
  test::TempDir dir;
  const std::string gone = std::to_string(test::GoneProcessId());
  const std::string live = std::to_string(test::OtherLiveProcessId());
  const std::vector<std::string> removed = {"map.num.tmp" + gone, "map.num.tmp99999999"};
  std::vector<std::string> kept = {"map.num.tmp" + live,       "other.num.tmp" + gone,
                                   "map.num.tmp" + gone + "x", "map.num.tmp",
                                   "map.num.tmp0" + gone,      "xmap.num.tmp" + gone,
                                   "map.num.tmp-" + gone,      "map.num.tmp99999999999999999999"};
#ifndef _WIN32  // process 1, the system's first, runs as long as the system does
  kept.push_back("map.num.tmp1");
#endif
  for (const auto& name : removed) WriteText(dir / name, "left by a killed program");
  for (const auto& name : kept) WriteText(dir / name, "someone's");
  fs::create_directory(dir / "folder");
  fs::create_directory(dir / "folder/0.num.tmp99999999");
#ifndef _WIN32  // making a link on Windows takes a right that players do not have
  fs::create_symlink(dir / "map.num", dir / "folder/0.num.tmp99999998");
#endif

  EXPECT_EQ(ReplaceFile(dir / "map.num", Bytes("map")), WriteResult::kWritten);
  EXPECT_EQ(ReplaceFile(dir / "folder/0.num", Bytes("map")), WriteResult::kWritten);
  for (const auto& name : removed) EXPECT_FALSE(fs::exists(dir / name)) << name;
  for (const auto& name : kept) EXPECT_EQ(test::ReadText(dir / name), "someone's") << name;
  EXPECT_TRUE(fs::is_directory(dir / "folder/0.num.tmp99999999")) << "only files are removed";
#ifndef _WIN32
  EXPECT_TRUE(fs::is_symlink(dir / "folder/0.num.tmp99999998")) << "only files are removed";
#endif
  EXPECT_EQ(test::ReadText(dir / "map.num"), "map") << "the link was not followed";
}

TEST(WriteOutputFile, FilesAreReplacedAndLinksFollowed) {
  test::TempDir dir;
  WriteText(dir / "shot.png", "old");
#ifdef _WIN32  // making a link on Windows takes a right that players do not have
  EXPECT_EQ(WriteOutputFile(dir / "shot.png", Bytes("new")), WriteResult::kWritten);
  WriteText(dir / "latest.png", "");
#else
  fs::create_symlink(dir / "shot.png", dir / "latest.png");
  EXPECT_EQ(WriteOutputFile(dir / "latest.png", Bytes("new")), WriteResult::kWritten);
  EXPECT_TRUE(fs::is_symlink(dir / "latest.png"));
#endif
  EXPECT_EQ(test::ReadText(dir / "shot.png"), "new");
  EXPECT_EQ(WriteOutputFile(dir / "fresh.json", Bytes("{}")), WriteResult::kWritten);
  EXPECT_EQ(test::ReadText(dir / "fresh.json"), "{}");
  EXPECT_EQ(WriteOutputFile(dir.path().string(), Bytes("x")), WriteResult::kCannotCreate);
  EXPECT_EQ(EntriesIn(dir.path()), 3u);
}

TEST(StandardOutput, ALostWriteIsSeenAndSoIsItsFinalFlush) {
  {
    test::FailingStandardOutput full;
    EXPECT_FALSE(WriteStandardOutput("{\"count\": 2}\n"));
  }
  {
    test::FailingStandardOutput full;
    std::fputs("left in the buffer", stdout);
    EXPECT_FALSE(FinishStandardOutput());
  }
}

}  // namespace
}  // namespace kv
