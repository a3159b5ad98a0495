#pragma once
// The window models as assistive technology sees them through Qt's accessibility (and so through
// AT-SPI on a Linux desktop). Contract:
// - InstallAccessibility makes Qt ask the window models about every WindowPeer: its role, name,
//   state, value and text, and its painted children (platform/Accessible.h). Called once per
//   process; calling again does nothing. The host adds nothing.
// - Announce tells assistive technology what changed in the window a peer shows: name,
//   description, state, value, the focus (of the window or of one of its painted children), and
//   its painted children's names and states. It compares with what it told last, so it may be
//   called for any change. Values are told at most once a second: the first change after a quiet
//   second at once, the last of a busy second when the second is up, so a playing film's
//   progress does not flood a screen reader. Nothing is done while no assistive technology
//   listens.
#include <QAccessible>

#include "platform/Accessible.h"
#include "platform/Window.h"

namespace quindel::qt {

class WindowPeer;

void InstallAccessibility();
void Announce(WindowPeer& peer, platform::Aspect what);
// Sends what Announce tells to `sink` instead of to Qt, even where nobody listens (offscreen),
// so a test can record it; null gives it back to Qt.
using AnnouncementSink = void (*)(QAccessibleEvent*);
void AnnounceTo(AnnouncementSink sink);

// The model's terms in Qt's.
QAccessible::Role RoleFor(platform::Role r);
QAccessible::State StateFor(const platform::AccessibleState& s);

// How long value changes of one window are held together.
constexpr int kValueAnnouncementMs = 1000;

}  // namespace quindel::qt
