// Finding the executable's folder.
#include "app/cartella.h"

#include <system_error>

std::optional<std::filesystem::path> cartella_programma(
    std::string_view argv0) {
  std::error_code ec;
  std::filesystem::path exe =
      std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec || exe.empty()) {
    if (argv0.empty()) return std::nullopt;
    exe = std::filesystem::absolute(std::filesystem::path(argv0), ec);
    if (ec) return std::nullopt;
  }
  if (!exe.has_parent_path()) return std::nullopt;
  return exe.parent_path();
}
