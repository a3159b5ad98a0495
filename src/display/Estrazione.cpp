#include "display/Estrazione.h"

#include <cstdio>

#include "contract/Extractor.h"
#include "platform/MessageBox.h"
#include "platform/Platform.h"
#include "runtime/Coercions.h"
#include "runtime/Dispatch.h"
#include "runtime/ErrorHandling.h"
#include "runtime/VbError.h"
#include "support/FileUtil.h"

namespace quindel {

FileDaMostrare RisolviFileTemporaneo(platform::Platform& p, const Object& ControlloBlob,
                                     bool BlobPacked, bool Testo, const std::string& Directory,
                                     const std::string& NomeFile, const std::string& NomeFileBlob) {
    if (NomeFileBlob.empty()) return {Directory + NomeFile, false};
    FileDaMostrare f{kFileTemporaneo, false};
    namespace extractor = contract::extractor;
    if (IgnoraErrori(
            [&] { contract::Let(ControlloBlob, extractor::BlobFile, Directory + NomeFileBlob); }))
        return {"", false};
    // Without a folder for it nothing can be extracted: never into the current folder.
    const std::string cartella = p.files().TemporaryFolder();
    if (cartella.empty()) Raise(75);
    const std::string destinazione = TogliBarraFinale(cartella) + "\\" + kFileTemporaneo;
    std::remove(p.files().Resolve(destinazione).c_str());
    const contract::Member& metodo =
        Testo || BlobPacked ? extractor::PackedEstrai : extractor::Estrai;
    const std::int32_t esito =
        CLng(contract::Call(ControlloBlob, metodo, Variant(NomeFile), Variant(destinazione)));
    if (Testo || esito == extractor::kExtracted) {
        f.FileTemporaneo = destinazione;
        return f;
    }
    p.Box().Show("Nie mozna otworzyc animacji:\n" + NomeFile + " z " + Directory + NomeFileBlob,
                 platform::mb::OKOnly, p.files().ProgramName());
    f.EstrazioneFallita = true;
    return f;
}

}  // namespace quindel
