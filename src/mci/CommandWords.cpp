#include "mci/CommandWords.h"

#include <charconv>

#include "mci/MciError.h"
#include "runtime/Text.h"

namespace quindel::mci {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

}  // namespace

std::uint32_t SplitWords(std::string_view command, std::vector<Word>& words) {
    words.clear();
    std::size_t i = 0;
    while (i < command.size()) {
        if (IsBlank(command[i])) {
            ++i;
            continue;
        }
        Word w;
        w.begin = i;
        if (command[i] == '"') {
            const std::size_t close = command.find('"', i + 1);
            if (close == std::string_view::npos) return err::NoClosingQuote;
            w.text = command.substr(i + 1, close - i - 1);
            w.quoted = true;
            i = close + 1;
            if (i < command.size() && !IsBlank(command[i])) return err::ExtraCharacters;
        } else {
            while (i < command.size() && !IsBlank(command[i])) ++i;
            w.text = command.substr(w.begin, i - w.begin);
        }
        w.end = i;
        words.push_back(std::move(w));
    }
    return err::None;
}

bool IsKeyword(const Word& w, std::string_view keyword) {
    return !w.quoted && EqualNoCase(w.text, keyword);
}

std::optional<std::int32_t> ParseInteger(std::string_view text) {
    std::int32_t value = 0;
    const char* first = text.data();
    const char* last = text.data() + text.size();
    if (text.empty() || text.front() == '+') return std::nullopt;
    const auto [ptr, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || ptr != last) return std::nullopt;
    return value;
}

}  // namespace quindel::mci
