#include "toolbar/ClassePulsante.h"

#include "platform/PictureBox.h"
#include "platform/PictureStrip.h"
#include "platform/Platform.h"
#include "runtime/Coercions.h"
#include "support/Gestore.h"
#include "toolbar/ClasseToolbar.h"
#include "toolbar/Graphics.h"

namespace quindel {

namespace {

constexpr std::int16_t kSpessoreBordo = 2;
constexpr std::int16_t kNessunBordo = -1;

}  // namespace

ClassePulsante::ClassePulsante(platform::Platform& p) : platform_(p) {}

void ClassePulsante::setStatus(std::int16_t S) {
    for (const std::int16_t bit : {StatoAbilitato, StatoGiu, StatoVisibile})
        if ((S & bit) != (Status_ & bit)) OldStatus_ |= Status_ & bit;
    Status_ = S;
    if ((S & StatoGiu) == 0) ToolTipEnabled_ = true;
}

void ClassePulsante::setvalue(bool V) {
    if (V == value()) return;
    setStatus(std::int16_t(Status() ^ StatoGiu));
    Show();
    if (value() && PullUpGroupWhenPulledDown_) PullUpGroup();
}

void ClassePulsante::PullUpGroup() {
    const auto toolbar = ToolBarParent();
    if (!toolbar) return;
    for (int i = 1; i <= toolbar->MaxButton(); ++i) {
        ClassePulsante* altro = toolbar->CercaPulsante(std::int16_t(i));
        if (altro && altro->Index() != Index() && altro->Group() == Group() && altro->value())
            altro->setvalue(false);
    }
}

std::int16_t ClassePulsante::CellaPerStato(std::int16_t S) const {
    const bool giu = (S & StatoGiu) != 0, acceso = (S & StatoIlluminato) != 0;
    if ((S & StatoAbilitato) == 0) return giu ? IndexPictureDown() : IndexPictureDisabled();
    if (giu) return acceso ? IndexPictureEnlightedDown() : IndexPictureDown();
    return acceso ? IndexPictureEnlightedUp() : IndexPictureUp();
}

void ClassePulsante::Show() {
    Gestore h(platform_, "Show");
    h([&] { ShowAt(PictureToolbar_, PicSfondo_, X(), Y()); });
    if (const auto toolbar = ToolBarParent()) toolbar->Tastiera().DopoDisegno(*this);
}

void ClassePulsante::setTip(std::string s) {
    if (s == Tip_) return;
    Tip_ = std::move(s);
    // The tip is the button's name to assistive technology; nothing is redrawn to say so.
    if (PictureToolbar_) PictureToolbar_->AccessibleChanged();
}

void ClassePulsante::ShowAt(const std::shared_ptr<platform::PictureBox>& Destinazione,
                            const std::shared_ptr<platform::PictureBox>& Sfondo, std::int16_t X,
                            std::int16_t Y, const Variant& Stato) {
    Gestore h(platform_, "ShowAt");
    std::int16_t s = 0;
    if (!h([&] { s = Stato.isMissing() ? Status() : CInt(Stato); })) return;
    if ((s & StatoVisibile) == 0) return;
    std::int16_t cella = 0;
    h([&] { cella = CellaPerStato(s); });
    if (TipoBitmapToolbar_ == 0) {
        h([&] {
            Riferimento(Destinazione).PaintPicture(Riferimento(PicClip_).GraphicCell(cella), X, Y);
        });
        return;
    }
    h([&] { DisegnaMascherato(Riferimento(Destinazione), Sfondo, X, Y, cella); });
}

// The background, then the lit picture as a mask and the plain one over it; the state shows only
// in the frame drawn around the picture.
void ClassePulsante::DisegnaMascherato(platform::PictureBox& D,
                                       const std::shared_ptr<platform::PictureBox>& Sfondo,
                                       std::int16_t X, std::int16_t Y, std::int16_t Cella) {
    const auto& screen = platform_.screen();
    const std::int16_t W = Width(), H = height();
    const std::int16_t w = Intero16(W - 2 * screen.TwipsPerPixelX());
    const std::int16_t h = Intero16(H - 2 * screen.TwipsPerPixelY());
    const platform::PictureStrip& clip = Riferimento(PicClip_);
    D.PaintPicture(Riferimento(Sfondo).Surface(), X, Y, W, H, D.ToPxX(X), D.ToPxY(Y), D.ToPxX(W),
                   D.ToPxY(H), platform::rop::SrcCopy);
    D.PaintPicture(clip.GraphicCell(IndexPictureEnlightedUp()), X, Y, w, h, 0, 0, D.ToPxX(w),
                   D.ToPxY(h), platform::rop::SrcAnd);
    D.PaintPicture(clip.GraphicCell(IndexPictureUp()), X, Y, w, h, 0, 0, D.ToPxX(w), D.ToPxY(h),
                   platform::rop::SrcPaint);
    // The cells are compared in this order, so a cell number shared by two states resolves the
    // same way every time.
    std::int16_t stile = kNessunBordo;
    if (Cella == IndexPictureUp())
        stile = kNessunBordo;
    else if (Cella == IndexPictureEnlightedUp())
        stile = 0;
    else if (Cella == IndexPictureEnlightedDown() || Cella == IndexPictureDown())
        stile = 2;
    if (stile != kNessunBordo) DisegnaBordo(D, X, Y, X + w, Y + h, stile, kSpessoreBordo);
}

}  // namespace quindel
