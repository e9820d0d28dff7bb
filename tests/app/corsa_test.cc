#include "app/corsa.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct fine_programma {
  int stato;
};

class piattaforma_registrata : public piattaforma {
 public:
  void mostra_finestra(std::string_view titolo, std::string_view e) override {
    eventi.push_back("finestra:" + std::string(titolo) + ":" + std::string(e));
  }
  void mostra_messaggio(std::string_view t) override {
    eventi.push_back("messaggio:" + std::string(t));
  }
  [[noreturn]] void termina(int stato) override { throw fine_programma{stato}; }
  std::vector<std::string> eventi;
};

fs::path cartella_nuova() {
  std::random_device rd;
  fs::path p = fs::temp_directory_path() / ("corsa_" + std::to_string(rd()));
  fs::create_directories(p);
  return p;
}

std::set<std::string> nomi(const fs::path& c) {
  std::set<std::string> out;
  for (const auto& e : fs::directory_iterator(c)) {
    out.insert(e.path().filename().string());
  }
  return out;
}

std::string leggi(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
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
  try {
    return esegui_corsa(o, c, p, err);
  } catch (const fine_programma& f) {
    ADD_FAILURE() << "the run ended through the platform";
    return f.stato;
  }
}

}  // namespace

TEST(CorsaTest, LeavesTheThreeDocumentsAndTheThreeCompiledFiles) {
  const fs::path c = cartella_nuova();
  piattaforma_registrata p;
  std::ostringstream err;
  EXPECT_EQ(esegui({}, c, p, err), stato_ok);
  EXPECT_EQ(err.str(), "");
  EXPECT_EQ(p.eventi, std::vector<std::string>{"finestra:Form1:Attendere"});
  EXPECT_EQ(nomi(c), documenti_e_compilati);
  EXPECT_EQ(fs::file_size(c / "Vendralo_linea.dat"), 6319964u);
  EXPECT_EQ(fs::file_size(c / "Vendralo_Kv4417.dat"), 94815u);
  fs::remove_all(c);
}

TEST(CorsaTest, KeepSourcesLeavesTheTwoSourcesToo) {
  const fs::path c = cartella_nuova();
  piattaforma_registrata p;
  std::ostringstream err;
  opzioni o;
  o.conserva_sorgenti = true;
  EXPECT_EQ(esegui(o, c, p, err), stato_ok);
  std::set<std::string> attesi = documenti_e_compilati;
  attesi.insert("Vendralo_linea.txt");
  attesi.insert("Vendralo_Kv4417-.txt");
  EXPECT_EQ(nomi(c), attesi);
  fs::remove_all(c);
}

TEST(CorsaTest, ReplacesLongerFilesOfAnEarlierRunWhole) {
  const fs::path pulita = cartella_nuova();
  const fs::path usata = cartella_nuova();
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
    EXPECT_EQ(leggi(usata / n), leggi(pulita / n));
  }
  fs::remove_all(pulita);
  fs::remove_all(usata);
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
