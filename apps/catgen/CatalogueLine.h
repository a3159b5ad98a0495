#pragma once
// The fixed-column lines of the message catalogue file. Everything here works on 8-bit code
// page bytes, one byte per character, so widths in characters are widths in bytes.
#include <cstddef>
#include <string>
#include <string_view>

namespace quindel::catgen {

// Columns, counted from 1: 1–6 code (right-aligned), 7–8 language, 9–73 blank,
// 74–103 label, 104 onwards the text.
constexpr std::size_t kCodeWidth = 6;
constexpr std::size_t kLanguageWidth = 2;
constexpr std::size_t kGapWidth = 65;
constexpr std::size_t kLabelWidth = 30;
constexpr std::size_t kTextColumn = kCodeWidth + kLanguageWidth + kGapWidth + kLabelWidth + 1;
constexpr std::size_t kMaxTextLength = 350;
constexpr int kMaxCode = 999999;

// One message line, without the line ending. The label is padded or cut to its width; the
// text ends the line as it is (no padding), so a text ending in a blank keeps it.
// Throws std::invalid_argument for a code outside 0…kMaxCode, a language not exactly two
// characters, an empty text or a text longer than kMaxTextLength.
std::string FormatMessageLine(int code, std::string_view language, std::string_view label,
                              std::string_view text);

// A comment line: six ';' (never a number, so readers skip it), a blank and the text.
std::string FormatCommentLine(std::string_view text);

}  // namespace quindel::catgen
