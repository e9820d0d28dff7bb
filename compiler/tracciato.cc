// Storage of the plan geometry.
#include "compiler/tracciato.h"

void tracciato_piano::crea(std::size_t ultimo_metro) {
  metri_ = ultimo_metro + 1;
  tipi_.assign(2 * metri_, tipo_punto::vuoto);
  valori_.assign(2 * metri_, 0.0);
}

void tracciato_piano::svuota() {
  metri_ = 0;
  tipi_.clear();
  tipi_.shrink_to_fit();
  valori_.clear();
  valori_.shrink_to_fit();
}
