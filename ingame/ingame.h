#pragma once

#include <cstdint>
#include <memory>

#include "ingame/map_folder.h"
#include "platform/geometry.h"

namespace kv {

class GameShell;
class THero;
class TMap;

// The game screen: the map view following the hero, the interface frame, the pointer and the
// status line, drawn on every frame-timer tick; and the way into the options screen.
class TIngame {
 public:
  explicit TIngame(GameShell& shell);
  ~TIngame();

  std::unique_ptr<THero> Hero;
  std::unique_ptr<TMap> Map;
  bool Active = false;
  uint8_t BlinkPhase = 0;
  uint8_t SubScreen = 0;
  uint8_t PointerDirection = 0;
  uint8_t ViewX = 0;
  uint8_t ViewY = 0;

  void Enter();
  void StartNewGame();
  void RenderFrame();
  void DrawSubScreen();
  void DrawInterface();
  void MouseUp(Point p);
  void EnterOptions();
  void UpdatePointer();

  // Where the map files may go; each entry into the game chooses between them.
  MapFolders map_folders{"data/maps", {}};

 private:
  void DrawView();
  void DrawStatusLine();

  GameShell& shell_;
};

}  // namespace kv
