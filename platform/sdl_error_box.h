#pragma once

#include <string>

struct SDL_Window;

namespace kv {

// SIGINT and SIGTERM end the game as a close of its window does (SDL's own handlers ask for
// it); on Windows so do the console's Ctrl+Break, its close, a log-off and a shutdown, which
// SDL leaves alone. A modal box, though, runs a loop of its own that no close reaches; while one is
// up the signals end the program at once, with exit status 1, and take the box down with it. Call
// once, after SDL is initialised.
void InstallSignalHandlers();

// The modal error box. Returns when the player dismissed it.
void ShowModalErrorBox(SDL_Window* parent, const std::string& title, const std::string& text);

}  // namespace kv
