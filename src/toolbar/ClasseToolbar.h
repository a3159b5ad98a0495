#pragma once
// The button strip: owns its buttons, lays them out in groups on one picture box, draws them from
// one picture strip and turns the surface's mouse events into pressed, lit and released buttons,
// with a tooltip while the pointer rests on one; its keyboard and what assistive technology
// learns of its buttons are TastieraToolbar's. Create it with std::make_shared: buttons keep a
// weak reference back to it.
#include <cstdint>
#include <memory>
#include <string>

#include "runtime/Collection.h"
#include "runtime/Variant.h"
#include "support/Export.h"
#include "toolbar/ClassePulsante.h"
#include "toolbar/TastieraToolbar.h"

QUINDEL_API_BEGIN

namespace quindel::platform {
class Platform;
class PictureBox;
class PictureStrip;
class CommandButton;
}  // namespace quindel::platform

namespace quindel {

class frm_NomeDeiPulsanti;

class ClasseToolbar : public std::enable_shared_from_this<ClasseToolbar> {
  public:
    explicit ClasseToolbar(platform::Platform& p);
    ~ClasseToolbar();
    ClasseToolbar(const ClasseToolbar&) = delete;
    ClasseToolbar& operator=(const ClasseToolbar&) = delete;

    // Numeric options are read as text rounded to 16 bits; Altezza in twips.
    void InitToolbar(std::shared_ptr<platform::PictureBox> PictureBox,
                     frm_NomeDeiPulsanti* FormToolTip,
                     std::shared_ptr<platform::PictureBox> PicPerHelp,
                     std::shared_ptr<platform::PictureStrip> PicClip,
                     std::shared_ptr<platform::PictureBox> PicSfondo,
                     const Variant& Altezza = Variant::Missing(),
                     const Variant& TipoBitmap = Variant::Missing(),
                     const Variant& Margine = Variant::Missing(),
                     const Variant& Cornice = Variant::Missing(),
                     const Variant& Separatori = Variant::Missing());

    // Appends a button (Index = the new count). Draws nothing.
    void AddButton(std::int16_t Group, bool AllowPullUp, const std::string& Tip,
                   std::int16_t IndexPictureUp, std::int16_t IndexPictureDown,
                   std::int16_t IndexPicturePushed, std::int16_t IndexPictureDisabled,
                   std::int16_t IndexPictureEnlightedUp, std::int16_t IndexPictureEnlightedDown,
                   std::int16_t CodHelpW95,
                   std::shared_ptr<platform::CommandButton> ControlloAssociato,
                   const Variant& MenuCode = Variant::Missing(),
                   const Variant& PullUpGroupWhenPulledDown = Variant::Missing(),
                   const Variant& OffSetX = Variant::Missing());
    // Removes the entry at that position; the count and the other buttons' keys stay.
    void RemoveButton(std::int16_t Index);
    // Releases every button.
    void Destroy();

    // The button with that Index; a missing one raises 5.
    ClassePulsante& Button(std::int16_t Index) const;
    // The button with that Index, or null when it was removed.
    ClassePulsante* CercaPulsante(std::int16_t Index) const;

    bool ButtonDown(std::int16_t Index) const;
    // Pressing one button in pulls the rest of its group up.
    void setButtonDown(std::int16_t Index, bool V);
    bool ButtonEnabled(std::int16_t Index) const;
    void setButtonEnabled(std::int16_t Index, bool V);
    bool ButtonVisible(std::int16_t Index) const;
    void setButtonVisible(std::int16_t Index, bool V);
    bool OldButtonDown(std::int16_t Index) const;
    void setOldButtonDown(std::int16_t Index, bool V);

    void Paint();
    void ShowAllButtons();
    void ShowSingleButton(ClassePulsante& button);

    // The surface's mouse events; X and Y in twips over the surface.
    void MouseDown(std::int16_t Tasto, std::int16_t Shift, float X, float Y);
    void MouseMove(std::int16_t Tasto, std::int16_t Shift, float X, float Y);
    void MouseUp(std::int16_t Tasto, std::int16_t Shift, float X, float Y);
    // The visible button under (X, Y) twips, or 0.
    std::int16_t PulsanteInXY(float X, float Y) const;
    // The cursor in screen pixels.
    void GetMousePosition(std::int16_t& X, std::int16_t& Y);
    // Shows the tooltip window with Text near the cursor, without taking the focus.
    void ShowToolTip(const std::string& Text);

    const std::shared_ptr<platform::PictureBox>& PictureBox() const { return PictureBox_; }
    // Takes a surface: persistent drawing, the toolbar's height, no border, the keyboard and the
    // buttons as its accessible children (TastieraToolbar); then paints it.
    void setPictureBox(std::shared_ptr<platform::PictureBox> p);
    const std::shared_ptr<platform::PictureBox>& PicSfondo() const { return PicSfondo_; }
    void setPicSfondo(std::shared_ptr<platform::PictureBox> p) { PicSfondo_ = std::move(p); }
    frm_NomeDeiPulsanti* FormToolTip() const { return FormToolTip_; }
    const std::shared_ptr<platform::PictureBox>& PicPerHelp() const { return PicPerHelp_; }
    const std::shared_ptr<platform::PictureStrip>& PicClip() const { return PicClip_; }
    const Collection<std::shared_ptr<ClassePulsante>>& Pulsanti() const { return Pulsanti_; }
    bool Visible() const;
    void setVisible(bool v);

    std::int16_t MaxButton() const { return MaxButton_; }
    std::int16_t AltezzaToolbar() const { return AltezzaToolbar_; }
    std::int16_t TipoBitmapToolbar() const { return TipoBitmapToolbar_; }
    std::int16_t TopPulsanti() const { return TopPulsanti_; }
    std::int16_t LarghezzaPulsante() const { return LarghezzaPulsante_; }
    std::int16_t AltezzaPulsante() const { return AltezzaPulsante_; }
    std::int16_t Spaziatura() const { return Spaziatura_; }
    std::int16_t MargineSinistro() const { return MargineSinistro_; }
    std::int16_t PulsanteIlluminato() const { return PulsanteIlluminato_; }
    std::int16_t PulsanteAbbassato() const { return PulsanteAbbassato_; }
    std::int16_t PulsanteOrigine() const { return PulsanteOrigine_; }
    std::int16_t StatusAllaPressione() const { return StatusAllaPressione_; }
    bool DisegnaCornice() const { return DisegnaCornice_; }
    bool SeparaGruppi() const { return SeparaGruppi_; }
    bool AttesaToolTip() const { return AttesaToolTip_; }

    TastieraToolbar& Tastiera() const { return *tastiera_; }

  private:
    void FissaGeometria();
    void DisegnaCorniceEsterna();
    void DisegnaSeparatore(std::int16_t X);
    void DisponiPulsanti();
    void Premi(std::int16_t i);
    bool AggiornaStati(std::int16_t Tasto, std::int16_t i);
    void AttendiSulPulsante();
    bool SuperficieAttiva() const;
    std::int16_t PulsanteSottoIlCursore();
    bool CursoreSullaSuperficie() const;
    void Rilascia(float X, float Y);
    void AlzaIlGruppo(const ClassePulsante& B, std::int16_t i);
    void InviaComando(const ClassePulsante& B);
    void MostraSuggerimento(const ClassePulsante& b);
    void NascondiToolTip();
    bool ToolTipVisibile() const;

    platform::Platform& platform_;
    // Shared so the surface can hold it weakly as its accessible children.
    std::shared_ptr<TastieraToolbar> tastiera_;
    std::shared_ptr<platform::PictureBox> PictureBox_;
    std::shared_ptr<platform::PictureBox> PicSfondo_;
    frm_NomeDeiPulsanti* FormToolTip_ = nullptr;
    std::shared_ptr<platform::PictureBox> PicPerHelp_;
    std::shared_ptr<platform::PictureStrip> PicClip_;
    Collection<std::shared_ptr<ClassePulsante>> Pulsanti_;
    std::int16_t MaxButton_ = 0;
    std::int16_t AltezzaToolbar_ = 0;
    std::int16_t TipoBitmapToolbar_ = 0;
    std::int16_t TopPulsanti_ = 0;
    std::int16_t LarghezzaPulsante_ = 0;
    std::int16_t AltezzaPulsante_ = 0;
    std::int16_t Spaziatura_ = 120;
    std::int16_t MargineSinistro_ = 0;
    std::int16_t PulsanteIlluminato_ = -1;
    std::int16_t PulsanteAbbassato_ = 0;
    std::int16_t PulsanteOrigine_ = 0;
    std::int16_t StatusAllaPressione_ = 0;
    bool DisegnaCornice_ = false;
    bool SeparaGruppi_ = false;
    bool AttesaToolTip_ = false;
};

}  // namespace quindel

QUINDEL_API_END
