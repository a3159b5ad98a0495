#include "CatalogueFile.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

#include "CatalogueLine.h"
#include "runtime/CodePage.h"

namespace quindel::catgen {
namespace {

// The conversion marks what it cannot map with '?', so more '?' than in the source means a
// character was lost.
std::string ToCodePage(std::string_view utf8, std::string_view codePage) {
    std::string bytes = ACodePage(utf8, codePage);
    if (std::count(bytes.begin(), bytes.end(), '?') != std::count(utf8.begin(), utf8.end(), '?'))
        throw std::runtime_error("'" + std::string(utf8) + "' has characters outside " +
                                 std::string(codePage));
    return bytes;
}

// The two-letter field of every line: the language entry's first two letters in capitals.
std::string LanguageField(const std::vector<CatalogueEntry>& entries) {
    std::string tag = CatalogueLanguage(entries);
    if (tag.size() < kLanguageWidth) return std::string(kCatalogueLanguage);
    tag.resize(kLanguageWidth);
    for (char& c : tag) c = char(std::toupper(static_cast<unsigned char>(c)));
    return tag;
}

std::string RenderEntry(const CatalogueEntry& e, std::string_view language,
                        std::string_view codePage) {
    if (e.comment) return FormatCommentLine(ToCodePage(e.text, codePage));
    try {
        return FormatMessageLine(e.code, language, ToCodePage(e.label, codePage),
                                 ToCodePage(e.text, codePage));
    } catch (const std::invalid_argument& error) {
        throw std::runtime_error(error.what());
    }
}

}  // namespace

std::string RenderCatalogue(const std::vector<CatalogueEntry>& entries, std::string_view codePage) {
    const std::string language = LanguageField(entries);
    std::string out;
    for (const CatalogueEntry& e : entries) {
        out += RenderEntry(e, language, codePage);
        out += "\r\n";
    }
    return out;
}

}  // namespace quindel::catgen
