#pragma once
// The article of the sample entry about the Vistula: as plain text (UTF-8, LF line ends), and
// as RTF with headings, bold and italic words and a table of facts.
#include <string>
#include <string_view>

namespace quindel::samplegen {

std::string_view WislaArticle();
std::string WislaArticleRtf();

}  // namespace quindel::samplegen
