// The table of fault numbers.
#include "compiler/guasti.h"

namespace compiler {

namespace {

using R = source::record;

// The rows behind each fault, as the reader, placement and the finishing
// pass report it.
constexpr R righe_lunghezza[] = {R::lunghezza_percorso};
constexpr R righe_progressive[] = {R::progressiva_tre, R::progressiva_due,
                                   R::progressiva_uno};
constexpr R righe_ripetizione[] = {R::ripetizione_segnali};
constexpr R righe_cartello[] = {R::cartello_indicatore};
constexpr R righe_testi[] = {R::cartello_indicatore, R::stazione};
constexpr R righe_abbattimento[] = {R::abbattimento};
constexpr R righe_stazione[] = {R::stazione};
constexpr R righe_segnale[] = {R::segnale};
constexpr R righe_segnale_rallentamento[] = {R::segnale, R::rallentamento};
constexpr R righe_rallentamento[] = {R::rallentamento};
constexpr R righe_indicatori[] = {R::indicatori_v_max};
constexpr R righe_curva[] = {R::curva};
// The rows that can write the first or the second value of cell 1 (a
// finishing pass's mark belongs to its signal or restriction).
constexpr R righe_primo_valore[] = {R::indicatori_v_max, R::cartello_indicatore,
                                    R::segnale, R::rallentamento,
                                    R::abbattimento};
constexpr R righe_secondo_valore[] = {R::indicatori_v_max, R::segnale,
                                      R::rallentamento};

constexpr voce_guasto guasti[] = {
    {guasto::lunghezza_percorso, false,
     "La lunghezza del percorso supera 1000000 m.", righe_lunghezza},
    {guasto::progressive, false,
     "Una progressiva chilometrica ha la posizione o il valore non "
     "multiplo di 50 m.",
     righe_progressive, eliminazione::nessuna},
    {guasto::inizio_ripetizione, false,
     "L'inizio della ripetizione segnali non è multiplo di 50 m.",
     righe_ripetizione},
    {guasto::fine_ripetizione, false,
     "La fine della ripetizione segnali non è multipla di 50 m.",
     righe_ripetizione},
    {guasto::codici_ripetizione, false,
     "La riga della ripetizione segnali non indica né 4 né 9 codici.",
     righe_ripetizione, eliminazione::questa, seguito::ferma_lettura,
     /*testo_del_campo=*/true},
    {guasto::cartello_occupato, true,
     "Cartello indicatore su una cella occupata.", righe_cartello},
    {guasto::abbattimento_occupato, true,
     "Punto di abbattimento su una cella occupata.", righe_abbattimento},
    {guasto::posizione_stazione, true,
     "La posizione della stazione non è multipla di 50 m.", righe_stazione},
    {guasto::lunghezza_stazione, true,
     "La lunghezza della stazione non è multipla di 100 m.", righe_stazione},
    {guasto::tabella_piena, false,
     "Le stazioni hanno raggiunto le voci dei testi dei cartelli: "
     "tabella piena.",
     righe_testi},
    {guasto::segnale_prima_dell_avviso, true,
     "Un segnale prima di un punto di avviso non ha libera nessuna delle "
     "due celle che lo precedono.",
     righe_segnale_rallentamento, eliminazione::nessuna, seguito::prosegue},
    {guasto::fascia_occupata, true,
     "Nessuna cella libera in una fascia prima dell'inizio di un "
     "rallentamento.",
     righe_rallentamento, eliminazione::nessuna, seguito::prosegue},
    {guasto::segno_interno, true,
     "Nessuna cella libera per un abbattimento dentro un rallentamento o "
     "prima del primo segnale dopo la sua fine.",
     righe_rallentamento, eliminazione::nessuna, seguito::prosegue},
    {guasto::fuori_griglia, true,
     "Un elemento si trova oltre i limiti della griglia delle celle.",
     source::record_posizionati, eliminazione::questa, seguito::fine_file},
    {guasto::segnale_occupato, true, "Segnale su una cella occupata.",
     righe_segnale},
    {guasto::avviso_occupato, true,
     "Punto di avviso di un rallentamento su una cella occupata.",
     righe_rallentamento},
    {guasto::inizio_occupato, true,
     "Inizio di un rallentamento su una cella occupata.", righe_rallentamento},
    {guasto::fine_occupata, true,
     "Fine di un rallentamento su una cella occupata.", righe_rallentamento},
    {guasto::conto_occupato, true,
     "Una delle quattro celle del conto alla rovescia prima del punto di "
     "avviso è occupata.",
     righe_rallentamento},
    {guasto::indicatore_occupato, true,
     "Indicatore di velocità massima su una cella occupata.", righe_indicatori},
    {guasto::distanza_stazioni, true,
     "La stazione inizia meno di 350 m dopo la fine della stazione "
     "precedente.",
     righe_stazione},
    {guasto::fermata_stazione, false,
     "Il punto di fermata di una stazione cadrebbe nella cella 1 o prima.",
     righe_stazione},
    {guasto::lettura, false,
     "Errore nella lettura dei file sorgente: valore illeggibile o troppo "
     "grande, o file non leggibile.",
     source::ogni_record, eliminazione::entrambe, seguito::ferma_lettura,
     /*testo_del_campo=*/true},
    {guasto::manca_linea,
     false,
     "Il file sorgente della linea non esiste.",
     {},
     eliminazione::nessuna,
     seguito::ferma_lettura,
     false,
     /*di_file=*/true},
    {guasto::manca_generale,
     false,
     "Il file sorgente della linea non ha la riga \"[generale]\".",
     {}},
    {guasto::curva, false,
     "Curva senza classe da 1 a 6, o curva oltre la fine del tracciato.",
     righe_curva, eliminazione::questa, seguito::ferma_lettura,
     /*testo_del_campo=*/true},
    {guasto::timbro_1250, false,
     "La cella 1 (posizione 0 m) ha già un primo valore, o la voce 85 un "
     "numero_1: non c'è posto per il timbro.",
     righe_primo_valore, eliminazione::nessuna, seguito::ferma_lettura, false,
     false,
     /*in_finestra=*/true},
    {guasto::timbro_1251, false,
     "La cella 1 (posizione 0 m) ha già un secondo valore, o la voce 85 un "
     "valore_d: non c'è posto per il codice di gara.",
     righe_secondo_valore, eliminazione::nessuna, seguito::ferma_lettura, false,
     false,
     /*in_finestra=*/true},
};

}  // namespace

std::span<const voce_guasto> tabella_guasti() { return guasti; }

const voce_guasto* cerca_guasto(std::int32_t numero) {
  for (const voce_guasto& g : guasti) {
    if (g.numero == numero) return &g;
  }
  return nullptr;
}

std::string_view significato_guasto(std::int32_t numero) {
  const voce_guasto* g = cerca_guasto(numero);
  return g != nullptr ? g->significato : "Errore di compilazione.";
}

}  // namespace compiler
