#include "WislaMedia.h"

#include <string>

#include "MediaCatalog.h"
#include "runtime/Text.h"

namespace quindel::samplegen {
namespace {

struct Item {
    const char* tipo;
    const char* opis;
    const char* podpis;
    Scene scene = {};
    const char* layout = "";
};

// A view of the river; "{w}" takes the place phrase ("w Krakowie").
struct Theme {
    const char* opis;
    const char* podpis;
    Mood mood;
    Feature feature = Feature::None;
};

// A place on the river, source to mouth: its landmark photo and the views chosen for it.
struct Place {
    const char* key;
    const char* w;
    const char* widok;
    const char* podpis;
    std::vector<int> themes;
};

struct Bridge {
    const char* place;
    const char* opis;
    const char* podpis;
};

struct Tributary {
    const char* place;  // listed after this place, as the river meets it
    const char* nazwa;
    const char* dopelniacz;
    const char* brzeg;
    const char* gdzie;
    bool mapa;
};

struct Animal {
    const char* nazwa;
    const char* podpis;
    Diagram rysunek;
};

const Item kMaps[] = {
    {"MA",
     "Bieg Wisły od źródeł do ujścia",
     "Wisła płynie przez całą Polskę, z południa na północ, i ma 1047 km długości.",
     {.map = 0}},
    {"MA",
     "Dorzecze Wisły na mapie Europy Środkowej",
     "Dorzecze Wisły zajmuje około 194 tysięcy kilometrów kwadratowych. Ponad cztery piąte tego "
     "obszaru leży w Polsce.",
     {.map = 1}},
    {"MA",
     "Górna Wisła: od Baraniej Góry do ujścia Sanu",
     "Górny odcinek rzeki kończy się umownie przy ujściu Sanu.",
     {.map = 2}},
    {"MA",
     "Środkowa Wisła: od ujścia Sanu do ujścia Narwi",
     "Środkowa Wisła przecina Małopolski Przełom i przepływa przez Warszawę.",
     {.map = 3}},
    {"MA",
     "Dolna Wisła: od ujścia Narwi do Zatoki Gdańskiej",
     "Dolna Wisła płynie przez Kotlinę Płocką, Toruń i Żuławy aż do morza.",
     {.map = 4}},
    {"MA",
     "Delta Wisły i Żuławy Wiślane",
     "W delcie rzeka dzieli się na ramiona. Nogat odpływa na wschód, do Zalewu Wiślanego.",
     {.map = 5}},
    {"MA",
     "Wisła na dawnej mapie Rzeczypospolitej",
     "Dawne mapy pokazują Wisłę jako główny szlak spławu zboża do Gdańska.",
     {.map = 6}},
};

const Theme kThemes[] = {
    {"Panorama doliny Wisły {w}", "Szeroki widok na dolinę rzeki {w} w pogodny letni dzień.",
     Mood::Day},
    {"Wisła {w} o zachodzie słońca", "Rzeka {w} w ciepłym świetle zachodzącego słońca.",
     Mood::Sunset},
    {"Poranna mgła nad Wisłą {w}",
     "W chłodne poranki nad wodą {w} unoszą się gęste mgły. Znikają, gdy słońce ogrzeje dolinę.",
     Mood::Fog},
    {"Wisła {w} zimą", "W mroźne zimy rzeka {w} pokrywa się lodem, a nurt niesie krę.",
     Mood::Winter},
    {"Brzeg Wisły {w} wiosną", "Wiosną nadrzeczne wierzby {w} pokrywają się młodymi liśćmi.",
     Mood::Spring},
    {"Jesień nad Wisłą {w}", "Jesienią zarośla nad rzeką {w} mienią się żółcią i czerwienią.",
     Mood::Autumn},
    {"Widok z lotu ptaka na koryto Wisły {w} i piaszczyste łachy",
     "Zdjęcie lotnicze pokazuje koryto rzeki {w}, wyspy i łachy odsłonięte przy niskiej wodzie.",
     Mood::Aerial},
    {"Wezbrana Wisła {w} po ulewnych deszczach",
     "Po długotrwałych opadach woda {w} podchodzi pod same wały.", Mood::Flood},
    {"Wieczorne światła odbite w Wiśle {w}",
     "Po zmroku w spokojnej wodzie {w} odbijają się światła miasta.", Mood::Night, Feature::Town},
    {"Kajakarze na Wiśle {w}",
     "Latem na rzece {w} często można spotkać kajakarzy. Wisła to jeden z najdłuższych szlaków "
     "kajakowych w Polsce.",
     Mood::Day, Feature::Boat},
    {"Statek wycieczkowy na Wiśle {w}", "W sezonie letnim po rzece {w} pływają statki wycieczkowe.",
     Mood::Day, Feature::Boat},
    {"Mewy i rybitwy na wiślanej łasze {w}",
     "Piaszczyste łachy {w} są miejscem odpoczynku i lęgów ptaków wodnych.", Mood::Day,
     Feature::Birds},
    {"Przeprawa promowa przez Wisłę {w}",
     "Tam, gdzie brakuje mostu, ludzi i samochody przewozi przez rzekę prom.", Mood::Day,
     Feature::Boat},
};

// The Warsaw landmark is exactly 60 characters before its trailing blanks: the longest
// description a chunked load keeps whole.
const Place kPlaces[] = {
    {"baraniagora",
     "pod Baranią Górą",
     "Źródła Wisły na stokach Baraniej Góry",
     "Wisła wypływa w Beskidzie Śląskim dwoma potokami, Czarną i Białą Wisełką. Łączą się one w "
     "Jeziorze Czerniańskim.",
     {2, 5}},
    {"wisla",
     "w Wiśle",
     "Rzeka Wisła w centrum miasta Wisła",
     "Miasto Wisła, nazwane od rzeki, jest znanym ośrodkiem wypoczynku w Beskidach.",
     {3, 4}},
    {"ustron",
     "w Ustroniu",
     "Kamieniste koryto rzeki w Ustroniu",
     "W Ustroniu Wisła płynie jeszcze wartko, kamienistym korytem u podnóża Czantorii.",
     {1, 5}},
    {"skoczow",
     "w Skoczowie",
     "Wisła na Pogórzu Śląskim koło Skoczowa",
     "Za Skoczowem rzeka opuszcza góry i zwalnia na Pogórzu Śląskim.",
     {4}},
    {"goczalkowice",
     "w Goczałkowicach",
     "Zapora na Wiśle w Goczałkowicach",
     "Jezioro Goczałkowickie, powstałe po spiętrzeniu Wisły w latach 50. XX wieku, zaopatruje w "
     "wodę Górny Śląsk.",
     {0, 2}},
    {"oswiecim",
     "w Oświęcimiu",
     "Wisła w okolicach Oświęcimia",
     "W okolicach Oświęcimia Wisła przyjmuje wody Przemszy i Soły.",
     {7}},
    {"krakow",
     "w Krakowie",
     "Wawel nad Wisłą",
     "Wzgórze Wawelskie z zamkiem królewskim i katedrą wznosi się tuż nad zakolem Wisły.",
     {1, 8, 10}},
    {"niepolomice",
     "pod Niepołomicami",
     "Łęgi nad Wisłą pod Niepołomicami",
     "Za Krakowem rzeka płynie skrajem Puszczy Niepołomickiej.",
     {4, 11}},
    {"sandomierz",
     "w Sandomierzu",
     "Sandomierz na skarpie nad Wisłą",
     "Stare Miasto w Sandomierzu wznosi się na wysokiej skarpie lewego brzegu Wisły.",
     {0, 7}},
    {"kazimierz",
     "w Kazimierzu Dolnym",
     "Kazimierz Dolny od strony Wisły",
     "Kazimierz Dolny leży w Małopolskim Przełomie Wisły, wśród lessowych wąwozów.",
     {5, 9, 12}},
    {"pulawy",
     "w Puławach",
     "Park w Puławach nad Wisłą",
     "Nad wiślaną skarpą w Puławach rozciąga się zabytkowy park Czartoryskich ze Świątynią "
     "Sybilli.",
     {6}},
    {"deblin",
     "w Dęblinie",
     "Twierdza Dęblin nad Wisłą",
     "Twierdza Dęblin strzegła przeprawy przez Wisłę u ujścia Wieprza.",
     {11}},
    {"gorakalwaria",
     "w Górze Kalwarii",
     "Skarpa wiślana w Górze Kalwarii",
     "Góra Kalwaria leży na wysokim lewym brzegu Wisły, na południe od Warszawy.",
     {9}},
    {"warszawa",
     "w Warszawie",
     "Panorama Starego Miasta w Warszawie, od strony Pragi i Wisły   ",
     "Z prawego brzegu Wisły widać Stare Miasto i Zamek Królewski.",
     {0, 6, 8, 10}},
    {"modlin",
     "w Modlinie",
     "Twierdza Modlin u zbiegu Narwi i Wisły",
     "Twierdza Modlin powstała przy ujściu Narwi do Wisły na początku XIX wieku.",
     {2}},
    {"wyszogrod",
     "w Wyszogrodzie",
     "Skarpa nad Wisłą w Wyszogrodzie",
     "Wyszogród, dawny gród na wysokiej skarpie, leży na prawym brzegu Wisły, niedaleko ujścia "
     "Bzury.",
     {6}},
    {"plock",
     "w Płocku",
     "Wzgórze Tumskie w Płocku",
     "Katedra i zamek książąt mazowieckich stoją na Wzgórzu Tumskim, wysoko nad Wisłą.",
     {1, 10}},
    {"wloclawek",
     "we Włocławku",
     "Zapora na Wiśle we Włocławku",
     "Zapora we Włocławku, ukończona w 1970 roku, spiętrza wody Wisły w Zbiorniku Włocławskim.",
     {0, 3}},
    {"torun",
     "w Toruniu",
     "Panorama Torunia z lewego brzegu Wisły",
     "Średniowieczne Stare Miasto w Toruniu, wpisane na listę UNESCO, ciągnie się wzdłuż prawego "
     "brzegu Wisły.",
     {1, 3, 8}},
    {"chelmno",
     "w Chełmnie",
     "Chełmno na wzgórzach nad doliną Wisły",
     "Chełmno, otoczone średniowiecznymi murami, leży na wysokim prawym brzegu doliny Wisły.",
     {5}},
    {"grudziadz",
     "w Grudziądzu",
     "Spichrze nad Wisłą w Grudziądzu",
     "Rząd dawnych spichrzy na skarpie w Grudziądzu chronił miasto od strony rzeki.",
     {4}},
    {"gniew",
     "w Gniewie",
     "Zamek krzyżacki w Gniewie",
     "Gotycki zamek w Gniewie góruje nad ujściem Wierzycy do Wisły.",
     {2}},
    {"tczew",
     "w Tczewie",
     "Wisła w Tczewie u progu Żuław",
     "Tczew leży na lewym brzegu Wisły, tam gdzie zaczynają się Żuławy Wiślane.",
     {7}},
    {"gdansk",
     "w Gdańsku",
     "Martwa Wisła w Gdańsku",
     "Przez Gdańsk płyną dawne ramiona rzeki: Martwa Wisła i Wisła Śmiała.",
     {8, 10}},
    {"swibno",
     "w Świbnie",
     "Ujście Wisły do Zatoki Gdańskiej",
     "Przy Świbnie Wisła wpada do Bałtyku przekopem wykonanym w latach 1891–1895.",
     {11, 12}},
};

const Bridge kBridges[] = {
    {"krakow", "Kładka Ojca Bernatka w Krakowie",
     "Kładka pieszo-rowerowa łączy Kazimierz z Podgórzem. Otwarto ją w 2010 roku."},
    {"krakow", "Most Dębnicki w Krakowie, widok od strony Wawelu",
     "Most Dębnicki prowadzi z okolic Wawelu na prawobrzeżne Dębniki."},
    {"pulawy", "Most łukowy w Puławach",
     "Stalowy most łukowy w Puławach ma jedno z najdłuższych przęseł łukowych w Polsce."},
    {"warszawa", "Most Poniatowskiego w Warszawie",
     "Most księcia Józefa Poniatowskiego otwarto w 1914 roku. Jego przyczółki zdobią "
     "charakterystyczne wieżyczki."},
    {"warszawa", "Most Świętokrzyski w Warszawie nocą, oświetlone wanty i pylon",
     "Most Świętokrzyski, oddany do użytku w 2000 roku, jest mostem podwieszonym z jednym "
     "pylonem."},
    {"warszawa", "Most Siekierkowski w Warszawie",
     "Podwieszony Most Siekierkowski łączy południowe dzielnice po obu stronach Wisły."},
    {"plock", "Most Solidarności w Płocku",
     "Podwieszony Most Solidarności w Płocku ma jedno z najdłuższych przęseł wśród polskich "
     "mostów."},
    {"torun", "Most im. Józefa Piłsudskiego w Toruniu, widok z Bulwaru Filadelfijskiego",
     "Stalowy most drogowy w Toruniu otwarto w 1934 roku."},
    {"torun", "Most kolejowy w Toruniu",
     "Kratownicowy most kolejowy w Toruniu należy do najstarszych mostów na dolnej Wiśle."},
    {"tczew", "Dawny most w Tczewie, jeden z najdłuższych mostów XIX-wiecznej Europy",
     "Kratowy most w Tczewie oddano do użytku w 1857 roku. Jego przęsła wysadzono 1 września 1939 "
     "roku."},
};

const Tributary kTributaries[] = {
    {"oswiecim", "Przemsza", "Przemszy", "lewy", "w okolicach Oświęcimia", false},
    {"oswiecim", "Soła", "Soły", "prawy", "w Oświęcimiu", false},
    {"oswiecim", "Skawa", "Skawy", "prawy", "koło Zatora", false},
    {"niepolomice", "Raba", "Raby", "prawy", "koło Uścia Solnego", false},
    {"niepolomice", "Nida", "Nidy", "lewy", "koło Nowego Korczyna", false},
    {"niepolomice", "Dunajec", "Dunajca", "prawy", "koło Opatowca", true},
    {"sandomierz", "San", "Sanu", "prawy", "w pobliżu Sandomierza", true},
    {"deblin", "Wieprz", "Wieprza", "prawy", "w Dęblinie", false},
    {"deblin", "Pilica", "Pilicy", "lewy", "niedaleko Warki", true},
    {"modlin", "Narew", "Narwi", "prawy", "przy Twierdzy Modlin", true},
    {"wyszogrod", "Bzura", "Bzury", "lewy", "koło Wyszogrodu", false},
    {"torun", "Drwęca", "Drwęcy", "prawy", "pod Toruniem", false},
    {"torun", "Brda", "Brdy", "lewy", "w Bydgoszczy", true},
    {"chelmno", "Wda", "Wdy", "lewy", "w Świeciu", false},
    {"gniew", "Wierzyca", "Wierzycy", "lewy", "w Gniewie", false},
};

const Animal kAnimals[] = {
    {"łosoś atlantycki", "Łosoś wędruje z Bałtyku w górę Wisły i jej dopływów na tarło.",
     Diagram::Fish},
    {"troć wędrowna",
     "Troć, podobnie jak łosoś, wpływa z morza do rzek, by złożyć ikrę na żwirowym dnie.",
     Diagram::Fish},
    {"jesiotr ostronosy",
     "Jesiotr zniknął z Wisły w XX wieku. Dziś próbuje się przywrócić go rzece.", Diagram::Fish},
    {"certa", "Certa to ryba wędrowna, która z Zatoki Gdańskiej wpływa na tarło w górę Wisły.",
     Diagram::Fish},
    {"rybitwa rzeczna", "Rybitwy rzeczne zakładają gniazda na piaszczystych wyspach Wisły.",
     Diagram::Bird},
    {"zimorodek", "Zimorodek kopie norę lęgową w stromych, piaszczystych skarpach brzegu.",
     Diagram::Bird},
    {"bóbr europejski", "Bobry wróciły nad Wisłę i znów ścinają nadrzeczne wierzby.",
     Diagram::Beaver},
    {"bielik", "Bieliki zimują nad Wisłą i polują na ryby tam, gdzie rzeka nie zamarza.",
     Diagram::Bird},
};

const Item kDrawings[] = {
    {"DI",
     "Przekrój doliny rzeki: koryto, terasy i wały przeciwpowodziowe",
     "Rysunek pokazuje, jak wały chronią dno doliny przed wielką wodą.",
     {.diagram = Diagram::Valley}},
    {"DI",
     "Szkuta, dawna łódź flisacka",
     "Szkutami i galarami spławiano zboże z Małopolski i Mazowsza do Gdańska.",
     {.diagram = Diagram::Boat}},
    {"DI",
     "Budowa śluzy żeglugowej",
     "Śluza podnosi lub opuszcza statek, napełniając komorę wodą albo ją opróżniając.",
     {.diagram = Diagram::Lock}},
    {"DI",
     "Przekrój zapory we Włocławku",
     "Zapora spiętrza wodę i kieruje ją do elektrowni.",
     {.diagram = Diagram::Dam}},
    {"DI",
     "Meander i starorzecze",
     "Odcięty zakręt rzeki zamienia się z czasem w starorzecze.",
     {.diagram = Diagram::Meander}},
};

// Texts mostly packed, one on its own; the first film and sound have files, the second film is
// listed but missing, as content sometimes is; "PL" and "QZ" (a code this panel does not know)
// show nothing but their caption.
const Item kOthers[] = {
    {"TA",
     "Flisacy na Wiśle",
     "Opowieść o ludziach, którzy przez wieki spławiali Wisłą zboże i drewno do Gdańska.",
     {},
     "packed"},
    {"TA",
     "Legenda o Warsie i Sawie",
     "Warszawska legenda o rybaku Warsie i syrenie Sawie, od których imion ma pochodzić nazwa "
     "miasta.",
     {},
     "packed"},
    {"TA",
     "Smok Wawelski i woda z Wisły",
     "Według legendy smok, który połknął owcę wypchaną siarką, pił wodę z Wisły, aż pękł.",
     {},
     "packed"},
    {"TA",
     "Historia regulacji Wisły",
     "Od XIX wieku rzekę ujmowano w wały i ostrogi, by chronić miasta przed powodziami.",
     {},
     "packed"},
    {"TA",
     "Powódź na Wiśle w 2010 roku",
     "Wiosną 2010 roku wezbrana Wisła przerwała wały w kilku miejscach, między innymi pod "
     "Sandomierzem.",
     {},
     "plain"},
    {"TA",
     "Wisła w polskiej poezji",
     "Wybrane wiersze i pieśni, w których Wisła jest symbolem ojczyzny.",
     {},
     "packed"},
    {"QZ", "Sprawdź się: dziesięć pytań o Wisłę", "Krótki quiz o największej polskiej rzece."},
    {"AU", "Szum potoku u źródeł Wisły", "Nagranie wykonano nad Czarną Wisełką, wczesnym rankiem."},
    {"FO",
     "Rybitwy na wiślanej wyspie",
     "Rybitwy, mewy i sieweczki gniazdują na piaszczystych łachach środkowej Wisły.",
     {Mood::Day, Feature::Birds},
     "packed"},
    {"PL", "Pieśń flisacka: słowa i nuty",
     "Dawna pieśń, którą śpiewali flisacy podczas spławu do Gdańska."},
    {"FO",
     "Bulwary wiślane w Krakowie wieczorem",
     "Spokojna rzeka pod Wawelem, gdy na bulwarach zapalają się latarnie.",
     {Mood::Night, Feature::Town},
     "packed"},
    {"VI", "Spływ kajakowy Małopolskim Przełomem Wisły",
     "Film ze spływu od Annopola do Kazimierza Dolnego."},
    {"VI", "Ruszanie lodów na Wiśle", "Wiosną lód pęka, a kra z szumem spływa z nurtem rzeki."},
    {"FO",
     "Statek wycieczkowy na Wiśle w Krakowie",
     "Z pokładu statku widać Wawel, Kazimierz i bulwary.",
     {Mood::Day, Feature::Boat},
     "packed"},
    {"FO",
     "Wały przeciwpowodziowe podczas wezbrania w 2010 roku",
     "Woda podeszła pod koronę wałów, które mieszkańcy umacniali workami z piaskiem.",
     {Mood::Flood},
     "packed"},
    {"FO",
     "Przekop Wisły z lotu ptaka, zdjęcie w pełnej rozdzielczości",
     "Duże zdjęcie lotnicze: powiększ je i przesuń, by obejrzeć ujście i wydmy Mewiej Łachy.",
     {.mood = Mood::Aerial, .large = true}},
    {"AN",
     "Jak powstaje meander",
     "Nurt podmywa zewnętrzny brzeg zakola, a piasek odkłada przy wewnętrznym.",
     {.diagram = Diagram::Meander}},
    {"AN",
     "Obieg wody w przyrodzie",
     "Woda paruje z morza, spada jako deszcz w górach i wraca rzeką do Bałtyku.",
     {.diagram = Diagram::WaterCycle}},
    {"AN",
     "Działanie śluzy żeglugowej",
     "Statek krok po kroku pokonuje różnicę poziomów wody.",
     {.diagram = Diagram::Lock}},
    {"AN",
     "Powstawanie zatoru lodowego",
     "Kra zatrzymuje się na mieliźnie, a za nią szybko piętrzy się woda.",
     {.diagram = Diagram::IceJam}},
    {"AN",
     "Kra płynąca po Wiśle",
     "Podczas roztopów nurt niesie krę w stronę morza.",
     {.diagram = Diagram::IceFloes}},
    {"F3",
     "Panorama 360° bulwarów wiślanych w Krakowie",
     "Przeciągnij obraz, by obejrzeć Wawel i oba brzegi rzeki.",
     {Mood::Day, Feature::Town}},
    {"F3",
     "Panorama 360° ujścia Wisły do Bałtyku",
     "Widok z plaży przy ujściu: rzeka, morze i rezerwat Mewia Łacha.",
     {Mood::Sunset}},
    {"AI",
     "Interaktywna podróż wzdłuż Wisły",
     "Wybierz miasto na mapie, aby zobaczyć rzekę z bliska.",
     {.diagram = Diagram::Journey}},
    {"AI",
     "Zbuduj wał przeciwpowodziowy",
     "Model pokazuje, jak wysokość wału chroni dolinę przed wielką wodą.",
     {.diagram = Diagram::Levee}},
    {"IT", "Indeks miejscowości nad Wisłą", "Spis miejscowości położonych nad Wisłą."},
};

void AddItems(MediaCatalog& c, const auto& items) {
    for (const Item& i : items) c.Add(i.tipo, i.opis, i.podpis, i.scene, i.layout);
}

// Dams, the mountain stream and wooded banks stand alone; elsewhere a town rises over the river.
Feature LandmarkOf(std::string_view key) {
    if (key == "goczalkowice" || key == "wloclawek") return Feature::Dam;
    for (std::string_view wild : {"baraniagora", "ustron", "skoczow", "niepolomice", "oswiecim"})
        if (key == wild) return Feature::None;
    return Feature::Town;
}

void AddPlace(MediaCatalog& c, const Place& p) {
    c.Add("FO", p.widok, p.podpis, {Mood::Day, LandmarkOf(p.key)});
    for (int t : p.themes)
        c.Add("FO", Replace(kThemes[t].opis, "{w}", p.w), Replace(kThemes[t].podpis, "{w}", p.w),
              {kThemes[t].mood, kThemes[t].feature});
}

// Fills the tributary's name, genitive, bank and mouth into a text.
std::string Fill(const Tributary& t, std::string_view text) {
    std::string s = Replace(text, "{nazwa}", t.nazwa);
    s = Replace(s, "{dop}", t.dopelniacz);
    s = Replace(s, "{brzeg}", t.brzeg);
    return Replace(s, "{gdzie}", t.gdzie);
}

void AddTributary(MediaCatalog& c, const Tributary& t, int index) {
    c.Add("FO", Fill(t, "Ujście {dop} do Wisły {gdzie}"),
          Fill(t, "{nazwa}, {brzeg} dopływ Wisły, uchodzi do niej {gdzie}."),
          {index % 2 ? Mood::Spring : Mood::Day});
    if (t.mapa)
        c.Add("MA", Fill(t, "Mapa dorzecza {dop}"),
              Fill(t, "Dorzecze {dop} na tle dorzecza Wisły, z zaznaczonymi większymi miastami."),
              {.map = kTributaryMap + index});
}

void AddCourse(MediaCatalog& c) {
    for (const Place& p : kPlaces) {
        AddPlace(c, p);
        for (const Bridge& b : kBridges)
            if (std::string_view(b.place) == p.key)
                c.Add("FO", b.opis, b.podpis, {Mood::Day, Feature::Bridge});
        for (std::size_t i = 0; i < std::size(kTributaries); ++i)
            if (std::string_view(kTributaries[i].place) == p.key)
                AddTributary(c, kTributaries[i], int(i));
    }
}

void AddAnimals(MediaCatalog& c) {
    for (const Animal& a : kAnimals)
        c.Add("DI", std::string("Zwierzęta Wisły: ") + a.nazwa, a.podpis, {.diagram = a.rysunek});
}

}  // namespace

std::vector<MediaObject> WislaMedia() {
    MediaCatalog c{std::string(kKodWisly)};
    AddItems(c, kMaps);
    AddCourse(c);
    AddAnimals(c);
    AddItems(c, kDrawings);
    AddItems(c, kOthers);
    return c.Objects();
}

}  // namespace quindel::samplegen
