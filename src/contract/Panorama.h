#pragma once
// The 360-degree photo control's row (Controllo3DFoto360): an equirectangular picture seen
// through a view the user turns and zooms.
//   Stretch      True: the view fills the control
//   FileName     the picture's path; "" unloads
//   zoomenabled  True: the wheel zooms
//   PanAngle     the view's direction in degrees (the panel turns it for autoplay)
// and the window members Top, Left, Move, height, Width, Visible, Enabled (False while the panel
// turns it), Parent.
#include "contract/Window.h"

namespace quindel::contract::panorama {

inline constexpr Member Stretch{"Stretch", kReadWrite, ParamType::Boolean};
inline constexpr Member FileName{"FileName", kReadWrite, ParamType::String};
inline constexpr Member ZoomEnabled{"zoomenabled", kReadWrite, ParamType::Boolean};
inline constexpr Member PanAngle{"PanAngle", kReadWrite, ParamType::Single};

inline constexpr Member kMembers[] = {
    Stretch,      FileName,       ZoomEnabled,   PanAngle,        window::Top,     window::Left,
    window::Move, window::Height, window::Width, window::Visible, window::Enabled, window::Parent};
inline constexpr Row kRow{"360-degree photo", kMembers};

}  // namespace quindel::contract::panorama
