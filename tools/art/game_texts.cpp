// The story that goes with the ten intro pictures (intro_art.cpp) and the info boxes' texts.
// The story is told in the present tense and the second person: the hero may be a man or a
// woman, and Czech past tenses would have to choose.
#include "tools/art/game_texts.h"

#include <string_view>

namespace kv::art {
namespace {

struct Entry {
  const char* header;
  const char* label;  // what a translator sees above the text
  const char* text;
};

constexpr Entry kEntries[] = {
    {"[intro 1]", "Tavorind v míru",
     "Tavorind, město tří věží pod Šedými horami, žil dlouhá léta v míru. Z jeho bran vycházeli "
     "dobrodruzi do celého světa a vraceli se s kořistí i s příběhy, které se pak vyprávěly u "
     "krbů. Také ty sem patříš. Po letech toulek a bojů se vracíš domů. Neseš si to, co ti z "
     "předchozích dobrodružství zbylo, a těšíš se na klidnou zimu za pevnými hradbami. Netušíš, "
     "že po tvých stopách jde někdo další."},
    {"[intro 2]", "Tábor v lese",
     "Poslední noc před Tavorindem táboříš na mýtině v lese. Oheň praská, nad korunami borovic "
     "svítí měsíc a kolem je ticho. Zbraň si položíš na dosah ruky, zabalíš se do pokrývky a "
     "díváš se do plamenů, dokud ti neklesnou víčka. Je to první klidný spánek po mnoha týdnech. "
     "Zdá se ti o domově, o teplé polévce a o hlasech přátel. Neslyšíš praskání větví ani tiché "
     "kroky, které se k ohni blíží ze tmy."},
    {"[intro 3]", "Únosci",
     "Probudí tě světlo pochodní. Nad tebou stojí čtyři postavy v černých kápích a jejich oči se "
     "ve tmě lesknou jako oči vlků. Než stačíš sáhnout po zbrani, dopadne ti na hlavu rána a svět "
     "se propadne do tmy. Poslední, co slyšíš, je chraplavý hlas: „Máme to. Pán chce ten úlovek "
     "živý.“"},
    {"[intro 4]", "Klec",
     "Probouzíš se v kleci z hrubých trámů na skřípějícím voze. Nad pustou plání visí rudý měsíc "
     "a únosci mlčky pobízejí koně dál na východ. Tvé zbraně a zavazadla si rozdělili mezi sebe. "
     "Jednu věc ale přehlédli a ty doufáš, že na ni nepřijdou ani později. Tři dny a tři noci "
     "trvá cesta, vodu dostáváš jednou denně a na otázky odpovídá jen bič."},
    {"[intro 5]", "Kobka",
     "Vůz zastaví u staré věže na okraji Černého hvozdu. Únosci tě hodí do kobky s jediným "
     "zamřížovaným oknem, kterým v noci prosvítá měsíc. Každé ráno přichází muž v kápi a ptá se "
     "na totéž: kde je ukryt klíč od Tavorské brány? Nevíš, o čem mluví, ale on ti nevěří. "
     "„Řekneš nám to,“ šeptá, „až se vrátí Pán. Do úplňku máš čas.“ Úplněk je za pět dní."},
    {"[intro 6]", "Útěk",
     "Pátou noc přestaneš čekat. Z pokrývky a slámy spleteš provaz, vylomíš zrezivělou mříž a "
     "vyklouzneš z okna. Zeď je kluzká a provaz krátký. Visíš vysoko nad zemí, zatímco nad tebou "
     "v okně strážnice hoří světlo a ozývá se smích. Pak pustíš provaz, dopadneš do trní a "
     "utíkáš. Za zády se rozezní zvon a štěkot psů."},
    {"[intro 7]", "Les",
     "Běžíš mlžným lesem, měsíc svítí mezi kmeny a každý stín vypadá jako pronásledovatel. Psi "
     "jsou stále blíž. Větve ti šlehají do tváře a plíce pálí, ale zastavit se nesmíš. "
     "Vzpomeneš si na staré pravidlo lovců: ve vodě pes stopu ztratí. Někde před tebou teče "
     "řeka, slyšíš ji. Poslední silou se prodíráš houštím k jejímu hukotu."},
    {"[intro 8]", "Řeka",
     "Za svítání doběhneš k řece. U břehu kotví loďka a v ní starý převozník, který se na nic "
     "neptá. Jen kývne, ať si sedneš, a odrazí od břehu. Psi na druhém břehu štěkají do "
     "prázdna. „Černé kápě,“ zabručí stařec, „ty nepustí, koho si jednou vyberou. Do Tavorindu "
     "nechoď, tam na tebe čekají.“ Vysadí tě pod horami a zmizí v ranní mlze."},
    {"[intro 9]", "Průsmyk",
     "Celý den stoupáš k průsmyku. Z jeho sedla vidíš v dálce Tavorind, světla v oknech věží a "
     "cestu, která se vine k bráně. Domov je na dosah, ale převozníkova slova ti nedají pokoj. "
     "Vzpomeneš si na místo, o kterém nikdo neví: starý opuštěný dvorec pod průsmykem, kde máš "
     "od dávných let schované to, co ti zbylo z předchozích dobrodružství."},
    {"[intro 10]", "Dvorec",
     "Za soumraku projdeš dveřmi ve zdi dvorce. Nic se tu nezměnilo: vysoké kamenné zdi, "
     "studánka s čistou vodou a ohniště, kde brzy zapraskají plameny. Tvé věci jsou tam, kde "
     "mají být. Tady budeš v bezpečí, aspoň na chvíli. Kdo je ale Pán, co je klíč od Tavorské "
     "brány a proč Černé kápě hledají právě tebe? Odpovědi nenajdeš, když budeš sedět. Tvůj "
     "příběh začíná."},
    {"[profession 0]", "hraničář",
     "Hraničář je strážce divočiny a jejích hranic. Zná stezky lesů i hor, umí stopovat, plavat "
     "a šplhat a luk i meč mu padnou do ruky. Jako jediný vedle kouzelníka vládne magií: "
     "léčivými, ochrannými a mentálními kouzly, na která potřebuje manu. Nejvíc mu záleží na "
     "síle a inteligenci; s oběma obstojí v boji i tam, kde meč nestačí."},
    {"[profession 1]", "kouzelník",
     "Kouzelník zasvětil život studiu magie. Útočná a materiální kouzla jsou jeho nejsilnější "
     "zbraní, zvládá však i ochranu, léčení, a dokonce čas a prostor. Jeho mana roste s "
     "inteligencí, a proto na ní stojí všechno. V boji muže proti muži je slabý a zdraví má ze "
     "všech nejméně. Drží se proto vzadu a nechává mluvit svá kouzla."},
    {"[profession 2]", "lučištník",
     "Lučištník zasáhne cíl dřív, než ho nepřítel vůbec spatří. Se střelnými a vrhacími "
     "zbraněmi nemá sobě rovného a jeho zásahy bývají kritické. Potřebuje především obratnost, "
     "která mu přidává i na pohyblivosti. Na magii nespoléhá a v těsné řeži mu chybí šermířova "
     "výdrž, ale kdo ho nechá v klidu střílet, ten prohrál."},
    {"[profession 3]", "šermíř",
     "Šermíř je mistr čepele. Sečné a bodné zbraně ovládá lépe než kdokoli jiný, dokáže se "
     "soustředit i uprostřed boje a jeho tělo vydrží hodně. Má mnoho zdraví a nejvíc zářezů ze "
     "všech. Spoléhá na sílu a odolnost; magie je mu cizí stejně jako zlodějské řemeslo. Kde se "
     "bojuje tváří v tvář, tam patří do první řady."},
    {"[profession 4]", "válečník",
     "Válečník je voják a rváč, jehož síla se měří v ranách. Nejlépe mu padnou do ruky těžké "
     "zbraně: sekery, palice, kladiva a kopí. Je zdatný a odolný a zdraví i zářezů má jako "
     "šermíř. O kouzla ani o jemnou práci nestojí. V boji však vydrží nejdéle a za jeho štítem "
     "se skryje každý, kdo potřebuje chvíli klidu."},
    {"[profession 5]", "zloděj",
     "Zloděj žije ze svých rukou a ze svého jazyka. Otevře každý zámek, vybere každou kapsu, "
     "proplíží se kolem stráží a nejlépe ze všech umí smlouvat. Vrhací nůž a holé ruce mu "
     "stačí. Potřebuje obratnost a charisma, kterého má víc než kdokoli jiný. V otevřeném boji "
     "dlouho nevydrží, a tak se mu raději vyhne, nebo ho ukončí jedinou ranou."},
    {"[race 0]", "barbar",
     "Barbaři přicházejí ze severních plání a hor, kde přežije jen ten nejsilnější. Jsou silní "
     "a odolní, dobře šplhají a plavou a v boji beze zbraně se jim málokdo vyrovná. Učenost jim "
     "nic neříká: inteligenci a vůli mají ze všech ras nejnižší. Hodí se proto za válečníka nebo "
     "šermíře, kterému nevadí, že ho ve městě mají za divocha."},
    {"[race 1]", "člověk",
     "Lidé jsou nejpočetnější a nejrozmanitější ze všech ras. V ničem nevynikají, ale v ničem "
     "ani nezaostávají, a tak se mohou stát čímkoli, od kouzelníka po zloděje. Umějí jednat s "
     "ostatními rasami a dobře obchodují. Kdo s dobrodružstvím teprve začíná, s člověkem "
     "neudělá chybu."},
    {"[race 2]", "elf",
     "Elfové jsou starý a moudrý národ lesů. Ze všech ras jsou nejobratnější a "
     "nejinteligentnější, mají silnou vůli a lehce jim jde magie, lukostřelba i pozorování. "
     "Jsou však křehcí: odolnost mají nejnižší a sílu malou. Z elfa bývá výborný kouzelník nebo "
     "lučištník. Lidé obdivují jejich krásu a elfové ten obdiv přijímají jako samozřejmost."},
    {"[race 3]", "thrán",
     "Thránové jsou horský národ se zahnutými rohy, který žije vysoko ve skalách. Jsou "
     "nejrychlejší ze všech ras, silní jako barbaři a obratní jako elfové. V boji holýma rukama "
     "nemají soupeře, jejich rány bývají kritické a magie jim neublíží snadno. Plíží se tiše a "
     "vědí, jak s kým jednat. Thrán obstojí v každém povolání, které žádá rychlost a sílu."},
    {"[race 4]", "trpaslík",
     "Trpaslíci jsou podsadití havíři a kováři z hlubin hor. Jsou ze všech ras nejodolnější, "
     "silní a vytrvalí, se sekerou a kladivem jsou doma a magii dobře odolávají. Jsou však "
     "pomalí, neobratní a na učenost a kouzla nemají trpělivost. Z trpaslíka bývá neúnavný "
     "válečník. Slovo drží stejně pevně jako kámen, z něhož pocházejí."},
};

constexpr const char* kHeading =
    "# Kervana: the texts of the ten intro pages and of the info boxes (UTF-8).\n"
    "# Lines beginning with # are comments. A section begins with its header: [intro 1] to\n"
    "# [intro 10], [profession 0] to [profession 5], [race 0] to [race 4]. The lines below a\n"
    "# header are joined with single blanks; an empty line starts a new paragraph. An intro\n"
    "# page holds up to 500 characters, an info box up to 400, all of them letters of code\n"
    "# page 1250. A section left out keeps what the game shows without it.\n";

// Characters, not bytes: the file is UTF-8 and most of its letters take two bytes.
size_t Length(std::string_view utf8) {
  size_t n = 0;
  for (const char c : utf8) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return n;
}

// Wrapped at blanks so that a translator's editor shows each text without scrolling.
void AppendWrapped(std::string& out, std::string_view text) {
  constexpr size_t kColumns = 78;
  std::string line;
  while (!text.empty()) {
    const size_t blank = text.find(' ');
    const std::string_view word = text.substr(0, blank);
    text.remove_prefix(blank == std::string_view::npos ? text.size() : blank + 1);
    if (!line.empty() && Length(line) + 1 + Length(word) > kColumns) {
      out += line + "\n";
      line.clear();
    }
    if (!line.empty()) line += ' ';
    line += word;
  }
  if (!line.empty()) out += line + "\n";
}

}  // namespace

std::string GameTextsFile() {
  std::string out = kHeading;
  for (const Entry& entry : kEntries) {
    out += "\n";
    out += entry.header;
    out += "\n# ";
    out += entry.label;
    out += "\n";
    AppendWrapped(out, entry.text);
  }
  return out;
}

}  // namespace kv::art
