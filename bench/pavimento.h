// The durable write floor: the least that replacing files durably can cost.
// Each file's bytes, held in memory, are written in 64 KiB writes to a new
// file next to its target, flushed to disk and renamed over the target;
// once all are in place the folder is synced once; then the files to drop
// are removed. Both benchmarks measure the program against it.
#ifndef BENCH_PAVIMENTO_H_
#define BENCH_PAVIMENTO_H_

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

struct file_pavimento {
  std::string nome;  // a name in the folder
  std::uint64_t dimensione = 0;
};

// How the floor holds the bytes it writes.
enum class memoria_pavimento {
  file_interi,  // each file's bytes in a buffer of its size, filled first
  blocco,       // one 64 KiB buffer written again and again
};

// Writes the files into `cartella` as described above and removes the
// names of `da_togliere`; without `sincronizza`, nothing is flushed or
// synced. Returns "" or what failed.
std::string scrivi_pavimento(
    const std::filesystem::path& cartella, std::span<const file_pavimento> file,
    std::span<const std::string> da_togliere, bool sincronizza = true,
    memoria_pavimento memoria = memoria_pavimento::file_interi);

// The files of `cartella` with their sizes, by name.
std::vector<file_pavimento> file_di(const std::filesystem::path& cartella);

#endif  // BENCH_PAVIMENTO_H_
