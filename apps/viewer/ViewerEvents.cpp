#include "viewer/ViewerEvents.h"

#include <filesystem>

#include "control/Quindel.h"
#include "hostkit/lists/PaginatoreLista.h"
#include "lists/ClasseTLista.h"

namespace quindel::viewer {

ViewerEvents::ViewerEvents(Quindel& panel, const hostkit::PaginatoreLista& mm,
                           std::string chunkFile, std::function<void(const std::string&)> report,
                           std::function<void()> objectShown)
    : panel_(panel),
      mm_(mm),
      chunkFile_(std::move(chunkFile)),
      report_(std::move(report)),
      objectShown_(std::move(objectShown)) {}

void ViewerEvents::PulsantePremuto(std::int16_t& i, std::int16_t& value) {
    constexpr std::int16_t kPrevious = 10, kNext = 11;
    if ((i == kPrevious || i == kNext) && objectShown_) objectShown_();
    report_("PulsantePremuto(" + std::to_string(i) + ", " + std::to_string(value) + ")");
}

void ViewerEvents::ClickListaOggettiMM(std::int32_t& i) {
    if (objectShown_) objectShown_();
    report_("ClickListaOggettiMM(" + std::to_string(i) + "): " + panel_.ListaMM()->Descrizione());
}

void ViewerEvents::ClickListaLemmi(std::int32_t& i) {
    report_("ClickListaLemmi(" + std::to_string(i) + "): " + panel_.ListaLemmi()->Descrizione());
}

void ViewerEvents::GetChunk(std::uint8_t& tipo, std::string& nome, std::int32_t& pos) {
    report_("GetChunk(" + std::to_string(tipo) + ", " +
            std::filesystem::path(nome).filename().string() + ", " + std::to_string(pos) + ")");
    mm_.ScriviChunk(chunkFile_, pos);
    panel_.InitChunk(false, tipo, chunkFile_, mm_.Totale(), pos);
}

}  // namespace quindel::viewer
