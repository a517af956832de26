#include "platform/cp1250.h"

#include <gtest/gtest.h>

namespace kv {
namespace {

TEST(Cp1250Test, EveryDefinedByteSurvivesTheTripThroughUtf8) {
  for (int b = 1; b < 256; ++b) {
    const std::string one(1, static_cast<char>(b));
    std::string back;
    const bool defined = cp1250::ToUnicode(static_cast<uint8_t>(b)) != 0xFFFD;
    EXPECT_EQ(cp1250::FromUtf8(cp1250::ToUtf8(one), back), defined) << b;
    if (defined) {
      EXPECT_EQ(back, one) << b;
    }
  }
  EXPECT_EQ(cp1250::ToUtf8("\x8A\xE8"), "Šč");
  EXPECT_EQ(cp1250::ToUtf8("\x81"), "\xEF\xBF\xBD") << "undefined bytes show as U+FFFD";
  EXPECT_EQ(cp1250::FromUtf8("€ Ř"), "\x80 \xD8");
}

TEST(Cp1250Test, CharactersOutsideTheCodePageAreRefused) {
  std::string out;
  EXPECT_FALSE(cp1250::FromUtf8("a日ö\xEF\xBF\xBD", out));
  EXPECT_EQ(out, "a\xF6");
  EXPECT_EQ(cp1250::FromUnicode(U'ß'), 0xDF);
  EXPECT_EQ(cp1250::FromUnicode(U'ø'), -1);
  // Malformed UTF-8: a cut-off sequence, a stray continuation byte, a bad lead byte.
  std::string broken;
  EXPECT_FALSE(cp1250::FromUtf8("x\xC5", broken));
  EXPECT_FALSE(cp1250::FromUtf8("\x80y\xFFz\xE2\x82", broken));
  EXPECT_EQ(broken, "xyz");
}

TEST(Cp1250Test, CaseFoldsAccentedLettersByTheCodePage) {
  const std::pair<const char*, const char*> pairs[] = {
      {"Š", "š"}, {"Č", "č"}, {"Ž", "ž"}, {"Ř", "ř"}, {"Ł", "ł"}, {"Ľ", "ľ"}, {"Ą", "ą"}};
  for (auto [upper, lower] : pairs) {
    const auto u = static_cast<uint8_t>(cp1250::FromUtf8(upper)[0]);
    const auto l = static_cast<uint8_t>(cp1250::FromUtf8(lower)[0]);
    EXPECT_EQ(cp1250::ToLower(u), l) << upper;
    EXPECT_EQ(cp1250::ToUpper(l), u) << lower;
  }
  EXPECT_EQ(cp1250::ToLower(static_cast<uint8_t>(0xD7)), 0xD7) << "× is no letter";
  EXPECT_EQ(cp1250::ToUpper(static_cast<uint8_t>(0xDF)), 0xDF) << "ß has no capital here";
  EXPECT_TRUE(cp1250::EqualNoCase(cp1250::FromUtf8("ŠÍP Meč"), cp1250::FromUtf8("šíp MEČ")));
  EXPECT_FALSE(cp1250::EqualNoCase("Menu", "Menu2"));
  EXPECT_TRUE(cp1250::EqualAsciiNoCase("TJpegImage", "TJPEGIMAGE"));
  EXPECT_FALSE(cp1250::EqualAsciiNoCase(cp1250::FromUtf8("Š"), cp1250::FromUtf8("š")));
  EXPECT_TRUE(cp1250::SortsAfterFullStop('a'));
  EXPECT_FALSE(cp1250::SortsAfterFullStop('.'));
  EXPECT_FALSE(cp1250::SortsAfterFullStop(')'));
}

}  // namespace
}  // namespace kv
