// The reader's control words, by family.
#include <algorithm>

#include "richtext/RtfReader.h"

namespace quindel::richtext {

namespace {

using A = RtfAction;

// Twips are kept within about 140 inches, so sums of indents and widths never overflow.
constexpr std::int32_t kMaxTwips = 200000;

std::int32_t Twips(const RtfToken& t) {
    return std::clamp(t.param, -kMaxTwips, kMaxTwips);
}

bool In(A a, A first, A last) {
    return a >= first && a <= last;
}

// A toggle is on without a parameter and with any parameter but 0.
bool On(const RtfToken& t) {
    return !t.hasParam || t.param != 0;
}

bool IsDestination(A a) {
    return In(a, A::FontTable, A::UnicodePart);
}

// What may still act once the document's group has closed: paragraph and line structure.
bool AllowedAfterClose(const RtfWord& w) {
    return w.action == A::Par || w.action == A::Page ||
           (w.action == A::Char && (w.value == 0x09 || w.value == 0x0B));
}

}  // namespace

void RtfReader::Word(const RtfToken& t) {
    FlushRun();
    const RtfWord* w = FindControlWord(t.text);
    if (std::exchange(starred_, false) && (!w || !IsDestination(w->action))) {
        S().dest = Dest::Skip;
        return;
    }
    // The Unicode part of an \upr group is read although the group around it is skipped.
    if (w && w->action == A::UnicodePart) {
        UnicodePartWord();
        return;
    }
    if (!w || S().dest == Dest::Skip) return;
    if (documentClosed_ && !AllowedAfterClose(*w)) return;
    if (w->action == A::Unicode || w->action == A::UnicodeSkip) {
        DocumentWord(*w, t);
        return;
    }
    if (w->action == A::Upr) {
        UprWord();
        return;
    }
    if (IsDestination(w->action)) {
        DestinationWord(*w);
        return;
    }
    switch (S().dest) {
        case Dest::FontTable:
            FontTableWord(*w, t);
            return;
        case Dest::ColourTable:
            ColourTableWord(*w, t);
            return;
        case Dest::Picture:
            PictureWord(*w, t);
            return;
        default:
            break;
    }
    const A a = w->action;
    if (In(a, A::Rtf, A::Unicode)) DocumentWord(*w, t);
    if (a == A::Font || In(a, A::Plain, A::Hidden)) CharWord(*w, t);
    if (In(a, A::Par, A::Section)) ParaWord(*w, t);
    if (a == A::Char) EmitCodePoint(char32_t(w->value));
    if (In(a, A::RowDefaults, A::Row)) TableWord(*w, t);
}

void RtfReader::DocumentWord(const RtfWord& w, const RtfToken& t) {
    DocumentSettings& s = doc_.Settings();
    switch (w.action) {
        case A::Rtf:
            if (documentDepth_ == 0) documentDepth_ = Depth();
            break;
        case A::CodePage:
            s.codePage = w.value;
            pageFont_ = kNoFont;
            break;
        case A::AnsiCodePage:
            if (t.param > 0) s.codePage = t.param;
            pageFont_ = kNoFont;
            break;
        case A::DefaultFont:
            s.defaultFont = t.param;
            pageFont_ = kNoFont;
            break;
        case A::DefaultLanguage:
            s.language = t.param;
            break;
        case A::DefaultTab:
            if (t.param > 0) s.defaultTab = std::min(t.param, kMaxTwips);
            break;
        case A::PageSetupWord:
            PageSetupWord(w, t);
            break;
        case A::UnicodeSkip:
            S().skipAfterUnicode = std::clamp(t.param, 0, 255);
            break;
        case A::Unicode:
            Unicode(t.param);
            break;
        default:
            break;
    }
}

void RtfReader::DestinationWord(const RtfWord& w) {
    switch (w.action) {
        case A::FontTable:
            S().dest = Dest::FontTable;
            fontDepth_ = Depth();
            break;
        case A::ColourTable:
            S().dest = Dest::ColourTable;
            rgbSet_ = false;
            break;
        case A::Skip:
            S().dest = Dest::Skip;
            break;
        case A::Picture:
            if (pictDepth_ != 0 || S().hidden || documentClosed_) {
                S().dest = Dest::Skip;
                break;
            }
            S().dest = Dest::Picture;
            pictDepth_ = Depth();
            pict_ = PendingPicture{};
            break;
        default:
            break;
    }
}

void RtfReader::CharWord(const RtfWord& w, const RtfToken& t) {
    CharFormat& c = S().chr;
    switch (w.action) {
        case A::Font:
            if (t.hasParam) c.font = t.param;
            break;
        case A::Plain:
            c = CharFormat{};
            S().hidden = false;
            break;
        case A::Bold:
            c.bold = On(t);
            break;
        case A::Italic:
            c.italic = On(t);
            break;
        case A::Underline:
            c.underline = On(t);
            c.underlineStyle = c.underline ? UnderlineStyle(w.value) : UnderlineStyle::Single;
            break;
        case A::UnderlineNone:
            c.underline = false;
            c.underlineStyle = UnderlineStyle::Single;
            break;
        case A::Strike:
            c.strike = On(t);
            c.doubleStrike = c.strike && w.value == 1;
            break;
        case A::FontSize:
            c.halfPoints = std::int16_t(t.param > 0 ? std::min(t.param, 3276) : 24);
            break;
        case A::Colour:
            c.colour = std::int16_t(std::clamp(t.param, 0, 32767));
            break;
        case A::Highlight:
            c.highlight = std::int16_t(std::clamp(t.param, 0, 32767));
            break;
        case A::Script:
            c.script = On(t) ? Script(w.value) : Script::Normal;
            break;
        case A::Hidden:
            S().hidden = On(t);
            break;
        default:
            break;
    }
}

void RtfReader::ParaWord(const RtfWord& w, const RtfToken& t) {
    ParaFormat& p = S().para;
    switch (w.action) {
        case A::Par:
            EndParagraph(ParaEnd::Paragraph);
            break;
        case A::Page:
            EndParagraph(ParaEnd::Paragraph);
            pageBreakNext_ = true;
            break;
        case A::Section:
            EndParagraph(ParaEnd::Paragraph);
            sectionEnded_ = true;
            break;
        case A::Pard:
            p = ParaFormat{};
            S().inTable = false;
            pendingTab_ = {};
            break;
        case A::Align:
            p.align = Align(w.value);
            break;
        case A::LeftIndent:
            p.left = Twips(t);
            break;
        case A::RightIndent:
            p.right = Twips(t);
            break;
        case A::FirstIndent:
            p.first = Twips(t);
            break;
        case A::SpaceBefore:
            p.before = std::max(0, Twips(t));
            break;
        case A::SpaceAfter:
            p.after = std::max(0, Twips(t));
            break;
        case A::LineSpacing:
            p.lineSpacing = Twips(t);
            break;
        case A::LineMultiple:
            p.lineMultiple = On(t);
            break;
        case A::Tab:
            p.AddTab(std::max(0, Twips(t)), std::exchange(pendingTab_, {}));
            break;
        case A::TabAlignWord:
            pendingTab_.align = TabAlign(w.value);
            break;
        case A::TabLeaderWord:
            pendingTab_.leader = TabLeader(w.value);
            break;
        case A::BarTab:
            p.AddTab(std::max(0, Twips(t)), {TabAlign::Bar, TabLeader::None});
            pendingTab_ = {};
            break;
        case A::PageBreakBefore:
            p.pageBreakBefore = On(t);
            break;
        case A::InTable:
            S().inTable = On(t);
            break;
        case A::TableLevel:
            S().inTable = t.param > 0;
            break;
        default:
            break;
    }
}

void RtfReader::PageSetupWord(const RtfWord& w, const RtfToken& t) {
    // Section words count in the first section only: that is the page printing starts with.
    if (w.value >= kSectionForm && sectionEnded_) return;
    PageSetup& page = doc_.Settings().page;
    const auto field = PageField(w.value % kSectionForm);
    if (field == PageField::Landscape) {
        page.landscape = On(t);
        return;
    }
    const std::int32_t v = Twips(t);
    const bool paper = field == PageField::PaperWidth || field == PageField::PaperHeight;
    if (!t.hasParam || v < (paper ? 1 : 0)) return;
    std::int32_t* const fields[] = {&page.paperWidth,  &page.paperHeight, &page.marginLeft,
                                    &page.marginRight, &page.marginTop,   &page.marginBottom};
    *fields[std::size_t(field)] = v;
}

void RtfReader::UprWord() {
    auto it = uprParts_.find(tokens_.Offset());
    if (it == uprParts_.end()) {
        ScanUpr();
        it = uprParts_.find(tokens_.Offset());
    }
    if (it == uprParts_.end() || !it->second) return;
    S().upr = true;
    S().uprDest = S().dest;
    S().dest = Dest::Skip;
}

void RtfReader::UnicodePartWord() {
    if (states_.size() < 2 || overflow_ > 0) return;
    const State& parent = states_[states_.size() - 2];
    if (parent.upr) S().dest = parent.uprDest;
}

void RtfReader::ScanUpr() {
    struct Frame {
        std::vector<std::size_t> keys;  // the \upr words of the group
        std::int64_t depth = 0;
        bool ud = false;
    };
    RtfTokenizer peek = tokens_;
    std::vector<Frame> frames(1);
    frames.back().keys.push_back(tokens_.Offset());
    std::int64_t depth = 0;  // of groups opened since the \upr word
    int child = 0;           // 1 just after a child group's brace, 2 after its \*
    while (!frames.empty()) {
        const RtfToken t = peek.Next();
        if (t.kind == RtfToken::Kind::End) break;
        const int at = std::exchange(child, 0);
        const std::int64_t top = frames.back().depth;
        if (t.kind == RtfToken::Kind::Open && ++depth == top + 1) child = 1;
        if (t.kind == RtfToken::Kind::Symbol && at == 1 && t.symbol == '*') child = 2;
        if (t.kind == RtfToken::Kind::Word && at > 0 && t.text == "ud") frames.back().ud = true;
        if (t.kind == RtfToken::Kind::Word && t.text == "upr") {
            if (depth != top) frames.push_back({{}, depth, false});
            frames.back().keys.push_back(peek.Offset());
        }
        if (t.kind == RtfToken::Kind::Close && depth-- == top) {
            for (std::size_t key : frames.back().keys) uprParts_[key] = frames.back().ud;
            frames.pop_back();
        }
    }
    // A document cut short inside the group: what was seen of it counts.
    for (const Frame& f : frames)
        for (std::size_t key : f.keys) uprParts_[key] = f.ud;
}

void RtfReader::TableWord(const RtfWord& w, const RtfToken& t) {
    switch (w.action) {
        case A::RowDefaults:
            rowDef_ = TableRow{};
            break;
        case A::CellRight:
            if (rowDef_.rightEdges.size() < limits_.cells) rowDef_.rightEdges.push_back(Twips(t));
            break;
        case A::CellGap:
            rowDef_.gap = std::clamp(Twips(t), 0, 20000);
            break;
        case A::RowLeft:
            rowDef_.left = Twips(t);
            break;
        case A::RowHeight:
            rowDef_.minHeight = Twips(t);
            break;
        case A::Border:
            rowDef_.borders = true;
            break;
        case A::Cell:
            EndCell();
            break;
        case A::Row:
            EndRow();
            break;
        default:
            break;
    }
}

}  // namespace quindel::richtext
