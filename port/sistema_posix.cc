// POSIX implementation of the platform layer.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <system_error>

#include "port/sistema.h"

namespace fs = std::filesystem;

namespace port {

namespace {

int apri_senza_interruzioni(const char* nome, int modo, mode_t permessi = 0) {
  int fd = -1;
  do {
    fd = ::open(nome, modo, permessi);
  } while (fd < 0 && errno == EINTR);
  return fd;
}

void chiudi(int fd) {
  // A close interrupted by a signal has still released the descriptor.
  if (fd >= 0) ::close(fd);
}

}  // namespace

file_letto leggi_file(const fs::path& p, std::uint64_t massimo) {
  file_letto out;
  // Non-blocking, so that a FIFO without a writer cannot hold the run; a
  // regular file reads the same either way.
  const int fd =
      apri_senza_interruzioni(p.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    const int numero = errno;
    if (numero == ENOENT || numero == ENOTDIR) {
      out.stato = file_letto::esito::assente;
    } else {
      out.stato = file_letto::esito::illeggibile;
    }
    out.motivo = motivo_sistema(numero);
    return out;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode) || !S_ISREG(st.st_mode)) {
    const int numero = errno;
    out.stato = file_letto::esito::illeggibile;
    if (S_ISDIR(st.st_mode)) {
      out.motivo = motivo_sistema(EISDIR);
    } else if (st.st_mode != 0) {
      // A FIFO or a device may never end, or end only once memory runs out.
      out.motivo = "non è un file regolare";
    } else {
      out.motivo = motivo_sistema(numero);
    }
    chiudi(fd);
    return out;
  }
  if (static_cast<std::uint64_t>(st.st_size) > massimo) {
    out.stato = file_letto::esito::illeggibile;
    out.motivo = motivo_troppo_grande(massimo);
    chiudi(fd);
    return out;
  }
  if (st.st_size > 0) out.byte.reserve(static_cast<std::size_t>(st.st_size));
  char blocco[1 << 16];
  for (;;) {
    const ssize_t n = ::read(fd, blocco, sizeof blocco);
    if (n > 0) {
      // A file that grows while it is read is held to the same bound.
      if (out.byte.size() + static_cast<std::size_t>(n) > massimo) {
        out.stato = file_letto::esito::illeggibile;
        out.motivo = motivo_troppo_grande(massimo);
        out.byte.clear();
        break;
      }
      out.byte.append(blocco, static_cast<std::size_t>(n));
    } else if (n == 0) {
      break;
    } else if (errno != EINTR) {
      out.stato = file_letto::esito::illeggibile;
      out.motivo = motivo_sistema(errno);
      out.byte.clear();
      break;
    }
  }
  chiudi(fd);
  return out;
}

tipo_voce tipo_di(const fs::path& p) {
  struct stat st {};
  if (::lstat(p.c_str(), &st) != 0) return tipo_voce::assente;
  if (S_ISREG(st.st_mode)) return tipo_voce::file;
  if (S_ISDIR(st.st_mode)) return tipo_voce::cartella;
  return tipo_voce::altro;
}

io_status rimuovi(const fs::path& p) {
  std::error_code ec;
  if (!fs::remove(p, ec) && ec) return errore_sistema(p, ec.value());
  return {};
}

void ingresso_binario() {}

std::optional<fs::path> cartella_programma(std::string_view argv0) {
  std::error_code ec;
  fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (ec || exe.empty()) {
    if (argv0.empty()) return std::nullopt;
    exe = fs::absolute(percorso_da_testo(argv0), ec);
    if (ec) return std::nullopt;
  }
  if (!exe.has_parent_path()) return std::nullopt;
  return exe.parent_path();
}

}  // namespace port
