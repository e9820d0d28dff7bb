// The program on its arguments, the same on every platform: the entry
// points of each platform turn their command line into UTF-8 text, choose
// the window layer and the streams, and call avvia.
#ifndef APP_AVVIO_H_
#define APP_AVVIO_H_

#include <ostream>
#include <span>
#include <string>
#include <string_view>

#include "finestra/piattaforma.h"

// Reads the command line (without the program's name) and runs the command;
// `argv0` is the program's name as started, for finding its folder. Help
// and version go to `out`, reports to `err`. Returns the exit status.
int avvia(std::span<const std::string> argomenti, std::string_view argv0,
          finestra::piattaforma& p, std::ostream& out, std::ostream& err);

#endif  // APP_AVVIO_H_
