#include "toolbar/Graphics.h"

#include <algorithm>

#include "platform/Form.h"
#include "platform/PictureBox.h"
#include "platform/Platform.h"
#include "runtime/Coercions.h"
#include "support/Gestore.h"

namespace quindel {

using platform::MakeRgb;
using platform::Rgba;

namespace {

constexpr Rgba kNero = MakeRgb(0, 0, 0);
constexpr Rgba kGrigio = MakeRgb(128, 128, 128);  // palette entry 8
constexpr Rgba kBianco = MakeRgb(255, 255, 255);

struct ColoriBordo {
    Rgba chiaro;  // top and left
    Rgba scuro;   // bottom and right
};

ColoriBordo ColoriPerStile(std::int16_t Stile) {
    switch (Stile) {
        case 0:
            return {kBianco, kGrigio};
        case 2:
            return {kGrigio, kBianco};
        case 3:
            return {kBianco, kNero};
        case 4:
            return {kNero, kBianco};
        default:
            return {kNero, kNero};
    }
}

// One pixel in the box's current scale units.
double UnPixelX(const platform::PictureBox& box) {
    return box.ScaleMode() == platform::scale::Pixels
               ? 1.0
               : double(box.platform().screen().TwipsPerPixelX());
}

double UnPixelY(const platform::PictureBox& box) {
    return box.ScaleMode() == platform::scale::Pixels
               ? 1.0
               : double(box.platform().screen().TwipsPerPixelY());
}

void DisegnaAnelli(platform::PictureBox& D, double X1, double Y1, double X2, double Y2,
                   ColoriBordo c, std::int16_t Spessore) {
    const auto& s = D.platform().screen();
    for (int i = 0; i < Spessore; ++i) {
        const double dx = double(i) * s.TwipsPerPixelX(), dy = double(i) * s.TwipsPerPixelY();
        D.Line(X1 + dx, Y1 + dy, X2 - dx, Y1 + dy, c.chiaro);
        D.Line(X1 + dx, Y1 + dy, X1 + dx, Y2 - dy, c.chiaro);
        D.Line(X1 + dx, Y2 - dy, X2, Y2 - dy, c.scuro);
        D.Line(X2 - dx, Y1 + dy, X2 - dx, Y2, c.scuro);
    }
}

std::int32_t MetaPositiva(std::int32_t spazio, std::int32_t misura) {
    return std::max<std::int32_t>(std::int32_t(Round((spazio - misura) / 2.0)), 0);
}

void VisitaControlli(platform::Window& w, const platform::PictureBox& Picture) {
    for (const auto& c : w.Children()) {
        if (c->Kind() == platform::WindowKind::Label) {
            c->setMousePointer(platform::pointer::Custom);
            c->setMouseIcon(Picture.Surface());
        }
        VisitaControlli(*c, Picture);
    }
}

}  // namespace

void DisegnaLineaIncisa(platform::PictureBox& Destinazione, double X1, double Y1, double X2,
                        double Y2) {
    const double px = UnPixelX(Destinazione), py = UnPixelY(Destinazione);
    Destinazione.Line(X1, Y1, X2, Y2, kGrigio);
    Destinazione.Line(X1 + px, Y1 + py, X2 + px, Y2 + py, kBianco);
}

void DisegnaBordo(platform::PictureBox& Destinazione, double X1, double Y1, double X2, double Y2,
                  std::int16_t Stile, std::int16_t Spessore) {
    Gestore h(Destinazione.platform(), "DisegnaBordo");
    std::int16_t scalaPrecedente = platform::scale::Twips;
    h([&] {
        scalaPrecedente = Destinazione.ScaleMode();
        Destinazione.setScaleMode(platform::scale::Twips);
    });
    h([&] { DisegnaAnelli(Destinazione, X1, Y1, X2, Y2, ColoriPerStile(Stile), Spessore); });
    h([&] {
        Destinazione.setScaleMode(scalaPrecedente);
        Destinazione.Refresh();
    });
}

void CentraControlInForm(platform::Window& Control, platform::Form& Form) {
    Gestore h(Control.platform(), "CentraControlInForm");
    h([&] {
        Control.Move(MetaPositiva(Form.ScaleWidth(), Control.Width()),
                     MetaPositiva(Form.ScaleHeight(), Control.Height()), Control.Width(),
                     Control.Height());
    });
}

void ImpostaCursoreControlli(platform::Form& Form, const platform::PictureBox& Picture) {
    VisitaControlli(Form, Picture);
}

}  // namespace quindel
