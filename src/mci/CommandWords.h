#pragma once
// Splitting a command string into words. Blanks (space, tab, CR, LF) separate words, any number
// of them; a word in double quotes keeps its blanks and loses its quotes. Each word remembers
// where it stood in the command, so a caller can take back an unquoted run of words verbatim
// (a file name with blanks that the sender did not quote).
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quindel::mci {

struct Word {
    std::string text;
    bool quoted = false;
    std::size_t begin = 0;  // offset of its first character in the command (a quote included)
    std::size_t end = 0;    // offset just past it
};

// Fails with the classic errors for an unclosed quote and for characters glued to a closing
// quote; otherwise 0.
std::uint32_t SplitWords(std::string_view command, std::vector<Word>& words);

// An unquoted word equal to the keyword, ignoring case.
bool IsKeyword(const Word& w, std::string_view keyword);

// A decimal integer within the 32-bit range, an optional minus sign first; nothing otherwise.
std::optional<std::int32_t> ParseInteger(std::string_view text);

}  // namespace quindel::mci
