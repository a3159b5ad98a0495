#pragma once
// A 128-bit identifier of a class, an interface or a type library, written as
// {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}.
#include <array>
#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quindel {

struct Guid {
    std::uint32_t data1 = 0;
    std::uint16_t data2 = 0;
    std::uint16_t data3 = 0;
    std::array<std::uint8_t, 8> data4{};

    // Upper-case hex in braces.
    std::string ToString() const;
    // Accepts the braced form, with or without braces, in either case; nullopt otherwise.
    static std::optional<Guid> Parse(std::string_view text);

    bool IsNull() const { return *this == Guid{}; }
    auto operator<=>(const Guid&) const = default;
};

}  // namespace quindel
