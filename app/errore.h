// The fatal report of the run: " Errore n. " followed by the text, in a
// modal message box; once it is closed the run ends with the status
// returned here.
#ifndef APP_ERRORE_H_
#define APP_ERRORE_H_

#include <string>
#include <string_view>

#include "finestra/piattaforma.h"

// The message text of errore: " Errore n. " directly followed by `a`.
std::string messaggio_errore(std::string_view a);

// Shows messaggio_errore(a), followed by `seguito` on further lines when it
// is not empty, and returns the exit status the program ends with.
[[nodiscard]] int errore(finestra::piattaforma& p, std::string_view a,
                         std::string_view seguito = {});

#endif  // APP_ERRORE_H_
