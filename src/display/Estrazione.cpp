#include "display/Estrazione.h"

#include <cstdio>

#include "platform/MessageBox.h"
#include "platform/Platform.h"
#include "runtime/Coercions.h"
#include "runtime/Dispatch.h"
#include "runtime/ErrorHandling.h"
#include "support/FileUtil.h"

namespace quindel {

FileDaMostrare RisolviFileTemporaneo(platform::Platform& p, const Object& ControlloBlob,
                                     bool BlobPacked, bool Testo, const std::string& Directory,
                                     const std::string& NomeFile, const std::string& NomeFileBlob) {
    if (NomeFileBlob.empty()) return {Directory + NomeFile, false};
    FileDaMostrare f{kFileTemporaneo, false};
    if (IgnoraErrori([&] { LetProperty(ControlloBlob, "BlobFile", Directory + NomeFileBlob); }))
        return {"", false};
    const std::string destinazione =
        TogliBarraFinale(p.files().ComponentFolder()) + "\\" + kFileTemporaneo;
    std::remove(p.files().Resolve(destinazione).c_str());
    const char* metodo = Testo || BlobPacked ? "packedestrai" : "estrai";
    const std::int32_t esito =
        CLng(CallMethod(ControlloBlob, metodo, Variant(NomeFile), Variant(destinazione)));
    if (Testo || esito == 0) {
        f.FileTemporaneo = destinazione;
        return f;
    }
    p.Box().Show("Nie mozna otworzyc animacji:\n" + NomeFile + " z " + Directory + NomeFileBlob,
                 platform::mb::OKOnly, p.files().ProgramName());
    f.EstrazioneFallita = true;
    return f;
}

}  // namespace quindel
