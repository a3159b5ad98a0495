#pragma once
// The rich-text engine's print functions, under the names the panel calls them by (it is handed
// them in a small function table). They print a rich-text box's document into the platform
// printer's open document, laid out as on screen but measured in twips (the text service at one
// twip a pixel), in the fonts of the document's FontSpecs: a page holds what its layout says.
//
// A job is the stretch of a document between ATX_PRINT_START and ATX_PRINT_FINISH. Several jobs
// may share one document (a credit line, a picture, then a text, all on one page); the caller
// ends the document itself (Printer::EndDoc).
//
// The arguments, in the order the panel passes them:
// - platform: whose printer prints.
// - hdc: the printer's device context (Printer::hDC), naming its open document or the next one.
// - title: the job's name, shown by the print queue and as the PDF's title.
// - control: the rich-text box as an object; handle: its engine handle (member 146). The handle
//   names the engine; the control stands in when the handle names no live box.
// - top, height, left, width: the area of the page the text goes into, in twips from the
//   printable area's top-left corner; the text is laid out to width. A text taller than the area
//   goes on over new pages, in the same area of each.
// - pagePos (ATX_PRINT, in and out): where in the laid-out text to begin, twips from its top
//   (0: from the start); on return, where the printed text ended in it (its whole height once
//   everything was printed). Printing begins on the current page.
// - top (ATX_PRINT_REGION, in and out): where on the current page the text begins; on return,
//   where it ended on the last page it reached, so the caller can go on below it.
// - the three arguments given as 0: reserved, ignored.
// What prints: ATX_PRINT the whole text, or only the selection when the box's PageRange (49) is
// 1; ATX_PRINT_REGION likewise by RegionRange (112). With ShowSelection (18) True the selection
// prints inverted as on screen, so a print usually sets it False first.
// Failures are run-time errors: 482 when the platform has no printer, the printer fails (its own
// words as the description) or hdc is not the printer's; 5 when neither handle nor control names
// a live box, or the area has no width or height.
#include <cstdint>
#include <string_view>

#include "runtime/Variant.h"

namespace quindel::platform {
class Platform;
}

namespace quindel::hostkit {

void ATX_PRINT_START(platform::Platform& platform, std::int32_t reserved, std::int32_t hdc);
void ATX_PRINT_TITLE(platform::Platform& platform, std::string_view title);
void ATX_PRINT(platform::Platform& platform, const Object& control, std::int32_t& pagePos,
               std::int32_t top, std::int32_t height, std::int32_t left, std::int32_t width,
               std::int32_t reserved1, std::int32_t handle, std::int32_t reserved2);
void ATX_PRINT_REGION(platform::Platform& platform, const Object& control, std::int32_t& top,
                      std::int32_t height, std::int32_t left, std::int32_t width,
                      std::int32_t reserved1, std::int32_t handle, std::int32_t reserved2);
void ATX_PRINT_FINISH(platform::Platform& platform);

}  // namespace quindel::hostkit
