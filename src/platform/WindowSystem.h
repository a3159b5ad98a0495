#pragma once
// The handful of window-system calls the component makes, answered from the platform's window
// registry so that both backends behave alike. Handles that name no window make the calls fail
// (false or 0), never throw.
#include <cstdint>
#include <vector>

#include "platform/Geometry.h"

namespace quindel::platform {

class Platform;

namespace showcmd {
constexpr int Hide = 0;
constexpr int Normal = 1;
constexpr int ShowNoActivate = 4;
constexpr int Show = 5;
}  // namespace showcmd

constexpr int GWW_HWNDPARENT = -8;  // the owner slot

class WindowSystem {
  public:
    explicit WindowSystem(Platform& p) : platform_(p) {}

    // Index -8 sets the owner of a form and returns the previous owner; other indexes do nothing.
    Handle SetWindowWord(Handle window, int index, Handle value);
    Handle Owner(Handle window) const;
    // Freezes the drawing of one window (0 releases). Only one window can be frozen at a time.
    bool LockWindowUpdate(Handle window);
    Handle LockedWindow() const { return locked_; }
    // Every call's argument, in order, for tests.
    const std::vector<Handle>& LockHistory() const { return lockHistory_; }
    PointPx GetCursorPos() const;
    bool ScreenToClient(Handle window, PointPx& p) const;
    bool ShowWindow(Handle window, int cmd);
    bool GetWindowRect(Handle window, RectPx& r) const;
    std::uint32_t GetTickCount() const;
    // 0: screen width in pixels; 1: screen height in pixels; anything else 0.
    int GetSystemMetrics(int index) const;

  private:
    Platform& platform_;
    Handle locked_ = 0;
    std::vector<Handle> lockHistory_;
};

}  // namespace quindel::platform
