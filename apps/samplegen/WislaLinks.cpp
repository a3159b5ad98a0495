#include "WislaLinks.h"

namespace quindel::samplegen {
namespace {

struct Link {
    const char* kod;
    const char* tipo;  // "D" for the short definition entries
    const char* opis;
};

const Link kLinks[] = {
    {"E0032817", "",
     "Barania Góra – szczyt w Beskidzie Śląskim, na którego stokach rodzi się Wisła"},
    {"E0187342", "", "Kraków – dawna stolica Polski nad górną Wisłą"},
    {"E0398120", "", "Warszawa – stolica Polski, położona po obu stronach Wisły"},
    {"E0375561", "", "Toruń – miasto Kopernika z gotycką starówką nad dolną Wisłą"},
    {"E0108734", "", "Gdańsk – portowe miasto w pobliżu ujścia Wisły"},
    {"E0021905", "", "Bałtyk – morze, do którego uchodzi Wisła"},
    {"E0331482", "", "San – prawy dopływ Wisły, płynący z Bieszczadów"},
    {"E0255716", "", "Narew – prawy dopływ Wisły, uchodzący do niej w Modlinie"},
    {"E0046390", "", "Bug – rzeka graniczna, dopływ Narwi"},
    {"E0406173", "", "Żuławy Wiślane – nizina w delcie Wisły, częściowo poniżej poziomu morza"},
    {"E0369044", "", "Tatry – najwyższe góry Polski, z których spływa Dunajec"},
    {"E0098251", "", "Flisactwo – dawny spław zboża i drewna rzekami do Gdańska"},
    {"E0083307", "D", "Dorzecze – obszar, z którego wody spływają do jednej rzeki"},
    {"E0231168", "D", "Meander – zakole rzeki płynącej przez płaską dolinę"},
};

}  // namespace

std::vector<hostkit::VoceLista> WislaLinks() {
    std::vector<hostkit::VoceLista> voci;
    for (const Link& l : kLinks) {
        hostkit::VoceLista v;
        v.CodiceLemma = l.kod;
        v.TipoFile = l.tipo;
        v.Descrizione = l.opis;
        voci.push_back(std::move(v));
    }
    return voci;
}

}  // namespace quindel::samplegen
