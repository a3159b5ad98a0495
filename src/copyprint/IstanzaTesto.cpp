#include "copyprint/IstanzaTesto.h"

#include "runtime/Coercions.h"
#include "runtime/VbError.h"

namespace quindel {

Variant IstanzaTesto::Leggi(DispId id) const {
    if (!istanza_) Raise(91);
    Args a;
    return istanza_->Invoke(id, CallKind::Get, a);
}

void IstanzaTesto::Imposta(DispId id, Variant valore) const {
    if (!istanza_) Raise(91);
    Args a{std::move(valore)};
    istanza_->Invoke(id, CallKind::Let, a);
}

std::string IstanzaTesto::Testo() const {
    return CStr(Leggi(kTesto));
}

std::int32_t IstanzaTesto::Lunghezza() const {
    return CLng(Leggi(kLunghezza));
}

void IstanzaTesto::Seleziona(std::int32_t inizio, std::int32_t lunghezza) const {
    Imposta(kInizioSelezione, Variant(inizio));
    Imposta(kLunghezzaSelezione, Variant(lunghezza));
}

void IstanzaTesto::SelezionaTutto() const {
    Seleziona(0, Lunghezza());
}

std::int32_t IstanzaTesto::Handle() const {
    return CLng(Leggi(kHandle));
}

}  // namespace quindel
