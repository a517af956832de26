#include "newgame/intro.h"

#include <algorithm>
#include <string>

#include "newgame/game_shell.h"
#include "newgame/pages.h"
#include "platform/cp1250.h"

namespace kv {

const std::string& IntroPlaceholderText() {
  // Meaningless letter groups that only look like the language of the game: 397 characters,
  // shared by all ten pages until the story is written.
  static const std::string text = cp1250::FromUtf8(
      "Vlasty dřevné kromě šálků nedorem pluvát mezi trhy, ačkoli hořké zvony vadí "
      "souletům. Brod jinak překlá ždímal své kruvy, neboť přes šírák hlupnou jezuvce. "
      "Kdo zdobí tlamy, ten vždy prstí krajně; ostatní dlí v loupežných mlýnech a "
      "čichají zrnopas. Mávnou svrchní větry nad skalou Tavor, hřmí ulhané bránění, "
      "zlatý pramen se ředí do tisíce střípků. Lehce zřetí oheň klepá dveřmi, poutník "
      "tiše mlčí.");
  return text;
}

TIntro::TIntro(GameShell& shell) : shell_(shell) {}

void TIntro::Start() {
  Page = 1;
  FillIntroTexts();
  ShowPage(Page);
}

void TIntro::FillIntroTexts() {
  for (size_t i = 0; i < Texts.size(); ++i) {
    const std::string& text = Story[i].empty() ? IntroPlaceholderText() : Story[i];
    auto& page = Texts[i];
    page.fill('\0');
    std::copy_n(text.begin(), std::min(text.size(), page.size() - 1), page.begin());
  }
}

void TIntro::ShowPage(int page) {
  DrawIntroPage(shell_, *this, page);
}

}  // namespace kv
