#pragma once
// A 64-bit FNV-1a hash, fed piece by piece: the builder's change detector (not cryptographic).
#include <cstdint>
#include <string_view>

namespace quindel::build {

class Hash64 {
  public:
    Hash64& Add(std::string_view bytes) {
        for (const char c : bytes) value_ = (value_ ^ std::uint8_t(c)) * 0x100000001b3ULL;
        return Add(std::uint64_t(bytes.size()));  // so "ab"+"c" differs from "a"+"bc"
    }
    Hash64& Add(std::uint64_t n) {
        for (int i = 0; i < 8; ++i) value_ = (value_ ^ ((n >> (8 * i)) & 0xff)) * 0x100000001b3ULL;
        return *this;
    }
    std::uint64_t Value() const { return value_; }

  private:
    std::uint64_t value_ = 0xcbf29ce484222325ULL;
};

}  // namespace quindel::build
