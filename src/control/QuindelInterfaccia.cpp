// The late-bound interface of the control: one table gives every member's name, dispatch id,
// kinds and parameter types and the C++ member it calls; the dispatch and the type library both
// come from it.
#include "control/Quindel.h"
#include "lists/ClasseTLista.h"
#include "runtime/Coercions.h"

namespace quindel {

namespace {

using PT = ParamType;
constexpr CallKind Get = CallKind::Get;
constexpr CallKind Let = CallKind::Let;
constexpr CallKind Set = CallKind::Set;
constexpr CallKind Method = CallKind::Method;

ParamSpec Rif(const char* name, PT type) {
    return {name, type, false, true};
}
ParamSpec Opzionale(const char* name) {
    return {name, PT::Variant, true, true};
}

const Variant& Valore(const Args& a) {
    return a.back();
}

// A property whose getter and setter are members of the control.
template <class G, class S>
MemberHandler Proprieta(G get, S set) {
    return [get, set](CallKind k, Args& a) -> Variant {
        if (k == Get) return get();
        set(Valore(a));
        return {};
    };
}

template <class F>
MemberHandler Metodo(F f) {
    return [f](CallKind, Args& a) -> Variant {
        f(a);
        return {};
    };
}

}  // namespace

void Quindel::DichiaraMembri() {
    DispatchTable& t = table();
    auto oggetto = [](const Variant& v) { return v.isObject() ? *v.asObjectPtr() : Object(); };

    t.member("Controllo3DFoto360", 0x68030093, Get | Set, {}, PT::Object,
             Proprieta([this] { return Variant(Controllo3DFoto360_); },
                       [this, oggetto](const Variant& v) { setControllo3DFoto360(oggetto(v)); }));
    t.member("ControlloShockwave", 0x68030092, Get | Set, {}, PT::Object,
             Proprieta([this] { return Variant(ControlloShockwave_); },
                       [this, oggetto](const Variant& v) { setControlloShockwave(oggetto(v)); }));
    t.member(
        "DontUnload", 0x6803006A, Let, {}, PT::Boolean,
        Proprieta([] { return Variant(); }, [this](const Variant& v) { setDontUnload(CBool(v)); }));
    t.member("CLickLista", 0x6003006E, Method, {Rif("IndiceLista", PT::Integer)}, PT::None,
             Metodo([this](Args& a) { CLickLista(CInt(a[0])); }));
    t.member("ControlloBlob", 0x68030069, Set, {}, PT::Object,
             Proprieta([] { return Variant(); },
                       [this, oggetto](const Variant& v) { setControlloBlob(oggetto(v)); }));
    t.member("FrmParent", 0x68030068, Get | Set, {}, PT::Form,
             Proprieta([this] { return Variant(FrmParent_); },
                       [this, oggetto](const Variant& v) { setFrmParent(oggetto(v)); }));
    t.member("HeightAI", 0x680300B1, Get | Let, {}, PT::Long,
             Proprieta([this] { return Variant(HeightAI_); },
                       [this](const Variant& v) { setHeightAI(CLng(v)); }));
    t.member("LenghtAI", 0x680300B0, Get | Let, {}, PT::Long,
             Proprieta([this] { return Variant(LenghtAI_); },
                       [this](const Variant& v) { setLenghtAI(CLng(v)); }));
    t.member("ListaLemmi", 0x68030067, Get, {}, PT::Object,
             Proprieta([this] { return Variant(Object(liste_[0])); }, [](const Variant&) {}));
    t.member("ListaMM", 0x68030066, Get, {}, PT::Object,
             Proprieta([this] { return Variant(Object(liste_[1])); }, [](const Variant&) {}));
    t.member("MostraOggetto", 0x6003006F, Method, {}, PT::None,
             Metodo([this](Args&) { MostraOggetto(); }));
    t.member("SliderAvanzamento", 0x68030065, Get, {}, PT::Object,
             Proprieta([this] { return Variant(SliderAvanzamento()); }, [](const Variant&) {}));
    t.member("SpegniTutteLeVisualizzazioni", 0x60030070, Method, {}, PT::None,
             Metodo([this](Args&) { SpegniTutteLeVisualizzazioni(); }));
    t.member("NumBitmapVerticali", 0x68030064, Get | Let, {}, PT::Byte,
             Proprieta([this] { return Variant(NumBitmapVerticali_); },
                       [this](const Variant& v) { setNumBitmapVerticali(CByte(v)); }));
    t.member("NumBitmapOrizzontali", 0x68030063, Get | Let, {}, PT::Byte,
             Proprieta([this] { return Variant(NumBitmapOrizzontali_); },
                       [this](const Variant& v) { setNumBitmapOrizzontali(CByte(v)); }));
    t.member("VolumeAudio", 0x68030062, Get | Let, {}, PT::Long,
             Proprieta([this] { return Variant(VolumeAudio_); },
                       [this](const Variant& v) { setVolumeAudio(CLng(v)); }));
    t.member("VelocitaMoviola", 0x68030061, Get | Let, {}, PT::Integer,
             Proprieta([] { return Variant(std::int16_t(0)); }, [](const Variant&) {}));
    t.member("ControlloDidascalia", 0x68030060, Get | Set, {}, PT::Object,
             Proprieta([this] { return Variant(ControlloDidascalia_); },
                       [this, oggetto](const Variant& v) { setControlloDidascalia(oggetto(v)); }));
    t.member("ControlloImmagine", 0x6803005F, Get | Set, {}, PT::Object,
             Proprieta([this] { return Variant(ControlloImmagine_); },
                       [this, oggetto](const Variant& v) { setControlloImmagine(oggetto(v)); }));
    t.member("ControlloAudio", 0x6803005E, Get | Set, {}, PT::Object,
             Proprieta([this] { return Variant(ControlloAudio_); },
                       [this, oggetto](const Variant& v) { setControlloAudio(oggetto(v)); }));
    t.member("ControlloVideo", 0x6803005D, Get | Set, {}, PT::Object,
             Proprieta([this] { return Variant(ControlloVideo_); },
                       [this, oggetto](const Variant& v) { setControlloVideo(oggetto(v)); }));
    t.member(
        "FrmControlloAnimazione", 0x6803005C, Set, {}, PT::Form,
        Proprieta([] { return Variant(); },
                  [this, oggetto](const Variant& v) { setFrmControlloAnimazione(oggetto(v)); }));
    t.member("ControlloTabella", 0x6803005B, Get | Set, {}, PT::Object,
             Proprieta([] { return Variant(Object()); }, [](const Variant&) {}));
    t.member("HwndControlloAnimazion", 0x6803005A, Get | Let, {}, PT::Long,
             Proprieta([this] { return Variant(HwndControlloAnimazion_); },
                       [this](const Variant& v) { setHwndControlloAnimazion(CLng(v)); }));
    t.member("ControlloMappa", 0x68030059, Get | Set, {}, PT::Object,
             Proprieta([] { return Variant(Object()); }, [](const Variant&) {}));
    t.member("ControlloTesto", 0x68030058, Get | Set, {}, PT::Object,
             Proprieta([this] { return Variant(ControlloTesto_); },
                       [this, oggetto](const Variant& v) { setControlloTesto(oggetto(v)); }));
    t.member("IsFloating", 0x68030057, Get | Let, {}, PT::Boolean,
             Proprieta([this] { return Variant(IsFloating_); },
                       [this](const Variant& v) { setIsFloating(CBool(v)); }));
    t.member("NomeFileListaMM", 0x68030056, Get | Let, {}, PT::String,
             Proprieta([this] { return Variant(NomeFileListaMM_); },
                       [this](const Variant& v) { setNomeFileListaMM(CStr(v)); }));
    t.member("NomeFileListaLemmiCollegati", 0x68030055, Get | Let, {}, PT::String,
             Proprieta([this] { return Variant(NomeFileListaLemmiCollegati_); },
                       [this](const Variant& v) { setNomeFileListaLemmiCollegati(CStr(v)); }));
    t.member("CodiceLemmaCollegatoCorrente", 0x68030054, Get | Let, {}, PT::String,
             Proprieta([] { return Variant(""); }, [](const Variant&) {}));
    t.member("DescrizioneLemmaCollegatoCorrente", 0x68030053, Get | Let, {}, PT::String,
             Proprieta([] { return Variant(""); }, [](const Variant&) {}));
    t.member("MassimoRecordListaVisibili", 0x68030052, Get | Let, {}, PT::Byte,
             Proprieta([this] { return Variant(MassimoRecordListaVisibili()); },
                       [this](const Variant& v) { setMassimoRecordListaVisibili(CByte(v)); }));
    t.member("NumeroRecordEffettiviMM", 0x68030051, Get | Let, {}, PT::Long,
             Proprieta([] { return Variant(std::int32_t(0)); }, [](const Variant&) {}));
    t.member("NumeroRecordEffettiviLista", 0x68030050, Get | Let, {}, PT::Long,
             Proprieta([] { return Variant(std::int32_t(0)); }, [](const Variant&) {}));
    t.member("copia", 0x60030071, Method, {Rif("TipoOggetto", PT::String)}, PT::None,
             Metodo([this](Args& a) { copia(CStr(a[0])); }));
    t.member("Chiudi", 0x60030072, Method, {Opzionale("NonScaricareLaForm")}, PT::None,
             Metodo([this](Args& a) { Chiudi(a[0]); }));
    t.member("WidthAI", 0x680300AF, Get | Let, {}, PT::Long,
             Proprieta([this] { return Variant(WidthAI_); },
                       [this](const Variant& v) { setWidthAI(CLng(v)); }));
    t.member("ToolTipPulsante", 0x6803004F, Get | Let, {Rif("Indice", PT::Integer)}, PT::String,
             [this](CallKind k, Args& a) -> Variant {
                 if (k == Get) return ToolTipPulsante(CInt(a[0]));
                 setToolTipPulsante(CInt(a[0]), CStr(Valore(a)));
                 return {};
             });
    t.member("IsPulsanteAbilitato", 0x6803004E, Get | Let, {Rif("Indice", PT::Integer)},
             PT::Boolean, [this](CallKind k, Args& a) -> Variant {
                 if (k == Get) return IsPulsanteAbilitato(CInt(a[0]));
                 setIsPulsanteAbilitato(CInt(a[0]), CBool(Valore(a)));
                 return {};
             });
    t.member("IsPulsanteVisibile", 0x6803004D, Get | Let, {Rif("Indice", PT::Integer)}, PT::Boolean,
             [this](CallKind k, Args& a) -> Variant {
                 if (k == Get) return IsPulsanteVisibile(CInt(a[0]));
                 setIsPulsanteVisibile(CInt(a[0]), CBool(Valore(a)));
                 return {};
             });
    t.member("ValorePulsante", 0x6803004C, Get | Let, {Rif("Indice", PT::Integer)}, PT::Integer,
             [this](CallKind k, Args& a) -> Variant {
                 if (k == Get) return ValorePulsante(CInt(a[0]));
                 setValorePulsante(CInt(a[0]), CInt(Valore(a)));
                 return {};
             });
    t.member("SpegniToolTip", 0x60030083, Method, {}, PT::None,
             Metodo([this](Args&) { SpegniToolTip(); }));
    t.member("SpostaFormCollegate", 0x60030084, Method, {}, PT::None,
             Metodo([this](Args&) { SpostaFormCollegate(); }));
    t.member("InitChunk", 0x60030085, Method,
             {Rif("bNuovaLista", PT::Boolean), Rif("iTipoLista", PT::Integer),
              Rif("sNomeFile", PT::String), Rif("lNumeroTotaleElementi", PT::Long),
              Rif("lPosizioneInizioChunk", PT::Long)},
             PT::None, Metodo([this](Args& a) {
                 InitChunk(CBool(a[0]), CInt(a[1]), CStr(a[2]), CLng(a[3]), CLng(a[4]));
             }));
    t.member("ChiediNuovoChunk", 0x60030086, Method,
             {Rif("iTipoLista", PT::Byte), Rif("sNomeFileLista", PT::String),
              Rif("lPosizione", PT::Long)},
             PT::None,
             Metodo([this](Args& a) { ChiediNuovoChunk(CByte(a[0]), CStr(a[1]), CLng(a[2])); }));
    t.member("VisualizzaStatoPilondaInPlay", 0x60030087, Method, {Rif("bStato", PT::Boolean)},
             PT::None, Metodo([this](Args& a) { VisualizzaStatoPilondaInPlay(CBool(a[0])); }));
    t.member("SalvaSituazionePrecedentePulsanti", 0x60030088, Method, {}, PT::None,
             Metodo([this](Args&) { SalvaSituazionePrecedentePulsanti(); }));
    t.member("FilePerCopia", 0x6803004B, Get | Let, {}, PT::String,
             Proprieta([this] { return Variant(FilePerCopia_); },
                       [this](const Variant& v) { setFilePerCopia(CStr(v)); }));
    t.member("Stampa", 0x60030089, Method, {}, PT::None, Metodo([this](Args&) { Stampa(); }));
    t.member("ChiudiTutteLeformAperte", 0x6003008A, Method, {Opzionale("UsaIPulsantiDelPilonda")},
             PT::None, Metodo([this](Args& a) { ChiudiTutteLeformAperte(a[0]); }));
    t.member("Termina", 0x6003008B, Method, {}, PT::None, Metodo([this](Args&) { Termina(); }));
    const std::vector<ParamSpec> mouse = {Rif("Button", PT::Integer), Rif("Shift", PT::Integer),
                                          Rif("X", PT::Single), Rif("Y", PT::Single)};
    t.member("ControlloImmagine_MouseMove", 0x6003008C, Method, mouse, PT::None,
             Metodo([this](Args& a) {
                 ControlloImmagine_MouseMove(CInt(a[0]), CInt(a[1]), CSng(a[2]), CSng(a[3]));
             }));
    t.member("ControlloImmagine_MouseDown", 0x6003008D, Method, mouse, PT::None,
             Metodo([this](Args& a) {
                 ControlloImmagine_MouseDown(CInt(a[0]), CInt(a[1]), CSng(a[2]), CSng(a[3]));
             }));
    t.member("AggiornaDimensioneControllo", 0x60030091, Method, {}, PT::None,
             Metodo([this](Args&) { AggiornaDimensioneControllo(); }));
    t.member("ErrorMessage", 0x6803004A, Get | Let, {}, PT::String,
             Proprieta([] { return Variant(""); }, [](const Variant&) {}));
    t.member(
        "BlobPacked", 0x68030049, Let, {}, PT::Boolean,
        Proprieta([] { return Variant(); }, [this](const Variant& v) { setBlobPacked(CBool(v)); }));
    t.member("AttesaAutoplay", 0x68030094, Get | Let, {}, PT::Long,
             Proprieta([this] { return Variant(AttesaAutoplay_); },
                       [this](const Variant& v) { setAttesaAutoplay(CLng(v)); }));
    t.member("ChiudiTutteLeVisualizzazioni", 0x600300AE, Method, {}, PT::None,
             Metodo([this](Args&) { ChiudiTutteLeVisualizzazioni(); }));
}

const DispatchTable& Quindel::TabellaEventi() {
    static const DispatchTable t = [] {
        DispatchTable e;
        const MemberHandler nulla = [](CallKind, Args&) -> Variant { return {}; };
        e.member("PulsantePremuto", evento::PulsantePremuto, Method,
                 {Rif("IndicePulsante", PT::Integer), Rif("value", PT::Integer)}, PT::None, nulla);
        e.member("ClickListaOggettiMM", evento::ClickListaOggettiMM, Method,
                 {Rif("Indice", PT::Long)}, PT::None, nulla);
        e.member("ClickListaLemmi", evento::ClickListaLemmi, Method, {Rif("Indice", PT::Long)},
                 PT::None, nulla);
        e.member("GetChunk", evento::GetChunk, Method,
                 {Rif("TipoLista", PT::Byte), Rif("NomeFile", PT::String),
                  Rif("PosizioneDelPrimoElementoNelNuovoChunk", PT::Long)},
                 PT::None, nulla);
        return e;
    }();
    return t;
}

std::string Quindel::TypeLibrary() const {
    return "// Type library OCX_Pilonda2 (file Quindel2)\n"
           "// library  {5E1A6C21-7B4D-4F0E-9C3A-2D8B61F0A001}\n"
           "// _Quindel {5E1A6C21-7B4D-4F0E-9C3A-2D8B61F0A002}\n"
           "// __Quindel {5E1A6C21-7B4D-4F0E-9C3A-2D8B61F0A003}\n"
           "// coclass Quindel {5E1A6C21-7B4D-4F0E-9C3A-2D8B61F0A004}: [default] _Quindel, "
           "[default, source] __Quindel\n\n" +
           DescribeInterface(dispatchTable(), "_Quindel", false) + "\n" +
           DescribeInterface(TabellaEventi(), "__Quindel", true);
}

}  // namespace quindel
