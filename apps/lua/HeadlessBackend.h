#pragma once
// The default backend of the scripted host: the headless platform, with virtual time, the
// scripted input timeline and the recorded message boxes.
#include "LuaHost.h"
#include "platform/headless/HeadlessPlatform.h"

namespace quindel::lua {

class HeadlessBackend final : public Backend {
  public:
    explicit HeadlessBackend(headless::HeadlessConfig config = {}) : p_(config) {}

    const char* Name() const override { return "headless"; }
    platform::Platform& P() override { return p_; }
    headless::HeadlessPlatform& Headless() { return p_; }
    void Run(std::int64_t ms) override { p_.RunFor(ms); }
    void MoveTo(int x, int y, std::int64_t afterMs) override { p_.Input().MoveTo(x, y, afterMs); }
    void Press(std::int16_t button, std::int64_t afterMs) override {
        p_.Input().Press(button, afterMs);
    }
    void Release(std::int16_t button, std::int64_t afterMs) override {
        p_.Input().Release(button, afterMs);
    }
    void Key(std::int16_t keyCode, std::int16_t shift, std::int64_t afterMs) override {
        p_.Input().Key(keyCode, afterMs, shift);
    }
    void QueueAnswer(std::int16_t answer) override { p_.Boxes().QueueAnswer(answer); }
    std::vector<Box> Boxes() const override;
    void ClearBoxes() override { p_.Boxes().ClearShown(); }
    platform::Image GrabScreen() override { return p_.GrabScreen(); }

  private:
    mutable headless::HeadlessPlatform p_;
};

}  // namespace quindel::lua
