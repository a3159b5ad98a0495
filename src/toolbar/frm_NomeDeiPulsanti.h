#pragma once
// The tooltip window of the toolbar: a borderless form that is exactly one pale yellow label, the
// button's name. Like a classic form it loads itself on first use. The pointer reaching it means
// the user has moved on, so it hides itself then. The names come from the message catalogue:
// made where there is none, it has that reported (once per platform), since nameless buttons
// would otherwise be the only sign of it.
#include <memory>

#include "support/Export.h"

QUINDEL_API_BEGIN

namespace quindel::platform {
class Platform;
class Form;
class Label;
}  // namespace quindel::platform

namespace quindel {

class frm_NomeDeiPulsanti {
  public:
    explicit frm_NomeDeiPulsanti(platform::Platform& p);
    ~frm_NomeDeiPulsanti();
    frm_NomeDeiPulsanti(const frm_NomeDeiPulsanti&) = delete;
    frm_NomeDeiPulsanti& operator=(const frm_NomeDeiPulsanti&) = delete;

    // Creates the window and its label unless they exist; the window stays hidden.
    void Load();
    // Destroys the window and its label.
    void Unload();
    bool Caricato() const;

    platform::Form& frm();
    platform::Label& lbl_HelpButton();

  private:
    void AdattaAllaScritta();
    void Nascondi();

    platform::Platform& platform_;
    std::shared_ptr<platform::Form> form_;
    std::shared_ptr<platform::Label> label_;
};

}  // namespace quindel

QUINDEL_API_END
