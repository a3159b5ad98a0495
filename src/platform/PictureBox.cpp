#include "platform/PictureBox.h"

#include <algorithm>
#include <cmath>

#include "platform/ModelRenderer.h"
#include "platform/Platform.h"
#include "platform/Raster.h"
#include "runtime/VbError.h"

namespace quindel::platform {

using namespace look;

PictureBox::PictureBox(Platform& p, Window* parent) : Window(p, WindowKind::PictureBox, parent) {}

void PictureBox::setBorderStyle(std::int16_t b) {
    if (b == borderStyle_) return;
    borderStyle_ = b;
    ResizeSurfaceTo(Width(), Height());
    Changed(Aspect::Geometry);
}

void PictureBox::setScaleMode(std::int16_t m) {
    if (m != scale::Twips && m != scale::Pixels) Raise(380);
    scaleMode_ = m;
}

void PictureBox::setBackColor(Rgba c) {
    backColor_ = c;
    Cls();
}

void PictureBox::Cls() {
    surface_.fill(backColor_);
    device_.fill(backColor_);
    Changed(Aspect::Content);
}

int PictureBox::ToPxX(double v) const {
    return scaleMode_ == scale::Pixels ? int(std::lround(v)) : TwipsToPxX(v);
}

int PictureBox::ToPxY(double v) const {
    return scaleMode_ == scale::Pixels ? int(std::lround(v)) : TwipsToPxY(v);
}

void PictureBox::Line(double x1, double y1, double x2, double y2, Rgba color) {
    const int px1 = ToPxX(x1), py1 = ToPxY(y1), px2 = ToPxX(x2), py2 = ToPxY(y2);
    DrawLine(surface_, px1, py1, px2, py2, color);
    if (ratio_ != 1.0) DrawLine(device_, px1, py1, px2, py2, color, ratio_);
    Changed(Aspect::Content);
}

void PictureBox::PaintPicture(const Image& picture, double x, double y, double w, double h,
                              int srcX, int srcY, int srcW, int srcH, std::int32_t op) {
    if (picture.empty()) Raise(481);
    if (srcW < 0) srcW = picture.width() - srcX;
    if (srcH < 0) srcH = picture.height() - srcY;
    const int dw = w < 0 ? srcW : ToPxX(w);
    const int dh = h < 0 ? srcH : ToPxY(h);
    const int dx = ToPxX(x), dy = ToPxY(y);
    Blend(surface_, dx, dy, dw, dh, picture, srcX, srcY, srcW, srcH, op);
    if (ratio_ != 1.0) PaintOnDevice(picture, dx, dy, dw, dh, srcX, srcY, srcW, srcH, op);
    Changed(Aspect::Content);
}

// A picture with a denser drawing is painted from it whenever the device is denser than the
// picture: the nearest density at or above the device's, resized smoothly to it.
void PictureBox::PaintOnDevice(const Image& picture, int x, int y, int w, int h, int sx, int sy,
                               int sw, int sh, std::int32_t op) {
    if (w <= 0 || h <= 0 || sw <= 0 || sh <= 0) return;
    const bool denser = picture.denser() && ratio_ > 1.0;
    const Image& src = denser ? *picture.denser() : picture;
    const double density = denser ? picture.denserScale() : 1.0;
    const int psx = ToDevice(sx, density), psy = ToDevice(sy, density);
    const int psw = ToDevice(sx + sw, density) - psx, psh = ToDevice(sy + sh, density) - psy;
    const int dx = ToDevice(x, ratio_), dy = ToDevice(y, ratio_);
    const int dw = ToDevice(x + w, ratio_) - dx, dh = ToDevice(y + h, ratio_) - dy;
    if (psw == dw && psh == dh) {
        Blend(device_, dx, dy, dw, dh, src, psx, psy, psw, psh, op);
        return;
    }
    // Only the part that lands on the drawing is resized.
    const RectPx shown{std::max(-dx, 0), std::max(-dy, 0), device_.width() - dx,
                       device_.height() - dy};
    const Image part = Resample(src, psx, psy, psw, psh, dw, dh, shown);
    Blend(device_, dx + shown.left, dy + shown.top, part.width(), part.height(), part, 0, 0,
          part.width(), part.height(), op);
}

void PictureBox::EnlargeOnDevice(int x, int y, int w, int h) {
    const int dx = ToDevice(x, ratio_), dy = ToDevice(y, ratio_);
    const int dw = ToDevice(x + w, ratio_) - dx, dh = ToDevice(y + h, ratio_) - dy;
    const RectPx shown{std::max(-dx, 0), std::max(-dy, 0), device_.width() - dx,
                       device_.height() - dy};
    device_.blit(Resample(surface_, x, y, w, h, dw, dh, shown), dx + shown.left, dy + shown.top);
}

double PictureBox::TextWidth(std::string_view text) const {
    const int px = platform().MeasureText(text).width;
    return scaleMode_ == scale::Pixels ? px : double(px) * platform().screen().TwipsPerPixelX();
}

double PictureBox::TextHeight(std::string_view text) const {
    const int px = platform().MeasureText(text).height;
    return scaleMode_ == scale::Pixels ? px : double(px) * platform().screen().TwipsPerPixelY();
}

void PictureBox::Print(double x, double y, std::string_view text) {
    const int px = ToPxX(x), py = ToPxY(y);
    platform().DrawText(surface_, px, py, text, foreColor_);
    if (ratio_ != 1.0) {
        const SizePx size = platform().MeasureText(text);
        EnlargeOnDevice(px, py, size.width, size.height);
    }
    Changed(Aspect::Content);
}

std::int32_t PictureBox::ScaleWidth() const {
    const int inner = std::max(TwipsToPxX(Width()) - 2 * borderStyle_, 0);
    return scaleMode_ == scale::Pixels ? inner : inner * platform().screen().TwipsPerPixelX();
}

std::int32_t PictureBox::ScaleHeight() const {
    const int inner = std::max(TwipsToPxY(Height()) - 2 * borderStyle_, 0);
    return scaleMode_ == scale::Pixels ? inner : inner * platform().screen().TwipsPerPixelY();
}

PointPx PictureBox::ClientOriginPx() const {
    return {borderStyle_, borderStyle_};
}

void PictureBox::Move(std::int32_t l, std::int32_t t, std::int32_t w, std::int32_t h) {
    // Resize the drawing before the Resize event runs, so its handler can draw at once.
    if (std::max(w, 0) != Width() || std::max(h, 0) != Height()) ResizeSurfaceTo(w, h);
    Window::Move(l, t, w, h);
}

void PictureBox::ResizeSurfaceTo(std::int32_t w, std::int32_t h) {
    const SizePx inner =
        platform().screen().Bounded({TwipsToPxX(std::max(w, 0)) - 2 * borderStyle_,
                                     TwipsToPxY(std::max(h, 0)) - 2 * borderStyle_});
    Image next(inner.width, inner.height, backColor_);
    next.blit(surface_, 0, 0);
    surface_ = std::move(next);
    const double ratio = platform().screen().PixelRatio();
    if (ratio == 1.0) {
        ratio_ = 1.0;
        device_ = Image();
        return;
    }
    Image device(ToDevice(inner.width, ratio), ToDevice(inner.height, ratio), backColor_);
    if (ratio == ratio_) {
        device.blit(device_, 0, 0);
        device_ = std::move(device);
    } else {
        // A new ratio: what was drawn is kept, enlarged from the logical drawing.
        ratio_ = ratio;
        device_ = std::move(device);
        EnlargeOnDevice(0, 0, surface_.width(), surface_.height());
    }
}

void PictureBox::Paint(Image& img) const {
    if (BorderStyle() != 0) DrawFrame(img, 0, 0, img.width(), img.height(), kShadow);
    img.blit(Surface(), ClientOriginPx().x, ClientOriginPx().y);
}

}  // namespace quindel::platform
