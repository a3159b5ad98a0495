#pragma once
// Pixel geometry shared by the window-system calls and the backends.
namespace quindel::platform {

using Handle = int;  // a window handle: a stable integer, the same in every backend

struct PointPx {
    int x = 0;
    int y = 0;
    bool operator==(const PointPx&) const = default;
};

struct SizePx {
    int width = 0;
    int height = 0;
    bool operator==(const SizePx&) const = default;
};

struct RectPx {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    SizePx size() const { return {width(), height()}; }
    bool contains(PointPx p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    bool operator==(const RectPx&) const = default;
};

}  // namespace quindel::platform
