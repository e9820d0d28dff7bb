// POSIX folder lock: flock on a descriptor of the folder itself.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "port/blocco_cartella.h"

namespace port {

blocco_cartella::blocco_cartella(const std::filesystem::path& cartella,
                                 const std::function<void()>& in_attesa) {
  int fd = -1;
  do {
    fd = ::open(cartella.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return;
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    if (errno == EWOULDBLOCK) {
      if (in_attesa) in_attesa();
      int r = 0;
      do {
        r = ::flock(fd, LOCK_EX);
      } while (r != 0 && errno == EINTR);
      if (r != 0) {
        ::close(fd);
        return;
      }
    } else {
      // A file system without locks: the run goes on without one.
      ::close(fd);
      return;
    }
  }
  maniglia_ = fd;
}

blocco_cartella::~blocco_cartella() {
  if (maniglia_ != -1) ::close(static_cast<int>(maniglia_));
}

}  // namespace port
