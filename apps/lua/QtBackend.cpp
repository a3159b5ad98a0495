// The same host table on the Qt backend. Scripted input goes through the same input funnel as a
// real pointer's (and moves the real pointer along, so hover logic reading it agrees); time is
// real: host.run(ms) runs the Qt event loop for ms. Message boxes are answered by a person until
// the script queues answers; from then on the script answers them (Escape once its queue is
// empty) and they are recorded. host.shot needs a window: there is no screen picture.
#include "QtBackend.h"

#include <QApplication>
#include <QCursor>
#include <QMessageBox>
#include <QTimer>
#include <deque>
#include <memory>

#include "LuaHost.h"
#include "platform/Window.h"
#include "platform/qt/QtMessageBox.h"
#include "platform/qt/QtPlatform.h"

namespace quindel::lua {

namespace {

struct Step {
    enum class Kind { Move, Press, Release, Key } kind = Kind::Move;
    std::int64_t at = 0;
    int x = 0, y = 0;
    std::int16_t button = 1, shift = 0, key = 0;
};

class QtBackend final : public Backend {
  public:
    // Steps are delivered from a Qt timer, so they also reach a wait loop running inside an
    // earlier step (a press whose handler waits for the release).
    QtBackend() {
        pump_.setInterval(1);
        QObject::connect(&pump_, &QTimer::timeout, [this] { DeliverDue(); });
    }
    ~QtBackend() override {
        if (hooked_) qt::QtMessageBox::SetTestHook({});
    }

    const char* Name() const override { return "qt"; }
    platform::Platform& P() override { return p_; }

    void Run(std::int64_t ms) override {
        const std::int64_t end = p_.NowMs() + std::max<std::int64_t>(ms, 0);
        do {
            DeliverDue();
            p_.DoEvents();
        } while (p_.NowMs() < end);
    }

    void MoveTo(int x, int y, std::int64_t after) override {
        Add({Step::Kind::Move, 0, x, y}, after);
    }
    void Press(std::int16_t button, std::int64_t after) override {
        Step s{Step::Kind::Press};
        s.button = button;
        Add(s, after);
    }
    void Release(std::int16_t button, std::int64_t after) override {
        Step s{Step::Kind::Release};
        s.button = button;
        Add(s, after);
    }
    void Key(std::int16_t key, std::int16_t shift, std::int64_t after) override {
        Step s{Step::Kind::Key};
        s.key = key;
        s.shift = shift;
        Add(s, after);
    }

    void QueueAnswer(std::int16_t answer) override {
        answers_.push_back(answer);
        if (hooked_) return;
        hooked_ = true;
        qt::QtMessageBox::SetTestHook([this](QMessageBox& box) -> std::int16_t {
            Box b{box.text().toStdString(), -1, box.windowTitle().toStdString(), 0};
            if (!answers_.empty()) {
                b.answer = answers_.front();
                answers_.pop_front();
            }
            shown_.push_back(b);
            return b.answer;
        });
    }
    std::vector<Box> Boxes() const override { return shown_; }
    void ClearBoxes() override { shown_.clear(); }
    platform::Image GrabScreen() override { return {}; }

  private:
    void Add(Step s, std::int64_t after) {
        last_ = std::max(last_, p_.NowMs()) + std::max<std::int64_t>(after, 0);
        s.at = last_;
        steps_.push_back(s);
        if (!pump_.isActive()) pump_.start();
    }

    // Each step leaves the queue before it is delivered: a nested call delivers the next ones.
    void DeliverDue() {
        while (!steps_.empty() && steps_.front().at <= p_.NowMs()) {
            const Step s = steps_.front();
            steps_.pop_front();
            Deliver(s);
        }
        if (steps_.empty()) pump_.stop();
    }

    // As the headless backend delivers a step: to the window holding the capture, else to the
    // window under the pointer, with client coordinates in twips.
    void Deliver(const Step& s) {
        using platform::MouseArgs;
        if (s.kind == Step::Kind::Key) {
            platform::Window* f = p_.Focused();
            if (!f) return;
            const std::shared_ptr<platform::Window> target = f->shared_from_this();
            target->InputKeyDown(s.key, s.shift);
            if (target->Alive()) target->InputKeyPress(s.key);
            return;
        }
        if (s.kind == Step::Kind::Move) {
            cursor_ = {s.x, s.y};
            QCursor::setPos(s.x, s.y);
        }
        if (s.kind == Step::Kind::Press) buttons_ = std::int16_t(buttons_ | s.button);
        if (s.kind == Step::Kind::Release) buttons_ = std::int16_t(buttons_ & ~s.button);
        platform::Window* w = p_.Capture() ? p_.Capture() : p_.WindowAt(cursor_);
        if (!w) return;
        const std::shared_ptr<platform::Window> target = w->shared_from_this();
        const platform::PointPx c = target->ScreenToClientPx(cursor_);
        MouseArgs a;
        a.Shift = s.shift;
        a.X = float(c.x * p_.screen().TwipsPerPixelX());
        a.Y = float(c.y * p_.screen().TwipsPerPixelY());
        a.Button = s.kind == Step::Kind::Move ? buttons_ : s.button;
        if (s.kind == Step::Kind::Move)
            target->InputMouseMove(a);
        else if (s.kind == Step::Kind::Press)
            target->InputMouseDown(a);
        else
            target->InputMouseUp(a);
    }

    qt::QtPlatform p_;
    QTimer pump_;
    std::deque<Step> steps_;
    std::int64_t last_ = 0;
    platform::PointPx cursor_;
    std::int16_t buttons_ = 0;
    std::deque<std::int16_t> answers_;
    std::vector<Box> shown_;
    bool hooked_ = false;
};

}  // namespace

int RunOnQt(int& argc, char** argv, const std::string& script,
            const std::vector<std::string>& args) {
    QApplication app(argc, argv);
    QtBackend backend;
    LuaHost host(backend);
    return host.RunFile(script, args);
}

}  // namespace quindel::lua
