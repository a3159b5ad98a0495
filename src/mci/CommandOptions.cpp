#include "mci/CommandOptions.h"

#include <algorithm>
#include <array>

#include "mci/MciError.h"

namespace quindel::mci {

namespace {

constexpr std::array kEveryCommand = {Keyword{"wait"}, Keyword{"notify"}};

const Keyword* FindKeyword(const Word& w, std::span<const Keyword> allowed) {
    for (const Keyword& k : allowed)
        if (IsKeyword(w, k.name)) return &k;
    for (const Keyword& k : kEveryCommand)
        if (IsKeyword(w, k.name)) return &k;
    return nullptr;
}

}  // namespace

std::uint32_t CommandOptions::Parse(std::span<const Word> words, std::span<const Keyword> allowed) {
    found_.clear();
    for (std::size_t i = 0; i < words.size(); ++i) {
        const Keyword* k = FindKeyword(words[i], allowed);
        if (!k) return err::UnrecognizedKeyword;
        if (Has(k->name)) return err::DuplicateFlags;
        const Word* value = nullptr;
        if (k->takesValue) {
            if (i + 1 >= words.size()) return err::MissingParameter;
            value = &words[++i];
        }
        found_.emplace_back(k->name, value);
    }
    return err::None;
}

bool CommandOptions::Has(std::string_view name) const {
    return std::any_of(found_.begin(), found_.end(),
                       [&](const auto& f) { return f.first == name; });
}

const Word* CommandOptions::Value(std::string_view name) const {
    for (const auto& [n, v] : found_)
        if (n == name) return v;
    return nullptr;
}

}  // namespace quindel::mci
