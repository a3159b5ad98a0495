#include <QTest>
#include <QWindow>
#include <deque>

#include "platform/Form.h"
#include "platform/qt/InputMap.h"
#include "platform/qt/QtMessageBox.h"
#include "platform/qt/QtPlatform.h"
#include "qt/Backend.h"

namespace quindel::test {

namespace {

class QtBackend : public Backend {
  public:
    QtBackend() {
        qt::QtMessageBox::SetTestHook([this](QMessageBox&) -> std::int16_t {
            if (answers_.empty()) return 0;
            const std::int16_t a = answers_.front();
            answers_.pop_front();
            return a;
        });
    }
    ~QtBackend() override { qt::QtMessageBox::SetTestHook(nullptr); }

    platform::Platform& P() override { return p_; }
    bool Deterministic() const override { return false; }
    void Click(platform::Window& w, platform::PointPx client) override {
        // The widget may begin at the client area (a form the window system frames).
        const platform::PointPx c = w.ClientOriginPx(), wo = p_.WidgetOrigin(w);
        const platform::PointPx o{c.x - wo.x, c.y - wo.y};
        QTest::mouseClick(p_.Widget(w), Qt::LeftButton, {}, QPoint(o.x + client.x, o.y + client.y));
    }
    void Key(std::int16_t keyCode) override {
        // Where Qt itself sends a key: its focus widget, else the active window.
        p_.DoEvents();
        QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key(qt::QtKeyOf(keyCode)));
    }
    void Answer(std::int16_t answer) override { answers_.push_back(answer); }
    bool Shown(platform::Form& f) override {
        p_.Sync();
        return p_.Widget(f)->isVisible();
    }
    platform::Handle Owner(platform::Form& f) override {
        p_.Sync();
        const QWindow* native = p_.Widget(f)->windowHandle();
        const QWindow* owner = native ? native->transientParent() : nullptr;
        if (!owner) return 0;
        for (platform::Form* other : p_.Forms())
            if (p_.Widget(*other)->windowHandle() == owner) return other->hWnd();
        return -1;
    }

  private:
    qt::QtPlatform p_;
    std::deque<std::int16_t> answers_;
};

}  // namespace

std::unique_ptr<Backend> MakeQtBackend() {
    return std::make_unique<QtBackend>();
}

}  // namespace quindel::test
