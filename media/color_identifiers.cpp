#include <array>

#include "media/picture_collection.h"
#include "platform/cp1250.h"

namespace kv {
namespace {

struct NamedColor {
  std::string_view name;
  Color value;
};

constexpr std::array<NamedColor, 17> kNamedColors = {{
    {"clBlack", 0x000000},
    {"clMaroon", 0x000080},
    {"clGreen", 0x008000},
    {"clOlive", 0x008080},
    {"clNavy", 0x800000},
    {"clPurple", 0x800080},
    {"clTeal", 0x808000},
    {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},
    {"clLime", 0x00FF00},
    {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},
    {"clFuchsia", 0xFF00FF},
    {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},
    {"clNone", kClNone},
}};

// System colours n = 0..24, named in the order of their numbers.
constexpr std::array<std::string_view, 25> kSystemColorNames = {
    "clScrollBar",    "clBackground",  "clActiveCaption", "clInactiveCaption",
    "clMenu",         "clWindow",      "clWindowFrame",   "clMenuText",
    "clWindowText",   "clCaptionText", "clActiveBorder",  "clInactiveBorder",
    "clAppWorkSpace", "clHighlight",   "clHighlightText", "clBtnFace",
    "clBtnShadow",    "clGrayText",    "clBtnText",       "clInactiveCaptionText",
    "clBtnHighlight", "cl3DDkShadow",  "cl3DLight",       "clInfoText",
    "clInfoBk",
};

// What the system colours look like here: the grey, bevelled desktop scheme the game was
// drawn against, with navy title bars and pale yellow tool tips.
constexpr std::array<Color, 25> kSystemColorValues = {
    Rgb(212, 208, 200),  // scroll bar
    Rgb(58, 110, 165),   // desktop
    Rgb(10, 36, 106),    // active caption
    Rgb(128, 128, 128),  // inactive caption
    Rgb(212, 208, 200),  // menu
    Rgb(255, 255, 255),  // window
    Rgb(0, 0, 0),        // window frame
    Rgb(0, 0, 0),        // menu text
    Rgb(0, 0, 0),        // window text
    Rgb(255, 255, 255),  // caption text
    Rgb(212, 208, 200),  // active border
    Rgb(212, 208, 200),  // inactive border
    Rgb(128, 128, 128),  // application work space
    Rgb(10, 36, 106),    // highlight
    Rgb(255, 255, 255),  // highlight text
    Rgb(212, 208, 200),  // button face
    Rgb(128, 128, 128),  // button shadow
    Rgb(128, 128, 128),  // grey text
    Rgb(0, 0, 0),        // button text
    Rgb(212, 208, 200),  // inactive caption text
    Rgb(255, 255, 255),  // button highlight
    Rgb(64, 64, 64),     // 3-D dark shadow
    Rgb(212, 208, 200),  // 3-D light
    Rgb(0, 0, 0),        // info text
    Rgb(255, 255, 225),  // info background
};

}  // namespace

bool ColorFromIdentifier(std::string_view identifier, Color& value) {
  for (const NamedColor& named : kNamedColors) {
    if (cp1250::EqualAsciiNoCase(named.name, identifier)) {
      value = named.value;
      return true;
    }
  }
  for (size_t n = 0; n < kSystemColorNames.size(); ++n) {
    if (cp1250::EqualAsciiNoCase(kSystemColorNames[n], identifier)) {
      value = kSystemColorBase + static_cast<Color>(n);
      return true;
    }
  }
  return false;
}

Color ResolveColor(Color color) {
  if ((color & 0xFF000000u) != kSystemColorBase) return color;
  const Color n = color & 0x00FFFFFFu;
  // A system colour the platform does not know draws as black.
  return n < kSystemColorValues.size() ? kSystemColorValues[n] : 0;
}

}  // namespace kv
