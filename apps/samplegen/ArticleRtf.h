#pragma once
// A short article as an RTF document, written by our RTF writer: a title, headings, paragraphs
// and a two-column table with a header row. In paragraph and cell text, *stars* mark bold and
// _underscores_ italics (neither character is otherwise kept). Body text is Times New Roman 12
// point, headings Arial in dark blue.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "richtext/Document.h"

namespace quindel::samplegen {

class ArticleRtf {
  public:
    ArticleRtf();

    ArticleRtf& Title(std::string_view text);
    ArticleRtf& Heading(std::string_view text);
    ArticleRtf& Paragraph(std::string_view marked);
    // The first row is the header row, in bold.
    ArticleRtf& Table(const std::vector<std::pair<std::string, std::string>>& rows);

    std::string Rtf() const;

  private:
    // Appends marked text to the open paragraph in the body font, plus bold and italics.
    void AppendMarked(std::string_view marked, bool bold);
    void EndParagraph(std::uint32_t para, std::uint32_t mark);

    richtext::Document doc_;
    std::uint32_t bodyPara_ = 0, headingPara_ = 0, titlePara_ = 0, cellPara_ = 0;
    std::uint32_t title_ = 0, heading_ = 0, body_ = 0;
};

}  // namespace quindel::samplegen
