// The temporary files that stand next to a file being replaced: named
// "<target>.tmp" and six random letters or digits, created only where the
// name is free. Used by the platform implementations only.
#ifndef PORT_TEMPORANEO_H_
#define PORT_TEMPORANEO_H_

#include <cerrno>
#include <filesystem>
#include <random>
#include <utility>

namespace port {

// Names tried for a temporary before giving up: each is random, so a clash
// means another writer holds that very name.
inline constexpr int tentativi_temporaneo = 64;

std::filesystem::path nome_temporaneo(const std::filesystem::path& destinazione,
                                      std::random_device& caso);

// Creates a temporary for `destinazione` with `apri_esclusivo(nome)`, which
// opens a new file only if no file has that name and gives its descriptor,
// or -1 with errno set. Gives the descriptor and puts the name in `nome`;
// or -1 with errno set, EEXIST once every name tried was taken.
template <class Apri>
int crea_temporaneo(const std::filesystem::path& destinazione,
                    std::filesystem::path& nome, Apri apri_esclusivo) {
  std::random_device caso;
  for (int i = 0; i < tentativi_temporaneo; ++i) {
    std::filesystem::path candidato = nome_temporaneo(destinazione, caso);
    const int fd = apri_esclusivo(candidato);
    if (fd >= 0) {
      nome = std::move(candidato);
      return fd;
    }
    if (errno != EEXIST) return -1;
  }
  errno = EEXIST;
  return -1;
}

}  // namespace port

#endif  // PORT_TEMPORANEO_H_
