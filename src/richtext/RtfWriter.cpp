#include "richtext/RtfWriter.h"

#include <algorithm>
#include <map>

#include "richtext/CodePageDecoder.h"
#include "richtext/RtfControlWords.h"
#include "richtext/SymbolFont.h"
#include "richtext/Utf8.h"

namespace quindel::richtext {

namespace {

constexpr std::int32_t kWrittenCodePage = 1250;
constexpr std::int32_t kWrittenCharset = 238;
constexpr std::int32_t kSymbolCharset = 2;
constexpr std::size_t kHexPerLine = 128;

// The bytes a picture is written with. Other word processors refuse a whole document when a
// picture's bytes are no image they recognise, so bytes without a PNG or JPEG signature (which
// nobody can decode anyway) are written as the bare signature of the picture's kind: still a
// picture of its size, shown as a framed box, in a document every reader opens.
std::string_view WrittenData(const Picture& p) {
    static constexpr std::string_view kPng("\x89PNG\r\n\x1a\n", 8), kJpeg("\xff\xd8\xff\xd9", 4);
    if (p.data.starts_with(kPng) || p.data.starts_with(kJpeg.substr(0, 2))) return p.data;
    return p.kind == Picture::Kind::Png ? kPng : kJpeg;
}

void AppendHex(std::string& out, unsigned char b) {
    static constexpr char kHex[] = "0123456789abcdef";
    out += kHex[b >> 4];
    out += kHex[b & 15];
}

class Writer {
  public:
    explicit Writer(const Document& doc) : doc_(doc) {}
    std::string Output();

  private:
    void CollectTables();
    void Header();
    void WriteParagraph(std::uint32_t p);
    void RowDefinition(const TableRow& row);
    void ParagraphFormat(const ParaFormat& f, bool inTable);
    void PageSetupWords(const PageSetup& page);
    // Opens a group for a run or mark of character format index, when that format is not the
    // plain text's; returns whether it did.
    bool OpenFormat(std::uint32_t index);
    // The words that set format index on the plain text's; empty for the plain text's own.
    std::string FormatWords(std::uint32_t index);
    void Text(std::string_view utf8, bool symbol);
    void Character(char32_t cp, bool symbol);
    // \uN and its fallback byte.
    void Unicode(char32_t cp, bool symbol);
    void PictureGroup(const Picture& p);
    void Word(std::string_view word, std::int32_t value) {
        out_ += '\\';
        out_ += word;
        out_ += std::to_string(value);
    }
    std::int32_t ResolvedFont(std::int32_t font) const;
    bool IsSymbol(std::uint32_t format) const;

    const Document& doc_;
    std::string out_;
    std::map<std::int32_t, std::int32_t> fonts_;  // document's font number -> written number
    std::vector<std::int32_t> colours_;           // document's colour index -> written index
    std::vector<platform::Rgba> written_;         // written colour table after the auto entry
};

std::int32_t Writer::ResolvedFont(std::int32_t font) const {
    if (font >= 0 && doc_.Fonts().Find(font)) return font;
    return doc_.Settings().defaultFont;
}

void Writer::CollectTables() {
    std::vector<bool> used(doc_.CharFormats().size());
    for (const Run& r : doc_.Runs()) used[r.format] = true;
    for (const auto& p : doc_.Paragraphs()) used[p.markFormat] = true;
    if (doc_.Fonts().Find(doc_.Settings().defaultFont)) fonts_[doc_.Settings().defaultFont] = 0;
    colours_.assign(doc_.Colours().size(), 0);
    for (std::uint32_t i = 0; i < used.size(); ++i) {
        if (!used[i]) continue;
        const CharFormat& f = doc_.Char(i);
        const std::int32_t font = ResolvedFont(f.font);
        if (doc_.Fonts().Find(font) && !fonts_.count(font))
            fonts_[font] = std::int32_t(fonts_.size());
        for (std::int32_t c : {std::int32_t(f.colour), std::int32_t(f.highlight)}) {
            if (c <= 0 || std::size_t(c) >= colours_.size() || colours_[std::size_t(c)] != 0)
                continue;
            const platform::Rgba rgb = doc_.Colour(c, 0);
            if (platform::AlphaOf(rgb) == 0) continue;
            auto it = std::find(written_.begin(), written_.end(), rgb);
            if (it == written_.end()) it = written_.insert(written_.end(), rgb);
            colours_[std::size_t(c)] = std::int32_t(it - written_.begin()) + 1;
        }
    }
    if (!doc_.Colours().empty() && platform::AlphaOf(doc_.Colours()[0]) != 0) {
        // A table whose first entry is a real colour: \cf0 meant that colour.
        written_.push_back(doc_.Colours()[0]);
        colours_[0] = std::int32_t(written_.size());
    }
}

void Writer::Header() {
    const DocumentSettings& s = doc_.Settings();
    out_ += "{\\rtf1\\ansi";
    Word("ansicpg", kWrittenCodePage);
    // Without a default font of its own, the default names no written font either.
    Word("deff", doc_.Fonts().Find(s.defaultFont) ? 0 : std::int32_t(fonts_.size()));
    Word("deflang", s.language);
    Word("deftab", s.defaultTab);
    if (!fonts_.empty()) {
        out_ += "{\\fonttbl";
        for (const auto& [number, written] : fonts_) {
            const FontEntry& e = *doc_.Fonts().Find(number);
            out_ += "{";
            Word("f", written);
            out_ += '\\';
            out_ += FontTable::FamilyWord(e.family);
            Word("fcharset", e.charset == kSymbolCharset ? kSymbolCharset : kWrittenCharset);
            if (e.pitch) Word("fprq", e.pitch);
            out_ += ' ';
            Text(e.face, false);
            out_ += ";}";
        }
        out_ += "}";
    }
    out_ += "{\\colortbl;";
    for (platform::Rgba c : written_) {
        Word("red", platform::RedOf(c));
        Word("green", platform::GreenOf(c));
        Word("blue", platform::BlueOf(c));
        out_ += ';';
    }
    out_ += "}\r\n";
    PageSetupWords(s.page);
    out_ += "\\viewkind4\\uc1 ";
}

void Writer::PageSetupWords(const PageSetup& page) {
    const std::int32_t values[] = {page.paperWidth,  page.paperHeight, page.marginLeft,
                                   page.marginRight, page.marginTop,   page.marginBottom};
    for (std::size_t i = 0; i < std::size(values); ++i)
        if (values[i] != PageSetup::kUnset) Word(PageFieldWord(PageField(i)), values[i]);
    if (page.landscape) {
        out_ += '\\';
        out_ += PageFieldWord(PageField::Landscape);
    }
}

bool Writer::IsSymbol(std::uint32_t format) const {
    const FontEntry* e = doc_.FontOf(doc_.Char(format));
    return e && e->charset == kSymbolCharset;
}

std::string Writer::FormatWords(std::uint32_t index) {
    const CharFormat& f = doc_.Char(index);
    std::string words;
    const auto word = [&](std::string_view w, std::int32_t value) {
        words.append("\\").append(w).append(std::to_string(value));
    };
    if (f.font >= 0 && fonts_.count(ResolvedFont(f.font))) word("f", fonts_[ResolvedFont(f.font)]);
    if (f.halfPoints != 24) word("fs", f.halfPoints);
    if (f.bold) words += "\\b";
    if (f.italic) words += "\\i";
    if (f.underline) words.append("\\").append(UnderlineWord(f.underlineStyle));
    if (f.strike) words += f.doubleStrike ? "\\striked1" : "\\strike";
    if (f.colour >= 0)
        word("cf", std::size_t(f.colour) < colours_.size() ? colours_[std::size_t(f.colour)] : 0);
    if (f.highlight > 0 && std::size_t(f.highlight) < colours_.size() &&
        colours_[std::size_t(f.highlight)] > 0)
        word("highlight", colours_[std::size_t(f.highlight)]);
    if (f.script == Script::Super) words += "\\super";
    if (f.script == Script::Sub) words += "\\sub";
    return words;
}

bool Writer::OpenFormat(std::uint32_t index) {
    const std::string words = FormatWords(index);
    if (words.empty()) return false;
    out_.append("{").append(words).append(" ");
    return true;
}

void Writer::ParagraphFormat(const ParaFormat& f, bool inTable) {
    out_ += "\\pard";
    static constexpr std::string_view kAlign[] = {"", "\\qc", "\\qr", "\\qj"};
    out_ += kAlign[std::size_t(f.align)];
    const std::pair<std::string_view, std::int32_t> values[] = {
        {"li", f.left}, {"ri", f.right}, {"fi", f.first}, {"sb", f.before}, {"sa", f.after}};
    for (const auto& [word, v] : values)
        if (v != 0) Word(word, v);
    if (f.lineSpacing != 0) {
        Word("sl", f.lineSpacing);
        Word("slmult", f.lineMultiple ? 1 : 0);
    }
    for (std::int32_t i = 0; i < f.tabCount; ++i) {
        const TabKind kind = f.tabKinds[std::size_t(i)];
        for (std::string_view w : {TabLeaderWord(kind.leader), TabAlignWord(kind.align)}) {
            if (w.empty()) continue;
            out_ += '\\';
            out_ += w;
        }
        // A bar stop's word is its position's too.
        if (kind.align == TabAlign::Bar)
            out_ += std::to_string(f.tabs[std::size_t(i)]);
        else
            Word("tx", f.tabs[std::size_t(i)]);
    }
    if (f.pageBreakBefore) out_ += "\\pagebb";
    if (inTable) out_ += "\\intbl";
    out_ += ' ';
}

void Writer::RowDefinition(const TableRow& row) {
    out_ += "\\trowd";
    Word("trgaph", row.gap);
    Word("trleft", row.left);
    if (row.minHeight != 0) Word("trrh", row.minHeight);
    for (std::int32_t edge : row.rightEdges) {
        if (row.borders)
            out_ +=
                "\\clbrdrt\\brdrs\\brdrw10\\clbrdrl\\brdrs\\brdrw10"
                "\\clbrdrb\\brdrs\\brdrw10\\clbrdrr\\brdrs\\brdrw10";
        Word("cellx", edge);
    }
    out_ += "\r\n";
}

void Writer::Character(char32_t cp, bool symbol) {
    // In a symbol font an escaped backslash would read back as the symbol at its byte.
    if (symbol && (cp == '\\' || cp == '{' || cp == '}')) {
        Unicode(cp, symbol);
        return;
    }
    switch (cp) {
        case '\\':
        case '{':
        case '}':
            out_ += '\\';
            out_ += char(cp);
            return;
        case 0x09:
            out_ += "\\tab ";
            return;
        case 0x0B:
            out_ += "\\line ";
            return;
        case 0xA0:
            out_ += "\\~";
            return;
        case 0xAD:
            out_ += "\\-";
            return;
        case 0x2011:
            out_ += "\\_";
            return;
        default:
            break;
    }
    if (cp < 0x20) return;
    if (cp < 0x80 && !symbol) {
        out_ += char(cp);
        return;
    }
    Unicode(cp, symbol);
}

void Writer::Unicode(char32_t cp, bool symbol) {
    if (cp > 0xFFFF) {
        const char32_t v = cp - 0x10000;
        Word("u", std::int32_t(0xD800 + (v >> 10)) - 65536);
        out_ += '?';
        Word("u", std::int32_t(0xDC00 + (v & 0x3FF)) - 65536);
        out_ += '?';
        return;
    }
    Word("u", cp > 0x7FFF ? std::int32_t(cp) - 65536 : std::int32_t(cp));
    const int b = symbol ? UnicodeToSymbol(cp) : CodePageDecoder::ByteOf(cp, kWrittenCodePage);
    if (b < 0) {
        out_ += '?';
        return;
    }
    out_ += "\\'";
    AppendHex(out_, static_cast<unsigned char>(b));
}

void Writer::Text(std::string_view utf8, bool symbol) {
    for (std::size_t i = 0; i < utf8.size();) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c >= 0x20 && c < 0x80 && c != '\\' && c != '{' && c != '}' && !symbol) {
            out_ += char(c);
            ++i;
            continue;
        }
        Character(NextCodePoint(utf8, i), symbol);
    }
}

void Writer::PictureGroup(const Picture& p) {
    out_ += p.kind == Picture::Kind::Png ? "{\\pict\\pngblip" : "{\\pict\\jpegblip";
    if (p.pixelWidth > 0) Word("picw", p.pixelWidth);
    if (p.pixelHeight > 0) Word("pich", p.pixelHeight);
    Word("picwgoal", p.width);
    Word("pichgoal", p.height);
    const std::string_view data = WrittenData(p);
    for (std::size_t i = 0; i < data.size(); ++i) {
        if (i % (kHexPerLine / 2) == 0) out_ += "\r\n";
        AppendHex(out_, static_cast<unsigned char>(data[i]));
    }
    out_ += "}";
}

void Writer::WriteParagraph(std::uint32_t i) {
    const auto& paras = doc_.Paragraphs();
    const Paragraph& p = paras[i];
    const bool rowStart =
        p.row >= 0 && (i == 0 || paras[i - 1].row != p.row || paras[i - 1].end == ParaEnd::Row);
    if (rowStart) RowDefinition(doc_.Rows()[std::size_t(p.row)]);
    ParagraphFormat(doc_.Para(p.format), p.row >= 0);
    for (std::uint32_t r = p.firstRun; r < doc_.RunEnd(i); ++r) {
        const Run& run = doc_.Runs()[r];
        const bool group = OpenFormat(run.format);
        if (run.picture >= 0) {
            PictureGroup(doc_.Pictures()[std::size_t(run.picture)]);
        } else {
            const std::uint32_t end = doc_.RunTextEnd(r);
            Text(std::string_view(doc_.Text()).substr(run.start, end - run.start),
                 IsSymbol(run.format));
        }
        if (group) out_ += '}';
    }
    static constexpr std::string_view kMarks[] = {"\\par", "\\cell", "\\cell\\row", ""};
    const std::string_view mark = kMarks[std::size_t(p.end)];
    if (!mark.empty()) {
        // The mark's own format (the height of an empty line) is a group around it.
        const bool group = OpenFormat(p.markFormat);
        out_ += mark;
        out_ += group ? "}" : p.end == ParaEnd::Cell ? " " : "";
        if (p.end != ParaEnd::Cell) out_ += "\r\n";
    } else {
        // The last paragraph has no mark to group: its format is set at the very end, where no
        // text follows that a reader could lose.
        out_ += FormatWords(p.markFormat);
    }
    // A row whose last cell was cut off still ends as a row.
    const bool rowLeft =
        p.row >= 0 && p.end != ParaEnd::Row && (i + 1 == paras.size() || paras[i + 1].row != p.row);
    if (rowLeft) out_ += "\\row\r\n";
}

std::string Writer::Output() {
    CollectTables();
    Header();
    for (std::uint32_t i = 0; i < doc_.Paragraphs().size(); ++i) WriteParagraph(i);
    out_ += "}";
    return std::move(out_);
}

}  // namespace

std::string RtfWriter::Write(const Document& doc) {
    return Writer(doc).Output();
}

std::string RtfWriter::Write(const Document& doc, std::int32_t start, std::int32_t length) {
    return Write(doc.Slice(start, length));
}

}  // namespace quindel::richtext
