#include "CatalogueSource.h"

#include <charconv>
#include <set>
#include <stdexcept>

#include "CatalogueLine.h"

namespace quindel::catgen {
namespace {

[[noreturn]] void Fail(std::size_t lineNo, const std::string& what) {
    throw std::runtime_error("line " + std::to_string(lineNo) + ": " + what);
}

int ParseCode(std::string_view field, std::size_t lineNo) {
    int code = 0;
    const auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), code);
    if (field.empty() || ec != std::errc() || end != field.data() + field.size() || code < 0 ||
        code > kMaxCode)
        Fail(lineNo, "bad message code '" + std::string(field) + "'");
    return code;
}

std::string ExpandLineBreaks(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n') {
            out += kLineBreakMarker;
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

CatalogueEntry ParseMessage(std::string_view line, std::size_t lineNo) {
    const std::size_t tab = line.find('\t');
    if (tab == std::string_view::npos) Fail(lineNo, "expected CODE<TAB>TEXT");
    CatalogueEntry entry;
    entry.code = ParseCode(line.substr(0, tab), lineNo);
    std::string_view text = line.substr(tab + 1);
    if (const std::size_t second = text.find('\t'); second != std::string_view::npos) {
        entry.label = text.substr(0, second);
        text = text.substr(second + 1);
    }
    if (text.empty()) Fail(lineNo, "message has no text");
    if (text.find('&') != std::string_view::npos)
        Fail(lineNo, "'&' is a placeholder the reader deletes; reword the text");
    entry.text = ExpandLineBreaks(text);
    return entry;
}

// Two or three letters, then parts of two to eight letters or digits after '-' or '_'.
bool IsLanguageTag(std::string_view tag) {
    const auto letter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    std::size_t part = 0, length = 0;
    for (std::size_t i = 0; i <= tag.size(); ++i) {
        if (i < tag.size() && tag[i] != '-' && tag[i] != '_') {
            if (!letter(tag[i]) && (part == 0 || !digit(tag[i]))) return false;
            ++length;
            continue;
        }
        const bool fits = part == 0 ? length >= 2 && length <= 3 : length >= 2 && length <= 8;
        if (!fits) return false;
        ++part;
        length = 0;
    }
    return true;
}

CatalogueEntry ParseComment(std::string_view line) {
    line.remove_prefix(1);
    if (!line.empty() && line.front() == ' ') line.remove_prefix(1);
    CatalogueEntry entry;
    entry.comment = true;
    entry.text = line;
    return entry;
}

}  // namespace

std::vector<CatalogueEntry> ParseCatalogue(std::string_view source) {
    std::vector<CatalogueEntry> entries;
    std::set<int> seen;
    std::size_t lineNo = 0;
    while (!source.empty()) {
        const std::size_t eol = source.find('\n');
        std::string_view line = source.substr(0, eol);
        source.remove_prefix(eol == std::string_view::npos ? source.size() : eol + 1);
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty()) continue;
        if (line.front() == '#') {
            entries.push_back(ParseComment(line));
            continue;
        }
        entries.push_back(ParseMessage(line, lineNo));
        const CatalogueEntry& e = entries.back();
        if (!seen.insert(e.code).second)
            Fail(lineNo, "code " + std::to_string(e.code) + " appears twice");
        if (e.code == kLanguageCode && !IsLanguageTag(e.text))
            Fail(lineNo, "'" + e.text + "' is no language tag (such as pl, en or pt_BR)");
    }
    return entries;
}

std::string CatalogueLanguage(const std::vector<CatalogueEntry>& entries) {
    for (const CatalogueEntry& e : entries)
        if (!e.comment && e.code == kLanguageCode) return e.text;
    return {};
}

}  // namespace quindel::catgen
