#pragma once
// The catalogue file the component reads: the source entries converted to the 8-bit code
// page, one fixed-column line each, CR LF line endings. The language columns of every line
// carry the language entry's first two letters in capitals (kCatalogueLanguage without one).
#include <string>
#include <string_view>
#include <vector>

#include "CatalogueSource.h"

namespace quindel::catgen {

constexpr std::string_view kCatalogueCodePage = "CP1250";
constexpr std::string_view kCatalogueLanguage = "PL";

// Throws std::runtime_error when a character has no place in the code page (it would turn
// into '?') or a line cannot be formatted.
std::string RenderCatalogue(const std::vector<CatalogueEntry>& entries,
                            std::string_view codePage = kCatalogueCodePage);

}  // namespace quindel::catgen
