#pragma once
// The animation form's row (FrmControlloAnimazione): a host form carrying the surface animations
// play on and the sign shown while a sound plays (their rows: Window.h).
//   Pic_Animazioni  the animation surface, a picture box
//   PicSuono        the loudspeaker sign, a picture box
// and the form's own ScaleWidth, ScaleHeight, hWnd, Visible.
#include "contract/Window.h"

namespace quindel::contract::animationform {

inline constexpr Member PicAnimazioni{"Pic_Animazioni", kReadOnly, ParamType::Object};
inline constexpr Member PicSuono{"PicSuono", kReadOnly, ParamType::Object};

inline constexpr Member kMembers[] = {PicAnimazioni,       PicSuono,     window::ScaleWidth,
                                      window::ScaleHeight, window::hWnd, window::Visible};
inline constexpr Row kRow{"animation form", kMembers};

}  // namespace quindel::contract::animationform
