#pragma once
// The host's picture control: one picture file shown fitted, stretched or at actual size and
// panned, printed on request. A platform window of its own kind (it paints itself on either
// backend; its mouse events reach the host through OnMouseDown and OnMouseMove) and a late-bound
// object with these members (dispatch ids):
//   FileName      0x68020101  path (backslashes, any case); PNG, JPEG, GIF (first frame), BMP.
//                             "" unloads. A missing file raises 53, an unreadable one 75, a file
//                             that is not such a picture 481; the previous picture stays.
//   FXEnabled     0x68020102  kept; this control draws no transition effects
//   AutoSize      0x68020103  0: actual size, the picture's pixel (CropX, CropY) at the top-left
//                             corner; 1: as 0, and the control takes the picture's size (on
//                             loading and when set); 2: stretched to the control's size.
//                             Other values raise 380.
//   CropX, CropY  0x68020104/5 pan offsets in picture pixels (negative values become 0)
//   IWidth, IHeight 0x68020106/7 the picture's size in pixels, read-only (0 with none)
//   Picture       0x68020108  read-only: the whole picture as a platform picture object
//                             (PictureObject.h; Nothing with none)
//   Capture       0x68020109  3: setting PrinterhDC prints the picture; other values are kept
//   PrinterWidth, PrinterHeight, PrinterLeft, PrinterTop 0x6802010A..D  the print rectangle,
//                             twips on the printed page
//   PrinterhDC    0x6802010E  the printer's device context, set last: with Capture 3 and a
//                             picture loaded it hands the whole picture, the print rectangle and
//                             the device context to the print hook; without a hook it raises 482
//   MousePointer  -521        0 default ... 15, or 99: MouseIcon shown as the pointer; others 380
//   MouseIcon     -522        a picture, by Set or Let: a platform picture object or picture box;
//                             Nothing clears it; any other object raises 481
//   height, Width, Left, Top, Move, Visible  as on every window (ControlMembers.h)
//   Refresh, Parent           ControlMembers.h
// Keys: shown at actual size and larger than the control, the picture pans with the arrow keys
// (kPanStepPx a press), Page Up and Page Down (a control's height), Home (to the top-left
// corner). A click gives the control the keyboard. To assistive technology it is an image, named
// by its host.
// Memory: a JPEG shown fitted is decoded at the reduced scale the control's size allows and
// only its fitted pixels are kept. Actual size shows at once what is in view (a baseline JPEG's
// region decoded alone, a progressive one's reduced picture stretched) while the whole picture
// decodes in the background; a timer on the control's thread collects it and repaints
// (PictureStore.h). Tests choose Deferred decoding and end it with FinishBackgroundDecode.
#include <cstdint>
#include <functional>
#include <string>

#include "hostkit/base/PictureStore.h"
#include "platform/Timer.h"
#include "platform/Window.h"
#include "runtime/DispatchTable.h"

namespace quindel::platform {
class Platform;
}

namespace quindel::hostkit {

class PictureControl : public platform::Window, public TableDispatch {
  public:
    // Where and on which device the picture is printed: the rectangle in twips on the page.
    struct PrintRect {
        std::int32_t left = 0, top = 0, width = 0, height = 0;
    };
    // The printing service plugs in here; it is called once per print, on the UI thread, with
    // the whole picture at its own size (the hook scales it into the rectangle).
    using PrintHook = std::function<void(const platform::Image& picture, const PrintRect& rect,
                                         std::int32_t hdc)>;

    PictureControl(platform::Platform& p, platform::Window* parent);

    void setPrintHook(PrintHook hook) { printHook_ = std::move(hook); }
    std::string TypeName() const override { return "PictureControl"; }

    const std::string& FileName() const { return fileName_; }
    void setFileName(const std::string& path);
    std::int16_t AutoSize() const { return autoSize_; }
    void setAutoSize(std::int16_t mode);
    std::int32_t CropX() const { return cropX_; }
    void setCropX(std::int32_t v);
    std::int32_t CropY() const { return cropY_; }
    void setCropY(std::int32_t v);
    std::int32_t IWidth() const { return store_.Size().width; }
    std::int32_t IHeight() const { return store_.Size().height; }
    Object Picture();
    void setMousePointerMember(std::int16_t v);
    const Object& MouseIconObject() const { return mouseIcon_; }
    void setMouseIconObject(const Object& icon);
    void setPrinterhDC(std::int32_t hdc);

    // Pixel memory the control holds for its picture, and the size of its last decode.
    std::int64_t HeldBytes() const { return store_.HeldBytes(); }
    platform::PictureSize DecodedSize() const { return store_.LastDecodeSize(); }
    // How the whole picture is decoded for actual size; and ending that decode now.
    void setBackgroundMode(BackgroundDecode::Mode m) { store_.setBackgroundMode(m); }
    bool BackgroundDecodePending() const { return store_.FullPending(); }
    void FinishBackgroundDecode();

    static constexpr int kCollectEveryMs = 15;

    void Paint(platform::Image& img) const override;

    static constexpr int kPanStepPx = 40;

  protected:
    bool FocusOnClick() const override { return true; }
    void Describe(platform::AccessibleDescription& d) const override;
    void KeyDownDefault(std::int16_t keyCode, std::int16_t shift) override;

  private:
    void DeclareMembers();
    // Pans by (dx, dy) pixels, within the picture.
    void PanBy(int dx, int dy);
    void Repaint() { Changed(platform::Aspect::Content); }
    void TakePictureSize();
    DecodeTarget TargetForLoad() const;
    // The background decode's end, looked for on the timer.
    void Collect();

    mutable PictureStore store_;  // decodes on demand while painting
    mutable platform::Timer collect_;
    std::string fileName_;
    bool fxEnabled_ = false;
    std::int16_t autoSize_ = 0;
    std::int32_t cropX_ = 0, cropY_ = 0;
    Object mouseIcon_;
    std::int16_t capture_ = 0;
    PrintRect printRect_;
    std::int32_t printerHdc_ = 0;
    PrintHook printHook_;
};

}  // namespace quindel::hostkit
