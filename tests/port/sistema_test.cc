#include "port/sistema.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <string>
#include <system_error>

#include "tests/file_prova.h"

namespace {

namespace fs = std::filesystem;

using file_prova::leggi;

std::size_t voci(const fs::path& cartella) {
  return static_cast<std::size_t>(std::distance(
      fs::directory_iterator(cartella), fs::directory_iterator()));
}

}  // namespace

TEST(SistemaTest, ASecondWriteReplacesTheFirstWhole) {
  const file_prova::cartella prova;
  const fs::path& c = prova.percorso();
  const fs::path f = c / "a.dat";
  ASSERT_TRUE(port::sostituisci_file(f, std::string(1000, 'x')).ok());
  ASSERT_TRUE(port::sostituisci_file(f, std::string("ab\0c\r\n\x1a", 7)).ok());
  EXPECT_EQ(leggi(f), std::string("ab\0c\r\n\x1a", 7));
  EXPECT_EQ(voci(c), 1u);
}

TEST(SistemaTest, UnconfirmedWriteLeavesTargetAndNoTemporary) {
  const file_prova::cartella prova;
  const fs::path& c = prova.percorso();
  const fs::path f = c / "a.dat";
  ASSERT_TRUE(port::sostituisci_file(f, "old").ok());
  {
    port::file_sostitutivo w(f);
    ASSERT_TRUE(w.apri().ok());
    ASSERT_TRUE(w.scrivi("new content").ok());
    // The temporary stands next to the target until the end.
    EXPECT_EQ(voci(c), 2u);
  }
  EXPECT_EQ(leggi(f), "old");
  EXPECT_EQ(voci(c), 1u);
}

TEST(SistemaTest, MissingFolderNamesTheFileAndItsReason) {
  const fs::path f = fs::temp_directory_path() / "no_such_folder_4417" / "x";
  const port::io_status s = port::sostituisci_file(f, "x");
  ASSERT_FALSE(s.ok());
  EXPECT_EQ(s.message,
            port::testo_percorso(f) + ": " + port::motivo_sistema(ENOENT));
}

TEST(SistemaTest, TargetThatIsAFolderFailsAndLeavesNoTemporary) {
  const file_prova::cartella prova;
  const fs::path& c = prova.percorso();
  fs::create_directory(c / "x");
  const port::io_status s = port::sostituisci_file(c / "x", "data");
  // Windows refuses this replace as access denied; the reason is still the
  // folder in the way, in the same words as on POSIX.
  EXPECT_EQ(s.message, port::testo_percorso(c / "x") + ": " +
                           port::motivo_sistema(EISDIR));
  EXPECT_TRUE(fs::is_directory(c / "x"));
  EXPECT_EQ(voci(c), 1u);
}

TEST(SistemaTest, ReadsWholeFilesAndRefusesWhatIsNotOne) {
  const file_prova::cartella prova;
  const fs::path& c = prova.percorso();
  // Every byte as it is: CR, LF and the 0x1A that ends text reads elsewhere.
  std::string byte;
  for (int i = 0; i < 256; ++i) byte += static_cast<char>(i);
  byte += std::string(200000, '\x1a');
  file_prova::scrivi(c / "f", byte);
  fs::create_directory(c / "d");

  const port::file_letto f = port::leggi_file(c / "f");
  EXPECT_EQ(f.stato, port::file_letto::esito::letto);
  EXPECT_TRUE(f.byte == byte);

  const port::file_letto d = port::leggi_file(c / "d");
  EXPECT_EQ(d.stato, port::file_letto::esito::illeggibile);
  EXPECT_EQ(d.motivo, port::motivo_sistema(EISDIR));

  for (const fs::path& p : {c / "assente", c / "assente" / "f"}) {
    SCOPED_TRACE(p.string());
    const port::file_letto a = port::leggi_file(p);
    EXPECT_EQ(a.stato, port::file_letto::esito::assente);
    EXPECT_EQ(a.motivo, port::motivo_sistema(ENOENT));
  }
  // A file where a folder is expected is not there either.
  EXPECT_EQ(port::leggi_file(c / "f" / "x").stato,
            port::file_letto::esito::assente);
}

TEST(SistemaTest, KindsOfNamesAndRemoval) {
  const file_prova::cartella prova;
  const fs::path& c = prova.percorso();
  file_prova::scrivi(c / "f", "x");
  fs::create_directory(c / "d");
  EXPECT_EQ(port::tipo_di(c / "f"), port::tipo_voce::file);
  EXPECT_EQ(port::tipo_di(c / "d"), port::tipo_voce::cartella);
  EXPECT_EQ(port::tipo_di(c / "n"), port::tipo_voce::assente);
  EXPECT_TRUE(port::rimuovi(c / "f").ok());
  EXPECT_EQ(port::tipo_di(c / "f"), port::tipo_voce::assente);
}

TEST(SistemaTest, PathsAreUtf8Text) {
  // The second name is outside every single-byte code page, so a narrow
  // system call anywhere would lose it.
  for (const std::string nome : {"Nicol\xc3\xb2",
                                 "\xc5\x81\xc3\xb3"
                                 "d\xc5\xba \xce\xa9"}) {
    SCOPED_TRACE(nome);
    const file_prova::cartella prova;
    const fs::path d = prova.percorso() / port::percorso_da_testo(nome);
    fs::create_directory(d);
    ASSERT_TRUE(port::sostituisci_file(d / "a", "x").ok());
    ASSERT_TRUE(port::sostituisci_file(d / "a", "y").ok());
    EXPECT_EQ(port::leggi_file(d / "a").byte, "y");
    EXPECT_EQ(port::tipo_di(d / "a"), port::tipo_voce::file);
    EXPECT_TRUE(port::rimuovi(d / "a").ok());
    const std::string testo = port::testo_percorso(d);
    EXPECT_EQ(testo.substr(testo.size() - nome.size()), nome);
  }
}

TEST(SistemaTest, TheProgramFolderHoldsTheTests) {
  const std::optional<fs::path> c = port::cartella_programma("");
  ASSERT_TRUE(c.has_value());
  EXPECT_TRUE(fs::is_directory(*c));
}

TEST(SistemaTest, UsualReasonsAreInItalianOthersInTheSystemsWords) {
  EXPECT_EQ(port::motivo_sistema(EACCES), "permesso negato");
  EXPECT_EQ(port::motivo_sistema(ENOSPC), "spazio esaurito sul dispositivo");
  EXPECT_EQ(port::motivo_sistema(0), "errore di input/output");
  EXPECT_EQ(port::motivo_sistema(EDOM), std::generic_category().message(EDOM));
}
