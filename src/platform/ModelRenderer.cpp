#include "platform/ModelRenderer.h"

#include <algorithm>

#include "platform/Form.h"
#include "platform/Platform.h"

namespace quindel::platform {

namespace look {

void Bevel(Image& img, int x, int y, int w, int h, bool raised) {
    const Rgba tl = raised ? kLight : kShadow, br = raised ? kDark : kLight;
    img.fillRect(x, y, w, 1, tl);
    img.fillRect(x, y, 1, h, tl);
    img.fillRect(x, y + h - 1, w, 1, br);
    img.fillRect(x + w - 1, y, 1, h, br);
}

int LineHeight(const Platform& p) {
    return p.MeasureText("Ag").height;
}

}  // namespace look

Image ModelRenderer::Render(Window& w) const {
    const SizePx size = w.platform().screen().Bounded(w.ScreenRectPx().size());
    Image img(size.width, size.height, look::kFace);
    w.Paint(img);
    PaintChildren(w, img);
    return img;
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
    return ComposeRegion(p, {0, 0, p.screen().WidthPx(), p.screen().HeightPx()});
}

Image ComposeRegion(Platform& p, const RectPx& region) {
    Image out(std::max(region.width(), 0), std::max(region.height(), 0), look::kDesktop);
    for (Form* f : p.Forms()) {
        if (!f->IsShown()) continue;
        const RectPx rect = f->ScreenRectPx();
        out.blit(p.Grab(*f), rect.left - region.left, rect.top - region.top);
    }
    return out;
}

}  // namespace quindel::platform
