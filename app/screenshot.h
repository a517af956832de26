#pragma once

#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "platform/image565.h"
#include "platform/xdg_folders.h"

// F12's pictures: into the player's pictures folder, under Kervana/, named by the local time.
namespace kv {

// "2026-12-08_19-42-07.123.png": the local date and time, with milliseconds.
std::string ScreenshotName(const std::tm& local, int millis);

// Writes the picture into `folder` (made when missing) under the name the time gives, never over
// an existing file; the path written, or nullopt with the reason in `problem` (what could not be
// done, and the system's reason when it gave one).
std::optional<std::filesystem::path> SaveScreenshot(const Image565& picture,
                                                    const std::filesystem::path& folder,
                                                    const std::tm& local, int millis,
                                                    std::string& problem);

// F12: saves the picture under the local time now and prints its path on standard output; a
// picture that cannot be saved says why on standard error.
void TakeScreenshot(const Image565& picture, const std::filesystem::path& folder);

}  // namespace kv
