// The rows of the command table.
#include "app/comandi.h"

#include <iostream>

#include "app/compila.h"
#include "app/controllo.h"
#include "app/corsa.h"
#include "app/disegno.h"
#include "app/ispeziona.h"
#include "app/lsp.h"
#include "app/riga_comando.h"

namespace {

constexpr opzione_comando opzioni_corsa[] = {{"--keep-sources", ""}};
constexpr opzione_comando opzioni_controllo[] = {{"--strict", ""}};
// The flags after --points each ask for one part of the summary alone.
constexpr opzione_comando opzioni_ispezione[] = {
    {"--json", ""},       {"--points", ""},        {"--stazioni", ""},
    {"--cartelli", ""},   {"--progressive", ""},   {"--segnali", ""},
    {"--indicatori", ""}, {"--rallentamenti", ""}, {"--abbattimenti", ""},
    {"--montagne", ""},   {"--profilo", ""}};
constexpr opzione_comando opzioni_disegno[] = {{"--output", "FILE"}};
constexpr opzione_comando opzioni_lsp[] = {
    {"--notepad++", "DIR"}, {"--vscode", "DIR"}, {"--riferimento", "DIR"}};

std::string coerenza_ispezione(const opzioni& o) {
  if (o.ha("--points") && !o.ha("--json")) return "--points va con --json";
  if (o.ha("--points") && !parti_ispezione(o).empty()) {
    return "--points va senza la scelta di una parte";
  }
  return {};
}

const voce_comando tabella[] = {
    {"", opzioni_corsa, false, cartella_predefinita::programma,
     "      Scrive lo scenario della linea Vendralo e del treno Kv4417 "
     "(sorgenti\n"
     "      della linea e del treno, scheda treno, modulo dei rallentamenti, "
     "note),\n"
     "      compila i sorgenti in Vendralo_linea.dat, Vendralo_Kv4417.sim e\n"
     "      Vendralo_Kv4417.dat e cancella i sorgenti. I file vanno nella "
     "cartella\n"
     "      del programma, o in DIR. --keep-sources conserva i due "
     "sorgenti.\n",
     [](const contesto_comando& c) {
       return esegui_corsa(c.o, c.cartella, c.p, c.err);
     }},
    {"compile",
     {},
     true,
     cartella_predefinita::corrente,
     "      Compila DIR/ID_linea.txt e DIR/ID_TRENO-.txt (linea Vendralo, "
     "treno\n"
     "      Kv4417 e la cartella corrente se non detti) nei tre file "
     "compilati in\n"
     "      DIR. I sorgenti non sono mai cancellati. Gli identificatori "
     "hanno solo\n"
     "      lettere, cifre, '_' e '-'.\n",
     [](const contesto_comando& c) {
       return esegui_compilazione(c.o, c.cartella, c.p, c.err);
     }},
    {"check", opzioni_controllo, true, cartella_predefinita::corrente,
     "      Controlla gli stessi due sorgenti con le regole della "
     "compilazione e\n"
     "      riporta ogni errore e ogni avviso, ciascuno con file, riga e "
     "colonna;\n"
     "      nulla è scritto o cancellato. I soli avvisi non fanno fallire "
     "il\n"
     "      controllo, salvo con --strict.\n",
     [](const contesto_comando& c) {
       return esegui_controllo(c.o, c.cartella, c.out);
     }},
    {"inspect", opzioni_ispezione, true, cartella_predefinita::corrente,
     "      Legge i tre file compilati in DIR (il file del tracciato può "
     "mancare)\n"
     "      e mostra cosa contengono: percorso, stazioni, cartelli, "
     "progressive,\n"
     "      impostazioni con timbri e codici, celle per tipo, segnali, "
     "indicatori,\n"
     "      rallentamenti, abbattimenti, tratti di montagna, il profilo di "
     "velocità\n"
     "      e pendenza, estremi e ingombro del tracciato; dice se un "
     "sorgente è\n"
     "      più recente dei file compilati. --stazioni, --segnali, "
     "--profilo e\n"
     "      gli altri mostrano quella parte sola. --json dà tutto in JSON, "
     "ogni\n"
     "      cella e ogni voce comprese; --points aggiunge ogni punto del\n"
     "      tracciato.\n",
     [](const contesto_comando& c) {
       return esegui_ispezione(c.o, c.cartella, c.out, c.err);
     },
     coerenza_ispezione},
    {"plot", opzioni_disegno, true, cartella_predefinita::corrente,
     "      Disegna i file compilati in una pagina SVG: la pianta della "
     "linea con\n"
     "      le stazioni e il profilo lungo il percorso (velocità massima, "
     "pendenza,\n"
     "      rallentamenti, segnali per tipo, indicatori, cartelli, stazioni, "
     "tratti\n"
     "      di montagna). Scritta in FILE, altrimenti in "
     "DIR/ID_TRENO.svg; con\n"
     "      --output - sull'uscita standard.\n",
     [](const contesto_comando& c) {
       return esegui_disegno(c.o, c.cartella, c.out, c.err);
     }},
    {"lsp", opzioni_lsp, false, cartella_predefinita::corrente,
     "      Fa da server del linguaggio per gli editor degli autori, su "
     "ingresso e\n"
     "      uscita standard: gli errori e gli avvisi del controllo mentre si "
     "scrive,\n"
     "      hover, completamento, aiuto sui campi, struttura e correzioni "
     "rapide.\n"
     "      --notepad++ DIR scrive invece DIR/scenario.xml, il linguaggio "
     "dei\n"
     "      sorgenti per Notepad++, --vscode DIR le grammatiche e gli "
     "snippet\n"
     "      dell'estensione per VS Code sotto DIR, e --riferimento DIR le "
     "pagine\n"
     "      DIR/formato-linea.md e DIR/formato-treno.md, il riferimento dei "
     "due\n"
     "      sorgenti per gli autori.\n",
     [](const contesto_comando& c) {
       return esegui_lsp(c.o, std::cin, c.out, c.err);
     }},
};

}  // namespace

std::span<const voce_comando> comandi() { return tabella; }
