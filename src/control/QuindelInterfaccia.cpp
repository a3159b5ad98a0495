// The late-bound interface of the control: one table gives every member's name, dispatch id,
// kinds and parameter types and the C++ member it calls; the dispatch and the type library both
// come from it.
#include "control/Quindel.h"
#include "control/QuindelIdentificativi.h"
#include "lists/ClasseTLista.h"
#include "runtime/MemberBuilders.h"

namespace quindel {

namespace {
using PT = ParamType;
}  // namespace

// The members in the order of the interface: first the host's controls and the stored settings,
// then the button-state layer and the methods.
void Quindel::DichiaraMembri() {
    Members<Quindel> m(table(), this);
    DichiaraImpostazioni(m);
    DichiaraPulsantiEMetodi(m);
}

void Quindel::DichiaraImpostazioni(Members<Quindel>& m) {
    using Q = Quindel;
    m.Property("Controllo3DFoto360", 0x68030093, PT::Object, &Q::Controllo3DFoto360,
               &Q::setControllo3DFoto360);
    m.Property("ControlloShockwave", 0x68030092, PT::Object, &Q::ControlloShockwave,
               &Q::setControlloShockwave);
    m.WriteOnly("DontUnload", 0x6803006A, PT::Boolean, &Q::setDontUnload);
    m.Method("CLickLista", 0x6003006E, {ByRef("IndiceLista", PT::Integer)}, PT::None,
             &Q::CLickLista);
    m.WriteOnly("ControlloBlob", 0x68030069, PT::Object, &Q::setControlloBlob);
    m.Property("FrmParent", 0x68030068, PT::Form, &Q::FrmParent, &Q::setFrmParent);
    m.Property("HeightAI", 0x680300B1, PT::Long, &Q::HeightAI, &Q::setHeightAI);
    m.Property("LenghtAI", 0x680300B0, PT::Long, &Q::LenghtAI, &Q::setLenghtAI);
    m.ReadOnly("ListaLemmi", 0x68030067, PT::Object, &Q::ListaLemmi);
    m.ReadOnly("ListaMM", 0x68030066, PT::Object, &Q::ListaMM);
    m.Method("MostraOggetto", 0x6003006F, {}, PT::None, &Q::MostraOggetto);
    m.ReadOnly("SliderAvanzamento", 0x68030065, PT::Object, &Q::SliderAvanzamento);
    m.Method("SpegniTutteLeVisualizzazioni", 0x60030070, {}, PT::None,
             &Q::SpegniTutteLeVisualizzazioni);
    m.Property("NumBitmapVerticali", 0x68030064, PT::Byte, &Q::NumBitmapVerticali,
               &Q::setNumBitmapVerticali);
    m.Property("NumBitmapOrizzontali", 0x68030063, PT::Byte, &Q::NumBitmapOrizzontali,
               &Q::setNumBitmapOrizzontali);
    m.Property("VolumeAudio", 0x68030062, PT::Long, &Q::VolumeAudio, &Q::setVolumeAudio);
    m.Inert("VelocitaMoviola", 0x68030061, PT::Integer, std::int16_t(0));
    m.Property("ControlloDidascalia", 0x68030060, PT::Object, &Q::ControlloDidascalia,
               &Q::setControlloDidascalia);
    m.Property("ControlloImmagine", 0x6803005F, PT::Object, &Q::ControlloImmagine,
               &Q::setControlloImmagine);
    m.Property("ControlloAudio", 0x6803005E, PT::Object, &Q::ControlloAudio, &Q::setControlloAudio);
    m.Property("ControlloVideo", 0x6803005D, PT::Object, &Q::ControlloVideo, &Q::setControlloVideo);
    m.WriteOnly("FrmControlloAnimazione", 0x6803005C, PT::Form, &Q::setFrmControlloAnimazione);
    m.Inert("ControlloTabella", 0x6803005B, PT::Object, Object());
    m.Property("HwndControlloAnimazion", 0x6803005A, PT::Long, &Q::HwndControlloAnimazion,
               &Q::setHwndControlloAnimazion);
    m.Inert("ControlloMappa", 0x68030059, PT::Object, Object());
    m.Property("ControlloTesto", 0x68030058, PT::Object, &Q::ControlloTesto, &Q::setControlloTesto);
    m.Property("IsFloating", 0x68030057, PT::Boolean, &Q::IsFloating, &Q::setIsFloating);
    m.Property("NomeFileListaMM", 0x68030056, PT::String, &Q::NomeFileListaMM,
               &Q::setNomeFileListaMM);
    m.Property("NomeFileListaLemmiCollegati", 0x68030055, PT::String,
               &Q::NomeFileListaLemmiCollegati, &Q::setNomeFileListaLemmiCollegati);
    m.Inert("CodiceLemmaCollegatoCorrente", 0x68030054, PT::String, "");
    m.Inert("DescrizioneLemmaCollegatoCorrente", 0x68030053, PT::String, "");
    m.Property("MassimoRecordListaVisibili", 0x68030052, PT::Byte, &Q::MassimoRecordListaVisibili,
               &Q::setMassimoRecordListaVisibili);
    m.Inert("NumeroRecordEffettiviMM", 0x68030051, PT::Long, std::int32_t(0));
    m.Inert("NumeroRecordEffettiviLista", 0x68030050, PT::Long, std::int32_t(0));
}

void Quindel::DichiaraPulsantiEMetodi(Members<Quindel>& m) {
    using Q = Quindel;
    const std::vector<ParamSpec> indice = {ByRef("Indice", PT::Integer)};
    const std::vector<ParamSpec> mouse = {ByRef("Button", PT::Integer), ByRef("Shift", PT::Integer),
                                          ByRef("X", PT::Single), ByRef("Y", PT::Single)};
    m.Method("copia", 0x60030071, {ByRef("TipoOggetto", PT::String)}, PT::None, &Q::copia);
    m.Method("Chiudi", 0x60030072, {OptionalByRef("NonScaricareLaForm")}, PT::None, &Q::Chiudi);
    m.Property("WidthAI", 0x680300AF, PT::Long, &Q::WidthAI, &Q::setWidthAI);
    m.Property("ToolTipPulsante", 0x6803004F, PT::String, &Q::ToolTipPulsante,
               &Q::setToolTipPulsante, indice);
    m.Property("IsPulsanteAbilitato", 0x6803004E, PT::Boolean, &Q::IsPulsanteAbilitato,
               &Q::setIsPulsanteAbilitato, indice);
    m.Property("IsPulsanteVisibile", 0x6803004D, PT::Boolean, &Q::IsPulsanteVisibile,
               &Q::setIsPulsanteVisibile, indice);
    m.Property("ValorePulsante", 0x6803004C, PT::Integer, &Q::ValorePulsante, &Q::setValorePulsante,
               indice);
    m.Method("SpegniToolTip", 0x60030083, {}, PT::None, &Q::SpegniToolTip);
    m.Method("SpostaFormCollegate", 0x60030084, {}, PT::None, &Q::SpostaFormCollegate);
    m.Method("InitChunk", 0x60030085,
             {ByRef("bNuovaLista", PT::Boolean), ByRef("iTipoLista", PT::Integer),
              ByRef("sNomeFile", PT::String), ByRef("lNumeroTotaleElementi", PT::Long),
              ByRef("lPosizioneInizioChunk", PT::Long)},
             PT::None, &Q::InitChunk);
    m.Method("ChiediNuovoChunk", 0x60030086,
             {ByRef("iTipoLista", PT::Byte), ByRef("sNomeFileLista", PT::String),
              ByRef("lPosizione", PT::Long)},
             PT::None, &Q::ChiediNuovoChunk);
    m.Method("VisualizzaStatoPilondaInPlay", 0x60030087, {ByRef("bStato", PT::Boolean)}, PT::None,
             &Q::VisualizzaStatoPilondaInPlay);
    m.Method("SalvaSituazionePrecedentePulsanti", 0x60030088, {}, PT::None,
             &Q::SalvaSituazionePrecedentePulsanti);
    m.Property("FilePerCopia", 0x6803004B, PT::String, &Q::FilePerCopia, &Q::setFilePerCopia);
    m.Method("Stampa", 0x60030089, {}, PT::None, &Q::Stampa);
    m.Method("ChiudiTutteLeformAperte", 0x6003008A, {OptionalByRef("UsaIPulsantiDelPilonda")},
             PT::None, &Q::ChiudiTutteLeformAperte);
    m.Method("Termina", 0x6003008B, {}, PT::None, &Q::Termina);
    m.Method("ControlloImmagine_MouseMove", 0x6003008C, mouse, PT::None,
             &Q::ControlloImmagine_MouseMove);
    m.Method("ControlloImmagine_MouseDown", 0x6003008D, mouse, PT::None,
             &Q::ControlloImmagine_MouseDown);
    m.Method("AggiornaDimensioneControllo", 0x60030091, {}, PT::None,
             &Q::AggiornaDimensioneControllo);
    m.Inert("ErrorMessage", 0x6803004A, PT::String, "");
    m.WriteOnly("BlobPacked", 0x68030049, PT::Boolean, &Q::setBlobPacked);
    m.Property("AttesaAutoplay", 0x68030094, PT::Long, &Q::AttesaAutoplay, &Q::setAttesaAutoplay);
    m.Method("ChiudiTutteLeVisualizzazioni", 0x600300AE, {}, PT::None,
             &Q::ChiudiTutteLeVisualizzazioni);
}

const DispatchTable& Quindel::TabellaEventi() {
    static const DispatchTable t = [] {
        DispatchTable e;
        // Events are only described here: the sinks implement them.
        const auto nulla = [](Args&) {};
        Members<> m(e);
        m.Method("PulsantePremuto", evento::PulsantePremuto,
                 {ByRef("IndicePulsante", PT::Integer), ByRef("value", PT::Integer)}, PT::None,
                 nulla);
        m.Method("ClickListaOggettiMM", evento::ClickListaOggettiMM, {ByRef("Indice", PT::Long)},
                 PT::None, nulla);
        m.Method("ClickListaLemmi", evento::ClickListaLemmi, {ByRef("Indice", PT::Long)}, PT::None,
                 nulla);
        m.Method("GetChunk", evento::GetChunk,
                 {ByRef("TipoLista", PT::Byte), ByRef("NomeFile", PT::String),
                  ByRef("PosizioneDelPrimoElementoNelNuovoChunk", PT::Long)},
                 PT::None, nulla);
        return e;
    }();
    return t;
}

std::string Quindel::TypeLibrary() const {
    namespace id = identificativi;
    return "// Type library " + std::string(id::kNomeLibreria) + " (file Quindel2)\n" +
           "// library  " + id::kLibreria.ToString() + "\n" + "// _Quindel " +
           id::kInterfaccia.ToString() + "\n" + "// __Quindel " + id::kEventi.ToString() + "\n" +
           "// coclass " + std::string(id::kNomeClasse) + " " + id::kClasse.ToString() +
           ": [default] _Quindel, [default, source] __Quindel\n\n" +
           DescribeInterface(dispatchTable(), "_Quindel", false) + "\n" +
           DescribeInterface(TabellaEventi(), "__Quindel", true);
}

}  // namespace quindel
