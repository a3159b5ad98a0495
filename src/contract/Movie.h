#pragma once
// The interactive movie control's row (ControlloShockwave): a frame movie played in a loop.
//   SRC              the movie's path; "" unloads
//   AutoStart        False: a movie waits for Play once loaded
//   Play, Stop       play on from the current frame; pause there
//   Rewind           back to the first frame
//   GetCurrentFrame  the frame on show, counted from 1 (0 with no movie)
// and the window members height, Width, Visible, Move (the panel centres it), Parent.
#include "contract/Window.h"

namespace quindel::contract::movie {

inline constexpr Member SRC{"SRC", kReadWrite, ParamType::String};
inline constexpr Member AutoStart{"AutoStart", kReadWrite, ParamType::Boolean};
inline constexpr Member Play{"Play", kMethod, ParamType::None};
inline constexpr Member Stop{"Stop", kMethod, ParamType::None};
inline constexpr Member Rewind{"Rewind", kMethod, ParamType::None};
inline constexpr Member GetCurrentFrame{"GetCurrentFrame", kMethod, ParamType::Long};

inline constexpr Member kMembers[] = {SRC,
                                      AutoStart,
                                      Play,
                                      Stop,
                                      Rewind,
                                      GetCurrentFrame,
                                      window::Height,
                                      window::Width,
                                      window::Visible,
                                      window::Move,
                                      window::Parent};
inline constexpr Row kRow{"interactive movie", kMembers};

}  // namespace quindel::contract::movie
