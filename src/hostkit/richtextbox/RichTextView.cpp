// The rich-text box on screen: layout width, scrolling, the scroll bar, painting and the mouse.
#include <algorithm>
#include <cstdlib>

#include "hostkit/richtextbox/RichTextBox.h"
#include "platform/Keys.h"
#include "platform/ModelRenderer.h"
#include "platform/Platform.h"
#include "platform/Raster.h"
#include "platform/VScrollBar.h"
#include "runtime/ScopeGuard.h"
#include "runtime/VbError.h"

namespace quindel::hostkit {

using namespace quindel::platform;

namespace {

constexpr Rgba kPaper = MakeRgb(255, 255, 255);

}  // namespace

std::int32_t RichTextBox::ScaleWidth() const {
    return std::max(TwipsToPxX(Width()) - 2 * borderStyle_, 0) *
           platform().screen().TwipsPerPixelX();
}

std::int32_t RichTextBox::ScaleHeight() const {
    return std::max(TwipsToPxY(Height()) - 2 * borderStyle_, 0) *
           platform().screen().TwipsPerPixelY();
}

std::int32_t RichTextBox::TextWidth() const {
    const int px = ClientSizePx().width - 2 * kMarginPx - (barShown_ ? kBarPx : 0);
    return std::max(px, 0) * platform().screen().TwipsPerPixelX();
}

std::int32_t RichTextBox::TextHeight() const {
    return std::max(ClientSizePx().height - 2 * kMarginPx, 0) *
           platform().screen().TwipsPerPixelY();
}

std::int32_t RichTextBox::LineStep() const {
    return kLinePx * platform().screen().TwipsPerPixelY();
}

std::int32_t RichTextBox::MaxScrollHorz() const {
    return std::max(DocWidth() - TextWidth(), 0);
}

std::int32_t RichTextBox::MaxScrollVert() const {
    return std::max(DocHeight() - TextHeight(), 0);
}

void RichTextBox::FitLayout() {
    std::int32_t width = docWidth_ > 0 ? docWidth_ : TextWidth();
    if (width <= 0) width = richtext::Layout::kDefaultWidth;
    if (width != engine_->Width()) engine_->SetWidth(width);
}

void RichTextBox::UpdateView() {
    barShown_ = false;
    FitLayout();
    const std::int32_t area = TextHeight();
    // Laying out just past the text area tells whether the document is taller than it.
    const auto taller = [&] {
        engine_->layout().LayOutUntil(area + 1);
        return engine_->layout().EstimatedHeight() > area;
    };
    if (area > 0 && (scrollBars_ == 2 || scrollBars_ == 3 || (scrollBars_ == 4 && taller()))) {
        barShown_ = true;
        FitLayout();
    }
    if (scrollY_ > 0) scrollY_ = std::min(scrollY_, MaxScrollVert());
    if (scrollX_ > 0) scrollX_ = std::min(scrollX_, MaxScrollHorz());
    PlaceBar();
    Repaint();
}

void RichTextBox::PlaceBar() {
    if (!barShown_) {
        if (bar_) bar_->setVisible(false);
        return;
    }
    if (!bar_) {
        bar_ = platform().NewVScrollBar(*this);
        bar_->OnChange = [this] {
            if (!placingBar_) setScrollVert(bar_->Value());
        };
    }
    TemporaryChange placing(placingBar_, true);
    const Screen& s = platform().screen();
    const SizePx client = ClientSizePx();
    bar_->Move((client.width - kBarPx) * s.TwipsPerPixelX(), 0, kBarPx * s.TwipsPerPixelX(),
               client.height * s.TwipsPerPixelY());
    bar_->setMin(0);
    bar_->setMax(MaxScrollVert());
    bar_->setSmallChange(LineStep());
    bar_->setLargeChange(std::max(TextHeight(), LineStep()));
    bar_->setValue(scrollY_);
    bar_->setVisible(true);
}

void RichTextBox::setDocWidth(std::int32_t twips) {
    if (twips < 0) Raise(380);
    if (twips == docWidth_) return;
    docWidth_ = twips;
    UpdateView();
}

void RichTextBox::setScrollVert(std::int32_t twips) {
    twips = twips <= 0 ? 0 : std::min(twips, MaxScrollVert());
    if (twips == scrollY_) return;
    scrollY_ = twips;
    if (bar_ && barShown_) {
        TemporaryChange placing(placingBar_, true);
        bar_->setValue(std::min(scrollY_, bar_->Max()));
    }
    Repaint();
}

void RichTextBox::setScrollHorz(std::int32_t twips) {
    twips = twips <= 0 ? 0 : std::min(twips, MaxScrollHorz());
    if (twips == scrollX_) return;
    scrollX_ = twips;
    Repaint();
}

void RichTextBox::setScrollBars(std::int16_t mode) {
    if (mode < 0 || mode > 4) Raise(380);
    if (mode == scrollBars_) return;
    scrollBars_ = mode;
    UpdateView();
}

void RichTextBox::setShowSelection(bool v) {
    if (v == showSelection_) return;
    showSelection_ = v;
    Repaint();
}

void RichTextBox::setBorderStyle(std::int16_t v) {
    if (v != 0 && v != 1) Raise(380);
    if (v == borderStyle_) return;
    borderStyle_ = v;
    Changed(Aspect::Geometry);
    UpdateView();
}

void RichTextBox::Move(std::int32_t left, std::int32_t top, std::int32_t width,
                       std::int32_t height) {
    const bool resized = std::max(width, 0) != Width() || std::max(height, 0) != Height();
    Window::Move(left, top, width, height);
    if (resized && Alive()) UpdateView();
}

void RichTextBox::Paint(Image& img) const {
    img.fill(kPaper);
    if (borderStyle_ != 0) DrawFrame(img, 0, 0, img.width(), img.height(), look::kShadow);
    const SizePx client = ClientSizePx();
    const int w = client.width - 2 * kMarginPx - (barShown_ ? kBarPx : 0);
    const int h = client.height - 2 * kMarginPx;
    if (w <= 0 || h <= 0) return;
    Image area(w, h, kPaper);
    PaintText(area);
    img.blit(area, borderStyle_ + kMarginPx, borderStyle_ + kMarginPx);
}

void RichTextBox::PaintText(Image& area) const {
    if (showSelection_) {
        engine_->Paint(area, scrollX_, scrollY_);
        return;
    }
    // The engine paints its own selection: it is set aside for the painting.
    const std::int32_t start = SelStart(), length = SelLength();
    engine_->Select(start, 0);
    engine_->Paint(area, scrollX_, scrollY_);
    engine_->Select(start, length);
}

Image RichTextBox::Surface() const {
    Image img(TwipsToPxX(Width()), TwipsToPxY(Height()), kPaper);
    Paint(img);
    return img;
}

std::int32_t RichTextBox::PositionAt(float x, float y) const {
    const Screen& s = platform().screen();
    const auto docX = std::int32_t(x) - kMarginPx * s.TwipsPerPixelX() + scrollX_;
    const auto docY = std::int32_t(y) - kMarginPx * s.TwipsPerPixelY() + scrollY_;
    return engine_->HitTest(docX, docY);
}

void RichTextBox::SelectTo(std::int32_t position) {
    const std::int32_t anchor = anchor_;
    Select(std::min(anchor, position), std::abs(position - anchor));
    anchor_ = anchor;
}

void RichTextBox::MouseDownDefault(const MouseArgs& a) {
    if (!(a.Button & 1)) return;
    const std::int32_t at = PositionAt(a.X, a.Y);
    if (!(a.Shift & 1)) anchor_ = at;
    dragging_ = true;
    SelectTo(at);
}

void RichTextBox::DragTo(const MouseArgs& a) {
    if (dragging_ && (a.Button & 1)) SelectTo(PositionAt(a.X, a.Y));
}

void RichTextBox::MouseUpDefault(const MouseArgs&) {
    if (dragging_) OfferSelection();
    dragging_ = false;
}

bool RichTextBox::WheelDefault(int delta) {
    setScrollVert(scrollY_ - delta * 3 * LineStep() / key::WheelNotch);
    return true;
}

void RichTextBox::KeyDownDefault(std::int16_t keyCode, std::int16_t shift) {
    KeyDown(keyCode, shift);
    switch (keyCode) {
        case key::Up:
            setScrollVert(scrollY_ - LineStep());
            break;
        case key::Down:
            setScrollVert(scrollY_ + LineStep());
            break;
        case key::PageUp:
            setScrollVert(scrollY_ - std::max(TextHeight(), LineStep()));
            break;
        case key::PageDown:
            setScrollVert(scrollY_ + std::max(TextHeight(), LineStep()));
            break;
        case key::Home:
            setScrollVert(0);
            break;
        case key::End:
            setScrollVert(MaxScrollVert());
            break;
        default:
            break;
    }
}

}  // namespace quindel::hostkit
