#pragma once
// Key codes of the input funnel (the classic virtual-key numbers) and the wheel's notch.
#include <cstdint>

namespace quindel::platform::key {
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
// One notch of a mouse wheel, in wheel units (positive: away from the user).
constexpr int WheelNotch = 120;
}  // namespace quindel::platform::key
