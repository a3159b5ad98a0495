#pragma once
// One button of the toolbar: its state bits, its place on the surface and the six cells of the
// picture strip it is drawn from. The numeric properties are 16-bit to the outside world.
#include <cstdint>
#include <limits>
#include <memory>
#include <string>

#include "runtime/Variant.h"
#include "runtime/VbError.h"
#include "support/Export.h"

QUINDEL_API_BEGIN

namespace quindel::platform {
class Platform;
class PictureBox;
class PictureStrip;
class CommandButton;
}  // namespace quindel::platform

namespace quindel {

class ClasseToolbar;

// Bits of a button's Status.
constexpr std::int16_t StatoAbilitato = 1;
constexpr std::int16_t StatoGiu = 2;
constexpr std::int16_t StatoIlluminato = 4;
constexpr std::int16_t StatoVisibile = 8;

// The toolbar computes in 16 bits, as its properties are: a result out of range raises 6.
inline std::int16_t Intero16(std::int64_t v) {
    if (v < std::numeric_limits<std::int16_t>::min() ||
        v > std::numeric_limits<std::int16_t>::max())
        Raise(6);
    return std::int16_t(v);
}

// An object reference that must be set; an unset one raises 91, as using Nothing does.
template <class T>
T& Riferimento(const std::shared_ptr<T>& p) {
    if (!p) Raise(91);
    return *p;
}

class ClassePulsante {
  public:
    explicit ClassePulsante(platform::Platform& p);

    std::int16_t Index() const { return Intero16(Index_); }
    void setIndex(std::int16_t v) { Index_ = v; }
    std::int16_t Group() const { return Intero16(Group_); }
    void setGroup(std::int16_t v) { Group_ = v; }
    std::int16_t X() const { return Intero16(X_); }
    void setX(std::int16_t v) { X_ = v; }
    std::int16_t Y() const { return Intero16(Y_); }
    void setY(std::int16_t v) { Y_ = v; }
    std::int16_t OffSetX() const { return Intero16(OffSetX_); }
    void setOffSetX(std::int16_t v) { OffSetX_ = v; }
    std::int16_t Width() const { return Intero16(Width_); }
    void setWidth(std::int16_t v) { Width_ = v; }
    std::int16_t height() const { return Intero16(height_); }
    void setheight(std::int16_t v) { height_ = v; }

    std::int16_t Status() const { return Intero16(Status_); }
    // Remembers in OldStatus the enabled, down and visible bits that the change turns off.
    void setStatus(std::int16_t S);
    std::int16_t OldStatus() const { return Intero16(OldStatus_); }
    void setOldStatus(std::int16_t v) { OldStatus_ = v; }

    bool AllowPullUp() const { return AllowPullUp_; }
    void setAllowPullUp(bool v) { AllowPullUp_ = v; }
    bool PullUpGroupWhenPulledDown() const { return PullUpGroupWhenPulledDown_; }
    void setPullUpGroupWhenPulledDown(bool v) { PullUpGroupWhenPulledDown_ = v; }

    std::int16_t IndexPictureUp() const { return Intero16(IndexPictureUp_); }
    void setIndexPictureUp(std::int16_t v) { IndexPictureUp_ = v; }
    std::int16_t IndexPictureDown() const { return Intero16(IndexPictureDown_); }
    void setIndexPictureDown(std::int16_t v) { IndexPictureDown_ = v; }
    std::int16_t IndexPictureDisabled() const { return Intero16(IndexPictureDisabled_); }
    void setIndexPictureDisabled(std::int16_t v) { IndexPictureDisabled_ = v; }
    std::int16_t IndexPictureEnlightedUp() const { return Intero16(IndexPictureEnlightedUp_); }
    void setIndexPictureEnlightedUp(std::int16_t v) { IndexPictureEnlightedUp_ = v; }
    std::int16_t IndexPictureEnlightedDown() const { return Intero16(IndexPictureEnlightedDown_); }
    void setIndexPictureEnlightedDown(std::int16_t v) { IndexPictureEnlightedDown_ = v; }
    std::int16_t IndexPicturePushed() const { return Intero16(IndexPicturePushed_); }
    void setIndexPicturePushed(std::int16_t v) { IndexPicturePushed_ = v; }

    std::int16_t TipoBitmapToolbar() const { return Intero16(TipoBitmapToolbar_); }
    void setTipoBitmapToolbar(std::int16_t v) { TipoBitmapToolbar_ = v; }
    const std::string& Tip() const { return Tip_; }
    void setTip(std::string s);
    bool ToolTipEnabled() const { return ToolTipEnabled_; }
    void setToolTipEnabled(bool v) { ToolTipEnabled_ = v; }
    std::int32_t MenuCode() const { return MenuCode_; }
    void setMenuCode(std::int32_t v) { MenuCode_ = v; }
    std::int16_t CodHelpW95() const { return Intero16(CodHelpW95_); }
    void setCodHelpW95(std::int16_t v) { CodHelpW95_ = v; }

    const std::shared_ptr<platform::CommandButton>& ControlloAssociato() const {
        return ControlloAssociato_;
    }
    void setControlloAssociato(std::shared_ptr<platform::CommandButton> c) {
        ControlloAssociato_ = std::move(c);
    }
    const std::shared_ptr<platform::PictureBox>& PictureToolbar() const { return PictureToolbar_; }
    void setPictureToolbar(std::shared_ptr<platform::PictureBox> p) {
        PictureToolbar_ = std::move(p);
    }
    const std::shared_ptr<platform::PictureBox>& PicSfondo() const { return PicSfondo_; }
    void setPicSfondo(std::shared_ptr<platform::PictureBox> p) { PicSfondo_ = std::move(p); }
    const std::shared_ptr<platform::PictureStrip>& PicClip() const { return PicClip_; }
    void setPicClip(std::shared_ptr<platform::PictureStrip> p) { PicClip_ = std::move(p); }
    std::shared_ptr<ClasseToolbar> ToolBarParent() const { return ToolBarParent_.lock(); }
    void setToolBarParent(std::weak_ptr<ClasseToolbar> t) { ToolBarParent_ = std::move(t); }

    // The down bit. Pressing a button in may pull up the rest of its group.
    bool value() const { return (Status_ & StatoGiu) != 0; }
    void setvalue(bool V);

    // Draws the button on its toolbar at its place.
    void Show();
    // Draws the button for the given state (its own when missing) at (X, Y) twips.
    void ShowAt(const std::shared_ptr<platform::PictureBox>& Destinazione,
                const std::shared_ptr<platform::PictureBox>& Sfondo, std::int16_t X, std::int16_t Y,
                const Variant& Stato = Variant::Missing());

    // The strip cell a state shows.
    std::int16_t CellaPerStato(std::int16_t S) const;

  private:
    void DisegnaMascherato(platform::PictureBox& Destinazione,
                           const std::shared_ptr<platform::PictureBox>& Sfondo, std::int16_t X,
                           std::int16_t Y, std::int16_t Cella);
    void PullUpGroup();

    platform::Platform& platform_;
    std::int32_t Index_ = 0;
    std::int32_t Group_ = 0;
    std::int32_t X_ = 0;
    std::int32_t Y_ = 0;
    std::int32_t OffSetX_ = 0;
    std::int32_t Width_ = 0;
    std::int32_t height_ = 0;
    std::int32_t Status_ = 0;
    std::int32_t OldStatus_ = 0;
    bool AllowPullUp_ = false;
    bool PullUpGroupWhenPulledDown_ = false;
    std::int32_t IndexPictureUp_ = 0;
    std::int32_t IndexPictureDown_ = 0;
    std::int32_t IndexPictureDisabled_ = 0;
    std::int32_t IndexPictureEnlightedUp_ = 0;
    std::int32_t IndexPictureEnlightedDown_ = 0;
    std::int32_t IndexPicturePushed_ = 0;
    std::int32_t TipoBitmapToolbar_ = 0;
    std::string Tip_;
    bool ToolTipEnabled_ = true;
    std::int32_t MenuCode_ = -1;
    std::int32_t CodHelpW95_ = 0;
    std::shared_ptr<platform::CommandButton> ControlloAssociato_;
    std::shared_ptr<platform::PictureBox> PictureToolbar_;
    std::shared_ptr<platform::PictureBox> PicSfondo_;
    std::shared_ptr<platform::PictureStrip> PicClip_;
    std::weak_ptr<ClasseToolbar> ToolBarParent_;
};

}  // namespace quindel

QUINDEL_API_END
