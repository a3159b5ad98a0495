#include "richtext/FontTable.h"

#include <algorithm>
#include <utility>

namespace quindel::richtext {

namespace {

constexpr std::int32_t kDefaultCodePage = 1252;

struct CharsetPage {
    std::int32_t charset;
    std::int32_t codePage;
};
constexpr CharsetPage kCharsets[] = {
    {0, 1252},   {2, FontTable::kSymbolCodePage},
    {77, 10000}, {128, 932},
    {129, 949},  {130, 1361},
    {134, 936},  {136, 950},
    {161, 1253}, {162, 1254},
    {163, 1258}, {177, 1255},
    {178, 1256}, {186, 1257},
    {204, 1251}, {222, 874},
    {238, 1250}, {255, 437},
};

constexpr std::pair<FontFamily, std::string_view> kFamilies[] = {
    {FontFamily::Nil, "fnil"},       {FontFamily::Roman, "froman"},   {FontFamily::Swiss, "fswiss"},
    {FontFamily::Modern, "fmodern"}, {FontFamily::Script, "fscript"}, {FontFamily::Decor, "fdecor"},
    {FontFamily::Tech, "ftech"},     {FontFamily::Bidi, "fbidi"},
};

}  // namespace

void FontTable::Put(const FontEntry& e) {
    auto [it, added] = index_.try_emplace(e.number, entries_.size());
    if (added)
        entries_.push_back(e);
    else
        entries_[it->second] = e;
}

const FontEntry* FontTable::Find(std::int32_t number) const {
    auto it = index_.find(number);
    return it == index_.end() ? nullptr : &entries_[it->second];
}

std::int32_t FontTable::CodePageOfCharset(std::int32_t charset) {
    for (const CharsetPage& c : kCharsets)
        if (c.charset == charset) return c.codePage;
    return 0;
}

std::int32_t FontTable::CharsetOfCodePage(std::int32_t codePage) {
    for (const CharsetPage& c : kCharsets)
        if (c.codePage == codePage) return c.charset;
    return 0;
}

std::int32_t FontTable::CodePageOf(const FontEntry* e, std::int32_t documentCodePage) {
    if (e && e->codePage > 0) return e->codePage;
    if (e) {
        if (const std::int32_t cp = CodePageOfCharset(e->charset)) return cp;
    }
    return documentCodePage > 0 ? documentCodePage : kDefaultCodePage;
}

std::string_view FontTable::FamilyWord(FontFamily f) {
    for (const auto& [family, word] : kFamilies)
        if (family == f) return word;
    return "fnil";
}

const char* FontTable::Generic(const FontEntry* e) {
    if (!e) return "serif";
    if (e->pitch == 1 || e->family == FontFamily::Modern) return "monospace";
    if (e->family == FontFamily::Swiss) return "sans-serif";
    return "serif";
}

}  // namespace quindel::richtext
