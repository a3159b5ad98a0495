#pragma once
// The 8-bit encoding of symbol fonts (character set 2): Greek letters, mathematical signs and
// arrows at fixed byte values. Text in such a font is kept as the Unicode characters the bytes
// stand for, so it shows in any font; writing turns them back into the same bytes.
#include <cstdint>

namespace quindel::richtext {

// The character byte b stands for, U+FFFD for a byte the encoding leaves empty.
char32_t SymbolToUnicode(std::uint8_t b);
// The byte of cp in the symbol encoding, or -1.
int UnicodeToSymbol(char32_t cp);

}  // namespace quindel::richtext
