// A window layer for tests: records what the run asks it to show.
#ifndef TESTS_FINESTRA_PIATTAFORMA_PROVA_H_
#define TESTS_FINESTRA_PIATTAFORMA_PROVA_H_

#include <string>
#include <string_view>
#include <vector>

#include "finestra/piattaforma.h"

class piattaforma_registrata : public finestra::piattaforma {
 public:
  void mostra_finestra(std::string_view titolo,
                       std::string_view etichetta) override {
    finestre.push_back(std::string(titolo) + ":" + std::string(etichetta));
  }
  void mostra_messaggio(std::string_view testo) override {
    messaggi.emplace_back(testo);
  }
  std::vector<std::string> finestre;  // "caption:label"
  std::vector<std::string> messaggi;
};

#endif  // TESTS_FINESTRA_PIATTAFORMA_PROVA_H_
