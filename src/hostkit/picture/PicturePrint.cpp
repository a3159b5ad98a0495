#include "hostkit/picture/PicturePrint.h"

#include <string>

#include "platform/Platform.h"
#include "platform/Printer.h"
#include "runtime/VbError.h"

namespace quindel::hostkit {

namespace {

constexpr const char* kSource = "Picture";
constexpr std::int32_t kInvalidValue = 380, kPrinterError = 482;

}  // namespace

void PrintPicture(platform::Platform& platform, const platform::Image& picture,
                  const PictureControl::PrintRect& rect, std::int32_t hdc) {
    platform::Printer* printer = platform.printer();
    if (!printer) throw VbError(kPrinterError, kSource, "There is no printer on this platform");
    if (hdc != printer->hDC())
        throw VbError(kPrinterError, kSource,
                      "The device context " + std::to_string(hdc) + " is not the printer's");
    if (rect.width <= 0 || rect.height <= 0)
        throw VbError(kInvalidValue, kSource, "The print rectangle has no width or no height");
    printer->DrawPicture(picture, {rect.left, rect.top, rect.width, rect.height});
    if (!printer->Status()) throw VbError(kPrinterError, kSource, printer->Status().error);
}

void ConnectPrinter(PictureControl& control, platform::Platform& platform) {
    control.setPrintHook(
        [&platform](const platform::Image& picture, const PictureControl::PrintRect& rect,
                    std::int32_t hdc) { PrintPicture(platform, picture, rect, hdc); });
}

}  // namespace quindel::hostkit
