#pragma once
// The rich-text control's row: the text and caption controls (ControlloTesto, ControlloDidascalia)
// and the hidden engine instances of the copy and print dialogs. Members the dialogs reach by
// number carry the engine's dispatch id.
//   FText         the whole formatted text as RTF (42)
//   SelText       the selected plain text
//   SelStart, SelLength  the selection, in characters (90, 89); TextLength the text's (144)
//   ClearAll      empties the text
//   ClipCopy      2 copies the selection as RTF and plain text, 1 as plain text (118)
//   EngineHandle  the handle the print functions take (146)
//   FontTableSize how many font-table entries the host has put; 0 drops them
//   FileName, DataType, FileLoad  a file to load: DataType 3 reads RTF (or plain text), FileLoad
//                 2 replaces the text with it, 1 appends it
//   SaveName, FileSave  a file to save to (44); FileSave 1 saves the selection, 2 the whole text
//                 (45)
//   SelFType (2), ViewMode (33), WriteProtect (103), ScrollBarH, PageRange (49), RegionRange
//                 (112), BaseFont (113, an object), ScrollBars (22), ShowSelection (18): settings
//   DocWidth      the width the text is laid out to; DocHeight the laid-out height
//   ScrollHorz, ScrollVert  where the text is shown from
// and the window members hWnd, Left, Top, Width, height, Visible, Enabled, Move, Refresh, Parent,
// BorderStyle, MousePointer.
#include <cstdint>

#include "contract/Window.h"

namespace quindel::contract::text {

inline constexpr Member FText{"FText", kReadWrite, ParamType::String, 42};
inline constexpr Member SelText{"SelText", kReadOnly, ParamType::String};
inline constexpr Member SelStart{"SelStart", kReadWrite, ParamType::Long, 90};
inline constexpr Member SelLength{"SelLength", kReadWrite, ParamType::Long, 89};
inline constexpr Member TextLength{"TextLength", kReadOnly, ParamType::Long, 144};
inline constexpr Member ClearAll{"ClearAll", kMethod, ParamType::None};
inline constexpr Member ClipCopy{"ClipCopy", kReadWrite, ParamType::Integer, 118};
inline constexpr Member EngineHandle{"EngineHandle", kReadOnly, ParamType::Long, 146};
inline constexpr Member FontTableSize{"FontTableSize", kReadWrite, ParamType::Long};
inline constexpr Member FileName{"FileName", kReadWrite, ParamType::String};
inline constexpr Member DataType{"DataType", kReadWrite, ParamType::Integer};
inline constexpr Member FileLoad{"FileLoad", kReadWrite, ParamType::Integer};
inline constexpr Member SaveName{"SaveName", kReadWrite, ParamType::String, 44};
inline constexpr Member FileSave{"FileSave", kReadWrite, ParamType::Integer, 45};
inline constexpr Member SelFType{"SelFType", kReadWrite, ParamType::Long, 2};
inline constexpr Member ViewMode{"ViewMode", kReadWrite, ParamType::Long, 33};
inline constexpr Member WriteProtect{"WriteProtect", kReadWrite, ParamType::Long, 103};
inline constexpr Member ScrollBarH{"ScrollBarH", kReadWrite, ParamType::Long};
inline constexpr Member PageRange{"PageRange", kReadWrite, ParamType::Long, 49};
inline constexpr Member RegionRange{"RegionRange", kReadWrite, ParamType::Long, 112};
inline constexpr Member BaseFont{"BaseFont", kObjectReadWrite, ParamType::Object, 113};
inline constexpr Member ScrollBars{"ScrollBars", kReadWrite, ParamType::Integer, 22};
inline constexpr Member ShowSelection{"ShowSelection", kReadWrite, ParamType::Boolean, 18};
inline constexpr Member DocWidth{"DocWidth", kReadWrite, ParamType::Long};
inline constexpr Member DocHeight{"DocHeight", kReadOnly, ParamType::Long};
inline constexpr Member ScrollHorz{"ScrollHorz", kReadWrite, ParamType::Long};
inline constexpr Member ScrollVert{"ScrollVert", kReadWrite, ParamType::Long};

// DataType: RTF, or plain text when the file is not RTF. FileLoad: replace or append.
inline constexpr std::int16_t kRtfOrText = 3;
inline constexpr std::int16_t kReplace = 2, kAppend = 1;
// SelFType before FText is read: every format.
inline constexpr std::int32_t kAllFormats = 63;

inline constexpr Member kMembers[] = {FText,
                                      SelText,
                                      SelStart,
                                      SelLength,
                                      TextLength,
                                      ClearAll,
                                      ClipCopy,
                                      EngineHandle,
                                      FontTableSize,
                                      FileName,
                                      DataType,
                                      FileLoad,
                                      SaveName,
                                      FileSave,
                                      SelFType,
                                      ViewMode,
                                      WriteProtect,
                                      ScrollBarH,
                                      PageRange,
                                      RegionRange,
                                      BaseFont,
                                      ScrollBars,
                                      ShowSelection,
                                      DocWidth,
                                      DocHeight,
                                      ScrollHorz,
                                      ScrollVert,
                                      window::hWnd,
                                      window::Left,
                                      window::Top,
                                      window::Width,
                                      window::Height,
                                      window::Visible,
                                      window::Enabled,
                                      window::Move,
                                      window::Refresh,
                                      window::Parent,
                                      window::BorderStyle,
                                      window::MousePointer};
inline constexpr Row kRow{"rich text", kMembers};

}  // namespace quindel::contract::text
