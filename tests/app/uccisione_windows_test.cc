// The console program ended with TerminateProcess at spread-out moments of a
// compile: after each end the next command in the folder (check) must leave
// the three compiled files of one compile, the one before or the one the
// ended compile was making, and no file of the program's own but those.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "port/sistema.h"
#include "tests/file_prova.h"
#include "tests/processo_windows.h"

namespace {

namespace fs = std::filesystem;

const std::string piano = "Vendralo_linea.dat";
const std::string tabella = "Vendralo_Kv4417.sim";
const std::string celle = "Vendralo_Kv4417.dat";

// Ends spread over one compile's length, and time for them all.
constexpr int fini = 24;
constexpr auto tempo_massimo = std::chrono::seconds(120);

const fs::path& cli() {
  static const fs::path p = processo_prova::programma(L"scenario-cli.exe");
  return p;
}

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

insieme compilati(const fs::path& c) {
  insieme out;
  for (const std::string& n : {piano, tabella, celle}) {
    out[n] = fs::exists(c / n) ? file_prova::leggi(c / n) : "<none>";
  }
  return out;
}

std::vector<std::string> temporanei(const fs::path& c) {
  std::vector<std::string> out;
  for (const fs::directory_entry& e : fs::directory_iterator(c)) {
    const std::string n = port::testo_percorso(e.path().filename());
    if (n.find(".scenario-") != std::string::npos ||
        n.starts_with("scenario-")) {
      out.push_back(n);
    }
  }
  return out;
}

void sorgenti(const fs::path& c, int chilometri, int minuti) {
  file_prova::scrivi(c / "Vendralo_linea.txt", sorgente_linea_di(chilometri));
  file_prova::scrivi(c / "Vendralo_Kv4417-.txt", sorgente_treno_di(minuti));
}

std::vector<std::string> compile_in(const fs::path& c) {
  return {"compile", "--folder", port::testo_percorso(c)};
}

}  // namespace

TEST(UccisioneWindowsTest, ACompileEndedByForceLeavesTheFilesOfOneCompile) {
  const file_prova::cartella prova;
  const fs::path& radice = prova.percorso();
  const fs::path vecchia = radice / "prima";
  const fs::path nuova = radice / "dopo";
  fs::create_directory(vecchia);
  fs::create_directory(nuova);
  sorgenti(vecchia, 10, 25);
  sorgenti(nuova, 12, 40);
  ASSERT_EQ(processo_prova::esegui(cli(), compile_in(vecchia)).stato, 0u);
  const auto inizio = std::chrono::steady_clock::now();
  ASSERT_EQ(processo_prova::esegui(cli(), compile_in(nuova)).stato, 0u);
  const auto durata = std::chrono::steady_clock::now() - inizio;
  const insieme prima = compilati(vecchia);
  const insieme dopo = compilati(nuova);
  ASSERT_NE(prima, dopo);

  const auto passo =
      std::chrono::duration_cast<std::chrono::milliseconds>(durata) / fini;
  for (int k = 0; k < fini; ++k) {
    if (std::chrono::steady_clock::now() - inizio > tempo_massimo) break;
    SCOPED_TRACE("ended after " + std::to_string((passo * k).count()) + " ms");
    const fs::path c = radice / ("finita" + std::to_string(k));
    fs::create_directory(c);
    for (const auto& [n, byte] : prima) file_prova::scrivi(c / n, byte);
    sorgenti(c, 12, 40);
    {
      // Ended by force, if it is still running, when the object goes.
      const processo_prova::processo p(cli(), compile_in(c), false);
      ASSERT_TRUE(p.avviato());
      ::Sleep(static_cast<DWORD>((passo * k).count()));
    }
    const processo_prova::esito r = processo_prova::esegui(
        cli(), {"check", "--folder", port::testo_percorso(c)});
    ASSERT_TRUE(r.stato.has_value());
    EXPECT_EQ(*r.stato, 0u) << r.uscita;
    const insieme trovato = compilati(c);
    EXPECT_TRUE(trovato == prima || trovato == dopo)
        << "the compiled files are of two compiles";
    EXPECT_TRUE(temporanei(c).empty())
        << "left: " << (temporanei(c).empty() ? "" : temporanei(c).front());
  }
}
