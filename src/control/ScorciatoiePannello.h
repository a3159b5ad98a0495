#pragma once
// The panel's keys, declared once. Each presses a button of the strip as a click on it would, so
// its command runs through the same path, nothing happens while the button is disabled or hidden,
// and the key shows after the button's tip ("Następny obiekt (Alt+→)"). Chosen as a viewer's user
// expects them and clear of the text view's and the lists' own keys (the arrows, Page Up and
// Down, Home, End, Enter, Ctrl+A, Ctrl+C):
//   Alt+←, the "previous" media key     previous object                 button 10
//   Alt+→, the "next" media key         next object                     button 11
//   P, the play/pause media key         play or pause                   button 6
//   Ctrl++ (or Ctrl+=) and Ctrl+−       actual size and fitted, each only where it changes
//                                       something                       button 16
//   F5                                  slide show on or off            button 15
//   Ctrl+W                              close                           button 14
//   Escape                              closes the open list window, else the volume window
//                                       (buttons 9, 3 and 8, while down)
#include <cstdint>
#include <functional>
#include <vector>

#include "toolbar/TastieraToolbar.h"

namespace quindel {

// zoomAttivo: whether the picture is shown at actual size; giu(i): whether button i is down.
std::vector<Scorciatoia> ScorciatoiePannello(std::function<bool()> zoomAttivo,
                                             std::function<bool(std::int16_t)> giu);

}  // namespace quindel
