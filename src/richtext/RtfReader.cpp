// The reader's main loop: tokens, groups and text.
#include "richtext/RtfReader.h"

#include <algorithm>

#include "runtime/Text.h"

namespace quindel::richtext {

RtfReader::RtfReader(std::string_view bytes, const RtfLimits& limits)
    : in_(bytes), limits_(limits), tokens_(bytes), states_(1) {}

bool RtfReader::IsRtf(std::string_view bytes) {
    std::size_t i = 0;
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") i = 3;
    while (i < bytes.size() &&
           (bytes[i] == ' ' || bytes[i] == '\t' || bytes[i] == '\r' || bytes[i] == '\n'))
        ++i;
    return bytes.substr(i, 5) == "{\\rtf";
}

Document RtfReader::Read(std::string_view bytes, const RtfLimits& limits) {
    RtfReader first(bytes, limits);
    std::size_t next = first.Run();
    Document doc = std::move(first.doc_);
    while (next < bytes.size()) {
        RtfReader more(bytes.substr(next), limits);
        const std::size_t used = more.Run();
        doc.Append(more.doc_);
        if (used == 0) break;
        next += used;
    }
    return doc;
}

std::size_t RtfReader::Run() {
    for (;;) {
        const std::size_t at = tokens_.Offset();
        RtfToken t = tokens_.Next();
        if (t.kind == RtfToken::Kind::End) break;
        if (documentClosed_ && t.kind == RtfToken::Kind::Open && Depth() == 0 && overflow_ == 0) {
            RtfTokenizer peek = tokens_;
            const RtfToken after = peek.Next();
            if (after.kind == RtfToken::Kind::Word && after.text == "rtf") {
                Finish();
                return at;
            }
        }
        if (fallbackLeft_ > 0 && SkipFallback(t)) continue;
        Token(t);
    }
    Finish();
    return in_.size();
}

void RtfReader::Token(const RtfToken& t) {
    // Inside groups nested past the limit only braces count.
    if (overflow_ > 0 && t.kind != RtfToken::Kind::Open && t.kind != RtfToken::Kind::Close) return;
    switch (t.kind) {
        case RtfToken::Kind::Open:
            FlushRun();
            Open();
            break;
        case RtfToken::Kind::Close:
            FlushRun();
            Close();
            break;
        case RtfToken::Kind::Word:
            Word(t);
            break;
        case RtfToken::Kind::Symbol:
            Symbol(t.symbol);
            break;
        case RtfToken::Kind::Hex:
            Hex(std::uint8_t(t.param));
            break;
        case RtfToken::Kind::Text:
            Text(t.text);
            break;
        case RtfToken::Kind::Binary:
            if (S().dest == Dest::Picture) PictureBinary(t.text);
            break;
        default:
            break;
    }
}

// The characters after \uN that stand in for it in readers without Unicode: a text byte, a
// \'hh, a control word or symbol, a \bin payload each count one; a brace ends the skipping.
bool RtfReader::SkipFallback(RtfToken& t) {
    switch (t.kind) {
        case RtfToken::Kind::Open:
        case RtfToken::Kind::Close:
            fallbackLeft_ = 0;
            return false;
        case RtfToken::Kind::Text: {
            const auto n = std::min<std::size_t>(std::size_t(fallbackLeft_), t.text.size());
            t.text.remove_prefix(n);
            fallbackLeft_ -= std::int32_t(n);
            return t.text.empty();
        }
        default:
            --fallbackLeft_;
            return true;
    }
}

void RtfReader::Open() {
    starred_ = false;
    if (overflow_ > 0 || Depth() >= limits_.depth) {
        ++overflow_;
        return;
    }
    states_.push_back(states_.back());
    S().upr = false;
}

void RtfReader::Close() {
    starred_ = false;
    if (overflow_ > 0) {
        --overflow_;
        return;
    }
    if (Depth() == 0) return;
    if (fontOpen_ && Depth() <= fontDepth_) CommitFont();
    if (pictDepth_ == Depth()) CommitPicture();
    if (Depth() != documentDepth_ || documentClosed_) {
        states_.pop_back();
        return;
    }
    // What follows the document's group (paragraph ends, further documents) goes on in the
    // state the document ended in.
    State closing = S();
    states_.pop_back();
    S() = closing;
    S().dest = Dest::Text;
    documentClosed_ = true;
}

void RtfReader::Finish() {
    DropSurrogate();
    FlushRun();
    pictDepth_ = 0;
    if (fontOpen_) CommitFont();
    if (row_ >= 0) CloseOpenRow();
    const State& st = S();
    ParaFormat pf = st.para;
    pf.pageBreakBefore |= pageBreakNext_;
    lastFormat_ = st.chr;
    lastFormatIndex_ = doc_.InternChar(st.chr);
    doc_.SetLastParagraph(doc_.InternPara(pf), lastFormatIndex_);
}

std::int32_t RtfReader::CurrentCodePage() {
    const std::int32_t font = S().chr.font;
    if (font != pageFont_) {
        pageFont_ = font;
        pagePage_ = FontTable::CodePageOf(doc_.FontOf(S().chr), doc_.Settings().codePage);
    }
    return pagePage_;
}

std::uint32_t RtfReader::CurrentCharFormat() {
    if (!(S().chr == lastFormat_)) {
        lastFormat_ = S().chr;
        lastFormatIndex_ = doc_.InternChar(lastFormat_);
    }
    return lastFormatIndex_;
}

void RtfReader::FlushRun() {
    decoder_.Flush(pending_);
    if (pending_.empty()) return;
    doc_.AppendText(pending_, CurrentCharFormat());
    pending_.clear();
}

void RtfReader::Text(std::string_view bytes) {
    switch (S().dest) {
        case Dest::Text:
            break;
        case Dest::FontTable:
            FontText(bytes);
            return;
        case Dest::ColourTable:
            ColourText(bytes);
            return;
        case Dest::Picture:
            PictureText(bytes);
            return;
        default:
            return;
    }
    if (documentClosed_ || S().hidden) return;
    DropSurrogate();
    // Control bytes other than the tab are noise in RTF text.
    const auto isNoise = [](char c) { return static_cast<unsigned char>(c) < 0x20 && c != '\t'; };
    if (std::none_of(bytes.begin(), bytes.end(), isNoise)) {
        decoder_.Decode(bytes, CurrentCodePage(), pending_);
        return;
    }
    std::string clean(bytes);
    std::erase_if(clean, isNoise);
    decoder_.Decode(clean, CurrentCodePage(), pending_);
}

void RtfReader::Hex(std::uint8_t byte) {
    const char c = char(byte);
    if (S().dest == Dest::FontTable) {
        fontBytes_ += c;
        return;
    }
    if (S().dest != Dest::Text || documentClosed_ || S().hidden) return;
    if (byte < 0x20 && byte != 0x09) return;
    DropSurrogate();
    decoder_.Decode(std::string_view(&c, 1), CurrentCodePage(), pending_);
}

void RtfReader::DropSurrogate() {
    if (!highSurrogate_) return;
    highSurrogate_ = 0;
    if (S().dest != Dest::Text || S().hidden) return;
    decoder_.Flush(pending_);
    pending_ += "\uFFFD";
}

void RtfReader::Emit(std::string_view utf8) {
    if (S().dest != Dest::Text || S().hidden) return;
    DropSurrogate();
    decoder_.Flush(pending_);
    pending_.append(utf8);
}

void RtfReader::EmitCodePoint(char32_t cp) {
    // Paragraph and line structure comes from control words; other control characters and
    // values that are no characters show as the replacement character.
    if (cp < 0x20 && cp != 0x09 && cp != 0x0B) return;
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
    std::string utf8;
    AppendUtf8(utf8, cp);
    if (S().dest == Dest::FontTable) {
        DecodeFontBytes();
        fontName_ += utf8;
        return;
    }
    Emit(utf8);
}

void RtfReader::Unicode(std::int32_t n) {
    fallbackLeft_ = S().skipAfterUnicode;
    if (documentClosed_) return;
    if (S().dest != Dest::Text && S().dest != Dest::FontTable) return;
    const char32_t u = n < 0 ? char32_t(n + 65536) : char32_t(n);
    if (u >= 0xDC00 && u <= 0xDFFF && highSurrogate_) {
        const char32_t high = std::exchange(highSurrogate_, 0);
        EmitCodePoint(0x10000 + ((high - 0xD800) << 10) + (u - 0xDC00));
        return;
    }
    DropSurrogate();
    if (u >= 0xD800 && u <= 0xDBFF) {
        highSurrogate_ = char16_t(u);
        return;
    }
    EmitCodePoint(u);
}

void RtfReader::Symbol(char c) {
    switch (c) {
        case '\\':
        case '{':
        case '}':
            Text(std::string_view(&c, 1));
            break;
        case '~':
            EmitCodePoint(0xA0);
            break;
        case '-':
            EmitCodePoint(0xAD);
            break;
        case '_':
            EmitCodePoint(0x2011);
            break;
        case '*':
            starred_ = true;
            break;
        case '\n':
            FlushRun();
            if (S().dest == Dest::Text) EndParagraph(ParaEnd::Paragraph);
            break;
        default:
            break;
    }
}

}  // namespace quindel::richtext
