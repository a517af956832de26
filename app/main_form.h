#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "media/dxdraw.h"
#include "media/dxinput.h"
#include "media/dxtimer.h"
#include "media/image_list.h"
#include "media/picture.h"
#include "media/wave_collection.h"
#include "newgame/game_shell.h"
#include "platform/controls.h"
#include "platform/platform.h"

namespace kv {

class TIngame;
class TNewgame;
class TIntro;

// The main window: its components and controls, the shell's globals, and the handlers through
// which every event and every tick enters the game.
class TMainF : public GameShell {
 public:
  explicit TMainF(Platform& platform);
  ~TMainF() override;
  TMainF(const TMainF&) = delete;
  TMainF& operator=(const TMainF&) = delete;

  // --- Components, in declaration order.
  TDXDraw DXDraw_;
  TWaveCollection Waves;
  SoundDevice DXSound;
  TDXImageList JPEGS_;
  TDXTimer DXTimer_;
  TDXImageList Other_;
  TDXInput DXInput;
  EditControl NEdit_;
  ListBox HistList_;
  ListBox SaveList_;
  TDXImageList Intro_;
  TDXImageList IngameL_;
  TDXImageList Base_;
  TDXImageList Add;
  TDXImageList Objects;
  TDXImageList HeroFr_;
  TrackBar SVolTrack;
  TrackBar MVolTrack;
  TrackBar HSpeedTrack;
  TrackBar GSpeedtrack;

  // Where FormCreate reads the data files from, and the player's own folder for the map where
  // the data folder's maps/ cannot be written. Both are set before the window is created.
  std::string data_folder = "data";
  std::string personal_map_folder;

  // --- The shell's globals.
  uint8_t MenuScreen = 0;
  uint8_t MenuHover = 0;
  bool CreditsHover = false;
  std::unique_ptr<TIngame> Ingame;
  std::unique_ptr<TNewgame> Newgame_;
  std::vector<std::unique_ptr<Picture>> InfoPictures;

  // --- Handlers.
  void FormCreate();
  void FormDestroy();
  void FormKeyDown(int key, KeyMods shift);
  void DXDrawMouseMove();
  void DXDrawMouseUp();
  void DXTimerTimer();
  void DXTimerActivate();
  // Draws the screen the player is on again, as it was (no new roll, no page-turn pause), with
  // one flip; the running game view is drawn as the menu screen, its next frame painting over.
  void ShowCurrentScreen();
  void GlobalTimerTimer();
  void NEditKeyUp(int key);
  void SVolTrackChange();

  // --- Shell operations.
  void ShowMenuScreen(int screen);
  void GoToCredits();
  void BackToMainMenu();
  void WipeAndClose();

  // The close the window asked for; the application ends the program after the running
  // handler returns.
  bool close_requested() const { return close_requested_; }
  void RequestClose() { close_requested_ = true; }
  bool fullscreen() const { return DXDraw_.doFullScreen; }
  void ShowTrackBar(TrackBar& bar, bool visible);

  // --- GameShell.
  Platform& platform() override { return platform_; }
  TDXDraw& DXDraw() override { return DXDraw_; }
  TDXTimer& DXTimer() override { return DXTimer_; }
  TDXImageList& JPEGS() override { return JPEGS_; }
  TDXImageList& Other() override { return Other_; }
  TDXImageList& Intro() override { return Intro_; }
  TDXImageList& IngameL() override { return IngameL_; }
  TDXImageList& Base() override { return Base_; }
  TDXImageList& HeroFr() override { return HeroFr_; }
  EditControl& NEdit() override { return NEdit_; }
  ListBox& HistList() override { return HistList_; }
  ListBox& SaveList() override { return SaveList_; }
  Picture& InfoPicture(int index) override;
  void ShowControl(EditControl& control, bool visible) override;
  void FocusControl(EditControl& control) override;
  TNewgame& Newgame() override { return *Newgame_; }
  void PlaySoundByName(std::string_view name) override;
  void DrawOptionsScreen() override;
  void HideOptionsControls() override;
  void EnterGame() override;
  void ReportError(const std::exception& error) override;

  // Where ReportError sends a failure: the application's error reporting, once it exists.
  std::function<void(const std::exception&)> report_error;

  // Every play request that reached a sound item, by name (UTF-8), for the state dump.
  std::vector<std::string> sounds_played;

 private:
  void SetUpControls();
  void SetUpInput();
  std::array<Control*, 7> ChildControls();

  Platform& platform_;
  bool close_requested_ = false;
  bool window_placement_saved_ = false;
};

}  // namespace kv
