// Entry point of the windowed program on Windows (scenario.exe), the one a
// player starts by double-clicking: no console, the waiting window and the
// message box are native. It takes the console program's command line; what
// that one would print (a report, the help) is shown in one message box at
// the end, so that nothing is lost, and a clean run shows none.
#include <windows.h>

#include <cstdlib>
#include <span>
#include <sstream>
#include <string>
#include <vector>

#include "app/avvio.h"
#include "app/avvio_windows.h"
#include "finestra/finestra_win32.h"

int WINAPI wWinMain(HINSTANCE /*istanza*/, HINSTANCE /*precedente*/,
                    PWSTR /*riga*/, int comando_mostra) {
  // The C runtime has split the command line as the console program's.
  const std::vector<std::string> tutti = argomenti_utf8(__argc, __wargv);
  const std::span<const std::string> argomenti =
      tutti.empty() ? std::span<const std::string>{}
                    : std::span<const std::string>(tutti).subspan(1);
  finestra::piattaforma_win32 p(comando_mostra);
  std::ostringstream out;
  std::ostringstream err;
  const int stato =
      avvia(argomenti, tutti.empty() ? "" : tutti.front(), p, out, err);
  std::string testo = out.str() + err.str();
  while (!testo.empty() && testo.back() == '\n') testo.pop_back();
  if (!testo.empty()) p.mostra_messaggio(testo);
  return stato;
}
