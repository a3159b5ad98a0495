#include "hostkit/search/SearchText.h"

#include <array>
#include <cctype>
#include <utility>

namespace quindel::hostkit {
namespace {

// The Latin letters without a canonical decomposition, each with its base letters.
constexpr std::array<std::pair<std::string_view, std::string_view>, 26> kFolds{{
    {"Æ", "AE"}, {"æ", "ae"}, {"Ð", "D"}, {"ð", "d"},  {"Ø", "O"}, {"ø", "o"}, {"Þ", "TH"},
    {"þ", "th"}, {"ß", "ss"}, {"Đ", "D"}, {"đ", "d"},  {"Ħ", "H"}, {"ħ", "h"}, {"ı", "i"},
    {"Ĳ", "IJ"}, {"ĳ", "ij"}, {"Ŀ", "L"}, {"ŀ", "l"},  {"Ł", "L"}, {"ł", "l"}, {"Œ", "OE"},
    {"œ", "oe"}, {"Ŧ", "T"},  {"ŧ", "t"}, {"ẞ", "SS"}, {"ĸ", "q"},
}};

bool IsWordByte(unsigned char c) {
    return c >= 0x80 || std::isalnum(c);
}

}  // namespace

std::string FoldLetters(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        if (static_cast<unsigned char>(text[i]) < 0x80) {
            out += text[i++];
            continue;
        }
        bool folded = false;
        for (const auto& [from, to] : kFolds) {
            if (text.substr(i, from.size()) == from) {
                out += to;
                i += from.size();
                folded = true;
                break;
            }
        }
        if (!folded) out += text[i++];
    }
    return out;
}

std::string MatchExpression(std::string_view typed) {
    const std::string folded = FoldLetters(typed);
    std::string query;
    int words = 0;
    for (std::size_t i = 0; i < folded.size() && words < kMaxQueryWords;) {
        if (!IsWordByte(static_cast<unsigned char>(folded[i]))) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < folded.size() && IsWordByte(static_cast<unsigned char>(folded[end]))) ++end;
        // A word holds no ASCII punctuation, so no quote to double: the quotes make the tokenizer,
        // not the query parser, read it, which keeps words such as AND, OR, NOT and NEAR plain.
        if (!query.empty()) query += ' ';
        query += '"';
        query.append(folded, i, end - i);
        query += "\"*";
        ++words;
        i = end;
    }
    return query;
}

}  // namespace quindel::hostkit
