// File names with letters beyond ASCII, as players name their folders: the way into
// std::filesystem and back must keep them, on Windows as well, where a plain string is read in
// another code page.
#include "platform/utf8_path.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/test_support.h"

namespace kv {
namespace {

// A name made into a path reaches the system with its letters, and a folder made under it is
// found and listed under the same name.
TEST(Utf8Path, AFolderMadeUnderItsNameIsFoundAndListedUnderIt) {
#ifdef _WIN32
  EXPECT_EQ(Utf8Path("Kervaná").native(), L"Kervan\u00e1");
#else
  EXPECT_EQ(Utf8Path("Kervaná").native(), "Kervaná");
#endif
  test::TempDir dir;
  for (const char* name : {"Kervaná", "Šťastný Žluťoučký kůň"}) {
    const std::filesystem::path folder = dir.path() / Utf8Path(name);
    ASSERT_TRUE(std::filesystem::create_directory(folder)) << name;
    EXPECT_TRUE(std::filesystem::is_directory(Utf8Path(Utf8Name(folder)))) << name;
  }
  int listed = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
    const std::string name = Utf8Name(entry.path().filename());
    EXPECT_TRUE(name == "Kervaná" || name == "Šťastný Žluťoučký kůň") << name;
    ++listed;
  }
  EXPECT_EQ(listed, 2);
}

}  // namespace
}  // namespace kv
