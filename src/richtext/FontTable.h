#pragma once
// The fonts a document names: each entry has the number text refers to (\fN), its family,
// character set, pitch and face name. The character set fixes the code page that 8-bit text
// in that font is decoded with.
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quindel::richtext {

enum class FontFamily : std::uint8_t { Nil, Roman, Swiss, Modern, Script, Decor, Tech, Bidi };

struct FontEntry {
    std::int32_t number = 0;
    FontFamily family = FontFamily::Nil;
    std::int32_t charset = 0;   // \fcharsetN; 1 (the default charset) when the entry gave none
    std::int32_t pitch = 0;     // \fprqN: 0 default, 1 fixed, 2 variable
    std::int32_t codePage = 0;  // \cpgN; 0: from the charset
    std::string face;           // UTF-8
    bool operator==(const FontEntry&) const = default;
};

class FontTable {
  public:
    static constexpr std::int32_t kSymbolCodePage = 42;

    // Adds an entry, or replaces the one with the same number.
    void Put(const FontEntry& e);
    // The entry numbered n, or null.
    const FontEntry* Find(std::int32_t number) const;
    const std::vector<FontEntry>& Entries() const { return entries_; }
    bool empty() const { return entries_.empty(); }
    bool operator==(const FontTable& other) const { return entries_ == other.entries_; }

    // The Windows code page of a character set, 0 when it names none (the default charset);
    // the symbol charset gives kSymbolCodePage.
    static std::int32_t CodePageOfCharset(std::int32_t charset);
    // The character set written for a code page (1250 -> 238), 0 for one it does not know.
    static std::int32_t CharsetOfCodePage(std::int32_t codePage);
    // The code page text in entry e decodes with, given the document's \ansicpg.
    static std::int32_t CodePageOf(const FontEntry* e, std::int32_t documentCodePage);
    // The \fXXX word of a family, without the backslash ("froman").
    static std::string_view FamilyWord(FontFamily f);
    // The generic family a layout falls back to for a face it lacks.
    static const char* Generic(const FontEntry* e);

  private:
    std::vector<FontEntry> entries_;
    std::unordered_map<std::int32_t, std::size_t> index_;  // number -> entry
};

}  // namespace quindel::richtext
