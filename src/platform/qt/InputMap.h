#pragma once
// Native Qt input in the classic codes the input funnel takes: key codes, the Shift mask
// (shift 1, ctrl 2, alt 4) and the Button mask (left 1, right 2, middle 4).
#include <QKeyEvent>
#include <Qt>
#include <cstdint>

namespace quindel::qt {

// The key code of a Qt key, or 0 for a key the classic keyboard has no code for.
std::int16_t KeyCodeOf(int qtKey);
// The Qt key of a key code (Enter gives Return), or 0.
int QtKeyOf(std::int16_t keyCode);
// The character a key press types, as KeyPress gets it: 8-bit characters and the control keys
// Backspace, Tab, Enter and Escape; 0 when the press types nothing the classic code can carry.
std::int16_t KeyAsciiOf(const QKeyEvent& e);
std::int16_t ShiftMaskOf(Qt::KeyboardModifiers m);
std::int16_t ButtonMaskOf(Qt::MouseButtons b);

}  // namespace quindel::qt
