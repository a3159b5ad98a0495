#include "mci/OpenCommand.h"

#include <array>

#include "mci/CommandOptions.h"
#include "mci/MciError.h"

namespace quindel::mci {

namespace {

constexpr std::array kOpenKeywords = {
    Keyword{"type", true},   Keyword{"alias", true},      Keyword{"style", true},
    Keyword{"parent", true}, Keyword{"shareable", false},
};

bool IsOpenKeyword(const Word& w) {
    if (IsKeyword(w, "wait") || IsKeyword(w, "notify")) return true;
    for (const Keyword& k : kOpenKeywords)
        if (IsKeyword(w, k.name)) return true;
    return false;
}

// How many words the element takes.
std::size_t ElementWords(std::span<const Word> words) {
    if (words.empty() || words[0].quoted) return words.empty() ? 0 : 1;
    std::size_t n = 0;
    while (n < words.size() && !words[n].quoted && !IsOpenKeyword(words[n])) ++n;
    return n;
}

std::uint32_t ReadStyle(const Word& value, OpenCommand& out) {
    if (IsKeyword(value, "child")) {
        out.child = true;
        return err::None;
    }
    // Our devices live only inside their caller's window.
    if (IsKeyword(value, "overlapped") || IsKeyword(value, "popup") || ParseInteger(value.text))
        return err::UnsupportedFunction;
    return err::BadConstant;
}

}  // namespace

std::uint32_t ParseOpen(std::string_view command, std::span<const Word> words, OpenCommand& out) {
    const std::size_t n = ElementWords(words);
    if (n == 0) return err::MissingDeviceName;
    out.element =
        words[0].quoted
            ? words[0].text
            : std::string(command.substr(words[0].begin, words[n - 1].end - words[0].begin));
    CommandOptions options;
    if (const std::uint32_t e = options.Parse(words.subspan(n), kOpenKeywords)) return e;
    if (const Word* t = options.Value("type")) out.type = t->text;
    out.alias = options.Value("alias") ? options.Value("alias")->text : out.element;
    if (const Word* s = options.Value("style"))
        if (const std::uint32_t e = ReadStyle(*s, out)) return e;
    if (const Word* p = options.Value("parent")) {
        out.parent = ParseInteger(p->text);
        if (!out.parent) return err::BadInteger;
    }
    if (out.alias.empty()) return err::MissingDeviceName;
    return err::None;
}

}  // namespace quindel::mci
