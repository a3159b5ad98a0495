#pragma once
// The picture control's printing. ConnectPrinter plugs the control's print hook into the
// platform's printer: once the control's Capture is 3, setting PrinterhDC draws its whole picture,
// scaled into PrinterLeft, PrinterTop, PrinterWidth, PrinterHeight (twips from the printable
// area's corner), on the current page of the printer's document, opening one when none is open.
// Failures are run-time errors the member raises: 482 when the platform has no printer, the
// device context is not the printer's or the printer fails; 380 for a rectangle without width or
// height.
#include <cstdint>

#include "hostkit/picture/PictureControl.h"

namespace quindel::hostkit {

void ConnectPrinter(PictureControl& control, platform::Platform& platform);
// The hook's work, for a picture from anywhere.
void PrintPicture(platform::Platform& platform, const platform::Image& picture,
                  const PictureControl::PrintRect& rect, std::int32_t hdc);

}  // namespace quindel::hostkit
