#include "display/ZoomImmagine.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <utility>

#include "contract/Picture.h"
#include "display/Passi.h"
#include "display/ProprietarioVisualizzazione.h"
#include "display/StatoPulsanti.h"
#include "display/Visualizzatore.h"
#include "platform/PictureObject.h"
#include "platform/Platform.h"
#include "platform/Timer.h"
#include "platform/Wait.h"
#include "platform/Window.h"
#include "runtime/Coercions.h"
#include "runtime/ErrorHandling.h"
#include "runtime/ScopeGuard.h"
#include "support/Catalogo.h"
#include "support/Gestore.h"

namespace quindel {

namespace {

namespace picture = contract::picture;
namespace window = contract::window;

constexpr float kMargineOrizzontale = 4000;  // twips
constexpr float kMargineVerticale = 3000;
constexpr std::int16_t kPulsanteZoom = 16;
constexpr std::int16_t kColonnaZoomIn = 16, kColonnaZoomOut = 17;
constexpr std::int32_t kMessaggioZoomIn = 697, kMessaggioZoomOut = 698;
// One pan step per interval on the platform clock: the speed is set by the step sizes alone, not
// by how fast the machine turns the message loop, so a person can stop where they want.
constexpr std::int32_t kIntervalloPasso = 40;  // ms, 25 steps a second

// Each statement on its own: a failure skips that statement only.
void Prova(const Object& o, const contract::Member& membro, Variant v) {
    IgnoraErrori([&] { contract::Let(o, membro, std::move(v)); });
}

Object Genitore(const Object& img) {
    return ComeOggetto(contract::Get(img, window::Parent));
}

// The picture in twips is wider or taller than the client area of its form.
bool PiuGrandeDelForm(const Object& img, const platform::Screen& s) {
    const Object form = Genitore(img);
    return Numero(img, picture::IWidth) * s.TwipsPerPixelX() > Numero(form, window::ScaleWidth) ||
           Numero(img, picture::IHeight) * s.TwipsPerPixelY() > Numero(form, window::ScaleHeight);
}

// Moves one crop offset by passo within [0, massimo]; true when it hit a bound.
bool Sposta(const Object& img, const contract::Member& crop, double passo, std::int16_t massimo) {
    const double v = Numero(img, crop) + passo;
    const double limitato = std::clamp(v, 0.0, double(std::max<std::int16_t>(massimo, 0)));
    contract::Let(img, crop, Variant(CInt(Variant(limitato))));
    return limitato != v;
}

}  // namespace

ZoomImmagine::Zona ZoomImmagine::CalcolaZona(float X, float Y, float larghezza, float altezza,
                                             int direzioni) {
    Zona z;
    const bool alto = Y <= kMargineVerticale, basso = Y > altezza - kMargineVerticale;
    if (X <= kMargineOrizzontale) {
        z.profondita = kMargineOrizzontale - X;
        z.zona = alto ? 5 : basso ? 6 : 4;
    } else if (X > larghezza - kMargineOrizzontale) {
        z.profondita = X - (larghezza - kMargineOrizzontale);
        z.zona = alto ? 7 : basso ? 8 : 2;
    } else if (alto) {
        z = {1, kMargineVerticale - Y};
    } else if (basso) {
        z = {3, Y - (altezza - kMargineVerticale)};
    }
    // Corners collapse where a direction is closed, each rule applied to the one before.
    auto chiusa = [&](int d) { return (direzioni & d) == 0; };
    if (chiusa(kGiu)) z.zona = z.zona == 6 ? 4 : z.zona == 8 ? 2 : z.zona;
    if (chiusa(kSinistra)) z.zona = z.zona == 5 ? 1 : z.zona == 6 ? 3 : z.zona;
    if (chiusa(kSu)) z.zona = z.zona == 5 ? 4 : z.zona == 7 ? 2 : z.zona;
    if (chiusa(kDestra)) z.zona = z.zona == 8 ? 3 : z.zona == 7 ? 1 : z.zona;
    return z;
}

ZoomImmagine::ZoomImmagine(ProprietarioVisualizzazione& owner, StatoPulsanti& pulsanti,
                           StatoZoom& stato)
    : owner_(owner), pulsanti_(pulsanti), s_(stato) {}

void ZoomImmagine::AdattaAlloSchermo(const Object& img, double larghezzaSchermo,
                                     double altezzaSchermo, double tppX, double tppY) {
    const double W = std::round(Numero(img, picture::IWidth) * tppX);
    const double H = std::round(Numero(img, picture::IHeight) * tppY);
    double w = W, h = H;
    if (H > altezzaSchermo) {
        h = altezzaSchermo;
        w = h / H * W;
    }
    if (w > larghezzaSchermo) {
        w = larghezzaSchermo;
        h = w / W * H;
    }
    contract::Let(img, window::Height, Variant(CLng(Variant(h))));
    contract::Let(img, window::Width, Variant(CLng(Variant(w))));
}

std::int16_t ZoomImmagine::ApplicaZoom(const Object& img, std::int16_t livello) {
    const platform::Screen& s = owner_.Piattaforma().screen();
    std::int16_t risultato = livello;
    Prova(img, window::Visible, false);
    Prova(img, picture::CropX, std::int16_t(0));
    Prova(img, picture::CropY, std::int16_t(0));
    if (livello == 0) {
        s_.MouseFuoriImmagine = true;
        s_.ZoomAttivo = 0;
        const struct {
            const contract::Member& membro;
            std::int16_t valore;
        } adattata[] = {{picture::AutoSize, picture::kStretched},
                        {window::MousePointer, platform::pointer::Default},
                        {picture::CropX, 0},
                        {picture::CropY, 0}};
        for (const auto& a : adattata) Prova(img, a.membro, a.valore);
        IgnoraErrori([&] {
            AdattaAlloSchermo(img, s.WidthTwips(), s.HeightTwips(), s.TwipsPerPixelX(),
                              s.TwipsPerPixelY());
        });
        Prova(img, picture::AutoSize, picture::kStretched);
        IgnoraErrori([&] {
            contract::Call(img, window::Move,
                           Variant((s.WidthTwips() - Numero(img, window::Width)) / 2),
                           Variant((s.HeightTwips() - Numero(img, window::Height)) / 2));
        });
        risultato = 0;
    } else if (livello == 1) {
        risultato = DimensioneReale(img);
    }
    Prova(img, window::Visible, true);
    return risultato;
}

// Actual size: the control takes the picture's size, within its form; 2 when there is something
// to pan, else 0.
std::int16_t ZoomImmagine::DimensioneReale(const Object& img) {
    const platform::Screen& s = owner_.Piattaforma().screen();
    s_.MouseFuoriImmagine = false;
    s_.ZoomAttivo = 0;
    Prova(img, picture::AutoSize, picture::kActualSize);
    std::int16_t risultato = 0;
    IgnoraErrori([&] {
        const Object form = Genitore(img);
        auto asse = [&](const contract::Member& lato, const contract::Member& scala, double tpp,
                        std::int16_t& massimo) {
            const double immagine = Numero(img, lato) * tpp, spazio = Numero(form, scala);
            massimo = spazio > immagine ? 0 : CInt(Variant(Numero(img, lato) - spazio / tpp));
            return std::min(spazio, immagine);
        };
        ScrollMaxX_ = ScrollMaxY_ = 0;
        const double W = asse(picture::IWidth, window::ScaleWidth, s.TwipsPerPixelX(), ScrollMaxX_);
        const double H =
            asse(picture::IHeight, window::ScaleHeight, s.TwipsPerPixelY(), ScrollMaxY_);
        if (ScrollMaxX_ < 1 && ScrollMaxY_ < 1) return;
        contract::Let(img, window::Height, Variant(H));
        contract::Let(img, window::Width, Variant(W));
        CentraOggettoInForm(img, form);
        contract::Let(img, picture::CropX, std::int16_t(0));
        contract::Let(img, picture::CropY, std::int16_t(0));
        risultato = 2;
    });
    return risultato;
}

void ZoomImmagine::CommutaZoom(const Object& img) {
    const bool adatta = s_.ZoomAttivo != 0;
    const platform::FileSystem& files = owner_.Piattaforma().files();
    s_.ZoomAttivo = ApplicaZoom(img, adatta ? 0 : 1);
    pulsanti_.CambiaPulsante(kPulsanteZoom,
                             LeggiMessaggio(files, adatta ? kMessaggioZoomIn : kMessaggioZoomOut),
                             adatta ? kColonnaZoomIn : kColonnaZoomOut);
}

void ZoomImmagine::ImpostaCursoreZoom(const Object& img) {
    const platform::Screen& s = owner_.Piattaforma().screen();
    if (PiuGrandeDelForm(img, s) && s_.ZoomAttivo == 0) {
        contract::Let(img, picture::MouseIcon, platform::MakePictureObject(owner_.IconaZoom()));
        contract::Let(img, window::MousePointer, platform::pointer::Custom);
    } else if (CInt(contract::Get(img, window::MousePointer)) == platform::pointer::Custom) {
        contract::Let(img, window::MousePointer, platform::pointer::Default);
    }
}

void ZoomImmagine::PreparaPulsanteZoom(const Object& img) {
    if (!PiuGrandeDelForm(img, owner_.Piattaforma().screen())) {
        pulsanti_.setIsPulsanteVisibile(kPulsanteZoom, false);
    } else {
        pulsanti_.CambiaPulsante(kPulsanteZoom,
                                 LeggiMessaggio(owner_.Piattaforma().files(), kMessaggioZoomIn),
                                 kColonnaZoomIn);
        pulsanti_.setIsPulsanteVisibile(kPulsanteZoom, true);
    }
    IgnoraErrori([&] { owner_.AggiornaDimensioneControllo(); });
}

void ZoomImmagine::MouseDown(const Object& img, std::int16_t Button) {
    if (Button == 1) CommutaZoom(img);
    ImpostaCursoreZoom(img);
    if (s_.ZoomAttivo != 0) s_.PanInCorso = true;
}

int ZoomImmagine::Direzioni(const Object& img) const {
    const double x = Numero(img, picture::CropX), y = Numero(img, picture::CropY);
    int d = 0;
    if (ScrollMaxY_ > 0) d |= (y > 0 ? kSu : 0) | (y < ScrollMaxY_ ? kGiu : 0);
    if (ScrollMaxX_ > 0) d |= (x > 0 ? kSinistra : 0) | (x < ScrollMaxX_ ? kDestra : 0);
    return d;
}

// Whether zone shows its arrow: only while the picture can still move that way and back.
bool ZoomImmagine::Freccia(const Object& img, int zona) const {
    const double x = Numero(img, picture::CropX), y = Numero(img, picture::CropY);
    const bool dentroX = ScrollMaxX_ > 0 && x > 0 && x < ScrollMaxX_;
    const bool dentroY = ScrollMaxY_ > 0 && y > 0 && y < ScrollMaxY_;
    if (zona == 1 || zona == 3) return dentroY;
    if (zona == 2 || zona == 4) return dentroX;
    if (zona >= 5 && zona <= 8) return ScrollMaxX_ > 0 && ScrollMaxY_ > 0 && (dentroX || dentroY);
    return false;
}

void ZoomImmagine::MostraPuntatore(const Object& img, int zona) {
    const platform::Image icona =
        Freccia(img, zona) ? owner_.PuntatoreDirezione(zona) : owner_.IconaZoomOut();
    contract::Let(img, picture::MouseIcon, platform::MakePictureObject(icona));
    contract::Let(img, window::MousePointer, platform::pointer::Custom);
}

void ZoomImmagine::MouseMove(const Object& img, float X, float Y) {
    owner_.SpegniToolTip();
    if (s_.ZoomAttivo <= 0) return;
    s_.MouseFuoriImmagine = false;
    if (X != UltimoX_ || Y != UltimoY_) s_.PanInCorso = false;
    UltimoX_ = X;
    UltimoY_ = Y;
    const auto zona = [&] {
        const Zona z = CalcolaZona(X, Y, float(Numero(img, window::Width)),
                                   float(Numero(img, window::Height)), Direzioni(img));
        ZonaPuntatore_ = z.zona;
        ProfonditaZona_ = z.profondita;
    };
    zona();
    MostraPuntatore(img, ZonaPuntatore_);
    s_.PanInCorso = true;
    if (!PanOccupato_) ScorriImmagine(img);
    if (s_.ZoomAttivo <= 0) return;
    zona();
    if (!Freccia(img, ZonaPuntatore_)) MostraPuntatore(img, 0);
}

// The scroll loop has been told to stop, or has nothing left to do.
bool ZoomImmagine::Fermo() const {
    return !s_.PanInCorso || limite_ || s_.MouseFuoriImmagine || ProfonditaZona_ <= 0;
}

// One pass of the scroll loop; false when the loop must stop.
bool ZoomImmagine::PassoDiScorrimento(const Object& img) {
    if (Fermo()) return false;
    const double h = Round(ProfonditaZona_ / 50.0), v = Round(ProfonditaZona_ / 100.0);
    const int z = ZonaPuntatore_;
    const bool su = z == 1 || z == 5 || z == 7, giu = z == 3 || z == 6 || z == 8;
    const bool sinistra = z == 4 || z == 5 || z == 6, destra = z == 2 || z == 7 || z == 8;
    const bool mossaY = su || giu, mossaX = sinistra || destra;
    // A pointer at the very rim of a zone moves nothing: nothing would ever end the loop.
    if ((!mossaX || h == 0) && (!mossaY || v == 0)) return false;
    const bool fermoY = mossaY && Sposta(img, picture::CropY, su ? -v : v, ScrollMaxY_);
    const bool fermoX = mossaX && Sposta(img, picture::CropX, sinistra ? -h : h, ScrollMaxX_);
    if (mossaX && mossaY) {
        // A corner goes on along the edge that is still open.
        if (fermoX && fermoY)
            limite_ = true;
        else if (fermoX)
            ZonaPuntatore_ = su ? 1 : 3;
        else if (fermoY)
            ZonaPuntatore_ = sinistra ? 4 : 2;
        if (fermoX != fermoY) MostraPuntatore(img, ZonaPuntatore_);
    } else {
        limite_ = fermoX || fermoY;
    }
    return !limite_;
}

// Step at once, then one step each interval while messages run, until a flag or a bound stops
// it. The flags are looked at every round, so a stop never waits for the next step.
void ZoomImmagine::ScorriImmagine(const Object& img) {
    limite_ = false;
    TemporaryChange occupato(PanOccupato_, true);
    platform::Platform& p = owner_.Piattaforma();
    Gestore gestore(p, "ScorriImmagine");
    const auto passo = [&] {
        bool avanti = false;
        gestore([&] { avanti = PassoDiScorrimento(img); });
        return avanti;
    };
    if (!passo()) return;
    bool dovuto = false;
    const std::shared_ptr<platform::Timer> ritmo = p.NewTimer();
    ritmo->OnTimer = [&dovuto] { dovuto = true; };
    ritmo->setInterval(kIntervalloPasso);
    platform::WaitUntil(
        p, owner_.TieniInVita(), [&] { return !owner_.InChiusura() && !gestore.Abbandonato(); },
        [&] {
            if (Fermo()) return true;
            if (!std::exchange(dovuto, false)) return false;
            return !passo();
        });
}

void CentraOggettoInForm(const Object& controllo, const Object& form) {
    auto centro = [](double spazio, double misura) {
        return std::max<std::int32_t>(CLng(Variant((spazio - misura) / 2)), 0);
    };
    contract::Call(controllo, contract::window::Move,
                   Variant(centro(Numero(form, contract::window::ScaleWidth),
                                  Numero(controllo, contract::window::Width))),
                   Variant(centro(Numero(form, contract::window::ScaleHeight),
                                  Numero(controllo, contract::window::Height))));
}

}  // namespace quindel
