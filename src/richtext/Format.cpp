#include "richtext/Format.h"

#include <algorithm>

namespace quindel::richtext {

void ParaFormat::AddTab(std::int32_t at) {
    auto* end = tabs.begin() + tabCount;
    auto* it = std::lower_bound(tabs.begin(), end, at);
    if ((it != end && *it == at) || tabCount >= kMaxTabs) return;
    std::copy_backward(it, end, end + 1);
    *it = at;
    ++tabCount;
}

}  // namespace quindel::richtext
