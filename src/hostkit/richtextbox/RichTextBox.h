#pragma once
// A rich-text box: a window of its own kind showing one rich-text document. Hosts hand it to the
// panel as its text and caption controls; the copy and print dialogs keep hidden ones as engine
// instances. Contract:
// - The document is laid out to DocWidth twips (0: the width of the text area) and shown from
//   (ScrollHorz, ScrollVert) twips, kMarginPx pixels inside the client area, painted through the
//   platform's text service with the selection inverted: alike on every backend.
// - A vertical scroll bar (a child window) stands at the right edge as ScrollBars says: 2 or 3
//   always, 4 (the default) while the document is taller than the text area, 0 or 1 never.
// - The user reads and never edits. The mouse selects (press, drag; a press with Shift extends),
//   the wheel, the bar and the keys Up, Down, PageUp, PageDown, Home and End scroll, Ctrl+A
//   selects everything, Ctrl+C and Ctrl+Insert copy the selection as RTF and plain text; other
//   keys do nothing. A selection made by the mouse or by Ctrl+A also goes to the desktop's
//   selection buffer (X11's primary selection), where the middle button pastes it. Dragging and
//   copying are the box's own reactions to input, so a host's handlers on it take nothing away.
// - To assistive technology it is a read-only document whose text is the plain text.
// - Positions and lengths count the code points of the plain text (richtext/Document.h).
// - A file to load must be a regular file of at most kMaxTextFileBytes (a FIFO or a device is
//   refused at once, never waited on or read without end).
// - Failures are run-time errors: 53 for a file to load that is not there, 75 for a file that
//   cannot be read or written, is no regular file or is larger than the cap, 380 for a setting out
//   of its range, 9 for a negative font number, 521 when the platform has no clipboard.
// - Its late-bound members are declared in RichTextMembers.cpp; the README's section "The
//   rich-text control" lists them by dispatch id with the meaning of each setting.
#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "contract/Declare.h"
#include "platform/Window.h"
#include "richtext/Engine.h"
#include "richtext/EngineServices.h"
#include "runtime/DispatchTable.h"

namespace quindel::platform {
class VScrollBar;
}

namespace quindel::hostkit {

class RichTextBox : public platform::Window, public TableDispatch {
  public:
    static constexpr int kMarginPx = 4;  // between the client area's edge and the text
    static constexpr int kBarPx = 16;    // width of the scroll bar
    static constexpr int kLinePx = 16;   // one scroll step: arrows, keys, a third of a notch
    // 32 MB: far more than any article or caption, little enough to lay out in a few seconds.
    static constexpr std::int64_t kMaxTextFileBytes = 32LL * 1024 * 1024;

    // The eleven fields of a font-table entry, in the order FontTableGet and FontTablePut pass
    // them: family (0 nil, 1 roman, 2 swiss, 3 modern, 4 script, 5 decor, 6 tech, 7 bidi),
    // charset (\fcharset: 0 ANSI, 2 symbol, 238 Central European, ...), face, points, pitch
    // (0 default, 1 fixed, 2 variable), weight (0 any, 400 normal, 700 bold), italic, underline,
    // strike (non-zero: so), codePage (\cpg; 0: the charset's) and used (read: 1 when some text
    // is in this font; ignored by a put). The document's table holds family, charset, face, pitch
    // and code page; the others are kept with the host's entries and read back, and do not
    // restyle text. An entry neither the host nor the document gives is in kDefaultFace.
    using FontFields = richtext::FontFields;
    static constexpr const char* kDefaultFace = "Times New Roman";

    // Values the engine's users set and read back; the README gives each one's meaning.
    struct Settings {
        std::int32_t selFType = 63;     // 2, SelFType
        std::int32_t viewMode = 1;      // 33
        std::int32_t writeProtect = 0;  // 103, WriteProtect
        std::int32_t scrollBarH = 1;    // ScrollBarH
        std::int32_t pageRange = 0;     // 49
        std::int32_t regionRange = 0;   // 112
        Object baseFont;                // 113
    };

    RichTextBox(platform::Platform& p, platform::Window* parent);
    ~RichTextBox() override;

    std::string TypeName() const override { return "RichTextBox"; }
    // The live box whose EngineHandle is handle on platform p, or null.
    static RichTextBox* FromHandle(platform::Platform& p, std::int32_t handle);
    std::int32_t EngineHandle() const { return hWnd(); }
    richtext::Engine& engine() const { return *engine_; }
    Settings& settings() { return settings_; }

    // --- the document and its selection
    std::string FText() const { return engine_->Rtf(); }
    // RTF, or plain text when it does not begin with "{\rtf".
    void setFText(const std::string& content);
    std::string SelText() const { return engine_->SelectedText(); }
    std::int32_t SelStart() const { return engine_->SelStart(); }
    void setSelStart(std::int32_t v);
    std::int32_t SelLength() const { return engine_->SelLength(); }
    void setSelLength(std::int32_t v);
    std::int32_t TextLength() const { return engine_->TextLength(); }
    void Select(std::int32_t start, std::int32_t length);
    void ClearAll();

    // --- files (RichTextFiles.cpp). DataType: 3 reads RTF, or plain text when the file is not
    // RTF; 1 reads plain text. FileLoad: 2 replaces the document with FileName, 1 appends it.
    // FileSave: 1 writes the selection (the whole document when none), 2 the whole document,
    // as RTF, to SaveName (".rtf" added to a name without extension). 0 does nothing.
    const std::string& FileName() const { return fileName_; }
    void setFileName(const std::string& v) { fileName_ = v; }
    std::int16_t DataType() const { return dataType_; }
    void setDataType(std::int16_t v);
    std::int16_t FileLoad() const { return fileLoad_; }
    void setFileLoad(std::int16_t mode);
    const std::string& SaveName() const { return saveName_; }
    void setSaveName(const std::string& v) { saveName_ = v; }
    std::int16_t FileSave() const { return fileSave_; }
    void setFileSave(std::int16_t mode);

    // --- the clipboard. ClipCopy: 2 copies the selection as RTF and plain text, 1 as plain
    // text alone, 0 does nothing. An empty selection leaves the clipboard as it is.
    void Copy(bool withRtf);
    std::int16_t ClipCopy() const { return clipCopy_; }
    void setClipCopy(std::int16_t mode);

    // --- the font table (RichTextFonts.cpp), by font number (\fN). Text in a font the
    // document names without defining it shows in the host's entry for that number. Reading
    // gives the host's entry when it put one, else the document's own, else the defaults above.
    FontFields FontTableEntry(std::int32_t number) const;
    void setFontTableEntry(std::int32_t number, const FontFields& f);
    // How many entries the host has put; n keeps those numbered below n (0 drops them all).
    std::int32_t FontTableSize() const { return std::int32_t(fonts_.size()); }
    void setFontTableSize(std::int32_t n);

    // --- the view (RichTextView.cpp)
    std::int32_t DocWidth() const { return engine_->Width(); }
    void setDocWidth(std::int32_t twips);
    std::int32_t DocHeight() const { return engine_->DocHeight(); }
    std::int32_t ScrollHorz() const { return scrollX_; }
    void setScrollHorz(std::int32_t twips);
    std::int32_t ScrollVert() const { return scrollY_; }
    void setScrollVert(std::int32_t twips);
    std::int16_t ScrollBars() const { return scrollBars_; }
    void setScrollBars(std::int16_t mode);
    bool ShowSelection() const { return showSelection_; }
    void setShowSelection(bool v);
    // 0 none, 1 a one-pixel frame.
    std::int16_t BorderStyle() const { return borderStyle_; }
    void setBorderStyle(std::int16_t v);
    // The scroll bar, null until one was first needed.
    platform::VScrollBar* ScrollBar() const { return bar_.get(); }
    // The box's own painting (frame and text, not the scroll bar) at its size in pixels.
    platform::Image Surface() const;

    void Move(std::int32_t left, std::int32_t top, std::int32_t width,
              std::int32_t height) override;
    platform::PointPx ClientOriginPx() const override { return {borderStyle_, borderStyle_}; }
    std::int32_t ScaleWidth() const override;
    std::int32_t ScaleHeight() const override;
    void Paint(platform::Image& img) const override;

  protected:
    bool FocusOnClick() const override { return true; }
    // A read-only document whose text is the readable text.
    void Describe(platform::AccessibleDescription& d) const override;
    void MouseDownDefault(const platform::MouseArgs& a) override;
    void MouseUpDefault(const platform::MouseArgs& a) override;
    void KeyDownDefault(std::int16_t keyCode, std::int16_t shift) override;
    void MouseMoveDefault(const platform::MouseArgs& a) override { DragTo(a); }
    bool WheelDefault(int delta) override;

  private:
    using Declare = contract::Declare<RichTextBox>;
    void DeclareMembers();
    void DeclareDocument(Declare& m);
    void DeclareFiles(Declare& m);
    void DeclareSettings(Declare& m);
    void DeclareWindow(Declare& m);
    void MoveArgs(Args& a);
    Object ParentObject() const;
    void Repaint() { Changed(platform::Aspect::Content); }

    // After the document was replaced (keepView: appended to): fonts, selection, view.
    void Loaded(bool keepView);
    void ApplyHostFonts();
    bool UsesFont(std::int32_t number) const;
    std::string ReadFile() const;

    // The text area in twips, and the layout and scroll limits it gives.
    std::int32_t TextWidth() const;
    std::int32_t TextHeight() const;
    std::int32_t MaxScrollHorz() const;
    std::int32_t MaxScrollVert() const;
    std::int32_t LineStep() const;
    void FitLayout();
    // Lays out for the current size and settings, places the scroll bar, repaints.
    void UpdateView();
    void PlaceBar();
    void PaintText(platform::Image& area) const;
    std::int32_t PositionAt(float x, float y) const;
    void SelectTo(std::int32_t position);
    void DragTo(const platform::MouseArgs& a);
    void KeyDown(std::int16_t keyCode, std::int16_t shift);
    // The selection the user made becomes the desktop's selection buffer, as text views do there.
    void OfferSelection();

    std::unique_ptr<richtext::Engine> engine_;
    Settings settings_;
    std::map<std::int32_t, FontFields> fonts_;
    std::string fileName_, saveName_;
    std::int16_t dataType_ = 3, fileLoad_ = 0, fileSave_ = 0, clipCopy_ = 0;
    std::int32_t docWidth_ = 0;  // 0: the text area's width
    std::int32_t scrollX_ = 0, scrollY_ = 0;
    std::int16_t scrollBars_ = 4;
    std::int16_t borderStyle_ = 0;
    bool showSelection_ = true;
    std::shared_ptr<platform::VScrollBar> bar_;
    bool barShown_ = false;
    bool placingBar_ = false;  // the bar's own change events are ours, not the user's
    std::int32_t anchor_ = 0;  // where a drag or a Shift press extends the selection from
    bool dragging_ = false;
};

}  // namespace quindel::hostkit
