#pragma once
// Where a reader was in a content folder: the shown object, the picture's zoom and pan, the
// panorama's view, the film's time, the volume and which list windows were open. Every field is
// optional: what a state file does not hold is left as the viewer has it.
// The text form is one `key=value` line a field under a first line "quindel-reading-state 1";
// `content` is the folder's content fingerprint, so a state saved for other content is refused.
// Unknown keys are skipped (a later version may add some); a malformed value, a missing or
// unknown first line, or a missing fingerprint make the whole text unusable.
#include <cstdint>
#include <optional>
#include <string>

namespace quindel::hostkit {

struct ReadingState {
    std::string content;                     // the content fingerprint the state belongs to
    std::optional<std::int64_t> object;      // 0-based record of the shown multimedia object
    std::optional<bool> zoomed;              // the picture at actual size rather than fitted
    std::optional<std::int32_t> panX, panY;  // its scroll position, pixels
    std::optional<double> panoramaPan, panoramaFov;  // degrees
    std::optional<std::int64_t> filmMs;              // the film's or sound's position
    std::optional<std::int32_t> volume;              // as the panel's VolumeAudio gives it
    std::optional<bool> multimediaListOpen, linkedListOpen;

    bool operator==(const ReadingState&) const = default;
};

std::string FormatReadingState(const ReadingState& state);

// Reads `text` into `state`; on failure returns false with the reason in `why`.
bool ParseReadingState(const std::string& text, ReadingState& state, std::string& why);

}  // namespace quindel::hostkit
