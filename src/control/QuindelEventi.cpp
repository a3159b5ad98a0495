// The control's events: connecting sinks and raising the four events. Every raise holds the
// control: a handler may make the host let it go.
#include "control/Quindel.h"
#include "runtime/Coercions.h"

namespace quindel {

void Quindel::ChiediNuovoChunk(std::uint8_t iTipoLista, const std::string& sNomeFileLista,
                               std::int32_t lPosizione) {
    const auto self = shared_from_this();
    Args a = {Variant(iTipoLista), Variant(sNomeFileLista), Variant(lPosizione)};
    eventi_.Fire(evento::GetChunk, a);
}

void Quindel::RaiseClickLista(DispId id, std::int32_t indice) {
    const auto self = shared_from_this();
    Args a = {Variant(indice)};
    eventi_.Fire(id, a);
}

void Quindel::RaisePulsantePremuto(std::int16_t indice, std::int16_t value) {
    const auto self = shared_from_this();
    Args a = {Variant(indice), Variant(value)};
    eventi_.Fire(evento::PulsantePremuto, a);
}

std::uint32_t Quindel::Advise(Object dispatchSink) {
    return eventi_.Advise(std::move(dispatchSink));
}

void Quindel::Unadvise(std::uint32_t cookie) {
    eventi_.Unadvise(cookie);
}

// A typed sink sees the arguments in their declared types; what it changes goes back to the
// arguments, as a by-reference change does for a late-bound sink.
std::uint32_t Quindel::Advise(std::shared_ptr<QuindelEvents> sink) {
    return eventi_.Advise([sink](DispId id, Args& a) {
        switch (id) {
            case evento::PulsantePremuto: {
                std::int16_t i = CInt(a[0]), v = CInt(a[1]);
                sink->PulsantePremuto(i, v);
                a[0] = i, a[1] = v;
                break;
            }
            case evento::ClickListaOggettiMM:
            case evento::ClickListaLemmi: {
                std::int32_t i = CLng(a[0]);
                if (id == evento::ClickListaOggettiMM)
                    sink->ClickListaOggettiMM(i);
                else
                    sink->ClickListaLemmi(i);
                a[0] = i;
                break;
            }
            case evento::GetChunk: {
                std::uint8_t t = CByte(a[0]);
                std::string nome = CStr(a[1]);
                std::int32_t pos = CLng(a[2]);
                sink->GetChunk(t, nome, pos);
                a[0] = t, a[1] = nome, a[2] = pos;
                break;
            }
            default:
                break;
        }
    });
}

}  // namespace quindel
