#pragma once
// The article text of the sample entry about the Vistula, UTF-8 with LF line ends.
#include <string_view>

namespace quindel::samplegen {

std::string_view WislaArticle();

}  // namespace quindel::samplegen
