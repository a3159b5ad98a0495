#pragma once
// The keywords after a command's device name: each allowed keyword is a flag or takes the one
// word after it as its value. "wait" and "notify" are accepted by every command; commands finish
// before they return, so both change nothing. Values point into the parsed words, which must
// outlive the options.
#include <cstdint>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

#include "mci/CommandWords.h"

namespace quindel::mci {

struct Keyword {
    std::string_view name;
    bool takesValue = false;
};

class CommandOptions {
  public:
    // Unknown word: UnrecognizedKeyword; a keyword without its value: MissingParameter; a
    // keyword given twice: DuplicateFlags.
    std::uint32_t Parse(std::span<const Word> words, std::span<const Keyword> allowed);
    bool Has(std::string_view name) const;
    // The value word of a keyword that takes one; null when the keyword was not given.
    const Word* Value(std::string_view name) const;

  private:
    std::vector<std::pair<std::string_view, const Word*>> found_;
};

}  // namespace quindel::mci
