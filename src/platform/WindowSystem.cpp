#include "platform/WindowSystem.h"

#include "platform/Form.h"
#include "platform/Platform.h"

namespace quindel::platform {

Handle WindowSystem::SetWindowWord(Handle window, int index, Handle value) {
    Window* w = platform_.FindWindow(window);
    if (!w || index != GWW_HWNDPARENT || w->Kind() != WindowKind::Form) return 0;
    auto* f = static_cast<Form*>(w);
    const Handle old = f->Owner();
    f->setOwner(value);
    return old;
}

Handle WindowSystem::Owner(Handle window) const {
    Window* w = platform_.FindWindow(window);
    return w && w->Kind() == WindowKind::Form ? static_cast<Form*>(w)->Owner() : 0;
}

bool WindowSystem::LockWindowUpdate(Handle window) {
    lockHistory_.push_back(window);
    if (window == 0) {
        locked_ = 0;
        return true;
    }
    if (locked_ != 0 || !platform_.FindWindow(window)) return false;
    locked_ = window;
    return true;
}

PointPx WindowSystem::GetCursorPos() const {
    return platform_.screen().CursorPos();
}

bool WindowSystem::ScreenToClient(Handle window, PointPx& p) const {
    Window* w = platform_.FindWindow(window);
    if (!w) return false;
    p = w->ScreenToClientPx(p);
    return true;
}

bool WindowSystem::ShowWindow(Handle window, int cmd) {
    Window* w = platform_.FindWindow(window);
    if (!w) return false;
    const bool wasVisible = w->Visible();
    if (cmd == showcmd::Hide) {
        w->setVisible(false);
    } else if (w->Kind() == WindowKind::Form && cmd != showcmd::ShowNoActivate) {
        static_cast<Form*>(w)->Show();
    } else {
        w->setVisible(true);
    }
    return wasVisible;
}

bool WindowSystem::GetWindowRect(Handle window, RectPx& r) const {
    Window* w = platform_.FindWindow(window);
    if (!w) return false;
    r = w->ScreenRectPx();
    return true;
}

std::uint32_t WindowSystem::GetTickCount() const {
    return platform_.GetTickCount();
}

int WindowSystem::GetSystemMetrics(int index) const {
    switch (index) {
        case 0:
            return platform_.screen().WidthPx();
        case 1:
            return platform_.screen().HeightPx();
        default:
            return 0;
    }
}

}  // namespace quindel::platform
