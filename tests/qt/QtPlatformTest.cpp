// What only the Qt backend has: widgets mirroring the models, the window system's share (moves,
// resizes and closing by the user, flags, owners, cursors), and pixels at a high device pixel
// ratio.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QEventLoop>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <cmath>

#include "platform/Form.h"
#include "platform/ListBox.h"
#include "platform/PictureBox.h"
#include "platform/Slider.h"
#include "platform/Timer.h"
#include "platform/qt/InputMap.h"
#include "platform/qt/QtMessageBox.h"
#include "platform/qt/QtPlatform.h"
#include "platform/qt/WindowPeer.h"

namespace quindel::test {
namespace {

using namespace quindel::platform;
using qt::QtPlatform;

struct QtFixture : ::testing::Test {
    QtPlatform p;
    std::shared_ptr<Form> form = p.NewForm();

    QtFixture() {
        form->Move(1500, 1500, 6000, 4500);  // 400 × 300 pixels at 15 twips per pixel
        form->Show();
    }
    QWidget& W(Window& w) { return *p.Widget(w); }
};

// Forms released without Unload leave only the registry; their widgets go at the next sync, and
// a sync with nothing released since keeps every widget.
TEST_F(QtFixture, WidgetsOfReleasedFormsGoAtTheNextSync) {
    auto other = p.NewForm();
    other->Show();
    QPointer<QWidget> kept = &W(*form), released = &W(*other);
    p.Sync();
    other.reset();
    p.Sync();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(released.isNull());
    EXPECT_FALSE(kept.isNull());
}

TEST_F(QtFixture, ScreenFollowsTheLogicalDpi) {
    const QScreen* s = QGuiApplication::primaryScreen();
    EXPECT_EQ(p.screen().TwipsPerPixelX(), std::lround(1440.0 / s->logicalDotsPerInchX()));
    EXPECT_EQ(p.screen().TwipsPerPixelY(), std::lround(1440.0 / s->logicalDotsPerInchY()));
    EXPECT_EQ(p.screen().WidthPx(), s->geometry().width());
    EXPECT_EQ(p.screen().HeightPx(), s->geometry().height());
}

TEST(QtWindowFlags, FollowTheBorderStyle) {
    struct Case {
        std::int16_t style;
        Qt::WindowFlags managed, offscreen;
    } cases[] = {
        {border::None, Qt::Tool | Qt::FramelessWindowHint, Qt::Window | Qt::FramelessWindowHint},
        {border::FixedSingle, Qt::Window, Qt::Window},
        {border::Sizable, Qt::Window, Qt::Window},
        {border::FixedDialog, Qt::Dialog, Qt::Window},
        {border::FixedToolWindow, Qt::Tool | Qt::FramelessWindowHint,
         Qt::Window | Qt::FramelessWindowHint},
        {border::SizableToolWindow, Qt::Tool | Qt::FramelessWindowHint,
         Qt::Window | Qt::FramelessWindowHint},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(qt::WindowPeer::FlagsFor(c.style, true), c.managed) << c.style;
        EXPECT_EQ(qt::WindowPeer::FlagsFor(c.style, false), c.offscreen) << c.style;
    }
}

TEST_F(QtFixture, WidgetsSitWhereTheModelPutsThem) {
    // A form's widget is its client area, inside the frame the model reckons with.
    EXPECT_EQ(W(*form).geometry(), QRect(100 + 4, 100 + 4 + 20, 400 - 8, 300 - 8 - 20));
    auto pic = p.NewPictureBox(*form);
    pic->Move(150, 300, 1500, 750);
    auto inner = p.NewPictureBox(*pic);
    inner->Move(150, 150, 300, 300);
    EXPECT_EQ(W(*pic).geometry(), QRect(10, 20, 100, 50));
    EXPECT_EQ(W(*inner).geometry(), QRect(1 + 10, 1 + 10, 20, 20)) << "inside pic's border";
    EXPECT_EQ(W(*inner).parentWidget(), &W(*pic));
    pic->setVisible(false);
    EXPECT_FALSE(W(*inner).isVisible());
    form->setCaption("Title");
    EXPECT_EQ(W(*form).windowTitle(), "Title");
}

// A tool window's frame is the model's: its widget is the whole window, its controls sit in the
// client area, a press and release on the close box closes it the way a close from outside does,
// and presses on the frame are not the form's input.
TEST_F(QtFixture, AToolWindowIsFramedByTheModel) {
    auto tool = p.NewForm();
    tool->setBorderStyle(border::FixedToolWindow);
    tool->Move(3000, 3000, 3000, 1500);  // 200 × 100 pixels
    tool->setCaption("Głośność");
    tool->Show();
    QWidget& w = W(*tool);
    EXPECT_EQ(w.geometry(), QRect(200, 200, 200, 100));
    EXPECT_TRUE(w.windowFlags().testFlag(Qt::FramelessWindowHint));
    auto pic = p.NewPictureBox(*tool);
    pic->Move(150, 150, 300, 300);
    EXPECT_EQ(W(*pic).geometry().topLeft(), QPoint(4 + 10, 4 + 16 + 10));
    const RectPx box = tool->CloseBoxPx();
    ASSERT_GT(box.width(), 0);
    const QPoint onBox((box.left + box.right) / 2, (box.top + box.bottom) / 2);
    const QPoint onCaption(40, 10), onBorder(100, 98), inClient(4 + 100, 4 + 16 + 30);
    struct Case {
        const char* name;
        QPoint press, release;
        int closes, downs;
    } cases[] = {
        {"close box", onBox, onBox, 1, 0},
        {"slid off the close box", onBox, onCaption, 0, 0},
        {"caption", onCaption, onCaption, 0, 0},
        {"border", onBorder, onBorder, 0, 0},
        {"client area", inClient, inClient, 0, 1},
    };
    for (const Case& c : cases) {
        int closes = 0, downs = 0;
        float y = -1;
        tool->OnQueryUnload = [&](bool& cancel) {
            ++closes;
            cancel = true;  // as the panel's windows do: they close their own way
        };
        tool->OnMouseDown = [&](const MouseArgs& a) {
            ++downs;
            y = a.Y;
        };
        QTest::mousePress(&w, Qt::LeftButton, {}, c.press);
        EXPECT_EQ(closes, 0) << c.name << ": a close box acts on release";
        QTest::mouseRelease(&w, Qt::LeftButton, {}, c.release);
        EXPECT_EQ(closes, c.closes) << c.name;
        EXPECT_EQ(downs, c.downs) << c.name;
        if (downs) {
            EXPECT_EQ(y, 30 * 15) << "client twips";
        }
    }
    EXPECT_TRUE(tool->Loaded());
}

// The panel shows its tool windows, then names their owner: a window is mapped once, already
// owned, since mapping it again to tell the window system of the owner races the window manager.
TEST_F(QtFixture, AToolWindowIsMappedOnceWithTheOwnerNamedAfterItWasShown) {
    struct Watch : QObject {
        int shows = 0, hides = 0;
        QWindow* ownerAtShow = nullptr;
        bool eventFilter(QObject* o, QEvent* e) override {
            if (e->type() == QEvent::Show) {
                ++shows;
                ownerAtShow = static_cast<QWidget*>(o)->windowHandle()->transientParent();
            }
            hides += e->type() == QEvent::Hide;
            return false;
        }
    } watch;
    auto tool = p.NewForm();
    tool->setBorderStyle(border::FixedToolWindow);
    tool->Move(3000, 3000, 3000, 1500);
    W(*tool).installEventFilter(&watch);
    tool->Show();
    p.api().SetWindowWord(tool->hWnd(), GWW_HWNDPARENT, form->hWnd());
    p.DoEvents();
    EXPECT_TRUE(W(*tool).isVisible());
    EXPECT_EQ(watch.shows, 1);
    EXPECT_EQ(watch.hides, 0);
    EXPECT_EQ(watch.ownerAtShow, W(*form).windowHandle());
}

TEST_F(QtFixture, UserMovesAndResizesMoveTheModel) {
    int resizes = 0;
    form->OnResize = [&] { ++resizes; };
    QWidget& w = W(*form);
    w.setGeometry(w.geometry().translated(30, -10));
    EXPECT_EQ(form->Left(), 1500 + 30 * 15);
    EXPECT_EQ(form->Top(), 1500 - 10 * 15);
    EXPECT_EQ(resizes, 0);
    w.setGeometry(QRect(w.geometry().topLeft(), w.geometry().size() + QSize(20, 10)));
    EXPECT_EQ(form->Width(), 6000 + 20 * 15);
    EXPECT_EQ(form->Height(), 4500 + 10 * 15);
    EXPECT_EQ(resizes, 1);
    const QRect settled = w.geometry();
    p.DoEvents();
    EXPECT_EQ(w.geometry(), settled) << "the model's echo moves nothing";
    EXPECT_EQ(form->Left(), 1500 + 30 * 15);
}

TEST_F(QtFixture, ClosingAWindowUnloadsTheForm) {
    bool unloaded = false;
    form->OnUnload = [&] { unloaded = true; };
    const Handle h = form->hWnd();
    W(*form).close();
    EXPECT_TRUE(unloaded);
    EXPECT_FALSE(form->Loaded());
    EXPECT_EQ(p.FindWindow(h), nullptr);
}

TEST_F(QtFixture, TheScreenPointerIsTheOverrideCursor) {
    const std::pair<std::int16_t, Qt::CursorShape> cases[] = {
        {pointer::Hourglass, Qt::WaitCursor},
        {pointer::Arrow, Qt::ArrowCursor},
        {13, Qt::BusyCursor},
    };
    for (const auto& [code, shape] : cases) {
        p.screen().setMousePointer(code);
        p.DoEvents();
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr) << code;
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), shape) << code;
    }
    p.screen().setMousePointer(pointer::Default);
    p.DoEvents();
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(QtFixture, AFrozenWindowDoesNotUpdate) {
    p.api().LockWindowUpdate(form->hWnd());
    p.DoEvents();
    EXPECT_FALSE(W(*form).updatesEnabled());
    p.api().LockWindowUpdate(0);
    p.DoEvents();
    EXPECT_TRUE(W(*form).updatesEnabled());
}

TEST_F(QtFixture, PicturesStaySharpAtTwiceTheDevicePixelRatio) {
    auto pic = p.NewPictureBox(*form);
    pic->setBorderStyle(0);
    pic->Move(0, 0, 16 * 15, 16 * 15);
    pic->setScaleMode(scale::Pixels);
    Image checker(16, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            checker.setPixel(x, y, (x + y) % 2 ? MakeRgb(255, 255, 255) : MakeRgb(0, 0, 128));
    pic->PaintPicture(checker, 0, 0);
    QImage twice(32, 32, QImage::Format_RGB32);
    twice.setDevicePixelRatio(2);
    W(*pic).render(&twice);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            ASSERT_EQ(twice.pixel(x, y), checker.pixel(x / 2, y / 2)) << x << "," << y;
}

TEST_F(QtFixture, TheTimerQueueRunsFromTheEventLoop) {
    auto timer = p.NewTimer();
    QEventLoop loop;
    timer->OnTimer = [&] { loop.quit(); };
    timer->setInterval(5);
    bool late = false;
    QTimer::singleShot(5000, &loop, [&] {
        late = true;
        loop.quit();
    });
    loop.exec();
    EXPECT_FALSE(late);
}

// A wait that names its time sleeps in the dispatcher until then or until something is
// delivered; DoEvents comes back within a few milliseconds whatever happens.
TEST_F(QtFixture, DoEventsUntilSleepsUntilItsTimeOrAnEvent) {
    auto timer = p.NewTimer();
    int ticks = 0;
    timer->OnTimer = [&] {
        timer->setEnabled(false);
        ++ticks;
    };
    timer->setInterval(60);
    std::int64_t start = p.NowMs();
    while (ticks == 0 && p.NowMs() - start < 5000) p.DoEventsUntil(start + 2000);
    EXPECT_EQ(ticks, 1) << "the timer woke it";
    start = p.NowMs();
    p.DoEventsUntil(start + 200);
    EXPECT_GE(p.NowMs() - start, 190) << "nothing pending: it slept until its time";
    start = p.NowMs();
    p.DoEventsUntil(Platform::kNoWake);
    EXPECT_GE(p.NowMs() - start, 200) << "no time of its own: it slept its longest";
}

// Reading the cursor asks the window system only when a pointer event came since the last read,
// or the last read is half a second old.
TEST_F(QtFixture, TheCursorIsReadAgainAfterAPointerEvent) {
    const auto reads = [&] { return p.Cursor().Reads(); };
    p.screen().CursorPos();
    const int first = reads();
    for (int i = 0; i < 10; ++i) p.screen().CursorPos();
    EXPECT_EQ(reads(), first);
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), W(*form).mapToGlobal(QPointF(5, 5)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&W(*form), &move);
    p.screen().CursorPos();
    EXPECT_EQ(reads(), first + 1);
    const std::int64_t start = p.NowMs();
    while (p.NowMs() - start < 550) p.DoEventsUntil(start + 550);
    p.screen().CursorPos();
    EXPECT_EQ(reads(), first + 2) << "too old to trust";
}

TEST_F(QtFixture, WindowsDroppedWithoutUnloadLoseTheirWidgets) {
    auto other = p.NewForm();
    other->Show();
    const QPointer<QWidget> w = &W(*other);
    ASSERT_TRUE(w->isVisible());
    other.reset();
    p.DoEvents();
    EXPECT_TRUE(!w || !w->isVisible());
}

TEST_F(QtFixture, ADockedFormRidesWithItsHost) {
    auto panel = p.NewForm();
    panel->setBorderStyle(border::None);
    const RectPx client = form->ScreenRectPx();
    panel->Move((client.left + 4) * 15, (client.top + 24) * 15, 3000, 600);
    p.Dock(*panel, *form);
    panel->Show();
    EXPECT_EQ(W(*panel).parentWidget(), &W(*form));
    EXPECT_EQ(W(*panel).geometry(), QRect(0, 0, 200, 40));
    form->Move(form->Left() + 300, form->Top(), form->Width(), form->Height());
    EXPECT_EQ(panel->Left(), (client.left + 4) * 15 + 300);
    QWidget& w = W(*form);
    w.setGeometry(w.geometry().translated(0, 7));
    EXPECT_EQ(panel->Top(), (client.top + 24 + 7) * 15);
    EXPECT_EQ(W(*panel).geometry(), QRect(0, 0, 200, 40));
}

// A window the window manager activates (a click on its frame, Alt+Tab) while another window has
// the keyboard: the first key it gets goes to the control that last had the keyboard there, a
// control of a form docked in it included, and nothing reaches the other window.
TEST_F(QtFixture, AWindowActivatedByTheWindowManagerTakesTheKeyboardBack) {
    auto panel = p.NewForm();
    panel->setBorderStyle(border::None);
    p.Dock(*panel, *form);
    panel->Show();
    auto slider = p.NewSlider(*panel);
    slider->setMax(10);
    auto other = p.NewForm();
    other->Move(9000, 1500, 3000, 3000);
    auto list = p.NewListBox(*other);
    list->AddItem("a");
    list->AddItem("b");
    other->Show();
    slider->SetFocus();
    list->SetFocus();
    p.Sync();
    // Qt sends the keys of the activated window to it: the model never moved its focus.
    QTest::keyClick(&W(*form), Qt::Key_Right);
    EXPECT_EQ(p.Focused(), slider.get());
    EXPECT_EQ(slider->Value(), 1);
    EXPECT_EQ(list->ListIndex(), -1);
    QTest::keyClick(&W(*other), Qt::Key_Down);
    EXPECT_EQ(p.Focused(), list.get()) << "and back again";
    EXPECT_EQ(list->ListIndex(), 0);
}

TEST_F(QtFixture, MessageBoxesShowTheStyle) {
    struct Case {
        std::int32_t style;
        QMessageBox::Icon icon;
        QMessageBox::StandardButtons buttons;
        QMessageBox::StandardButton byDefault, escape;
    } cases[] = {
        {0, QMessageBox::NoIcon, QMessageBox::Ok, QMessageBox::Ok, QMessageBox::Ok},
        {1 | 32, QMessageBox::Question, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok,
         QMessageBox::Cancel},
        {2 | 16 | 256, QMessageBox::Critical,
         QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore, QMessageBox::Retry,
         QMessageBox::Abort},
        {3 | 48 | 512, QMessageBox::Warning,
         QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Cancel,
         QMessageBox::Cancel},
        {4 | 64, QMessageBox::Information, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes,
         QMessageBox::No},
        {5 | 512, QMessageBox::NoIcon, QMessageBox::Retry | QMessageBox::Cancel, QMessageBox::Retry,
         QMessageBox::Cancel},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.style);
        QString title, text;
        qt::QtMessageBox::SetTestHook([&](QMessageBox& box) -> std::int16_t {
            EXPECT_EQ(box.icon(), c.icon);
            EXPECT_EQ(box.standardButtons(), c.buttons);
            EXPECT_EQ(box.standardButton(box.defaultButton()), c.byDefault);
            EXPECT_EQ(box.standardButton(box.escapeButton()), c.escape);
            title = box.windowTitle();
            text = box.text();
            return 0;
        });
        p.Box().Show("Zażółć gęślą jaźń", c.style, "Tytuł");
        EXPECT_EQ(title, QString::fromUtf8("Tytuł"));
        EXPECT_EQ(text, QString::fromUtf8("Zażółć gęślą jaźń"));
    }
    qt::QtMessageBox::SetTestHook(nullptr);
}

TEST(QtInputMap, KeysAndMasksTranslate) {
    for (std::int16_t code : {8,  9,  13, 27, 32, 33, 34,  35,  36,  37,  38,  39,  40,
                              45, 46, 48, 57, 65, 90, 112, 123, 176, 177, 179, 187, 189})
        EXPECT_EQ(qt::KeyCodeOf(qt::QtKeyOf(code)), code) << code;
    // Several Qt keys are one key to the funnel.
    for (const auto& [qtKey, code] : {std::pair{Qt::Key_Enter, 13},
                                      {Qt::Key_Backtab, 9},
                                      {Qt::Key_Equal, 187},
                                      {Qt::Key_MediaPlay, 179},
                                      {Qt::Key_MediaPause, 179}})
        EXPECT_EQ(qt::KeyCodeOf(qtKey), code) << qtKey;
    EXPECT_EQ(qt::KeyCodeOf(Qt::Key_Launch0), 0);
    EXPECT_EQ(qt::ShiftMaskOf(Qt::ShiftModifier | Qt::AltModifier), 1 | 4);
    EXPECT_EQ(qt::ButtonMaskOf(Qt::RightButton | Qt::MiddleButton), 2 | 4);
    const QKeyEvent a(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
    const QKeyEvent polish(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromUtf8("ą"));
    const QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    EXPECT_EQ(qt::KeyAsciiOf(a), 'a');
    EXPECT_EQ(qt::KeyAsciiOf(polish), 0) << "no 8-bit character carries it";
    EXPECT_EQ(qt::KeyAsciiOf(esc), 27);
}

TEST_F(QtFixture, TextMeasuresAndDrawsInTheApplicationFont) {
    const SizePx one = p.MeasureText("Wisła"), two = p.MeasureText("Wisła\r\nWisła jest");
    EXPECT_EQ(one.height, QFontMetrics(QApplication::font()).height());
    EXPECT_EQ(two.height, 2 * one.height);
    EXPECT_GT(two.width, one.width);
    EXPECT_EQ(p.MeasureText("").height, one.height);
    Image img(one.width + 20, one.height + 20, MakeRgb(255, 255, 255));
    p.DrawText(img, 10, 10, "Wisła", MakeRgb(0, 0, 0));
    int inked = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            if (img.pixel(x, y) == MakeRgb(255, 255, 255)) continue;
            ++inked;
            EXPECT_TRUE(x >= 10 && y >= 10 && x < 10 + one.width && y < 10 + one.height);
        }
    EXPECT_GT(inked, 20);
}

}  // namespace
}  // namespace quindel::test
