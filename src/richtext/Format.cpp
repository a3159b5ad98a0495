#include "richtext/Format.h"

#include <algorithm>

namespace quindel::richtext {

void ParaFormat::AddTab(std::int32_t at, TabKind kind) {
    auto* end = tabs.begin() + tabCount;
    auto* it = std::lower_bound(tabs.begin(), end, at);
    if ((it != end && *it == at) || tabCount >= kMaxTabs) return;
    const auto index = it - tabs.begin();
    std::copy_backward(it, end, end + 1);
    std::copy_backward(tabKinds.begin() + index, tabKinds.begin() + tabCount,
                       tabKinds.begin() + tabCount + 1);
    *it = at;
    tabKinds[std::size_t(index)] = kind;
    ++tabCount;
}

}  // namespace quindel::richtext
