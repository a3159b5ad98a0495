#pragma once
// Scripted user input on a virtual timeline. Each step happens afterMs after the previous step
// (the first after the moment it is scripted); the platform delivers a step through the input
// funnel when DoEvents reaches its time. Positions are screen pixels, as a real pointer's.
#include <cstdint>
#include <deque>

namespace quindel::headless {

struct InputStep {
    enum class Kind { Move, Press, Release, Key, Wheel } kind = Kind::Move;
    std::int64_t at = 0;
    int x = 0, y = 0;
    std::int16_t button = 1;
    std::int16_t shift = 0;
    std::int16_t key = 0;
    int delta = 0;  // wheel units
};

class InputScript {
  public:
    InputScript& MoveTo(int x, int y, std::int64_t afterMs = 0);
    InputScript& Press(std::int16_t button = 1, std::int64_t afterMs = 0);
    InputScript& Release(std::int16_t button = 1, std::int64_t afterMs = 0);
    // Move there, press and release the left button.
    InputScript& Click(int x, int y, std::int64_t afterMs = 0);
    // A key to the focused window (the active form when none has the focus): key down, then
    // the character for Enter, Escape, blank, digits and letters, unless Ctrl or Alt is held.
    InputScript& Key(std::int16_t keyCode, std::int64_t afterMs = 0, std::int16_t shift = 0);
    // The wheel turned where the pointer is: notches away from the user (negative: towards).
    InputScript& Wheel(int notches, std::int64_t afterMs = 0, std::int16_t shift = 0);
    InputScript& Wait(std::int64_t ms);

    bool Empty() const { return steps_.empty(); }
    std::size_t Size() const { return steps_.size(); }
    const InputStep* Next() const { return steps_.empty() ? nullptr : &steps_.front(); }
    InputStep Pop();

  private:
    friend class HeadlessPlatform;
    InputScript& Add(InputStep s, std::int64_t afterMs);
    std::int64_t now_ = 0;   // the platform's clock, kept current by the platform
    std::int64_t last_ = 0;  // time of the last scripted step
    std::deque<InputStep> steps_;
};

}  // namespace quindel::headless
