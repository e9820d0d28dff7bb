// Diagnoses.
#include "compiler/diagnosi.h"

#include "compiler/guasti.h"

namespace compiler {

diagnosi guasto_senza_luogo(std::int32_t numero, std::int32_t posizione) {
  const voce_guasto* g = cerca_guasto(numero);
  diagnosi d;
  d.numero = numero;
  d.posizione = (g != nullptr && g->con_posizione) ? posizione : 0;
  return d;
}

bool di_file(const diagnosi& d) {
  if (d.avviso()) return false;
  const voce_guasto* g = cerca_guasto(d.numero);
  return (g != nullptr && g->di_file) || !d.motivo.empty();
}

}  // namespace compiler
