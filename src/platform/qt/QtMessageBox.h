#pragma once
// The message box as a QMessageBox: the style's icon and buttons with the texts of the box's
// language, its default button (style bits 256 and 512 pick the second and third), Escape giving
// the answer mb::EscapeAnswer names, and the classic answer code returned. Setting the language
// also loads Qt's own translations for it (QtTranslations.h). A test installs a hook that answers
// in place of a person.
#include <QMessageBox>
#include <cstdint>
#include <functional>
#include <string_view>
#include <utility>

#include "platform/MessageBox.h"

class QWidget;

namespace quindel::qt {

class QtMessageBox : public platform::MessageBox {
  public:
    // Gets the fully built box and returns the answer to give; 0 dismisses it as Escape does.
    using Answerer = std::function<std::int16_t(QMessageBox& box)>;

    // parent gives the window the box is modal over (may give null).
    explicit QtMessageBox(std::function<QWidget*()> parent) : parent_(std::move(parent)) {}

    // Throws std::logic_error when the hook answers with a button the box does not offer.
    std::int16_t Show(std::string_view text, std::int32_t style, std::string_view title) override;
    void setLanguage(std::string_view language) override;

    // Process-wide, for tests; an empty hook lets a person answer again.
    static void SetTestHook(Answerer hook);

  private:
    std::function<QWidget*()> parent_;
};

}  // namespace quindel::qt
