// The viewer on the desktop backend as a screen reader reaches it in-process: the strip a tool
// bar of buttons named by their tips, enabled and checkable as they are, at the places drawn;
// the progress slider's value; the multimedia list opened through its button's action, its rows
// the list file's descriptions.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QTest>
#include <QWidget>
#include <algorithm>

#include "TestFolder.h"
#include "control/Quindel.h"
#include "lists/frm_Lista.h"
#include "platform/Form.h"
#include "platform/ListBox.h"
#include "platform/PictureBox.h"
#include "platform/Slider.h"
#include "platform/qt/QtPlatform.h"
#include "toolbar/ClasseToolbar.h"
#include "viewer/ViewerHost.h"

namespace quindel::test {
namespace {

namespace fs = std::filesystem;
using namespace quindel::platform;

struct ViewerAccessibility : ::testing::Test {
    qt::QtPlatform p;
    TestFolder work{"quindel_viewer"};
    viewer::ViewerHost host{p, QUINDEL_SAMPLE_DIR, work.path(),
                            [this](Form& panel, Form& main) { p.Dock(panel, main); }};

    QAccessibleInterface* Of(Window& w) {
        return QAccessible::queryAccessibleInterface(p.Widget(w));
    }
    std::string Trimmed(const std::string& s) {
        const std::size_t a = s.find_first_not_of(' '), b = s.find_last_not_of(' ');
        return a == std::string::npos ? std::string() : s.substr(a, b - a + 1);
    }
};

TEST_F(ViewerAccessibility, TheStripIsAToolBarOfButtonsNamedAndEnabledAsTheyAre) {
    ASSERT_TRUE(host.Start()) << host.Error();
    PictureBox& stripWindow = host.Panel().pic_ToolbarMain();
    const ClasseToolbar& tb = host.Panel().Toolbar();
    QAccessibleInterface* strip = Of(stripWindow);
    ASSERT_NE(strip, nullptr);
    EXPECT_EQ(strip->role(), QAccessible::ToolBar);
    const QPoint origin = p.Widget(stripWindow)->mapToGlobal(QPoint(0, 0));
    int k = 0;
    for (std::int16_t i = 1; i <= tb.MaxButton(); ++i) {
        if (!tb.ButtonVisible(i)) continue;
        QAccessibleInterface* b = strip->child(k++);
        ASSERT_NE(b, nullptr) << "button " << i;
        const ClassePulsante& button = tb.Button(i);
        EXPECT_EQ(b->role(), QAccessible::Button) << i;
        EXPECT_EQ(b->text(QAccessible::Name).toStdString(), Trimmed(button.Tip())) << i;
        EXPECT_FALSE(b->text(QAccessible::Name).isEmpty()) << i;
        EXPECT_EQ(bool(b->state().disabled), !tb.ButtonEnabled(i)) << i;
        EXPECT_EQ(bool(b->state().checkable), button.AllowPullUp()) << i;
        EXPECT_EQ(b->rect().topLeft(),
                  origin + QPoint(stripWindow.ToPxX(button.X()), stripWindow.ToPxY(button.Y())))
            << i;
    }
    EXPECT_GT(k, 10);
    QAccessibleInterface* slider = Of(host.Panel().Sld_SliderAvanzamento());
    ASSERT_NE(slider, nullptr);
    EXPECT_EQ(slider->role(), QAccessible::Slider);
    ASSERT_NE(slider->valueInterface(), nullptr);
    EXPECT_EQ(slider->valueInterface()->maximumValue().toInt(),
              host.Panel().Sld_SliderAvanzamento().Max());
}

TEST_F(ViewerAccessibility, TheListButtonsActionOpensTheListWithItsRows) {
    ASSERT_TRUE(host.Start()) << host.Error();
    PictureBox& stripWindow = host.Panel().pic_ToolbarMain();
    const ClasseToolbar& tb = host.Panel().Toolbar();
    QAccessibleInterface* strip = Of(stripWindow);
    const std::string name = Trimmed(tb.Button(9).Tip());
    QAccessibleInterface* nine = nullptr;
    for (int k = 0; k < strip->childCount(); ++k)
        if (strip->child(k)->text(QAccessible::Name).toStdString() == name) nine = strip->child(k);
    ASSERT_NE(nine, nullptr);
    nine->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_TRUE(tb.ButtonDown(9));
    EXPECT_TRUE(nine->state().checked);
    ListBox& rows = *host.Panel().FinestraLista(1).TList1();
    ASSERT_TRUE(rows.IsShown());
    QAccessibleInterface* list = Of(rows);
    ASSERT_EQ(list->role(), QAccessible::List);
    ASSERT_EQ(list->childCount(), rows.ListCount());
    for (int r = 0; r < rows.ListCount(); ++r) {
        EXPECT_EQ(list->child(r)->role(), QAccessible::ListItem);
        EXPECT_EQ(list->child(r)->text(QAccessible::Name).toStdString(), rows.List(r));
        EXPECT_EQ(bool(list->child(r)->state().selected), r == rows.ListIndex());
    }
    EXPECT_EQ(list->focusChild(), list->child(rows.ListIndex())) << "the list has the keyboard";
}

}  // namespace
}  // namespace quindel::test
