// The real program killed with SIGKILL at spread-out moments of a run: after
// each kill the next command in the folder (check) must leave the three
// compiled files of one compile, the one before the killed run or the one
// it was making, and no file of the program's own but those.
//
// The moments are system calls. The program runs under ptrace, stopped at
// the entry and at the exit of every call; a first run records which calls
// it makes, then each kill comes at the entry or the exit of a call that
// changes the folder (a file made, linked, renamed, removed or synced), and
// at a few stops spread over the rest. Where ptrace is not allowed the
// kills come at spread-out times instead.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/ptrace.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "tests/app/processo_posix.h"
#include "tests/file_prova.h"

namespace {

namespace fs = std::filesystem;

using processo_posix::argv_di;

const std::string piano = "Vendralo_linea.dat";
const std::string tabella = "Vendralo_Kv4417.sim";
const std::string celle = "Vendralo_Kv4417.dat";
const std::string sorgente_linea = "Vendralo_linea.txt";
const std::string sorgente_treno = "Vendralo_Kv4417-.txt";

// Bounds: time for the kills of one test; a few kills spread over each run.
constexpr auto tempo_massimo = std::chrono::seconds(45);
constexpr std::size_t fermate_sparse = 12;

// Small sources of route Vendralo and train Kv4417, so that the files of
// one compile differ from those of any other: a route length and a station
// of its own.
std::string sorgente_linea_di(int chilometri) {
  return "[generale]\r\nlunghezza percorso,    " +
         std::to_string(chilometri * 1000) +
         "\r\n[curve]\r\ncurvad3,  1000,  500\r\n[fine]\r\n";
}
std::string sorgente_treno_di(int minuti) {
  return "[generale]\r\nvelocita, 0, 100\r\n"
         "stazione,       0,  8,  800,  1, 1, 0,  5,1,0,  2,1,1,    1,  17," +
         std::to_string(minuti) + ", 0, Alfa\r\n[fine]\r\n";
}

using insieme = std::map<std::string, std::string>;

// The three compiled files of a folder (a missing one maps to "<none>").
insieme compilati(const fs::path& c) {
  insieme out;
  for (const std::string& n : {piano, tabella, celle}) {
    out[n] = fs::exists(c / n) ? file_prova::leggi(c / n) : "<none>";
  }
  return out;
}

// Names in the folder that only a run of the program at work makes.
std::vector<std::string> temporanei(const fs::path& c) {
  std::vector<std::string> out;
  for (const fs::directory_entry& e : fs::directory_iterator(c)) {
    const std::string n = e.path().filename().string();
    if (n.find(".scenario-") != std::string::npos ||
        n.starts_with("scenario-")) {
      out.push_back(n);
    }
  }
  return out;
}

// The calls that change a folder's names or make its files durable.
bool cambia_la_cartella(std::uint64_t nr, std::uint64_t flag) {
  switch (nr) {
    case SYS_link:
    case SYS_linkat:
    case SYS_rename:
    case SYS_renameat:
    case SYS_renameat2:
    case SYS_unlink:
    case SYS_unlinkat:
    case SYS_fsync:
    case SYS_fdatasync:
    case SYS_creat:
      return true;
    case SYS_open:
    case SYS_openat:
      // Opened to be written: a new file, named or not.
      return (flag & (O_WRONLY | O_RDWR | O_CREAT | O_TMPFILE)) != 0;
    default:
      return false;
  }
}

struct tracciata {
  bool riuscita = false;        // ptrace worked
  int stato = -1;               // exit status, 128 + signal when killed
  std::size_t fermate = 0;      // syscall stops seen
  std::set<std::size_t> utili;  // stops at a call that changes the folder
};

// Runs the program under ptrace; SIGKILL at stop `uccidi` (1-based; 0 for
// none). Output goes nowhere.
tracciata traccia(const fs::path& programma,
                  const std::vector<std::string>& argomenti,
                  std::size_t uccidi) {
  argv_di argv(programma, argomenti);
  tracciata t;
  const pid_t pid = ::fork();
  if (pid < 0) return t;
  if (pid == 0) {
    const int nulla = ::open("/dev/null", O_RDWR);
    ::dup2(nulla, 0);
    ::dup2(nulla, 1);
    ::dup2(nulla, 2);
    if (::ptrace(PTRACE_TRACEME, 0, nullptr, nullptr) != 0) ::_exit(125);
    ::raise(SIGSTOP);
    ::alarm(processo_posix::secondi_massimi);
    // A leak check at exit would itself need to trace the process.
    ::setenv("ASAN_OPTIONS", "detect_leaks=0", 1);
    ::execv(argv.get()[0], argv.get());
    ::_exit(127);
  }
  int stato = 0;
  ::waitpid(pid, &stato, 0);
  if (WIFEXITED(stato)) return t;  // no ptrace here
  t.riuscita = true;
  ::ptrace(PTRACE_SETOPTIONS, pid, nullptr,
           PTRACE_O_TRACESYSGOOD | PTRACE_O_EXITKILL | PTRACE_O_TRACEEXEC);
  int segnale = 0;
  bool eseguito = false;  // past exec: the program's own calls
  bool uscita_utile = false;
  for (;;) {
    ::ptrace(PTRACE_SYSCALL, pid, nullptr, segnale);
    segnale = 0;
    if (::waitpid(pid, &stato, 0) < 0) break;
    if (WIFEXITED(stato)) {
      t.stato = WEXITSTATUS(stato);
      break;
    }
    if (WIFSIGNALED(stato)) {
      t.stato = 128 + WTERMSIG(stato);
      break;
    }
    const int s = WSTOPSIG(stato);
    if (s == (SIGTRAP | 0x80)) {
      if (!eseguito) continue;
      ++t.fermate;
      __ptrace_syscall_info info{};
      if (::ptrace(PTRACE_GET_SYSCALL_INFO, pid, sizeof info, &info) > 0 &&
          info.op == PTRACE_SYSCALL_INFO_ENTRY) {
        const std::uint64_t nr = info.entry.nr;
        const std::uint64_t flag =
            nr == SYS_openat ? info.entry.args[2] : info.entry.args[1];
        uscita_utile = cambia_la_cartella(nr, flag);
        if (uscita_utile) t.utili.insert(t.fermate);
      } else if (uscita_utile) {
        t.utili.insert(t.fermate);
        uscita_utile = false;
      }
      if (t.fermate == uccidi) {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, &stato, 0);
        t.stato = 128 + SIGKILL;
        break;
      }
    } else if (s == SIGTRAP && (stato >> 16) == PTRACE_EVENT_EXEC) {
      eseguito = true;
    } else if (s != SIGSTOP || eseguito) {
      segnale = s;
    }
  }
  return t;
}

// Runs the program and kills it after `attesa`, when ptrace is not there.
int uccidi_dopo(const fs::path& programma,
                const std::vector<std::string>& argomenti,
                std::chrono::microseconds attesa) {
  argv_di argv(programma, argomenti);
  const pid_t pid = ::fork();
  if (pid == 0) {
    const int nulla = ::open("/dev/null", O_RDWR);
    ::dup2(nulla, 0);
    ::dup2(nulla, 1);
    ::dup2(nulla, 2);
    ::execv(argv.get()[0], argv.get());
    ::_exit(127);
  }
  std::this_thread::sleep_for(attesa);
  ::kill(pid, SIGKILL);
  int stato = 0;
  ::waitpid(pid, &stato, 0);
  return WIFEXITED(stato) ? WEXITSTATUS(stato) : 128 + WTERMSIG(stato);
}

// The stops to kill at, at most `massimo`: the last `coda` of those at a
// call that changes the folder (the switch of the compiled files is the end
// of a run), then the others of them and a few spread over the whole run,
// evenly chosen among themselves.
std::vector<std::size_t> fermate_da_uccidere(const tracciata& t,
                                             std::size_t massimo,
                                             std::size_t coda) {
  const std::vector<std::size_t> utili(t.utili.begin(), t.utili.end());
  const std::size_t dalla_coda = std::min({coda, utili.size(), massimo});
  const auto inizio_coda =
      utili.end() - static_cast<std::ptrdiff_t>(dalla_coda);
  std::set<std::size_t> scelte(inizio_coda, utili.end());
  std::vector<std::size_t> altre(utili.begin(), inizio_coda);
  for (std::size_t k = 1; k <= fermate_sparse; ++k) {
    altre.push_back(1 + (t.fermate - 1) * k / (fermate_sparse + 1));
  }
  std::sort(altre.begin(), altre.end());
  const std::size_t posto = massimo - scelte.size();
  for (std::size_t i = 0; i < std::min(posto, altre.size()); ++i) {
    scelte.insert(altre[i * altre.size() / std::min(posto, altre.size())]);
  }
  return {scelte.begin(), scelte.end()};
}

class banco_uccisioni {
 public:
  banco_uccisioni() : programma_(SCENARIO_PROGRAMMA) {}

  const fs::path& programma() const { return programma_; }
  fs::path cartella(const std::string& nome) const {
    const fs::path c = radice_.percorso() / nome;
    fs::create_directories(c);
    return c;
  }

  // The three files a compile of the given sources leaves.
  insieme compila(const std::string& linea, const std::string& treno,
                  const std::string& nome) const {
    const fs::path c = cartella(nome);
    file_prova::scrivi(c / sorgente_linea, linea);
    file_prova::scrivi(c / sorgente_treno, treno);
    const processo_posix::esito_processo r =
        processo_posix::esegui(programma_, {"compile", "--folder", c.string()});
    EXPECT_EQ(r.stato, 0) << r.uscita;
    return compilati(c);
  }

 private:
  processo_posix::radice_prova radice_;
  fs::path programma_;
};

// Kills `comando` (run in a folder prepared by `prepara`) at every chosen
// moment, and checks each time what the next command finds.
// At most `massimo` kills, the last `coda` calls that change the folder
// all among them.
void prova_uccisioni(const banco_uccisioni& b,
                     const std::vector<std::string>& comando,
                     const std::function<void(const fs::path&)>& prepara,
                     const insieme& prima, const insieme& dopo,
                     std::size_t massimo, std::size_t coda) {
  ASSERT_NE(prima, dopo) << "the two sets must differ for a mix to show";
  const auto inizio = std::chrono::steady_clock::now();
  auto argomenti_in = [&](const fs::path& c) {
    std::vector<std::string> a = comando;
    a.push_back("--folder");
    a.push_back(c.string());
    return a;
  };
  // The whole run, once, for its stops and its length.
  const fs::path intera = b.cartella("intera");
  prepara(intera);
  const auto prima_della_corsa = std::chrono::steady_clock::now();
  tracciata tutta = traccia(b.programma(), argomenti_in(intera), 0);
  if (!tutta.riuscita) {
    tutta.stato =
        processo_posix::esegui(b.programma(), argomenti_in(intera)).stato;
  }
  const auto durata = std::chrono::steady_clock::now() - prima_della_corsa;
  ASSERT_EQ(tutta.stato, 0);
  EXPECT_EQ(compilati(intera), dopo);

  std::vector<std::size_t> momenti;
  if (tutta.riuscita) {
    ASSERT_FALSE(tutta.utili.empty());
    momenti = fermate_da_uccidere(tutta, massimo, coda);
  } else {
    for (std::size_t k = 0; k < 2 * fermate_sparse; ++k) momenti.push_back(k);
  }
  std::size_t uccisi = 0;
  std::size_t i = 0;
  for (const std::size_t m : momenti) {
    if (std::chrono::steady_clock::now() - inizio > tempo_massimo) break;
    SCOPED_TRACE("kill " + std::to_string(m));
    const fs::path c = b.cartella("uccisa" + std::to_string(i++));
    prepara(c);
    int stato = 0;
    if (tutta.riuscita) {
      stato = traccia(b.programma(), argomenti_in(c), m).stato;
    } else {
      const auto attesa = std::chrono::duration_cast<std::chrono::microseconds>(
          durata * static_cast<long>(m) / static_cast<long>(momenti.size()));
      stato = uccidi_dopo(b.programma(), argomenti_in(c), attesa);
    }
    if (stato == 128 + SIGKILL) ++uccisi;
    // The next command in the folder, whichever: check, the quickest,
    // which finds no sources after a whole run.
    const processo_posix::esito_processo r = processo_posix::esegui(
        b.programma(), {"check", "--folder", c.string()});
    EXPECT_LT(r.stato, 128) << r.uscita;
    EXPECT_EQ(r.uscita.find("cambio"), std::string::npos) << r.uscita;
    const insieme trovato = compilati(c);
    EXPECT_TRUE(trovato == prima || trovato == dopo)
        << "the compiled files are of two compiles";
    EXPECT_TRUE(temporanei(c).empty())
        << "left: " << (temporanei(c).empty() ? "" : temporanei(c).front());
    fs::remove_all(c);
  }
  // A run that ends before its stop is no kill; most must be.
  EXPECT_GE(uccisi, i / 2) << "too few runs were killed";
  EXPECT_GE(i, std::min<std::size_t>(momenti.size(), 10))
      << "too few kills in the time given";
}

TEST(UccisioneTest, AKilledCompileLeavesTheFilesOfOneCompile) {
  const banco_uccisioni b;
  const insieme prima =
      b.compila(sorgente_linea_di(10), sorgente_treno_di(25), "prima");
  const insieme dopo =
      b.compila(sorgente_linea_di(12), sorgente_treno_di(40), "dopo");
  prova_uccisioni(
      b, {"compile"},
      [&](const fs::path& c) {
        for (const auto& [n, byte] : prima) file_prova::scrivi(c / n, byte);
        file_prova::scrivi(c / sorgente_linea, sorgente_linea_di(12));
        file_prova::scrivi(c / sorgente_treno, sorgente_treno_di(40));
      },
      prima, dopo, 120, 120);
}

TEST(UccisioneTest, AKilledRunLeavesTheFilesOfOneCompile) {
  const banco_uccisioni b;
  const insieme prima =
      b.compila(sorgente_linea_di(10), sorgente_treno_di(25), "prima");
  const fs::path corsa = b.cartella("corsa");
  ASSERT_EQ(
      processo_posix::esegui(b.programma(), {"--folder", corsa.string()}).stato,
      0);
  const insieme dopo = compilati(corsa);
  prova_uccisioni(
      b, {},
      [&](const fs::path& c) {
        for (const auto& [n, byte] : prima) file_prova::scrivi(c / n, byte);
      },
      prima, dopo, 40, 26);
}

}  // namespace
