#pragma once
// The viewer's sink for the panel's events: each becomes a line of text for the status line, and
// GetChunk is answered by writing the page asked for into the chunk file, as a host must. The
// events that leave an object of the multimedia list on show (a chosen row, previous, next) are
// also told to objectShown.
#include <functional>
#include <string>

#include "control/QuindelEvents.h"

namespace quindel {
class Quindel;
}  // namespace quindel

namespace quindel::hostkit {
class PaginatoreLista;
}

namespace quindel::viewer {

class ViewerEvents : public QuindelEvents {
  public:
    ViewerEvents(Quindel& panel, const hostkit::PaginatoreLista& mm, std::string chunkFile,
                 std::function<void(const std::string&)> report,
                 std::function<void()> objectShown = {});

    void PulsantePremuto(std::int16_t& i, std::int16_t& value) override;
    void ClickListaOggettiMM(std::int32_t& i) override;
    void ClickListaLemmi(std::int32_t& i) override;
    void GetChunk(std::uint8_t& tipo, std::string& nome, std::int32_t& pos) override;

  private:
    Quindel& panel_;
    const hostkit::PaginatoreLista& mm_;
    std::string chunkFile_;
    std::function<void(const std::string&)> report_;
    std::function<void()> objectShown_;
};

}  // namespace quindel::viewer
