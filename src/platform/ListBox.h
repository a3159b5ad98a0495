#pragma once
// A single-selection list of text rows. Rows are whole: a height that is set is rounded down to
// whole rows (at least one) plus the border. Selecting a row, by code or by the user, raises
// OnClick, as the classic list box does; the first visible row follows the selection.
// Holding more rows than it shows, the box draws a scroll strip of its own at its right edge; a
// press there scrolls the rows (arrows, page steps, a dragged thumb) and selects nothing.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ScrollGeometry.h"
#include "platform/Window.h"

namespace quindel::platform {

class ListBox : public Window {
  public:
    ListBox(Platform& p, Window* parent);

    void AddItem(std::string_view text);
    void RemoveItem(std::int32_t index);
    void Clear();
    std::int32_t ListCount() const { return std::int32_t(ends_.size()); }
    // Error 381 for an index out of range. The view lasts until the rows change.
    std::string_view List(std::int32_t index) const;
    std::int32_t ListIndex() const { return listIndex_; }
    // -1 clears the selection; other values out of range raise error 380.
    void setListIndex(std::int32_t index);
    std::int32_t TopIndex() const { return topIndex_; }
    void setTopIndex(std::int32_t index);

    // Height of one row and how many whole rows the client area holds.
    std::int32_t RowHeight() const;
    std::int32_t VisibleRows() const;
    // The row under a client point in twips, or -1.
    std::int32_t RowAt(float y) const;
    // Whether the box draws its own scroll strip, and its left edge in client pixels.
    bool StripShown() const { return ListCount() > VisibleRows(); }
    int StripLeftPx() const;
    // True from a press on the strip to its release: a handler of the release learns that the
    // press scrolled and chose nothing.
    bool ScrollingByMouse() const { return pressOnStrip_; }

    void Move(std::int32_t l, std::int32_t t, std::int32_t w, std::int32_t h) override;
    PointPx ClientOriginPx() const override { return {1, 1}; }
    std::int32_t ScaleWidth() const override;
    std::int32_t ScaleHeight() const override;

    void Paint(Image& img) const override;

    // The rows, to assistive technology: list items, the selected one selected (and focused
    // while the box has the focus), the rows scrolled out of view offscreen. A press on a row is
    // a click on it, scrolled into view first.
    int AccessibleChildCount() const override { return ListCount(); }
    AccessibleDescription AccessibleChild(int i) const override;
    int FocusedAccessibleChild() const override;
    bool PressAccessibleChild(int i) override;

  protected:
    bool FocusOnClick() const override { return true; }
    void Describe(AccessibleDescription& d) const override;
    void MouseDownDefault(const MouseArgs& a) override;
    void MouseMoveDefault(const MouseArgs& a) override;
    void MouseUpDefault(const MouseArgs& a) override;
    void KeyDownDefault(std::int16_t keyCode, std::int16_t shift) override;
    bool WheelDefault(int delta) override;

  private:
    void KeepSelectionVisible();
    ScrollGeometry Strip() const;
    ScrollGeometry::Span StripThumb() const;
    void PressStrip(int y, std::int16_t button);
    void ScrollBy(std::int32_t rows);
    std::size_t StartOf(std::size_t row) const { return row == 0 ? 0 : ends_[row - 1]; }
    // The rows back to back, and where each ends: lists of many thousand rows cost no allocation
    // a row.
    std::string text_;
    std::vector<std::size_t> ends_;
    std::int32_t listIndex_ = -1;
    std::int32_t topIndex_ = 0;
    // A press on the strip, and a drag of its thumb: where the pointer holds it, its top.
    bool pressOnStrip_ = false;
    bool stripDrag_ = false;
    int grabPx_ = 0, dragTopPx_ = 0;
};

}  // namespace quindel::platform
