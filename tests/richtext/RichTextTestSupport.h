#pragma once
// Shared helpers of the rich-text tests: a document described as text with its formats
// resolved (face names, colours), so two models compare by what they show rather than by
// table numbering.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "TestFolder.h"
#include "platform/Image.h"
#include "richtext/Document.h"
#include "richtext/RtfControlWords.h"
#include "richtext/RtfReader.h"

namespace quindel::richtext::test {

inline std::string Hex6(platform::Rgba c) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string s = "#";
    for (int shift = 20; shift >= 0; shift -= 4) s += kHex[(c >> shift) & 15];
    return s;
}

// "face,size,b,i,u,s,^,_,colour,highlight": only what differs from the defaults.
inline std::string DescribeChar(const Document& d, const CharFormat& f) {
    std::string s;
    const FontEntry* e = d.FontOf(f);
    if (e) s += e->face;
    if (f.halfPoints != 24) s += "," + std::to_string(f.halfPoints);
    if (f.bold) s += ",b";
    if (f.italic) s += ",i";
    if (f.underline) s += ",u";
    if (f.underline && f.underlineStyle != UnderlineStyle::Single)
        s += std::string(":") + std::string(UnderlineWord(f.underlineStyle));
    if (f.strike) s += f.doubleStrike ? ",ss" : ",s";
    if (f.script == Script::Super) s += ",^";
    if (f.script == Script::Sub) s += ",_";
    const platform::Rgba fg = d.Colour(f.colour, 0);
    if (platform::AlphaOf(fg)) s += ",fg" + Hex6(fg);
    const platform::Rgba bg = f.highlight > 0 ? d.Colour(f.highlight, 0) : 0;
    if (platform::AlphaOf(bg)) s += ",bg" + Hex6(bg);
    return s;
}

inline std::string DescribePara(const ParaFormat& f) {
    std::string s;
    static constexpr const char* kAlign[] = {"", "qc", "qr", "qj"};
    s += kAlign[int(f.align)];
    const std::pair<const char*, std::int32_t> v[] = {{" li", f.left},  {" ri", f.right},
                                                      {" fi", f.first}, {" sb", f.before},
                                                      {" sa", f.after}, {" sl", f.lineSpacing}};
    for (const auto& [name, value] : v)
        if (value) s += name + std::to_string(value);
    if (f.lineMultiple) s += " mult";
    for (int i = 0; i < f.tabCount; ++i) {
        const TabKind k = f.tabKinds[std::size_t(i)];
        s += " ";
        for (std::string_view w : {TabLeaderWord(k.leader), TabAlignWord(k.align)})
            if (!w.empty()) s += std::string(w) + ".";
        s += (k.align == TabAlign::Bar ? "" : "tx") + std::to_string(f.tabs[std::size_t(i)]);
    }
    if (f.pageBreakBefore) s += " pagebb";
    return s;
}

// One line a paragraph: "[para format] <runs> END (row:cell)", a run as "{format|text}".
inline std::string Describe(const Document& d) {
    std::string out;
    static constexpr const char* kEnds[] = {"PAR", "CELL", "ROW", "END"};
    for (std::uint32_t i = 0; i < d.Paragraphs().size(); ++i) {
        const Paragraph& p = d.Paragraphs()[i];
        out += "[" + DescribePara(d.Para(p.format)) + "]";
        for (std::uint32_t r = p.firstRun; r < d.RunEnd(i); ++r) {
            const Run& run = d.Runs()[r];
            out += " {" + DescribeChar(d, d.Char(run.format)) + "|";
            if (run.picture >= 0) {
                const Picture& pic = d.Pictures()[std::size_t(run.picture)];
                out += "pict " + std::to_string(pic.width) + "x" + std::to_string(pic.height) +
                       " " + std::to_string(pic.data.size()) + "B";
            } else {
                out += d.Text().substr(run.start, d.RunTextEnd(r) - run.start);
            }
            out += "}";
        }
        out += " <" + DescribeChar(d, d.Char(p.markFormat)) + "> ";
        out += kEnds[int(p.end)];
        if (p.row >= 0) {
            const TableRow& row = d.Rows()[std::size_t(p.row)];
            out += " (r" + std::to_string(p.row) + ":" + std::to_string(p.cell) + " edges";
            for (auto e : row.rightEdges) out += " " + std::to_string(e);
            out += ")";
        }
        out += "\n";
    }
    return out;
}

inline std::string HexOf(const std::string& bytes) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out;
    for (unsigned char c : bytes) {
        out += kHex[c >> 4];
        out += kHex[c & 15];
    }
    return out;
}

// The bytes of img saved as a PNG file.
inline std::string PngOf(const platform::Image& img) {
    quindel::test::TestFolder folder("richtext_png");
    const std::string path = (folder.path() / "p.png").string();
    EXPECT_TRUE(img.savePng(path));
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline Document Rtf(std::string_view s) {
    return RtfReader::Read(s);
}

// The plain text of an RTF body given with a minimal header.
inline std::string PlainOf(std::string_view body) {
    return Rtf("{\\rtf1\\ansi " + std::string(body) + "}").PlainText();
}

}  // namespace quindel::richtext::test
