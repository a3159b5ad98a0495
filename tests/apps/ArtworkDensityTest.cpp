// The artwork generator at any density: the built-in pictures are what it draws, and the panel's
// strip at device pixel ratios from 1 to 3 shows what it draws for each ratio.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "artgen/DialogArt.h"
#include "artgen/Pointers.h"
#include "artgen/ToolbarStrip.h"
#include "control/Quindel.h"
#include "platform/Bmp.h"
#include "platform/Form.h"
#include "platform/PictureBox.h"
#include "platform/PictureStrip.h"
#include "platform/Raster.h"
#include "platform/headless/HeadlessPlatform.h"
#include "support/Risorse.h"
#include "toolbar/ClassePulsante.h"
#include "toolbar/ClasseToolbar.h"

using namespace quindel;
using namespace quindel::platform;

namespace {

// The root mean square of the channel differences: an edge a pixel off, or uneven steps, weigh
// far more than the soft edges two good drawings differ by.
double Rms(const Image& a, const Image& b) {
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const Rgba p = a.pixel(x, y), q = b.pixel(x, y);
            for (int d : {RedOf(p) - RedOf(q), GreenOf(p) - GreenOf(q), BlueOf(p) - BlueOf(q)})
                sum += double(d) * d;
        }
    return std::sqrt(sum / (3.0 * a.width() * a.height()));
}

// The panel on a headless screen of the given ratio.
struct Panel {
    headless::HeadlessPlatform p;
    std::shared_ptr<Form> host;
    std::shared_ptr<Quindel> q;
    explicit Panel(double ratio) : p(Config(ratio)), host(p.NewForm()) {
        host->Move(1500, 1500, 9900, 4500);
        q = Quindel::Crea(p, *host);
        q->Finestra().Move(0, 0, 9600, 600);
        host->Show();
    }
    static headless::HeadlessConfig Config(double ratio) {
        headless::HeadlessConfig c;
        c.screen.pixelRatio = ratio;
        return c;
    }
};

}  // namespace

TEST(Artwork, TheBuiltInPicturesAreWhatTheGeneratorDraws) {
    for (int scale : {1, 2}) {
        const std::string at = scale == 1 ? "" : "@2x";
        const std::pair<std::string, Image> art[] = {
            {"toolbar", artgen::RenderToolbarStrip(scale)},
            {"zoomin", artgen::RenderZoomPointer(true, scale)},
            {"zoomout", artgen::RenderZoomPointer(false, scale)},
            {"pointers", artgen::RenderPanPointers(scale)},
            {"copia", artgen::RenderCopyBackground(scale)},
            {"stampa", artgen::RenderPrintBackground(scale)},
            {"opzione", artgen::RenderOptionMarkers(scale)},
            {"spunta", artgen::RenderCheckMark(scale)},
        };
        for (const auto& [name, drawn] : art) {
            const auto built = DecodeBmp(RisorsaIncorporata(name + at + ".bmp"));
            ASSERT_TRUE(built) << name << at;
            EXPECT_TRUE(*built == drawn) << name << at << ": run quindel-artgen resources";
        }
    }
}

// Ratios 1 and 2 show the pictures drawn for them exactly; in between, and at 3, the twice-size
// drawing resized smoothly comes close to the drawing made for the ratio. Nearest neighbour from
// it (uneven steps), or the first size enlarged (blurred), come out at 13 to 40 at the fractional
// ratios, 17 and 24 at 3.
TEST(Artwork, TheStripAtEachRatioIsTheArtworkDrawnForIt) {
    const PictureStrip cells(ImmagineIncorporata("toolbar.bmp"), 6, 18);
    struct Case {
        double ratio;
        double tolerance;
    } cases[] = {{1.0, 0}, {1.25, 10}, {1.5, 10}, {2.0, 0}, {3.0, 14}};
    for (const Case& c : cases) {
        Panel panel(c.ratio);
        const PictureBox& strip = panel.q->pic_ToolbarMain();
        const Image drawn = artgen::RenderToolbarStrip(c.ratio);
        const int side = artgen::CellPixels(c.ratio);
        int compared = 0;
        for (std::int16_t i = 1; i <= panel.q->Toolbar().MaxButton(); ++i) {
            const ClassePulsante& b = panel.q->Toolbar().Button(i);
            if (!(b.Status() & 8)) continue;
            // Which cell the button shows, from its logical pixels.
            const int x = strip.ToPxX(b.X()), y = strip.ToPxY(b.Y());
            const Image shown = strip.Surface().copy(x, y, 24, 24);
            int n = 0;
            while (n < 108 && cells.GraphicCell(n).pixels() != shown.pixels()) ++n;
            ASSERT_LT(n, 108) << "button " << i;
            const Image want = drawn.copy((n % 18) * side, (n / 18) * side, side, side);
            const Image got =
                strip.DeviceSurface().copy(ToDevice(x, c.ratio), ToDevice(y, c.ratio), side, side);
            EXPECT_LE(Rms(got, want), c.tolerance) << "ratio " << c.ratio << ", button " << i;
            ++compared;
        }
        EXPECT_GE(compared, 14) << c.ratio;
    }
}
