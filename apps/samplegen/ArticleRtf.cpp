#include "ArticleRtf.h"

#include "richtext/RtfWriter.h"

namespace quindel::samplegen {

using namespace quindel::richtext;

namespace {

constexpr std::int32_t kBodyFont = 0, kHeadingFont = 1;
constexpr std::int16_t kHeadingColour = 1;
constexpr std::int32_t kFirstColumn = 3200, kSecondColumn = 9000;  // right edges, twips
constexpr std::int32_t kCellGap = 108;

CharFormat Font(std::int32_t font, std::int16_t halfPoints, bool bold) {
    CharFormat f;
    f.font = font;
    f.halfPoints = halfPoints;
    f.bold = bold;
    return f;
}

ParaFormat Spaced(std::int32_t before, std::int32_t after) {
    ParaFormat p;
    p.before = before;
    p.after = after;
    return p;
}

}  // namespace

ArticleRtf::ArticleRtf() {
    doc_.Fonts().Put({kBodyFont, FontFamily::Roman, 238, 2, 0, "Times New Roman"});
    doc_.Fonts().Put({kHeadingFont, FontFamily::Swiss, 238, 2, 0, "Arial"});
    doc_.Colours() = {0, platform::MakeRgb(31, 56, 100)};
    doc_.Settings().defaultFont = kBodyFont;
    CharFormat title = Font(kHeadingFont, 36, true), heading = Font(kHeadingFont, 28, true);
    title.colour = heading.colour = kHeadingColour;
    title_ = doc_.InternChar(title);
    heading_ = doc_.InternChar(heading);
    body_ = doc_.InternChar(Font(kBodyFont, 24, false));
    titlePara_ = doc_.InternPara(Spaced(0, 240));
    headingPara_ = doc_.InternPara(Spaced(240, 80));
    bodyPara_ = doc_.InternPara(Spaced(0, 120));
    cellPara_ = doc_.InternPara(Spaced(0, 0));
}

void ArticleRtf::EndParagraph(std::uint32_t para, std::uint32_t mark) {
    doc_.EndParagraph(para, mark, ParaEnd::Paragraph);
}

ArticleRtf& ArticleRtf::Title(std::string_view text) {
    doc_.AppendText(text, title_);
    EndParagraph(titlePara_, title_);
    return *this;
}

ArticleRtf& ArticleRtf::Heading(std::string_view text) {
    doc_.AppendText(text, heading_);
    EndParagraph(headingPara_, heading_);
    return *this;
}

void ArticleRtf::AppendMarked(std::string_view marked, bool bold) {
    CharFormat f = Font(kBodyFont, 24, bold);
    std::size_t from = 0;
    for (std::size_t i = 0; i <= marked.size(); ++i) {
        if (i < marked.size() && marked[i] != '*' && marked[i] != '_') continue;
        doc_.AppendText(marked.substr(from, i - from), doc_.InternChar(f));
        if (i < marked.size()) {
            bool& style = marked[i] == '*' ? f.bold : f.italic;
            style = !style;
        }
        from = i + 1;
    }
}

ArticleRtf& ArticleRtf::Paragraph(std::string_view marked) {
    AppendMarked(marked, false);
    EndParagraph(bodyPara_, body_);
    return *this;
}

ArticleRtf& ArticleRtf::Table(const std::vector<std::pair<std::string, std::string>>& rows) {
    bool header = true;
    for (const auto& [left, right] : rows) {
        const std::int32_t row = doc_.AddRow({{kFirstColumn, kSecondColumn}, 0, kCellGap, 0, true});
        std::uint16_t cell = 0;
        for (const std::string& text : {left, right}) {
            AppendMarked(text, header);
            doc_.EndParagraph(cellPara_, body_, ParaEnd::Cell, row, cell++);
        }
        doc_.EndRow();
        header = false;
    }
    return *this;
}

std::string ArticleRtf::Rtf() const {
    return RtfWriter::Write(doc_);
}

}  // namespace quindel::samplegen
