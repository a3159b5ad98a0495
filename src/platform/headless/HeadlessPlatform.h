#pragma once
// The deterministic backend: virtual time, scripted input and message-box answers, windows that
// exist only as models and are rendered on request (Grab, GrabScreen) with the built-in font.
#include <cstdint>
#include <limits>
#include <string>

#include "platform/Platform.h"
#include "platform/headless/HeadlessClipboard.h"
#include "platform/headless/HeadlessConfig.h"
#include "platform/headless/HeadlessFileDialog.h"
#include "platform/headless/HeadlessMessageBox.h"
#include "platform/headless/HeadlessPrinter.h"
#include "platform/headless/HeadlessTextService.h"
#include "platform/headless/InputScript.h"

namespace quindel::headless {

class HeadlessPlatform : public platform::Platform {
  public:
    explicit HeadlessPlatform(HeadlessConfig config = {});

    std::int64_t NowMs() const override { return now_; }
    std::int64_t CalendarTime() const override {
        return config_.startDate + (now_ - config_.startMs) / 1000;
    }
    // Runs the input and timers that are due; when nothing is due, moves the clock to the next
    // due item (or by the idle step) and runs that. Throws HarnessError once the script is used
    // up and the run has waited longer than the stall limit.
    void DoEvents() override { Advance(kNever); }
    // As DoEvents, but the clock stops at wakeAtMs when that comes before the next due item.
    void DoEventsUntil(std::int64_t wakeAtMs) override {
        Advance(wakeAtMs > now_ ? wakeAtMs : kNever);
    }
    platform::MessageBox& Box() override { return box_; }
    platform::SizePx MeasureText(std::string_view text) const override;
    void DrawText(platform::Image& target, int x, int y, std::string_view text,
                  platform::Rgba ink) const override;
    const platform::TextService& Text() const override { return text_; }
    HeadlessClipboard* clipboard() override { return &clipboard_; }
    HeadlessPrinter* printer() override { return &printer_; }
    HeadlessFileDialog* fileDialog() override { return &fileDialog_; }
    platform::FrameMetrics FrameOf(const platform::Form& form) const override;
    platform::Image Grab(platform::Window& window) override;
    // Every shown form at its place on a screen-sized image, back to front.
    platform::Image GrabScreen();

    HeadlessMessageBox& Boxes() { return box_; }
    InputScript& Input();
    const HeadlessConfig& Config() const { return config_; }
    // Advances virtual time by ms, delivering input and firing timers on the way. Not a wait:
    // the stall limit does not apply.
    void RunFor(std::int64_t ms);
    // Delivers the input and timers due now, without moving the clock.
    void Pump() { RunFor(0); }
    // Mouse buttons currently held by the script.
    std::int16_t ButtonsHeld() const { return buttons_; }

  private:
    static constexpr std::int64_t kNever = std::numeric_limits<std::int64_t>::max();
    void Advance(std::int64_t wakeAtMs);
    int RunDue();
    void Deliver(const InputStep& s);
    std::int64_t NextDue() const;
    HeadlessConfig config_;
    HeadlessMessageBox box_;
    HeadlessClipboard clipboard_;
    HeadlessPrinter printer_;
    HeadlessFileDialog fileDialog_;
    HeadlessTextService text_;
    InputScript input_;
    std::int64_t now_;
    std::int64_t lastInput_;
    std::int16_t buttons_ = 0;
};

}  // namespace quindel::headless
