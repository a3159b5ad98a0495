#include "runtime/DateTime.h"

#include <array>

namespace quindel {

std::string FormatDataOra(std::time_t t) {
    std::tm local{};
    if (!localtime_r(&t, &local)) return {};
    std::array<char, 32> buf{};
    const std::size_t n = std::strftime(buf.data(), buf.size(), "%d-%m-%Y %H:%M:%S", &local);
    return std::string(buf.data(), n);
}

}  // namespace quindel
