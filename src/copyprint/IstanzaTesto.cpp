#include "copyprint/IstanzaTesto.h"

#include <stdexcept>

#include "contract/Text.h"
#include "runtime/Coercions.h"
#include "runtime/VbError.h"

namespace quindel {

namespace {

namespace text = contract::text;

DispId Numero(const contract::Member& membro, CallKind kind) {
    if (membro.id == 0 || !membro.Takes(kind))
        throw std::logic_error("contract: " + std::string(membro.name) +
                               " is not an engine number taking that call");
    return membro.id;
}

}  // namespace

Variant IstanzaTesto::Leggi(const contract::Member& membro) const {
    const DispId id = Numero(membro, CallKind::Get);
    if (!istanza_) Raise(91);
    Args a;
    return istanza_->Invoke(id, CallKind::Get, a);
}

void IstanzaTesto::Imposta(const contract::Member& membro, Variant valore) const {
    Scrivi(membro, CallKind::Let, std::move(valore));
}

void IstanzaTesto::ImpostaOggetto(const contract::Member& membro, Object oggetto) const {
    Scrivi(membro, CallKind::Set, Variant(std::move(oggetto)));
}

void IstanzaTesto::Scrivi(const contract::Member& membro, CallKind kind, Variant valore) const {
    const DispId id = Numero(membro, kind);
    if (!istanza_) Raise(91);
    Args a{std::move(valore)};
    istanza_->Invoke(id, kind, a);
}

std::string IstanzaTesto::Testo() const {
    return CStr(Leggi(text::FText));
}

void IstanzaTesto::setTesto(const std::string& rtf) const {
    Imposta(text::FText, Variant(rtf));
}

std::int32_t IstanzaTesto::Lunghezza() const {
    return CLng(Leggi(text::TextLength));
}

void IstanzaTesto::Seleziona(std::int32_t inizio, std::int32_t lunghezza) const {
    Imposta(text::SelStart, Variant(inizio));
    Imposta(text::SelLength, Variant(lunghezza));
}

void IstanzaTesto::SelezionaTutto() const {
    Seleziona(0, Lunghezza());
}

std::int32_t IstanzaTesto::Handle() const {
    return CLng(Leggi(text::EngineHandle));
}

}  // namespace quindel
