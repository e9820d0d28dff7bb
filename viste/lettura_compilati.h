// The three compiled files of a scenario read back through the platform
// layer and the decoders, for the commands that show what a compile wrote.
#ifndef VISTE_LETTURA_COMPILATI_H_
#define VISTE_LETTURA_COMPILATI_H_

#include <array>
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/scenario.h"
#include "compiler/vista_piano.h"

namespace viste {

struct file_compilati_letti {
  std::array<compiler::voce_dati, compiler::numero_voci> tabella{};
  std::vector<compiler::cella> celle;
  // The plan file's bytes, read in place. Empty when the file is absent: a
  // compile without the plan leaves whatever plan file was there, so none
  // at all is a normal state.
  compiler::vista_piano piano;
  bool ha_piano = false;

  // Sizes in bytes, for the summary.
  std::size_t byte_tabella = 0;
  std::size_t byte_celle = 0;
  std::size_t byte_piano = 0;

  // The sources of the same route and train in the folder that were
  // changed after the table or the cell file was written (file names): the
  // compiled files do not show what they hold now.
  std::vector<std::string> sorgenti_piu_recenti;
};

// Why the files could not be read; empty when they were.
struct [[nodiscard]] esito_lettura_compilati {
  // "<file>: <system reason>" for a file that could not be read, or
  // "<file>: byte <offset>: <decoder's reason>" for one that does not
  // follow its layout.
  std::string messaggio;
  bool ok() const { return messaggio.empty(); }
};

// Reads <cartella>/<linea>_<treno>.sim, <linea>_<treno>.dat and, when it
// exists, <linea>_linea.dat, and compares the times of the sources
// <linea>_linea.txt and <linea>_<treno>-.txt with them. Stops at the first
// file that is missing (the plan file excepted), unreadable or damaged;
// `out` is then unspecified.
esito_lettura_compilati leggi_compilati(const std::filesystem::path& cartella,
                                        std::string_view linea,
                                        std::string_view treno,
                                        file_compilati_letti& out);

}  // namespace viste

#endif  // VISTE_LETTURA_COMPILATI_H_
