// The artwork built into the library and the catalogue beside it.
#include <gtest/gtest.h>

#include "platform/Bmp.h"
#include "platform/PictureStrip.h"
#include "platform/headless/HeadlessPlatform.h"
#include "support/Catalogo.h"
#include "support/Risorse.h"

using namespace quindel;
using namespace quindel::platform;

namespace {
std::optional<Image> Artwork(const std::string& name) {
    return DecodeBmp(RisorsaIncorporata(name));
}
}  // namespace

TEST(Resources, CatalogueHoldsATextForEveryCodeTheComponentUses) {
    headless::HeadlessPlatform p;
    std::vector<int> codes = {488, 560, 576};
    for (int c = 620; c <= 625; ++c) codes.push_back(c);
    codes.insert(codes.end(), {627, 629});
    for (int c = 669; c <= 674; ++c) codes.push_back(c);
    for (int c = 679; c <= 698; ++c)
        if (c != 696) codes.push_back(c);
    for (int code : codes) EXPECT_NE(LeggiMessaggio(p.files(), code), "") << code;
    // Labels keep their closing no-break space through the trimming.
    EXPECT_EQ(LeggiMessaggio(p.files(), 620).substr(LeggiMessaggio(p.files(), 620).size() - 2),
              "\u00a0");
}

TEST(Resources, ButtonStripIsSixRowsOfEighteenDistinctCells) {
    const auto img = Artwork("toolbar.bmp");
    ASSERT_TRUE(img);
    PictureStrip strip(*img, 6, 18);
    EXPECT_EQ(img->width(), 432);
    EXPECT_EQ(img->height(), 144);
    EXPECT_EQ(strip.CellWidth(), 24);
    EXPECT_EQ(strip.CellHeight(), 24);
    for (int col = 0; col < 18; ++col) {
        // Lit, lit down, disabled, up and down renderings must differ; row 5 repeats row 4.
        for (int a = 0; a < 5; ++a)
            for (int b = a + 1; b < 5; ++b)
                EXPECT_NE(strip.GraphicCell(a * 18 + col), strip.GraphicCell(b * 18 + col))
                    << col << " rows " << a << "," << b;
        EXPECT_EQ(strip.GraphicCell(4 * 18 + col), strip.GraphicCell(5 * 18 + col)) << col;
    }
    EXPECT_NE(strip.GraphicCell(3 * 18 + 11), strip.GraphicCell(3 * 18 + 12));
}

TEST(Resources, PointersAreThirtyTwoPixelCellsWithATransparentKey) {
    for (const auto& [name, width] : std::vector<std::pair<std::string, int>>{
             {"zoomin.bmp", 32}, {"zoomout.bmp", 32}, {"pointers.bmp", 288}}) {
        const auto img = Artwork(name);
        ASSERT_TRUE(img) << name;
        EXPECT_EQ(img->width(), width) << name;
        EXPECT_EQ(img->height(), 32) << name;
        const Image keyed = WithTransparentKey(*img, MakeRgb(255, 0, 255));
        EXPECT_EQ(AlphaOf(keyed.pixel(0, 0)), 0) << name;
    }
}

TEST(Resources, EveryPictureCarriesItsDrawingAtTwiceTheSize) {
    for (const char* name : {"toolbar.bmp", "zoomin.bmp", "zoomout.bmp", "pointers.bmp",
                             "copia.bmp", "stampa.bmp", "opzione.bmp", "spunta.bmp"}) {
        const Image img = ImmagineIncorporata(name);
        ASSERT_FALSE(img.empty()) << name;
        EXPECT_EQ(img.pixels(), Artwork(name)->pixels()) << name << ": itself the first size";
        ASSERT_NE(img.denser(), nullptr) << name;
        EXPECT_EQ(img.denserScale(), 2.0) << name;
        EXPECT_EQ(img.denser()->width(), 2 * img.width()) << name;
        EXPECT_EQ(img.denser()->height(), 2 * img.height()) << name;
    }
    EXPECT_TRUE(ImmagineIncorporata("missing.bmp").empty());
    const PictureStrip strip(ImmagineIncorporata("toolbar.bmp"), 6, 18);
    EXPECT_EQ(strip.GraphicCell(3 * 18 + 5).denser()->width(), 48);
}
