// What every row and every value of the two source formats means, in one
// table beside the record table: for each record kind its section, the
// writer's keywords, an example row, and for each value its name, unit,
// accepted range, stored width and what the compile does with it. The
// editor's hover, signature help and completion, the Notepad++ keyword lists
// and the authors' reference all read it.
#ifndef SOURCE_DESCRIZIONI_H_
#define SOURCE_DESCRIZIONI_H_

#include <span>
#include <string>
#include <string_view>

#include "source/record.h"

namespace source {

// The fact about a value that a tool can compute from the compiled model
// and show beside the value as read.
enum class effetto {
  nessuno,
  posizione,              // a position along the route, nothing more
  lunghezza_percorso,     // sizes the grid: cells 0 .. rnd((L + 7000) / 50)
  cella_punto,            // a feature in cell rnd(p / 50 + 1)
  cella_riempimento,      // a fill whose value starts at cell rnd(p / 50)
  cella_abbattimento,     // cell rnd(p / 50)
  prima_cella_montagna,   // rnd(inizio / 50)
  ultima_cella_montagna,  // rnd(fine / 50 - 1)
  fine_rallentamento,     // cell rnd((x + l) / 50 + 1)
  posizione_stazione,     // the station's slot, stretch and stop cell
  inizio_progressiva,     // where a kilometre reference starts
  velocita,               // stored as rnd(v / 5) in units of 5 km/h
  pendenza,               // stored as the low 8 bits of g + 100
  byte_basso,             // stored as its low 8 bits
  testo_cartello,         // the slot that holds the board's text
};

// True for the values that are positions along the route, where a tool can
// show the kilometre progressive.
bool sul_percorso(effetto e);

struct descrizione_campo {
  std::string_view nome;          // the value's name, as the reader calls it
  std::string_view unita;         // "m", "km/h"; empty for a plain number
  std::string_view intervallo;    // what the rules accept; empty: the width
  std::string_view memorizzato;   // where the compile keeps it, and its width
  std::string_view compilazione;  // what the compile does with it
  effetto calcolo = effetto::nessuno;
};

enum class parte_record { generale, caratteristiche, treno };

struct descrizione_record {
  record kind;
  parte_record parte;
  std::string_view sezione;  // the section the writer puts it under
  // The writer's keywords; the first is the one to offer.
  std::span<const std::string_view> parole;
  std::string_view significato;  // one sentence
  // One per value of the record, in file order (definizione(kind).valori).
  std::span<const descrizione_campo> campi;
  std::string_view esempio;  // a row as the writer sets it out
  // How messages name the row where its keywords differ ("curva");
  // empty: the first keyword.
  std::string_view nome = {};
};

// Every record kind, in the order of the record tables (general part,
// feature part, train file).
std::span<const descrizione_record> descrizioni();

const descrizione_record& descrizione(record kind);

// The section headers of each file, in the writer's order.
std::span<const std::string_view> sezioni_linea();
std::span<const std::string_view> sezioni_treno();

// "32 bit con segno", "8 bit senza segno", "testo fino a fine riga".
std::string_view nome_larghezza(larghezza w);
// "da -32768 a 32767"; empty for larghezza::testo.
std::string intervallo_larghezza(larghezza w);

}  // namespace source

#endif  // SOURCE_DESCRIZIONI_H_
