// The reader of the train source: from its first "[generale]" on, train
// values, speed limits, adhesion, signals, restrictions, abatement points
// and stations, then the end-of-file fills and the test of the kilometre
// references.
#ifndef COMPILER_LETTORE_TRENO_H_
#define COMPILER_LETTORE_TRENO_H_

#include <string>

#include "compiler/lettura_sorgente.h"

namespace compiler {

// Reads the train source `f`, named `nome` in reports, up to its
// end-of-file step; `nome_linea` names the line source, where the
// kilometre references stand.
void leggi_treno(lettura_condivisa& c, const sorgente& f, std::string nome,
                 std::string nome_linea);

}  // namespace compiler

#endif  // COMPILER_LETTORE_TRENO_H_
