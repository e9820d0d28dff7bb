// POSIX faults of the platform layer that need permissions to bind: the
// write runs in a child process, as nobody when the tests run as root.
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>

#include "port/sistema.h"
#include "tests/file_prova.h"

namespace {

namespace fs = std::filesystem;

constexpr uid_t uid_nessuno = 65534;
constexpr gid_t gid_nessuno = 65534;

// Runs `prova` in a child without privileges; its exit status comes back.
template <class F>
int senza_privilegi(F&& prova) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    if (::geteuid() == 0 &&
        (::setgroups(0, nullptr) != 0 || ::setgid(gid_nessuno) != 0 ||
         ::setuid(uid_nessuno) != 0)) {
      ::_exit(126);
    }
    ::_exit(prova() ? 0 : 1);
  }
  int stato = 0;
  while (::waitpid(pid, &stato, 0) < 0 && errno == EINTR) {
  }
  return WIFEXITED(stato) ? WEXITSTATUS(stato) : 128;
}

}  // namespace

TEST(SistemaPosixTest, AReadOnlyFolderKeepsItsFileAndGetsNoTemporary) {
  const file_prova::cartella prova;
  const fs::path c = prova.percorso() / "sola_lettura";
  fs::create_directory(c);
  ASSERT_TRUE(port::sostituisci_file(c / "a.dat", "old").ok());
  fs::permissions(prova.percorso(), fs::perms::owner_all |
                                        fs::perms::others_read |
                                        fs::perms::others_exec);
  fs::permissions(c, fs::perms::owner_read | fs::perms::owner_exec |
                         fs::perms::others_read | fs::perms::others_exec);
  fs::permissions(c / "a.dat", fs::perms::owner_all | fs::perms::others_all);
  const std::string atteso =
      port::testo_percorso(c / "a.dat") + ": " + port::motivo_sistema(EACCES);
  EXPECT_EQ(senza_privilegi([&] {
              const port::io_status s =
                  port::sostituisci_file(c / "a.dat", "new");
              return s.message == atteso;
            }),
            0);
  fs::permissions(c, fs::perms::owner_all);
  EXPECT_EQ(file_prova::leggi(c / "a.dat"), "old");
  EXPECT_EQ(std::distance(fs::directory_iterator(c), fs::directory_iterator()),
            1);
}

TEST(SistemaPosixTest, AFifoIsRefusedWithoutWaiting) {
  const file_prova::cartella prova;
  const fs::path f = prova.percorso() / "fifo";
  ASSERT_EQ(::mkfifo(f.c_str(), 0644), 0) << std::strerror(errno);
  const port::file_letto l = port::leggi_file(f);
  EXPECT_EQ(l.stato, port::file_letto::esito::illeggibile);
  EXPECT_EQ(l.motivo, "non è un file regolare");
  EXPECT_EQ(port::tipo_di(f), port::tipo_voce::altro);
}
