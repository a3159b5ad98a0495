#include "WislaArticle.h"

#include "ArticleRtf.h"

namespace quindel::samplegen {

std::string_view WislaArticle() {
    return "Wisła\n"
           "\n"
           "Wisła jest najdłuższą rzeką Polski. Od źródeł na stokach Baraniej Góry w Beskidzie "
           "Śląskim do ujścia do Zatoki Gdańskiej ma 1047 km, a jej dorzecze obejmuje ponad połowę "
           "powierzchni kraju.\n"
           "\n"
           "Rzeka powstaje z połączenia dwóch potoków, Czarnej i Białej Wisełki. Po wyjściu z gór "
           "płynie na północ, a potem na wschód przez Kraków i Sandomierz, a za ujściem Sanu "
           "skręca na północ i "
           "przełomem przez wyżyny dociera do Warszawy. Dalej kieruje się na północny zachód, "
           "przez "
           "Płock i Toruń, a pod Bydgoszczą zawraca na północ, ku morzu.\n"
           "\n"
           "Największymi dopływami Wisły są Narew z Bugiem oraz San. Dorzecze jest wyraźnie "
           "niesymetryczne: prawe dopływy, spływające z Karpat i z nizin na wschodzie, zbierają "
           "wodę z dużo większego obszaru niż lewe.\n"
           "\n"
           "Przez stulecia Wisła była główną drogą handlową kraju. Flisacy spławiali nią do "
           "Gdańska "
           "zboże i drewno, a nad jej brzegami wyrosły Kraków, Warszawa, Toruń i Gdańsk. Od 1895 "
           "roku rzeka uchodzi do morza sztucznym przekopem koło Świbna.\n"
           "\n"
           "Wisła należy do najmniej przekształconych wielkich rzek Europy. Na jej piaszczystych "
           "wyspach gniazdują rybitwy i mewy, a duża część doliny jest chroniona jako obszar "
           "Natura "
           "2000. Jedyna wielka zapora na środkowej i dolnej Wiśle stoi we Włocławku.\n";
}

std::string WislaArticleRtf() {
    return ArticleRtf()
        .Title("Wisła")
        .Paragraph(
            "*Wisła* jest najdłuższą rzeką Polski: od źródeł na stokach Baraniej Góry w "
            "_Beskidzie Śląskim_ do ujścia do Zatoki Gdańskiej liczy *1047 km*, a jej "
            "dorzecze zajmuje ponad połowę powierzchni kraju.")
        .Heading("Bieg rzeki")
        .Paragraph(
            "Rzeka powstaje z połączenia dwóch potoków, _Czarnej_ i _Białej Wisełki_. Z gór "
            "płynie na północ, potem na wschód przez *Kraków* i Sandomierz, a za ujściem "
            "Sanu skręca ku północy i przełomem przez wyżyny dociera do *Warszawy*. Dalej "
            "kieruje się na północny zachód, przez Płock i Toruń, a pod Bydgoszczą zawraca "
            "na północ, ku morzu.")
        .Heading("Dorzecze")
        .Paragraph(
            "Największymi dopływami Wisły są *Narew* z Bugiem oraz *San*. Dorzecze jest "
            "wyraźnie _niesymetryczne_: prawe dopływy, spływające z Karpat i z nizin na "
            "wschodzie, zbierają wodę z dużo większego obszaru niż lewe.")
        .Table({{"Cecha", "Wartość"},
                {"Długość", "1047 km"},
                {"Źródła", "Barania Góra, Beskid Śląski"},
                {"Ujście", "Zatoka Gdańska (Morze Bałtyckie)"},
                {"Największe dopływy", "Narew z Bugiem, San"},
                {"Dorzecze", "ponad połowa powierzchni Polski"}})
        .Heading("Historia")
        .Paragraph(
            "Przez stulecia Wisła była główną drogą handlową kraju. _Flisacy_ spławiali nią "
            "do Gdańska zboże i drewno, a nad jej brzegami wyrosły Kraków, Warszawa, Toruń "
            "i Gdańsk. Od *1895 roku* rzeka uchodzi do morza sztucznym przekopem koło "
            "Świbna.")
        .Heading("Przyroda")
        .Paragraph(
            "Wisła należy do najmniej przekształconych wielkich rzek Europy. Na jej "
            "piaszczystych wyspach gniazdują _rybitwy_ i _mewy_, a duża część doliny jest "
            "chroniona jako obszar *Natura 2000*. Jedyna wielka zapora na środkowej i "
            "dolnej Wiśle stoi we Włocławku.")
        .Rtf();
}

}  // namespace quindel::samplegen
