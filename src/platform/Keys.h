#pragma once
// Key codes of the input funnel (the classic virtual-key numbers), the Shift mask of key and
// mouse events, and the wheel's notch.
#include <cstdint>

namespace quindel::platform::key {
constexpr std::int16_t Backspace = 8;
constexpr std::int16_t Tab = 9;
constexpr std::int16_t Return = 13;
constexpr std::int16_t Escape = 27;
constexpr std::int16_t Space = 32;
constexpr std::int16_t PageUp = 33;
constexpr std::int16_t PageDown = 34;
constexpr std::int16_t End = 35;
constexpr std::int16_t Home = 36;
constexpr std::int16_t Left = 37;
constexpr std::int16_t Up = 38;
constexpr std::int16_t Right = 39;
constexpr std::int16_t Down = 40;
constexpr std::int16_t Delete = 46;
// Letters and digits are their upper-case ASCII codes ('A', '0').
constexpr std::int16_t F1 = 112;
constexpr std::int16_t F5 = 116;
// The "=+" and "-" keys (the keypad's plus and minus come as these).
constexpr std::int16_t Plus = 187;
constexpr std::int16_t Minus = 189;
// The media keys some keyboards carry.
constexpr std::int16_t MediaNext = 176;
constexpr std::int16_t MediaPrevious = 177;
constexpr std::int16_t MediaPlayPause = 179;
// One notch of a mouse wheel, in wheel units (positive: away from the user).
constexpr int WheelNotch = 120;
}  // namespace quindel::platform::key

namespace quindel::platform::modifier {
constexpr std::int16_t Shift = 1;
constexpr std::int16_t Ctrl = 2;
constexpr std::int16_t Alt = 4;
}  // namespace quindel::platform::modifier
