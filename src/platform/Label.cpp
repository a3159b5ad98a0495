#include "platform/Label.h"

#include "platform/Platform.h"

namespace quindel::platform {

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
    borderStyle_ = b;
    FitToCaption();
    Changed(Aspect::Content);
}

void Label::setAppearance(std::int16_t a) {
    appearance_ = a;
    Changed(Aspect::Content);
}

void Label::setBackColor(Rgba c) {
    backColor_ = c;
    Changed(Aspect::Content);
}

void Label::setForeColor(Rgba c) {
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

}  // namespace quindel::platform
