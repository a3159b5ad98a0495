#pragma once
// The file chooser as Qt's own QFileDialog (not the desktop's native one, so it looks and answers
// alike everywhere and can be driven under the offscreen platform): the title, the filters as
// "description (patterns)", the start folder and the proposed name; Open accepts an existing
// file, Save any name and asks before replacing one. A test installs a hook that answers the
// fully built dialog in place of a person.
#include <QFileDialog>
#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "platform/FileDialog.h"

class QWidget;

namespace quindel::qt {

class QtFileDialog : public platform::FileDialog {
  public:
    using Answerer = std::function<std::optional<std::string>(QFileDialog& dialog)>;

    // parent gives the window the dialog is modal over (may give null).
    explicit QtFileDialog(std::function<QWidget*()> parent) : parent_(std::move(parent)) {}

    std::optional<std::string> Ask(const platform::FileQuestion& question) override;

    // Process-wide, for tests; an empty hook lets a person answer again.
    static void SetTestHook(Answerer hook);

  private:
    std::function<QWidget*()> parent_;
};

}  // namespace quindel::qt
