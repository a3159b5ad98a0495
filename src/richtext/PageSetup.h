#pragma once
// A document's page: the paper's size, its orientation and the margins its text keeps, in twips,
// as the document gives them. A value the document leaves out is kUnset and reads as the usual
// default (US Letter, margins of 1.25 inches left and right, 1 inch top and bottom), so a
// document that sets only its margins still gets a whole page.
//
// PrintArea is what printing honours: the area of a printed sheet the text goes into when the
// document sets its page, else the area the caller asked for, unchanged.
#include <cstdint>

#include "platform/Printer.h"

namespace quindel::richtext {

struct PageSetup {
    static constexpr std::int32_t kUnset = -1;
    static constexpr std::int32_t kPaperWidth = 12240, kPaperHeight = 15840;
    static constexpr std::int32_t kMarginSide = 1800, kMarginEnd = 1440;

    std::int32_t paperWidth = kUnset;
    std::int32_t paperHeight = kUnset;
    std::int32_t marginLeft = kUnset;
    std::int32_t marginRight = kUnset;
    std::int32_t marginTop = kUnset;
    std::int32_t marginBottom = kUnset;
    bool landscape = false;
    bool operator==(const PageSetup&) const = default;

    // Whether the document set anything of its page.
    bool Given() const;
    std::int32_t PaperWidth() const { return Or(paperWidth, kPaperWidth); }
    std::int32_t PaperHeight() const { return Or(paperHeight, kPaperHeight); }
    std::int32_t MarginLeft() const { return Or(marginLeft, kMarginSide); }
    std::int32_t MarginRight() const { return Or(marginRight, kMarginSide); }
    std::int32_t MarginTop() const { return Or(marginTop, kMarginEnd); }
    std::int32_t MarginBottom() const { return Or(marginBottom, kMarginEnd); }

    // The area, in twips from the printable area's corner of sheet, that the text goes into:
    // - nothing given: asked, as it is;
    // - across: the document's left and right margins on the sheet (on its paper where it gives
    //   one narrower than the sheet), kept within the printable area;
    // - down: asked, but starting no higher than the document's top margin and ending no lower
    //   than its bottom margin (a band asked for wholly inside a margin is left as asked).
    platform::RectTwips PrintArea(const platform::PageMetrics& sheet,
                                  const platform::RectTwips& asked) const;

  private:
    static std::int32_t Or(std::int32_t v, std::int32_t fallback) { return v >= 0 ? v : fallback; }
};

}  // namespace quindel::richtext
