#pragma once
// The clipboard through QClipboard. Each put is one QMimeData carrying every format it offers,
// under the names other programs look for: RTF as text/rtf and text/richtext, text through
// setText (text/plain;charset=utf-8 and its X11 aliases), and a picture as image/png and
// image/bmp besides Qt's own image data. Reading accepts those names and application/rtf, from
// this program or another. On X11 the data lives in this process: it stays pasteable only while
// the program runs, unless a clipboard manager takes it over at exit. The selection buffer is
// X11's primary selection, where the platform has one (not offscreen).
#include <QStringList>

#include "platform/Clipboard.h"

class QMimeData;

namespace quindel::qt {

class QtClipboard : public platform::Clipboard {
  public:
    void Clear() override;
    void SetTextAndRtf(std::string_view text, std::string_view rtf) override;
    void SetText(std::string_view text) override;
    void SetPicture(const platform::Image& picture) override;

    std::optional<std::string> Text() const override;
    std::optional<std::string> Rtf() const override;
    std::optional<platform::Image> Picture() const override;
    std::uint8_t Formats() const override;

    bool HasSelectionBuffer() const override;
    void SetSelection(std::string_view text) override;
    std::optional<std::string> Selection() const override;

  private:
    static const QMimeData* Current();
    // The first of the names the current data holds, or an empty string.
    static QString FirstOf(const QStringList& names);
};

}  // namespace quindel::qt
