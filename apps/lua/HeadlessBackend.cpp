#include "HeadlessBackend.h"

namespace quindel::lua {

std::vector<Box> HeadlessBackend::Boxes() const {
    std::vector<Box> out;
    for (const headless::ShownBox& b : p_.Boxes().Shown())
        out.push_back({b.text, b.style, b.title, b.answer});
    return out;
}

}  // namespace quindel::lua
