#pragma once

#include <filesystem>

// The player's own folders, where this system keeps them: the game writes there what it cannot
// keep beside its data.
namespace kv {

// Where maps go when the data folder cannot take them: on Linux the XDG data folder's
// kervana/maps, on Windows Kervana\maps in the player's local application data. Empty when the
// system names no such folder.
std::filesystem::path PlayerMapFolder();

// Where F12 puts its pictures: Kervana in the player's pictures folder (on Linux the one the
// user-dirs file names). Empty when the system names no such folder.
std::filesystem::path PlayerScreenshotFolder();

}  // namespace kv
