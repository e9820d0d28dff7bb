// Terminal implementation of the window layer: the label and the messages go
// to standard error, one line each.
#ifndef APP_TERMINALE_H_
#define APP_TERMINALE_H_

#include <ostream>

#include "app/piattaforma.h"

class piattaforma_terminale : public piattaforma {
 public:
  explicit piattaforma_terminale(std::ostream& err) : err_(err) {}

  void mostra_finestra(std::string_view titolo,
                       std::string_view etichetta) override;
  void mostra_messaggio(std::string_view testo) override;

 private:
  std::ostream& err_;
};

#endif  // APP_TERMINALE_H_
