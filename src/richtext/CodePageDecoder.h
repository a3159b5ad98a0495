#pragma once
// Turns 8-bit text of a Windows code page into UTF-8 for the reader.
//
// Single-byte pages decode byte by byte through a table built once per page and process
// (with iconv); the symbol page (FontTable::kSymbolCodePage) through the symbol encoding.
// Bytes of multi-byte pages (932, 936, 949, 950, 1361, and 65001 for UTF-8) are held until
// Flush, or until bytes of another page arrive, and then decoded as one run, so a character
// whose two bytes came as two \'hh escapes decodes whole. Bytes that do not decode become
// U+FFFD; nothing throws.
#include <cstdint>
#include <string>
#include <string_view>

namespace quindel::richtext {

class CodePageDecoder {
  public:
    void Decode(std::string_view bytes, std::int32_t codePage, std::string& out);
    void Flush(std::string& out);

    static bool IsMultiByte(std::int32_t codePage);
    // All of bytes at once.
    static std::string DecodeAll(std::string_view bytes, std::int32_t codePage);
    // The byte of a single-byte code page that decodes to cp, or -1 (always -1 for ASCII
    // control characters and multi-byte pages).
    static int ByteOf(char32_t cp, std::int32_t codePage);

  private:
    std::string held_;
    std::int32_t heldPage_ = 0;
};

}  // namespace quindel::richtext
