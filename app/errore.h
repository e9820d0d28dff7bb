// The fatal report of the run: " Errore n. " followed by the text, in a
// message box, then the end of the program.
#ifndef APP_ERRORE_H_
#define APP_ERRORE_H_

#include <string>
#include <string_view>

#include "app/piattaforma.h"

// Exit status of a run ended by errore.
inline constexpr int stato_errore = 1;

// The message text of errore: " Errore n. " directly followed by `a`.
std::string messaggio_errore(std::string_view a);

// Shows messaggio_errore(a) and ends the program; never returns.
[[noreturn]] void errore(piattaforma& p, std::string_view a);

#endif  // APP_ERRORE_H_
