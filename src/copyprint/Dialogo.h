#pragma once
// The window both picture dialogs (copy and print) are built on: a borderless form the size of
// its background picture, centred on the screen, with labels and pictures as buttons that look
// pressed while held, Enter and Escape, and the ties to the control that opened it. While it is
// open the control's parent form (FrmParent) owns it and is disabled; unloading enables it again.
// Without a mouse: Tab walks the labels that are buttons, Space clicks the one with the focus,
// Enter and Escape keep their meaning wherever the focus is. To assistive technology it is a
// dialog named by its title, its button labels push buttons.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/Image.h"
#include "runtime/Variant.h"
#include "support/Export.h"

QUINDEL_API_BEGIN

namespace quindel::platform {
class Platform;
class Form;
class Label;
class PictureBox;
class Window;
}  // namespace quindel::platform

namespace quindel {

class ProprietarioDialoghi;

class Dialogo {
  public:
    // Places and sizes are twips of the 15-twips-a-pixel screen the dialogs are drawn for.
    Dialogo(platform::Platform& p, std::string_view sfondo);
    ~Dialogo();
    Dialogo(const Dialogo&) = delete;
    Dialogo& operator=(const Dialogo&) = delete;

    platform::Platform& Piattaforma() const { return platform_; }
    const std::shared_ptr<platform::Form>& Form() const { return form_; }
    platform::PictureBox& FONDO() const { return *FONDO_; }
    bool Caricato() const;
    void Unload();
    // False once the dialog object is gone: a handler that let events run checks it before it
    // touches the dialog again.
    std::shared_ptr<const bool> Vivo() const { return vivo_; }

    std::shared_ptr<platform::Label> Etichetta(const std::string& testo, std::int32_t x,
                                               std::int32_t y, std::int32_t w, std::int32_t h);
    // The label that names the dialog.
    std::shared_ptr<platform::Label> Titolo(const std::string& testo, std::int32_t x,
                                            std::int32_t y, std::int32_t w, std::int32_t h);
    std::shared_ptr<platform::PictureBox> Immagine(const platform::Image& img, std::int32_t x,
                                                   std::int32_t y, bool visibile = true);
    // Gives a label or picture the button looks and a click; a label also takes the keyboard.
    void Pulsante(platform::Window& w, std::function<void()> click);
    // Runs once the controls stand: centres the form and adapts them to the screen.
    void Disponi();

    // Opens for owner: shown without being modal, labels and pictures with the control's pointer,
    // FrmParent the owner and disabled.
    void Apri(ProprietarioDialoghi& owner);

    std::function<void()> OnInvio, OnEsc, OnUnload;

  private:
    void Form_KeyPress(std::int16_t& tasto);
    void Form_Unload();

    platform::Platform& platform_;
    std::shared_ptr<platform::Form> form_;
    std::shared_ptr<platform::PictureBox> FONDO_;
    std::shared_ptr<bool> vivo_ = std::make_shared<bool>(true);
    Object padre_;  // the form disabled while the dialog is open
};

// The pictures of the dialogs (resources/*.bmp built into the library); an empty picture when
// one is missing.
platform::Image ImmagineDialogo(std::string_view nome);

// Whether a host control is there and visible.
bool Visibile(const Object& o);
// Draws an option marker from its strip: the first cell unchosen, the second chosen.
void DisegnaOpzione(platform::PictureBox& pb, const platform::Image& strip, bool scelta);

}  // namespace quindel

QUINDEL_API_END
