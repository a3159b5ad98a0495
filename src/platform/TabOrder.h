#pragma once
// The order in which Tab walks the windows that take the focus: depth first through a form's
// windows in their order (a window before its children), over the forms shown as one window
// with it (Platform::FormsShownWith), wrapping from the last to the first. Only tab stops that
// accept input (shown, enabled) are on the way.
#include "platform/Window.h"

namespace quindel::platform {

// The tab stop after `from` (before it when backwards); from may be a form or a window that is
// no tab stop. Null when no other window would take the focus.
Window* NextTabStop(Window& from, bool backwards);

}  // namespace quindel::platform
