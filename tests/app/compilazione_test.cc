#include "app/compilazione.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "tests/file_prova.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* linea = "Vendralo";
constexpr const char* treno = "Kv4417";
const std::string file_linea = "Vendralo_linea.txt";
const std::string file_treno = "Vendralo_Kv4417-.txt";

// A folder with a line and a train source; rows are CR LF lines placed
// between the "[generale]" header and "[fine]" (the line file's feature rows
// after a "[curve]" header that closes its general part).
class cartella_prova : public file_prova::cartella {
 public:
  const fs::path& dir() const { return percorso(); }

  void sorgenti(const std::string& caratteristiche = "",
                const std::string& righe_treno = "") const {
    scrivi(file_linea,
           "[generale]\r\nlunghezza percorso,    10000\r\n"
           "[curve]\r\n" +
               caratteristiche + "[fine]\r\n");
    scrivi(file_treno, "[generale]\r\n" + righe_treno + "[fine]\r\n");
  }

  void scrivi(const std::string& nome, const std::string& testo) const {
    file_prova::scrivi(percorso() / nome, testo);
  }

  std::string leggi(const std::string& nome) const {
    return file_prova::leggi(percorso() / nome);
  }

  std::map<std::string, std::string> contenuto() const {
    return file_prova::contenuto(percorso());
  }
};

compiler::scenario con_nomi() {
  compiler::scenario s;
  s.nome_linea = linea;
  s.nome_treno = treno;
  return s;
}

}  // namespace

TEST(CompilazioneTest, WritesTheThreeFilesAndDeletesTheSourcesUnlessKept) {
  for (bool conserva : {true, false}) {
    SCOPED_TRACE(conserva ? "kept" : "deleted");
    cartella_prova c;
    c.sorgenti();
    compiler::scenario s = con_nomi();
    const risultato_cartella r = compila_cartella(s, c.dir(), 1, conserva);
    ASSERT_EQ(r.esito, esito_cartella::compilato) << r.file.message;
    const auto dopo = c.contenuto();
    EXPECT_EQ(dopo.count(file_linea), conserva ? 1u : 0u);
    EXPECT_EQ(dopo.count(file_treno), conserva ? 1u : 0u);
    EXPECT_EQ(dopo.at("Vendralo_linea.dat").size(), 2u * (12 + 10 * 16997));
    EXPECT_EQ(dopo.at("Vendralo_Kv4417.dat").size(), 341u * 15u);
    EXPECT_EQ(dopo.count("Vendralo_Kv4417.sim"), 1u);
  }
}

TEST(CompilazioneTest, WithoutThePlanFlagAnExistingPlanFileIsUntouched) {
  cartella_prova c;
  c.sorgenti();
  c.scrivi("Vendralo_linea.dat", "older plan");
  compiler::scenario s = con_nomi();
  const risultato_cartella r = compila_cartella(s, c.dir(), 0, true);
  ASSERT_EQ(r.esito, esito_cartella::compilato) << r.file.message;
  EXPECT_EQ(c.leggi("Vendralo_linea.dat"), "older plan");
  EXPECT_EQ(c.leggi("Vendralo_Kv4417.dat").size(), 341u * 15u);
}

TEST(CompilazioneTest, AFaultWritesNothingAndKeepsEarlierFiles) {
  struct caso {
    const char* nome;
    std::string caratteristiche, treno;
    std::int32_t numero;
  };
  const caso casi[] = {
      {"a fault in a source", "cartello_indicatore,  1400,   (Cippo)\r\n",
       "segnale,    1400,   2, 3, 1,  1, 0,    2,  2,1,1, 0\r\n", 16},
      {"1250",
       "indicatori_vmax,  0,  95,  95,  100,  0,  95,  95,  100,  0\r\n", "",
       1250},
      {"1251", "", "segnale,    0,   2, 0, 1,  1, 0,    2,  0,1,1, 0\r\n",
       1251},
  };
  for (const caso& k : casi) {
    SCOPED_TRACE(k.nome);
    cartella_prova c;
    c.sorgenti();
    {
      compiler::scenario s = con_nomi();
      ASSERT_EQ(compila_cartella(s, c.dir(), 1, true).esito,
                esito_cartella::compilato);
    }
    c.sorgenti(k.caratteristiche, k.treno);
    const auto prima = c.contenuto();
    compiler::scenario s = con_nomi();
    const risultato_cartella r = compila_cartella(s, c.dir(), 1, true);
    EXPECT_EQ(r.esito, esito_cartella::guasto);
    ASSERT_TRUE(r.guasto);
    EXPECT_EQ(r.guasto->numero, k.numero);
    EXPECT_TRUE(c.contenuto() == prima);
  }
}

TEST(CompilazioneTest, AnUnwritableFileIsReportedAndLeavesNoTemporary) {
  cartella_prova c;
  c.sorgenti();
  fs::create_directory(c.dir() / "Vendralo_Kv4417.sim");
  compiler::scenario s = con_nomi();
  const risultato_cartella r = compila_cartella(s, c.dir(), 1, true);
  ASSERT_EQ(r.esito, esito_cartella::errore_file);
  EXPECT_NE(r.file.message.find("Vendralo_Kv4417.sim: "), std::string::npos)
      << r.file.message;
  for (const auto& [nome, byte] : c.contenuto()) {
    EXPECT_EQ(nome.find(".tmp"), std::string::npos) << nome;
  }
  // The plan file, renamed before the table, is the one file replaced.
  EXPECT_FALSE(fs::exists(c.dir() / "Vendralo_Kv4417.dat"));
}

TEST(CompilazioneTest, ASourceThatIsAFolderIsNeverDeleted) {
  for (bool di_linea : {true, false}) {
    SCOPED_TRACE(di_linea ? "line source is a folder"
                          : "train source is a folder");
    cartella_prova c;
    c.sorgenti();
    const fs::path cartella = c.dir() / (di_linea ? file_linea : file_treno);
    fs::remove(cartella);
    fs::create_directory(cartella);
    compiler::scenario s = con_nomi();
    const risultato_cartella r = compila_cartella(s, c.dir(), 1, false);
    EXPECT_EQ(r.esito, esito_cartella::guasto);
    EXPECT_EQ(s.codice_errore, 25);
    ASSERT_TRUE(r.guasto);
    EXPECT_EQ(r.guasto->luogo.file, di_linea ? file_linea : file_treno);
    EXPECT_EQ(r.guasto->motivo, port::motivo_sistema(EISDIR));
    // Fault 25 deletes both sources, but only plain files go.
    EXPECT_TRUE(fs::is_directory(cartella));
    EXPECT_FALSE(fs::exists(c.dir() / (di_linea ? file_treno : file_linea)));
  }
}

TEST(CompilazioneTest, AMissingLineSourceDeletesNothing) {
  cartella_prova c;
  c.sorgenti();
  fs::remove(c.dir() / file_linea);
  compiler::scenario s = con_nomi();
  EXPECT_EQ(compila_cartella(s, c.dir(), 1, false).esito,
            esito_cartella::guasto);
  EXPECT_EQ(s.codice_errore, 101);
  EXPECT_TRUE(fs::exists(c.dir() / file_treno));
}
