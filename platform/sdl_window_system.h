#pragma once

#include <string>

#include "platform/geometry.h"

struct SDL_Window;

namespace kv::window_system {

// Chooses among SDL's video drivers before SDL starts, where the system leaves a choice to make.
void ChooseVideoDriver();

// Why SDL could not open a window, in the words a player of this system knows.
std::string NoDisplayReason();

// Whether a graphics card can render the picture, found without loading a graphics driver.
bool GraphicsCardPresent();

// What only the window system behind an SDL window knows, asked of it directly: SDL's own
// answers lag behind or are missing on some systems. Each answer falls back on SDL's view where
// the system has nothing better to say.

// Whether a window manager looks after the windows (it then places them itself, and honours
// the full-screen request). Other window systems always have one.
bool WindowManagerRuns(SDL_Window* window);

// Whether full screen is switched outside the program, as a browser's is by the page around
// the game: the program's own switch then leaves the window as it is.
bool FullScreenSwitchedOutside();

// Whether the keyboard went to another window; true where only SDL's report can be had.
bool FocusIsElsewhere(SDL_Window* window);

// Where the pointer is now, on the screen and in the window; false where the window system
// cannot be asked.
bool QueryPointer(SDL_Window* window, Point& screen, Point& in_window);

}  // namespace kv::window_system
