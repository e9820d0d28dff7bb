// The real program in a child process, for the POSIX tests that inject
// faults around it: a folder every user may traverse, and a run with the
// limits, account and standard output a case asks for.
#ifndef TESTS_APP_PROCESSO_POSIX_H_
#define TESTS_APP_PROCESSO_POSIX_H_

#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace processo_posix {

// The account the program runs as when a case needs permissions to bind and
// the tests run as root, which ignores permission bits.
inline constexpr uid_t uid_nessuno = 65534;
inline constexpr gid_t gid_nessuno = 65534;

// A run that takes longer is stuck: the child is ended by SIGALRM.
inline constexpr unsigned secondi_massimi = 60;

inline bool da_root() { return ::geteuid() == 0; }

struct vincoli {
  bool senza_privilegi = false;  // as nobody when running as root
  // RLIMIT_FSIZE, with SIGXFSZ ignored so that the write past it is EFBIG.
  rlim_t limite_file = 0;
  rlim_t limite_memoria = 0;  // RLIMIT_AS
  // Standard output goes there (opened for writing) instead of the pipe.
  std::string uscita_standard{};
};

struct esito_processo {
  int stato = -1;      // exit status; 128 + signal when killed
  std::string uscita;  // standard output and error together
};

// A folder under the system's temporary folder that every user may
// traverse, removed with everything in it when the object goes.
class radice_prova {
 public:
  radice_prova() {
    std::string modello =
        (std::filesystem::temp_directory_path() / "guasti.XXXXXX").string();
    if (::mkdtemp(modello.data()) == nullptr) {
      ADD_FAILURE() << "mkdtemp: " << std::strerror(errno);
    }
    percorso_ = modello;
    namespace fs = std::filesystem;
    fs::permissions(percorso_, fs::perms::owner_all | fs::perms::group_read |
                                   fs::perms::group_exec |
                                   fs::perms::others_read |
                                   fs::perms::others_exec);
  }
  ~radice_prova() {
    namespace fs = std::filesystem;
    std::error_code ec;
    // Undo what the cases did to permissions, so that everything goes.
    for (auto it = fs::recursive_directory_iterator(percorso_, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
      fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add,
                      ec);
    }
    fs::remove_all(percorso_, ec);
  }
  radice_prova(const radice_prova&) = delete;
  radice_prova& operator=(const radice_prova&) = delete;

  const std::filesystem::path& percorso() const { return percorso_; }

 private:
  std::filesystem::path percorso_;
};

// The argument vector of the program with `argomenti`.
class argv_di {
 public:
  argv_di(const std::filesystem::path& programma,
          const std::vector<std::string>& argomenti)
      : tutti_{programma.string()} {
    tutti_.insert(tutti_.end(), argomenti.begin(), argomenti.end());
    for (std::string& a : tutti_) argv_.push_back(a.data());
    argv_.push_back(nullptr);
  }
  char** get() { return argv_.data(); }

 private:
  std::vector<std::string> tutti_;
  std::vector<char*> argv_;
};

// In the child: the limits and the account of `v`. Only async-signal-safe
// calls; false when one could not be set.
inline bool applica(const vincoli& v) {
  if (v.limite_file != 0) {
    ::signal(SIGXFSZ, SIG_IGN);
    const rlimit r{v.limite_file, v.limite_file};
    if (::setrlimit(RLIMIT_FSIZE, &r) != 0) return false;
  }
  if (v.limite_memoria != 0) {
    const rlimit r{v.limite_memoria, v.limite_memoria};
    if (::setrlimit(RLIMIT_AS, &r) != 0) return false;
  }
  if (v.senza_privilegi && da_root()) {
    if (::setgroups(0, nullptr) != 0 || ::setgid(gid_nessuno) != 0 ||
        ::setuid(uid_nessuno) != 0) {
      return false;
    }
  }
  return true;
}

// Runs the program with `argomenti` in a child process.
inline esito_processo esegui(const std::filesystem::path& programma,
                             const std::vector<std::string>& argomenti,
                             const vincoli& v = {}) {
  argv_di argv(programma, argomenti);
  esito_processo out;
  int tubo[2];
  if (::pipe(tubo) != 0) {
    ADD_FAILURE() << "pipe: " << std::strerror(errno);
    return out;
  }
  const pid_t pid = ::fork();
  if (pid < 0) {
    ADD_FAILURE() << "fork: " << std::strerror(errno);
    return out;
  }
  if (pid == 0) {
    // Only async-signal-safe calls from here on.
    const int nulla = ::open("/dev/null", O_RDONLY);
    if (nulla >= 0) ::dup2(nulla, 0);
    ::dup2(tubo[1], 1);
    ::dup2(tubo[1], 2);
    if (!v.uscita_standard.empty()) {
      const int u = ::open(v.uscita_standard.c_str(), O_WRONLY);
      if (u < 0 || ::dup2(u, 1) < 0) ::_exit(126);
    }
    ::close(tubo[0]);
    ::close(tubo[1]);
    if (!applica(v)) ::_exit(126);
    ::alarm(secondi_massimi);
    ::execv(argv.get()[0], argv.get());
    ::_exit(127);
  }
  ::close(tubo[1]);
  char blocco[4096];
  for (;;) {
    const ssize_t n = ::read(tubo[0], blocco, sizeof blocco);
    if (n > 0) {
      out.uscita.append(blocco, static_cast<std::size_t>(n));
    } else if (n == 0 || errno != EINTR) {
      break;
    }
  }
  ::close(tubo[0]);
  int stato = 0;
  while (::waitpid(pid, &stato, 0) < 0 && errno == EINTR) {
  }
  if (WIFEXITED(stato)) out.stato = WEXITSTATUS(stato);
  if (WIFSIGNALED(stato)) out.stato = 128 + WTERMSIG(stato);
  return out;
}

}  // namespace processo_posix

#endif  // TESTS_APP_PROCESSO_POSIX_H_
