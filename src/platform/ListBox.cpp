#include "platform/ListBox.h"

#include <algorithm>

#include "platform/FocusMark.h"
#include "platform/Keys.h"
#include "platform/ModelRenderer.h"
#include "platform/Platform.h"
#include "platform/Raster.h"
#include "runtime/VbError.h"

namespace quindel::platform {

using namespace look;

namespace {
constexpr int kBorderPx = 1;
constexpr int kRowsPerNotch = 3;  // as desktop list boxes scroll
constexpr int kStripPx = 13;
}  // namespace

ListBox::ListBox(Platform& p, Window* parent) : Window(p, WindowKind::ListBox, parent) {}

void ListBox::AddItem(std::string_view text) {
    text_ += text;
    ends_.push_back(text_.size());
    Changed(Aspect::Content);
}

void ListBox::RemoveItem(std::int32_t index) {
    if (index < 0 || index >= ListCount()) Raise(5);
    const std::size_t row = std::size_t(index), start = StartOf(row), length = ends_[row] - start;
    text_.erase(start, length);
    ends_.erase(ends_.begin() + index);
    for (std::size_t i = row; i < ends_.size(); ++i) ends_[i] -= length;
    if (listIndex_ >= ListCount()) listIndex_ = -1;
    topIndex_ = std::clamp(topIndex_, 0, std::max(ListCount() - 1, 0));
    Changed(Aspect::Content);
}

void ListBox::Clear() {
    text_.clear();
    ends_.clear();
    listIndex_ = -1;
    topIndex_ = 0;
    Changed(Aspect::Content);
}

std::string_view ListBox::List(std::int32_t index) const {
    if (index < 0 || index >= ListCount()) Raise(381);
    const std::size_t start = StartOf(std::size_t(index));
    return std::string_view(text_).substr(start, ends_[std::size_t(index)] - start);
}

void ListBox::setListIndex(std::int32_t index) {
    if (index < -1 || index >= ListCount()) Raise(380);
    if (index == listIndex_) return;
    listIndex_ = index;
    KeepSelectionVisible();
    Changed(Aspect::Content);
    if (OnClick) OnClick();
}

void ListBox::setTopIndex(std::int32_t index) {
    if (index < 0 || (index >= ListCount() && ListCount() > 0)) Raise(380);
    const std::int32_t top = std::clamp(index, 0, std::max(ListCount() - VisibleRows(), 0));
    if (top == topIndex_) return;
    topIndex_ = top;
    Changed(Aspect::Content);
}

std::int32_t ListBox::RowHeight() const {
    return (platform().MeasureText("Ag").height + 1) * platform().screen().TwipsPerPixelY();
}

std::int32_t ListBox::VisibleRows() const {
    return std::max(ScaleHeight() / RowHeight(), 1);
}

std::int32_t ListBox::RowAt(float y) const {
    if (y < 0) return -1;
    const std::int32_t row = topIndex_ + std::int32_t(y) / RowHeight();
    return row < ListCount() ? row : -1;
}

void ListBox::Move(std::int32_t l, std::int32_t t, std::int32_t w, std::int32_t h) {
    // Whole rows only: round the client height down to a whole number of rows, at least one.
    const int tpp = platform().screen().TwipsPerPixelY();
    const int rowPx = RowHeight() / tpp;
    const int clientPx = std::max(TwipsToPxY(std::max(h, 0)) - 2 * kBorderPx, 0);
    const int rows = std::max(clientPx / rowPx, 1);
    Window::Move(l, t, w, (rows * rowPx + 2 * kBorderPx) * tpp);
    // A taller box shows more rows at the end rather than blank space.
    topIndex_ = std::clamp(topIndex_, 0, std::max(ListCount() - VisibleRows(), 0));
    KeepSelectionVisible();
}

std::int32_t ListBox::ScaleWidth() const {
    return std::max(Width() - 2 * kBorderPx * platform().screen().TwipsPerPixelX(), 0);
}

std::int32_t ListBox::ScaleHeight() const {
    return std::max(Height() - 2 * kBorderPx * platform().screen().TwipsPerPixelY(), 0);
}

void ListBox::KeepSelectionVisible() {
    if (listIndex_ < 0) return;
    const std::int32_t rows = VisibleRows();
    if (listIndex_ < topIndex_) topIndex_ = listIndex_;
    if (listIndex_ >= topIndex_ + rows) topIndex_ = listIndex_ - rows + 1;
}

void ListBox::MouseDownDefault(const MouseArgs& a) {
    stripDrag_ = false;
    pressOnStrip_ = StripShown() && TwipsToPxX(a.X) >= StripLeftPx();
    if (pressOnStrip_) {
        PressStrip(TwipsToPxY(a.Y), a.Button);
        return;
    }
    const std::int32_t row = RowAt(a.Y);
    if (row >= 0) setListIndex(row);
}

int ListBox::StripLeftPx() const {
    return ClientSizePx().width - kStripPx;
}

ScrollGeometry ListBox::Strip() const {
    const std::int32_t rows = VisibleRows();
    return {kStripPx, ClientSizePx().height, 0, std::max(ListCount() - rows, 0), topIndex_, rows};
}

// While dragged, the thumb is drawn where the pointer holds it.
ScrollGeometry::Span ListBox::StripThumb() const {
    const ScrollGeometry g = Strip();
    return stripDrag_ && platform().Capture() == this ? g.ThumbAt(dragTopPx_) : g.Thumb();
}

// As on a desktop list box: the arrows move a row, the track a page, the thumb is dragged.
void ListBox::PressStrip(int y, std::int16_t button) {
    const ScrollGeometry g = Strip();
    const std::int32_t page = std::max(VisibleRows() - 1, 1);
    switch (g.PartAt(y)) {
        case ScrollGeometry::Part::UpArrow:
            ScrollBy(-1);
            break;
        case ScrollGeometry::Part::DownArrow:
            ScrollBy(1);
            break;
        case ScrollGeometry::Part::PageUp:
            ScrollBy(-page);
            break;
        case ScrollGeometry::Part::PageDown:
            ScrollBy(page);
            break;
        case ScrollGeometry::Part::Thumb:
            stripDrag_ = button == 1;
            dragTopPx_ = g.Thumb().top;
            grabPx_ = y - dragTopPx_;
            break;
    }
}

void ListBox::ScrollBy(std::int32_t rows) {
    if (ListCount() > 0) setTopIndex(std::clamp(topIndex_ + rows, 0, ListCount() - 1));
}

void ListBox::MouseMoveDefault(const MouseArgs& a) {
    if (!stripDrag_ || platform().Capture() != this) return;
    const ScrollGeometry g = Strip();
    const int top = g.ThumbAt(TwipsToPxY(a.Y) - grabPx_).top;
    if (top == dragTopPx_) return;
    dragTopPx_ = top;
    const std::int32_t row = g.ValueAtThumbTop(top);
    if (row != topIndex_)
        setTopIndex(row);
    else
        Changed(Aspect::Content);
}

void ListBox::MouseUpDefault(const MouseArgs&) {
    if (stripDrag_) Changed(Aspect::Content);
    stripDrag_ = false;
    pressOnStrip_ = false;
}

// The rows move, the selection stays.
bool ListBox::WheelDefault(int delta) {
    if (ListCount() == 0) return false;
    const std::int32_t rows = -delta * kRowsPerNotch / key::WheelNotch;
    setTopIndex(std::clamp(topIndex_ + rows, 0, ListCount() - 1));
    return true;
}

void ListBox::KeyDownDefault(std::int16_t keyCode, std::int16_t) {
    if (ListCount() == 0) return;
    std::int32_t i = listIndex_;
    switch (keyCode) {
        case key::Up:
            i = std::max(i - 1, 0);
            break;
        case key::Down:
            i = std::min(i + 1, ListCount() - 1);
            break;
        case key::PageUp:
            i = std::max(i - VisibleRows() + 1, 0);
            break;
        case key::PageDown:
            i = std::min(i + VisibleRows() - 1, ListCount() - 1);
            break;
        case key::Home:
            i = 0;
            break;
        case key::End:
            i = ListCount() - 1;
            break;
        default:
            return;
    }
    setListIndex(i);
}

void ListBox::Describe(AccessibleDescription& d) const {
    d.role = Role::List;
}

AccessibleDescription ListBox::AccessibleChild(int i) const {
    AccessibleDescription d;
    if (i < 0 || i >= ListCount()) return d;
    d.role = Role::ListItem;
    d.name = std::string(List(i));
    d.state.selectable = true;
    d.state.selected = i == listIndex_;
    d.state.focused = d.state.selected && HasFocus();
    d.state.disabled = !IsEnabledDeep();
    d.state.invisible = !IsShown();
    const std::int32_t shown = i - topIndex_;
    d.state.offscreen = shown < 0 || shown >= VisibleRows();
    if (!d.state.offscreen) {
        const int rowPx = TwipsToPxY(RowHeight());
        d.bounds = {0, shown * rowPx, StripShown() ? StripLeftPx() : ClientSizePx().width,
                    (shown + 1) * rowPx};
    }
    return d;
}

int ListBox::FocusedAccessibleChild() const {
    return HasFocus() ? listIndex_ : -1;
}

bool ListBox::PressAccessibleChild(int i) {
    const auto self = shared_from_this();  // the click runs the box's handlers
    if (i < 0 || i >= ListCount() || !AcceptsInput()) return false;
    if (i < topIndex_ || i >= topIndex_ + VisibleRows()) setTopIndex(i);
    MouseArgs a;
    a.Button = 1;
    a.X = float(2 * platform().screen().TwipsPerPixelX());
    a.Y = float((i - topIndex_) * RowHeight() + RowHeight() / 2);
    InputMouseDown(a);
    InputMouseUp(a);
    return true;
}

void ListBox::Paint(Image& img) const {
    const int W = img.width(), H = img.height();
    img.fill(kLight);
    DrawFrame(img, 0, 0, W, H, kShadow);
    const int rowPx = TwipsToPxY(RowHeight());
    for (int i = TopIndex(), y = 1; i < ListCount() && y < H - 1; ++i, y += rowPx) {
        const bool sel = i == ListIndex();
        if (sel) img.fillRect(1, y, W - 2, rowPx, kSelection);
        platform().DrawText(img, 3, y, List(i), sel ? kLight : kInk);
    }
    if (StripShown()) Strip().Paint(img, kBorderPx + StripLeftPx(), kBorderPx, StripThumb());
    // The keyboard is on the selected row, or on the first shown when none is selected.
    if (HasFocus()) {
        const bool shown = ListIndex() >= TopIndex() && ListIndex() < TopIndex() + VisibleRows();
        const int row = shown ? ListIndex() - TopIndex() : 0;
        const int right = StripShown() ? kBorderPx + StripLeftPx() : W - 1;
        DrawFocusMark(img, 1, 1 + row * rowPx, right - 1, rowPx);
    }
}

}  // namespace quindel::platform
