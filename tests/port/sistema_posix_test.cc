// POSIX cases of the platform layer: faults that need permissions to bind
// (the write runs in a child process, as nobody when the tests run as
// root), and what the writers do with a FIFO, a device, a socket, a link or
// an immutable file in a target's place.
#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <system_error>
#include <thread>

#include "port/cambio.h"
#include "port/scrittura.h"
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
  const port::file_letto l = port::leggi_file(f, 1000);
  EXPECT_EQ(l.stato, port::file_letto::esito::illeggibile);
  EXPECT_EQ(l.motivo, "non è un file regolare");
  EXPECT_EQ(port::tipo_di(f), port::tipo_voce::altro);
}

namespace {

// The bytes that arrive through a FIFO while `scrivi` writes into it.
std::string letto_dalla_fifo(const fs::path& f,
                             const std::function<port::io_status()>& scrivi,
                             port::io_status& stato) {
  std::string letto;
  std::thread lettore([&] {
    const int fd = ::open(f.c_str(), O_RDONLY);
    if (fd < 0) return;
    char blocco[4096];
    for (ssize_t n; (n = ::read(fd, blocco, sizeof blocco)) > 0;) {
      letto.append(blocco, static_cast<std::size_t>(n));
    }
    ::close(fd);
  });
  stato = scrivi();
  // A writer that never opened the FIFO would leave the reader waiting: an
  // open and close of our own lets it go.
  const int sblocca = ::open(f.c_str(), O_WRONLY | O_NONBLOCK);
  if (sblocca >= 0) ::close(sblocca);
  lettore.join();
  return letto;
}

}  // namespace

// A FIFO, directly or through a link, is written through and stays a FIFO;
// the batch writers, which must put every file in place, refuse it.
TEST(SistemaPosixTest, AFifoInATargetsPlaceIsWrittenThroughNotReplaced) {
  const file_prova::cartella prova;
  const fs::path& c = prova.percorso();
  ASSERT_EQ(::mkfifo((c / "fifo").c_str(), 0644), 0) << std::strerror(errno);
  fs::create_symlink(c / "fifo", c / "link");
  const std::string grande(3 * port::blocco_scrittura + 5, 'q');
  for (const char* nome : {"fifo", "link"}) {
    SCOPED_TRACE(nome);
    EXPECT_EQ(port::posto_di(c / nome), port::posto_file::attraversabile);
    port::io_status s;
    const std::string letto = letto_dalla_fifo(
        c / "fifo", [&] { return port::sostituisci_file(c / nome, grande); },
        s);
    EXPECT_TRUE(s.ok()) << s.message;
    EXPECT_TRUE(letto == grande);
  }
  EXPECT_TRUE(fs::is_fifo(fs::symlink_status(c / "fifo")));
  EXPECT_TRUE(fs::is_symlink(fs::symlink_status(c / "link")));

  const port::file_da_scrivere gruppo[] = {{c / "fifo", {"x", {}}}};
  EXPECT_EQ(port::scrivi_gruppo(gruppo, true).message,
            port::testo_percorso(c / "fifo") +
                ": non è un file (è un dispositivo, una FIFO o un socket): "
                "non viene sostituito");
  EXPECT_EQ(std::distance(fs::directory_iterator(c), fs::directory_iterator()),
            2);
}

TEST(SistemaPosixTest, ASocketInATargetsPlaceIsRefused) {
  const file_prova::cartella prova;
  const fs::path s = prova.percorso() / "s";
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(fd, 0);
  sockaddr_un a{};
  a.sun_family = AF_UNIX;
  ASSERT_LT(s.string().size(), sizeof a.sun_path);
  std::strcpy(a.sun_path, s.c_str());
  ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a), 0)
      << std::strerror(errno);
  EXPECT_EQ(port::posto_di(s), port::posto_file::altro);
  EXPECT_FALSE(port::sostituisci_file(s, "x").ok());
  EXPECT_TRUE(fs::is_socket(fs::symlink_status(s)));
  ::close(fd);
}

// As root a device node can be made where a file would be: it is written
// through and stays the node it was.
TEST(SistemaPosixTest, ADeviceInATargetsPlaceIsWrittenThroughNotReplaced) {
  const file_prova::cartella prova;
  const fs::path n = prova.percorso() / "null";
  if (::mknod(n.c_str(), S_IFCHR | 0666, ::makedev(1, 3)) != 0) {
    GTEST_SKIP() << "mknod: " << std::strerror(errno);
  }
  EXPECT_TRUE(port::sostituisci_file(n, std::string(1 << 20, 'x')).ok());
  EXPECT_TRUE(fs::is_character_file(fs::symlink_status(n)));
  EXPECT_EQ(std::distance(fs::directory_iterator(prova.percorso()),
                          fs::directory_iterator()),
            1);
}

// A link to a file, or to nothing, is replaced as a link: what it leads to
// is left as it was.
TEST(SistemaPosixTest, ALinkToAFileIsReplacedAndItsTargetKept) {
  const file_prova::cartella prova;
  const fs::path& c = prova.percorso();
  file_prova::scrivi(c / "bersaglio", "keep");
  fs::create_symlink(c / "bersaglio", c / "a");
  fs::create_symlink(c / "nessuno", c / "b");
  for (const char* nome : {"a", "b"}) {
    SCOPED_TRACE(nome);
    EXPECT_EQ(port::posto_di(c / nome), port::posto_file::libero);
    ASSERT_TRUE(port::sostituisci_file(c / nome, "new").ok());
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(c / nome)));
    EXPECT_EQ(file_prova::leggi(c / nome), "new");
  }
  EXPECT_EQ(file_prova::leggi(c / "bersaglio"), "keep");
  EXPECT_FALSE(fs::exists(c / "nessuno"));
}

// An immutable file (root only, on a file system that has the flag) in a
// set is refused before anything is written.
TEST(SistemaPosixTest, AnImmutableTargetIsRefusedBeforeAnyWrite) {
  const file_prova::cartella prova;
  const fs::path& c = prova.percorso();
  file_prova::scrivi(c / "a", "old a");
  file_prova::scrivi(c / "b", "old b");
  const int fd = ::open((c / "b").c_str(), O_RDONLY);
  ASSERT_GE(fd, 0);
  int attributi = 0;
  const bool messo = ::ioctl(fd, FS_IOC_GETFLAGS, &attributi) == 0 &&
                     (attributi |= FS_IMMUTABLE_FL,
                      ::ioctl(fd, FS_IOC_SETFLAGS, &attributi) == 0);
  if (!messo) {
    ::close(fd);
    GTEST_SKIP() << "FS_IOC_SETFLAGS: " << std::strerror(errno);
  }
  const port::file_da_scrivere file[] = {{c / "a", {"new a", {}}},
                                         {c / "b", {"new b", {}}}};
  const port::io_status s = port::sostituisci_insieme(file);
  attributi &= ~FS_IMMUTABLE_FL;
  ::ioctl(fd, FS_IOC_SETFLAGS, &attributi);
  ::close(fd);
  EXPECT_EQ(s.message, port::testo_percorso(c / "b") + ": " +
                           port::motivo_sistema(EPERM));
  EXPECT_EQ(file_prova::leggi(c / "a"), "old a");
  EXPECT_EQ(file_prova::leggi(c / "b"), "old b");
  EXPECT_EQ(std::distance(fs::directory_iterator(c), fs::directory_iterator()),
            2);
}

namespace {

// Sets or clears the immutable flag of `p`; false where it cannot (not
// root, or a file system without it).
bool immutabile(const fs::path& p, bool si) {
  const int fd = ::open(p.c_str(), O_RDONLY);
  if (fd < 0) return false;
  int attributi = 0;
  bool fatto = ::ioctl(fd, FS_IOC_GETFLAGS, &attributi) == 0;
  if (fatto) {
    attributi =
        si ? (attributi | FS_IMMUTABLE_FL) : (attributi & ~FS_IMMUTABLE_FL);
    fatto = ::ioctl(fd, FS_IOC_SETFLAGS, &attributi) == 0;
  }
  ::close(fd);
  return fatto;
}

}  // namespace

// A target made immutable while the new bytes are written passes the
// checks and fails at its rename, after the others were switched: they get
// their old files back, and nothing of the switch is left.
TEST(SistemaPosixTest, ARenameThatFailsInTheSwitchPutsTheOldFilesBack) {
  const file_prova::cartella prova;
  const fs::path& c = prova.percorso();
  file_prova::scrivi(c / "a", "old a");
  file_prova::scrivi(c / "c", "old c");
  if (!immutabile(c / "c", true) || !immutabile(c / "c", false)) {
    GTEST_SKIP() << "no immutable flag here";
  }
  bool fatto = false;
  const port::file_da_scrivere file[] = {
      {c / "a", {"new a", {}}},
      {c / "b",
       {{},
        [&]() -> std::string_view {
          if (fatto) return {};
          fatto = immutabile(c / "c", true);
          return "new b";
        }}},
      {c / "c", {"new c", {}}},
  };
  const port::io_status s = port::sostituisci_insieme(file);
  immutabile(c / "c", false);
  ASSERT_TRUE(fatto);
  EXPECT_EQ(s.message, port::testo_percorso(c / "c") + ": " +
                           port::motivo_sistema(EPERM));
  EXPECT_EQ(file_prova::contenuto(c), (std::map<std::string, std::string>{
                                          {"a", "old a"}, {"c", "old c"}}));
}
