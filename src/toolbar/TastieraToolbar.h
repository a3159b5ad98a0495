#pragma once
// The strip's keyboard, and what assistive technology learns of its buttons.
// - The strip takes the focus as one window (from a click or from Tab); inside it the keyboard is
//   on one button, drawn with a focus ring while the strip has the focus. Left and Right move to
//   the previous and next visible, enabled button, Home and End to the first and last. A click
//   that gives the strip the focus shows no ring until a key is used.
// - Space and Enter press that button exactly as a click does: a press and a release at its
//   middle through the surface's own mouse events, so its owner sees the same events and the
//   buttons toggle the same way. Shortcuts press their buttons the same way from anywhere in
//   the strip, and show in the tips ("Następny obiekt (Alt+→)").
// - To assistive technology every visible button is a child of the strip: a push button, or a
//   toggle button when it stays down (checked while down), named by its tip, disabled as drawn.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/Accessible.h"
#include "support/Export.h"

QUINDEL_API_BEGIN

namespace quindel::platform {
class PictureBox;
}

namespace quindel {

class ClasseToolbar;
class ClassePulsante;

struct Scorciatoia {
    std::int16_t Tasto = 0;     // key code (platform/Keys.h)
    std::int16_t Shift = 0;     // modifier mask, matched exactly
    std::int16_t Pulsante = 0;  // the button it presses
    std::string Testo;          // the key as the tip shows it; empty: not shown
    // When set, the key works only while it answers true (Escape only while a window is open);
    // of the keys that may run, the first in the table is the one pressed.
    std::function<bool()> Quando;
};

class TastieraToolbar : public platform::AccessibleChildren {
  public:
    explicit TastieraToolbar(ClasseToolbar& toolbar) : toolbar_(toolbar) {}

    // Makes the surface a tab stop and a tool bar, and hands its focus and keys to this object.
    void Collega(platform::PictureBox& superficie);

    void setScorciatoie(std::vector<Scorciatoia> s);
    const std::vector<Scorciatoia>& Scorciatoie() const { return scorciatoie_; }
    // The first shown key of button Indice that works now ("Alt+→"), or "".
    std::string TestoScorciatoia(std::int16_t Indice) const;
    // The button's tip with its key after it, as the tooltip shows it.
    std::string Suggerimento(const ClassePulsante& b) const;

    // The button the keyboard is on (0: none yet).
    std::int16_t PulsanteConFuoco() const { return conFuoco_; }
    // Moves the keyboard to button i, redrawing the ring.
    void setPulsanteConFuoco(std::int16_t i);
    // A key on the strip; true when it was used.
    bool KeyDown(std::int16_t codice, std::int16_t shift);
    // Presses button i as a click at its middle would.
    void Premi(std::int16_t i);

    // Called after button b was drawn, and after the strip was laid out anew.
    void DopoDisegno(const ClassePulsante& b);
    void DopoDisposizione();

    int Count() const override;
    platform::AccessibleDescription Child(int i) const override;
    int FocusedChild() const override;
    bool Press(int i) override;

  private:
    // On the strip (visible), and usable (visible and enabled).
    bool Presente(std::int16_t i) const;
    bool Utilizzabile(std::int16_t i) const;
    std::vector<std::int16_t> Visibili() const;
    std::int16_t Vicino(std::int16_t da, int passo) const;
    void Ridisegna(std::int16_t i);
    bool HaIlFuoco() const;
    void FuocoPreso();
    void DisegnaAnello(const ClassePulsante& b);

    ClasseToolbar& toolbar_;  // the owner, which outlives this object
    std::vector<Scorciatoia> scorciatoie_;
    std::int16_t conFuoco_ = 0;
    bool anello_ = false;  // the ring is shown while the strip has the focus
};

}  // namespace quindel

QUINDEL_API_END
