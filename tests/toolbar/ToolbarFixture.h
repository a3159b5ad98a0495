#pragma once
// A toolbar on a borderless headless form, drawn from the built-in button strip, its surface's
// mouse events wired to it as the control wires them, and a command button that records the Tag
// of every command it receives.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "TestFolder.h"
#include "platform/Bmp.h"
#include "platform/CommandButton.h"
#include "platform/Form.h"
#include "platform/PictureBox.h"
#include "platform/PictureStrip.h"
#include "platform/headless/HeadlessPlatform.h"
#include "support/Risorse.h"
#include "toolbar/ClasseToolbar.h"
#include "toolbar/frm_NomeDeiPulsanti.h"

namespace quindel::test {

constexpr int kTw = 15;                  // twips per pixel of the headless screen
constexpr int kFormX = 40, kFormY = 30;  // where the host form sits, in screen pixels
constexpr int kStripCols = 18;           // columns of the committed strip
constexpr int kRowLitUp = 0, kRowLitDown = 1, kRowDisabled = 2, kRowUp = 3, kRowDown = 4,
              kRowPushed = 5;

// The button strip built into the library.
inline std::shared_ptr<platform::PictureStrip> StripDelComponente() {
    auto img = platform::DecodeBmp(RisorsaIncorporata("toolbar.bmp"));
    if (!img) throw std::runtime_error("toolbar.bmp is not built into the library");
    return std::make_shared<platform::PictureStrip>(*img, 6, kStripCols);
}

struct ToolbarFixture {
    headless::HeadlessPlatform p;
    // Error reports log beside the component: keep them out of the build tree.
    test::TestFolder temp{"quindel_toolbar"};
    std::filesystem::path folder = temp.path();
    std::shared_ptr<platform::PictureStrip> strip;
    std::shared_ptr<platform::Form> form = p.NewForm();
    std::shared_ptr<platform::PictureBox> surface = p.NewPictureBox(*form);
    std::shared_ptr<platform::PictureBox> help = p.NewPictureBox(*form);
    std::shared_ptr<platform::PictureBox> sfondo = p.NewPictureBox(*form);
    std::shared_ptr<platform::CommandButton> cmd = p.NewCommandButton(*form);
    frm_NomeDeiPulsanti tip{p};
    std::shared_ptr<ClasseToolbar> tb = std::make_shared<ClasseToolbar>(p);
    std::vector<std::string> tags;

    explicit ToolbarFixture(const Variant& tipoBitmap = Variant::Missing(),
                            std::shared_ptr<platform::PictureStrip> ownStrip = nullptr) {
        strip = ownStrip ? ownStrip : StripDelComponente();
        p.files().setComponentFolder(folder.string());

        form->setBorderStyle(platform::border::None);
        form->Move(kFormX * kTw, kFormY * kTw, 600 * kTw, 200 * kTw);
        surface->Move(0, 0, 500 * kTw, 100 * kTw);
        sfondo->setBorderStyle(0);
        sfondo->Move(0, 0, 500 * kTw, 32 * kTw);
        sfondo->setVisible(false);
        cmd->Move(0, 150 * kTw, 60 * kTw, 20 * kTw);
        cmd->setVisible(false);
        cmd->OnClick = [this] { tags.push_back(cmd->Tag()); };
        form->Show();
        tb->InitToolbar(surface, &tip, help, strip, sfondo, Variant::Missing(), tipoBitmap);
        surface->OnMouseDown = [this](const platform::MouseArgs& a) {
            tb->MouseDown(a.Button, a.Shift, a.X, a.Y);
        };
        surface->OnMouseMove = [this](const platform::MouseArgs& a) {
            tb->MouseMove(a.Button, a.Shift, a.X, a.Y);
        };
        surface->OnMouseUp = [this](const platform::MouseArgs& a) {
            tb->MouseUp(a.Button, a.Shift, a.X, a.Y);
        };
    }
    ~ToolbarFixture() {
        tb.reset();
        form->Unload();
    }

    // A button drawn from one column of the strip, sending its commands to cmd.
    void Add(std::int16_t group, int column, bool allowPullUp = false,
             const Variant& menuCode = Variant::Missing(),
             const Variant& pullUpGroup = Variant::Missing(),
             const Variant& offSetX = Variant::Missing()) {
        auto cell = [column](int row) { return std::int16_t(row * kStripCols + column); };
        tb->AddButton(group, allowPullUp, "Tip" + std::to_string(tb->MaxButton() + 1), cell(kRowUp),
                      cell(kRowDown), cell(kRowPushed), cell(kRowDisabled), cell(kRowLitUp),
                      cell(kRowLitDown), 0, cmd, menuCode, pullUpGroup, offSetX);
    }
    void AddAndShow(int count) {
        for (int i = 0; i < count; ++i) Add(0, i);
        tb->ShowAllButtons();
    }

    // The buttons that are down.
    std::set<std::int16_t> Down() const {
        std::set<std::int16_t> down;
        for (std::int16_t i = 1; i <= tb->MaxButton(); ++i)
            if (tb->CercaPulsante(i) && tb->ButtonDown(i)) down.insert(i);
        return down;
    }
    int CellPx() const { return strip->CellWidth(); }
    // The button's rectangle on the surface, in pixels.
    platform::Image Area(std::int16_t index) const {
        const ClassePulsante& b = tb->Button(index);
        return surface->Surface().copy(b.X() / kTw, b.Y() / kTw, CellPx(), strip->CellHeight());
    }
    platform::Image Cell(int row, int column) const {
        return strip->GraphicCell(row * kStripCols + column);
    }
    // A screen point over the middle of the button.
    platform::PointPx Over(std::int16_t index, int dx = 0) const {
        const ClassePulsante& b = tb->Button(index);
        return {kFormX + b.X() / kTw + CellPx() / 2 + dx,
                kFormY + (tb->TopPulsanti() + tb->AltezzaPulsante() / 2) / kTw};
    }
    // A screen point on the surface but on no button (below the buttons).
    platform::PointPx Off() const { return {kFormX + 200, kFormY + 30}; }
};

}  // namespace quindel::test
