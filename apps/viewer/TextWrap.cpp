#include "viewer/TextWrap.h"

namespace quindel::viewer {

namespace {

void WrapParagraph(std::string_view para, int width,
                   const std::function<int(std::string_view)>& measure,
                   std::vector<std::string>& out) {
    std::string line;
    std::size_t pos = 0;
    while (pos < para.size()) {
        const std::size_t end = std::min(para.find(' ', pos), para.size());
        const std::string_view word = para.substr(pos, end - pos);
        pos = end + 1;
        if (word.empty()) continue;
        const std::string candidate =
            line.empty() ? std::string(word) : line + " " + std::string(word);
        if (!line.empty() && measure(candidate) > width) {
            out.push_back(line);
            line = word;
        } else {
            line = candidate;
        }
    }
    out.push_back(line);
}

}  // namespace

std::vector<std::string> WrapText(std::string_view text, int width,
                                  const std::function<int(std::string_view)>& measure) {
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view para = text.substr(start, end - start);
        if (!para.empty() && para.back() == '\r') para.remove_suffix(1);
        WrapParagraph(para, width, measure, out);
        start = end + 1;
    }
    // A final line break ends the text rather than opening an empty paragraph.
    if (!text.empty() && text.back() == '\n' && !out.empty() && out.back().empty()) out.pop_back();
    return out;
}

}  // namespace quindel::viewer
