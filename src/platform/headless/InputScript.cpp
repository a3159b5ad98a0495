#include "platform/headless/InputScript.h"

#include <algorithm>

#include "platform/Keys.h"

namespace quindel::headless {

InputScript& InputScript::Add(InputStep s, std::int64_t afterMs) {
    last_ = std::max(last_, now_) + std::max<std::int64_t>(afterMs, 0);
    s.at = last_;
    steps_.push_back(s);
    return *this;
}

InputScript& InputScript::MoveTo(int x, int y, std::int64_t afterMs) {
    InputStep s;
    s.kind = InputStep::Kind::Move;
    s.x = x;
    s.y = y;
    return Add(s, afterMs);
}

InputScript& InputScript::Press(std::int16_t button, std::int64_t afterMs) {
    InputStep s;
    s.kind = InputStep::Kind::Press;
    s.button = button;
    return Add(s, afterMs);
}

InputScript& InputScript::Release(std::int16_t button, std::int64_t afterMs) {
    InputStep s;
    s.kind = InputStep::Kind::Release;
    s.button = button;
    return Add(s, afterMs);
}

InputScript& InputScript::Click(int x, int y, std::int64_t afterMs) {
    return MoveTo(x, y, afterMs).Press().Release();
}

InputScript& InputScript::Key(std::int16_t keyCode, std::int64_t afterMs, std::int16_t shift) {
    InputStep s;
    s.kind = InputStep::Kind::Key;
    s.key = keyCode;
    s.shift = shift;
    return Add(s, afterMs);
}

InputScript& InputScript::Wheel(int notches, std::int64_t afterMs, std::int16_t shift) {
    InputStep s;
    s.kind = InputStep::Kind::Wheel;
    s.delta = notches * platform::key::WheelNotch;
    s.shift = shift;
    return Add(s, afterMs);
}

InputScript& InputScript::Wait(std::int64_t ms) {
    last_ = std::max(last_, now_) + std::max<std::int64_t>(ms, 0);
    return *this;
}

InputStep InputScript::Pop() {
    InputStep s = steps_.front();
    steps_.pop_front();
    return s;
}

}  // namespace quindel::headless
