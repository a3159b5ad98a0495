#pragma once
// The picture control's row (ControlloImmagine): one picture file shown fitted, stretched or at
// actual size and panned, printed on request.
//   FileName        the picture's path; "" unloads
//   FXEnabled       False: no transition effects
//   AutoSize        0 actual size, 1 actual size and the control takes the picture's size,
//                   2 stretched to the control
//   CropX, CropY    pan offsets in picture pixels
//   IWidth, IHeight the picture's size in pixels
//   Picture         the whole picture, as a picture object (the copy dialog reads it)
//   Capture         3: setting PrinterhDC prints the picture
//   PrinterWidth, PrinterHeight, PrinterLeft, PrinterTop  the print rectangle, twips on the page
//   PrinterhDC      the printer's device context, set last
//   MousePointer, MouseIcon  the pointer over the picture: 99 shows MouseIcon
// and the window members height, Width, Left, Top, Move, Visible, Refresh, Parent.
#include <cstdint>

#include "contract/Window.h"

namespace quindel::contract::picture {

inline constexpr Member FileName{"FileName", kReadWrite, ParamType::String};
inline constexpr Member FXEnabled{"FXEnabled", kReadWrite, ParamType::Boolean};
inline constexpr Member AutoSize{"AutoSize", kReadWrite, ParamType::Integer};
inline constexpr Member CropX{"CropX", kReadWrite, ParamType::Long};
inline constexpr Member CropY{"CropY", kReadWrite, ParamType::Long};
inline constexpr Member IWidth{"IWidth", kReadOnly, ParamType::Long};
inline constexpr Member IHeight{"IHeight", kReadOnly, ParamType::Long};
inline constexpr Member Picture{"Picture", kReadOnly, ParamType::Object};
inline constexpr Member Capture{"Capture", kReadWrite, ParamType::Integer};
inline constexpr Member PrinterWidth{"PrinterWidth", kReadWrite, ParamType::Long};
inline constexpr Member PrinterHeight{"PrinterHeight", kReadWrite, ParamType::Long};
inline constexpr Member PrinterLeft{"PrinterLeft", kReadWrite, ParamType::Long};
inline constexpr Member PrinterTop{"PrinterTop", kReadWrite, ParamType::Long};
inline constexpr Member PrinterhDC{"PrinterhDC", kReadWrite, ParamType::Long};
// Hosts hand pictures either way: by Set or by Let.
inline constexpr Member MouseIcon{"MouseIcon", CallKind::Get | CallKind::Let | CallKind::Set,
                                  ParamType::Object};

// AutoSize's values, and Capture's for printing.
inline constexpr std::int16_t kActualSize = 0, kOwnSize = 1, kStretched = 2;
inline constexpr std::int16_t kCaptureToPrinter = 3;

inline constexpr Member kMembers[] = {
    FileName,      FXEnabled,       AutoSize,        CropX,         CropY,
    IWidth,        IHeight,         Picture,         Capture,       PrinterWidth,
    PrinterHeight, PrinterLeft,     PrinterTop,      PrinterhDC,    window::MousePointer,
    MouseIcon,     window::Height,  window::Width,   window::Left,  window::Top,
    window::Move,  window::Visible, window::Refresh, window::Parent};
inline constexpr Row kRow{"picture", kMembers};

}  // namespace quindel::contract::picture
