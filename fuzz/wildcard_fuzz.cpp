// A pattern and a name cut from the input, matched by the wildcard matcher and by a plain
// table-filling reference over the same folded code points; any disagreement aborts.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"
#include "runtime/Text.h"

namespace {

// ok[i][j]: the first i pattern code points match the first j name code points.
bool Reference(std::u32string_view p, std::u32string_view n) {
    std::vector<std::vector<bool>> ok(p.size() + 1, std::vector<bool>(n.size() + 1));
    ok[0][0] = true;
    for (std::size_t i = 1; i <= p.size(); ++i)
        for (std::size_t j = 0; j <= n.size(); ++j)
            ok[i][j] = p[i - 1] == U'*' ? ok[i - 1][j] || (j > 0 && ok[i][j - 1])
                                        : j > 0 && ok[i - 1][j - 1] &&
                                              (p[i - 1] == U'?' || p[i - 1] == n[j - 1]);
    return ok[p.size()][n.size()];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1 || size > 256) return 0;
    const std::string_view all(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::size_t cut = std::min<std::size_t>(data[0] % 32, all.size());
    const std::string_view pattern = all.substr(0, cut), name = all.substr(cut);
    const bool expected =
        Reference(quindel::FoldedCodePoints(pattern), quindel::FoldedCodePoints(name));
    if (quindel::platform::MatchWildcard(pattern, name) != expected) std::abort();
    return 0;
}
