// Memory for the program's blocks. A large block (the plan's storage,
// 0.6 to 18 MB) is aligned to 2 MiB, made a whole number of 2 MiB pages,
// and the system is asked to back it with huge pages where it gives them on
// request (Linux, transparent huge pages): one page fault per 2 MiB instead
// of one per 4 KiB, which on a virtual machine is most of what a fresh
// process spends on a long plan. Smaller blocks come from malloc.
#ifndef PORT_MEMORIA_H_
#define PORT_MEMORIA_H_

#include <cstddef>

namespace port {

// From this size up a block is a large one.
inline constexpr std::size_t soglia_memoria_grande = std::size_t{512} << 10;

// `n` bytes, or nullptr when there is no memory for them. Every block is
// freed with std::free.
void* alloca_memoria(std::size_t n);

}  // namespace port

#endif  // PORT_MEMORIA_H_
