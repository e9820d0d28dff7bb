// The compile of the sources in a folder: reads both sources through the
// platform layer, compiles them in memory, deletes the sources the outcome
// names (unless asked to keep them) and writes the compiled files, each to
// a temporary first, replacing the targets only once all are written.
#ifndef APP_COMPILAZIONE_H_
#define APP_COMPILAZIONE_H_

#include <cstdint>
#include <filesystem>
#include <optional>

#include "compiler/percorso.h"
#include "compiler/scenario.h"
#include "port/sistema.h"

enum class esito_cartella {
  compilato,    // every file written
  guasto,       // "codice_errore" != 0: see the diagnosis
  errore_file,  // a compiled file could not be written
};

struct [[nodiscard]] risultato_cartella {
  esito_cartella esito = esito_cartella::compilato;
  port::io_status file;  // the file and the system's reason, for errore_file
  std::optional<compiler::diagnosi> guasto;  // for guasto
};

// Compiles <cartella>/<s.nome_linea>_linea.txt and
// <cartella>/<s.nome_linea>_<s.nome_treno>-.txt into the compiled files
// there. j != 0 also writes the plan file; with j == 0 an existing plan file
// is left as it is. Whenever the result is not `compilato`, no compiled file
// has been replaced (a failed rename may leave the files before it
// replaced).
risultato_cartella compila_cartella(compiler::scenario& s,
                                    const std::filesystem::path& cartella,
                                    std::int32_t j, bool conserva_sorgenti);

// A source as the compile receives it, from the platform's reading of the
// file. The view is into f, which must outlive it.
compiler::sorgente come_sorgente(const port::file_letto& f);

// Deletes a source the compile read. Only a plain file goes: a folder or
// anything else of a source's name is the user's, never read as a source.
void elimina_sorgente(const std::filesystem::path& p);

// Writes the encoded files into `cartella` under the names of s's
// identifiers: every temporary first, then the replacements in file order.
port::io_status scrivi_file_compilati(const compiler::scenario& s,
                                      const compiler::file_codificati& f,
                                      const std::filesystem::path& cartella);

#endif  // APP_COMPILAZIONE_H_
