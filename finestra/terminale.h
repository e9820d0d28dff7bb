// Terminal implementation of the window layer: the label and the messages go
// to standard error, one line each.
#ifndef FINESTRA_TERMINALE_H_
#define FINESTRA_TERMINALE_H_

#include <ostream>

#include "finestra/piattaforma.h"

namespace finestra {

class piattaforma_terminale : public piattaforma {
 public:
  explicit piattaforma_terminale(std::ostream& err) : err_(err) {}

  void mostra_finestra(std::string_view titolo,
                       std::string_view etichetta) override;
  void mostra_messaggio(std::string_view testo) override;

 private:
  std::ostream& err_;
};

}  // namespace finestra

#endif  // FINESTRA_TERMINALE_H_
