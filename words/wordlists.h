#pragma once
// The six built-in word lists, fixed at build time. Entries are CP1250 byte strings converted from
// the readable literals while compiling, so choosing a word reads one entry and nothing is parsed or
// allocated at run time. Empty entries and repeated entries are deliberate: each entry is drawn on
// its own, so a word that stands twice comes up twice as often.

#include <array>
#include <string_view>

#include "words/cp1250.h"

namespace dyx {

// everyday words ("Slova")
inline constexpr std::array<std::string_view, 131> EverydayWords = {
    "SLOVO"_cp, "JARO"_cp, "NOHA"_cp, "KOLO"_cp, "LOUKA"_cp,
    "PRIVATIZACE"_cp, "LUSTR"_cp, "RADIÁTOR"_cp, "STOLEČEK"_cp, "SLUNÉČKO"_cp,
    "PÍSEŇ"_cp, "KALKULAČKA"_cp, "KARTA"_cp, "KALENDÁŘ"_cp, "SKŘÍŇ"_cp,
    "ZÁCHOD"_cp, "OKNO"_cp, "ČASOPIS"_cp, "MAPA"_cp, "LAMPA"_cp,
    "HODINY"_cp, "NEJNEOBHOSPODAŘOVÁVATELNĚJŠÍMI"_cp, "DůM"_cp, "BARÁK"_cp, "ODPADLÍK"_cp,
    "KALENDÁŘ"_cp, "DÍRA"_cp, "HROMOSVOD"_cp, "SEX"_cp, "KATALOG"_cp,
    "TOALETNÍ PAPÍR"_cp, "ŽEHLIČKA"_cp, "ŘEKA"_cp, "STOJAN NA TUŽKY"_cp, "VESMÍR"_cp,
    "HVĚZDY"_cp, "SUPERNOVA"_cp, "LOGO"_cp, "RECIDIVA"_cp, "TRESTNÝ ČIN"_cp,
    "ZLOČINEC"_cp, "ČERNÁ DÍRA"_cp, "MIMOZEMŠŤANÉ"_cp, "KŠANDY"_cp, "VTIP"_cp,
    "VĚTA"_cp, "BOBKOVÝ LIST"_cp, "VODA"_cp, "BEDNA"_cp, "OKAP"_cp,
    "KAZETA"_cp, "HOSPODA"_cp, "FILM"_cp, "KOST"_cp, "MUŽ"_cp,
    "PÁN"_cp, "HRAD"_cp, "ŽENA"_cp, "RůŽE"_cp, "PÍSEŇ"_cp,
    "STROJ"_cp, "MĚSTO"_cp, "MOŘE"_cp, "KUŘE"_cp, "STAVENÍ"_cp,
    "BIBLE"_cp, "TAŠKA"_cp, "MRAKY"_cp, "VÝHLED"_cp, "KUFR"_cp,
    "DOKUMENTY"_cp, "SNĚMOVNA"_cp, "PARLAMEN"_cp, "SLOVNÍK"_cp, "VÁNOČKA"_cp,
    "VÁNOCE"_cp, "NEMOC"_cp, "VLAK"_cp, "KOČIČÁK"_cp, "HLUPÁK"_cp,
    "KALHOTY"_cp, "RUCE"_cp, "ŠPÍNA"_cp, "HRUŠKA"_cp, "JABLKO"_cp,
    "ČERV"_cp, "KLÍČE"_cp, "DUHA"_cp, "HODINA"_cp, "TMA"_cp,
    "SVĚTLO"_cp, "VLÁDA"_cp, "STÁT"_cp, "REPUBLIKA"_cp, "KRÁLOVSTVÍ"_cp,
    "KRÁL"_cp, "HOLUB"_cp, "ZVÍŘE"_cp, "MEDůZA"_cp, "HOUBA"_cp,
    "SADBA"_cp, "HAJNÝ"_cp, "JELEN"_cp, "ŠPUNT"_cp, "VANA"_cp,
    "DROBEČKY"_cp, "KůLNA"_cp, "TARASNICE"_cp, "KOBKA"_cp, "HROB"_cp,
    "DĚJEPIS"_cp, "MATEMATIKA"_cp, "ČESKÝ JAZYK"_cp, "PŘÍRODOPIS"_cp, "TĚLOCVIK"_cp,
    "FYZIKA"_cp, "VÝTVARNÁ VÝCHOVA"_cp, "ANGLICKÝ JAZYK"_cp, "KONVERZACE"_cp, "VLASTIVĚDA"_cp,
    "CHLEBA"_cp, "KYLOGRAM"_cp, "PACHOLEK"_cp, "MEDVĚD"_cp, "OBYVATEL"_cp,
    "BYT"_cp, "LYŽE"_cp, "PÝCHA"_cp, "NETOPÝR"_cp, "HNůJ"_cp,
    "MÍSTNOST"_cp,
};

// towns at home and abroad ("Města"); the last five entries are empty on purpose: they give an empty word
inline constexpr std::array<std::string_view, 71> TownWords = {
    "PRHA"_cp, "BRNO"_cp, "PAŘÍŽ"_cp, "LONDÝN"_cp, "DALLAS"_cp,
    "DOBRUŠKA"_cp, "NEW YORK"_cp, "HUSTON"_cp, "RIO DE JANEIRO"_cp, "HRADEC KRÁLOVÉ"_cp,
    "RYCHNOV NAD KNĚŽNOU"_cp, "PLZEŇ"_cp, "KARLOVY VARY"_cp, "CHOMUTOV"_cp, "ČESKÉ BUDĚJOVICE"_cp,
    "JIHLAVA"_cp, "PROSTĚJOV"_cp, "ÚSTÍ NAD LABEM"_cp, "VÍDEŇ"_cp, "BERLÍN"_cp,
    "MOSKVA"_cp, "LITOMYŠL"_cp, "PŘIBYSLAV"_cp, "RUZYNĚ"_cp, "DOMAŽLICE"_cp,
    "KOŠICE"_cp, "LOS ANGELES"_cp, "ŘÍM"_cp, "ATÉNY"_cp, "DOLY"_cp,
    "SYDNY"_cp, "ŘÍČANY"_cp, "ČESKÝ KRUMLOV"_cp, "STRAKONICE"_cp, "OPAVA"_cp,
    "OSTRAVA"_cp, "CHRUDIM"_cp, "TÁBOR"_cp, "PÍSEK"_cp, "HAVLÍČKůV BROD"_cp,
    "ČÁSLAV"_cp, "KUTNÁ HORA"_cp, "ČERNÁ HORA"_cp, "RAKOVNÍK"_cp, "TEPLICE"_cp,
    "DĚČÍN"_cp, "KARLOVY VARY"_cp, "PRACHATICE"_cp, "ŽAMBREK"_cp, "LANŠKROUN"_cp,
    "ŠUMPERK"_cp, "UHERSKÉ HRADIŠTĚ"_cp, "SOKOLOV"_cp, "AŠ"_cp, "CHEB"_cp,
    "ZNOJMO"_cp, "TRENČÍN"_cp, "BAGDÁD"_cp, "KÁHIRA"_cp, "DENVER"_cp,
    "SAN FRANCISKO"_cp, "MONTREAL"_cp, "KARAKAS"_cp, "SAKRAMENTO"_cp, "BUDAPEŠŤ"_cp,
    "VÍDEŇ"_cp, ""_cp, ""_cp, ""_cp, ""_cp,
    ""_cp,
};

// first names and heroes ("Jména")
inline constexpr std::array<std::string_view, 131> NameWords = {
    "JANA"_cp, "ADAM"_cp, "GEORGE"_cp, "JEROME"_cp, "ŽOFIE"_cp,
    "LUCIE"_cp, "MARKÉTA"_cp, "PETR"_cp, "DANIEL"_cp, "ONDRA"_cp,
    "IRENA"_cp, "VENDULA"_cp, "RICHARD"_cp, "APOLENA"_cp, "KARINA"_cp,
    "RADMILA"_cp, "DIANA"_cp, "DALIMIL"_cp, "VILMA"_cp, "VILHAUS"_cp,
    "BART"_cp, "LISA"_cp, "MARGE"_cp, "BĚLA"_cp, "BOŽENA"_cp,
    "ILONA"_cp, "ČESTMÍR"_cp, "BOBY"_cp, "LEONARDO"_cp, "MICHELANGELO"_cp,
    "BLAŽEJ"_cp, "KORPIL"_cp, "TRIMAS"_cp, "KOLOMAJZNA"_cp, "KEBULE"_cp,
    "ROBÁTKO"_cp, "BORIS"_cp, "IVAN"_cp, "FILIP"_cp, "PETRA"_cp,
    "BEDŘICH"_cp, "MIREK"_cp, "JARKA"_cp, "RYCHLONOŽKA"_cp, "ČERVENÁČEK"_cp,
    "ROCKY"_cp, "RAMBO"_cp, "BOLMÍR"_cp, "RADOVAN"_cp, "KOPYTO"_cp,
    "MŇOUK"_cp, "NOVÁK"_cp, "EVA"_cp, "ŠÁRKA"_cp, "VERONIKA"_cp,
    "ROMAN"_cp, "HONZA"_cp, "FRANTIŠEK"_cp, "HANA"_cp, "ZUZANA"_cp,
    "TEREZA"_cp, "DRUMPIK"_cp, "OLDŘICH"_cp, "ŠEHREZÁDA"_cp, "BOŽENA"_cp,
    "SELENA"_cp, "MACGYVER"_cp, "ANGUS"_cp, "PEGGY"_cp, "LJUBA"_cp,
    "SVĚTLANA"_cp, "LEONA"_cp, "DITA"_cp, "ARNOŠT"_cp, "KLAUDIE"_cp,
    "PŘEMYSL"_cp, "TAŤÁNA"_cp, "KVIDO"_cp, "HUGO"_cp, "KRYSTÁNA"_cp,
    "IGNÁC"_cp, "ANDREJ"_cp, "VAVŘINEC"_cp, "LUDVÍK"_cp, "OLGA"_cp,
    "JÁCHYM"_cp, "SILVESTR"_cp, "ZITA"_cp, "JERONÝM"_cp, "IGNÁC"_cp,
    "LÝDIE"_cp, "SKOČDOPOLE"_cp, "ADÉLA"_cp, "LUĎEK"_cp, "ALENA"_cp,
    "PAVLÍNA"_cp, "MATOUŠ"_cp, "ŠIMON"_cp, "BERTA"_cp, "ČENĚK"_cp,
    "ČENISLAV"_cp, "FELIX"_cp, "EVŽEN"_cp, "LEOPOLD"_cp, "ALŽBĚTA"_cp,
    "NIKOLA"_cp, "CECÍLIE"_cp, "KLEMENT"_cp, "XENIE"_cp, "RENÉ"_cp,
    "ONDŘEJ"_cp, "BOBEŠ"_cp, "PATRICIE"_cp, "PROKOP"_cp, "NORA"_cp,
    "BOŘEK"_cp, "ANNA"_cp, "JÁCHYM"_cp, "MICHAL"_cp, "LUKÁŠ"_cp,
    "VLADĚNA"_cp, "MAXA"_cp, "JONY"_cp, "MICHAL"_cp, "MIKI"_cp,
    "BUKVIN"_cp, "RADANA"_cp, "BLAKE"_cp, "IGOR"_cp, "BABAJAGA"_cp,
    "ADOLF"_cp,
};

// computing ("Počítač")
inline constexpr std::array<std::string_view, 71> ComputerWords = {
    "TISKÁRNA"_cp, "MONITOR"_cp, "HARDWARE"_cp, "SOFTWARE"_cp, "TURBO"_cp,
    "MICROSOFT"_cp, "BUKVIN"_cp, "ZELVOTRON"_cp, "EDITOR"_cp, "CD ROM"_cp,
    "COMPUTER"_cp, "RAM"_cp, "OPERAČNÍ PAMĚŤ"_cp, "ZVUKOVÁ KARTA"_cp, "BYTE"_cp,
    "SAVE"_cp, "ADRESÁŘ"_cp, "WINDOWS"_cp, "DOS"_cp, "PASCAL"_cp,
    "BASIC"_cp, "DELPHI"_cp, "DOOM"_cp, "DUKE NUKEM"_cp, "MYŠ"_cp,
    "KLÁVESNICE"_cp, "KABELY"_cp, "TABULKOVÝ PROCESOR"_cp, "MIKROFON"_cp, "VIRUS"_cp,
    "GRAMBLIX"_cp, "SCORE"_cp, "PC"_cp, "DISKETA"_cp, "EROR"_cp,
    "SLUCHÁTKA"_cp, "RADIOTRACK"_cp, "OBRÁZKY"_cp, "VIDEOKARTA"_cp, "MODEM"_cp,
    "INTERNET"_cp, "DELETE"_cp, "INSERT"_cp, "HOME"_cp, "END"_cp,
    "EXIT"_cp, "QUITE"_cp, "RANDOM"_cp, "JOISTICK"_cp, "RAZOR"_cp,
    "APPOGE"_cp, "PROGRAMÁTOR"_cp, "PAŘIT"_cp, "ŠETŘIČ OBRAZOVKY"_cp, "XEROX"_cp,
    "TERTIX"_cp, "DISPLAY"_cp, "HRY"_cp, "PAINTBRUSH"_cp, "IF"_cp,
    "ELSE"_cp, "WWW"_cp, "E MAIL"_cp, "DIGITÁLNÍ"_cp, "KŘEMÍKOVÉ ÚDOLÍ"_cp,
    "SOUND"_cp, "MUSIC"_cp, "PLAY"_cp, "OPEN"_cp, "CLOSE"_cp,
    "NOTEBOOK"_cp,
};

// proverbs ("Přísloví")
inline constexpr std::array<std::string_view, 39> ProverbWords = {
    "KDO ŠETŘÍ, MÁ ZA TŘI"_cp, "MLUVITI STŘÍBRO, MLČETI ZLATO"_cp, "KDO JINÉMU JÁMU KOPÁ, SÁM DO NÍ PADÁ"_cp, "NEŠTĚSTÍ VE HŘE, ŠTĚSTÍ V LÁSCE"_cp, "ČÍM VÍC TÍM LÍP"_cp,
    "CO MůŽEŠ UDĚLAT DNES, TO NEODKLÁDEJ"_cp, "BEZ PRÁCE NEJSOU KOLÁČE"_cp, "CO ČECH TO MUZIKANT"_cp, "S VÝŠKOU STOUPÁ I CENA"_cp, "HOST DO DOMU, BůH DO DOMU"_cp,
    "NEŽ BYS ŘEKL ŠVEC"_cp, "JEDNO JABLKO DENNĚ, ZAHÁNÍ DOKTORA"_cp, "KAM NECHODÍ SLUNCE, TAM CHODÍ LÉKAŘ"_cp, "ČAS JSOU PENÍZE"_cp, "PÝCHA PŘEDCHÁZÍ PÁD"_cp,
    "LEHCE NABYL, LEHCE POZBYL"_cp, "SYTÝ HLADOVÉMU NEVĚŘÍ"_cp, "VESELÁ MYSL PůL ZDRAVÍ"_cp, "KDO CHCE VÍC, NEMÁ NIC"_cp, "PRÁCE KVAPNÁ, MÁLO PLATNÁ"_cp,
    "BEZ PENĚZ DO HOSPODY NELEZ"_cp, "ČAS JSOU PENÍZE"_cp, "NEMUSÍ PRŠET, JEN KDYŽ KAPE"_cp, "NIKDY NENÍ POZDĚ"_cp, "LEŽ MÁ KRÁTKÉ NOHY"_cp,
    "KDO LŽE TEN KRADE"_cp, "SLIBY CHYBY"_cp, "KDO POZDĚ CHODÍ, SÁM SOBĚ ŠKODÍ"_cp, "KDO DŘÍV PŘÍJDE, TEN DŘÍV MELE"_cp, "KDO ZAVÁHÁ - NEŽERE"_cp,
    "ŘEŠETEM VODU NENABEREŠ"_cp, "CO TĚ NEPÁLÍ - NEHAS"_cp, "ŘEČI SE MLUVÍ A PIVO PIJE"_cp, "AŤ JSME BLBÍ, JEN KDYŽ JSME ZDRAVÍ"_cp, "CO OČI NEVIDÍ, TO SRDCE NEBOLÍ"_cp,
    "KOMU SE NELENÍ, TOMU SE ZELENÍ"_cp, "O KOM SE MLUVÍ, TEN SE ZJEVÍ"_cp, "MY O VLKU A VLK ZA DVEŘMI"_cp, "O KOM SE MLUVÍVÁ, NA BLÍZKU BÍVÁ"_cp,
};

// animals and plants ("Fauna a flóra")
inline constexpr std::array<std::string_view, 71> FaunaFloraWords = {
    "PRASE"_cp, "VůL"_cp, "KůŇ"_cp, "KOBYLA"_cp, "KOČKA"_cp,
    "PES"_cp, "KYTKA"_cp, "RůŽE"_cp, "KOZA"_cp, "SLEPICE"_cp,
    "KOHOUT"_cp, "TULIPÁN"_cp, "FIALKY"_cp, "PAMPELIŠKA"_cp, "BLECHA"_cp,
    "DŘEVOTOČ"_cp, "KROKODÝL"_cp, "HAD"_cp, "MEDVĚD"_cp, "RORÝS"_cp,
    "PAPOUŠEK"_cp, "KRÁLÍK"_cp, "ZAJÍC"_cp, "TELE"_cp, "SELE"_cp,
    "SVINĚ"_cp, "PODSVINČE"_cp, "STROM"_cp, "LIÁNA"_cp, "LÍSKOVÝ KEŘ"_cp,
    "HOVNIVÁL"_cp, "MRCHOŽROUT"_cp, "ŽELVA"_cp, "KRYSA"_cp, "MYŠ"_cp,
    "HOUBA"_cp, "ŽÍŽALA"_cp, "ŽÁBA"_cp, "ROPUCHA"_cp, "MÝVAL"_cp,
    "TRÁVA"_cp, "KONOPÍ"_cp, "KOPŘIVA"_cp, "BODLÁK"_cp, "FIKUS"_cp,
    "PETRKLÍČ"_cp, "SNĚŽENKA"_cp, "KVĚT"_cp, "PTÁK"_cp, "OREL"_cp,
    "VRÁNA"_cp, "ŠKRKAVKA"_cp, "KAVKA"_cp, "SUP"_cp, "BůVOL"_cp,
    "BÝK"_cp, "NETOPÝR"_cp, "SLEPÝŠ"_cp, "VČELA"_cp, "VOSA"_cp,
    "SRŠEŇ"_cp, "ČMELÁK"_cp, "MOUCHA"_cp, "MASAŘKA"_cp, "HOVADO"_cp,
    "VÁŽKA"_cp, "JELEN"_cp, "KAMZÍK"_cp, "LIŠKA"_cp, "TCHOŘ"_cp,
    "MODŘÍN"_cp,
};

}  // namespace dyx
