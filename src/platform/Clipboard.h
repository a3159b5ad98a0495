#pragma once
// The system clipboard. Contract (what a backend must do, what a caller may rely on):
// - Each Set call replaces everything on the clipboard with one offer: SetTextAndRtf puts the
//   same text in two formats at once (a pasting program picks the richer one), SetText plain
//   text alone, SetPicture a picture alone. Clear leaves nothing.
// - Text is UTF-8 inside; RTF is the bytes of an RTF document, passed through unchanged.
// - What was put can be read back format by format while it is there; a format that is absent
//   reads as nullopt. A picture reads back with its size and its colours (alpha may be lost).
// - Formats() tells which formats are there now, whoever put them (another program, on a
//   desktop backend).
// - The selection buffer is a second, text-only place that desktops like X11 keep beside the
//   clipboard (the primary selection): the text the user last selected, pasted elsewhere with the
//   middle button. Setting it leaves the clipboard as it was. A backend without one says so
//   (HasSelectionBuffer) and keeps nothing there.
// - Calls come from the user-interface thread only.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Image.h"

namespace quindel::platform {

// Bits of Clipboard::Formats().
enum class ClipFormat : std::uint8_t { Text = 1, Rtf = 2, Picture = 4 };

class Clipboard {
  public:
    virtual ~Clipboard() = default;

    virtual void Clear() = 0;
    virtual void SetTextAndRtf(std::string_view text, std::string_view rtf) = 0;
    virtual void SetText(std::string_view text) = 0;
    virtual void SetPicture(const Image& picture) = 0;

    virtual std::optional<std::string> Text() const = 0;
    virtual std::optional<std::string> Rtf() const = 0;
    virtual std::optional<Image> Picture() const = 0;
    // The ClipFormat bits of the formats present.
    virtual std::uint8_t Formats() const = 0;

    virtual bool HasSelectionBuffer() const = 0;
    virtual void SetSelection(std::string_view text) = 0;
    // The selection buffer's text, whoever selected it; nullopt when there is none.
    virtual std::optional<std::string> Selection() const = 0;

    bool Has(ClipFormat f) const { return (Formats() & std::uint8_t(f)) != 0; }
};

}  // namespace quindel::platform
