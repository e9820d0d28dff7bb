#include "port/scrittura.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

#include "tests/file_prova.h"

namespace {

namespace fs = std::filesystem;

using file_prova::leggi;

std::size_t voci(const fs::path& cartella) {
  return static_cast<std::size_t>(std::distance(
      fs::directory_iterator(cartella), fs::directory_iterator()));
}

// Bytes that show where they were cut: every position holds its own value.
std::string byte_numerati(std::size_t n) {
  std::string out(n, '\0');
  for (std::size_t i = 0; i < n; ++i) {
    out[i] = static_cast<char>((i * 131 + i / 251) & 0xff);
  }
  return out;
}

// Hands out `byte` in pieces of `pezzo` bytes, the last one shorter.
struct a_pezzi {
  std::string_view byte;
  std::size_t pezzo;
  std::size_t dato = 0;
  std::string_view operator()() {
    const std::string_view p = byte.substr(dato, pezzo);
    dato += p.size();
    return p;
  }
};

}  // namespace

TEST(ScritturaTest, ASecondWriteReplacesTheFirstWhole) {
  const file_prova::cartella prova;
  const fs::path& c = prova.percorso();
  const fs::path f = c / "a.dat";
  ASSERT_TRUE(port::sostituisci_file(f, std::string(1000, 'x')).ok());
  ASSERT_TRUE(port::sostituisci_file(f, std::string("ab\0c\r\n\x1a", 7)).ok());
  EXPECT_EQ(leggi(f), std::string("ab\0c\r\n\x1a", 7));
  EXPECT_EQ(voci(c), 1u);
}

// Files larger than one write, given whole or in pieces of any size, arrive
// byte for byte.
TEST(ScritturaTest, WholeBytesAndPiecesArriveExactly) {
  const std::string byte = byte_numerati(3 * port::blocco_scrittura + 17);
  struct caso {
    const char* nome;
    std::size_t pezzo;  // 0: whole
  };
  const caso casi[] = {
      {"whole", 0},
      {"pieces of 1 byte more than a write", port::blocco_scrittura + 1},
      {"pieces of 4099 bytes", 4099},
      {"one piece", byte.size()},
  };
  for (const caso& k : casi) {
    SCOPED_TRACE(k.nome);
    const file_prova::cartella prova;
    const fs::path f = prova.percorso() / "piano.dat";
    port::contenuto_file c{byte, {}};
    if (k.pezzo != 0) c = {{}, a_pezzi{byte, k.pezzo}};
    ASSERT_TRUE(port::sostituisci_file(f, c).ok());
    EXPECT_TRUE(leggi(f) == byte);
    EXPECT_EQ(voci(prova.percorso()), 1u);
  }
}

TEST(ScritturaTest, ABatchPutsEveryFileInPlace) {
  const file_prova::cartella prova;
  const fs::path& c = prova.percorso();
  file_prova::scrivi(c / "b", "old b");
  const std::string grande = byte_numerati(port::blocco_scrittura * 2 + 1);
  for (const bool durevole : {true, false}) {
    SCOPED_TRACE(durevole);
    const port::file_da_scrivere file[] = {
        {c / "a", {"new a", {}}},
        {c / "b", {{}, a_pezzi{grande, 1000}}},
        {c / "c", {"", {}}},
    };
    ASSERT_TRUE(port::scrivi_gruppo(file, durevole).ok());
    EXPECT_EQ(leggi(c / "a"), "new a");
    EXPECT_TRUE(leggi(c / "b") == grande);
    EXPECT_EQ(leggi(c / "c"), "");
    EXPECT_EQ(voci(c), 3u);
  }
}

// What stands in a target's place is looked at before any byte is written:
// a folder in the place of the last file stops the batch with every file as
// it was and nothing new in the folder.
TEST(ScritturaTest, AFolderInATargetsPlaceRefusesTheBatchBeforeAnyWrite) {
  const file_prova::cartella prova;
  const fs::path& c = prova.percorso();
  file_prova::scrivi(c / "a", "old a");
  fs::create_directory(c / "x");
  const auto prima = file_prova::contenuto(c);
  const port::file_da_scrivere file[] = {
      {c / "a", {"new a", {}}},
      {c / "x", {"data", {}}},
  };
  const port::io_status s = port::scrivi_gruppo(file, true);
  EXPECT_EQ(s.message, port::testo_percorso(c / "x") + ": " +
                           port::motivo_sistema(EISDIR));
  EXPECT_TRUE(file_prova::contenuto(c) == prima);
  // The one-file writer refuses it in the same words.
  EXPECT_EQ(port::sostituisci_file(c / "x", "data").message, s.message);
  EXPECT_TRUE(fs::is_directory(c / "x"));
}

TEST(ScritturaTest, MissingFolderNamesTheFileAndItsReason) {
  const fs::path f = fs::temp_directory_path() / "no_such_folder_4417" / "x";
  const port::io_status s = port::sostituisci_file(f, "x");
  ASSERT_FALSE(s.ok());
  EXPECT_EQ(s.message, port::testo_percorso(f) + ": " +
                           port::motivo_sistema(ENOENT));
}

TEST(ScritturaTest, PlacesOfFilesByWhatStandsThere) {
  const file_prova::cartella prova;
  const fs::path& c = prova.percorso();
  file_prova::scrivi(c / "f", "x");
  fs::create_directory(c / "d");
  EXPECT_EQ(port::posto_di(c / "f"), port::posto_file::libero);
  EXPECT_EQ(port::posto_di(c / "n"), port::posto_file::libero);
  EXPECT_EQ(port::posto_di(c / "d"), port::posto_file::cartella);
  // A name under a missing folder is left to the write, which says why.
  EXPECT_EQ(port::posto_di(c / "n" / "f"), port::posto_file::libero);
}

TEST(ScritturaTest, TwoNamesOfOneFileAreTheSameFile) {
  const file_prova::cartella prova;
  const fs::path& c = prova.percorso();
  file_prova::scrivi(c / "a", "x");
  file_prova::scrivi(c / "b", "x");
  fs::create_hard_link(c / "a", c / "h");
  EXPECT_TRUE(port::stesso_file(c / "a", c / "h"));
  EXPECT_TRUE(port::stesso_file(c / "a", c / "." / "a"));
  EXPECT_FALSE(port::stesso_file(c / "a", c / "b"));
  EXPECT_FALSE(port::stesso_file(c / "a", c / "assente"));
  EXPECT_FALSE(port::stesso_file(c / "assente", c / "assente"));
}
