#include "hostkit/picture/PictureControl.h"

#include <algorithm>

#include "contract/Declare.h"
#include "contract/Picture.h"
#include "hostkit/base/ControlMembers.h"
#include "hostkit/base/PictureScaler.h"
#include "platform/Keys.h"
#include "platform/PictureBox.h"
#include "platform/PictureObject.h"
#include "platform/Platform.h"
#include "platform/WindowObject.h"
#include "runtime/VbError.h"

namespace quindel::hostkit {

using platform::Image;

namespace {

constexpr platform::Rgba kBackColor = platform::MakeRgb(0, 0, 0);
using contract::picture::kActualSize;
using contract::picture::kCaptureToPrinter;
using contract::picture::kOwnSize;
using contract::picture::kStretched;
constexpr int kInvalidValue = 380, kInvalidPicture = 481, kPrinterError = 482;

// The pixels of an object given as a picture: a platform picture object, or a picture box (its
// drawing); null for any other object.
const Image* PictureOf(const Object& obj) {
    if (const Image* picture = platform::ImageOf(obj)) return picture;
    platform::Window* w = platform::WindowOf(obj);
    if (w && w->Kind() == platform::WindowKind::PictureBox)
        return &static_cast<platform::PictureBox*>(w)->Surface();
    return nullptr;
}

}  // namespace

PictureControl::PictureControl(platform::Platform& p, platform::Window* parent)
    : Window(p, platform::WindowKind::Control, parent), collect_(p) {
    DeclareMembers();
    collect_.OnTimer = [this] { Collect(); };
}

void PictureControl::Collect() {
    if (!store_.FullPending()) collect_.setInterval(0);
    if (store_.PollFull()) {
        collect_.setInterval(0);
        Repaint();
    }
}

void PictureControl::FinishBackgroundDecode() {
    if (!store_.FullPending()) return;
    store_.WaitFull();
    collect_.setInterval(0);
    Repaint();
}

void PictureControl::DeclareMembers() {
    namespace row = contract::picture;
    namespace window = contract::window;
    using C = PictureControl;
    using R = PrintRect;
    contract::Declare<C> m(table(), this);
    m.Property(row::FileName, 0x68020101, &C::FileName, &C::setFileName);
    m.Field(row::FXEnabled, 0x68020102, fxEnabled_);
    m.Property(row::AutoSize, 0x68020103, &C::AutoSize, &C::setAutoSize);
    m.Property(row::CropX, 0x68020104, &C::CropX, &C::setCropX);
    m.Property(row::CropY, 0x68020105, &C::CropY, &C::setCropY);
    m.ReadOnly(row::IWidth, 0x68020106, &C::IWidth);
    m.ReadOnly(row::IHeight, 0x68020107, &C::IHeight);
    m.ReadOnly(row::Picture, 0x68020108, &C::Picture);
    m.Field(row::Capture, 0x68020109, capture_);
    const struct {
        const contract::Member& member;
        DispId id;
        std::int32_t R::*field;
    } rectangle[] = {{row::PrinterWidth, 0x6802010A, &R::width},
                     {row::PrinterHeight, 0x6802010B, &R::height},
                     {row::PrinterLeft, 0x6802010C, &R::left},
                     {row::PrinterTop, 0x6802010D, &R::top}};
    for (const auto& side : rectangle) m.Field(side.member, side.id, printRect_.*side.field);
    m.Property(
        row::PrinterhDC, 0x6802010E, [this] { return printerHdc_; }, &C::setPrinterhDC);
    m.Property(
        window::MousePointer, -521, [this] { return MousePointer(); }, &C::setMousePointerMember);
    m.Custom(row::MouseIcon, -522, [this](CallKind k, Args& a) -> Variant {
        if (k == CallKind::Get) return mouseIcon_;
        setMouseIconObject(*a.back().asObjectPtr());
        return {};
    });
    AdoptWindowMembers(
        table(), *this,
        {window::Height, window::Width, window::Left, window::Top, window::Move, window::Visible});
    DeclareRefresh(table(), [this] { Repaint(); });
    DeclareParent(table(), *this);
}

DecodeTarget PictureControl::TargetForLoad() const {
    // Stretched: the control's own size. Otherwise the picture is usually fitted to the screen
    // next, so a decode of that size serves; actual size decodes it whole when painted.
    const platform::SizePx client = ClientSizePx();
    if (autoSize_ == kStretched && client.width > 0 && client.height > 0)
        return {client.width, client.height, false};
    const platform::Screen& s = platform().screen();
    return {s.WidthPx(), s.HeightPx(), true};
}

void PictureControl::setFileName(const std::string& path) {
    if (path.empty()) {
        store_.Clear();
        fileName_.clear();
        Repaint();
        return;
    }
    store_.Load(platform().files().Resolve(path), TargetForLoad());
    fileName_ = path;
    if (autoSize_ == kOwnSize) TakePictureSize();
    Repaint();
}

void PictureControl::TakePictureSize() {
    if (store_.empty()) return;
    const platform::Screen& s = platform().screen();
    Move(Left(), Top(), IWidth() * s.TwipsPerPixelX(), IHeight() * s.TwipsPerPixelY());
}

void PictureControl::setAutoSize(std::int16_t mode) {
    if (mode < kActualSize || mode > kStretched) Raise(kInvalidValue);
    if (mode == autoSize_) return;
    autoSize_ = mode;
    // Fitted display keeps only the fitted pixels; actual size decodes again when painted.
    if (autoSize_ == kStretched) store_.ReleaseFull();
    if (autoSize_ == kOwnSize) TakePictureSize();
    Repaint();
}

void PictureControl::setCropX(std::int32_t v) {
    v = std::max(v, 0);
    if (v == cropX_) return;
    cropX_ = v;
    Repaint();
}

void PictureControl::setCropY(std::int32_t v) {
    v = std::max(v, 0);
    if (v == cropY_) return;
    cropY_ = v;
    Repaint();
}

Object PictureControl::Picture() {
    if (store_.empty()) return {};
    Object picture = platform::MakePictureObject(store_.Full());
    if (autoSize_ == kStretched) store_.ReleaseFull();
    return picture;
}

void PictureControl::setMousePointerMember(std::int16_t v) {
    if ((v < 0 || v > 15) && v != platform::pointer::Custom) Raise(kInvalidValue);
    setMousePointer(v);
}

void PictureControl::setMouseIconObject(const Object& icon) {
    const Image* pixels = icon ? PictureOf(icon) : nullptr;
    if (icon && !pixels) Raise(kInvalidPicture);
    setMouseIcon(pixels ? *pixels : Image());
    mouseIcon_ = icon;
}

void PictureControl::setPrinterhDC(std::int32_t hdc) {
    printerHdc_ = hdc;
    if (capture_ != kCaptureToPrinter || store_.empty()) return;
    if (!printHook_) throw VbError(kPrinterError, "Picture", "No printer service is connected");
    printHook_(store_.Full(), printRect_, hdc);
    if (autoSize_ == kStretched) store_.ReleaseFull();
}

void PictureControl::PanBy(int dx, int dy) {
    const platform::SizePx view = ClientSizePx();
    setCropX(std::clamp(cropX_ + dx, 0, std::max(IWidth() - view.width, 0)));
    setCropY(std::clamp(cropY_ + dy, 0, std::max(IHeight() - view.height, 0)));
}

void PictureControl::KeyDownDefault(std::int16_t keyCode, std::int16_t shift) {
    if (shift != 0 || store_.empty() || autoSize_ == kStretched) return;
    const int page = std::max(ClientSizePx().height, 1);
    switch (keyCode) {
        case platform::key::Left:
            return PanBy(-kPanStepPx, 0);
        case platform::key::Right:
            return PanBy(kPanStepPx, 0);
        case platform::key::Up:
            return PanBy(0, -kPanStepPx);
        case platform::key::Down:
            return PanBy(0, kPanStepPx);
        case platform::key::PageUp:
            return PanBy(0, -page);
        case platform::key::PageDown:
            return PanBy(0, page);
        case platform::key::Home:
            return PanBy(-cropX_, -cropY_);
        default:
            return;
    }
}

void PictureControl::Describe(platform::AccessibleDescription& d) const {
    d.role = platform::Role::Graphic;
}

void PictureControl::Paint(Image& img) const {
    if (store_.empty()) {
        img.fill(kBackColor);
        return;
    }
    if (autoSize_ == kStretched) {
        const Image& fitted = store_.Fitted(img.width(), img.height());
        CopyPixels(img, 0, 0, fitted, 0, 0, fitted.width(), fitted.height());
        return;
    }
    // Only the part that shows is copied, and only what the picture leaves bare is cleared: the
    // whole picture may be many times the control, and panning repaints it often.
    const int w = std::clamp(IWidth() - cropX_, 0, img.width());
    const int h = std::clamp(IHeight() - cropY_, 0, img.height());
    if (w > 0 && h > 0) {
        const auto view = store_.ActualView({cropX_, cropY_, cropX_ + w, cropY_ + h});
        if (view.pixels) CopyPixels(img, 0, 0, *view.pixels, view.x, view.y, w, h);
        if (store_.FullPending() && collect_.Interval() == 0) collect_.setInterval(kCollectEveryMs);
    }
    img.fillRect(w, 0, img.width() - w, img.height(), kBackColor);
    img.fillRect(0, h, w, img.height() - h, kBackColor);
}

}  // namespace quindel::hostkit
