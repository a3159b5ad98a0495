#include "WislaArticle.h"

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

}  // namespace quindel::samplegen
