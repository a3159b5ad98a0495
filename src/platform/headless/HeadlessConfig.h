#pragma once
// Settings of the headless backend; every field carries its default.
#include <cstdint>

#include "platform/Screen.h"

namespace quindel::headless {

struct HeadlessConfig {
    platform::ScreenMetrics screen;       // 1024 x 768 px, 15 twips a pixel, pixel ratio 1
    int formBorderPx = 4;                 // frame on each side of a form with a border
    int captionPx = 20;                   // caption bar of a form with a border
    int toolCaptionPx = 16;               // caption bar of a tool window
    std::int64_t startMs = 1000;          // virtual clock at start
    std::int64_t startDate = 1767349230;  // calendar time at start: 2026-01-02 10:20:30 UTC
    std::int64_t idleStepMs = 10;        // how far DoEvents moves the clock when nothing is pending
    std::int64_t stallLimitMs = 600000;  // virtual wait allowed once the input script is used up
};

}  // namespace quindel::headless
