#pragma once
// What assistive technology (a screen reader, a magnifier, a test walking the accessible tree)
// learns of a window: its role, name, state, value and readable text. Contract:
// - The window model keeps it (Window::Accessible), so both backends answer alike: the headless
//   one in tests, the desktop one through the toolkit's accessibility interfaces.
// - A description is a snapshot, compared as a value: a backend that keeps the last one it
//   announced learns what changed by comparing it with the next.
// - A window may hold children that are painted rather than windows of their own (the buttons
//   of a strip drawn on one picture box). A provider describes them, tells which one has the
//   keyboard, and presses one as the user would; their bounds are in the window's client pixels.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Geometry.h"

namespace quindel::platform {

enum class Role : std::uint8_t {
    Window,
    Dialog,
    Alert,
    Pane,
    ToolBar,
    PushButton,
    ToggleButton,
    StaticText,
    List,
    ListItem,
    ScrollBar,
    Slider,
    Document,
    Graphic,
    Animation
};

// The role's name as assistive technology says it ("push button", "toggle button").
std::string_view RoleName(Role r);

struct AccessibleState {
    bool focusable = false;
    bool focused = false;
    bool disabled = false;
    bool invisible = false;
    // Part of a shown window but scrolled out of its view (a list's row).
    bool offscreen = false;
    bool pressed = false;
    bool checkable = false;
    bool checked = false;
    bool selectable = false;
    bool selected = false;
    bool readOnly = false;
    bool operator==(const AccessibleState&) const = default;
};

// A value in a range, as a slider or a scroll bar has; minimum never exceeds maximum.
struct AccessibleValue {
    std::int32_t current = 0;
    std::int32_t minimum = 0;
    std::int32_t maximum = 0;
    std::int32_t step = 1;
    bool operator==(const AccessibleValue&) const = default;
};

struct AccessibleDescription {
    Role role = Role::Pane;
    std::string name;
    std::string description;
    // The key that reaches it from anywhere in its window ("Alt+→"), as a person would type it.
    std::string shortcut;
    AccessibleState state;
    std::optional<AccessibleValue> value;
    // What a reader reads: a document's text, a label's caption.
    std::string text;
    // Where a painted child lies, in its window's client pixels; empty for windows.
    RectPx bounds;
    bool operator==(const AccessibleDescription&) const = default;
};

// The painted children of one window.
class AccessibleChildren {
  public:
    virtual ~AccessibleChildren() = default;
    virtual int Count() const = 0;
    virtual AccessibleDescription Child(int i) const = 0;
    // The child the keyboard is on, or -1.
    virtual int FocusedChild() const { return -1; }
    // Presses child i as the user's click would, with the same events; false when it cannot be
    // pressed (out of range, disabled).
    virtual bool Press(int i) = 0;
};

class Window;

// One node of the accessible tree: a window (its handle) or a painted child (handle 0).
struct AccessibleNode {
    AccessibleDescription what;
    Handle window = 0;
    std::vector<AccessibleNode> children;
};

// The tree under w as assistive technology walks it: w's description, its painted children,
// then its child windows that are shown, in their order.
AccessibleNode AccessibleTree(const Window& w);
// The first node, depth first, with that role and name; null when there is none.
const AccessibleNode* FindAccessible(const AccessibleNode& root, Role role, std::string_view name);

}  // namespace quindel::platform
