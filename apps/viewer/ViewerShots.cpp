#include "viewer/ViewerShots.h"

#include <QCoreApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>
#include <algorithm>

#include "control/Quindel.h"
#include "lists/frm_Lista.h"
#include "platform/Form.h"
#include "platform/ModelRenderer.h"
#include "platform/PictureBox.h"
#include "platform/Timer.h"
#include "platform/Wait.h"
#include "platform/qt/QtPlatform.h"
#include "toolbar/frm_NomeDeiPulsanti.h"
#include "viewer/ViewerHost.h"

namespace fs = std::filesystem;

namespace quindel::viewer {

using namespace quindel::platform;

namespace {

constexpr int kSettleMs = 150;
constexpr int kShowMs = 400;   // a picture decoded, a panorama projected, all painted
constexpr int kHoverMs = 700;  // past the panel's tooltip wait
constexpr std::int16_t kMultimediaList = 9;
constexpr std::int16_t kClose = 14;

RectPx Union(const RectPx& a, const RectPx& b) {
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

// The part of the desktop a rectangle covers, with every shown window at its place; not cut
// at the screen's edge, so a window on a small (or scaled-down) screen is written whole.
Image ScreenPart(Platform& p, const RectPx& r) {
    return ComposeRegion(p, r);
}

bool Save(const Image& img, const fs::path& file, std::vector<fs::path>& written) {
    if (!img.savePng(file.string())) return false;
    written.push_back(file);
    return true;
}

}  // namespace

void ViewerShots::Settle(int ms) {
    platform::WaitFor(p_, nullptr, ms, [] { return true; });
}

void ViewerShots::ClickButton(std::int16_t i) {
    QWidget* strip = p_.Widget(host_.Panel().pic_ToolbarMain());
    if (!strip) return;
    const PointPx b = host_.ButtonPoint(i);
    const QPointF at(b.x, b.y);
    const QPointF global = strip->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(strip, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(strip, &release);
}

void ViewerShots::Hover(std::int16_t i, const std::function<void()>& shot) {
    QWidget* strip = p_.Widget(host_.Panel().pic_ToolbarMain());
    if (!strip) return;
    const PointPx b = host_.ButtonPoint(i);
    // The panel waits for the pointer to leave inside the move event, running timers meanwhile:
    // the picture is taken from one of them, which then moves the pointer on.
    const auto timer = p_.NewTimer();
    timer->OnTimer = [&] {
        timer->setEnabled(false);
        shot();
        QCursor::setPos(strip->mapToGlobal(QPoint(strip->width() - 4, b.y)));
    };
    timer->setInterval(kHoverMs);
    QCursor::setPos(strip->mapToGlobal(QPoint(b.x, b.y)));
    Settle(kHoverMs + kSettleMs);
}

const std::vector<std::string>& ViewerShots::ObjectTypes() {
    static const std::vector<std::string> types{"FO", "MA", "TA", "F3"};
    return types;
}

bool ViewerShots::ShowObject(const std::string& tipo) {
    const std::int16_t step = host_.ScrollBeside(tipo);
    if (step == 0) return false;
    ClickButton(step);
    Settle(kShowMs);
    return true;
}

std::vector<fs::path> ViewerShots::Write(const fs::path& dir) {
    std::vector<fs::path> written;
    std::error_code ec;
    fs::create_directories(dir, ec);
    Settle(kSettleMs);
    const RectPx main = host_.MainForm().ScreenRectPx();
    Save(ScreenPart(p_, main), dir / "viewer.png", written);
    Hover(kClose, [&] {
        const Form& tip = host_.Panel().ToolTip().frm();
        const RectPx both = tip.IsShown() ? Union(main, tip.ScreenRectPx()) : main;
        Save(ScreenPart(p_, both), dir / "viewer_tooltip.png", written);
    });
    ClickButton(kMultimediaList);
    Settle(kSettleMs);
    const Form& list = *host_.Panel().FinestraLista(1).Form();
    const RectPx both = list.IsShown() ? Union(main, list.ScreenRectPx()) : main;
    Save(ScreenPart(p_, both), dir / "viewer_list.png", written);
    ClickButton(kMultimediaList);  // closed again, off the display area
    for (const std::string& tipo : ObjectTypes())
        if (ShowObject(tipo))
            Save(ScreenPart(p_, main), dir / ("viewer_" + tipo + ".png"), written);
    // The last object shown is a panorama; the dialogs see the picture before it.
    ShowObject("FO");
    DialogShot([this] { host_.Panel().copia("FO"); }, dir / "viewer_copy.png", written);
    DialogShot([this] { host_.Panel().Stampa(); }, dir / "viewer_print.png", written);
    return written;
}

void ViewerShots::DialogShot(const std::function<void()>& open, const fs::path& file,
                             std::vector<fs::path>& written) {
    open();
    Settle(kSettleMs);
    Form* dialog = p_.ActiveForm();
    const RectPx main = host_.MainForm().ScreenRectPx();
    if (!dialog || dialog == &host_.MainForm()) return;
    Save(ScreenPart(p_, Union(main, dialog->ScreenRectPx())), file, written);
    if (QWidget* w = p_.Widget(*dialog)) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(w, &release);
    }
    Settle(kSettleMs);
}

}  // namespace quindel::viewer
