// POSIX implementation of the file-system operations the writers are built
// from. A new file is created without a name where the system can
// (O_TMPFILE), and linked under its temporary name only once written.
#include <dirent.h>
#include <fcntl.h>
#if defined(__linux__)
#include <linux/fs.h>
#endif
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <string>
#include <utility>

#include "port/operazioni.h"
#include "port/scrittura.h"

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

fs::path cartella_di(const fs::path& file) {
  const fs::path padre = file.parent_path();
  return padre.empty() ? fs::path(".") : padre;
}

// Writes all of `byte` to `fd` in writes of at most blocco_scrittura bytes;
// 0 or the errno of the failure.
int scrivi_tutto(int fd, std::string_view byte) {
  while (!byte.empty()) {
    const std::size_t quanti = std::min(byte.size(), blocco_scrittura);
    const ssize_t n = ::write(fd, byte.data(), quanti);
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    // A write that takes nothing without an error is a full disk.
    if (n == 0) return ENOSPC;
    byte.remove_prefix(static_cast<std::size_t>(n));
  }
  return 0;
}

// Writes every piece of `c` to `fd`; 0 or the errno of the failure.
int scrivi_tutto(int fd, const contenuto_file& c) {
  if (!c.pezzi) return scrivi_tutto(fd, c.byte);
  for (std::string_view pezzo = c.pezzi(); !pezzo.empty(); pezzo = c.pezzi()) {
    if (const int numero = scrivi_tutto(fd, pezzo); numero != 0) return numero;
  }
  return 0;
}

}  // namespace

posto_file posto_di(const fs::path& p) {
  struct stat st {};
  // A name that cannot be looked at (a missing or closed folder) is left to
  // the write, which says why.
  if (::lstat(p.c_str(), &st) != 0) return posto_file::libero;
  // A link is replaced, unless what it leads to is no file.
  if (S_ISLNK(st.st_mode) && ::stat(p.c_str(), &st) != 0) {
    return posto_file::libero;
  }
  if (S_ISREG(st.st_mode)) return posto_file::libero;
  if (S_ISDIR(st.st_mode)) return posto_file::cartella;
  if (S_ISCHR(st.st_mode) || S_ISFIFO(st.st_mode)) {
    return posto_file::attraversabile;
  }
  return posto_file::altro;
}

bool stesso_file(const fs::path& a, const fs::path& b) {
  struct stat sa {};
  struct stat sb {};
  return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 &&
         sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

namespace interno {

file_nuovo::file_nuovo(fs::path destinazione, fs::path temporaneo)
    : destinazione_(std::move(destinazione)),
      temporaneo_(std::move(temporaneo)) {}

file_nuovo::~file_nuovo() { scarta(); }

void file_nuovo::scarta() {
  // A close interrupted by a signal has still released the descriptor.
  if (descrittore_ >= 0) ::close(descrittore_);
  descrittore_ = -1;
  if (nominato_) ::unlink(temporaneo_.c_str());
  nominato_ = false;
}

io_status file_nuovo::fallito(int numero) {
  stato_ = errore_sistema(destinazione_, numero);
  scarta();
  return stato_;
}

io_status file_nuovo::apri() {
  // The new file stands in the target's folder, so that the rename stays on
  // one file system. The mode 0666 goes through the umask, as for any new
  // file.
  const fs::path cartella = cartella_di(destinazione_);
#ifdef O_TMPFILE
  descrittore_ = apri_senza_interruzioni(
      cartella.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
  if (descrittore_ >= 0) {
    senza_nome_ = true;
    return stato_;
  }
  // File systems without unnamed files say so in one of these words; any
  // other failure (permissions, a missing folder) is the folder's own.
  if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
    return fallito(errno);
  }
#endif
  descrittore_ = apri_senza_interruzioni(
      temporaneo_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (descrittore_ < 0) return fallito(errno);
  nominato_ = true;
  return stato_;
}

io_status file_nuovo::scrivi(std::string_view byte) {
  if (!stato_.ok()) return stato_;
  if (const int numero = scrivi_tutto(descrittore_, byte); numero != 0) {
    return fallito(numero);
  }
  return stato_;
}

io_status file_nuovo::chiudi(bool durevole) {
  if (!stato_.ok()) return stato_;
  if (durevole && ::fsync(descrittore_) != 0) return fallito(errno);
  if (senza_nome_) {
    // A name for an unnamed file comes through its entry in /proc; without
    // /proc, only a privileged process may link the descriptor itself.
    const std::string proc = "/proc/self/fd/" + std::to_string(descrittore_);
    if (::linkat(AT_FDCWD, proc.c_str(), AT_FDCWD, temporaneo_.c_str(),
                 AT_SYMLINK_FOLLOW) != 0 &&
        ::linkat(descrittore_, "", AT_FDCWD, temporaneo_.c_str(),
                 AT_EMPTY_PATH) != 0) {
      return fallito(errno);
    }
    senza_nome_ = false;
    nominato_ = true;
  }
  const int fd = std::exchange(descrittore_, -1);
  if (::close(fd) != 0 && errno != EINTR) return fallito(errno);
  return stato_;
}

io_status scrivi_attraverso(const fs::path& p, const contenuto_file& c) {
  // No O_TRUNC and no sync: a device or a FIFO holds no bytes to replace.
  // A FIFO waits for its reader, as any writer of one does.
  const int fd =
      apri_senza_interruzioni(p.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return errore_sistema(p, errno);
  const int numero = scrivi_tutto(fd, c);
  const bool chiuso = ::close(fd) == 0 || errno == EINTR;
  if (numero != 0) return errore_sistema(p, numero);
  if (!chiuso) return errore_sistema(p, errno);
  return {};
}

io_status sostituibile(const fs::path& p) {
#if defined(FS_IOC_GETFLAGS)
  // An immutable or append-only file refuses the rename that replaces it.
  const int fd = apri_senza_interruzioni(
      p.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return {};
  int attributi = 0;
  const bool letti = ::ioctl(fd, FS_IOC_GETFLAGS, &attributi) == 0;
  ::close(fd);
  if (letti && (attributi & (FS_IMMUTABLE_FL | FS_APPEND_FL)) != 0) {
    return errore_sistema(p, EPERM);
  }
#else
  (void)p;
#endif
  return {};
}

io_status rinomina(const fs::path& da, const fs::path& a,
                   const fs::path& nome) {
  if (::rename(da.c_str(), a.c_str()) != 0) return errore_sistema(nome, errno);
  return {};
}

io_status rinomina(const fs::path& da, const fs::path& a) {
  return rinomina(da, a, a);
}

io_status collega(const fs::path& esistente, const fs::path& nuovo) {
  // linkat without AT_SYMLINK_FOLLOW names a link itself, not its target.
  if (::linkat(AT_FDCWD, esistente.c_str(), AT_FDCWD, nuovo.c_str(), 0) != 0) {
    return errore_sistema(esistente, errno);
  }
  return {};
}

io_status crea_vuoto(const fs::path& p) {
  const int fd = apri_senza_interruzioni(
      p.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return errore_sistema(p, errno);
  ::close(fd);
  return {};
}

io_status sincronizza_cartella(const fs::path& cartella) {
  const int fd = apri_senza_interruzioni(cartella.c_str(),
                                         O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return errore_sistema(cartella, errno);
  // File systems that cannot sync a folder say EINVAL; there a rename is as
  // durable as it gets.
  const bool fatto = ::fsync(fd) == 0 || errno == EINVAL;
  const int numero = errno;
  ::close(fd);
  if (!fatto) return errore_sistema(cartella, numero);
  return {};
}

io_status nomi_in(const fs::path& cartella, std::vector<std::string>& nomi) {
  nomi.clear();
  DIR* d = ::opendir(cartella.c_str());
  if (d == nullptr) return errore_sistema(cartella, errno);
  for (;;) {
    errno = 0;
    const dirent* e = ::readdir(d);
    if (e == nullptr) break;
    const std::string_view n = e->d_name;
    if (n != "." && n != "..") nomi.emplace_back(n);
  }
  const int numero = errno;
  ::closedir(d);
  if (numero != 0) return errore_sistema(cartella, numero);
  return {};
}

std::uint64_t processo_corrente() {
  return static_cast<std::uint64_t>(::getpid());
}

bool processo_vivo(std::uint64_t pid) {
  if (pid == 0 || pid > static_cast<std::uint64_t>(INT_MAX)) return false;
  // EPERM: it runs, as another user.
  return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

}  // namespace interno

}  // namespace port
