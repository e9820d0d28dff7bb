// The parts of the platform layer that every platform shares: texts of
// system errors and of paths.
#include "port/sistema.h"

#include <cerrno>
#include <string>
#include <system_error>

namespace fs = std::filesystem;

namespace port {

std::string motivo_sistema(int numero) {
  return std::generic_category().message(numero != 0 ? numero : EIO);
}

io_status errore_sistema(const fs::path& file, int numero) {
  return {testo_percorso(file) + ": " + motivo_sistema(numero)};
}

std::string testo_percorso(const fs::path& p) {
  const std::u8string u = p.u8string();
  return {u.begin(), u.end()};
}

fs::path percorso_da_testo(std::string_view utf8) {
  return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string motivo_troppo_grande(std::uint64_t massimo) {
  return "file troppo grande: più di " + std::to_string(massimo) + " byte";
}

}  // namespace port
