#include "copyprint/Dialogo.h"

#include "contract/Window.h"
#include "copyprint/Mod_CopiaeStampa.h"
#include "copyprint/ProprietarioDialoghi.h"
#include "platform/Form.h"
#include "platform/Label.h"
#include "platform/PictureBox.h"
#include "platform/Platform.h"
#include "runtime/Coercions.h"
#include "runtime/Dispatch.h"
#include "runtime/ErrorHandling.h"
#include "support/Risorse.h"

namespace quindel {

namespace {

constexpr std::int32_t kTwips = 15;
constexpr std::int16_t kInvio = 13, kEsc = 27, kSpazio = 32;
constexpr platform::Rgba kSfondo = platform::MakeRgb(238, 232, 216);  // the artwork's paper
constexpr platform::Rgba kInchiostro = platform::MakeRgb(40, 44, 64);

bool EtichettaOImmagine(const platform::Window& w) {
    return w.Kind() == platform::WindowKind::Label || w.Kind() == platform::WindowKind::PictureBox;
}

}  // namespace

platform::Image ImmagineDialogo(std::string_view nome) {
    return ImmagineIncorporata(nome);
}

Dialogo::Dialogo(platform::Platform& p, std::string_view sfondo)
    : platform_(p), form_(p.NewForm()) {
    form_->setBorderStyle(platform::border::None);
    form_->setBackColor(kSfondo);
    const platform::Image img = ImmagineDialogo(sfondo);
    form_->Move(0, 0, img.width() * kTwips, img.height() * kTwips);
    FONDO_ = Immagine(img, 0, 0);
    form_->setAccessibleRole(platform::Role::Dialog);
    form_->OnKeyPress = [this](std::int16_t& k) { Form_KeyPress(k); };
    form_->OnUnload = [this] { Form_Unload(); };
}

Dialogo::~Dialogo() {
    *vivo_ = false;
    OnInvio = OnEsc = OnUnload = nullptr;
    Unload();
    form_->OnKeyPress = nullptr;
    form_->OnUnload = nullptr;
}

bool Dialogo::Caricato() const {
    return form_->Loaded();
}

void Dialogo::Unload() {
    if (form_->Loaded()) form_->Unload();
}

std::shared_ptr<platform::Label> Dialogo::Etichetta(const std::string& testo, std::int32_t x,
                                                    std::int32_t y, std::int32_t w,
                                                    std::int32_t h) {
    auto l = platform_.NewLabel(*form_);
    l->Move(x, y, w, h);
    l->setBackColor(kSfondo);
    l->setForeColor(kInchiostro);
    l->setCaption(testo);
    return l;
}

std::shared_ptr<platform::Label> Dialogo::Titolo(const std::string& testo, std::int32_t x,
                                                 std::int32_t y, std::int32_t w, std::int32_t h) {
    form_->setAccessibleName(testo);
    return Etichetta(testo, x, y, w, h);
}

std::shared_ptr<platform::PictureBox> Dialogo::Immagine(const platform::Image& img, std::int32_t x,
                                                        std::int32_t y, bool visibile) {
    auto pb = platform_.NewPictureBox(*form_);
    pb->setBorderStyle(0);
    pb->setBackColor(kSfondo);
    pb->setAutoRedraw(true);
    pb->Move(x, y, img.width() * kTwips, img.height() * kTwips);
    pb->setScaleMode(platform::scale::Pixels);
    pb->PaintPicture(img, 0, 0);
    pb->setVisible(visibile);
    return pb;
}

// Labels and pictures have no click of their own: a release over the control that was pressed is
// one.
void Dialogo::Pulsante(platform::Window& w, std::function<void()> click) {
    // A picture beside a label does what the label does: the label alone takes the keyboard.
    if (w.Kind() == platform::WindowKind::Label) {
        w.setTabStop(true);
        w.setAccessibleRole(platform::Role::PushButton);
        w.OnKeyPress = [this, vivo = vivo_, click](std::int16_t& tasto) {
            if (tasto != kSpazio) {
                if (*vivo) Form_KeyPress(tasto);
                return;
            }
            const std::function<void()> clic = click;  // as a click, it may unload the dialog
            clic();
        };
    }
    w.OnMouseDown = [&w](const platform::MouseArgs&) { BottonePremuto(w); };
    w.OnMouseUp = [&w, click = std::move(click)](const platform::MouseArgs& a) {
        BottoneRilasciato(w);
        if (a.X < 0 || a.Y < 0 || a.X >= float(w.Width()) || a.Y >= float(w.Height())) return;
        const std::function<void()> clic = click;  // the click may unload the dialog, and this
        clic();                                    // handler with it
    };
}

void Dialogo::Disponi() {
    AdattaControlli(*form_, true);
    const platform::Image& img = FONDO_->Surface();
    const platform::Screen& s = platform_.screen();
    const std::int32_t w = img.width() * s.TwipsPerPixelX(), h = img.height() * s.TwipsPerPixelY();
    form_->Move(std::int32_t((LarghezzaSchermo(platform_) - w) / 2),
                (AltezzaSchermo(platform_) - h) / 2, w, h);
}

void Dialogo::Apri(ProprietarioDialoghi& owner) {
    form_->Show();
    IgnoraErrori([&] { form_->SetFocus(); });
    const platform::Image puntatore = owner.PuntatoreDialoghi();
    for (const auto& c : form_->Children()) {
        if (!EtichettaOImmagine(*c) || puntatore.empty()) continue;
        c->setMouseIcon(puntatore);
        c->setMousePointer(platform::pointer::Custom);
    }
    padre_ = owner.FrmParent();
    if (!padre_) return;
    const auto handle = platform::Handle(CLng(contract::Get(padre_, contract::window::hWnd)));
    platform_.api().SetWindowWord(form_->hWnd(), platform::GWW_HWNDPARENT, handle);
    contract::Let(padre_, contract::window::Enabled, Variant(false));
}

void Dialogo::Form_KeyPress(std::int16_t& tasto) {
    if (tasto == kInvio) {
        tasto = 0;  // taken: nothing else sees the Enter
        if (OnInvio) OnInvio();
    } else if (tasto == kEsc) {
        if (OnEsc) OnEsc();
    }
}

void Dialogo::Form_Unload() {
    if (OnUnload) OnUnload();
    const Object padre = std::move(padre_);
    padre_ = nullptr;
    if (!padre) return;
    IgnoraErrori([&] { contract::Let(padre, contract::window::Enabled, Variant(true)); });
    platform_.api().SetWindowWord(form_->hWnd(), platform::GWW_HWNDPARENT, 0);
}

bool Visibile(const Object& o) {
    return o && CBool(contract::Get(o, contract::window::Visible));
}

void DisegnaOpzione(platform::PictureBox& pb, const platform::Image& strip, bool scelta) {
    const int lato = strip.height();
    pb.PaintPicture(strip, 0, 0, lato, lato, scelta ? lato : 0, 0, lato, lato);
}

}  // namespace quindel
