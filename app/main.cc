// Entry point on POSIX systems: the arguments are already UTF-8 text, the
// window layer is the terminal's.
#include <iostream>
#include <string>
#include <vector>

#include "app/avvio.h"
#include "finestra/terminale.h"

int main(int argc, char** argv) {
  const std::vector<std::string> argomenti(argv + (argc > 0 ? 1 : 0),
                                           argv + argc);
  finestra::piattaforma_terminale p(std::cerr);
  return avvia(argomenti, argc > 0 ? argv[0] : "", p, std::cout, std::cerr);
}
