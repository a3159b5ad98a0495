// The desktop backend at the device pixel ratio this run was started with (QT_SCALE_FACTOR, one
// run a ratio): the viewer's strip reaches the screen pixel for pixel from its drawing at the
// device's resolution, a picture box lands on whole device pixels wherever it sits, and the
// custom pointer keeps its size in logical pixels. With QUINDEL_DENSITY_SHOTS naming a folder, the
// viewer's window and its copy dialog are written there as the screen shows them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QPixmap>
#include <QTest>
#include <QWidget>
#include <cmath>
#include <filesystem>
#include <string>

#include "TestFolder.h"
#include "control/Quindel.h"
#include "platform/Bmp.h"
#include "platform/Form.h"
#include "platform/Label.h"
#include "platform/ListBox.h"
#include "platform/PictureBox.h"
#include "platform/Raster.h"
#include "platform/qt/QtImage.h"
#include "platform/qt/QtPlatform.h"
#include "support/Risorse.h"
#include "toolbar/ClassePulsante.h"
#include "toolbar/ClasseToolbar.h"
#include "viewer/ViewerHost.h"

namespace quindel::test {
namespace {

namespace fs = std::filesystem;
using namespace quindel::platform;

const fs::path kSample = QUINDEL_SAMPLE_DIR;

double Ratio() {
    return qGuiApp->devicePixelRatio();
}

// A window as the screen shows it, in device pixels.
Image Shot(QWidget& w) {
    return qt::FromQImage(w.window()->grab().toImage());
}

// Where a widget's logical point lands in its window's device pixels.
PointPx DevicePoint(QWidget& w, QPoint logical) {
    const QPoint at = w.mapTo(w.window(), logical);
    return {int(std::lround(at.x() * Ratio())), int(std::lround(at.y() * Ratio()))};
}

// The pixels of rect of drawing that the shot shows otherwise, drawing's top-left at `at`.
int Differences(const Image& shot, PointPx at, const Image& drawing, RectPx rect) {
    int n = 0;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            n += (shot.pixel(at.x + x, at.y + y) & 0xFFFFFFu) != (drawing.pixel(x, y) & 0xFFFFFFu);
    return n;
}

void Keep(const Image& shot, const std::string& name) {
    const char* folder = std::getenv("QUINDEL_DENSITY_SHOTS");
    if (!folder || !*folder) return;
    fs::create_directories(folder);
    char ratio[16];
    std::snprintf(ratio, sizeof ratio, "%g", Ratio());
    EXPECT_TRUE(shot.savePng((fs::path(folder) / (name + "@" + ratio + "x.png")).string()));
}

struct Viewer : ::testing::Test {
    qt::QtPlatform p;
    TestFolder work{"quindel_density"};
    viewer::ViewerHost host{p, kSample, work.path(),
                            [this](Form& panel, Form& main) { p.Dock(panel, main); }};
};

TEST_F(Viewer, TheStripReachesTheScreenPixelForPixel) {
    ASSERT_TRUE(host.Start()) << host.Error();
    p.Sync();
    const PictureBox& strip = host.Panel().pic_ToolbarMain();
    QWidget& widget = *p.Widget(const_cast<PictureBox&>(strip));
    EXPECT_EQ(strip.DeviceRatio(), Ratio());
    const Image shot = Shot(widget);
    const PointPx at = DevicePoint(widget, {0, 0});
    const double r = Ratio();
    int buttons = 0;
    for (std::int16_t i = 1; i <= host.Panel().Toolbar().MaxButton(); ++i) {
        const ClassePulsante& b = host.Panel().Toolbar().Button(i);
        if (!(b.Status() & 8)) continue;
        const RectPx cell{ToDevice(strip.ToPxX(b.X()), r), ToDevice(strip.ToPxY(b.Y()), r),
                          ToDevice(strip.ToPxX(b.X() + b.Width()), r),
                          ToDevice(strip.ToPxY(b.Y() + b.height()), r)};
        EXPECT_EQ(Differences(shot, at, strip.DeviceSurface(), cell), 0) << "button " << i;
        ++buttons;
    }
    EXPECT_GE(buttons, 14);
    Keep(shot, "viewer");

    // The copy dialog, its pictures drawn for the ratio too.
    const PointPx copy = host.ButtonPoint(5);
    QTest::mouseClick(&widget, Qt::LeftButton, {}, QPoint(copy.x, copy.y));
    p.Sync();
    int dialogs = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->size() == QSize(330, 200)) {
            Keep(Shot(*w), "viewer_copy");
            ++dialogs;
        }
    EXPECT_EQ(dialogs, 1);
}

// A 1.25 ratio puts logical pixel 1 at device pixel 1.25: the drawing starts on a whole one.
TEST(Density, APictureBoxLandsOnWholeDevicePixelsWhereverItSits) {
    qt::QtPlatform p;
    auto form = p.NewForm();
    form->Move(0, 0, 200 * 15, 150 * 15);
    std::vector<std::shared_ptr<PictureBox>> boxes;
    for (int offset : {1, 2, 3, 6}) {
        auto pic = p.NewPictureBox(*form);
        pic->setBorderStyle(offset % 2);
        pic->Move(offset * 15, offset * 9 * 15, 40 * 15, 8 * 15);
        pic->setScaleMode(scale::Pixels);
        pic->PaintPicture(ImmagineIncorporata("toolbar.bmp"), 0, 0, 36, 6, 0, 0, 36, 6);
        boxes.push_back(pic);
    }
    form->Show();
    p.Sync();
    const Image shot = Shot(*p.Widget(*form));
    for (const auto& pic : boxes) {
        QWidget& w = *p.Widget(*pic);
        const PointPx o = pic->ClientOriginPx();
        const Image& drawing = pic->DeviceSurface();
        EXPECT_EQ(Differences(shot, DevicePoint(w, {o.x, o.y}), drawing,
                              {0, 0, drawing.width(), drawing.height()}),
                  0)
            << "box at " << pic->Left() / 15;
    }
}

// The platform's grab is a picture in logical pixels, as on the headless backend: a picture box
// in it is its logical drawing, whatever the screen's ratio.
TEST(Density, AGrabShowsThePictureBoxInLogicalPixels) {
    qt::QtPlatform p;
    auto form = p.NewForm();
    form->Move(0, 0, 100 * 15, 60 * 15);
    auto pic = p.NewPictureBox(*form);
    pic->Move(3 * 15, 5 * 15, 80 * 15, 30 * 15);
    pic->setScaleMode(scale::Pixels);
    pic->PaintPicture(ImmagineIncorporata("toolbar.bmp"), 0, 0, 72, 24, 24, 72, 72, 24);
    form->Show();
    p.Sync();
    const Image grab = p.Grab(*pic);
    const Image& logical = pic->Surface();
    const PointPx o = pic->ClientOriginPx();
    EXPECT_EQ(grab.copy(o.x, o.y, logical.width(), logical.height()), logical);
}

// Text a window's model draws (a dialog's label, a list's rows) is as sharp as Qt's own at the
// ratio: the widget shows what Qt draws at the device's resolution, not logical pixels scaled.
TEST(Density, TextInLabelsAndListsIsDrawnAtTheDevicesResolution) {
    qt::QtPlatform p;
    auto form = p.NewForm();
    form->Move(0, 0, 300 * 15, 200 * 15);
    auto label = p.NewLabel(*form);
    label->Move(10 * 15, 10 * 15, 200 * 15, 20 * 15);
    label->setCaption("Kopiowanie: żółw");
    auto list = p.NewListBox(*form);
    list->Move(10 * 15, 40 * 15, 200 * 15, 80 * 15);
    list->AddItem("Warszawa – stolica");
    form->Show();
    p.Sync();
    const double r = Ratio();
    struct Case {
        Window& w;
        Rgba back;
        PointPx origin;  // where the model puts the text, in logical pixels
    } cases[] = {{*label, label->BackColor(), {0, 0}}, {*list, MakeRgb(255, 255, 255), {3, 1}}};
    QFont font = QApplication::font();  // the platform's: the application's, in whole pixels
    font.setPixelSize(QFontInfo(font).pixelSize());
    for (const Case& c : cases) {
        QWidget& widget = *p.Widget(c.w);
        const std::string text =
            &c.w == label.get() ? label->Caption() : std::string(list->List(0));
        const QImage shown = widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
        QImage expected(shown.size(), QImage::Format_RGB32);
        expected.setDevicePixelRatio(r);
        expected.fill(QColor::fromRgb(c.back));
        {
            QPainter painter(&expected);
            painter.setFont(font);
            painter.setPen(Qt::black);
            painter.drawText(c.origin.x, c.origin.y + QFontMetrics(font).ascent(),
                             QString::fromStdString(text));
        }
        // The first line of text only: frames and borders are the model's and stay logical.
        const int top = ToDevice(c.origin.y, r), bottom = ToDevice(c.origin.y + 14, r);
        int differ = 0, inked = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = ToDevice(c.origin.x + 1, r); x < shown.width() - 2; ++x) {
                const bool ink = qGray(expected.pixel(x, y)) < 128;
                inked += ink;
                differ += ink != (qGray(shown.pixel(x, y)) < 128);
            }
        EXPECT_GT(inked, 30) << text;
        EXPECT_LE(differ, inked / 20) << text << ": " << differ << " of " << inked;
    }
}

TEST(Density, TheCustomPointerKeepsItsLogicalSizeAndItsTransparency) {
    const Image icon = ImmagineIncorporata("zoomin.bmp");
    const QCursor cursor = qt::CursorFor(pointer::Custom, icon);
    const QPixmap pixmap = cursor.pixmap();
    const double r = Ratio();
    EXPECT_EQ(pixmap.width(), ToDevice(32, r));
    EXPECT_DOUBLE_EQ(pixmap.devicePixelRatio(), r);
    EXPECT_EQ(cursor.hotSpot(), QPoint(16, 16));
    const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << "the key colour is not the pointer";
    EXPECT_EQ(qAlpha(image.pixel(image.width() / 2, image.height() / 2)), 255);
    if (r == 2.0) {
        const Image keyed = WithTransparentKey(*icon.denser(), MakeRgb(255, 0, 255));
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x)
                ASSERT_EQ(image.pixel(x, y), keyed.pixel(x, y)) << x << "," << y;
    }
}

}  // namespace
}  // namespace quindel::test
