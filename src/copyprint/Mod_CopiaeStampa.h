#pragma once
// The small routines the copy and print dialogs share, and the screen size the component's other
// windows are placed by. Sizes are twips.
#include <cstdint>
#include <string>
#include <string_view>

#include "runtime/Variant.h"
#include "support/Export.h"

QUINDEL_API_BEGIN

namespace quindel::platform {
class Platform;
class Window;
class Form;
struct PageMetrics;
}  // namespace quindel::platform

namespace quindel {

std::int32_t AltezzaSchermo(const platform::Platform& p);
double LarghezzaSchermo(const platform::Platform& p);

// The released and pressed looks of the dialogs' picture buttons (labels and pictures only).
void BottoneRilasciato(platform::Window& Controllo);
void BottonePremuto(platform::Window& Controllo);
void ImpostaPuntatore(platform::Window& Controllo, std::int16_t Codice);

// The smaller of the two; the second when they are equal.
template <class T>
T Minimo(T Primo, T Secondo) {
    return Primo >= Secondo ? Secondo : Primo;
}

// Keeps a dialog drawn for 15 twips a pixel at its size in pixels on another screen: every label
// (every control when Tutti) is moved and sized by the screen's factors; 3-D labels go flat.
std::int16_t AdattaControlli(platform::Form& Form, bool Tutti);

// The inch StampaTesto keeps free on the right of what it prints.
constexpr std::int32_t kMargineDestroStampa = 1440;

// Prints an engine instance's text on the printer's open job, from Sinistro and Superiore to the
// printable bottom and kMargineDestroStampa short of the printable area's right edge; with
// Regione as a region (the engine's region range decides what), else the whole text over as many
// pages as it needs.
void StampaTesto(platform::Platform& p, const Object& Controllo, std::int32_t Sinistro,
                 std::int32_t Superiore, bool Regione = false);

// The one-line credit in small bold italic centred type, as a whole RTF document; Prima and Dopo
// go inside it, before and after the credit (blank paragraphs around it).
std::string BloccoCrediti(std::string_view Prima = {}, std::string_view Dopo = {});
// The credit block as StampaTesto prints it from the left edge: indented by the inch kept free on
// the right (evened out where the printer's margins differ), so the line stands centred on the
// sheet, not on the narrower print area.
std::string BloccoCreditiStampato(const platform::PageMetrics& Pagina, std::string_view Dopo = {});

}  // namespace quindel

QUINDEL_API_END
