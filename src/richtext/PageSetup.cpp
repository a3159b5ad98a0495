#include "richtext/PageSetup.h"

#include <algorithm>

namespace quindel::richtext {

bool PageSetup::Given() const {
    return landscape || paperWidth >= 0 || paperHeight >= 0 || marginLeft >= 0 ||
           marginRight >= 0 || marginTop >= 0 || marginBottom >= 0;
}

platform::RectTwips PageSetup::PrintArea(const platform::PageMetrics& sheet,
                                         const platform::RectTwips& asked) const {
    if (!Given()) return asked;
    platform::RectTwips area = asked;
    const std::int32_t printableWidth = std::max(1, sheet.PrintableWidth());
    const std::int32_t printableHeight = std::max(1, sheet.PrintableHeight());
    // Across: the paper's edges on the sheet, from the printable area's corner.
    // A paper the document does not give is the sheet.
    const std::int32_t paperRight =
        std::min(Or(paperWidth, sheet.pageWidth), sheet.pageWidth) - sheet.marginLeft;
    area.left = std::clamp(MarginLeft() - sheet.marginLeft, 0, printableWidth - 1);
    const std::int32_t right = std::min(paperRight - MarginRight(), printableWidth);
    area.width = std::max(1, right - area.left);
    // Down: within the margins, never above where the caller starts.
    const std::int32_t paperBottom =
        std::min(Or(paperHeight, sheet.pageHeight), sheet.pageHeight) - sheet.marginTop;
    const std::int32_t top = std::max(asked.top, MarginTop() - sheet.marginTop);
    const std::int64_t bottom = std::min<std::int64_t>(
        {std::int64_t(asked.top) + asked.height, paperBottom - MarginBottom(), printableHeight});
    if (bottom > top) {
        area.top = top;
        area.height = std::int32_t(bottom - top);
    }
    return area;
}

}  // namespace quindel::richtext
