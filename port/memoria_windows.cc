// Windows memory for the program's blocks: large pages need a privilege a
// player's account does not hold, so every block comes from malloc.
#include <cstdlib>

#include "port/memoria.h"

namespace port {

void* alloca_memoria(std::size_t n) { return std::malloc(n); }

}  // namespace port
