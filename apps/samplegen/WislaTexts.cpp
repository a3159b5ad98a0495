#include "WislaTexts.h"

#include <stdexcept>
#include <vector>

#include "ArticleRtf.h"

namespace quindel::samplegen {
namespace {

struct Text {
    const char* title;
    std::vector<const char*> paragraphs;
};

const Text kTexts[] = {
    {"Flisacy na Wiśle",
     {"Przez kilka stuleci Wisła była drogą, którą płynęło bogactwo kraju. *Flisacy* spławiali "
      "do Gdańska zboże, drewno, potaż i smołę, a w górę rzeki wracali pieszo.",
      "Zboże wieziono na _szkutach_ i _galarach_, a drewno wiązano w wielkie tratwy. Podróż z "
      "Krakowa do Gdańska trwała kilka tygodni i zależała od stanu wody.",
      "Flisacy mieli własną gwarę, pieśni i obyczaje. Młody flisak przechodził na szlaku "
      "_chrzest_, zanim przyjęto go do grona doświadczonych towarzyszy."}},
    {"Legenda o Warsie i Sawie",
     {"Dawno temu nad brzegiem Wisły mieszkał rybak *Wars*. Pewnego wieczoru usłyszał nad wodą "
      "piękny śpiew i ujrzał syrenę o imieniu *Sawa*.",
      "Wars i Sawa pokochali się i zamieszkali razem nad rzeką. Według legendy od ich imion "
      "pochodzi nazwa Warszawy, a syrena z mieczem i tarczą do dziś broni miasta w jego herbie."}},
    {"Smok Wawelski i woda z Wisły",
     {"W jamie pod Wawelem mieszkał *smok*, który porywał mieszkańcom Krakowa bydło i owce. "
      "Nikt nie potrafił go pokonać.",
      "Sprytny szewczyk _Skuba_ wypchał skórę barana siarką i podrzucił ją pod smoczą jamę. Smok "
      "połknął przynętę, a potem, palony pragnieniem, pił wodę z Wisły tak długo, aż pękł."}},
    {"Historia regulacji Wisły",
     {"W XIX wieku zaczęto ujmować Wisłę w *wały* i *ostrogi*. Miały one chronić miasta i pola "
      "przed powodziami oraz utrzymać głęboki nurt dla żeglugi.",
      "Najważniejszą budowlą tamtych lat jest _przekop Wisły_ pod Świbnem, ukończony w 1895 roku. "
      "Skrócił on drogę rzeki do morza i zmniejszył groźbę zatorów lodowych na Żuławach.",
      "Środkowa Wisła pozostała jednak w dużej mierze dzika, z wyspami i piaszczystymi łachami."}},
    {"Powódź na Wiśle w 2010 roku",
     {"W maju i czerwcu 2010 roku po ulewnych deszczach Wisła wezbrała w całym swoim biegu. "
      "Fala powodziowa przeszła od Krakowa aż do Gdańska.",
      "Wały pękły w kilku miejscach, między innymi pod *Sandomierzem* i w okolicach *Płocka*. "
      "Woda zalała domy, pola i drogi, a tysiące ludzi musiały opuścić swoje miejscowości.",
      "Po powodzi wiele wałów odbudowano i podwyższono."}},
    {"Wisła w polskiej poezji",
     {"Wisła od dawna jest w polskiej literaturze symbolem ojczyzny. Pisali o niej _Jan "
      "Kochanowski_, _Adam Mickiewicz_ i _Stefan Żeromski_.",
      "W pieśniach flisackich rzeka jest drogą i żywicielką, a w poezji romantycznej znakiem "
      "wspólnoty wszystkich ziem, przez które płynie."}},
};

}  // namespace

std::string WislaTextRtf(std::size_t index) {
    const Text& t = kTexts[index < std::size(kTexts) ? index : throw std::out_of_range("no text")];
    ArticleRtf rtf;
    rtf.Title(t.title);
    for (const char* p : t.paragraphs) rtf.Paragraph(p);
    return rtf.Rtf();
}

}  // namespace quindel::samplegen
