#pragma once
// The window members display controls share with every window, spelt as the contract spells them
// (names compare without regard to case), and the rows of the plain windows the panel reaches: the
// form a display control stands on (its Parent) and the host's own form, the animation surface and
// the loudspeaker sign of the animation form. Sizes and positions are twips.
#include "contract/Member.h"

namespace quindel::contract::window {

inline constexpr Member Left{"Left", kReadWrite, ParamType::Long};
inline constexpr Member Top{"Top", kReadWrite, ParamType::Long};
inline constexpr Member Width{"Width", kReadWrite, ParamType::Long};
inline constexpr Member Height{"height", kReadWrite, ParamType::Long};
inline constexpr Member Visible{"Visible", kReadWrite, ParamType::Boolean};
inline constexpr Member Enabled{"Enabled", kReadWrite, ParamType::Boolean};
// Move(Left, [Top], [Width], [Height]).
inline constexpr Member Move{"Move", kMethod, ParamType::None};
inline constexpr Member hWnd{"hWnd", kReadOnly, ParamType::Long};
inline constexpr Member Refresh{"Refresh", kMethod, ParamType::None};
// The window the control stands on: a form (ScaleWidth, ScaleHeight) or another window; Nothing
// when it stands on none.
inline constexpr Member Parent{"Parent", kReadOnly, ParamType::Object};
inline constexpr Member MousePointer{"MousePointer", kReadWrite, ParamType::Integer};
inline constexpr Member BorderStyle{"BorderStyle", kReadWrite, ParamType::Integer};
// The client area of a form.
inline constexpr Member ScaleWidth{"ScaleWidth", kReadOnly, ParamType::Long};
inline constexpr Member ScaleHeight{"ScaleHeight", kReadOnly, ParamType::Long};

// A display control's Parent, and the host form the panel stands on (FrmParent).
inline constexpr Member kFormMembers[] = {ScaleWidth, ScaleHeight, Width, Height, hWnd, Enabled};
inline constexpr Row kForm{"form", kFormMembers};

// The animation form's Pic_Animazioni, where animations open their window.
inline constexpr Member kSurfaceMembers[] = {hWnd, Move, Height, Width, Visible};
inline constexpr Row kAnimationSurface{"animation surface", kSurfaceMembers};

// The animation form's PicSuono, shown while a sound plays.
inline constexpr Member kSignMembers[] = {Visible};
inline constexpr Row kSoundSign{"sound sign", kSignMembers};

}  // namespace quindel::contract::window
