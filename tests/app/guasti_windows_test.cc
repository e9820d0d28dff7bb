// Fault injection on the real console program on Windows: each case starts
// from a folder holding a successful run, holds one file open the way the
// simulator may hold it, runs scenario-cli.exe in a child process, and
// checks the message, the exit status and that the folder holds exactly
// what it held before.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "port/sistema.h"
#include "tests/file_prova.h"
#include "tests/file_windows_prova.h"
#include "tests/processo_windows.h"

namespace {

namespace fs = std::filesystem;

// Exit statuses as documented in --help.
constexpr DWORD uscita_ok = 0;
constexpr DWORD uscita_file = 3;

const fs::path& cli() {
  static const fs::path p = processo_prova::programma(L"scenario-cli.exe");
  return p;
}

}  // namespace

TEST(GuastiWindowsTest, ATargetHeldOpenStopsTheRunWithEveryFileIntact) {
  struct caso {
    const char* nome;
    std::vector<std::string> prima;  // the earlier run, before --folder DIR
    std::vector<std::string> dopo;   // the run under test
    std::string tenuto;              // the file held open
    std::string inizio;              // what comes before the file's name
  };
  const caso casi[] = {
      {"run, the table",
       {},
       {},
       "Vendralo_Kv4417.sim",
       "Attendere\nscenario: "},
      {"run, a document",
       {},
       {},
       "Vendralo_Kv4417_note.txt",
       "Attendere\nscenario: cannot write "},
      {"compile, the cells, the last file",
       {"--keep-sources"},
       {"compile"},
       "Vendralo_Kv4417.dat",
       "scenario: "},
  };
  for (const caso& k : casi) {
    SCOPED_TRACE(k.nome);
    const file_prova::cartella prova;
    const fs::path& c = prova.percorso();
    const std::vector<std::string> cartella = {"--folder",
                                               port::testo_percorso(c)};
    std::vector<std::string> prima = k.prima;
    prima.insert(prima.end(), cartella.begin(), cartella.end());
    std::vector<std::string> dopo = k.dopo;
    dopo.insert(dopo.end(), cartella.begin(), cartella.end());
    {
      const processo_prova::esito e = processo_prova::esegui(cli(), prima);
      ASSERT_EQ(e.stato, uscita_ok) << e.uscita;
    }
    const auto contenuto_prima = file_prova::contenuto(c);

    processo_prova::esito e;
    {
      const file_prova::tenuto_aperto tenuto(
          c / k.tenuto, FILE_SHARE_READ | FILE_SHARE_WRITE);
      ASSERT_TRUE(tenuto.aperto());
      e = processo_prova::esegui(cli(), dopo);
    }
    EXPECT_EQ(e.stato, uscita_file);
    EXPECT_EQ(e.uscita,
              k.inizio + port::testo_percorso(c / k.tenuto) + ": " +
                  std::string("il file è aperto da un altro programma") + "\n");
    EXPECT_TRUE(file_prova::contenuto(c) == contenuto_prima);
  }
}

TEST(GuastiWindowsTest, ASourceHeldExclusivelyIsFault25NamingIt) {
  const file_prova::cartella prova;
  const fs::path& c = prova.percorso();
  const std::string cartella = port::testo_percorso(c);
  ASSERT_EQ(
      processo_prova::esegui(cli(), {"--folder", cartella, "--keep-sources"})
          .stato,
      uscita_ok);
  const auto prima = file_prova::contenuto(c);
  processo_prova::esito e;
  {
    const file_prova::tenuto_aperto tenuto(c / "Vendralo_Kv4417-.txt", 0);
    ASSERT_TRUE(tenuto.aperto());
    e = processo_prova::esegui(cli(), {"compile", "--folder", cartella});
  }
  EXPECT_EQ(e.stato, uscita_file);
  EXPECT_EQ(e.uscita.rfind(" Errore n. 25\n", 0), 0u) << e.uscita;
  EXPECT_NE(
      e.uscita.find(
          "File: " + port::testo_percorso(c / "Vendralo_Kv4417-.txt") + ": " +
          std::string("il file è aperto da un altro programma") + "\n"),
      std::string::npos)
      << e.uscita;
  EXPECT_TRUE(file_prova::contenuto(c) == prima);
}
