#include "copyprint/Mod_CopiaeStampa.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "copyprint/IstanzaTesto.h"
#include "platform/Form.h"
#include "platform/Label.h"
#include "platform/PictureBox.h"
#include "platform/Platform.h"
#include "platform/Printer.h"
#include "richtext/EngineServices.h"
#include "runtime/VbError.h"

namespace quindel {

namespace {

constexpr int kTwipsProgetto = 15;  // the screen the dialogs are drawn for
constexpr std::int32_t kErroreStampante = 482;

// The credit line: product title and notice, RTF-escaped (the block's font is Western).
constexpr const char* kCrediti =
    "Quindel \\u8212? przegl\\u261?darka multimedi\\u243?w \\u183? \\u169? Zesp\\u243?\\u322? "
    "Quindel";

// Sets the border of the control kinds that have one; false for the others.
bool ImpostaBordo(platform::Window& c, std::int16_t bordo) {
    if (auto* l = dynamic_cast<platform::Label*>(&c)) {
        l->setBorderStyle(bordo);
    } else if (auto* pb = dynamic_cast<platform::PictureBox*>(&c)) {
        pb->setBorderStyle(bordo);
    } else {
        return false;
    }
    c.Refresh();
    return true;
}

void PerOgniControllo(platform::Window& w, const std::function<void(platform::Window&)>& f) {
    for (const auto& c : w.Children()) {
        f(*c);
        PerOgniControllo(*c, f);
    }
}

}  // namespace

std::int32_t AltezzaSchermo(const platform::Platform& p) {
    const platform::Screen& s = p.screen();
    return std::int32_t(std::lround(double(s.TwipsPerPixelY()) * s.HeightPx()));
}

double LarghezzaSchermo(const platform::Platform& p) {
    const platform::Screen& s = p.screen();
    return double(s.TwipsPerPixelX()) * s.WidthPx();
}

void BottoneRilasciato(platform::Window& Controllo) {
    ImpostaBordo(Controllo, 0);
}

void BottonePremuto(platform::Window& Controllo) {
    ImpostaBordo(Controllo, 1);
}

void ImpostaPuntatore(platform::Window& Controllo, std::int16_t Codice) {
    Controllo.setMousePointer(Codice);
}

std::int16_t AdattaControlli(platform::Form& Form, bool Tutti) {
    const platform::Screen& s = Form.platform().screen();
    const bool nativo =
        s.TwipsPerPixelX() == kTwipsProgetto && s.TwipsPerPixelY() == kTwipsProgetto;
    const double fx = double(s.TwipsPerPixelX()) / kTwipsProgetto;
    const double fy = double(s.TwipsPerPixelY()) / kTwipsProgetto;
    PerOgniControllo(Form, [&](platform::Window& c) {
        auto* etichetta = dynamic_cast<platform::Label*>(&c);
        if (!nativo && (Tutti || etichetta))
            c.Move(std::int32_t(std::lround(c.Left() * fx)),
                   std::int32_t(std::lround(c.Top() * fy)),
                   std::int32_t(std::lround(c.Width() * fx)),
                   std::int32_t(std::lround(c.Height() * fy)));
        if ((Tutti || etichetta) && etichetta && etichetta->Appearance() == 1)
            etichetta->setBorderStyle(0);
    });
    return 0;
}

void StampaTesto(platform::Platform& p, const Object& Controllo, std::int32_t Sinistro,
                 std::int32_t Superiore, bool Regione) {
    richtext::EngineServices* motore = richtext::EngineServicesOf(p);
    platform::Printer* stampante = p.printer();
    if (!motore || !stampante)
        throw VbError(kErroreStampante, "StampaTesto", "There is no printer for rich text");
    p.screen().setMousePointer(platform::pointer::Hourglass);
    stampante->DrawText({});  // an empty line: opens the page as the job's first output
    const std::int32_t handle = IstanzaTesto(Controllo).Handle();
    const platform::PageMetrics pagina = stampante->Metrics();
    const std::int32_t altezza = pagina.PrintableHeight() - Superiore;
    const std::int32_t larghezza = pagina.PrintableWidth() - Sinistro - kMargineDestroStampa;
    if (Regione) {
        motore->ATX_PRINT_REGION(Controllo, Superiore, altezza, Sinistro, larghezza, 0, handle, 0);
    } else {
        std::int32_t posizione = 0;
        motore->ATX_PRINT(Controllo, posizione, Superiore, altezza, Sinistro, larghezza, 0, handle,
                          0);
    }
    p.screen().setMousePointer(platform::pointer::Default);
}

std::string BloccoCrediti(std::string_view Prima, std::string_view Dopo) {
    std::string rtf =
        "{\\rtf1\\ansi \\deff4\\deflang1033{\\fonttbl{\\f4\\froman\\fcharset0\\fprq2 Times New "
        "Roman;}}";
    rtf.append(Prima).append("\\f4 \\b \\i \\fs16 \\qc ").append(kCrediti).append(Dopo);
    return rtf + "}";
}

std::string BloccoCreditiStampato(const platform::PageMetrics& Pagina, std::string_view Dopo) {
    const std::int32_t rientro =
        std::max(0, kMargineDestroStampa + Pagina.marginRight - Pagina.marginLeft);
    return BloccoCrediti("\\li" + std::to_string(rientro) + " ", Dopo);
}

}  // namespace quindel
