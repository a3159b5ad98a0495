#include "platform/TabOrder.h"

#include <algorithm>
#include <vector>

#include "platform/Form.h"
#include "platform/Platform.h"

namespace quindel::platform {

namespace {

void InOrder(Window& w, std::vector<Window*>& out) {
    out.push_back(&w);
    for (const auto& c : w.Children()) InOrder(*c, out);
}

}  // namespace

Window* NextTabStop(Window& from, bool backwards) {
    Form* form = from.TopForm();
    if (!form) return nullptr;
    std::vector<Window*> all;
    for (Form* f : from.platform().FormsShownWith(*form)) InOrder(*f, all);
    if (backwards) std::reverse(all.begin(), all.end());
    const auto at = std::find(all.begin(), all.end(), &from);
    const std::size_t start = at == all.end() ? 0 : std::size_t(at - all.begin());
    for (std::size_t step = 1; step <= all.size(); ++step) {
        Window* w = all[(start + step) % all.size()];
        if (w != &from && w->TabStop() && w->AcceptsInput()) return w;
    }
    return nullptr;
}

}  // namespace quindel::platform
