// The rich-text box's font table: the document's own entries, and the host's for the font
// numbers the document names without defining them.
#include <algorithm>
#include <vector>

#include "hostkit/richtextbox/RichTextBox.h"
#include "richtext/RtfWriter.h"
#include "runtime/VbError.h"

namespace quindel::hostkit {

namespace {

constexpr std::int32_t kLastFamily = std::int32_t(richtext::FontFamily::Bidi);

richtext::FontEntry ToEntry(std::int32_t number, const RichTextBox::FontFields& f) {
    richtext::FontEntry e;
    e.number = number;
    e.family = richtext::FontFamily(f.family);
    e.charset = f.charset;
    e.pitch = f.pitch;
    e.codePage = f.codePage;
    e.face = f.face;
    return e;
}

}  // namespace

bool RichTextBox::UsesFont(std::int32_t number) const {
    const richtext::Document& doc = engine_->document();
    const bool byDefault = doc.Settings().defaultFont == number;
    return std::ranges::any_of(doc.CharFormats(), [&](const richtext::CharFormat& f) {
        return f.font == number || (f.font < 0 && byDefault);
    });
}

RichTextBox::FontFields RichTextBox::FontTableEntry(std::int32_t number) const {
    if (number < 0) Raise(9);
    FontFields f;
    f.face = kDefaultFace;
    if (auto own = fonts_.find(number); own != fonts_.end()) {
        f = own->second;
    } else if (const richtext::FontEntry* e = engine_->document().Fonts().Find(number)) {
        f.family = std::int32_t(e->family);
        f.charset = e->charset;
        f.face = e->face;
        f.pitch = e->pitch;
        f.codePage = e->codePage;
    }
    f.used = UsesFont(number) ? 1 : 0;
    return f;
}

void RichTextBox::setFontTableEntry(std::int32_t number, const FontFields& f) {
    if (number < 0) Raise(9);
    if (f.family < 0 || f.family > kLastFamily) Raise(380);
    FontFields kept = f;
    kept.used = 0;
    fonts_[number] = kept;
    ApplyHostFonts();
    UpdateView();
}

void RichTextBox::setFontTableSize(std::int32_t n) {
    if (n < 0) Raise(380);
    fonts_.erase(fonts_.lower_bound(n), fonts_.end());
}

// The engine shows a document's own table only: the host's entries for the numbers it lacks go
// into a copy, which becomes the document (its text and selection unchanged).
void RichTextBox::ApplyHostFonts() {
    const richtext::Document& doc = engine_->document();
    std::vector<richtext::FontEntry> missing;
    for (const auto& [number, f] : fonts_)
        if (!doc.Fonts().Find(number) && UsesFont(number)) missing.push_back(ToEntry(number, f));
    if (missing.empty()) return;
    richtext::Document completed = doc;
    for (const richtext::FontEntry& e : missing) completed.Fonts().Put(e);
    const std::int32_t start = SelStart(), length = SelLength();
    engine_->Load(richtext::RtfWriter::Write(completed));
    engine_->Select(start, length);
}

}  // namespace quindel::hostkit
