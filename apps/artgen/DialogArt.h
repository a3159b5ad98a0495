#pragma once
// The pictures of the copy and print dialogs: their backgrounds (paper with a top stripe, a rule
// under the title, incised group frames and raised button frames), the option marker (a strip
// of two cells: not chosen, chosen) and the check mark. Drawn on the dialogs' paper colour, which
// the dialogs' labels share.
#include "platform/Image.h"

namespace quindel::artgen {

constexpr platform::Rgba kDialogPaper = platform::MakeRgb(238, 232, 216);
constexpr int kMarkSize = 16;

platform::Image RenderCopyBackground();
platform::Image RenderPrintBackground();
platform::Image RenderOptionMarkers();
platform::Image RenderCheckMark();

}  // namespace quindel::artgen
