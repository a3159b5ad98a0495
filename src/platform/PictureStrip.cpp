#include "platform/PictureStrip.h"

#include <algorithm>

#include "runtime/VbError.h"

namespace quindel::platform {

PictureStrip::PictureStrip(Image picture, int rows, int cols) : picture_(std::move(picture)) {
    setRows(rows);
    setCols(cols);
}

void PictureStrip::setPicture(Image picture) {
    picture_ = std::move(picture);
}

void PictureStrip::setRows(int r) {
    if (r < 1) Raise(380);
    rows_ = r;
}

void PictureStrip::setCols(int c) {
    if (c < 1) Raise(380);
    cols_ = c;
}

Image PictureStrip::GraphicCell(int n) const {
    if (n < 0 || n >= rows_ * cols_ || picture_.empty()) Raise(380);
    const int w = CellWidth(), h = CellHeight();
    return picture_.copy((n % cols_) * w, (n / cols_) * h, w, h);
}

}  // namespace quindel::platform
