#pragma once
// A picture box with persistent drawing: everything drawn lands in a raster of the client area,
// which survives repaints and can be read back (Surface). Coordinates are in the current scale
// mode: twips (1, the default) or pixels (3).
//
// On a screen whose pixel ratio is not 1 the drawing is kept twice: in logical pixels (Surface,
// what models, grabs and tests read) and at the device's resolution (DeviceSurface, what a
// backend shows pixel for pixel). Lines cover their device pixels; a picture carrying a denser
// drawing (the built-in artwork at 2x) is painted from it at any ratio above 1, resized smoothly
// where the ratios differ, and any other picture is enlarged smoothly; raster operations combine
// device pixels as they combine logical ones. Text is drawn in logical pixels and enlarged.
#include <cstdint>
#include <string_view>

#include "platform/Window.h"

namespace quindel::platform {

namespace scale {
constexpr std::int16_t Twips = 1;
constexpr std::int16_t Pixels = 3;
}  // namespace scale

namespace rop {
constexpr std::int32_t SrcCopy = 0x00CC0020;
constexpr std::int32_t SrcAnd = 0x008800C6;
constexpr std::int32_t SrcPaint = 0x00EE0086;  // OR
constexpr std::int32_t SrcInvert = 0x00660046;
}  // namespace rop

class PictureBox : public Window {
  public:
    PictureBox(Platform& p, Window* parent);

    bool AutoRedraw() const { return autoRedraw_; }
    void setAutoRedraw(bool v) { autoRedraw_ = v; }
    // 0 none, 1 a one-pixel single border (the client area shrinks by it).
    std::int16_t BorderStyle() const { return borderStyle_; }
    void setBorderStyle(std::int16_t b);
    std::int16_t ScaleMode() const { return scaleMode_; }
    void setScaleMode(std::int16_t m);
    Rgba BackColor() const { return backColor_; }
    void setBackColor(Rgba c);
    Rgba ForeColor() const { return foreColor_; }
    void setForeColor(Rgba c) { foreColor_ = c; }

    // Clears the drawing to the back colour.
    void Cls();
    // A one-pixel line from (x1, y1) up to but not including (x2, y2), as the window system draws.
    void Line(double x1, double y1, double x2, double y2, Rgba color);
    // Paints part of a picture: destination and source in scale units and picture pixels; a
    // negative width or height means "the picture's own"; SrcCopy, SrcAnd, SrcPaint or SrcInvert.
    void PaintPicture(const Image& picture, double x, double y, double w = -1, double h = -1,
                      int srcX = 0, int srcY = 0, int srcW = -1, int srcH = -1,
                      std::int32_t op = rop::SrcCopy);
    double TextWidth(std::string_view text) const;
    double TextHeight(std::string_view text) const;
    // Draws text with its top-left at (x, y) in scale units, in the fore colour.
    void Print(double x, double y, std::string_view text);

    // The persistent drawing of the client area.
    const Image& Surface() const { return surface_; }
    // The same drawing at DeviceRatio() device pixels to a logical one: the screen's ratio when the
    // surface was last sized (Surface itself at a ratio of 1).
    const Image& DeviceSurface() const { return ratio_ == 1.0 ? surface_ : device_; }
    double DeviceRatio() const { return ratio_; }

    std::int32_t ScaleWidth() const override;
    std::int32_t ScaleHeight() const override;
    PointPx ClientOriginPx() const override;
    void Move(std::int32_t l, std::int32_t t, std::int32_t w, std::int32_t h) override;

    int ToPxX(double v) const;
    int ToPxY(double v) const;

    void Paint(Image& img) const override;

  private:
    void ResizeSurfaceTo(std::int32_t w, std::int32_t h);
    // Paints (sx, sy, sw, sh) of picture onto the logical rectangle (x, y, w, h) of the device
    // drawing.
    void PaintOnDevice(const Image& picture, int x, int y, int w, int h, int sx, int sy, int sw,
                       int sh, std::int32_t op);
    // Redraws the logical rectangle (x, y, w, h) of the device drawing from the logical one.
    void EnlargeOnDevice(int x, int y, int w, int h);
    bool autoRedraw_ = false;
    std::int16_t borderStyle_ = 1;
    std::int16_t scaleMode_ = scale::Twips;
    Rgba backColor_ = MakeRgb(212, 208, 200);
    Rgba foreColor_ = MakeRgb(0, 0, 0);
    Image surface_;
    double ratio_ = 1.0;
    Image device_;  // empty at a ratio of 1
};

}  // namespace quindel::platform
