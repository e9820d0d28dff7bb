// Entry point of the console program on Windows (scenario-cli.exe): the
// command line comes as UTF-16, reports go to the console or, redirected, as
// the same UTF-8 bytes the POSIX build writes; the window layer is the
// terminal's, as there.
#include <windows.h>

#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "app/avvio.h"
#include "app/avvio_windows.h"
#include "finestra/flusso_console.h"
#include "finestra/terminale.h"

int wmain(int argc, wchar_t** argv) {
  const std::vector<std::string> tutti = argomenti_utf8(argc, argv);
  const std::span<const std::string> argomenti =
      tutti.empty() ? std::span<const std::string>{}
                    : std::span<const std::string>(tutti).subspan(1);
  finestra::flusso_console flusso_out(::GetStdHandle(STD_OUTPUT_HANDLE));
  finestra::flusso_console flusso_err(::GetStdHandle(STD_ERROR_HANDLE));
  std::ostream out(&flusso_out);
  std::ostream err(&flusso_err);
  finestra::piattaforma_terminale p(err);
  const int stato =
      avvia(argomenti, tutti.empty() ? "" : tutti.front(), p, out, err);
  out.flush();
  err.flush();
  return stato;
}
