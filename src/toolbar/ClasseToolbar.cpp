#include "toolbar/ClasseToolbar.h"

#include <cmath>

#include "platform/CommandButton.h"
#include "platform/Form.h"
#include "platform/Label.h"
#include "platform/PictureBox.h"
#include "platform/PictureStrip.h"
#include "platform/Platform.h"
#include "platform/Wait.h"
#include "runtime/Coercions.h"
#include "runtime/ErrorHandling.h"
#include "support/Gestore.h"
#include "toolbar/Graphics.h"
#include "toolbar/frm_NomeDeiPulsanti.h"

namespace quindel {

namespace {

constexpr std::int16_t kSpaziatura = 120;
constexpr std::int16_t kAltezzaInPixel = 32;
constexpr std::uint32_t kRitardoSuggerimentoMs = 500;
constexpr int kDistanzaSuggerimentoPx = 18;

std::string Chiave(std::int16_t Index) {
    return std::to_string(Index);
}

// Options arrive as whatever the host passed; their text is what counts.
std::int16_t Numero16(const Variant& v) {
    return CInt(Variant(Val(CStr(v))));
}

bool Giu(const ClassePulsante& b) {
    return (b.Status() & StatoGiu) != 0;
}

void ImpostaBit(ClassePulsante& b, std::int16_t bit, bool acceso) {
    b.setStatus(std::int16_t(acceso ? b.Status() | bit : b.Status() & ~bit));
}

void InvertiBit(ClassePulsante& b, std::int16_t bit) {
    b.setStatus(std::int16_t(b.Status() ^ bit));
}

}  // namespace

ClasseToolbar::ClasseToolbar(platform::Platform& p)
    : platform_(p), tastiera_(std::make_shared<TastieraToolbar>(*this)) {}

ClasseToolbar::~ClasseToolbar() {
    Destroy();
    PictureBox_.reset();
    FormToolTip_ = nullptr;
    PicPerHelp_.reset();
    PicClip_.reset();
    PicSfondo_.reset();
}

// ---- Setup and the button set ----

void ClasseToolbar::InitToolbar(std::shared_ptr<platform::PictureBox> PictureBox,
                                frm_NomeDeiPulsanti* FormToolTip,
                                std::shared_ptr<platform::PictureBox> PicPerHelp,
                                std::shared_ptr<platform::PictureStrip> PicClip,
                                std::shared_ptr<platform::PictureBox> PicSfondo,
                                const Variant& Altezza, const Variant& TipoBitmap,
                                const Variant& Margine, const Variant& Cornice,
                                const Variant& Separatori) {
    Gestore h(platform_, "InitToolbar");
    h([&] {
        Spaziatura_ = kSpaziatura;
        if (!Altezza.isMissing()) AltezzaToolbar_ = Numero16(Altezza);
        TipoBitmapToolbar_ = TipoBitmap.isMissing() ? std::int16_t(0) : Numero16(TipoBitmap);
        MargineSinistro_ = Margine.isMissing() ? Spaziatura_ : Numero16(Margine);
        DisegnaCornice_ = Cornice.isMissing() || CBool(Cornice);
        SeparaGruppi_ = Separatori.isMissing() || CBool(Separatori);
    });
    h([&] { setPictureBox(PictureBox); });
    h([&] { setPicSfondo(PicSfondo); });
    h([&] {
        platform::PictureBox& help = Riferimento(PicPerHelp);
        help.setVisible(false);
        help.setBorderStyle(0);
        PicPerHelp_ = PicPerHelp;
    });
    h([&] {
        PicClip_ = PicClip;
        FormToolTip_ = FormToolTip;
        if (FormToolTip_) FormToolTip_->Load();
    });
}

void ClasseToolbar::setPictureBox(std::shared_ptr<platform::PictureBox> p) {
    platform::PictureBox& box = Riferimento(p);
    box.setAutoRedraw(true);
    if (AltezzaToolbar_ == 0)
        AltezzaToolbar_ = Intero16(kAltezzaInPixel * platform_.screen().TwipsPerPixelY());
    box.setHeight(AltezzaToolbar_);
    box.setBorderStyle(0);
    tastiera_->Collega(box);
    box.setAccessibleChildren(tastiera_);
    PictureBox_ = std::move(p);
    Paint();
}

bool ClasseToolbar::Visible() const {
    return Riferimento(PictureBox_).Visible();
}

void ClasseToolbar::setVisible(bool v) {
    Riferimento(PictureBox_).setVisible(v);
}

// Every button is one strip cell big, centred in the height of the surface.
void ClasseToolbar::FissaGeometria() {
    const auto& screen = platform_.screen();
    const platform::PictureStrip& clip = Riferimento(PicClip_);
    LarghezzaPulsante_ = CInt(Variant(double(screen.TwipsPerPixelX()) * clip.CellWidth()));
    AltezzaPulsante_ = CInt(Variant(double(screen.TwipsPerPixelY()) * clip.CellHeight()));
    TopPulsanti_ = Intero16(std::int64_t(
        std::floor((Riferimento(PictureBox_).ScaleHeight() - AltezzaPulsante_) / 2.0)));
}

void ClasseToolbar::AddButton(std::int16_t Group, bool AllowPullUp, const std::string& Tip,
                              std::int16_t IndexPictureUp, std::int16_t IndexPictureDown,
                              std::int16_t IndexPicturePushed, std::int16_t IndexPictureDisabled,
                              std::int16_t IndexPictureEnlightedUp,
                              std::int16_t IndexPictureEnlightedDown, std::int16_t CodHelpW95,
                              std::shared_ptr<platform::CommandButton> ControlloAssociato,
                              const Variant& MenuCode, const Variant& PullUpGroupWhenPulledDown,
                              const Variant& OffSetX) {
    Gestore h(platform_, "AddButton");
    if (MaxButton_ == 0) h([&] { FissaGeometria(); });
    std::shared_ptr<ClassePulsante> b;
    h([&] {
        b = std::make_shared<ClassePulsante>(platform_);
        b->setTipoBitmapToolbar(TipoBitmapToolbar_);
        b->setWidth(LarghezzaPulsante_);
        b->setheight(AltezzaPulsante_);
        b->setY(TopPulsanti_);
        b->setPicSfondo(PicSfondo_);
        b->setOffSetX(OffSetX.isMissing() ? std::int16_t(0) : Numero16(OffSetX));
        b->setPullUpGroupWhenPulledDown(PullUpGroupWhenPulledDown.isMissing() ||
                                        CBool(PullUpGroupWhenPulledDown));
        b->setGroup(Group);
        b->setStatus(StatoAbilitato | StatoVisibile);
        b->setAllowPullUp(AllowPullUp);
        b->setTip(Tip);
        b->setIndexPictureUp(IndexPictureUp);
        b->setIndexPictureDown(IndexPictureDown);
        b->setIndexPicturePushed(IndexPicturePushed);
        b->setIndexPictureDisabled(IndexPictureDisabled);
        b->setIndexPictureEnlightedUp(IndexPictureEnlightedUp);
        b->setIndexPictureEnlightedDown(IndexPictureEnlightedDown);
        b->setControlloAssociato(ControlloAssociato);
        b->setToolBarParent(weak_from_this());
    });
    h([&] {
        MaxButton_ = Intero16(MaxButton_ + 1);
        b->setIndex(MaxButton_);
    });
    h([&] {
        const bool nessuno = MenuCode.isNull() || MenuCode.isMissing();
        b->setMenuCode(nessuno ? -1 : CLng(Variant(Val(CStr(MenuCode)))));
    });
    h([&] {
        b->setPictureToolbar(PictureBox_);
        b->setPicClip(PicClip_);
        b->setCodHelpW95(CodHelpW95);
    });
    h([&] { Pulsanti_.Add(b, Chiave(b->Index())); });
}

void ClasseToolbar::RemoveButton(std::int16_t Index) {
    Gestore h(platform_, "RemoveButton");
    h([&] { Pulsanti_.Remove(std::int32_t(Index)); });
}

void ClasseToolbar::Destroy() {
    Gestore h(platform_, "Destroy");
    h([&] {
        while (Pulsanti_.Count() > 0) Pulsanti_.Remove(1);
    });
}

ClassePulsante& ClasseToolbar::Button(std::int16_t Index) const {
    return *Pulsanti_.Item(Chiave(Index));
}

ClassePulsante* ClasseToolbar::CercaPulsante(std::int16_t Index) const {
    const std::string chiave = Chiave(Index);
    return Pulsanti_.Exists(chiave) ? Pulsanti_.Item(chiave).get() : nullptr;
}

// ---- Button states ----

bool ClasseToolbar::ButtonDown(std::int16_t Index) const {
    return Giu(Button(Index));
}

void ClasseToolbar::setButtonDown(std::int16_t Index, bool V) {
    ClassePulsante& b = Button(Index);
    if (V == Giu(b)) return;
    InvertiBit(b, StatoGiu);
    ShowSingleButton(b);
    if (!V) return;
    for (int i = 1; i <= MaxButton_; ++i) {
        const ClassePulsante* altro = CercaPulsante(std::int16_t(i));
        if (i != Index && altro && altro->Group() == b.Group() && Giu(*altro))
            setButtonDown(std::int16_t(i), false);
    }
}

bool ClasseToolbar::ButtonEnabled(std::int16_t Index) const {
    return (Button(Index).Status() & StatoAbilitato) != 0;
}

void ClasseToolbar::setButtonEnabled(std::int16_t Index, bool V) {
    ClassePulsante& b = Button(Index);
    if (V == ((b.Status() & StatoAbilitato) != 0)) return;
    InvertiBit(b, StatoAbilitato);
    ShowSingleButton(b);
}

bool ClasseToolbar::ButtonVisible(std::int16_t Index) const {
    return (Button(Index).Status() & StatoVisibile) != 0;
}

// Showing or hiding one button moves the ones after it: the strip is laid out afresh.
void ClasseToolbar::setButtonVisible(std::int16_t Index, bool V) {
    ClassePulsante& b = Button(Index);
    if (V == ((b.Status() & StatoVisibile) != 0)) return;
    InvertiBit(b, StatoVisibile);
    Riferimento(PictureBox_).Cls();
    ShowAllButtons();
}

bool ClasseToolbar::OldButtonDown(std::int16_t Index) const {
    return (Button(Index).OldStatus() & StatoGiu) != 0;
}

void ClasseToolbar::setOldButtonDown(std::int16_t Index, bool V) {
    ClassePulsante& b = Button(Index);
    if (V != ((b.OldStatus() & StatoGiu) != 0))
        b.setOldStatus(std::int16_t(b.OldStatus() ^ StatoGiu));
}

// ---- Drawing ----

void ClasseToolbar::Paint() {
    Gestore h(platform_, "Paint");
    if (!PictureBox_) return;
    if (DisegnaCornice_) h([&] { DisegnaCorniceEsterna(); });
    h([&] { ShowAllButtons(); });
}

void ClasseToolbar::DisegnaCorniceEsterna() {
    platform::PictureBox& s = *PictureBox_;
    const int px = platform_.screen().TwipsPerPixelX(), py = platform_.screen().TwipsPerPixelY();
    DisegnaLineaIncisa(s, 3 * px, 0, s.Width() - 3 * px, 0);
    DisegnaLineaIncisa(s, 3 * px, s.Height() - 2 * py, s.Width() - 3 * px, s.Height() - 2 * py);
}

void ClasseToolbar::ShowAllButtons() {
    Gestore h(platform_, "ShowAllButtons");
    h([&] { DisponiPulsanti(); });
}

// Hidden buttons take no room; a new group starts after a gap with a groove in its middle.
void ClasseToolbar::DisponiPulsanti() {
    std::int16_t x = Intero16(MargineSinistro_ - Spaziatura_);
    std::int16_t gruppoPrecedente = -1;
    bool primo = true;
    for (int i = 1; i <= MaxButton_; ++i) {
        ClassePulsante* b = CercaPulsante(std::int16_t(i));
        if (!b || (b->Status() & StatoVisibile) == 0) continue;
        x = Intero16(x + b->OffSetX());
        if (!primo)
            x = Intero16(x + LarghezzaPulsante_);
        else
            primo = false;
        if (SeparaGruppi_ && b->Group() != gruppoPrecedente) {
            if (gruppoPrecedente != -1) DisegnaSeparatore(x);
            x = Intero16(x + Spaziatura_);
            gruppoPrecedente = b->Group();
        }
        b->setX(x);
        ShowSingleButton(*b);
    }
    tastiera_->DopoDisposizione();
}

void ClasseToolbar::DisegnaSeparatore(std::int16_t X) {
    platform::PictureBox& s = Riferimento(PictureBox_);
    const int py = platform_.screen().TwipsPerPixelY();
    const std::int16_t x = Intero16(X + Spaziatura_ / 2 - platform_.screen().TwipsPerPixelX());
    DisegnaLineaIncisa(s, x, 5 * py, x, s.Height() - 5 * py);
}

void ClasseToolbar::ShowSingleButton(ClassePulsante& button) {
    Gestore h(platform_, "ShowSingleButton");
    h([&] { button.Show(); });
}

// ---- Mouse ----

std::int16_t ClasseToolbar::PulsanteInXY(float X, float Y) const {
    Gestore h(platform_, "PulsanteInXY");
    std::int16_t trovato = 0;
    h([&] {
        if (Y <= TopPulsanti_ || Y >= TopPulsanti_ + AltezzaPulsante_) return;
        for (int i = 1; i <= MaxButton_; ++i) {
            const ClassePulsante* b = CercaPulsante(std::int16_t(i));
            if (!b) return;
            const bool dentro = b->X() <= X && X <= b->X() + LarghezzaPulsante_;
            if (dentro && (b->Status() & StatoVisibile) != 0) {
                trovato = std::int16_t(i);
                return;
            }
        }
    });
    return trovato;
}

void ClasseToolbar::MouseDown(std::int16_t Tasto, std::int16_t Shift, float X, float Y) {
    const auto vivo = weak_from_this().lock();  // a command may release the toolbar
    Gestore h(platform_, "MouseDown");
    h([&] {
        if ((Tasto & 1) != 0 && Shift == 0) {
            AttesaToolTip_ = false;
            Premi(PulsanteInXY(X, Y));
        } else if (PulsanteAbbassato_ > 0) {
            // Another button pressed while the left one holds a toolbar button: a release.
            MouseUp(1, Shift, X, Y);
            PulsanteAbbassato_ = 0;
        }
    });
}

void ClasseToolbar::Premi(std::int16_t i) {
    if (i <= 0) return;
    ClassePulsante& b = Button(i);
    if ((b.Status() & StatoAbilitato) == 0 || (Giu(b) && !b.AllowPullUp())) return;
    StatusAllaPressione_ = b.Status();
    PulsanteAbbassato_ = i;
    PulsanteOrigine_ = i;
    InvertiBit(b, StatoGiu);
    ShowSingleButton(b);
}

void ClasseToolbar::MouseMove(std::int16_t Tasto, std::int16_t /*Shift*/, float X, float Y) {
    const auto vivo = weak_from_this().lock();  // the hover wait runs other events
    Gestore h(platform_, "MouseMove");
    std::int16_t i = 0;
    bool attendi = false;
    h([&] { i = PulsanteInXY(X, Y); });
    h([&] { attendi = AggiornaStati(Tasto, i); });
    if (attendi) h([&] { AttendiSulPulsante(); });
}

// Slide off, unlight, slide back on, light: returns whether a button was just lit.
bool ClasseToolbar::AggiornaStati(std::int16_t Tasto, std::int16_t i) {
    if (PulsanteAbbassato_ > 0 && i != PulsanteAbbassato_) {
        ClassePulsante& b = Button(PulsanteAbbassato_);
        InvertiBit(b, StatoGiu);
        PulsanteAbbassato_ = 0;
        ShowSingleButton(b);
    }
    if (PulsanteIlluminato_ > 0 && i != PulsanteIlluminato_) {
        ClassePulsante& b = Button(PulsanteIlluminato_);
        ImpostaBit(b, StatoIlluminato, false);
        ShowSingleButton(b);
        PulsanteIlluminato_ = -1;
    }
    if (i < 1) {
        NascondiToolTip();
        return false;
    }
    if ((Tasto & 1) != 0) {
        if (i == PulsanteOrigine_ && PulsanteAbbassato_ == 0) {
            ClassePulsante& b = Button(i);
            InvertiBit(b, StatoGiu);
            PulsanteAbbassato_ = i;
            ShowSingleButton(b);
        }
        return false;
    }
    if (i == PulsanteIlluminato_ || AttesaToolTip_) return false;
    PulsanteIlluminato_ = i;
    ClassePulsante& b = Button(i);
    ImpostaBit(b, StatoIlluminato, true);
    ShowSingleButton(b);
    MostraSuggerimento(b);
    return true;
}

// Keeps events flowing while the pointer rests on the lit button, and brings the tip back if
// something hid it; ends as soon as the pointer is elsewhere or a press cancels the wait.
// The pointer leaves and the tip hides only through events, so the wait looks only after
// something was delivered, and once more when the delay has passed: resting on a button costs
// no more than resting anywhere else.
void ClasseToolbar::AttendiSulPulsante() {
    AttesaToolTip_ = true;
    const std::uint32_t t0 = platform_.GetTickCount();
    const std::int64_t ritardoScaduto = platform_.NowMs() + kRitardoSuggerimentoMs + 1;
    platform::WaitForEvents(
        platform_, shared_from_this(), [this] { return SuperficieAttiva() && AttesaToolTip_; },
        [&] {
            if (PulsanteSottoIlCursore() != PulsanteIlluminato_) {
                AttesaToolTip_ = false;
                // Straight off the strip onto another window, the surface gets no move that
                // would unlight the button and hide the tip: do here what that move would.
                if (!CursoreSullaSuperficie()) AggiornaStati(0, 0);
                return true;
            }
            if (platform_.GetTickCount() - t0 > kRitardoSuggerimentoMs && !ToolTipVisibile())
                MostraSuggerimento(Button(PulsanteIlluminato_));
            return false;
        },
        [&] { return ritardoScaduto; });
}

bool ClasseToolbar::SuperficieAttiva() const {
    return PictureBox_ && PictureBox_->Alive() && PictureBox_->Enabled();
}

bool ClasseToolbar::CursoreSullaSuperficie() const {
    return PictureBox_->ScreenRectPx().contains(platform_.api().GetCursorPos());
}

std::int16_t ClasseToolbar::PulsanteSottoIlCursore() {
    platform::PointPx p = platform_.api().GetCursorPos();
    platform_.api().ScreenToClient(PictureBox_->hWnd(), p);
    const auto& screen = platform_.screen();
    return PulsanteInXY(float(p.x * screen.TwipsPerPixelX()), float(p.y * screen.TwipsPerPixelY()));
}

void ClasseToolbar::MouseUp(std::int16_t Tasto, std::int16_t /*Shift*/, float X, float Y) {
    const auto vivo = weak_from_this().lock();  // the command may release the toolbar
    Gestore h(platform_, "MouseUp");
    h([&] {
        if ((Tasto & 1) != 0 && PulsanteAbbassato_ >= 1) Rilascia(X, Y);
    });
}

void ClasseToolbar::Rilascia(float X, float Y) {
    AttesaToolTip_ = false;
    const std::int16_t i = PulsanteInXY(X, Y);
    // Held by value: the command may remove the button from the set.
    const std::shared_ptr<ClassePulsante> B = Pulsanti_.Item(Chiave(PulsanteAbbassato_));
    bool invia = false;
    if (i != PulsanteAbbassato_) {
        InvertiBit(*B, StatoGiu);
    } else if (Giu(*B) != ((StatusAllaPressione_ & StatoGiu) != 0)) {
        AlzaIlGruppo(*B, i);
        invia = (Giu(*B) || B->AllowPullUp()) && B->ControlloAssociato();
    }
    PulsanteAbbassato_ = 0;
    PulsanteOrigine_ = 0;
    ShowSingleButton(*B);
    if (invia) InviaComando(*B);
}

// Only the first button of the group found down comes up: at most one can be.
void ClasseToolbar::AlzaIlGruppo(const ClassePulsante& B, std::int16_t i) {
    for (int j = 1; j <= MaxButton_; ++j) {
        ClassePulsante* altro = CercaPulsante(std::int16_t(j));
        if (j == i || !altro) continue;
        if (altro->Group() == B.Group() && altro->PullUpGroupWhenPulledDown() && Giu(*altro)) {
            ImpostaBit(*altro, StatoGiu, false);
            ShowSingleButton(*altro);
            return;
        }
    }
}

// The associated button carries the command: a menu code as its negative, else the index.
void ClasseToolbar::InviaComando(const ClassePulsante& B) {
    const std::int32_t T = B.MenuCode() >= 0 ? -B.MenuCode() : B.Index();
    const std::shared_ptr<platform::CommandButton> controllo = B.ControlloAssociato();
    IgnoraErrori([&] { controllo->setTag(std::to_string(T)); });
    IgnoraErrori([&] { controllo->setValue(true); });
}

void ClasseToolbar::GetMousePosition(std::int16_t& X, std::int16_t& Y) {
    Gestore h(platform_, "GetMousePosition");
    h([&] {
        const platform::PointPx p = platform_.api().GetCursorPos();
        X = Intero16(p.x);
        Y = Intero16(p.y);
    });
}

// ---- The tooltip ----

void ClasseToolbar::MostraSuggerimento(const ClassePulsante& b) {
    if (b.ToolTipEnabled()) {
        ShowToolTip(tastiera_->Suggerimento(b));
    } else if (FormToolTip_) {
        platform::Form& f = FormToolTip_->frm();
        f.setLeft(-f.Width());  // off the screen, still "shown"
    }
}

void ClasseToolbar::NascondiToolTip() {
    if (FormToolTip_) FormToolTip_->frm().Hide();
}

bool ClasseToolbar::ToolTipVisibile() const {
    return FormToolTip_ && FormToolTip_->frm().Visible();
}

// Below the cursor, centred on it; above when it would leave the bottom of the screen, pulled
// in at the sides.
void ClasseToolbar::ShowToolTip(const std::string& Text) {
    if (!FormToolTip_) return;
    // A button without a name (no catalogue text) gets no tip rather than an empty square.
    if (Text.find_first_not_of(" ") == std::string::npos) return NascondiToolTip();
    platform::Form& f = FormToolTip_->frm();
    IgnoraErrori([&] { FormToolTip_->lbl_HelpButton().setCaption(" " + Text + " "); });
    std::int16_t x = 0, y = 0;
    GetMousePosition(x, y);
    const auto& s = platform_.screen();
    const int px = s.TwipsPerPixelX(), py = s.TwipsPerPixelY();
    std::int32_t top = (y + kDistanzaSuggerimentoPx) * py;
    if (top + f.Height() > s.HeightTwips()) top = (y - kDistanzaSuggerimentoPx) * py;
    std::int32_t left = (x + 2) * px - f.Width() / 2;
    if (left < 0)
        left = px;
    else if (left + f.Width() > s.WidthTwips())
        left = s.WidthTwips() - f.Width() - px;
    IgnoraErrori([&] { f.Move(left, top, f.Width(), f.Height()); });
    IgnoraErrori([&] { f.setEnabled(false); });
    IgnoraErrori([&] { f.ZOrder(); });
    IgnoraErrori([&] { platform_.api().ShowWindow(f.hWnd(), platform::showcmd::ShowNoActivate); });
    IgnoraErrori([&] { f.setEnabled(true); });
}

}  // namespace quindel
