// The program's own allocation functions, linked into the programs only
// (not the tests): every block of the standard containers comes through
// port::alloca_memoria, so the large ones get huge pages where the system
// offers them. A block that cannot be had throws std::bad_alloc as the
// library's own functions do; the array, nothrow and aligned forms of the
// library call these or free with std::free.
#include <cstdlib>
#include <new>

#include "port/memoria.h"

void* operator new(std::size_t n) {
  void* p = port::alloca_memoria(n == 0 ? 1 : n);
  if (p == nullptr) throw std::bad_alloc();
  return p;
}

void operator delete(void* p) noexcept { std::free(p); }

void operator delete(void* p, std::size_t) noexcept { std::free(p); }
