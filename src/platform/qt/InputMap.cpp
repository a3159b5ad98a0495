#include "platform/qt/InputMap.h"

#include <array>
#include <utility>

namespace quindel::qt {

namespace {

// Keys whose codes do not follow from a range (letters, digits and F-keys do).
// Shift+Tab comes as Backtab; the keypad's plus and minus come as the main keyboard's.
constexpr std::array<std::pair<std::int16_t, int>, 31> kKeys{{
    {8, Qt::Key_Backspace},
    {9, Qt::Key_Tab},
    {9, Qt::Key_Backtab},
    {13, Qt::Key_Return},
    {13, Qt::Key_Enter},
    {187, Qt::Key_Plus},
    {187, Qt::Key_Equal},
    {189, Qt::Key_Minus},
    {176, Qt::Key_MediaNext},
    {177, Qt::Key_MediaPrevious},
    {179, Qt::Key_MediaTogglePlayPause},
    {179, Qt::Key_MediaPlay},
    {179, Qt::Key_MediaPause},
    {16, Qt::Key_Shift},
    {17, Qt::Key_Control},
    {18, Qt::Key_Alt},
    {19, Qt::Key_Pause},
    {20, Qt::Key_CapsLock},
    {27, Qt::Key_Escape},
    {32, Qt::Key_Space},
    {33, Qt::Key_PageUp},
    {34, Qt::Key_PageDown},
    {35, Qt::Key_End},
    {36, Qt::Key_Home},
    {37, Qt::Key_Left},
    {38, Qt::Key_Up},
    {39, Qt::Key_Right},
    {40, Qt::Key_Down},
    {45, Qt::Key_Insert},
    {46, Qt::Key_Delete},
    {144, Qt::Key_NumLock},
}};
constexpr std::int16_t kF1 = 112;
constexpr int kFunctionKeys = 12;

bool Between(int v, int lo, int hi) {
    return v >= lo && v <= hi;
}

}  // namespace

std::int16_t KeyCodeOf(int qtKey) {
    // Letters and digits share their codes with Qt's keys.
    if (Between(qtKey, Qt::Key_A, Qt::Key_Z) || Between(qtKey, Qt::Key_0, Qt::Key_9))
        return std::int16_t(qtKey);
    if (Between(qtKey, Qt::Key_F1, Qt::Key_F1 + kFunctionKeys - 1))
        return std::int16_t(kF1 + (qtKey - Qt::Key_F1));
    for (const auto& [code, key] : kKeys)
        if (key == qtKey) return code;
    return 0;
}

int QtKeyOf(std::int16_t keyCode) {
    if (Between(keyCode, 'A', 'Z') || Between(keyCode, '0', '9')) return keyCode;
    if (Between(keyCode, kF1, kF1 + kFunctionKeys - 1)) return Qt::Key_F1 + (keyCode - kF1);
    for (const auto& [code, key] : kKeys)
        if (code == keyCode) return key;
    return 0;
}

std::int16_t KeyAsciiOf(const QKeyEvent& e) {
    switch (e.key()) {
        case Qt::Key_Backspace:
            return 8;
        case Qt::Key_Tab:
            return 9;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return 13;
        case Qt::Key_Escape:
            return 27;
        default:
            break;
    }
    const QString text = e.text();
    if (text.size() != 1) return 0;
    const char16_t c = text.at(0).unicode();
    return c >= 32 && c < 256 ? std::int16_t(c) : 0;
}

std::int16_t ShiftMaskOf(Qt::KeyboardModifiers m) {
    return std::int16_t((m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) |
                        (m & Qt::AltModifier ? 4 : 0));
}

std::int16_t ButtonMaskOf(Qt::MouseButtons b) {
    return std::int16_t((b & Qt::LeftButton ? 1 : 0) | (b & Qt::RightButton ? 2 : 0) |
                        (b & Qt::MiddleButton ? 4 : 0));
}

}  // namespace quindel::qt
