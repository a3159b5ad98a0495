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
    Changed(Aspect::Content);
}

int PictureBox::ToPxX(double v) const {
    return scaleMode_ == scale::Pixels ? int(std::lround(v)) : TwipsToPxX(v);
}

int PictureBox::ToPxY(double v) const {
    return scaleMode_ == scale::Pixels ? int(std::lround(v)) : TwipsToPxY(v);
}

void PictureBox::Line(double x1, double y1, double x2, double y2, Rgba color) {
    DrawLine(surface_, ToPxX(x1), ToPxY(y1), ToPxX(x2), ToPxY(y2), color);
    Changed(Aspect::Content);
}

void PictureBox::PaintPicture(const Image& picture, double x, double y, double w, double h,
                              int srcX, int srcY, int srcW, int srcH, std::int32_t op) {
    if (picture.empty()) Raise(481);
    if (srcW < 0) srcW = picture.width() - srcX;
    if (srcH < 0) srcH = picture.height() - srcY;
    const int dw = w < 0 ? srcW : ToPxX(w);
    const int dh = h < 0 ? srcH : ToPxY(h);
    Blend(surface_, ToPxX(x), ToPxY(y), dw, dh, picture, srcX, srcY, srcW, srcH, op);
    Changed(Aspect::Content);
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
    platform().DrawText(surface_, ToPxX(x), ToPxY(y), text, foreColor_);
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
}

void PictureBox::Paint(Image& img) const {
    if (BorderStyle() != 0) DrawFrame(img, 0, 0, img.width(), img.height(), kShadow);
    img.blit(Surface(), ClientOriginPx().x, ClientOriginPx().y);
}

}  // namespace quindel::platform
