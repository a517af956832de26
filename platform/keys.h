#pragma once

// Virtual-key codes, numbered as the game's key bindings and handlers expect them.
namespace kv::vk {

constexpr int kLButton = 0x01;
constexpr int kRButton = 0x02;
constexpr int kMButton = 0x04;
constexpr int kBack = 0x08;
constexpr int kTab = 0x09;
constexpr int kReturn = 0x0D;
constexpr int kShift = 0x10;
constexpr int kControl = 0x11;
constexpr int kMenu = 0x12;  // Alt
constexpr int kEscape = 0x1B;
constexpr int kSpace = 0x20;
constexpr int kPrior = 0x21;  // Page Up
constexpr int kNext = 0x22;   // Page Down
constexpr int kEnd = 0x23;
constexpr int kHome = 0x24;
constexpr int kLeft = 0x25;
constexpr int kUp = 0x26;
constexpr int kRight = 0x27;
constexpr int kDown = 0x28;
constexpr int kInsert = 0x2D;
constexpr int kDelete = 0x2E;
constexpr int k0 = 0x30;  // '0'..'9' are 0x30..0x39
constexpr int kA = 0x41;  // 'A'..'Z' are 0x41..0x5A
constexpr int kNumpad0 = 0x60;
constexpr int kNumpad2 = 0x62;
constexpr int kNumpad4 = 0x64;
constexpr int kNumpad6 = 0x66;
constexpr int kNumpad8 = 0x68;
constexpr int kF1 = 0x70;
constexpr int kF2 = 0x71;

constexpr int kCount = 256;

// The code of a capital letter's key, 'A'..'Z'.
constexpr int Letter(char c) {
  return kA + (c - 'A');
}

}  // namespace kv::vk
