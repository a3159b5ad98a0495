#pragma once
// Text as the search index compares it. The index's tokenizer folds case and the diacritics that
// Unicode decomposes (ó, ż, ś), but leaves letters such as ł, ø, đ or ß as they are, so "wisl"
// would not find "Wisła"; both the indexed text and what the person types go through FoldLetters
// first. MatchExpression turns typed text into an FTS5 query that treats every character as text:
// no operator, quote, column filter or parenthesis the person types reaches the query language.
#include <string>
#include <string_view>

namespace quindel::hostkit {

// `text` with the letters the tokenizer keeps replaced by their base letters (ł → l, ß → ss).
std::string FoldLetters(std::string_view text);

// The FTS5 query for typed text: every word (a run of letters and digits, any non-ASCII character
// counting as a letter) folded, quoted and matched as a prefix, all words required. At most
// kMaxQueryWords words are used. Empty when the text holds no word.
inline constexpr int kMaxQueryWords = 16;
std::string MatchExpression(std::string_view typed);

}  // namespace quindel::hostkit
