// The reader of the line source: up to "[generale]", the general part, the
// ordering of the kilometre references, the feature part and the
// end-of-file fills.
#ifndef COMPILER_LETTORE_LINEA_H_
#define COMPILER_LETTORE_LINEA_H_

#include <string>

#include "compiler/lettura_sorgente.h"

namespace compiler {

// Reads the line source `f`, named `nome` in reports, up to its end-of-file
// step. False when a fault stopped the reading (the train file is then not
// read).
bool leggi_linea(lettura_condivisa& c, const sorgente& f, std::string nome);

}  // namespace compiler

#endif  // COMPILER_LETTORE_LINEA_H_
