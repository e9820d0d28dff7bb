// POSIX memory for the program's blocks: large ones aligned to 2 MiB and
// advised for huge pages.
#include <sys/mman.h>

#include <cstdint>
#include <cstdlib>

#include "port/memoria.h"

namespace port {

namespace {

constexpr std::size_t pagina_grande = std::size_t{2} << 20;

}  // namespace

void* alloca_memoria(std::size_t n) {
  if (n < soglia_memoria_grande) return std::malloc(n);
  // A tail that fills no whole huge page would take its faults 4 KiB at a
  // time: the block is rounded up to whole huge pages.
  if (n > SIZE_MAX - pagina_grande) return nullptr;
  const std::size_t lunghezza = (n + pagina_grande - 1) / pagina_grande *
                                pagina_grande;
  void* p = nullptr;
  if (::posix_memalign(&p, pagina_grande, lunghezza) != 0) return nullptr;
#ifdef MADV_HUGEPAGE
  // Advice only: where the system has no huge pages to give, the block is
  // the same memory in small pages.
  (void)::madvise(p, lunghezza, MADV_HUGEPAGE);
#endif
  return p;
}

}  // namespace port
