// Terminal window layer.
#include "finestra/terminale.h"

namespace finestra {

void piattaforma_terminale::mostra_finestra(std::string_view /*titolo*/,
                                            std::string_view etichetta) {
  err_ << etichetta << '\n';
  err_.flush();
}

void piattaforma_terminale::mostra_messaggio(std::string_view testo) {
  err_ << testo << '\n';
  err_.flush();
}

}  // namespace finestra
