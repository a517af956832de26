#include "ingame/ingame.h"

#include <algorithm>
#include <optional>

#include "ingame/hero.h"
#include "ingame/map.h"
#include "ingame/pointer_sector.h"
#include "media/canvas.h"
#include "media/dxdraw.h"
#include "media/dxtimer.h"
#include "media/image_list.h"
#include "newgame/game_shell.h"
#include "newgame/newgame.h"
#include "platform/error.h"
#include "platform/paint.h"
#include "platform/platform.h"

namespace kv {
namespace {

constexpr int kViewColumns = 10;
constexpr int kViewRows = 9;
constexpr int kCellPixels = 100;
constexpr Point kHeroPicturePos{350, 176};
constexpr Rect kOptionsIconRect{5, 105, 45, 145};

struct InterfacePicture {
  const char* name;
  Rect rect;
};

constexpr InterfacePicture kInterface[] = {
    {"Down", {50, 505, 750, 600}},     {"LeftRight", {0, 0, 50, 600}},
    {"leftright", {750, 0, 800, 600}}, {"Down", {50, 0, 750, 5}},
    {"Save", {5, 5, 45, 45}},          {"Load", {5, 55, 45, 95}},
    {"Options", {5, 105, 45, 145}},    {"Exit", {5, 165, 45, 205}},
    {"QSave", {5, 405, 45, 445}},      {"QLoad", {5, 455, 45, 495}},
    {"Map", {5, 515, 45, 595}},        {"Tmap", {755, 515, 795, 595}},
};

constexpr Point kBottomBarSlots[] = {{51, 513}, {285, 513}, {519, 513}};

bool IsFloor(int code) {
  return code >= 88 && code < 112;
}
bool IsWall(int code) {
  return code >= 112 && code < 135;
}

}  // namespace

TIngame::TIngame(GameShell& shell) : shell_(shell) {}

TIngame::~TIngame() = default;

void TIngame::Enter() {
  shell_.Newgame().Active = false;
  Active = true;
  SubScreen = 0;
  BlinkPhase = 1;
  Hero = std::make_unique<THero>();
  Map = std::make_unique<TMap>();
  // The map's file is written last of all the new game's steps; when that fails the game still
  // starts, on the map in memory, and the failure is told once the game screen is up.
  std::optional<Error> map_not_written;
  try {
    StartNewGame();
  } catch (const Error& e) {
    map_not_written = e;
  }
  Hero->PosX = Hero->CellX;
  Hero->PosY = Hero->CellY;
  shell_.DXTimer().SetEnabled(true);
  Hero->Walking = false;
  shell_.platform().ShowCursor(false);
  DrawSubScreen();
  if (map_not_written) shell_.ReportError(*map_not_written);
}

void TIngame::StartNewGame() {
  Hero->CellX = 19;
  Hero->CellY = 20;
  Hero->Facing = kFaceSouth;
  Hero->StepPhase = 1;
  Hero->CopyCharacter(shell_.Newgame().Character);
  Map->Load(0, ChooseMapFolder(map_folders));
}

void TIngame::DrawView() {
  Surface& back = *shell_.DXDraw().BackSurface();
  TPictureCollection& base = shell_.Base().Items;
  const bool hero_inside = IsFloor(Map->Code(Hero->CellX, Hero->CellY));

  // View cell (i, j) shows map cell (ViewX + i, ViewY + j), both taken modulo 256, which is
  // (CellX - 5 + i, CellY - 3 + j) for every cell near the map's west and north edges too.
  const auto cell_code = [&](int i, int j) {
    return Map->Code(static_cast<uint8_t>(ViewX + i), static_cast<uint8_t>(ViewY + j));
  };
  const auto corner = [&](int i, int j) {
    return Point{-150 + kCellPixels * i + Hero->OffsetX, -94 + kCellPixels * j + Hero->OffsetY};
  };

  for (int i = 0; i < kViewColumns; ++i) {
    for (int j = 0; j < kViewRows; ++j) {
      const int k = cell_code(i, j);
      const Point at = corner(i, j);
      int picture = -1;
      if (k < 64) {
        picture = k + 16 * (BlinkPhase - 1);
      } else if (k < 88 || IsWall(k) || (IsFloor(k) && hero_inside)) {
        picture = k;
      }
      if (picture >= 0) {
        DrawPattern(base.Items(picture), back, at.x, at.y, 0);
      } else {
        // A cell that shows no picture is painted black, so nothing of an earlier frame
        // stays there.
        paint::FillRect(back.image(), {at.x, at.y, at.x + kCellPixels, at.y + kCellPixels},
                        Rgb(0, 0, 0), {0, 0, back.width(), back.height()});
      }
      if (i == 7 && j == 5) {
        DrawPattern(shell_.HeroFr().Items.Items(2 * Hero->Facing + Hero->StepPhase - 1), back,
                    kHeroPicturePos.x, kHeroPicturePos.y, 0);
      }
    }
  }

  // Upper parts of the walls go one cell higher and cover the hero.
  for (int i = 0; i < kViewColumns; ++i) {
    for (int j = 0; j < kViewRows; ++j) {
      if (!IsWall(cell_code(i, j))) continue;
      const Point at = corner(i, j);
      DrawPattern(base.Items(159), back, at.x, at.y - kCellPixels, 0);
    }
  }
}

void TIngame::DrawStatusLine() {
  TextCanvas& canvas = SurfaceCanvas(*shell_.DXDraw().BackSurface());
  // Face and style stay as the previous drawing on this canvas left them.
  canvas.font.size = 20;
  canvas.font.height_px = 0;
  canvas.font.color = 0;
  canvas.TextOut(10, 540, std::to_string(shell_.DXTimer().MeasuredFrameRate()) + " FPS");
  canvas.TextOut(150, 540, std::to_string(Hero->PosX));
  canvas.TextOut(200, 540, std::to_string(Hero->PosY));
  canvas.TextOut(350, 540, std::to_string(Hero->CellX));
  canvas.TextOut(400, 540, std::to_string(Hero->CellY));
  ReleaseCanvas(canvas);
}

void TIngame::RenderFrame() {
  ViewX = static_cast<uint8_t>(Hero->CellX - 5);
  ViewY = static_cast<uint8_t>(Hero->CellY - 3);
  DrawView();
  DrawInterface();
  UpdatePointer();
  DrawStatusLine();
  shell_.DXDraw().FlipDisplay();
  Hero->Step(*Map);
}

void TIngame::DrawSubScreen() {
  if (SubScreen == 0) {
    DrawInterface();
  } else if (SubScreen == 1) {
    shell_.DrawOptionsScreen();
  }
}

void TIngame::DrawInterface() {
  Surface& back = *shell_.DXDraw().BackSurface();
  TPictureCollection& pictures = shell_.IngameL().Items;
  for (const InterfacePicture& p : kInterface) {
    StretchPattern(pictures.FindItemByName(p.name), back, p.rect, 0);
  }
  TPictureCollectionItem& slot = shell_.Other().Items.Items(16);
  for (const Point& corner : kBottomBarSlots) DrawPattern(slot, back, corner.x, corner.y, 0);
}

void TIngame::MouseUp(Point p) {
  if (SubScreen == 0) {
    if (kOptionsIconRect.Contains(p)) {
      shell_.PlaySoundByName("Button");
      EnterOptions();
    }
  } else if (SubScreen == 1) {
    if (kNextButtonRect.Contains(p)) {
      shell_.PlaySoundByName("Button");
      SubScreen = 0;
      shell_.HideOptionsControls();
      DrawSubScreen();
      shell_.DXTimer().SetEnabled(true);
      shell_.platform().ShowCursor(false);
    }
  }
}

void TIngame::EnterOptions() {
  SubScreen = 1;
  shell_.DXTimer().SetEnabled(false);
  DrawSubScreen();
  // Leaves the show count at 0 whether the pointer was hidden (-1) or visible (0).
  if (shell_.platform().ShowCursor(true) != 0) shell_.platform().ShowCursor(false);
}

void TIngame::UpdatePointer() {
  if (SubScreen != 0) return;
  const Point p = shell_.platform().PointerPosition();
  const Sector sector = SectorAt(p);
  DrawPattern(shell_.IngameL().Items.FindItemByName(sector.picture), *shell_.DXDraw().BackSurface(),
              p.x, p.y, 0);
  PointerDirection = static_cast<uint8_t>(sector.direction);
}

}  // namespace kv
