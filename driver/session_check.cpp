#include "driver/session_check.h"

#include "driver/printable.h"

#include <charconv>
#include <cstdio>

#include "app/main_form.h"
#include "ingame/hero.h"
#include "ingame/ingame.h"
#include "newgame/intro.h"
#include "newgame/newgame.h"

namespace kv {
namespace {

constexpr uint64_t kFnvOffset = 0xcbf29ce484222325ULL;
constexpr uint64_t kFnvPrime = 0x100000001b3ULL;
constexpr int kIntroPage = 4;  // the creation page that shows the intro

constexpr std::string_view kScreens[] = {"menu",  "credits", "options",     "creation",
                                         "intro", "game",    "game-options"};

std::string PointText(const std::optional<Point>& p) {
  return p ? std::to_string(p->x) + "," + std::to_string(p->y) : "none";
}

std::string HashText(uint64_t hash) {
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
  return text;
}

template <typename T>
bool ParseNumber(std::string_view text, T& value, int base = 10) {
  if (text.empty() || text.front() == '+') return false;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value, base);
  return result.ec == std::errc() && result.ptr == text.data() + text.size();
}

bool ParsePoint(std::string_view text, std::optional<Point>& point) {
  const size_t comma = text.find(',');
  int x = 0;
  int y = 0;
  if (comma == std::string_view::npos || !ParseNumber(text.substr(0, comma), x) ||
      !ParseNumber(text.substr(comma + 1), y)) {
    return false;
  }
  point = Point{x, y};
  return true;
}

}  // namespace

uint64_t PixelHash(const Image565& image) {
  uint64_t hash = kFnvOffset;
  const auto mix = [&hash](uint64_t value) { hash = (hash ^ value) * kFnvPrime; };
  mix(static_cast<uint64_t>(image.width));
  mix(static_cast<uint64_t>(image.height));
  for (const uint16_t pixel : image.pixels) mix(pixel);
  return hash;
}

SessionCheck CheckOf(TMainF& form) {
  SessionCheck check;
  const TIngame& ingame = *form.Ingame;
  const TNewgame& newgame = *form.Newgame_;
  if (ingame.Active) {
    check.screen = ingame.SubScreen == 1 ? "game-options" : "game";
    if (ingame.Hero) {
      check.cell = Point{ingame.Hero->CellX, ingame.Hero->CellY};
      check.pos = Point{ingame.Hero->PosX, ingame.Hero->PosY};
    }
  } else if (newgame.Active) {
    const bool intro = newgame.Page == kIntroPage && newgame.Intro != nullptr;
    check.screen = intro ? "intro" : "creation";
    check.page = intro ? newgame.Intro->Page : newgame.Page;
  } else {
    check.screen = form.MenuScreen == 1 ? "credits" : form.MenuScreen == 3 ? "options" : "menu";
  }
  if (form.DXDraw().initialized()) check.front = PixelHash(form.DXDraw().FrontSurface()->image());
  return check;
}

std::string CheckText(const SessionCheck& check) {
  std::string text = "screen=" + check.screen + " page=" + std::to_string(check.page);
  if (check.cell) text += " cell=" + PointText(check.cell);
  if (check.pos) text += " pos=" + PointText(check.pos);
  return text + " front=" + HashText(check.front);
}

std::optional<SessionCheck> ParseCheck(std::string_view words, std::string& problem) {
  SessionCheck check;
  bool screen = false;
  bool page = false;
  bool front = false;
  while (!words.empty()) {
    const size_t blank = words.find_first_of(" \t");
    const std::string_view word = words.substr(0, blank);
    words = blank == std::string_view::npos ? std::string_view{} : words.substr(blank + 1);
    if (word.empty()) continue;
    const size_t equals = word.find('=');
    const std::string_view name = word.substr(0, equals);
    const std::string_view value =
        equals == std::string_view::npos ? std::string_view{} : word.substr(equals + 1);
    bool read = false;
    if (name == "screen" && !screen) {
      for (std::string_view known : kScreens) read = read || value == known;
      check.screen = std::string(value);
      screen = true;
    } else if (name == "page" && !page) {
      read = ParseNumber(value, check.page) && check.page >= 0 && check.page <= 255;
      page = true;
    } else if (name == "cell" && !check.cell) {
      read = ParsePoint(value, check.cell);
    } else if (name == "pos" && !check.pos) {
      read = ParsePoint(value, check.pos);
    } else if (name == "front" && !front) {
      read = value.size() == 16 && value.front() != '-' && ParseNumber(value, check.front, 16);
      front = true;
    }
    if (!read) return problem = "unreadable check field '" + Printable(word) + "'", std::nullopt;
  }
  if (!screen || !page || !front)
    return problem = "a check needs screen, page and front", std::nullopt;
  return check;
}

std::optional<CheckMismatch> FirstMismatch(const SessionCheck& expected,
                                           const SessionCheck& found) {
  if (expected.screen != found.screen)
    return CheckMismatch{"screen", expected.screen, found.screen};
  if (expected.page != found.page) {
    return CheckMismatch{"page", std::to_string(expected.page), std::to_string(found.page)};
  }
  if (expected.cell != found.cell) {
    return CheckMismatch{"cell", PointText(expected.cell), PointText(found.cell)};
  }
  if (expected.pos != found.pos) {
    return CheckMismatch{"pos", PointText(expected.pos), PointText(found.pos)};
  }
  if (expected.front != found.front) {
    return CheckMismatch{"front", HashText(expected.front), HashText(found.front)};
  }
  return std::nullopt;
}

}  // namespace kv
