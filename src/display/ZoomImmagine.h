#pragma once
// Zoom and pan of the picture on show. A picture is first fitted to the screen; when it is larger
// than its form the user switches it to actual size (a left click on it, or button 16) and then
// pans it by resting the pointer near an edge: the picture scrolls by itself (CropX, CropY, in
// picture pixels), faster the deeper the pointer is in the edge zone, and the pointer shows the
// direction. The scroll loop takes one step every 40 ms of the platform clock and lets messages
// run in between; the mouse handlers that run inside it stop it through PanInCorso and
// MouseFuoriImmagine.
#include <cstdint>

#include "runtime/Variant.h"
#include "support/Export.h"

QUINDEL_API_BEGIN

namespace quindel {

class ProprietarioVisualizzazione;
class StatoPulsanti;
struct StatoZoom;

class ZoomImmagine {
  public:
    // Zones of the pointer: 0 none, 1 top, 2 right, 3 bottom, 4 left, 5 top-left, 6 bottom-left,
    // 7 top-right, 8 bottom-right. Directions the picture can still move, as bits.
    static constexpr int kSu = 2, kDestra = 4, kGiu = 8, kSinistra = 16;
    struct Zona {
        int zona = 0;
        float profondita = 0;  // twips inside the zone
    };
    // The zone of (X, Y) twips over a control of the given size, corners collapsed where a
    // direction is not allowed.
    static Zona CalcolaZona(float X, float Y, float larghezza, float altezza, int direzioni);

    ZoomImmagine(ProprietarioVisualizzazione& owner, StatoPulsanti& pulsanti, StatoZoom& stato);

    // Shows the picture of control img fitted (0) or at actual size (1); the new ZoomAttivo.
    std::int16_t ApplicaZoom(const Object& img, std::int16_t livello);
    // Fitted <-> actual size, as button 16 and a left click do: tooltip and pictures of button 16
    // follow, the pointer too.
    void CommutaZoom(const Object& img);
    void ImpostaCursoreZoom(const Object& img);
    // After each picture is shown: button 16 only for pictures larger than their form.
    void PreparaPulsanteZoom(const Object& img);
    void MouseDown(const Object& img, std::int16_t Button);
    void MouseMove(const Object& img, float X, float Y);

    // The screen-fitting size of a picture of w x h pixels, in twips.
    static void AdattaAlloSchermo(const Object& img, double larghezzaSchermo, double altezzaSchermo,
                                  double tppX, double tppY);

  private:
    std::int16_t DimensioneReale(const Object& img);
    int Direzioni(const Object& img) const;
    bool Freccia(const Object& img, int zona) const;
    void MostraPuntatore(const Object& img, int zona);
    void ScorriImmagine(const Object& img);
    bool Fermo() const;
    bool PassoDiScorrimento(const Object& img);

    ProprietarioVisualizzazione& owner_;
    StatoPulsanti& pulsanti_;
    StatoZoom& s_;
    std::int16_t ScrollMaxX_ = 0, ScrollMaxY_ = 0;
    bool PanOccupato_ = false;
    float UltimoX_ = -1, UltimoY_ = -1;
    float ProfonditaZona_ = 0;
    int ZonaPuntatore_ = 0;
    bool limite_ = false;  // a bound was reached in the last pass
};

// Moves a control reached by late binding to the middle of a form's client area, never past its
// top-left corner.
void CentraOggettoInForm(const Object& controllo, const Object& form);

}  // namespace quindel

QUINDEL_API_END
