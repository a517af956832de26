#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

// The freedesktop rules for the player's folders, which Linux desktops follow. They are plain
// rules on the values given, so every build has them and their tests.
namespace kv {

// The player's map folder by the XDG base-directory rules: $XDG_DATA_HOME/kervana/maps, or
// $HOME/.local/share/kervana/maps when XDG_DATA_HOME is unset, empty or relative. Either value
// may be null; empty when neither gives an absolute folder.
std::filesystem::path PersonalMapFolder(const char* xdg_data_home, const char* home);

// The pictures folder that the freedesktop user-dirs file names (its XDG_PICTURES_DIR line:
// "$HOME/..." or an absolute path in double quotes); nullopt when the file names none, or only
// the home folder itself, which means the player turned the folder off.
std::optional<std::filesystem::path> PicturesFolderFromUserDirs(std::string_view user_dirs,
                                                                const std::filesystem::path& home);

// Where F12 puts its pictures: Kervana/ in the user-dirs pictures folder (the file is
// $XDG_CONFIG_HOME/user-dirs.dirs, else ~/.config/user-dirs.dirs), else in ~/Pictures. Empty
// when there is no home folder to start from, or only a relative one.
std::filesystem::path ScreenshotFolder(const char* home, const char* config_home);

}  // namespace kv
