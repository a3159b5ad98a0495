#include "platform/TextService.h"

#include <numeric>

namespace quindel::platform {

int TextService::Width(const FontSpec& font, std::string_view utf8) const {
    std::vector<int> advances;
    Advances(font, utf8, advances);
    return std::accumulate(advances.begin(), advances.end(), 0);
}

}  // namespace quindel::platform
