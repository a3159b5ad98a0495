#include "toolbar/TastieraToolbar.h"

#include <utility>

#include "platform/Image.h"
#include "platform/Keys.h"
#include "platform/PictureBox.h"
#include "platform/Platform.h"
#include "toolbar/ClassePulsante.h"
#include "toolbar/ClasseToolbar.h"

namespace quindel {

namespace {

namespace key = platform::key;

// The ring: a white line one pixel inside the button's cell, over its bevel, and a black one
// inside it, so it shows on every face the strip draws.
constexpr int kRientroAnelloPx = 1;
constexpr platform::Rgba kAnelloFuori = platform::MakeRgb(255, 255, 255);
constexpr platform::Rgba kAnelloDentro = platform::MakeRgb(0, 0, 0);

std::string SenzaSpazi(const std::string& s) {
    const std::size_t primo = s.find_first_not_of(' ');
    if (primo == std::string::npos) return {};
    return s.substr(primo, s.find_last_not_of(' ') - primo + 1);
}

}  // namespace

void TastieraToolbar::Collega(platform::PictureBox& superficie) {
    superficie.setTabStop(true);
    superficie.setAccessibleRole(platform::Role::ToolBar);
    std::weak_ptr<ClasseToolbar> debole = toolbar_.weak_from_this();
    superficie.OnKeyDown = [debole](std::int16_t& codice, std::int16_t shift) {
        if (const auto tb = debole.lock(); tb && tb->Tastiera().KeyDown(codice, shift)) codice = 0;
    };
    superficie.OnGotFocus = [debole] {
        if (const auto tb = debole.lock()) tb->Tastiera().FuocoPreso();
    };
    superficie.OnLostFocus = [debole] {
        if (const auto tb = debole.lock()) tb->Tastiera().Ridisegna(tb->Tastiera().conFuoco_);
    };
}

void TastieraToolbar::setScorciatoie(std::vector<Scorciatoia> s) {
    scorciatoie_ = std::move(s);
    if (const auto& superficie = toolbar_.PictureBox()) superficie->AccessibleChanged();
}

std::string TastieraToolbar::TestoScorciatoia(std::int16_t Indice) const {
    for (const Scorciatoia& s : scorciatoie_)
        if (s.Pulsante == Indice && !s.Testo.empty() && (!s.Quando || s.Quando())) return s.Testo;
    return {};
}

std::string TastieraToolbar::Suggerimento(const ClassePulsante& b) const {
    const std::string tasto = TestoScorciatoia(b.Index());
    if (tasto.empty() || SenzaSpazi(b.Tip()).empty()) return b.Tip();
    return b.Tip() + " (" + tasto + ")";
}

bool TastieraToolbar::Presente(std::int16_t i) const {
    const ClassePulsante* b = toolbar_.CercaPulsante(i);
    return b && (b->Status() & StatoVisibile) != 0;
}

bool TastieraToolbar::Utilizzabile(std::int16_t i) const {
    return Presente(i) && (toolbar_.CercaPulsante(i)->Status() & StatoAbilitato) != 0;
}

std::vector<std::int16_t> TastieraToolbar::Visibili() const {
    std::vector<std::int16_t> visibili;
    for (std::int16_t i = 1; i <= toolbar_.MaxButton(); ++i)
        if (const ClassePulsante* b = toolbar_.CercaPulsante(i);
            b && (b->Status() & StatoVisibile) != 0)
            visibili.push_back(i);
    return visibili;
}

// The usable button nearest `da` in the direction of passo (+1, -1), not `da` itself; `da` 0
// going forwards finds the first, MaxButton + 1 going backwards the last. 0 when there is none.
std::int16_t TastieraToolbar::Vicino(std::int16_t da, int passo) const {
    for (int i = da + passo; i >= 1 && i <= toolbar_.MaxButton(); i += passo)
        if (Utilizzabile(std::int16_t(i))) return std::int16_t(i);
    return 0;
}

bool TastieraToolbar::HaIlFuoco() const {
    const auto& superficie = toolbar_.PictureBox();
    return superficie && superficie->HasFocus();
}

void TastieraToolbar::Ridisegna(std::int16_t i) {
    if (ClassePulsante* b = toolbar_.CercaPulsante(i)) toolbar_.ShowSingleButton(*b);
}

void TastieraToolbar::setPulsanteConFuoco(std::int16_t i) {
    if (i == conFuoco_) return;
    const std::int16_t prima = conFuoco_;
    conFuoco_ = i;
    Ridisegna(prima);
    Ridisegna(conFuoco_);
}

// The keyboard comes back to the button it left while that one is on the strip, disabled or
// not: it stays where the user put it. The ring shows when the focus came from the keyboard, not
// from a click (which holds the capture), until a key is used.
void TastieraToolbar::FuocoPreso() {
    anello_ = toolbar_.PictureBox()->platform().Capture() != toolbar_.PictureBox().get();
    if (Presente(conFuoco_))
        Ridisegna(conFuoco_);
    else
        setPulsanteConFuoco(Vicino(0, 1));
}

void TastieraToolbar::DopoDisposizione() {
    if (HaIlFuoco() && !Presente(conFuoco_)) setPulsanteConFuoco(Vicino(0, 1));
}

bool TastieraToolbar::KeyDown(std::int16_t codice, std::int16_t shift) {
    if (!anello_) {
        anello_ = true;
        Ridisegna(conFuoco_);
    }
    for (const Scorciatoia& s : scorciatoie_) {
        if (s.Tasto != codice || s.Shift != shift || (s.Quando && !s.Quando())) continue;
        Premi(s.Pulsante);
        return true;
    }
    if (shift != 0) return false;
    if (!Presente(conFuoco_)) FuocoPreso();
    switch (codice) {
        case key::Left:
        case key::Right: {
            const std::int16_t altro = Vicino(conFuoco_, codice == key::Left ? -1 : 1);
            if (altro != 0) setPulsanteConFuoco(altro);
            return true;
        }
        case key::Home:
        case key::End: {
            const bool primo = codice == key::Home;
            const std::int16_t altro =
                Vicino(primo ? 0 : std::int16_t(toolbar_.MaxButton() + 1), primo ? 1 : -1);
            if (altro != 0) setPulsanteConFuoco(altro);
            return true;
        }
        case key::Space:
        case key::Return:
            if (conFuoco_ != 0) Premi(conFuoco_);
            return true;
        default:
            return false;
    }
}

void TastieraToolbar::Premi(std::int16_t i) {
    const ClassePulsante* b = toolbar_.CercaPulsante(i);
    // Held: the command may let the toolbar and its surface go.
    const std::shared_ptr<platform::PictureBox> superficie = toolbar_.PictureBox();
    if (!b || !superficie) return;
    platform::MouseArgs a;
    a.Button = 1;
    a.X = float(b->X() + b->Width() / 2);
    a.Y = float(b->Y() + b->height() / 2);
    if (superficie->InputMouseDown(a)) superficie->InputMouseUp(a);
}

void TastieraToolbar::DopoDisegno(const ClassePulsante& b) {
    if (anello_ && b.Index() == conFuoco_ && HaIlFuoco() && (b.Status() & StatoVisibile) != 0)
        DisegnaAnello(b);
}

void TastieraToolbar::DisegnaAnello(const ClassePulsante& b) {
    platform::PictureBox& s = *toolbar_.PictureBox();
    const auto& screen = toolbar_.PictureBox()->platform().screen();
    const int tx = screen.TwipsPerPixelX(), ty = screen.TwipsPerPixelY();
    const int w = b.Width() / tx, h = b.height() / ty;
    for (const auto& [rientro, colore] : {std::pair{kRientroAnelloPx, kAnelloFuori},
                                          std::pair{kRientroAnelloPx + 1, kAnelloDentro}}) {
        const double x0 = b.X() + rientro * tx, y0 = b.Y() + rientro * ty;
        const double x1 = b.X() + (w - rientro - 1) * tx, y1 = b.Y() + (h - rientro - 1) * ty;
        if (x1 <= x0 || y1 <= y0) return;
        s.Line(x0, y0, x1, y0, colore);
        s.Line(x1, y0, x1, y1, colore);
        s.Line(x1, y1, x0, y1, colore);
        s.Line(x0, y1, x0, y0, colore);
    }
}

// ---- Assistive technology ----

int TastieraToolbar::Count() const {
    return int(Visibili().size());
}

platform::AccessibleDescription TastieraToolbar::Child(int i) const {
    platform::AccessibleDescription d;
    const std::vector<std::int16_t> visibili = Visibili();
    const auto& superficie = toolbar_.PictureBox();
    if (i < 0 || i >= int(visibili.size()) || !superficie) return d;
    const ClassePulsante& b = *toolbar_.CercaPulsante(visibili[std::size_t(i)]);
    const bool giu = (b.Status() & StatoGiu) != 0;
    d.role = b.AllowPullUp() ? platform::Role::ToggleButton : platform::Role::PushButton;
    d.name = SenzaSpazi(b.Tip());
    d.shortcut = TestoScorciatoia(b.Index());
    d.state.focusable = true;
    d.state.focused = b.Index() == conFuoco_ && HaIlFuoco();
    d.state.disabled = (b.Status() & StatoAbilitato) == 0 || !superficie->IsEnabledDeep();
    d.state.invisible = !superficie->IsShown();
    d.state.checkable = b.AllowPullUp();
    d.state.checked = giu && b.AllowPullUp();
    d.state.pressed = giu && !b.AllowPullUp();
    const int x = superficie->ToPxX(b.X()), y = superficie->ToPxY(b.Y());
    d.bounds = {x, y, x + superficie->ToPxX(b.Width()), y + superficie->ToPxY(b.height())};
    return d;
}

int TastieraToolbar::FocusedChild() const {
    const std::vector<std::int16_t> visibili = Visibili();
    for (std::size_t i = 0; i < visibili.size(); ++i)
        if (visibili[i] == conFuoco_) return int(i);
    return -1;
}

bool TastieraToolbar::Press(int i) {
    const std::vector<std::int16_t> visibili = Visibili();
    if (i < 0 || i >= int(visibili.size()) || !Utilizzabile(visibili[std::size_t(i)])) return false;
    // Held: the press may end with the toolbar's last reference gone.
    const auto vivo = toolbar_.shared_from_this();
    Premi(visibili[std::size_t(i)]);
    return true;
}

}  // namespace quindel
