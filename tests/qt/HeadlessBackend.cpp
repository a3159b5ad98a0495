#include "platform/Form.h"
#include "platform/headless/HeadlessPlatform.h"
#include "qt/Backend.h"

namespace quindel::test {

namespace {

class HeadlessBackend : public Backend {
  public:
    platform::Platform& P() override { return p_; }
    bool Deterministic() const override { return true; }
    void Click(platform::Window& w, platform::PointPx client) override {
        const platform::RectPx r = w.ScreenRectPx();
        const platform::PointPx o = w.ClientOriginPx();
        p_.Input().Click(r.left + o.x + client.x, r.top + o.y + client.y);
        p_.Pump();
    }
    void Key(std::int16_t keyCode) override {
        p_.Input().Key(keyCode);
        p_.Pump();
    }
    void Answer(std::int16_t answer) override { p_.Boxes().QueueAnswer(answer); }
    bool Shown(platform::Form& f) override { return f.IsShown(); }
    platform::Handle Owner(platform::Form& f) override { return p_.api().Owner(f.hWnd()); }

  private:
    headless::HeadlessPlatform p_;
};

}  // namespace

std::unique_ptr<Backend> MakeHeadlessBackend() {
    return std::make_unique<HeadlessBackend>();
}

}  // namespace quindel::test
