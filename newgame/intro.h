#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace kv {

class GameShell;

// The ten intro pages read after character creation.
class TIntro {
 public:
  explicit TIntro(GameShell& shell);

  uint8_t Page = 0;
  std::array<std::array<char, 501>, 10> Texts{};
  // The story the data folder tells, page by page (code page 1250, up to 500 characters); an
  // empty page keeps the placeholder.
  std::array<std::string, 10> Story{};

  void Start();
  void ShowPage(int page);
  // Each page's story, or the placeholder where the data folder has none.
  void FillIntroTexts();

 private:
  GameShell& shell_;
};

// The placeholder text all ten pages share (code page 1250, 397 characters).
const std::string& IntroPlaceholderText();

}  // namespace kv
