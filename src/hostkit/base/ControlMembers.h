#pragma once
// Late-bound members the kit's display controls share with the platform's windows. A control
// takes the window members its row lists (geometry, visibility, Move, Enabled, hWnd) from the
// platform's own window view, under the spelling the contract uses, so they behave exactly as on
// any other window; Parent and Refresh are declared here.
//   Parent  0x80010009  read-only: the window the control sits on, as the platform's window view
//                       (a form view, with ScaleWidth and ScaleHeight, when it is a form);
//                       Nothing when the control has no parent
//   Refresh -550        repaints the control
#include <functional>
#include <initializer_list>

#include "contract/Member.h"
#include "platform/Window.h"
#include "runtime/DispatchTable.h"

namespace quindel::hostkit {

// Declares the given members of the platform's window view (Left, Top, Width, Height, Visible,
// Enabled, Move, ...) on `table`, spelt as the contract spells them, acting on `window`. A member
// the view lacks, or has with other kinds or another type than the contract's, is a programming
// error (std::invalid_argument).
void AdoptWindowMembers(DispatchTable& table, platform::Window& window,
                        std::initializer_list<contract::Member> members);

void DeclareParent(DispatchTable& table, platform::Window& window);
// `repaint` marks the control's content as changed.
void DeclareRefresh(DispatchTable& table, std::function<void()> repaint);

}  // namespace quindel::hostkit
