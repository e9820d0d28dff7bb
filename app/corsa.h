// The whole run: names the scenario, shows the waiting window, writes the
// scenario's text files, compiles them, and ends.
#ifndef APP_CORSA_H_
#define APP_CORSA_H_

#include <filesystem>
#include <ostream>

#include "app/riga_comando.h"
#include "finestra/piattaforma.h"

// Runs the job in `cartella` and returns the exit status; a stamp fault is
// shown in the platform's message box.
int esegui_corsa(const opzioni& o, const std::filesystem::path& cartella,
                 finestra::piattaforma& p, std::ostream& err);

#endif  // APP_CORSA_H_
