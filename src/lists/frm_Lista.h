#pragma once
// The list window: a fixed tool window holding the list box and, for long lists, a vertical scroll
// bar that pages through the whole list. It forwards the user's choices to its controller.
#include <memory>
#include <string>

#include "support/Export.h"

QUINDEL_API_BEGIN

namespace quindel::platform {
class Platform;
class Form;
class ListBox;
class VScrollBar;
class Window;
}  // namespace quindel::platform

namespace quindel {

class ClasseTLista;

class frm_Lista {
  public:
    explicit frm_Lista(platform::Platform& p, std::string Caption = {});
    ~frm_Lista();
    frm_Lista(const frm_Lista&) = delete;
    frm_Lista& operator=(const frm_Lista&) = delete;

    // The list window that holds window w, or null.
    static frm_Lista* DiFinestra(platform::Window& w);

    const std::shared_ptr<platform::Form>& Form() const { return form_; }
    const std::shared_ptr<platform::ListBox>& TList1() const { return TList1_; }
    const std::shared_ptr<platform::VScrollBar>& VScroll1() const { return VScroll1_; }

    // Lays the list box and the scroll bar over the client area.
    void Resize();
    // Unloads the form; safe to call again while it is unloading.
    void Unload();

    ClasseTLista* ClasseListaCorrente = nullptr;
    // While set, changes of the scroll bar are ignored.
    bool ScrollbarDisattivata = false;

  private:
    void Collega();
    bool Disponi();
    void Scelta();
    std::shared_ptr<void> Proprietario() const;
    void SpegniToolTip();
    bool ScorriConTasto(std::int16_t codice);
    bool Scorri(std::int32_t righe);
    void Chiudi();
    void Form_Unload();

    std::shared_ptr<platform::Form> form_;
    std::shared_ptr<platform::ListBox> TList1_;
    std::shared_ptr<platform::VScrollBar> VScroll1_;
    bool inLayout_ = false;
    bool inUnload_ = false;
};

}  // namespace quindel

QUINDEL_API_END
