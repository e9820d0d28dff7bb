// The rows of a source file as the editor's tools see them: which part of
// its file each line belongs to (the reader recognises only the records of
// that part), its section, its keyword field and the record it names, and
// where each of its values stands. Read with the reader's own field rules
// and keyword tests, one line at a time.
#ifndef LSP_STRUTTURA_H_
#define LSP_STRUTTURA_H_

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "source/descrizioni.h"

namespace lsp {

enum class tipo_sorgente { linea, treno };

// Where a line stands in its file.
enum class parte_riga {
  prima,            // before the first "[generale]": nothing is read
  generale,         // the line file's general part
  caratteristiche,  // the line file's feature part
  treno,            // the train file's rows
};

// A token of a line: bytes [inizio, fine) of the line.
struct pezzo {
  std::size_t inizio = 0;
  std::size_t fine = 0;
  bool contiene(std::size_t colonna) const {
    return colonna >= inizio && colonna <= fine;
  }
};

struct riga_sorgente_letta {
  parte_riga parte = parte_riga::prima;
  std::size_t sezione = 0;      // line of the section header above; npos: none
  bool intestazione = false;    // the line is a section header
  std::optional<pezzo> parola;  // the keyword field, after comment fields
  // The record the keyword names in this part; nullptr for none.
  const source::descrizione_record* record = nullptr;
  // The values on this line, in file order; a row may be shorter (its
  // values then run onto the next lines) or longer (the rest is read as
  // further keyword fields).
  std::vector<pezzo> valori;
};

// The lines of a file, one entry per line, from its bytes.
std::vector<riga_sorgente_letta> leggi_struttura(
    tipo_sorgente t, const std::vector<std::string_view>& righe);

// The records the reader recognises in a part, in the order it tests them.
std::vector<const source::descrizione_record*> record_della_parte(parte_riga p);

}  // namespace lsp

#endif  // LSP_STRUTTURA_H_
