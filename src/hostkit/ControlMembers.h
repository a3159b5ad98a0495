#pragma once
// Late-bound members the kit's display controls share with the platform's windows. A control
// takes the window members it answers to (geometry, visibility, Move, Enabled) from the
// platform's own window view, under the spelling its contract uses, so they behave exactly as
// on any other window; Parent and Refresh are declared here.
//   Parent  0x80010009  read-only: the window the control sits on, as the platform's window view
//                       (a form view, with ScaleWidth and ScaleHeight, when it is a form);
//                       Nothing when the control has no parent
//   Refresh -550        repaints the control
#include <functional>
#include <initializer_list>

#include "platform/Window.h"
#include "runtime/DispatchTable.h"

namespace quindel::hostkit {

// Declares the named members of the platform's window view (Left, Top, Width, Height, Visible,
// Enabled, Move, ...) on `table`, spelled as given, acting on `window`. An unknown name is a
// programming error (std::invalid_argument).
void AdoptWindowMembers(DispatchTable& table, platform::Window& window,
                        std::initializer_list<const char*> names);

void DeclareParent(DispatchTable& table, platform::Window& window);
// `repaint` marks the control's content as changed.
void DeclareRefresh(DispatchTable& table, std::function<void()> repaint);

}  // namespace quindel::hostkit
