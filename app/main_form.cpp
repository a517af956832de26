#include "app/main_form.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <optional>
#include <string>
#include <utility>

#include "app/data_folder.h"
#include "app/info_pictures.h"
#include "app/main_menu.h"
#include "app/options_screen.h"
#include "app/sword_cursor.h"
#include "ingame/hero.h"
#include "ingame/ingame.h"
#include "ingame/walk_input.h"
#include "media/canvas.h"
#include "newgame/intro.h"
#include "newgame/newgame.h"
#include "newgame/texts_file.h"
#include "platform/cp1250.h"
#include "platform/error.h"
#include "platform/font_folders.h"
#include "platform/utf8_path.h"

namespace kv {
namespace {

constexpr Color kYellow = Rgb(255, 255, 0);
constexpr Color kLime = Rgb(0, 255, 0);

// Loads one data file; a failure names the file, so the player knows which one to look at.
template <typename Load>
void LoadDataFile(const std::string& path, const Load& load) {
  try {
    load(path);
  } catch (const Error& e) {
    throw FileError(path, e.what(), e.detail());
  } catch (const std::exception& e) {
    throw FileError(path, e.what());
  }
}

// The data folder's texts over what the pages show without them.
void UseGameTexts(const GameTexts& texts, TNewgame& newgame) {
  for (size_t page = 0; page < texts.intro.size(); ++page) {
    if (texts.intro[page]) newgame.Intro->Story[page] = *texts.intro[page];
  }
  newgame.Intro->FillIntroTexts();
  for (size_t entry = 0; entry < texts.info.size(); ++entry) {
    if (!texts.info[entry]) continue;
    auto& field = newgame.InfoTexts[entry];
    field.fill('\0');
    std::copy_n(texts.info[entry]->begin(), std::min(texts.info[entry]->size(), field.size() - 1),
                field.begin());
  }
}

}  // namespace

TMainF::TMainF(Platform& platform)
    : DXDraw_(platform),
      JPEGS_(&DXDraw_),
      DXTimer_(platform),
      Other_(&DXDraw_),
      DXInput(platform),
      Intro_(&DXDraw_),
      IngameL_(&DXDraw_),
      Base_(&DXDraw_),
      Add(&DXDraw_),
      Objects(&DXDraw_),
      HeroFr_(&DXDraw_),
      platform_(platform) {
  DXSound.mixer = platform.sound();
  DXSound.sleep = [this](uint32_t ms) { platform_.Sleep(ms); };
  DXSound.on_play = [this](const std::string& name) {
    sounds_played.push_back(cp1250::ToUtf8(name));
  };
  Waves.Attach(&DXSound);

  DXTimer_.Interval = 0;
  DXTimer_.ActiveOnly = true;
  DXTimer_.OnTimer = [this](int) { DXTimerTimer(); };
  DXTimer_.OnActivate = [this] { DXTimerActivate(); };

  SetUpInput();
  SetUpControls();
}

TMainF::~TMainF() {
  // The sounds give their voices back while the device description they use still exists.
  Waves.Attach(nullptr);
  // The platform outlives the window; its control host must not keep our controls.
  ControlHost& host = platform_.controls();
  for (Control* c : ChildControls()) {
    host.Remove(c);
  }
}

std::array<Control*, 7> TMainF::ChildControls() {
  return {&NEdit_, &HistList_, &SaveList_, &SVolTrack, &MVolTrack, &HSpeedTrack, &GSpeedtrack};
}

void TMainF::SetUpInput() {
  DXInput.ActiveOnly = true;
  DXInput.KeyboardAssigns[isUp] = {vk::Letter('K'), vk::kUp, vk::kNumpad8};
  DXInput.KeyboardAssigns[isDown] = {vk::Letter('J'), vk::kDown, vk::kNumpad2};
  DXInput.KeyboardAssigns[isLeft] = {vk::Letter('H'), vk::kLeft, vk::kNumpad4};
  DXInput.KeyboardAssigns[isRight] = {vk::Letter('L'), vk::kRight, vk::kNumpad6};
  DXInput.KeyboardAssigns[isButton1] = {vk::Letter('Z'), vk::kSpace, 0};
  DXInput.KeyboardAssigns[isButton1 + 1] = {vk::Letter('X'), vk::kReturn, 0};
  DXInput.KeyboardAssigns[isButton1 + 8] = {vk::kF2, 0, 0};
  DXInput.JoystickEnabled = true;
  DXInput.JoystickBindInputStates = true;
  DXInput.RangeX = DXInput.RangeY = DXInput.RangeZ = 1000;
  DXInput.DeadZoneX = DXInput.DeadZoneY = DXInput.DeadZoneZ = 50;
}

void TMainF::SetUpControls() {
  // Two pixels deeper than the stored 41: the page draws the name it replaces from y = 230 in
  // Elixir 25, whose descenders (the default name's "ý") reach down to y = 272, and they must
  // not hang out under the field's box.
  NEdit_.bounds = {205, 230, 205 + 390, 230 + 43};
  NEdit_.background = Rgb(0, 0, 0);
  NEdit_.font = FontDesc{"Elixir", 0, 33, kLime, true};
  NEdit_.max_length = 20;
  NEdit_.SetText("NEdit");
  NEdit_.on_key_up = [this](int key) { NEditKeyUp(key); };

  const FontDesc list_font{"Elixir", 0, 21, kYellow, true};
  HistList_.bounds = {57, 285, 57 + 229, 285 + 116};
  HistList_.font = list_font;
  HistList_.row_height = 21;
  HistList_.background = Rgb(255, 255, 255);
  HistList_.rows = {cp1250::FromUtf8("200 zlatých"), cp1250::FromUtf8("Široký Meč"),
                    cp1250::FromUtf8("Šupinová Zbroj"), cp1250::FromUtf8("2 Léčivé Lektvary")};
  SaveList_.bounds = {507, 285, 507 + 229, 285 + 116};
  SaveList_.font = list_font;
  SaveList_.row_height = 21;
  SaveList_.background = Rgb(255, 255, 255);
  SaveList_.rows = {cp1250::FromUtf8("100 zlatých"), cp1250::FromUtf8("Elfská dýka"),
                    cp1250::FromUtf8("Dlouhý Luk"), cp1250::FromUtf8("Ocelový Štít")};

  struct TrackSetting {
    TrackBar* bar;
    int left, top, max, position, line, page, frequency;
    bool auto_ticks;
  };
  const TrackSetting settings[] = {
      {&GSpeedtrack, 90, 200, 5, 5, 8, 2, 5, false},
      {&SVolTrack, 505, 200, 40, 5, 1, 2, 40, true},
      {&HSpeedTrack, 90, 300, 4, 2, 1, 2, 10, true},
      {&MVolTrack, 505, 300, 10, 5, 1, 2, 1, true},
  };
  for (const auto& s : settings) {
    s.bar->bounds = {s.left, s.top, s.left + 220, s.top + 40};
    s.bar->min = 0;
    s.bar->max = s.max;
    s.bar->line_size = s.line;
    s.bar->page_size = s.page;
    s.bar->frequency = s.frequency;
    s.bar->auto_ticks = s.auto_ticks;
    s.bar->thumb_length = 25;
    s.bar->SetPosition(s.position);
  }
  SVolTrack.selection_start = 10;
  SVolTrack.selection_end = 10;
  // The change handler is connected after the initial positions, as a stored form does.
  SVolTrack.on_change = [this] { SVolTrackChange(); };

  ControlHost& host = platform_.controls();
  for (Control* c : ChildControls()) {
    c->visible = false;
    host.Add(c);
  }
}

void TMainF::FormCreate() {
  // A game that brings its own stand-in faces shows them, on a system that has none as well.
  platform_.fonts().LookForStandInsIn(FontSearchFolders(data_folder));
  const std::string font_file = DataFilePath(data_folder, "Elixir.ttf");
  if (!platform_.fonts().RegisterFile("Elixir", font_file)) {
    // Not an error: the stand-in face shows every text. One line says why it looks different.
    std::fprintf(stderr, "kervana: %s missing or unreadable; using a stand-in face\n",
                 font_file.c_str());
  }

  const std::pair<TDXImageList*, const char*> collections[] = {
      {&JPEGS_, "graphic1.dat"},   {&Other_, "graphic2.dat"}, {&Intro_, "intro.dat"},
      {&IngameL_, "graphic3.dat"}, {&Base_, "base.dat"},      {&Add, "add.dat"},
      {&Objects, "objects.dat"},   {&HeroFr_, "hero.dat"},
  };
  for (const auto& [list, name] : collections) {
    TDXImageList* into = list;
    LoadDataFile(DataFilePath(data_folder, name),
                 [into](const std::string& file) { into->Items.LoadCollectionFile(file); });
  }
  LoadDataFile(DataFilePath(data_folder, "sound.dat"),
               [this](const std::string& file) { Waves.LoadCollectionFile(file); });
  // Older data folders have no texts file: their pages keep what they always showed.
  const std::optional<GameTexts> texts = LoadGameTexts(DataFilePath(data_folder, "texts.txt"));

  JPEGS_.Items.BuildColorTable();
  DXDraw_.ColorTable = JPEGS_.Items.ColorTable;
  DXDraw_.DefaultColorTable = JPEGS_.Items.ColorTable;

  platform_.SetCursorImage(LoadSwordCursor("defcur"));

  Ingame = std::make_unique<TIngame>(*this);
  Newgame_ = std::make_unique<TNewgame>(*this);
  Ingame->Active = false;
  Newgame_->Active = false;
  Newgame_->Intro = new TIntro(*this);
  Ingame->map_folders = {Utf8Path(DataFilePath(data_folder, "maps")),
                         Utf8Path(personal_map_folder)};

  HistList_.background = Rgb(140, 95, 50);
  SaveList_.background = Rgb(140, 95, 50);

  platform_.controls().Show(NEdit_, false);

  for (int i = 0; i < 6; ++i) InfoPictures.push_back(MakeEmptyPicture());
  for (int i = 0; i < 5; ++i) InfoPictures.push_back(MakeEmptyPicture());
  UseInfoPictures(Other_.Items, InfoPictures);
  Newgame_->Intro->FillIntroTexts();
  if (texts) UseGameTexts(*texts, *Newgame_);
}

void TMainF::FormDestroy() {
  Ingame.reset();
  if (Newgame_) {
    delete Newgame_->Intro;
    Newgame_->Intro = nullptr;
  }
  Newgame_.reset();
}

void TMainF::DXTimerActivate() {
  // Coming back shows the screen the player is on. The main menu, the credits and the running
  // game view are all drawn as the menu screen: the game's next frame paints over the menu.
  ShowCurrentScreen();
}

void TMainF::ShowCurrentScreen() {
  const bool playing = Ingame && Ingame->Active;
  const bool on_options = playing ? Ingame->SubScreen == 1 : MenuScreen == 3;
  if (Newgame_ && Newgame_->Active) {
    Newgame_->Redraw();
  } else if (on_options) {
    DrawOptionsScreen();
  } else {
    ShowMenuScreen(MenuScreen);
  }
}

void TMainF::DXDrawMouseMove() {
  const Point p = platform_.PointerPosition();
  if ((Newgame_ && Newgame_->Active) || (Ingame && Ingame->Active)) return;
  if (MenuScreen == 0) {
    MainMenuMouseMove(*this, p);
  } else if (MenuScreen == 1) {
    CreditsMouseMove(*this, p);
  }
}

void TMainF::DXDrawMouseUp() {
  // Each step tests the mode flags as the steps before it left them, so one release can act
  // on two screens; nothing returns early, not even a release that closes the window.
  Point p = platform_.PointerPosition();
  if (Ingame && Newgame_ && !Ingame->Active && !Newgame_->Active) {
    if (MenuScreen == 0) {
      MainMenuMouseUp(*this, p);
    } else if (MenuScreen == 1) {
      CreditsMouseUp(*this, p);
    } else if (MenuScreen == 3) {
      OptionsMouseUp(*this, p);
    }
  }
  if (Newgame_ && Newgame_->Active) {
    p = platform_.PointerPosition();
    Newgame_->HandleClick(p);
  }
  if (Ingame && Ingame->Active) {
    p = platform_.PointerPosition();
    Ingame->MouseUp(p);
  }
}

void TMainF::DXTimerTimer() {
  DXInput.PollInput();
  THero& hero = *Ingame->Hero;
  const bool mouse_held = platform_.KeyIsDown(vk::kLButton);
  ApplyWalkInput(hero, DXInput.Held(isUp), DXInput.Held(isDown), DXInput.Held(isLeft),
                 DXInput.Held(isRight), mouse_held, Ingame->PointerDirection);
  Ingame->RenderFrame();
}

void TMainF::GlobalTimerTimer() {
  if (!Ingame) return;
  Ingame->BlinkPhase = Ingame->BlinkPhase == 4 ? 1 : Ingame->BlinkPhase + 1;
  if (Ingame->Active && Ingame->Hero) Ingame->Hero->AnimateStep();
}

void TMainF::FormKeyDown(int key, KeyMods shift) {
  if (key == vk::kEscape) WipeAndClose();
  if (key == vk::kReturn && shift.alt) {
    // The display comes back with new surfaces; their canvases keep the faces they had, so the
    // status line does not change its face with the switch.
    const FontDesc front_font = DXDraw_.FrontSurface()->canvas().font;
    const FontDesc back_font = DXDraw_.BackSurface()->canvas().font;
    DXDraw_.CloseDisplay();
    platform_.ShowCursor(true);
    if (DXDraw_.doFullScreen) {
      if (window_placement_saved_) platform_.RestoreWindowPlacement();
      DXDraw_.doFullScreen = false;
    } else {
      platform_.SaveWindowPlacement();
      window_placement_saved_ = true;
      DXDraw_.doFullScreen = true;
    }
    DXDraw_.OpenDisplay();
    DXDraw_.FrontSurface()->canvas().font = front_font;
    DXDraw_.BackSurface()->canvas().font = back_font;
    platform_.ShowCursor(false);
    // The new display starts black: the screen the player is on is drawn again at once, but for
    // the running game view, whose next frame draws it.
    if (!(Ingame && Ingame->Active && Ingame->SubScreen == 0)) ShowCurrentScreen();
  }
}

void TMainF::WipeAndClose() {
  Surface* front = DXDraw_.FrontSurface();
  if (front) {
    for (int y = 0; y < 600; ++y) {
      TextCanvas& canvas = SurfaceCanvas(*front);
      canvas.pen_color = Rgb(0, 0, 0);
      canvas.MoveTo(0, y);
      canvas.LineTo(800, y);
      ReleaseCanvas(canvas);
    }
  }
  RequestClose();
}

void TMainF::NEditKeyUp(int key) {
  if (key == vk::kReturn && Newgame_) Newgame_->ConfirmName();
}

void TMainF::SVolTrackChange() {
  TWaveCollectionItem& item = Waves.Items(0);
  item.SetPlayVolume(600);
  item.SetPlayFrequency(10);
  item.PlayItem(true);
}

void TMainF::ShowMenuScreen(int screen) {
  if (Surface* front = DXDraw_.FrontSurface()) FillSurface(*front, 0);
  if (screen == 0) {
    DrawMainMenu(*this);
  } else if (screen == 1) {
    DrawCredits(*this);
  }
}

void TMainF::GoToCredits() {
  MenuScreen = 1;
  ShowMenuScreen(1);
}

void TMainF::BackToMainMenu() {
  MenuScreen = 0;
  ShowMenuScreen(0);
}

Picture& TMainF::InfoPicture(int index) {
  if (index < 0 || index >= static_cast<int>(InfoPictures.size())) {
    throw Error(Format("List index out of bounds (%d)", index));
  }
  return *InfoPictures[static_cast<size_t>(index)];
}

void TMainF::ShowControl(EditControl& control, bool visible) {
  platform_.controls().Show(control, visible);
}

void TMainF::FocusControl(EditControl& control) {
  platform_.controls().Focus(control);
}

void TMainF::ShowTrackBar(TrackBar& bar, bool visible) {
  platform_.controls().Show(bar, visible);
}

void TMainF::PlaySoundByName(std::string_view name) {
  Waves.FindItemByName(name).PlayItem(false);
}

void TMainF::DrawOptionsScreen() {
  kv::DrawOptionsScreen(*this);
}

void TMainF::HideOptionsControls() {
  ShowTrackBar(MVolTrack, false);
  ShowTrackBar(SVolTrack, false);
  ShowTrackBar(HSpeedTrack, false);
  ShowTrackBar(GSpeedtrack, false);
}

void TMainF::EnterGame() {
  Ingame->Enter();
}

void TMainF::ReportError(const std::exception& error) {
  if (report_error) report_error(error);
}

}  // namespace kv
