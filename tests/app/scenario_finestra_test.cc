// The windowed program scenario.exe as a player starts it: a copy runs in a
// folder of its own and writes next to itself; a watcher catches and closes
// its message boxes. A clean run shows none; every failure the console
// program would print is in the one box shown. Needs a window system.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "port/sistema.h"
#include "tests/app/scatola_windows.h"
#include "tests/file_prova.h"
#include "tests/file_windows_prova.h"
#include "tests/processo_windows.h"

namespace {

namespace fs = std::filesystem;

constexpr DWORD uscita_ok = 0;
constexpr DWORD uscita_guasto = 1;
constexpr DWORD uscita_file = 3;

struct corsa_finestra {
  std::optional<DWORD> stato;
  std::vector<scatola_prova::scatola> scatole;
};

// Runs `programma` without standard handles, as from Explorer, closing
// every box it shows.
corsa_finestra esegui(const fs::path& programma,
                      const std::vector<std::string>& argomenti) {
  processo_prova::processo p(programma, argomenti, /*cattura=*/false);
  scatola_prova::osservatore o(p.id());
  corsa_finestra out;
  out.stato = p.attendi();
  out.scatole = o.ferma();
  return out;
}

// A folder holding a copy of scenario.exe, as a player unpacks it.
class cartella_giocatore : public file_prova::cartella {
 public:
  cartella_giocatore() {
    fs::copy_file(processo_prova::programma(L"scenario.exe"), programma());
  }
  fs::path programma() const { return percorso() / "scenario.exe"; }
};

std::string sorgente_linea(const std::string& caratteristiche) {
  return "[generale]\r\nlunghezza percorso,    10000\r\n[curve]\r\n" +
         caratteristiche + "[fine]\r\n";
}

std::string sorgente_treno(const std::string& righe) {
  return "[generale]\r\n" + righe + "[fine]\r\n";
}

}  // namespace

TEST(ScenarioFinestraTest, ACleanRunWritesNextToItselfAndShowsNoBox) {
  const cartella_giocatore g;
  const corsa_finestra r = esegui(g.programma(), {});
  EXPECT_EQ(r.stato, uscita_ok);
  EXPECT_TRUE(r.scatole.empty());

  // The same files, byte for byte, as the console program writes.
  const file_prova::cartella console;
  ASSERT_EQ(processo_prova::esegui(
                processo_prova::programma(L"scenario-cli.exe"),
                {"--folder", port::testo_percorso(console.percorso())})
                .stato,
            uscita_ok);
  std::map<std::string, std::string> atteso =
      file_prova::contenuto(console.percorso());
  atteso["scenario.exe"] = file_prova::leggi(g.programma());
  EXPECT_TRUE(file_prova::contenuto(g.percorso()) == atteso);
}

TEST(ScenarioFinestraTest, EveryFailureIsShownInOneBox) {
  struct caso {
    const char* nome;
    std::function<void(const fs::path&)> prepara;  // in the player's folder
    std::vector<std::string> argomenti;  // "DIR" is the player's folder
    std::string tenuto;                  // held open during the run
    DWORD stato;
    std::function<std::string(const fs::path&)> testo;  // of the box
    bool solo_inizio;  // the box starts with testo, further lines may follow
    std::string proprietario;  // the caption of the box's owner
  };
  const std::string condivisione = "il file è aperto da un altro programma";
  const caso casi[] = {
      {"a target held open",
       [](const fs::path& c) {
         ASSERT_EQ(esegui(c / "scenario.exe", {}).stato, uscita_ok);
       },
       {},
       "Vendralo_Kv4417.sim",
       uscita_file,
       [&](const fs::path& c) {
         return "scenario: " + port::testo_percorso(c / "Vendralo_Kv4417.sim") +
                ": " + condivisione;
       },
       false,
       "Form1"},
      {"a source fault in compile",
       [](const fs::path& c) {
         file_prova::scrivi(
             c / "Vendralo_linea.txt",
             sorgente_linea("cartello_indicatore,  1400,   (Cippo)\r\n"));
         file_prova::scrivi(
             c / "Vendralo_Kv4417-.txt",
             sorgente_treno(
                 "segnale,    1400,   2, 3, 1,  1, 0,    2,  2,1,1, 0\r\n"));
       },
       {"compile", "--folder", "DIR"},
       "",
       uscita_guasto,
       [](const fs::path&) -> std::string {
         return " Errore n. 16\nPosizione: 1400 m\n";
       },
       true,
       ""},
      {"1250 in compile",
       [](const fs::path& c) {
         file_prova::scrivi(c / "Vendralo_linea.txt",
                            sorgente_linea("indicatori_vmax,  0,  95,  95,  "
                                           "100,  0,  95,  95,  100,  0\r\n"));
         file_prova::scrivi(c / "Vendralo_Kv4417-.txt", sorgente_treno(""));
       },
       {"compile", "--folder", "DIR"},
       "",
       uscita_guasto,
       [](const fs::path&) -> std::string { return " Errore n. 1250"; },
       false,
       ""},
      {"a usage fault",
       [](const fs::path&) {},
       {"--bogus"},
       "",
       2,
       [](const fs::path&) -> std::string {
         return "scenario: argomento sconosciuto: '--bogus'\n"
                "Provare 'scenario --help'.";
       },
       false,
       ""},
  };
  const scatola_prova::scatola riferimento =
      scatola_prova::scatola_di_riferimento();
  for (const caso& k : casi) {
    SCOPED_TRACE(k.nome);
    const cartella_giocatore g;
    k.prepara(g.percorso());
    const auto prima = file_prova::contenuto(g.percorso());
    std::vector<std::string> argomenti = k.argomenti;
    for (std::string& a : argomenti) {
      if (a == "DIR") a = port::testo_percorso(g.percorso());
    }
    corsa_finestra r;
    {
      std::optional<file_prova::tenuto_aperto> tenuto;
      if (!k.tenuto.empty()) {
        tenuto.emplace(g.percorso() / k.tenuto,
                       FILE_SHARE_READ | FILE_SHARE_WRITE);
        ASSERT_TRUE(tenuto->aperto());
      }
      r = esegui(g.programma(), argomenti);
    }
    EXPECT_EQ(r.stato, k.stato);
    ASSERT_EQ(r.scatole.size(), 1u);
    const scatola_prova::scatola& s = r.scatole[0];
    const std::string atteso = k.testo(g.percorso());
    if (k.solo_inizio) {
      EXPECT_EQ(s.testo.substr(0, atteso.size()), atteso) << s.testo;
    } else {
      EXPECT_EQ(s.testo, atteso);
    }
    EXPECT_EQ(s.titolo, riferimento.titolo);
    EXPECT_EQ(s.pulsanti, riferimento.pulsanti);
    // A run's box is modal to the waiting window, still up behind it.
    EXPECT_EQ(s.titolo_proprietario, k.proprietario);
    EXPECT_FALSE(s.proprietario_attivo);
    // Nothing was written: the folder is as it was.
    EXPECT_TRUE(file_prova::contenuto(g.percorso()) == prima);
  }
}
