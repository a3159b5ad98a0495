#pragma once
// String helpers over UTF-8 that count Unicode code points, as the classic string
// functions count characters. Invalid UTF-8 never fails: each bad byte counts as one
// code point and is kept as it is.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quindel {

int32_t Len(std::string_view s);
// n < 0 raises 5.
std::string Left(std::string_view s, int32_t n);
std::string Right(std::string_view s, int32_t n);
// 1-based; length -1 means "to the end". start < 1 or length < -1 raises 5.
std::string Mid(std::string_view s, int32_t start1, int32_t length = -1);

// Blanks are code 32 only.
std::string LTrim(std::string_view s);
std::string RTrim(std::string_view s);
std::string Trim(std::string_view s);

// ASCII, Latin-1 and Latin Extended-A letters (Polish included).
std::string UCase(std::string_view s);
std::string LCase(std::string_view s);

// Cut to `width` code points or padded on the right with blanks.
std::string FixedWidth(std::string_view s, int32_t width);

// 1-based code-point position of needle at or after start1, 0 when absent.
int32_t InStr(std::string_view hay, std::string_view needle, int32_t start1 = 1);
std::string Replace(std::string_view s, std::string_view find, std::string_view with);
bool EqualNoCase(std::string_view a, std::string_view b);
// The code points of s folded as EqualNoCase compares them; a bad byte becomes a value outside
// Unicode that only equals itself.
std::u32string FoldedCodePoints(std::string_view s);

// Low-level UTF-8 steps shared by the text and code-page helpers.
// Bytes of the code point starting at s[i]: its sequence length when well formed, else 1.
std::size_t Utf8SequenceLength(std::string_view s, std::size_t i);
// The code point of the well-formed sequence of n bytes at s[i] (n from Utf8SequenceLength).
char32_t DecodeUtf8(std::string_view s, std::size_t i, std::size_t n);
// True when s[i] is a byte that starts no well-formed sequence (n from Utf8SequenceLength).
bool IsBadUtf8Byte(std::string_view s, std::size_t i, std::size_t n);
void AppendUtf8(std::string& out, char32_t cp);

}  // namespace quindel
