#pragma once
// Splits RTF bytes into tokens in one pass, without copying: braces, control words with their
// parameter, control symbols, \'hh bytes, runs of plain text bytes and \bin payloads.
//
// - A control word is a backslash and letters, then an optional signed number, then an
//   optional space that belongs to it. Letters past kMaxWordLength make a name no reader knows;
//   a parameter is clamped to the 32-bit range however many digits it has.
// - CR and LF outside \bin data are dropped; "\" followed by CR or LF is the symbol '\n' (a
//   paragraph end).
// - \binN is returned as one Binary token holding the next N bytes (fewer when the input ends
//   first): its payload may hold braces and backslashes.
// - A truncated input ends where it ends: the last token is cut short, then End.
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace quindel::richtext {

struct RtfToken {
    enum class Kind : std::uint8_t { End, Open, Close, Word, Symbol, Hex, Text, Binary };
    Kind kind = Kind::End;
    std::string_view text;   // Word: its letters; Text, Binary: the bytes
    std::int32_t param = 0;  // Word: the parameter; Hex: the byte
    bool hasParam = false;
    char symbol = 0;  // Symbol: the character after the backslash
};

class RtfTokenizer {
  public:
    static constexpr std::size_t kMaxWordLength = 32;

    explicit RtfTokenizer(std::string_view bytes) : in_(bytes) {}

    RtfToken Next();
    std::size_t Offset() const { return pos_; }

  private:
    RtfToken Escape();
    RtfToken Word();
    RtfToken Hex();

    std::string_view in_;
    std::size_t pos_ = 0;
};

}  // namespace quindel::richtext
