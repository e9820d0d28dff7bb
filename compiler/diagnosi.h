// What a check of the sources finds: every fault the compile's rules can
// tell apart and every place where those rules silently ignore, overwrite,
// clip or skip something an author wrote.
#ifndef COMPILER_DIAGNOSI_H_
#define COMPILER_DIAGNOSI_H_

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "compiler/scenario.h"

namespace compiler {

// Where in a source something was found.
struct luogo_sorgente {
  std::string file;       // source file name; empty: none
  std::int32_t riga = 0;  // line of the row's keyword; 0: the whole file
  campo_sorgente campo;   // the field, when known
};

struct diagnosi {
  // 0 for a warning; otherwise the fault number of the compile.
  std::int32_t numero = 0;
  std::int32_t posizione = 0;  // metres, for the numbers that carry one
  luogo_sorgente luogo;
  // A fault: what the field held (the number's meaning is in the fault
  // table), possibly empty. A warning: the whole text.
  std::string messaggio;

  bool avviso() const { return numero == 0; }
};

// The fault the model holds, as a diagnosis: its position only for the
// numbers that carry one, the system's reason in place of the field's text
// when the file could not be read.
// REQUIRES: s.codice_errore != 0.
diagnosi guasto_del_modello(const scenario& s);

// What a check gathers while the reader goes through the sources.
struct raccolta_verifica {
  std::vector<diagnosi> trovate;
  // The row that placed the signal or the restriction whose cell this is,
  // so that a fault of the finishing pass can point at it.
  std::map<std::int64_t, luogo_sorgente> righe_di_celle;
};

}  // namespace compiler

#endif  // COMPILER_DIAGNOSI_H_
