// Times of last change, the same on every platform through the standard
// library's file system.
#include "port/modifica.h"

#include <system_error>

namespace port {

std::optional<std::filesystem::file_time_type> ultima_modifica(
    const std::filesystem::path& p) {
  std::error_code ec;
  const std::filesystem::file_time_type t =
      std::filesystem::last_write_time(p, ec);
  if (ec) return std::nullopt;
  return t;
}

}  // namespace port
