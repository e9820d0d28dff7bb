// Windows faults of the platform layer: files that another program holds
// open, as the simulator may hold its own while a scenario is rebuilt.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <iterator>
#include <string>

#include "port/sistema.h"
#include "tests/file_prova.h"
#include "tests/file_windows_prova.h"

namespace {

namespace fs = std::filesystem;
using file_prova::tenuto_aperto;

std::size_t voci(const fs::path& cartella) {
  return static_cast<std::size_t>(std::distance(
      fs::directory_iterator(cartella), fs::directory_iterator()));
}

}  // namespace

TEST(SistemaWindowsTest, ATargetHeldOpenIsNamedAndKeptWithNoTemporary) {
  const file_prova::cartella prova;
  const fs::path f = prova.percorso() / "Vendralo_Kv4417.sim";
  ASSERT_TRUE(port::sostituisci_file(f, "old").ok());
  {
    // Read and write sharing, but not delete: the replace must fail.
    const tenuto_aperto tenuto(f, FILE_SHARE_READ | FILE_SHARE_WRITE);
    ASSERT_TRUE(tenuto.aperto());
    const port::io_status s = port::sostituisci_file(f, "new");
    EXPECT_EQ(s.message, port::testo_percorso(f) + ": " +
                             "il file è aperto da un altro programma");
    EXPECT_EQ(voci(prova.percorso()), 1u);
  }
  EXPECT_EQ(file_prova::leggi(f), "old");
  // Once the other program lets go, the same replace goes through.
  EXPECT_TRUE(port::sostituisci_file(f, "new").ok());
  EXPECT_EQ(file_prova::leggi(f), "new");
}

TEST(SistemaWindowsTest, ReadsAFileOthersShareButNotOneHeldExclusively) {
  struct caso {
    const char* nome;
    DWORD condivisione;
    port::file_letto::esito stato;
    std::string motivo;
  };
  const caso casi[] = {
      {"shared for reading", FILE_SHARE_READ, port::file_letto::esito::letto,
       ""},
      {"held exclusively", 0, port::file_letto::esito::illeggibile,
       "il file è aperto da un altro programma"},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.nome);
    const file_prova::cartella prova;
    const fs::path f = prova.percorso() / "Vendralo_linea.txt";
    file_prova::scrivi(f, "[generale]\r\n\x1a\r\n");
    const tenuto_aperto tenuto(f, c.condivisione);
    ASSERT_TRUE(tenuto.aperto());
    const port::file_letto l = port::leggi_file(f);
    EXPECT_EQ(l.stato, c.stato);
    EXPECT_EQ(l.motivo, c.motivo);
    if (c.stato == port::file_letto::esito::letto) {
      EXPECT_EQ(l.byte, "[generale]\r\n\x1a\r\n");
    }
  }
}

TEST(SistemaWindowsTest, ATargetHeldOpenIsNotRemovedEither) {
  const file_prova::cartella prova;
  const fs::path f = prova.percorso() / "Vendralo_linea.txt";
  file_prova::scrivi(f, "x");
  {
    const tenuto_aperto tenuto(f, FILE_SHARE_READ | FILE_SHARE_WRITE);
    ASSERT_TRUE(tenuto.aperto());
    const port::io_status s = port::rimuovi(f);
    EXPECT_EQ(s.message, port::testo_percorso(f) + ": " +
                             "il file è aperto da un altro programma");
  }
  EXPECT_EQ(port::tipo_di(f), port::tipo_voce::file);
  EXPECT_TRUE(port::rimuovi(f).ok());
  EXPECT_EQ(port::tipo_di(f), port::tipo_voce::assente);
}
