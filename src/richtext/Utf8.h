#pragma once
// Code-point steps over the engine's text. The model holds only well-formed UTF-8 (the reader
// and the plain-text loader make sure of it), so counting lead bytes counts code points.
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace quindel::richtext {

inline bool IsLeadByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
}

inline std::uint32_t CountCodePoints(std::string_view s) {
    std::uint32_t n = 0;
    for (char c : s) n += IsLeadByte(c) ? 1 : 0;
    return n;
}

// The byte where code point n of s starts (s.size() when s has fewer).
inline std::size_t ByteOfCodePoint(std::string_view s, std::uint32_t n) {
    std::size_t i = 0;
    for (; i < s.size(); ++i) {
        if (IsLeadByte(s[i])) {
            if (n == 0) return i;
            --n;
        }
    }
    return i;
}

// The code point at s[i] (well-formed UTF-8), moving i past it.
inline char32_t NextCodePoint(std::string_view s, std::size_t& i) {
    const auto lead = static_cast<unsigned char>(s[i++]);
    if (lead < 0x80) return lead;
    const int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : 1;
    char32_t cp = lead & (0x3F >> extra);
    for (int k = 0; k < extra && i < s.size(); ++k)
        cp = (cp << 6) | (static_cast<unsigned char>(s[i++]) & 0x3F);
    return cp;
}

}  // namespace quindel::richtext
