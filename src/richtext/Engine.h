#pragma once
// The rich-text engine as a display control sees it: one document with its selection, its
// layout for a width, painting and hit testing. This is the whole surface a rich-text control
// needs; the parts (Document, RtfReader, RtfWriter, Layout, Painter) stay reachable for more.
//
// - Load takes any bytes: RTF when they begin with "{\rtf", plain text otherwise (see
//   PlainTextReader); it replaces the document, selects nothing and keeps the width.
// - Rtf is the whole document as RTF (RtfWriter), SelectedRtf the selection alone.
// - Positions and lengths count the code points of the plain text (see Document.h: a
//   paragraph end is CR LF, a cell end TAB, a row end CR LF). Select clamps to the text, so a
//   length past the end selects to the end.
// - Width is the wrapping width in twips (0 or less: 6.5 inches). DocHeight lays out the
//   whole document and is exact; painting and hit testing lay out only as far as they look.
// - Coordinates are document twips, scroll offsets included by the caller: the point (0, 0)
//   is the top-left corner of the document.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/Image.h"
#include "platform/TextService.h"
#include "richtext/Document.h"
#include "richtext/Layout.h"
#include "richtext/Painter.h"

namespace quindel::richtext {

class Engine {
  public:
    explicit Engine(const platform::TextService& text, int twipsPerPixel = 15);

    // --- content
    void Load(std::string_view bytes);
    std::string Rtf() const;
    // Appends RTF or plain text after the document's end, as a new paragraph.
    void Append(std::string_view bytes);
    std::string Text() const { return doc_.PlainText(); }
    std::int32_t TextLength() const { return doc_.Length(); }
    const Document& document() const { return doc_; }

    // --- selection
    void Select(std::int32_t start, std::int32_t length);
    void SelectAll() { Select(0, TextLength()); }
    std::int32_t SelStart() const { return selStart_; }
    std::int32_t SelLength() const { return selLength_; }
    std::string SelectedText() const { return doc_.PlainText(selStart_, selLength_); }
    std::string SelectedRtf() const;

    // --- layout and view
    void SetWidth(std::int32_t twips);
    std::int32_t Width() const { return layout_->Width(); }
    std::int32_t DocHeight();
    Layout& layout() { return *layout_; }
    void Paint(platform::Image& target, std::int32_t scrollX, std::int32_t scrollY,
               PaintOptions options = {});
    std::int32_t HitTest(std::int32_t x, std::int32_t y) { return layout_->HitTest(x, y); }
    CaretRect Caret(std::int32_t pos) { return layout_->Caret(pos); }

  private:
    void Relayout();

    const platform::TextService& text_;
    int tpp_;
    Document doc_;
    std::unique_ptr<Layout> layout_;
    std::unique_ptr<Painter> painter_;
    std::int32_t selStart_ = 0;
    std::int32_t selLength_ = 0;
};

}  // namespace quindel::richtext
