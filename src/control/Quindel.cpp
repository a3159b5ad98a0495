// Creation, notifications of the control's own window, and shutdown.
#include "control/Quindel.h"

#include <algorithm>

#include "control/ScorciatoiePannello.h"
#include "copyprint/fcopia.h"
#include "copyprint/fstampa.h"
#include "display/Frm_volume.h"
#include "lists/ClasseTLista.h"
#include "lists/frm_Lista.h"
#include "platform/CommandButton.h"
#include "platform/Form.h"
#include "platform/MessageBox.h"
#include "platform/PictureBox.h"
#include "platform/PictureStrip.h"
#include "platform/Platform.h"
#include "platform/Slider.h"
#include "platform/Timer.h"
#include "platform/WindowObject.h"
#include "runtime/CodePage.h"
#include "runtime/Coercions.h"
#include "runtime/ErrorHandling.h"
#include "support/Catalogo.h"
#include "support/FileUtil.h"
#include "support/Risorse.h"
#include "toolbar/ClassePulsante.h"
#include "toolbar/ClasseToolbar.h"
#include "toolbar/frm_NomeDeiPulsanti.h"

namespace quindel {

namespace {
constexpr std::int32_t kLarghezzaIniziale = 9600;  // design-time size; the host sizes the control
constexpr std::int32_t kAltezzaIniziale = 540;
constexpr std::int32_t kLarghezzaSlider = 1332;
constexpr std::int32_t kAltezzaSlider = 252;
constexpr std::int32_t kIntervalloTimer = 100;

// A built-in picture; a damaged one is replaced by a plain grey picture of the given size, so
// the panel still comes up.
platform::Image Immagine(std::string_view nome, int w, int h) {
    platform::Image img = ImmagineIncorporata(nome);
    return img.empty() ? platform::Image(w, h, platform::MakeRgb(192, 192, 192)) : img;
}
}  // namespace

Quindel::Quindel(platform::Platform& p, platform::Form&)
    : platform_(p), display_(std::make_unique<Visualizzatore>(*this, *this)) {
    DichiaraMembri();
}

std::shared_ptr<Quindel> Quindel::Crea(platform::Platform& p, platform::Form& host) {
    // The list files, the catalogue and the log need a usable code page: say so now, not as
    // garbled text later.
    SystemCodePage();
    // The buttons of every message box speak the catalogue's language.
    p.Box().setLanguage(LinguaCatalogo(p.files()));
    std::shared_ptr<Quindel> q(new Quindel(p, host));
    q->Inizializza(host);
    return q;
}

void Quindel::CaricaRisorse() {
    clp_Toolbar_ =
        std::make_shared<platform::PictureStrip>(Immagine("toolbar.bmp", 432, 144), 6, 18);
    Mouse_ = std::make_shared<platform::PictureStrip>(Immagine("pointers.bmp", 288, 32), 1, 9);
    Pic_IconaZoom_ = Immagine("zoomin.bmp", 32, 32);
    Pic_IconaZoomOut_ = Immagine("zoomout.bmp", 32, 32);
}

void Quindel::Inizializza(platform::Form& host) {
    userControl_ = platform_.NewPictureBox(host);
    userControl_->setBorderStyle(0);
    userControl_->Move(0, 0, kLarghezzaIniziale, kAltezzaIniziale);
    pic_ToolbarMain_ = platform_.NewPictureBox(*userControl_);
    pic_ToolbarMain_->Move(60, 0, kLarghezzaIniziale, kAltezzaIniziale);
    Sld_SliderAvanzamento_ = platform_.NewSlider(*pic_ToolbarMain_);
    Sld_SliderAvanzamento_->setMin(0);
    Sld_SliderAvanzamento_->setMax(10);
    Sld_SliderAvanzamento_->Move(0, 0, kLarghezzaSlider, kAltezzaSlider);
    sliderObject_ = platform::MakeSliderObject(Sld_SliderAvanzamento_);
    Cmd_GestioneMenu_ = platform_.NewCommandButton(*userControl_);
    Cmd_GestioneMenu_->setVisible(false);
    PicPerHelpW95_ = platform_.NewPictureBox(*userControl_);
    Timer1_ = platform_.NewTimer();
    Timer1_->setEnabled(false);
    Timer1_->setInterval(kIntervalloTimer);
    tmr_Timer_ = platform_.NewTimer();
    tmr_Timer_->setInterval(kIntervalloTimer);
    CaricaRisorse();
    CollegaSuperficie();

    NumBitmapVerticali_ = std::uint8_t(clp_Toolbar_->Rows());
    NumBitmapOrizzontali_ = std::uint8_t(clp_Toolbar_->Cols());
    toolbar_ = std::make_shared<ClasseToolbar>(platform_);
    tooltip_ = std::make_unique<frm_NomeDeiPulsanti>(platform_);
    CostruisciPulsanti();
    CollegaTastiera();
    PosizionaSlider();
    CreaListe();
    setMassimoRecordListaVisibili(14);
    tmr_Timer_->setEnabled(true);
}

// Wires the events of the control's windows and timers to their handlers. Handlers reach the
// control through a weak reference, so a window that outlives the control calls nothing.
void Quindel::CollegaSuperficie() {
    std::weak_ptr<Quindel> weak = weak_from_this();
    auto with = [weak](auto f) {
        return [weak, f](auto&&... args) {
            if (auto self = weak.lock()) f(*self, args...);
        };
    };
    userControl_->OnShow = with([](Quindel& q) { q.UserControl_Show(); });
    userControl_->OnResize = with([](Quindel& q) { q.UserControl_Resize(); });
    userControl_->OnMouseMove = with([](Quindel& q, const platform::MouseArgs& a) {
        q.UserControl_MouseMove(a.Button, a.Shift, a.X, a.Y);
    });
    Cmd_GestioneMenu_->OnClick = with([](Quindel& q) { q.Cmd_GestioneMenu_Click(); });
    tmr_Timer_->OnTimer = with([](Quindel& q) {
        q.display_->tmr_Timer();
        q.SpostaFormCollegate();
    });
    Timer1_->OnTimer = with([](Quindel& q) { q.display_->Timer1(); });
    // The slider only shows progress: it hands the focus back to the toolbar.
    Sld_SliderAvanzamento_->OnGotFocus =
        with([](Quindel& q) { ImpostaFuocoSicuro(q.pic_ToolbarMain_.get()); });
    pic_ToolbarMain_->OnMouseDown =
        with([](Quindel& q, const platform::MouseArgs& a) { q.pic_ToolbarMain_MouseDown(a); });
    pic_ToolbarMain_->OnMouseMove =
        with([](Quindel& q, const platform::MouseArgs& a) { q.pic_ToolbarMain_MouseMove(a); });
    pic_ToolbarMain_->OnMouseUp =
        with([](Quindel& q, const platform::MouseArgs& a) { q.pic_ToolbarMain_MouseUp(a); });
    pic_ToolbarMain_->OnResize = with([](Quindel& q) { q.pic_ToolbarMain_Resize(); });
    // The slider lies on the strip: the strip follows the pointer over it too, for its tooltip.
    Sld_SliderAvanzamento_->OnMouseMove = with([](Quindel& q, const platform::MouseArgs& a) {
        platform::MouseArgs sulla = a;
        sulla.X += float(q.Sld_SliderAvanzamento_->Left());
        sulla.Y += float(q.Sld_SliderAvanzamento_->Top());
        q.pic_ToolbarMain_MouseMove(sulla);
    });
}

// The slider hands the keyboard to the strip as soon as it would get it; as a tab stop it would
// hand it back to the strip it follows, and Tab could never leave the panel. A press on it hands
// the keyboard over as its taking the focus did.
void Quindel::CollegaTastiera() {
    std::weak_ptr<Quindel> weak = weak_from_this();
    Tb().Tastiera().setScorciatoie(ScorciatoiePannello(
        [weak] {
            const auto q = weak.lock();
            return q && q->display_->Zoom.ZoomAttivo != 0;
        },
        [weak](std::int16_t i) {
            // After Termina the buttons are gone: no window is open then.
            const auto q = weak.lock();
            const ClassePulsante* b = q && q->toolbar_ ? q->toolbar_->CercaPulsante(i) : nullptr;
            return b && b->value();
        }));
    Sld_SliderAvanzamento_->setTabStop(false);
    Sld_SliderAvanzamento_->setAccessibleName(LeggiMessaggio(platform_.files(), 693));
    Sld_SliderAvanzamento_->OnMouseDown = [weak](const platform::MouseArgs&) {
        if (const auto q = weak.lock()) ImpostaFuocoSicuro(q->pic_ToolbarMain_.get());
    };
}

void Quindel::CreaListe() {
    for (std::size_t i = 0; i < 2; ++i) {
        finestreLista_[i] = std::make_shared<frm_Lista>(platform_);
        liste_[i] = std::make_shared<ClasseTLista>();
        liste_[i]->setObjTList(finestreLista_[i]->TList1());
        liste_[i]->setPilondaPadre(this);
        liste_[i]->setTipoLista(std::uint8_t(i));
    }
}

void Quindel::PosizionaSlider() {
    ClassePulsante& b8 = toolbar_->Button(8);
    Sld_SliderAvanzamento_->Move(b8.X() + b8.Width(), b8.Y(), Sld_SliderAvanzamento_->Width(),
                                 Sld_SliderAvanzamento_->Height());
}

platform::Image Quindel::PuntatoreDirezione(int zona) const {
    return Mouse_->GraphicCell(std::clamp(zona, 0, Mouse_->Cols() - 1));
}

void Quindel::UserControl_Show() {
    if (toolbar_) toolbar_->ShowAllButtons();
}

void Quindel::UserControl_Resize() {
    IgnoraErrori(
        [&] { pic_ToolbarMain_->Move(60, 0, userControl_->Width(), pic_ToolbarMain_->Height()); });
}

void Quindel::UserControl_MouseMove(std::int16_t, std::int16_t, float, float) {
    display_->Zoom.MouseFuoriImmagine = true;
}

void Quindel::ChiudiTutteLeformAperte(const Variant& UsaIPulsantiDelPilonda) {
    const auto self = shared_from_this();
    if (!UsaIPulsantiDelPilonda.isMissing()) {
        for (std::int16_t i : {9, 3, 8}) {
            if (!Tb().ButtonDown(i)) continue;
            RaisePulsantePremuto(i, -1);
            Tb().setButtonDown(i, false);
            EseguiComando(i);
        }
    } else {
        if (Tb().ButtonDown(3)) finestreLista_[0]->Unload();
        if (Tb().ButtonDown(9)) finestreLista_[1]->Unload();
        if (Tb().ButtonDown(8)) ScaricaVolume();
    }
    if (tooltip_->Caricato()) tooltip_->frm().Hide();
}

void Quindel::Termina() {
    tmr_Timer_->setEnabled(false);
    for (auto& l : liste_)
        if (l) l->setPilondaPadre(nullptr);
    if (tooltip_) tooltip_->Unload();
    ScaricaVolume();
    ChiudiDialoghi();
    if (toolbar_) toolbar_->Destroy();
    toolbar_.reset();
    // The sinks may hold the host, and the host the control: nothing is raised after this.
    eventi_.UnadviseAll();
}

Quindel::~Quindel() {
    if (tmr_Timer_) tmr_Timer_->setEnabled(false);
    FilePerCopia_.clear();
    FrmParent_ = nullptr;
    display_->Rilascia();
    NomeFileListaLemmiCollegati_.clear();
    for (auto& f : {finestreLista_[1], finestreLista_[0]})
        if (f) f->Unload();
    for (auto& l : {liste_[1], liste_[0]})
        if (l) l->Destroy();
    if (tooltip_) tooltip_->Unload();
    toolbar_.reset();
    NomeFileListaMM_.clear();
    if (userControl_ && userControl_->Alive()) userControl_->Remove();
}

ClasseToolbar& Quindel::Tb() const {
    // After Termina, or once the host's form is gone with the panel on it, the panel has no
    // buttons: button and command operations fail.
    if (!toolbar_ || !userControl_->Alive()) Raise(91);
    return *toolbar_;
}

}  // namespace quindel
