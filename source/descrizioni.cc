// The meaning of every row and value of the two source formats.
#include "source/descrizioni.h"

#include <cstdint>
#include <limits>

namespace source {

namespace {

using E = effetto;
using P = parte_record;
using C = descrizione_campo;

// Texts shared by many values.
constexpr std::string_view entro_griglia =
    "(valore + 100) / 50 non oltre l'ultima cella della griglia (errore 15)";
constexpr std::string_view in_ordine =
    "righe in ordine crescente di posizione; (posizione + 100) / 50 non "
    "oltre l'ultima cella della griglia (errore 15)";
constexpr std::string_view com_e = "memorizzato così com'è";

// General part.
constexpr std::string_view parole_lunghezza[] = {"lunghezza percorso"};
constexpr C campi_lunghezza[] = {
    {"lunghezza", "m", "da 0 a 1000000 (oltre: errore 1; negativa: errore 25)",
     "voce 84, valore_b (32 bit con segno)",
     "la griglia ha le celle da 0 a rnd((lunghezza + 7000) / 50), il "
     "tracciato un punto per metro fino a lunghezza + 7000",
     E::lunghezza_percorso},
};

constexpr std::string_view parole_tre[] = {"progressiva chilometrica tre"};
constexpr std::string_view parole_due[] = {"progressiva chilometrica due"};
constexpr std::string_view parole_uno[] = {"progressiva chilometrica uno"};
// The three references share their values; the ordering moves each one
// whole into slots 81 to 83.
constexpr C campi_progressiva[] = {
    {"posizione", "m", "multiplo di 50 (errore 2)",
     "valore_a di una voce da 81 a 83 (32 bit con segno)",
     "la progressiva vale da qui fino all'inizio di quella che segue; le tre "
     "sono ordinate per posizione decrescente nelle voci 81, 82, 83, e tutte "
     "azzerate se la posizione più grande è di due di esse",
     E::inizio_progressiva},
    {"valore", "m", "multiplo di 50 (errore 2)",
     "valore_b della stessa voce (32 bit con segno)",
     "la progressiva nella posizione p vale valore + p, o valore - p con il "
     "flag 1; con il flag 1 la voce tiene valore + 100",
     E::nessuno},
    {"flag", "", "0 o 1", "valore_c della stessa voce (32 bit con segno)",
     "1: i chilometri decrescono lungo il percorso", E::nessuno},
};

constexpr std::string_view parole_sfondo_uno[] = {"sfondo uno"};
constexpr std::string_view parole_sfondo_due[] = {"sfondo due"};
constexpr std::string_view parole_sfondo_tre[] = {"sfondo tre"};
constexpr C campi_sfondo_uno[] = {
    {"sfondo", "", "", "voce 85, valore_a (32 bit con segno)", com_e,
     E::nessuno},
};
constexpr C campi_sfondo_due[] = {
    {"sfondo", "", "", "voce 85, valore_c (32 bit con segno)", com_e,
     E::nessuno},
};
constexpr C campi_sfondo_tre[] = {
    {"sfondo", "", "", "voce 85, valore_b (32 bit con segno)", com_e,
     E::nessuno},
};

constexpr std::string_view parole_ripetizione[] = {
    "ripetizione segnali 4 codici", "ripetizione segnali 9 codici"};
constexpr C campi_ripetizione[] = {
    {"inizio", "m", "multiplo di 50 (errore 3)",
     "voce 86, valore_a (32 bit con segno)",
     "dove inizia la ripetizione dei segnali in cabina", E::posizione},
    {"fine", "m", "multiplo di 50 (errore 4)",
     "voce 86, valore_b (32 bit con segno)",
     "dove finisce; 0: nessuna ripetizione, e il numero di codici è 0",
     E::posizione},
};

// Feature part.
constexpr std::string_view parole_pendenza[] = {"pendenza"};
constexpr C campi_pendenza[] = {
    {"posizione", "m", in_ordine, "byte pendenza_linea delle celle",
     "la pendenza vale dalla cella rnd(posizione / 50) fino alla riga che "
     "segue; l'ultima fino alla quartultima cella",
     E::cella_riempimento},
    {"pendenza", "", "da -100 a 155",
     "pendenza + 100 nel byte pendenza_linea (8 bit senza segno)",
     "fuori intervallo la cella ne tiene gli 8 bit bassi", E::pendenza},
};

constexpr std::string_view parole_curva[] = {
    "curvad1", "curvad2", "curvad3", "curvad4", "curvad5", "curvad6",
    "curvas1", "curvas2", "curvas3", "curvas4", "curvas5", "curvas6"};
constexpr C campi_curva[] = {
    {"inizio", "m", entro_griglia, "punti del tracciato, uno per metro",
     "fin qui il tracciato va diritto; una curva che inizia dentro la "
     "precedente parte dalla fine di quella",
     E::posizione},
    {"lunghezza", "m", "più di 0", "punti del tracciato, uno per metro",
     "il tracciato curva da inizio a inizio + lunghezza; oltre il metro "
     "1000000 o la fine del tracciato: errore 103",
     E::nessuno},
};

constexpr std::string_view parole_montagna[] = {"montagna"};
constexpr C campi_montagna[] = {
    {"inizio", "m", entro_griglia, "byte tipo_montagna delle celle",
     "prima cella del tratto: rnd(inizio / 50)", E::prima_cella_montagna},
    {"fine", "m", "", "byte tipo_montagna delle celle",
     "ultima cella del tratto: rnd(fine / 50 - 1); nessuna cella se viene "
     "prima della prima",
     E::ultima_cella_montagna},
    {"tipo", "", "da 1 a 10, o da 11 a 20 con i segni",
     "byte tipo_montagna delle celle (8 bit bassi)",
     "oltre 10: tipo - 10, con un segno di montagna (tipo di cella 11) in "
     "ogni quarta cella vuota; un tratto che inizia 150 m o meno dopo la "
     "fine del precedente prende il tipo 3",
     E::nessuno},
};

constexpr std::string_view parole_indicatori[] = {"indicatori_vmax"};
constexpr C campi_indicatori[] = {
    {"posizione", "m",
     "(posizione + 100) / 50 non oltre l'ultima cella (errore 15); la cella "
     "libera (errore 21)",
     "cella di tipo 6", "il cartello sta nella cella rnd(posizione / 50 + 1)",
     E::cella_punto},
    {"vas", "km/h", "",
     "valore1 della cella = rnd(vad / 5 + vas * 20) (16 bit bassi)",
     "prima velocità del lato s", E::nessuno},
    {"vbs", "km/h", "",
     "valore2 della cella = rnd(vbd / 5 + vbs * 20) (16 bit bassi)",
     "seconda velocità del lato s", E::nessuno},
    {"vcs", "km/h", "",
     "valore3 della cella = rnd(vcd / 5 + vcs * 20) (16 bit bassi)",
     "terza velocità del lato s", E::nessuno},
    {"strisces", "", "",
     "valore4 della cella = strisces * 10 + strisced (16 bit bassi)",
     "strisce del lato s", E::nessuno},
    {"vad", "km/h", "vuoto: 0", "valore1 della cella, diviso per 5",
     "prima velocità del lato d", E::nessuno},
    {"vbd", "km/h", "vuoto: 0", "valore2 della cella, diviso per 5",
     "seconda velocità del lato d", E::nessuno},
    {"vcd", "km/h", "vuoto: 0", "valore3 della cella, diviso per 5",
     "terza velocità del lato d", E::nessuno},
    {"strisced", "", "", "valore4 della cella", "strisce del lato d",
     E::nessuno},
};

constexpr std::string_view parole_cartello[] = {"cartello_indicatore"};
constexpr C campi_cartello[] = {
    {"posizione", "m",
     "(posizione + 100) / 50 non oltre l'ultima cella (errore 15); la cella "
     "libera (errore 6)",
     "cella di tipo 14, con valore1 = la voce del testo",
     "il cartello sta nella cella rnd(posizione / 50 + 1)", E::cella_punto},
    {"testo", "",
     "un gruppo tra parentesi per riga del cartello, senza virgole; testi e "
     "stazioni al massimo 80 voci (errore 10)",
     "testo di una voce, dalla 80 in giù",
     "memorizzato così com'è, senza gli spazi iniziali", E::testo_cartello},
};

// Train file.
constexpr std::string_view parole_massa[] = {"percentuale massa frenata"};
constexpr C campi_massa[] = {
    {"percentuale", "%", "", "voce 84, valore_a (32 bit con segno)", com_e,
     E::nessuno},
};
constexpr std::string_view parole_vetture[] = {"numero vetture"};
constexpr C campi_vetture[] = {
    {"vetture", "", "", "voce 84, valore_c (32 bit con segno)", com_e,
     E::nessuno},
};

constexpr std::string_view parole_velocita[] = {"velocita"};
constexpr C campi_velocita[] = {
    {"posizione", "m", in_ordine, "byte velocita_linea delle celle",
     "la velocità vale dalla cella rnd(posizione / 50) fino alla riga che "
     "segue; l'ultima fino alla quartultima cella",
     E::cella_riempimento},
    {"velocita", "km/h",
     "da -2 a 1277, perché rnd(velocita / 5) stia in un byte (errore 25); "
     "multiplo di 5",
     "rnd(velocita / 5) nel byte velocita_linea, in unità di 5 km/h",
     "una velocità non multipla di 5 è arrotondata", E::velocita},
};

constexpr std::string_view parole_aderenza[] = {"aderenza"};
constexpr C campi_aderenza[] = {
    {"posizione", "m", in_ordine, "byte aderenza_linea delle celle",
     "l'aderenza vale dalla cella rnd(posizione / 50) fino alla riga che "
     "segue; l'ultima fino alla quartultima cella",
     E::cella_riempimento},
    {"aderenza", "", "da 0 a 255", "byte aderenza_linea (8 bit senza segno)",
     "fuori intervallo la cella ne tiene gli 8 bit bassi", E::byte_basso},
};

constexpr std::string_view parole_orologio[] = {"orologio"};
constexpr C campi_orologio[] = {
    {"ore", "h", "", "voce 86, numero_3 (16 bit con segno)",
     "ora di partenza; i tre valori sono separati da spazi", E::nessuno},
    {"minuti", "min", "", "voce 86, numero_4 (16 bit con segno)", com_e,
     E::nessuno},
    {"secondi", "s", "", "voce 86, numero_5 (16 bit con segno)", com_e,
     E::nessuno},
};

constexpr std::string_view parole_sabbia[] = {"sabbia"};
constexpr C campi_sabbia[] = {
    {"sabbia", "", "", "voce 86, numero_1 (16 bit con segno)", com_e,
     E::nessuno},
};

constexpr std::string_view parole_segnale[] = {"segnale"};
constexpr C campi_segnale[] = {
    {"posizione", "m",
     "(posizione + 100) / 50 non oltre l'ultima cella (errore 15); la cella "
     "libera (errore 16)",
     "cella di tipo 1",
     "il segnale sta nella cella rnd(posizione / 50 + 1); le celle 2, 4, 6 e "
     "8 prima prendono avviso = (sx * 3 + dx) * 10 + 1, 2, 3, 4",
     E::cella_punto},
    {"sx", "", "", "valore4 della cella = rapp * 10 + sx * 3 + dx",
     "2: il tempo del segnale è memorizzato", E::nessuno},
    {"s1", "", "", "valore1 della cella = s1 * 10 + d1", com_e, E::nessuno},
    {"s2", "", "", "valore2 della cella = s2 * 10 + d2", com_e, E::nessuno},
    {"s3", "", "", "valore3 della cella = s3 * 10 + d3", com_e, E::nessuno},
    {"rapp", "", "", "valore4 della cella = rapp * 10 + sx * 3 + dx", com_e,
     E::nessuno},
    {"dx", "", "", "valore4 della cella = rapp * 10 + sx * 3 + dx", com_e,
     E::nessuno},
    {"d1", "", "", "valore1 della cella = s1 * 10 + d1", com_e, E::nessuno},
    {"d2", "", "", "valore2 della cella = s2 * 10 + d2", com_e, E::nessuno},
    {"d3", "", "", "valore3 della cella = s3 * 10 + d3", com_e, E::nessuno},
    {"tempo", "", "da 1 a 100 vale 101",
     "byte tempo_segnale della cella (8 bit bassi), solo con sx = 2",
     "con sx diverso da 2 la cella tiene 0", E::nessuno},
};

constexpr std::string_view parole_rallentamento[] = {"rallentamento"};
constexpr C campi_rallentamento[] = {
    {"x", "m",
     "(x + 100) / 50 non oltre l'ultima cella (errore 15); celle di avviso, "
     "inizio e fine libere (errori 17, 18, 19)",
     "cella di tipo 3 (inizio); oltre 1500 m anche una di tipo 4 (avviso)",
     "l'inizio sta nella cella rnd(x / 50 + 1), l'avviso in "
     "rnd((x - 1200) / 50 + 1)",
     E::cella_punto},
    {"v", "km/h", "",
     "valore1 delle celle di inizio, fine e avviso (16 bit bassi)", com_e,
     E::nessuno},
    {"l", "m", "", "cella di tipo 2 (fine)",
     "la fine sta nella cella rnd((x + l) / 50 + 1)", E::fine_rallentamento},
    {"f_tt", "", "", "valore3 delle celle di inizio e fine (16 bit bassi)",
     com_e, E::nessuno},
    {"f_ta", "", "",
     "celle di tipo 5 (conto alla rovescia), libere (errore 20)",
     "diverso da 0, con x oltre 1500 m: quattro celle di conto alla rovescia "
     "subito prima dell'avviso",
     E::nessuno},
    {"d_v", "", "",
     "valore2 delle celle di inizio, fine e avviso (16 bit bassi)",
     "diverso da 0: memorizzato, e numera anche il conto alla rovescia",
     E::nessuno},
};

constexpr std::string_view parole_abbattimento[] = {"abbattimento"};
constexpr C campi_abbattimento[] = {
    {"posizione", "m",
     "(posizione + 100) / 50 non oltre l'ultima cella (errore 15); la cella "
     "libera (errore 7)",
     "cella di tipo 12, o 13 con velocità 0 o meno",
     "il punto sta nella cella rnd(posizione / 50)", E::cella_abbattimento},
    {"velocita", "km/h", "", "valore1 della cella (16 bit bassi)",
     "sopra 0: tipo 12 con la velocità; altrimenti tipo 13", E::nessuno},
};

constexpr std::string_view parole_stazione[] = {"stazione"};
constexpr C campi_stazione[] = {
    {"posizione", "m",
     "multiplo di 50 (errore 8); (posizione + 800) / 50 non oltre l'ultima "
     "cella (errore 15)",
     "valore_c della voce della stazione (32 bit con segno)",
     "la stazione prende la voce seguente da 1 in su; sotto la categoria 25 "
     "la fermata (cella di tipo 10) sta in rnd(valore_b / 50 - 1), e tranne "
     "per le categorie 5 e 6 i codici di avviso nelle 4 celle prima",
     E::posizione_stazione},
    {"categoria", "", "", "categoria della voce (8 bit senza segno)",
     "5 o 6: il tratto va da posizione - lunghezza a posizione + 150; 7 o 8: "
     "da posizione - lunghezza a posizione + lunghezza; 25 e oltre: nessuna "
     "fermata",
     E::nessuno},
    {"lunghezza", "m", "multiplo di 100 (errore 9)", "non memorizzata",
     "fissa il tratto, valore_a e valore_b: per le altre categorie da "
     "rnd(posizione - lunghezza / 2) a rnd(posizione + lunghezza / 2); ogni "
     "stazione inizia almeno 350 m dopo la fine della precedente (errore 22)",
     E::nessuno},
    {"opzione", "", "", "opzione della voce (8 bit senza segno)", com_e,
     E::nessuno},
    {"cifra_3", "", "", "cifra_3 della voce (8 bit senza segno)",
     "azzerata per la prima stazione e sotto i 600 m di lunghezza", E::nessuno},
    {"cifra_2", "", "", "cifra_2 della voce (8 bit senza segno)",
     "diversa da 0: il tratto si allunga di 50 m alla fine; azzerata per le "
     "categorie da 5 a 8 e per la prima stazione",
     E::nessuno},
    {"numero_1", "", "", "numero_1 della voce (16 bit con segno)", com_e,
     E::nessuno},
    {"numero_2", "", "", "numero_2 della voce (16 bit con segno)", com_e,
     E::nessuno},
    {"cifra_1", "", "", "cifra_1 della voce (8 bit senza segno)", com_e,
     E::nessuno},
    {"numero_3", "", "", "numero_3 della voce (16 bit con segno)", com_e,
     E::nessuno},
    {"numero_4", "", "", "numero_4 della voce (16 bit con segno)", com_e,
     E::nessuno},
    {"numero_5", "", "", "numero_5 della voce (16 bit con segno)", com_e,
     E::nessuno},
    {"sosta", "s", "", "sosta della voce (8 bit senza segno)",
     "la sosta in secondi", E::nessuno},
    {"ore", "h", "",
     "valore_d della voce = (ore * 60 + minuti) * 60 + secondi (32 bit bassi)",
     "l'orario della stazione", E::nessuno},
    {"minuti", "min", "", "valore_d della voce", "l'orario della stazione",
     E::nessuno},
    {"secondi", "s", "", "valore_d della voce", "l'orario della stazione",
     E::nessuno},
    {"nome", "", "senza virgole; la scheda treno ne mostra 27 caratteri",
     "testo della voce", com_e, E::nessuno},
};

constexpr descrizione_record tabella[] = {
    {record::lunghezza_percorso, P::generale, "[generale]", parole_lunghezza,
     "La lunghezza del percorso, che dimensiona la griglia e il tracciato.",
     campi_lunghezza, "lunghezza percorso,    309000"},
    {record::progressiva_tre, P::generale, "[generale]", parole_tre,
     "La progressiva chilometrica «tre»: da dove vale e come conta.",
     campi_progressiva,
     "progressiva chilometrica tre,    224000,    381000,    1"},
    {record::progressiva_due, P::generale, "[generale]", parole_due,
     "La progressiva chilometrica «due»: da dove vale e come conta.",
     campi_progressiva,
     "progressiva chilometrica due,    108000,    -107000,    0"},
    {record::progressiva_uno, P::generale, "[generale]", parole_uno,
     "La progressiva chilometrica «uno»: da dove vale e come conta.",
     campi_progressiva,
     "progressiva chilometrica uno,    24000,    219000,    1"},
    {record::sfondo_uno, P::generale, "[generale]", parole_sfondo_uno,
     "Il primo valore dello sfondo.", campi_sfondo_uno, "sfondo uno,    1"},
    {record::sfondo_due, P::generale, "[generale]", parole_sfondo_due,
     "Il secondo valore dello sfondo.", campi_sfondo_due,
     "sfondo due,    224000"},
    {record::sfondo_tre, P::generale, "[generale]", parole_sfondo_tre,
     "Il terzo valore dello sfondo.", campi_sfondo_tre,
     "sfondo tre,    107500"},
    {record::ripetizione_segnali, P::generale, "[generale]", parole_ripetizione,
     "La ripetizione dei segnali in cabina: il tratto, e 4 o 9 codici come "
     "dice la parola chiave (nessuna delle due cifre: errore 5).",
     campi_ripetizione, "ripetizione segnali 4 codici,    10400,    309000",
     "ripetizione segnali"},
    {record::pendenza, P::caratteristiche, "[pendenze]", parole_pendenza,
     "La pendenza della linea da questa posizione alla riga che segue.",
     campi_pendenza, "pendenza,  10850,   -2"},
    {record::curva, P::caratteristiche, "[curve]", parole_curva,
     "Una curva del tracciato: a sinistra se la parola chiave contiene una "
     "«s», a destra altrimenti; la prima cifra da 1 a 6 ne dà la classe "
     "(1: 0,0001, 2: 0,0002, 3: 0,0004, 4: 0,001, 5: 0,002, 6: 0,003 radianti "
     "per metro; nessuna: errore 103).",
     campi_curva, "curvad5,  1000,  550", "curva"},
    {record::montagna, P::caratteristiche, "[montagne]", parole_montagna,
     "Un tratto di montagna: il suo tipo nelle celle, con i segni se il tipo "
     "supera 10.",
     campi_montagna, "montagna,   10650,  11150,  12"},
    {record::indicatori_v_max, P::caratteristiche, "[cartelli]",
     parole_indicatori,
     "Un cartello indicatore di velocità massima: tre velocità e le strisce "
     "di ciascun lato.",
     campi_indicatori,
     "indicatori_vmax,  1200,  95,  95,  100,  0,  95,  95,  100,  0"},
    {record::cartello_indicatore, P::caratteristiche, "[indicazioni]",
     parole_cartello, "Un cartello a lato della linea, con il suo testo.",
     campi_cartello, "cartello_indicatore,  2050,   (Cippo Km 2.000)"},
    {record::massa_frenata, P::treno, "[generale]", parole_massa,
     "La percentuale di massa frenata del treno.", campi_massa,
     "percentuale massa frenata,    125"},
    {record::vetture, P::treno, "[generale]", parole_vetture,
     "Il numero di vetture del treno.", campi_vetture, "numero vetture,    8"},
    {record::velocita, P::treno, "[vel_limite]", parole_velocita,
     "La velocità massima della linea da questa posizione alla riga che "
     "segue.",
     campi_velocita, "velocita,    1250,    95"},
    {record::aderenza, P::treno, "[aderenze]", parole_aderenza,
     "L'aderenza da questa posizione alla riga che segue.", campi_aderenza,
     "aderenza,   0,    100"},
    {record::orologio, P::treno, "[generale]", parole_orologio,
     "L'ora di partenza della corsa.", campi_orologio,
     "orologio,    17              24            30 "},
    {record::sabbia, P::treno, "[generale]", parole_sabbia,
     "La sabbia del treno.", campi_sabbia, "sabbia,    300"},
    {record::segnale, P::treno, "[segnali]", parole_segnale,
     "Un segnale, con i suoi aspetti e i quattro codici di avviso prima di "
     "lui.",
     campi_segnale, "segnale,    1400,   2, 3, 1,  1, 0,    2,  2,1,1, 0"},
    {record::rallentamento, P::treno, "[rallentamenti]", parole_rallentamento,
     "Un rallentamento: inizio, fine e, oltre 1500 m, il punto di avviso "
     "1200 m prima.",
     campi_rallentamento, "rallentamento,  12000,  60,  1000,  1,  1,  0"},
    {record::abbattimento, P::treno, "[rallentamenti]", parole_abbattimento,
     "Un punto di abbattimento della velocità.", campi_abbattimento,
     "abbattimento,  5000,  60"},
    {record::stazione, P::treno, "[stazioni]", parole_stazione,
     "Una stazione della corsa, nella voce seguente della tabella, con la "
     "sua fermata e i codici di avviso.",
     campi_stazione,
     "stazione,       0,  8,  800,  1, 1, 0,  5,1,0,  2,1,1,    1,  17,25, "
     "0, VENDRALO CENTRALE"},
};

constexpr std::string_view linea[] = {
    "[generale]", "[curve]",       "[pendenze]", "[montagne]",
    "[cartelli]", "[indicazioni]", "[fine]"};
constexpr std::string_view treno[] = {
    "[generale]",      "[aderenze]", "[vel_limite]", "[stazioni]",
    "[rallentamenti]", "[segnali]",  "[codici]",     "[fine]"};

}  // namespace

bool sul_percorso(effetto e) {
  switch (e) {
    case effetto::nessuno:
    case effetto::lunghezza_percorso:
    case effetto::fine_rallentamento:
    case effetto::velocita:
    case effetto::pendenza:
    case effetto::byte_basso:
    case effetto::testo_cartello:
      return false;
    default:
      return true;
  }
}

std::span<const descrizione_record> descrizioni() { return tabella; }

const descrizione_record& descrizione(record kind) {
  for (const descrizione_record& d : tabella) {
    if (d.kind == kind) return d;
  }
  return tabella[0];  // unreachable: every kind has its entry
}

std::span<const std::string_view> sezioni_linea() { return linea; }
std::span<const std::string_view> sezioni_treno() { return treno; }

std::string_view nome_larghezza(larghezza w) {
  switch (w) {
    case larghezza::i32:
      return "32 bit con segno";
    case larghezza::i16:
      return "16 bit con segno";
    case larghezza::u8:
      return "8 bit senza segno";
    case larghezza::testo:
      break;
  }
  return "testo fino a fine riga";
}

std::string intervallo_larghezza(larghezza w) {
  auto da_a = [](std::int64_t a, std::int64_t b) {
    return "da " + std::to_string(a) + " a " + std::to_string(b);
  };
  switch (w) {
    case larghezza::i32:
      return da_a(std::numeric_limits<std::int32_t>::min(),
                  std::numeric_limits<std::int32_t>::max());
    case larghezza::i16:
      return da_a(std::numeric_limits<std::int16_t>::min(),
                  std::numeric_limits<std::int16_t>::max());
    case larghezza::u8:
      return da_a(0, std::numeric_limits<std::uint8_t>::max());
    case larghezza::testo:
      break;
  }
  return {};
}

}  // namespace source
