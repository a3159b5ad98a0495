#include "richtext/PlainTextReader.h"

#include <string>

#include "runtime/CodePage.h"
#include "runtime/Text.h"

namespace quindel::richtext {

namespace {

bool IsUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t n = Utf8SequenceLength(s, i);
        if (IsBadUtf8Byte(s, i, n)) return false;
        i += n;
    }
    return true;
}

}  // namespace

Document PlainTextReader::Read(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    const std::string text = IsUtf8(bytes) ? std::string(bytes) : DaCodePage(bytes);
    Document doc;
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            doc.AppendText(line, 0);
            line.clear();
            doc.EndParagraph(0, 0, ParaEnd::Paragraph);
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else if (static_cast<unsigned char>(c) >= 0x20 || c == '\t') {
            line += c;
        }
    }
    doc.AppendText(line, 0);
    return doc;
}

}  // namespace quindel::richtext
