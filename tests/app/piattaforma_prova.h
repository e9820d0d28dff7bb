// A window layer for tests: records what the run asks it to show and ends
// the "program" by throwing, so a test sees that nothing after the end ran
// and can read the exit status without ending the test process.
#ifndef TESTS_APP_PIATTAFORMA_PROVA_H_
#define TESTS_APP_PIATTAFORMA_PROVA_H_

#include <string>
#include <string_view>
#include <vector>

#include "app/piattaforma.h"

struct fine_programma {
  int stato;
};

class piattaforma_registrata : public piattaforma {
 public:
  void mostra_finestra(std::string_view titolo,
                       std::string_view etichetta) override {
    finestre.push_back(std::string(titolo) + ":" + std::string(etichetta));
  }
  void mostra_messaggio(std::string_view testo) override {
    messaggi.emplace_back(testo);
  }
  [[noreturn]] void termina(int stato) override {
    terminato = true;
    throw fine_programma{stato};
  }

  std::vector<std::string> finestre;  // "caption:label"
  std::vector<std::string> messaggi;
  bool terminato = false;
};

#endif  // TESTS_APP_PIATTAFORMA_PROVA_H_
