#include "platform/Label.h"

#include "platform/FocusMark.h"
#include "platform/ModelRenderer.h"
#include "platform/Platform.h"
#include "platform/Raster.h"

namespace quindel::platform {

using namespace look;

Label::Label(Platform& p, Window* parent) : Window(p, WindowKind::Label, parent) {}

void Label::setCaption(std::string c) {
    if (c == caption_) return;
    caption_ = std::move(c);
    FitToCaption();
    Changed(Aspect::Content);
    if (OnChange) OnChange();
}

void Label::setAutoSize(bool v) {
    autoSize_ = v;
    FitToCaption();
}

void Label::setBorderStyle(std::int16_t b) {
    if (b == borderStyle_) return;
    borderStyle_ = b;
    FitToCaption();
    Changed(Aspect::Content);
}

void Label::setAppearance(std::int16_t a) {
    if (a == appearance_) return;
    appearance_ = a;
    Changed(Aspect::Content);
}

void Label::setBackColor(Rgba c) {
    if (c == backColor_) return;
    backColor_ = c;
    Changed(Aspect::Content);
}

void Label::setForeColor(Rgba c) {
    if (c == foreColor_) return;
    foreColor_ = c;
    Changed(Aspect::Content);
}

void Label::FitToCaption() {
    if (!autoSize_) return;
    const SizePx text = platform().MeasureText(caption_);
    const int frame = borderStyle_ != 0 ? 2 : 0;
    const Screen& s = platform().screen();
    Move(Left(), Top(), (text.width + frame) * s.TwipsPerPixelX(),
         (text.height + frame) * s.TwipsPerPixelY());
}

// Captions are often padded with blanks to look right on screen; a reader needs none of them.
void Label::Describe(AccessibleDescription& d) const {
    d.role = Role::StaticText;
    const std::size_t first = caption_.find_first_not_of(' ');
    d.name = first == std::string::npos
                 ? std::string()
                 : caption_.substr(first, caption_.find_last_not_of(' ') - first + 1);
    d.text = d.name;
}

void Label::Paint(Image& img) const {
    img.fill(BackColor());
    const int b = BorderStyle() != 0 ? 1 : 0;
    if (b) DrawFrame(img, 0, 0, img.width(), img.height(), kInk);
    platform().DrawText(img, b, b, Caption(), ForeColor());
    // A label that takes the keyboard (a dialog's button) shows when it has it.
    if (HasFocus()) DrawFocusMark(img, 0, 0, img.width(), img.height());
}

}  // namespace quindel::platform
