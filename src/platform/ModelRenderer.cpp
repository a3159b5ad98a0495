#include "platform/ModelRenderer.h"

#include <algorithm>

#include "platform/CommandButton.h"
#include "platform/Form.h"
#include "platform/Label.h"
#include "platform/ListBox.h"
#include "platform/PictureBox.h"
#include "platform/Platform.h"
#include "platform/Raster.h"
#include "platform/Slider.h"
#include "platform/VScrollBar.h"

namespace quindel::platform {

using namespace look;

namespace {

void Bevel(Image& img, int x, int y, int w, int h, bool raised) {
    const Rgba tl = raised ? kLight : kShadow, br = raised ? kDark : kLight;
    img.fillRect(x, y, w, 1, tl);
    img.fillRect(x, y, 1, h, tl);
    img.fillRect(x, y + h - 1, w, 1, br);
    img.fillRect(x + w - 1, y, 1, h, br);
}

// The list box's own scroll strip, shown when it holds more rows than it can show.
void PaintListScroll(Image& img, int top, int visible, int count) {
    const int w = 13, x = img.width() - 1 - w, h = img.height() - 2;
    img.fillRect(x, 1, w, h, kTrack);
    const int thumb = std::max(8, h * visible / count);
    const int y = 1 + (h - thumb) * top / std::max(count - visible, 1);
    img.fillRect(x, y, w, thumb, kFace);
    Bevel(img, x, y, w, thumb, true);
}

void Triangle(Image& img, int cx, int cy, bool up) {
    for (int i = 0; i < 4; ++i)
        img.fillRect(cx - i, up ? cy - 2 + i : cy + 1 - i, 2 * i + 1, 1, kInk);
}

}  // namespace

Image ModelRenderer::Render(Window& w) const {
    const RectPx r = w.ScreenRectPx();
    Image img(std::max(r.width(), 0), std::max(r.height(), 0), kFace);
    PaintOwn(w, img);
    PaintChildren(w, img);
    return img;
}

void ModelRenderer::PaintOwn(Window& w, Image& img) const {
    switch (w.Kind()) {
        case WindowKind::Form:
            PaintForm(static_cast<const Form&>(w), img);
            break;
        case WindowKind::PictureBox:
            PaintPictureBox(static_cast<const PictureBox&>(w), img);
            break;
        case WindowKind::Label:
            PaintLabel(static_cast<const Label&>(w), img);
            break;
        case WindowKind::ListBox:
            PaintListBox(static_cast<const ListBox&>(w), img);
            break;
        case WindowKind::VScrollBar:
            PaintScrollBar(static_cast<const VScrollBar&>(w), img);
            break;
        case WindowKind::Slider:
            PaintSlider(static_cast<const Slider&>(w), img);
            break;
        case WindowKind::CommandButton:
            PaintButton(static_cast<const CommandButton&>(w), img);
            break;
    }
}

int ModelRenderer::LineHeight() const {
    return platform_.MeasureText("Ag").height;
}

void ModelRenderer::PaintForm(const Form& f, Image& img) const {
    img.fill(f.BackColor());
    const FrameMetrics fm = platform_.FrameOf(f);
    if (fm.border <= 0) return;
    const int W = img.width(), H = img.height();
    Bevel(img, 0, 0, W, H, true);
    img.fillRect(fm.border, fm.border, W - 2 * fm.border, fm.caption, kSelection);
    platform_.DrawText(img, fm.border + 4, fm.border + (fm.caption - LineHeight()) / 2, f.Caption(),
                       kLight);
}

void ModelRenderer::PaintPictureBox(const PictureBox& p, Image& img) const {
    if (p.BorderStyle() != 0) DrawFrame(img, 0, 0, img.width(), img.height(), kShadow);
    img.blit(p.Surface(), p.ClientOriginPx().x, p.ClientOriginPx().y);
}

void ModelRenderer::PaintLabel(const Label& l, Image& img) const {
    img.fill(l.BackColor());
    const int b = l.BorderStyle() != 0 ? 1 : 0;
    if (b) DrawFrame(img, 0, 0, img.width(), img.height(), kInk);
    platform_.DrawText(img, b, b, l.Caption(), l.ForeColor());
}

void ModelRenderer::PaintListBox(const ListBox& l, Image& img) const {
    const int W = img.width(), H = img.height();
    img.fill(kLight);
    DrawFrame(img, 0, 0, W, H, kShadow);
    const int rowPx = l.TwipsToPxY(l.RowHeight());
    for (int i = l.TopIndex(), y = 1; i < l.ListCount() && y < H - 1; ++i, y += rowPx) {
        const bool sel = i == l.ListIndex();
        if (sel) img.fillRect(1, y, W - 2, rowPx, kSelection);
        platform_.DrawText(img, 3, y, l.List(i), sel ? kLight : kInk);
    }
    if (l.ListCount() > l.VisibleRows())
        PaintListScroll(img, l.TopIndex(), l.VisibleRows(), l.ListCount());
}

void ModelRenderer::PaintScrollBar(const VScrollBar& s, Image& img) const {
    const int W = img.width(), H = img.height();
    img.fill(kTrack);
    const int a = s.ArrowPx();
    Bevel(img, 0, 0, W, a, true);
    Bevel(img, 0, H - a, W, a, true);
    Triangle(img, W / 2, a / 2, true);
    Triangle(img, W / 2, H - a / 2, false);
    const auto [top, h] = s.ThumbPx();
    img.fillRect(0, top, W, h, kFace);
    Bevel(img, 0, top, W, h, true);
}

void ModelRenderer::PaintSlider(const Slider& s, Image& img) const {
    const int W = img.width(), H = img.height();
    const int mid = H / 2 - 2, left = 6, right = W - 7;
    Bevel(img, left, mid - 1, right - left + 1, 4, false);
    const int span = std::max(s.Max() - s.Min(), 1);
    for (int v = s.Min(); v <= s.Max(); v += s.TickFrequency())
        img.fillRect(left + (v - s.Min()) * (right - left) / span, H - 5, 1, 3, kInk);
    const int x = left + (s.Value() - s.Min()) * (right - left) / span;
    img.fillRect(x - 4, 2, 9, H - 9, kFace);
    Bevel(img, x - 4, 2, 9, H - 9, true);
}

void ModelRenderer::PaintButton(const CommandButton& c, Image& img) const {
    const int W = img.width(), H = img.height();
    Bevel(img, 0, 0, W, H, !c.Value());
    platform_.DrawText(img, (W - platform_.MeasureText(c.Caption()).width) / 2,
                       (H - LineHeight()) / 2, c.Caption(), kInk);
}

void ModelRenderer::PaintChildren(Window& w, Image& img) const {
    const PointPx origin = w.ClientOriginPx();
    for (auto& child : w.Children()) {
        if (!child->Alive() || !child->Visible()) continue;
        img.blit(Render(*child), origin.x + child->TwipsToPxX(child->Left()),
                 origin.y + child->TwipsToPxY(child->Top()));
    }
}

Image ComposeScreen(Platform& p) {
    Image screen(p.screen().WidthPx(), p.screen().HeightPx(), kDesktop);
    for (Form* f : p.Forms()) {
        if (!f->IsShown()) continue;
        const RectPx rect = f->ScreenRectPx();
        screen.blit(p.Grab(*f), rect.left, rect.top);
    }
    return screen;
}

}  // namespace quindel::platform
