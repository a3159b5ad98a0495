// The viewer's display area: the panel shows each object the user moves to in the display
// controls the viewer handed it, fitted into the area under the panel rather than the screen,
// and the area follows the window.
#include <gtest/gtest.h>

#include <QImage>
#include <QTest>
#include <QWheelEvent>
#include <algorithm>
#include <cstdlib>
#include <functional>

#include "TestFolder.h"
#include "control/Quindel.h"
#include "hostkit/animation/AnimationForm.h"
#include "hostkit/media/MediaControl.h"
#include "hostkit/movie/MovieControl.h"
#include "hostkit/panorama/PanoramaControl.h"
#include "hostkit/picture/PictureControl.h"
#include "hostkit/richtextbox/RichTextBox.h"
#include "hostkit/stage/DisplayStage.h"
#include "lists/ClasseTLista.h"
#include "lists/frm_Lista.h"
#include "platform/Form.h"
#include "platform/Label.h"
#include "platform/ListBox.h"
#include "platform/PictureBox.h"
#include "platform/headless/HeadlessPlatform.h"
#include "platform/qt/QtPlatform.h"
#include "viewer/ViewerHost.h"
#include "viewer/ViewerShots.h"

namespace quindel::test {
namespace {

namespace fs = std::filesystem;
using namespace quindel::platform;

const fs::path kSample = QUINDEL_SAMPLE_DIR;
constexpr hostkit::MediaOptions kVirtualMedia{.backend = hostkit::MediaBackend::Virtual};

bool Inside(const RectPx& inner, const RectPx& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// Equal margins left and right, top and bottom, give or take a pixel of rounding.
bool Centred(const RectPx& inner, const RectPx& outer) {
    return std::abs((inner.left - outer.left) - (outer.right - inner.right)) <= 1 &&
           std::abs((inner.top - outer.top) - (outer.bottom - inner.bottom)) <= 1;
}

struct HeadlessDisplay : ::testing::Test {
    headless::HeadlessPlatform p;
    TestFolder work{"quindel_viewer"};
    viewer::ViewerHost host{p, kSample, work.path(), {}, kVirtualMedia};

    void SetUp() override { ASSERT_TRUE(host.Start()) << host.Error(); }

    void Click(int x, int y) {
        p.Input().Click(x, y);
        p.RunFor(200);
    }
    void ClickButton(std::int16_t button) {
        const RectPx r = host.Panel().pic_ToolbarMain().ScreenRectPx();
        const PointPx at = host.ButtonPoint(button);
        Click(r.left + at.x, r.top + at.y);
    }
    void Show(const std::string& tipo) {
        const std::int16_t step = host.ScrollBeside(tipo);
        ASSERT_NE(step, 0) << tipo;
        ClickButton(step);
        ASSERT_EQ(host.Panel().ListaMM()->TipoOggetto(), tipo);
    }
    hostkit::DisplayStage& Stage() const { return host.Display(); }
    RectPx Area() const { return Stage().Form().ScreenRectPx(); }
    // A picture within the area, centred, its own shape, and never enlarged: at its own size
    // or as large as the area allows.
    void ExpectFitted(const char* what) {
        const hostkit::PictureControl& pic = Stage().Picture();
        const RectPx r = pic.ScreenRectPx(), area = Area();
        EXPECT_TRUE(Inside(r, area)) << what;
        EXPECT_TRUE(Centred(r, area)) << what;
        EXPECT_EQ(pic.AutoSize(), 2) << what;
        EXPECT_NEAR(double(r.width()) / r.height(), double(pic.IWidth()) / pic.IHeight(), 0.02)
            << what;
        const bool ownSize = r.width() == pic.IWidth() && r.height() == pic.IHeight();
        const bool fills =
            std::abs(r.width() - area.width()) <= 1 || std::abs(r.height() - area.height()) <= 1;
        EXPECT_TRUE(ownSize || fills) << what;
    }
};

TEST_F(HeadlessDisplay, FillsTheWindowUnderThePanelAndOpensOnTheArticle) {
    const RectPx panel = host.PanelForm().ScreenRectPx();
    EXPECT_EQ(Area().top, panel.bottom);
    EXPECT_EQ(Area().bottom, host.Status().ScreenRectPx().top);
    EXPECT_EQ(Area().width(), host.MainForm().ClientSizePx().width);
    EXPECT_TRUE(host.Article().IsShown());
    EXPECT_EQ(host.Article().ScreenRectPx(), Area());
    // The panel's form, with the list windows it opens, stays in front of the display.
    const auto& forms = p.Forms();
    EXPECT_LT(std::ranges::find(forms, &Stage().Form()),
              std::ranges::find(forms, &host.PanelForm()));
}

TEST_F(HeadlessDisplay, SteppingOntoAnObjectShowsItInTheArea) {
    struct Case {
        const char* tipo;
        std::function<Window&(hostkit::DisplayStage&)> control;
    } cases[] = {
        {"FO", [](auto& s) -> Window& { return s.Picture(); }},
        {"MA", [](auto& s) -> Window& { return s.Picture(); }},
        {"DI", [](auto& s) -> Window& { return s.Picture(); }},
        {"TA", [](auto& s) -> Window& { return s.Text(); }},
        {"F3", [](auto& s) -> Window& { return s.Panorama(); }},
        {"AI", [](auto& s) -> Window& { return s.Movie(); }},
        {"AN", [](auto& s) -> Window& { return s.Animation().Animazioni(); }},
        {"VI", [](auto& s) -> Window& { return s.Video(); }},
    };
    for (const Case& c : cases) {
        Show(c.tipo);
        Window& shown = c.control(Stage());
        EXPECT_TRUE(shown.IsShown()) << c.tipo;
        EXPECT_TRUE(Inside(shown.ScreenRectPx(), Area())) << c.tipo;
        EXPECT_TRUE(Centred(shown.ScreenRectPx(), Area())) << c.tipo;
        for (Window* other :
             {static_cast<Window*>(&Stage().Picture()), static_cast<Window*>(&Stage().Text()),
              static_cast<Window*>(&Stage().Panorama()), static_cast<Window*>(&Stage().Movie())})
            if (other != &shown) {
                EXPECT_FALSE(other->Visible()) << c.tipo;
            }
        if (&shown == &Stage().Picture()) ExpectFitted(c.tipo);
    }
    EXPECT_TRUE(p.Boxes().Shown().empty()) << p.Boxes().Shown().front().text;
}

TEST_F(HeadlessDisplay, AClickOnAListRowShowsItsObject) {
    ClickButton(9);
    const ListBox& rows = *host.Panel().FinestraLista(1).TList1();
    const RectPx r = rows.ScreenRectPx();
    Click(r.left + 20, r.top + 1 + 2 * rows.TwipsToPxY(rows.RowHeight()) + 4);  // record 3
    EXPECT_EQ(host.Panel().ListaMM()->TipoOggetto(), "MA");
    EXPECT_EQ(host.Events().back().rfind("ClickListaOggettiMM(2)", 0), 0u) << host.Events().back();
    EXPECT_TRUE(Stage().Picture().IsShown());
    ExpectFitted("record 3");
}

TEST_F(HeadlessDisplay, TheCaptionButtonShowsTheCaptionAlongTheBottom) {
    Show("FO");
    const hostkit::RichTextBox& caption = Stage().Caption();
    EXPECT_FALSE(caption.Visible());
    ClickButton(2);
    EXPECT_TRUE(caption.IsShown());
    const RectPx r = caption.ScreenRectPx();
    EXPECT_EQ(r.bottom, Area().bottom);
    EXPECT_EQ(r.width(), Area().width());
    EXPECT_FALSE(caption.engine().Text().empty());
    const RectPx above{Area().left, Area().top, Area().right, r.top};
    EXPECT_TRUE(Inside(Stage().Picture().ScreenRectPx(), above)) << "the photograph above it";
    EXPECT_TRUE(Centred(Stage().Picture().ScreenRectPx(), above));
    ClickButton(2);
    EXPECT_FALSE(caption.Visible());
    ExpectFitted("the whole area again");
}

TEST_F(HeadlessDisplay, ThePictureFollowsTheWindowsSize) {
    Show("FO");
    Form& main = host.MainForm();
    for (const double factor : {0.6, 1.3}) {
        main.Move(main.Left(), main.Top(), std::int32_t(main.Width() * factor),
                  std::int32_t(main.Height() * factor));
        EXPECT_EQ(Area().bottom, host.Status().ScreenRectPx().top) << factor;
        EXPECT_EQ(Area().width(), main.ClientSizePx().width) << factor;
        ExpectFitted(factor < 1 ? "smaller window" : "larger window");
    }
}

TEST_F(HeadlessDisplay, AClickOnALargePictureZoomsAndAnotherFitsItAgain) {
    Form& main = host.MainForm();
    main.Move(main.Left(), main.Top(), main.Width() / 2, main.Height() / 2);
    Show("FO");
    const hostkit::PictureControl& pic = Stage().Picture();
    ASSERT_GT(pic.IWidth(), Area().width()) << "a photograph larger than the area";
    const auto clickMiddle = [&] {
        const RectPx r = pic.ScreenRectPx();
        Click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    };
    clickMiddle();
    EXPECT_EQ(pic.AutoSize(), 0) << "actual size";
    EXPECT_TRUE(Inside(pic.ScreenRectPx(), Area()));
    clickMiddle();
    ExpectFitted("fitted again");
}

struct QtDisplay : ::testing::Test {
    qt::QtPlatform p;
    TestFolder work{"quindel_viewer"};
    viewer::ViewerHost host{p, kSample, work.path(),
                            [this](Form& form, Form& main) { p.Dock(form, main); }, kVirtualMedia};

    void SetUp() override { ASSERT_TRUE(host.Start()) << host.Error(); }
    QWidget& Widget(Window& w) { return *p.Widget(w); }
};

TEST_F(QtDisplay, TheWheelScrollsTheArticleAndAClickZoomsAPicture) {
    hostkit::RichTextBox& article = host.Article();
    QWidget& text = Widget(article);
    const QPointF at(text.width() / 2.0, text.height() / 2.0);
    QWheelEvent wheel(at, text.mapToGlobal(at), {}, {0, -120}, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&text, &wheel);
    EXPECT_GT(article.ScrollVert(), 0);

    const std::int16_t step = host.ScrollBeside("FO");
    viewer::ViewerShots(p, host).ClickButton(step);
    const hostkit::PictureControl& pic = host.Display().Picture();
    ASSERT_TRUE(pic.IsShown());
    ASSERT_GT(pic.IWidth(), host.Display().Form().ClientSizePx().width);
    QWidget& picture = Widget(host.Display().Picture());
    QTest::mouseClick(&picture, Qt::LeftButton, {}, picture.rect().center());
    EXPECT_EQ(pic.AutoSize(), 0) << "actual size";
    QTest::mouseClick(&picture, Qt::LeftButton, {}, picture.rect().center());
    EXPECT_EQ(pic.AutoSize(), 2) << "fitted again";
    EXPECT_TRUE(Inside(pic.ScreenRectPx(), host.Display().Form().ScreenRectPx()));
}

TEST_F(QtDisplay, ShotsOfObjectsShowThemInTheDisplayArea) {
    const auto files = viewer::ViewerShots(p, host).Write(work.path() / "shots");
    ASSERT_EQ(files.size(), 3 + viewer::ViewerShots::ObjectTypes().size() + 2);
    EXPECT_EQ(files[3].filename(), "viewer_FO.png");
    EXPECT_EQ(files.back().filename(), "viewer_print.png");
    EXPECT_EQ(host.Panel().ListaMM()->TipoOggetto(), "FO") << "the dialogs see a photograph";
    for (const Form* f : p.Forms())  // 330 and 300 pixels wide
        EXPECT_FALSE(f->IsShown() && (f->Width() == 330 * 15 || f->Width() == 300 * 15))
            << "Escape closed the dialogs";
    // The photograph takes the middle of the display area, where the article was.
    const QImage article(QString::fromStdString(files[0].string()));
    const QImage photo(QString::fromStdString(files[3].string()));
    const RectPx main = host.MainForm().ScreenRectPx(), area = host.Display().Form().ScreenRectPx();
    const QPoint middle((area.left + area.right) / 2 - main.left,
                        (area.top + area.bottom) / 2 - main.top);
    EXPECT_NE(photo.pixel(middle), article.pixel(middle));
    EXPECT_EQ(photo.size(), article.size());
}

}  // namespace
}  // namespace quindel::test
