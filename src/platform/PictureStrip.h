#pragma once
// A picture cut into a grid of equal cells, numbered row by row from 0. Toolkit-free: both
// backends use it as it is. The cells of a picture that carries a denser drawing carry theirs.
#include <string>

#include "platform/Image.h"

namespace quindel::platform {

class PictureStrip {
  public:
    PictureStrip() = default;
    PictureStrip(Image picture, int rows, int cols);

    void setPicture(Image picture);
    const Image& Picture() const { return picture_; }
    int Rows() const { return rows_; }
    void setRows(int r);
    int Cols() const { return cols_; }
    void setCols(int c);
    int CellWidth() const { return cols_ > 0 ? picture_.width() / cols_ : 0; }
    int CellHeight() const { return rows_ > 0 ? picture_.height() / rows_ : 0; }
    // Error 380 for a cell outside the grid.
    Image GraphicCell(int n) const;

  private:
    Image picture_;
    int rows_ = 1;
    int cols_ = 1;
};

}  // namespace quindel::platform
