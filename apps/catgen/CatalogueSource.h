#pragma once
// The editable UTF-8 source of the message catalogue. One entry a line:
//   # text                  a comment, copied into the catalogue as a comment line
//   CODE<TAB>TEXT           a message
//   CODE<TAB>LABEL<TAB>TEXT a message with the short label of what it is for
// Blank lines are skipped. In a text, "\n" stands for a line break.
// Code 0 is reserved for the catalogue's language: its text is a language tag ("pl", "en",
// "pt_BR"), which the component's message boxes speak.
#include <string>
#include <string_view>
#include <vector>

namespace quindel::catgen {

// What the catalogue reader turns back into a line break ("…" & vbCrLf & "…").
constexpr std::string_view kLineBreakMarker = "\" & vbCrLf & \"";
constexpr int kLanguageCode = 0;

struct CatalogueEntry {
    bool comment = false;
    int code = 0;
    std::string label;
    // For messages, with line breaks already turned into kLineBreakMarker.
    std::string text;
};

// Throws std::runtime_error naming the line for a malformed code, a repeated code, an
// empty text, a '&' in a text (the reader would delete it) or a language that is no tag.
std::vector<CatalogueEntry> ParseCatalogue(std::string_view source);
// The language tag the entries name (code 0); empty when none does.
std::string CatalogueLanguage(const std::vector<CatalogueEntry>& entries);

}  // namespace quindel::catgen
