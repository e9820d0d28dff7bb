// The table of fault numbers.
#include "compiler/guasti.h"

namespace compiler {

namespace {

constexpr voce_guasto guasti[] = {
    {guasto::lunghezza_percorso, false,
     "La lunghezza del percorso supera 1000000 m."},
    {guasto::progressive, false,
     "Una progressiva chilometrica ha la posizione o il valore non "
     "multiplo di 50 m.",
     eliminazione::nessuna},
    {guasto::inizio_ripetizione, false,
     "L'inizio della ripetizione segnali non è multiplo di 50 m."},
    {guasto::fine_ripetizione, false,
     "La fine della ripetizione segnali non è multipla di 50 m."},
    {guasto::codici_ripetizione, false,
     "La riga della ripetizione segnali non indica né 4 né 9 codici.",
     eliminazione::questa, seguito::ferma_lettura, /*testo_del_campo=*/true},
    {guasto::cartello_occupato, true,
     "Cartello indicatore su una cella occupata."},
    {guasto::abbattimento_occupato, true,
     "Punto di abbattimento su una cella occupata."},
    {guasto::posizione_stazione, true,
     "La posizione della stazione non è multipla di 50 m."},
    {guasto::lunghezza_stazione, true,
     "La lunghezza della stazione non è multipla di 100 m."},
    {guasto::tabella_piena, false,
     "Le stazioni hanno raggiunto le voci dei testi dei cartelli: "
     "tabella piena."},
    {guasto::segnale_prima_dell_avviso, true,
     "Un segnale prima di un punto di avviso non ha libera nessuna delle "
     "due celle che lo precedono.",
     eliminazione::nessuna, seguito::prosegue},
    {guasto::fascia_occupata, true,
     "Nessuna cella libera in una fascia prima dell'inizio di un "
     "rallentamento.",
     eliminazione::nessuna, seguito::prosegue},
    {guasto::segno_interno, true,
     "Nessuna cella libera per un abbattimento dentro un rallentamento o "
     "prima del primo segnale dopo la sua fine.",
     eliminazione::nessuna, seguito::prosegue},
    {guasto::fuori_griglia, true,
     "Un elemento si trova oltre i limiti della griglia delle celle.",
     eliminazione::questa, seguito::fine_file},
    {guasto::segnale_occupato, true, "Segnale su una cella occupata."},
    {guasto::avviso_occupato, true,
     "Punto di avviso di un rallentamento su una cella occupata."},
    {guasto::inizio_occupato, true,
     "Inizio di un rallentamento su una cella occupata."},
    {guasto::fine_occupata, true,
     "Fine di un rallentamento su una cella occupata."},
    {guasto::conto_occupato, true,
     "Una delle quattro celle del conto alla rovescia prima del punto di "
     "avviso è occupata."},
    {guasto::indicatore_occupato, true,
     "Indicatore di velocità massima su una cella occupata."},
    {guasto::distanza_stazioni, true,
     "La stazione inizia meno di 350 m dopo la fine della stazione "
     "precedente."},
    {guasto::fermata_stazione, false,
     "Il punto di fermata di una stazione cadrebbe nella cella 1 o prima."},
    {guasto::lettura, false,
     "Errore nella lettura dei file sorgente: valore illeggibile o troppo "
     "grande, o file non leggibile.",
     eliminazione::entrambe, seguito::ferma_lettura, /*testo_del_campo=*/true},
    {guasto::manca_linea, false, "Il file sorgente della linea non esiste.",
     eliminazione::nessuna, seguito::ferma_lettura, false, /*di_file=*/true},
    {guasto::manca_generale, false,
     "Il file sorgente della linea non ha la riga \"[generale]\"."},
    {guasto::curva, false,
     "Curva senza classe da 1 a 6, o curva oltre la fine del tracciato.",
     eliminazione::questa, seguito::ferma_lettura, /*testo_del_campo=*/true},
    {guasto::timbro_1250, false,
     "La cella 1 (posizione 0 m) ha già un primo valore, o la voce 85 un "
     "numero_1: non c'è posto per il timbro.",
     eliminazione::nessuna, seguito::ferma_lettura, false, false,
     /*in_finestra=*/true},
    {guasto::timbro_1251, false,
     "La cella 1 (posizione 0 m) ha già un secondo valore, o la voce 85 un "
     "valore_d: non c'è posto per il codice di gara.",
     eliminazione::nessuna, seguito::ferma_lettura, false, false,
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
