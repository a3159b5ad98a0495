#pragma once
// The pictures of the copy and print dialogs: their backgrounds (paper with a top stripe, a rule
// under the title, incised group frames and raised button frames), the option marker (a strip
// of two cells: not chosen, chosen) and the check mark. Drawn on the dialogs' paper colour, which
// the dialogs' labels share. Sizes are in units, drawn with scale × scale pixels to a unit.
#include "platform/Image.h"

namespace quindel::artgen {

constexpr platform::Rgba kDialogPaper = platform::MakeRgb(238, 232, 216);
constexpr int kMarkSize = 16;

platform::Image RenderCopyBackground(double scale = 1);
platform::Image RenderPrintBackground(double scale = 1);
platform::Image RenderOptionMarkers(double scale = 1);
platform::Image RenderCheckMark(double scale = 1);

}  // namespace quindel::artgen
