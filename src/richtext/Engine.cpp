#include "richtext/Engine.h"

#include <algorithm>
#include <limits>

#include "richtext/PlainTextReader.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"

namespace quindel::richtext {

namespace {

Document Parse(std::string_view bytes) {
    return RtfReader::IsRtf(bytes) ? RtfReader::Read(bytes) : PlainTextReader::Read(bytes);
}

}  // namespace

Engine::Engine(const platform::TextService& text, int twipsPerPixel)
    : text_(text), tpp_(twipsPerPixel) {
    Relayout();
}

void Engine::Relayout() {
    const std::int32_t width = layout_ ? layout_->Width() : Layout::kDefaultWidth;
    painter_.reset();
    layout_ = std::make_unique<Layout>(doc_, text_, tpp_);
    layout_->SetWidth(width);
    painter_ = std::make_unique<Painter>(*layout_);
}

void Engine::Load(std::string_view bytes) {
    doc_ = Parse(bytes);
    selStart_ = selLength_ = 0;
    Relayout();
}

void Engine::Append(std::string_view bytes) {
    const Document more = Parse(bytes);
    const Paragraph& last = doc_.Paragraphs().back();
    doc_.EndParagraph(last.format, last.markFormat, ParaEnd::Paragraph);
    doc_.Append(more);
    Select(selStart_, selLength_);
    Relayout();
}

std::string Engine::Rtf() const {
    return RtfWriter::Write(doc_);
}

std::string Engine::SelectedRtf() const {
    return RtfWriter::Write(doc_, selStart_, selLength_);
}

void Engine::Select(std::int32_t start, std::int32_t length) {
    selStart_ = std::clamp(start, 0, doc_.Length());
    selLength_ = std::clamp(length, 0, doc_.Length() - selStart_);
}

void Engine::SetWidth(std::int32_t twips) {
    layout_->SetWidth(twips);
}

std::int32_t Engine::DocHeight() {
    return std::int32_t(
        std::min<std::int64_t>(layout_->Height(), std::numeric_limits<std::int32_t>::max()));
}

void Engine::Paint(platform::Image& target, std::int32_t scrollX, std::int32_t scrollY,
                   PaintOptions options) {
    options.selectionStart = selStart_;
    options.selectionLength = selLength_;
    painter_->Paint(target, scrollX, scrollY, options);
}

}  // namespace quindel::richtext
