// Fault injection on the real program: each case prepares a folder with an
// earlier successful run, injects one fault (a folder that cannot be written
// or does not exist, a file-size limit that stops a write midway, a source
// that is missing, unreadable or a folder, an identifier that would leave the
// folder), runs `scenario` in a child process, and checks the message, the
// exit status and that the folder holds exactly what it held before.
#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Exit statuses as documented in --help.
constexpr int uscita_ok = 0;
constexpr int uscita_uso = 2;
constexpr int uscita_file = 3;

// The account the program runs as when a case needs permissions to bind and
// the tests run as root, which ignores permission bits.
constexpr uid_t uid_nessuno = 65534;
constexpr gid_t gid_nessuno = 65534;

// Large enough for every text file of the scenario, far too small for its
// plan file of 6319964 bytes.
constexpr rlim_t limite_file = 1 << 20;

// A run that takes longer is stuck: the child is ended by SIGALRM.
constexpr unsigned secondi_massimi = 60;

const std::string linea_sorgente = "Vendralo_linea.txt";
const std::string treno_sorgente = "Vendralo_Kv4417-.txt";
const std::string piano = "Vendralo_linea.dat";
const std::string tabella = "Vendralo_Kv4417.sim";
const std::string celle = "Vendralo_Kv4417.dat";

bool da_root() { return ::geteuid() == 0; }

struct vincoli {
  bool senza_privilegi = false;    // as nobody when running as root
  bool limite_dimensione = false;  // RLIMIT_FSIZE with SIGXFSZ ignored
};

struct esito_processo {
  int stato = -1;      // exit status; 128 + signal when killed
  std::string uscita;  // standard output and error together
};

// A folder under the system's temporary folder that every user may traverse,
// removed with everything in it when the object goes.
class radice_prova {
 public:
  radice_prova() {
    std::string modello =
        (fs::temp_directory_path() / "guasti.XXXXXX").string();
    if (::mkdtemp(modello.data()) == nullptr) {
      ADD_FAILURE() << "mkdtemp: " << std::strerror(errno);
    }
    percorso_ = modello;
    fs::permissions(percorso_, fs::perms::owner_all | fs::perms::group_read |
                                   fs::perms::group_exec |
                                   fs::perms::others_read |
                                   fs::perms::others_exec);
  }
  ~radice_prova() {
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

  const fs::path& percorso() const { return percorso_; }

 private:
  fs::path percorso_;
};

// Runs the program with `argomenti` in a child process.
esito_processo esegui(const fs::path& programma,
                      const std::vector<std::string>& argomenti,
                      const vincoli& v = {}) {
  std::vector<std::string> tutti = {programma.string()};
  tutti.insert(tutti.end(), argomenti.begin(), argomenti.end());
  std::vector<char*> argv;
  for (std::string& a : tutti) argv.push_back(a.data());
  argv.push_back(nullptr);

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
    ::close(tubo[0]);
    ::close(tubo[1]);
    if (v.limite_dimensione) {
      // Ignored, the signal turns the write past the limit into EFBIG.
      ::signal(SIGXFSZ, SIG_IGN);
      const rlimit r{limite_file, limite_file};
      if (::setrlimit(RLIMIT_FSIZE, &r) != 0) ::_exit(126);
    }
    if (v.senza_privilegi && da_root()) {
      if (::setgroups(0, nullptr) != 0 || ::setgid(gid_nessuno) != 0 ||
          ::setuid(uid_nessuno) != 0) {
        ::_exit(126);
      }
    }
    ::alarm(secondi_massimi);
    ::execv(argv[0], argv.data());
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

std::string contenuto(const fs::path& p) {
  std::ifstream f(p, std::ios::binary);
  std::string byte(static_cast<std::size_t>(fs::file_size(p)), '\0');
  f.read(byte.data(), static_cast<std::streamsize>(byte.size()));
  return byte;
}

// Name -> bytes of every entry of a folder; a subfolder maps to "<folder>",
// anything else that is not a plain file (a FIFO, a link) to "<special>".
using istantanea = std::map<std::string, std::string>;

istantanea fotografa(const fs::path& cartella) {
  istantanea out;
  for (const fs::directory_entry& e : fs::directory_iterator(cartella)) {
    const fs::file_status st = e.symlink_status();
    out[e.path().filename().string()] = fs::is_directory(st) ? "<folder>"
                                        : fs::is_regular_file(st)
                                            ? contenuto(e.path())
                                            : "<special>";
  }
  return out;
}

// The names of a folder's entries, for a message that shows what changed.
std::string nomi(const fs::path& cartella) {
  std::set<std::string> tutti;
  for (const fs::directory_entry& e : fs::directory_iterator(cartella)) {
    tutti.insert(e.path().filename().string());
  }
  std::string out;
  for (const std::string& n : tutti) out += n + " ";
  return out;
}

// The program, runnable by nobody when the tests run as root (the build
// folder may not be open to it), and a folder holding what one successful
// whole run with --keep-sources leaves: the two sources, the three driver
// documents and the three compiled files.
class banco {
 public:
  banco() {
    programma_ = SCENARIO_PROGRAMMA;
    if (da_root()) {
      const fs::path copia = radice_.percorso() / "scenario";
      fs::copy_file(programma_, copia);
      fs::permissions(copia, fs::perms::owner_all | fs::perms::group_read |
                                 fs::perms::group_exec |
                                 fs::perms::others_read |
                                 fs::perms::others_exec);
      programma_ = copia;
    }
    base_ = radice_.percorso() / "base";
    fs::create_directory(base_);
    const esito_processo r =
        esegui(programma_, {"--folder", base_.string(), "--keep-sources"});
    EXPECT_EQ(r.stato, uscita_ok) << r.uscita;
    for (const std::string& nome :
         {linea_sorgente, treno_sorgente, piano, tabella, celle}) {
      EXPECT_TRUE(fs::exists(base_ / nome)) << nome;
    }
  }

  const fs::path& programma() const { return programma_; }
  const fs::path& radice() const { return radice_.percorso(); }

  // A fresh copy of the successful run's folder, open to every user to
  // read; the case then takes away what it needs.
  fs::path copia(const std::string& nome) const {
    const fs::path c = radice_.percorso() / nome;
    fs::copy(base_, c);
    fs::permissions(c, fs::perms::owner_all | fs::perms::group_read |
                           fs::perms::group_exec | fs::perms::others_read |
                           fs::perms::others_exec);
    for (const fs::directory_entry& e : fs::directory_iterator(c)) {
      fs::permissions(e.path(), fs::perms::owner_read | fs::perms::owner_write |
                                    fs::perms::group_read |
                                    fs::perms::others_read);
    }
    return c;
  }

 private:
  radice_prova radice_;
  fs::path programma_;
  fs::path base_;
};

void togli_lettura(const fs::path& p) { fs::permissions(p, fs::perms::none); }

void sola_lettura(const fs::path& cartella) {
  fs::permissions(cartella, fs::perms::owner_read | fs::perms::owner_exec |
                                fs::perms::group_read | fs::perms::group_exec |
                                fs::perms::others_read |
                                fs::perms::others_exec);
}

void sostituisci_con_cartella(const fs::path& p) {
  fs::remove(p);
  fs::create_directory(p);
  // Not empty, so that nothing may take it for a leftover.
  std::ofstream(p / "dentro.txt") << "x";
}

struct caso {
  std::string nome;
  // Injects the fault into the folder (a copy of the successful run).
  std::function<void(const fs::path& cartella)> prepara;
  // Arguments after the command; {cartella} stands for the folder.
  std::vector<std::string> argomenti;
  vincoli v;
  int stato = uscita_file;
  // Texts the message must hold; {cartella} stands for the folder.
  std::vector<std::string> messaggio;
};

std::string sostituisci(std::string testo, const fs::path& cartella) {
  const std::string segnaposto = "{cartella}";
  for (std::size_t i = testo.find(segnaposto); i != std::string::npos;
       i = testo.find(segnaposto, i)) {
    testo.replace(i, segnaposto.size(), cartella.string());
    i += cartella.string().size();
  }
  return testo;
}

// Runs every case in a copy of the successful run's folder; the folder and
// its parent must hold afterwards exactly what they held after the fault was
// injected: no temporary, no compiled file written or changed, no source
// deleted.
void prova_casi(const banco& b, const std::vector<caso>& casi) {
  for (std::size_t i = 0; i < casi.size(); ++i) {
    const caso& c = casi[i];
    SCOPED_TRACE(c.nome);
    const fs::path cartella = b.copia("caso" + std::to_string(i));
    c.prepara(cartella);

    std::vector<std::string> argomenti;
    for (const std::string& a : c.argomenti) {
      argomenti.push_back(sostituisci(a, cartella));
    }
    // Folders made unreadable still show their names to the owner.
    const fs::perms permessi = fs::status(cartella).permissions();
    fs::permissions(cartella, fs::perms::owner_all, fs::perm_options::add);
    const istantanea prima = fotografa(cartella);
    const std::string prima_nomi = nomi(cartella);
    const std::string prima_radice = nomi(b.radice());
    fs::permissions(cartella, permessi);

    const esito_processo r = esegui(b.programma(), argomenti, c.v);

    EXPECT_EQ(r.stato, c.stato) << r.uscita;
    for (const std::string& m : c.messaggio) {
      EXPECT_NE(r.uscita.find(sostituisci(m, cartella)), std::string::npos)
          << "missing \"" << sostituisci(m, cartella) << "\" in:\n"
          << r.uscita;
    }
    EXPECT_EQ(r.uscita.find("Sanitizer"), std::string::npos) << r.uscita;
    EXPECT_EQ(r.uscita.find("runtime error"), std::string::npos) << r.uscita;

    fs::permissions(cartella, fs::perms::owner_all, fs::perm_options::add);
    EXPECT_EQ(nomi(cartella), prima_nomi);
    EXPECT_TRUE(fotografa(cartella) == prima) << "a file changed";
    EXPECT_EQ(nomi(b.radice()), prima_radice);
  }
}

// The reasons the program gives, in its language.
std::string motivo(int numero) {
  switch (numero) {
    case EACCES:
      return "permesso negato";
    case EFBIG:
      return "file troppo grande";
    case ENOENT:
      return "file o cartella inesistente";
    case EISDIR:
      return "è una cartella";
    default:
      return std::strerror(numero);
  }
}

TEST(GuastiTest, CompileFaultsLeaveTheFolderAsItWas) {
  const banco b;
  const std::vector<std::string> compila = {"compile", "--folder",
                                            "{cartella}"};
  auto con = [&](std::vector<std::string> altri) {
    std::vector<std::string> a = compila;
    a.insert(a.end(), altri.begin(), altri.end());
    return a;
  };
  const auto nulla = [](const fs::path&) {};
  const std::vector<caso> casi = {
      {"read-only folder",
       sola_lettura,
       compila,
       {.senza_privilegi = true},
       uscita_file,
       {"{cartella}/" + piano + ": " + motivo(EACCES)}},
      {"folder that does not exist",
       nulla,
       {"compile", "--folder", "{cartella}/manca"},
       {},
       uscita_file,
       {" Errore n. 101", "{cartella}/manca/" + linea_sorgente}},
      {"write stopped by the file-size limit",
       nulla,
       compila,
       {.limite_dimensione = true},
       uscita_file,
       {"{cartella}/" + piano + ": " + motivo(EFBIG)}},
      {"missing line source",
       [](const fs::path& c) { fs::remove(c / linea_sorgente); },
       compila,
       {},
       uscita_file,
       {" Errore n. 101", "{cartella}/" + linea_sorgente}},
      {"missing train source",
       [](const fs::path& c) { fs::remove(c / treno_sorgente); },
       compila,
       {},
       uscita_file,
       {" Errore n. 25",
        "{cartella}/" + treno_sorgente + ": " + motivo(ENOENT)}},
      {"unreadable line source",
       [](const fs::path& c) { togli_lettura(c / linea_sorgente); },
       compila,
       {.senza_privilegi = true},
       uscita_file,
       {" Errore n. 25",
        "{cartella}/" + linea_sorgente + ": " + motivo(EACCES)}},
      {"unreadable train source",
       [](const fs::path& c) { togli_lettura(c / treno_sorgente); },
       compila,
       {.senza_privilegi = true},
       uscita_file,
       {" Errore n. 25",
        "{cartella}/" + treno_sorgente + ": " + motivo(EACCES)}},
      {"line source is a folder",
       [](const fs::path& c) { sostituisci_con_cartella(c / linea_sorgente); },
       compila,
       {},
       uscita_file,
       {" Errore n. 25",
        "{cartella}/" + linea_sorgente + ": " + motivo(EISDIR)}},
      {"train source is a folder",
       [](const fs::path& c) { sostituisci_con_cartella(c / treno_sorgente); },
       compila,
       {},
       uscita_file,
       {" Errore n. 25",
        "{cartella}/" + treno_sorgente + ": " + motivo(EISDIR)}},
      // A source that is not a plain file may never end: reading must not
      // wait on it (or fill memory with it, as /dev/zero would).
      {"line source is a FIFO",
       [](const fs::path& c) {
         fs::remove(c / linea_sorgente);
         ASSERT_EQ(::mkfifo((c / linea_sorgente).c_str(), 0644), 0);
       },
       compila,
       {},
       uscita_file,
       {" Errore n. 25",
        "{cartella}/" + linea_sorgente + ": non è un file regolare"}},
      {"compiled file name taken by a folder",
       [](const fs::path& c) { sostituisci_con_cartella(c / tabella); },
       compila,
       {},
       uscita_file,
       {"{cartella}/" + tabella + ": " + motivo(EISDIR)}},
      {"route identifier climbing out of the folder",
       nulla,
       con({"--route", "../Vendralo"}),
       {},
       uscita_uso,
       {"--route '../Vendralo'"}},
      {"route identifier \"..\"",
       nulla,
       con({"--route", ".."}),
       {},
       uscita_uso,
       {"--route '..'"}},
      {"train identifier holding a path separator",
       nulla,
       con({"--train", "x/Kv4417"}),
       {},
       uscita_uso,
       {"--train 'x/Kv4417'"}},
      {"train identifier that is an absolute path",
       nulla,
       con({"--train", "/tmp/Kv4417"}),
       {},
       uscita_uso,
       {"--train '/tmp/Kv4417'"}},
  };
  prova_casi(b, casi);
}

TEST(GuastiTest, WholeRunFaultsLeaveTheFolderAsItWas) {
  const banco b;
  const std::vector<std::string> corsa = {"--folder", "{cartella}",
                                          "--keep-sources"};
  const std::vector<caso> casi = {
      {"read-only folder",
       sola_lettura,
       corsa,
       {.senza_privilegi = true},
       uscita_file,
       {"{cartella}/" + linea_sorgente + ": " + motivo(EACCES)}},
      {"folder that does not exist",
       [](const fs::path&) {},
       {"--folder", "{cartella}/manca"},
       {},
       uscita_file,
       {"{cartella}/manca/" + linea_sorgente + ": " + motivo(ENOENT)}},
      // A source that cannot be written takes the one written before it
      // away, but never a folder of the source's name.
      {"train source name taken by an empty folder",
       [](const fs::path& c) {
         fs::remove(c / linea_sorgente);
         fs::remove(c / treno_sorgente);
         fs::create_directory(c / treno_sorgente);
       },
       {"--folder", "{cartella}"},
       {},
       uscita_file,
       {"{cartella}/" + treno_sorgente + ": " + motivo(EISDIR)}},
      // The text files are rewritten whole, with the same bytes; the plan
      // file is the one that does not fit.
      {"write stopped by the file-size limit",
       [](const fs::path&) {},
       corsa,
       {.limite_dimensione = true},
       uscita_file,
       {"{cartella}/" + piano + ": " + motivo(EFBIG)}},
  };
  prova_casi(b, casi);
}

// Without --keep-sources the sources go once read, even when a compiled file
// then cannot be written; the documents and the earlier compiled files stay.
TEST(GuastiTest, FailedWriteOfTheWholeRunDeletesOnlyTheSources) {
  const banco b;
  const fs::path cartella = b.copia("corsa");
  istantanea attesa = fotografa(cartella);
  attesa.erase(linea_sorgente);
  attesa.erase(treno_sorgente);

  const esito_processo r =
      esegui(b.programma(), {"--folder", cartella.string()},
             {.limite_dimensione = true});

  EXPECT_EQ(r.stato, uscita_file) << r.uscita;
  EXPECT_NE(r.uscita.find((cartella / piano).string() + ": " + motivo(EFBIG)),
            std::string::npos)
      << r.uscita;
  const istantanea dopo = fotografa(cartella);
  EXPECT_EQ(dopo.size(), attesa.size()) << nomi(cartella);
  EXPECT_TRUE(dopo == attesa) << nomi(cartella);
}

}  // namespace
