#pragma once
// The rows of the film control (ControlloVideo) and the sound control (ControlloAudio), and the
// numbers their Command takes. A sound's row is part of a film's, so one control can serve both.
//   FileName      the file's path; setting it opens the file
//   AutoSize      1: a film's control takes the film's own size
//   AutoPlay      True: a file plays as soon as FileName opens it
//   Command       one of MediaCommand, below (a 16-bit integer)
//   Error         0 once the file opened and while it plays; else why not
//   ErrorMessage  what went wrong
//   Notify        False: no notification events
//   Length        milliseconds
//   Position      milliseconds from the start; Length once the end is reached
//   WaveVolume    0..65535, written as a floating-point value
// and, for a film, the window members Left, Top, height, Width, Move, Visible, hWnd, Enabled,
// Refresh, Parent.
#include <cstdint>

#include "contract/Window.h"

namespace quindel::contract::media {

inline constexpr Member FileName{"FileName", kReadWrite, ParamType::String};
inline constexpr Member AutoSize{"AutoSize", kReadWrite, ParamType::Integer};
inline constexpr Member AutoPlay{"AutoPlay", kReadWrite, ParamType::Boolean};
inline constexpr Member Command{"Command", kReadWrite, ParamType::Integer};
inline constexpr Member Error{"Error", kReadOnly, ParamType::Long};
inline constexpr Member ErrorMessage{"ErrorMessage", kReadOnly, ParamType::String};
inline constexpr Member Notify{"Notify", kReadWrite, ParamType::Boolean};
inline constexpr Member Length{"Length", kReadOnly, ParamType::Long};
inline constexpr Member Position{"Position", kReadWrite, ParamType::Long};
inline constexpr Member WaveVolume{"WaveVolume", kReadWrite, ParamType::Double};

// What Command does.
enum class MediaCommand : std::int16_t {
    Close = 1,    // closes the file
    Open = 4,     // opens FileName when it is not open
    Play = 5,     // plays, from the start when at the end
    Pause = 6,    // pauses where it is
    PlayOn = 7,   // plays on from where it stands: after a pause where it paused, after a rewind
                  // from the start; nothing at the end
    Stop = 11,    // stops where it is
    Rewind = 13,  // back to the start, playing on if it was playing
};

// AutoSize: the film's own size.
inline constexpr std::int16_t kFilmSize = 1;
// Error: the file opened.
inline constexpr std::int32_t kNoError = 0;

inline constexpr Member kSoundMembers[] = {FileName, AutoPlay, Command,   Notify,
                                           Length,   Position, WaveVolume};
inline constexpr Row kSound{"sound", kSoundMembers};

inline constexpr Member kFilmMembers[] = {
    FileName,        AutoSize,     AutoPlay,        Command,         Error,
    ErrorMessage,    Notify,       Length,          Position,        WaveVolume,
    window::Left,    window::Top,  window::Height,  window::Width,   window::Move,
    window::Visible, window::hWnd, window::Enabled, window::Refresh, window::Parent};
inline constexpr Row kFilm{"film", kFilmMembers};

// Sends a command to a film or sound control.
inline void Send(const Object& player, MediaCommand command) {
    Let(player, Command, Variant(static_cast<std::int16_t>(command)));
}

}  // namespace quindel::contract::media
