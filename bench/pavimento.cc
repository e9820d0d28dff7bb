// The durable write floor, in plain POSIX calls.
#include "bench/pavimento.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace fs = std::filesystem;

namespace {

constexpr std::size_t blocco = 64 << 10;

std::string errore(const fs::path& p, const char* cosa) {
  return p.string() + ": " + cosa + ": " + std::strerror(errno);
}

}  // namespace

std::string scrivi_pavimento(const fs::path& cartella,
                             std::span<const file_pavimento> file,
                             std::span<const std::string> da_togliere,
                             bool sincronizza, memoria_pavimento memoria) {
  // Bytes never zero, so that no file system can take them for a hole.
  const std::string uno(blocco, '\x5a');
  std::string intero;
  const bool interi = memoria == memoria_pavimento::file_interi;
  for (const file_pavimento& f : file) {
    if (interi) intero.assign(static_cast<std::size_t>(f.dimensione), '\x5a');
    const fs::path nome = cartella / f.nome;
    fs::path tmp = nome;
    tmp += ".pavimento";
    const int fd =
        ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return errore(tmp, "open");
    for (std::uint64_t fatti = 0; fatti < f.dimensione;) {
      const std::size_t n = static_cast<std::size_t>(
          std::min<std::uint64_t>(blocco, f.dimensione - fatti));
      const char* da = interi ? intero.data() + fatti : uno.data();
      const ssize_t w = ::write(fd, da, n);
      if (w <= 0) {
        ::close(fd);
        return errore(tmp, "write");
      }
      fatti += static_cast<std::uint64_t>(w);
    }
    if (sincronizza && ::fsync(fd) != 0) {
      ::close(fd);
      return errore(tmp, "fsync");
    }
    if (::close(fd) != 0) return errore(tmp, "close");
    if (::rename(tmp.c_str(), nome.c_str()) != 0) {
      return errore(nome, "rename");
    }
  }
  if (sincronizza) {
    const int d = ::open(cartella.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (d < 0) return errore(cartella, "open");
    const bool fatto = ::fsync(d) == 0;
    ::close(d);
    if (!fatto) return errore(cartella, "fsync");
  }
  for (const std::string& n : da_togliere) {
    if (::unlink((cartella / n).c_str()) != 0 && errno != ENOENT) {
      return errore(cartella / n, "unlink");
    }
  }
  return {};
}

std::vector<file_pavimento> file_di(const fs::path& cartella) {
  std::vector<file_pavimento> out;
  for (const fs::directory_entry& e : fs::directory_iterator(cartella)) {
    if (e.is_regular_file()) {
      out.push_back({e.path().filename().string(), e.file_size()});
    }
  }
  std::sort(out.begin(), out.end(),
            [](const file_pavimento& a, const file_pavimento& b) {
              return a.nome < b.nome;
            });
  return out;
}
