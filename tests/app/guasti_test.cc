// Fault injection on the real program: each case prepares a folder with an
// earlier successful run, injects one fault (a folder that cannot be written
// or does not exist, a file-size limit that stops a write midway, a source
// that is missing, unreadable or a folder, an identifier that would leave the
// folder), runs `scenario` in a child process, and checks the message, the
// exit status and that the folder holds exactly what it held before.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "port/blocco_cartella.h"
#include "port/temporaneo.h"
#include "tests/app/processo_posix.h"
#include "tests/file_prova.h"
#include "tests/processo_prova.h"

namespace fs = std::filesystem;

namespace {

using processo_posix::esegui;
using processo_posix::esito_processo;
using processo_posix::radice_prova;
using processo_posix::vincoli;

// Exit statuses as documented in --help.
constexpr int uscita_ok = 0;
constexpr int uscita_uso = 2;
constexpr int uscita_file = 3;

// Large enough for every text file of the scenario, far too small for its
// plan file of 6319964 bytes.
constexpr rlim_t limite_file = 1 << 20;

const std::string linea_sorgente = "Vendralo_linea.txt";
const std::string treno_sorgente = "Vendralo_Kv4417-.txt";
const std::string piano = "Vendralo_linea.dat";
const std::string tabella = "Vendralo_Kv4417.sim";
const std::string celle = "Vendralo_Kv4417.dat";

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
    if (processo_posix::da_root()) {
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
      // The copies keep the times of the run, which wrote the sources
      // first: a copy made in another order would show them newer than the
      // compiled files, which inspect and plot point out.
      fs::last_write_time(e.path(),
                          fs::last_write_time(base_ / e.path().filename()));
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
       {.limite_file = limite_file},
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
      // Sources and compiled files are refused above their bounds before
      // they are read: a file of holes costs nothing to make.
      {"line source one byte above its bound",
       [](const fs::path& c) {
         fs::resize_file(c / linea_sorgente, (16u << 20) + 1);
       },
       compila,
       {},
       uscita_file,
       {" Errore n. 25", "{cartella}/" + linea_sorgente +
                             ": file troppo grande: più di 16777216 byte"}},
      {"train source one byte above its bound, for check",
       [](const fs::path& c) {
         fs::resize_file(c / treno_sorgente, (16u << 20) + 1);
       },
       {"check", "--folder", "{cartella}"},
       {},
       uscita_file,
       {"file troppo grande: più di 16777216 byte"}},
      {"plan file above the largest a compile writes",
       [](const fs::path& c) { fs::resize_file(c / piano, 20139965); },
       {"inspect", "--folder", "{cartella}"},
       {},
       uscita_file,
       {"{cartella}/" + piano + ": file troppo grande: più di 20139964 byte"}},
      {"cell file above the largest a compile writes",
       [](const fs::path& c) { fs::resize_file(c / celle, 302116); },
       {"plot", "--folder", "{cartella}"},
       {},
       uscita_file,
       {"{cartella}/" + celle + ": file troppo grande: più di 302115 byte"}},
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
       {.limite_file = limite_file},
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
             {.limite_file = limite_file});

  EXPECT_EQ(r.stato, uscita_file) << r.uscita;
  EXPECT_NE(r.uscita.find((cartella / piano).string() + ": " + motivo(EFBIG)),
            std::string::npos)
      << r.uscita;
  const istantanea dopo = fotografa(cartella);
  EXPECT_EQ(dopo.size(), attesa.size()) << nomi(cartella);
  EXPECT_TRUE(dopo == attesa) << nomi(cartella);
}

// An output that cannot be written, standard output included, ends the
// command with status 3 and a message on standard error.
TEST(GuastiTest, OutputThatCannotBeWrittenIsStatus3) {
  const banco b;
  const fs::path cartella = b.copia("uscita");
  const std::string c = cartella.string();
  const std::vector<std::vector<std::string>> comandi = {
      {"--help"},
      {"--version"},
      {"compile", "--help"},
      {"check", "--folder", c},
      {"inspect", "--folder", c},
      {"inspect", "--folder", c, "--json"},
      {"plot", "--folder", c, "--output", "-"},
  };
  for (const std::vector<std::string>& a : comandi) {
    SCOPED_TRACE(a.front() + (a.size() > 1 ? " " + a[1] : std::string()));
    const esito_processo r =
        esegui(b.programma(), a, {.uscita_standard = "/dev/full"});
    EXPECT_EQ(r.stato, uscita_file) << r.uscita;
    EXPECT_TRUE(r.uscita.starts_with("scenario: ")) << r.uscita;
  }
  // The same commands write when they can.
  const esito_processo aiuto = esegui(b.programma(), {"--help"});
  EXPECT_EQ(aiuto.stato, uscita_ok);
  EXPECT_NE(aiuto.uscita.find("scenario --help"), std::string::npos);
}

// --output - puts the page on standard output; a device or a FIFO in the
// page's place is written through and stays what it is; a folder there, or
// a name that leads to one of the files the plot reads, is refused and
// nothing changes.
TEST(GuastiTest, ThePlotRespectsWhatItsOutputReplaces) {
  const banco b;
  const fs::path cartella = b.copia("pagina");
  const std::string c = cartella.string();
  ASSERT_EQ(esegui(b.programma(), {"plot", "--folder", c}).stato, uscita_ok);
  const std::string pagina = contenuto(cartella / "Vendralo_Kv4417.svg");
  ASSERT_TRUE(pagina.starts_with("<?xml")) << pagina.substr(0, 40);

  const esito_processo su_uscita =
      esegui(b.programma(), {"plot", "--folder", c, "--output", "-"});
  EXPECT_EQ(su_uscita.stato, uscita_ok);
  EXPECT_TRUE(su_uscita.uscita == pagina) << su_uscita.uscita.substr(0, 200);

  // A FIFO, read while the plot writes it.
  const fs::path fifo = cartella / "fifo.svg";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0) << std::strerror(errno);
  std::string letto;
  std::thread lettore([&] {
    std::ifstream in(fifo, std::ios::binary);
    letto.assign(std::istreambuf_iterator<char>(in), {});
  });
  const esito_processo nella_fifo =
      esegui(b.programma(), {"plot", "--folder", c, "--output", fifo.string()});
  lettore.join();
  EXPECT_EQ(nella_fifo.stato, uscita_ok) << nella_fifo.uscita;
  EXPECT_TRUE(letto == pagina);
  EXPECT_TRUE(fs::is_fifo(fs::symlink_status(fifo)));
  fs::remove(fifo);

  // As root, a device node like /dev/null in the page's place.
  const fs::path nulla = cartella / "nulla.svg";
  if (::mknod(nulla.c_str(), S_IFCHR | 0666, ::makedev(1, 3)) == 0) {
    const esito_processo nel_dispositivo = esegui(
        b.programma(), {"plot", "--folder", c, "--output", nulla.string()});
    EXPECT_EQ(nel_dispositivo.stato, uscita_ok) << nel_dispositivo.uscita;
    EXPECT_TRUE(fs::is_character_file(fs::symlink_status(nulla)));
    fs::remove(nulla);
  }

  fs::create_symlink(cartella / celle, cartella / "celle.svg");
  sostituisci_con_cartella(cartella / "cartella.svg");
  struct caso {
    std::string uscita;
    int stato;
    std::string messaggio;
  };
  const caso casi[] = {
      {(cartella / tabella).string(), uscita_uso,
       "scenario: --output " + (cartella / tabella).string() +
           " è il file compilato " + (cartella / tabella).string() +
           ", che plot legge: scegliere un altro file\n"},
      {(cartella / "." / piano).string(), uscita_uso, "che plot legge"},
      {(cartella / "celle.svg").string(), uscita_uso,
       "è il file compilato " + (cartella / celle).string()},
      {(cartella / "cartella.svg").string(), uscita_file,
       (cartella / "cartella.svg").string() + ": " + motivo(EISDIR)},
  };
  const istantanea prima = fotografa(cartella);
  for (const caso& k : casi) {
    SCOPED_TRACE(k.uscita);
    const esito_processo r =
        esegui(b.programma(), {"plot", "--folder", c, "--output", k.uscita});
    EXPECT_EQ(r.stato, k.stato) << r.uscita;
    EXPECT_NE(r.uscita.find(k.messaggio), std::string::npos) << r.uscita;
    EXPECT_TRUE(fotografa(cartella) == prima) << nomi(cartella);
  }
}

// Memory that runs out, wherever it runs out, ends the command with status
// 3 and a message, never an abort. The limit is found from the least that
// the program needs to start: a route of 1000000 m then needs some 20 MB
// more than it gets.
TEST(GuastiTest, MemoryThatRunsOutIsStatus3) {
#if defined(__SANITIZE_ADDRESS__) || defined(__has_feature)
#if defined(__SANITIZE_ADDRESS__) || __has_feature(address_sanitizer)
  GTEST_SKIP() << "the address sanitizer reserves more memory than any limit";
#endif
#endif
  const banco b;
  const fs::path cartella = b.copia("memoria");
  file_prova::scrivi(cartella / linea_sorgente,
                     "[generale]\r\nlunghezza percorso,    1000000\r\n"
                     "[fine]\r\n");
  rlim_t minimo = 4u << 20;
  while (
      minimo < (1u << 30) &&
      esegui(b.programma(), {"--version"}, {.limite_memoria = minimo}).stato !=
          uscita_ok) {
    minimo += minimo / 8;
  }
  const std::vector<std::string> compila = {"compile", "--folder",
                                            cartella.string()};
  const esito_processo scarsa =
      esegui(b.programma(), compila, {.limite_memoria = minimo + (4u << 20)});
  EXPECT_EQ(scarsa.stato, uscita_file) << scarsa.uscita;
  EXPECT_NE(scarsa.uscita.find("scenario: memoria esaurita\n"),
            std::string::npos)
      << scarsa.uscita;
  // With room enough the same compile gets past the memory.
  const esito_processo larga =
      esegui(b.programma(), compila, {.limite_memoria = minimo + (256u << 20)});
  EXPECT_EQ(larga.uscita.find("memoria esaurita"), std::string::npos)
      << larga.uscita;
  EXPECT_NE(larga.stato, uscita_file) << larga.uscita;
}

// A second command in a folder waits for the first to end, and says so.
TEST(GuastiTest, ASecondCommandInTheFolderWaitsAndSaysSo) {
  const banco b;
  const fs::path cartella = b.copia("attesa");
  std::optional<port::blocco_cartella> tenuto;
  tenuto.emplace(cartella, std::function<void()>{});
  ASSERT_TRUE(tenuto->preso());
  esito_processo r;
  std::chrono::steady_clock::time_point fine;
  const auto inizio = std::chrono::steady_clock::now();
  std::thread secondo([&] {
    r = esegui(b.programma(), {"check", "--folder", cartella.string()});
    fine = std::chrono::steady_clock::now();
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  // The lock is let go; the command goes on.
  tenuto.reset();
  secondo.join();
  EXPECT_EQ(r.stato, uscita_ok) << r.uscita;
  EXPECT_TRUE(r.uscita.starts_with("scenario: un'altra esecuzione lavora in " +
                                   cartella.string() +
                                   ": attendo che finisca\n"))
      << r.uscita;
  EXPECT_GE(fine - inizio, std::chrono::milliseconds(500));
}

// The record of a switch of the compiled files that a killed run left is
// found by whatever command runs next in the folder, before it reads
// anything: the new set is finished, or the old one put back; then the
// temporaries of processes that are gone go, and those of a process that
// runs stay.
TEST(GuastiTest, TheNextCommandFinishesOrUndoesASwitchLeftHalfway) {
  const banco b;
  const std::vector<std::string> compilati = {piano, tabella, celle};
  const std::string marca = port::nuova_marca(processo_prova::pid_finito());
  const std::string viva = port::nuova_marca(processo_prova::pid_corrente());
  const std::string finita = port::nuova_marca(processo_prova::pid_finito());
  using genere = port::genere_temporaneo;
  struct caso {
    std::string comando;
    const char* registro;
  };
  const caso casi[] = {{"check", "completa"},
                       {"inspect", "completa"},
                       {"plot", "annulla"},
                       {"inspect", "annulla"}};
  for (std::size_t i = 0; i < std::size(casi); ++i) {
    const caso& k = casi[i];
    SCOPED_TRACE(k.comando + ", " + k.registro);
    const fs::path c = b.copia("ripresa" + std::to_string(i));
    const istantanea vecchia = fotografa(c);
    // The plan switched, the table and the cells not yet; the new set is
    // the old one with its bytes turned around, so that a mix shows.
    istantanea nuova = vecchia;
    for (const std::string& n : compilati) {
      std::reverse(nuova[n].begin(), nuova[n].end());
    }
    fs::create_hard_link(c / piano,
                         c / port::nome_di(genere::vecchio, marca, piano));
    fs::remove(c / piano);
    file_prova::scrivi(c / piano, nuova[piano]);
    for (const std::string& n : {tabella, celle}) {
      fs::create_hard_link(c / n, c / port::nome_di(genere::vecchio, marca, n));
      file_prova::scrivi(c / port::nome_di(genere::nuovo, marca, n), nuova[n]);
    }
    file_prova::scrivi(c / (marca + "." + k.registro), "");
    // A temporary of a process that is gone, and one of a process that runs.
    file_prova::scrivi(c / port::nome_di(genere::nuovo, finita, piano), "");
    const std::string di_un_vivo = port::nome_di(genere::nuovo, viva, piano);
    file_prova::scrivi(c / di_un_vivo, "");

    const esito_processo r =
        esegui(b.programma(), {k.comando, "--folder", c.string()});
    EXPECT_NE(r.stato, 128 + SIGALRM) << r.uscita;
    istantanea attesa = std::string(k.registro) == "completa" ? nuova : vecchia;
    attesa[di_un_vivo] = "";
    if (k.comando == "plot") attesa.erase("Vendralo_Kv4417.svg");
    istantanea dopo = fotografa(c);
    dopo.erase("Vendralo_Kv4417.svg");
    EXPECT_TRUE(dopo == attesa) << nomi(c);
  }
}

}  // namespace
