#include "platform/Accessible.h"

#include <array>

#include "platform/Window.h"

namespace quindel::platform {

std::string_view RoleName(Role r) {
    static constexpr std::array<std::string_view, 15> kNames{
        "window",      "dialog",        "alert",    "pane",  "tool bar",
        "push button", "toggle button", "label",    "list",  "list item",
        "scroll bar",  "slider",        "document", "image", "animation"};
    const auto i = std::size_t(r);
    return i < kNames.size() ? kNames[i] : "unknown";
}

AccessibleNode AccessibleTree(const Window& w) {
    AccessibleNode node;
    node.what = w.Accessible();
    node.window = w.hWnd();
    for (int i = 0; i < w.AccessibleChildCount(); ++i)
        node.children.push_back({w.AccessibleChild(i), 0, {}});
    for (const auto& c : w.Children())
        if (c->Alive() && c->Visible()) node.children.push_back(AccessibleTree(*c));
    return node;
}

const AccessibleNode* FindAccessible(const AccessibleNode& root, Role role, std::string_view name) {
    if (root.what.role == role && root.what.name == name) return &root;
    for (const auto& c : root.children)
        if (const AccessibleNode* found = FindAccessible(c, role, name)) return found;
    return nullptr;
}

}  // namespace quindel::platform
