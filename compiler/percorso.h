// The compile driver "memorizza_percorso": reads the two source files into
// the scenario, runs the finishing pass, stamps the model with its fixed
// marks and competition codes, and writes the compiled files.
#ifndef COMPILER_PERCORSO_H_
#define COMPILER_PERCORSO_H_

#include <cstdint>
#include <filesystem>

#include "compiler/scenario.h"
#include "source/scrittura_sicura.h"

// Stamps of slot 85 "numero_1" and cell 1 "valore1".
inline constexpr std::int16_t timbro_tabella = 610;
inline constexpr std::int16_t timbro_celle = 5121;

enum class esito_compilazione {
  compilato,        // every file written
  guasto_sorgente,  // "codice_errore" != 0 after reading or finishing
  timbro_1250,      // slot 85 "numero_1" or cell 1 "valore1" already set
  timbro_1251,      // slot 85 "valore_d" or cell 1 "valore2" already set
  errore_file,      // a compiled file could not be written
};

struct [[nodiscard]] risultato_compilazione {
  esito_compilazione esito = esito_compilazione::compilato;
  io_status file;  // the file and the system's reason, for errore_file
};

// Compiles the sources of s.nome_linea / s.nome_treno in `cartella` into the
// compiled files there. j != 0 also builds and writes the plan file; with
// j == 0 an existing plan file is left as it is. Sources are deleted once
// read unless conserva_sorgenti.
// Whenever the result is not `compilato`, no compiled file has been written
// or replaced (a failed rename may leave the files before it replaced).
risultato_compilazione memorizza_percorso(scenario& s,
                                          const std::filesystem::path& cartella,
                                          std::int32_t j,
                                          bool conserva_sorgenti);

// The stamps and codes of a model that was read and finished cleanly.
// REQUIRES: s.celle has a cell 1.
esito_compilazione timbra(scenario& s);

// Writes the plan file (when s.scrivi_linea != 0), the table and the cells.
// Every file goes to a temporary first; the targets are replaced only once
// all of them are written.
io_status scrivi_file_compilati(const scenario& s,
                                const std::filesystem::path& cartella);

#endif  // COMPILER_PERCORSO_H_
