#pragma once
// Loads text that is not RTF: each line becomes a paragraph (lines end at CR LF, CR or LF),
// tabs are kept and other control characters dropped. The bytes are read as UTF-8 when they
// are well-formed UTF-8 (a leading byte-order mark is dropped), else in the system code page.
#include <string_view>

#include "richtext/Document.h"

namespace quindel::richtext {

class PlainTextReader {
  public:
    static Document Read(std::string_view bytes);
};

}  // namespace quindel::richtext
