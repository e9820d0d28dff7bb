#include "app/corsa.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/stato_uscita.h"
#include "tests/file_prova.h"
#include "tests/finestra/piattaforma_prova.h"

namespace {

namespace fs = std::filesystem;

std::set<std::string> nomi(const fs::path& c) {
  std::set<std::string> out;
  for (const auto& e : fs::directory_iterator(c)) {
    out.insert(e.path().filename().string());
  }
  return out;
}

const std::set<std::string> documenti_e_compilati = {
    "Vendralo_Kv4417_note.txt",
    "Vendralo_Kv4417_rallentamenti.txt",
    "Vendralo_Kv4417_scheda_treno.txt",
    "Vendralo_linea.dat",
    "Vendralo_Kv4417.sim",
    "Vendralo_Kv4417.dat"};

int esegui(const opzioni& o, const fs::path& c, piattaforma_registrata& p,
           std::ostringstream& err) {
  return esegui_corsa(o, c, p, err);
}

}  // namespace

TEST(CorsaTest, LeavesTheThreeDocumentsAndTheThreeCompiledFiles) {
  const file_prova::cartella prova;
  const fs::path& c = prova.percorso();
  piattaforma_registrata p;
  std::ostringstream err;
  EXPECT_EQ(esegui({}, c, p, err), stato_ok);
  EXPECT_EQ(err.str(), "");
  EXPECT_EQ(p.finestre, std::vector<std::string>{"Form1:Attendere"});
  EXPECT_TRUE(p.messaggi.empty());
  EXPECT_EQ(nomi(c), documenti_e_compilati);
  EXPECT_EQ(fs::file_size(c / "Vendralo_linea.dat"), 6319964u);
  EXPECT_EQ(fs::file_size(c / "Vendralo_Kv4417.dat"), 94815u);
}

TEST(CorsaTest, KeepSourcesLeavesTheTwoSourcesToo) {
  const file_prova::cartella prova;
  const fs::path& c = prova.percorso();
  piattaforma_registrata p;
  std::ostringstream err;
  opzioni o;
  o.proprie["--keep-sources"];
  EXPECT_EQ(esegui(o, c, p, err), stato_ok);
  std::set<std::string> attesi = documenti_e_compilati;
  attesi.insert("Vendralo_linea.txt");
  attesi.insert("Vendralo_Kv4417-.txt");
  EXPECT_EQ(nomi(c), attesi);
}

TEST(CorsaTest, ReplacesLongerFilesOfAnEarlierRunWhole) {
  const file_prova::cartella prova_pulita, prova_usata;
  const fs::path& pulita = prova_pulita.percorso();
  const fs::path& usata = prova_usata.percorso();
  piattaforma_registrata p;
  std::ostringstream err;
  ASSERT_EQ(esegui({}, pulita, p, err), stato_ok);
  for (const std::string& n : documenti_e_compilati) {
    std::ofstream(usata / n, std::ios::binary)
        << std::string(fs::file_size(pulita / n) + 5000, '#');
  }
  ASSERT_EQ(esegui({}, usata, p, err), stato_ok);
  EXPECT_EQ(nomi(usata), documenti_e_compilati);
  for (const std::string& n : documenti_e_compilati) {
    SCOPED_TRACE(n);
    EXPECT_EQ(file_prova::leggi(usata / n), file_prova::leggi(pulita / n));
  }
}

TEST(CorsaTest, MissingFolderIsAFileFaultNamingTheFile) {
  const fs::path c = fs::temp_directory_path() / "corsa_no_such_folder_4417";
  piattaforma_registrata p;
  std::ostringstream err;
  EXPECT_EQ(esegui({}, c, p, err), stato_file);
  EXPECT_NE(err.str().find((c / "Vendralo_linea.txt").string()),
            std::string::npos);
  EXPECT_FALSE(fs::exists(c));
}
