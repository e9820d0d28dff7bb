#include "compiler/percorso.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
#include <string>

#include "tests/file_prova.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* linea = "Vendralo";
constexpr const char* treno = "Kv4417";

// A folder with a line and a train source; rows are CR LF lines placed
// between the "[generale]" header and "[fine]" (the line file's feature rows
// after a "[curve]" header that closes its general part).
class cartella_prova : public file_prova::cartella {
 public:
  const fs::path& dir() const { return percorso(); }

  void sorgenti(const std::string& generale, const std::string& caratteristiche,
                const std::string& righe_treno,
                const std::string& nome_linea = linea,
                const std::string& nome_treno = treno) const {
    scrivi(nome_linea + "_linea.txt", "[generale]\r\n" + generale +
                                          "[curve]\r\n" + caratteristiche +
                                          "[fine]\r\n");
    scrivi(nome_linea + "_" + nome_treno + "-.txt",
           "[generale]\r\n" + righe_treno + "[fine]\r\n");
  }

  void scrivi(const std::string& nome, const std::string& testo) const {
    std::ofstream(percorso() / nome, std::ios::binary) << testo;
  }

  std::string leggi(const std::string& nome) const {
    std::ifstream in(percorso() / nome, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }

  // Every file of the folder with its bytes.
  std::map<std::string, std::string> contenuto() const {
    std::map<std::string, std::string> m;
    for (const auto& e : fs::directory_iterator(percorso())) {
      const std::string nome = e.path().filename().string();
      m[nome] = e.is_regular_file() ? leggi(nome) : "<dir>";
    }
    return m;
  }
};

scenario con_nomi(const std::string& nome_linea = linea,
                  const std::string& nome_treno = treno) {
  scenario s;
  s.nome_linea = nome_linea;
  s.nome_treno = nome_treno;
  return s;
}

std::int32_t le(const std::string& b, std::size_t pos, std::size_t n) {
  std::uint32_t v = 0;
  for (std::size_t k = 0; k < n; ++k) {
    v |= std::uint32_t{static_cast<unsigned char>(b.at(pos + k))} << (8 * k);
  }
  return n == 2 ? static_cast<std::int16_t>(v) : static_cast<std::int32_t>(v);
}

const std::string lunghezza_10000 = "lunghezza percorso,    10000\r\n";

}  // namespace

TEST(PercorsoTest, CompilesA309000MetreRouteWithStampsAndCodes) {
  cartella_prova c;
  const std::string l = "nopqrstuvwxyz";
  const std::string t = "abcdefghijklm";
  c.sorgenti("lunghezza percorso,    309000\r\n", "", "", l, t);
  scenario s = con_nomi(l, t);
  const risultato_compilazione r = memorizza_percorso(s, c.dir(), 1, true);
  ASSERT_EQ(r.esito, esito_compilazione::compilato) << r.file.message;

  EXPECT_EQ(c.leggi(l + "_linea.dat").size(), 6319964u);
  const std::string celle = c.leggi(l + "_" + t + ".dat");
  EXPECT_EQ(celle.size(), 94815u);
  const std::string tabella = c.leggi(l + "_" + t + ".sim");
  EXPECT_EQ(tabella.size(), 87u * 34u + l.size() + t.size());

  // Cell 1 starts at byte 15: valore1 at +1, valore2 at +3.
  EXPECT_EQ(le(celle, 16, 2), 5121);
  EXPECT_EQ(le(celle, 18, 2), 2725);
  // Slots 0..84 have no text here, so slot 85 starts at 85 * 34; its text is
  // the route identifier (13 bytes), numero_1 at 16 + n, valore_d at 30 + n.
  const std::size_t voce = 85 * 34;
  EXPECT_EQ(le(tabella, voce + 14, 2), 13);
  EXPECT_EQ(tabella.substr(voce + 16, 13), l);
  EXPECT_EQ(le(tabella, voce + 16 + 13, 2), 610);
  EXPECT_EQ(le(tabella, voce + 30 + 13, 4), 36725);
}

TEST(PercorsoTest, WithoutThePlanFlagAnExistingPlanFileIsUntouched) {
  cartella_prova c;
  c.sorgenti(lunghezza_10000, "", "");
  c.scrivi("Vendralo_linea.dat", "older plan");
  scenario s = con_nomi();
  const risultato_compilazione r = memorizza_percorso(s, c.dir(), 0, true);
  ASSERT_EQ(r.esito, esito_compilazione::compilato) << r.file.message;
  EXPECT_EQ(c.leggi("Vendralo_linea.dat"), "older plan");
  EXPECT_EQ(c.leggi("Vendralo_Kv4417.dat").size(), 341u * 15u);
  EXPECT_FALSE(s.tracciato.esiste());
}

TEST(PercorsoTest, AFaultWritesNothingAndKeepsEarlierFiles) {
  struct caso {
    const char* nome;
    std::string caratteristiche, treno;
    esito_compilazione esito;
    std::int32_t codice;
  };
  const caso casi[] = {
      {"fault from the reader: signal on a board",
       "cartello_indicatore,  1400,   (Cippo)\r\n",
       "segnale,    1400,   2, 3, 1,  1, 0,    2,  2,1,1, 0\r\n",
       esito_compilazione::guasto_sorgente, 16},
      {"fault from the finishing pass: a band before a start all taken",
       "cartello_indicatore,  5750,   (A)\r\n"
       "cartello_indicatore,  5700,   (B)\r\n"
       "cartello_indicatore,  5650,   (C)\r\n",
       "rallentamento, 6000, 130, 500, 1, 0, 0\r\n",
       esito_compilazione::guasto_sorgente, 12},
      {"1250: a speed board at position 0",
       "indicatori_vmax,  0,  95,  95,  100,  0,  95,  95,  100,  0\r\n", "",
       esito_compilazione::timbro_1250, 0},
      {"1251: a signal at position 0 with no first value", "",
       "segnale,    0,   2, 0, 1,  1, 0,    2,  0,1,1, 0\r\n",
       esito_compilazione::timbro_1251, 0},
  };
  for (const caso& k : casi) {
    SCOPED_TRACE(k.nome);
    cartella_prova c;
    c.sorgenti(lunghezza_10000, "", "");
    {
      scenario s = con_nomi();
      ASSERT_EQ(memorizza_percorso(s, c.dir(), 1, true).esito,
                esito_compilazione::compilato);
    }
    c.sorgenti(lunghezza_10000, k.caratteristiche, k.treno);
    const auto prima = c.contenuto();

    scenario s = con_nomi();
    const risultato_compilazione r = memorizza_percorso(s, c.dir(), 1, true);
    EXPECT_EQ(r.esito, k.esito);
    EXPECT_EQ(s.codice_errore, k.codice);
    EXPECT_TRUE(c.contenuto() == prima);
  }
}

TEST(PercorsoTest, FinishingPassFaultCarriesItsPosition) {
  cartella_prova c;
  // Restriction start at 6000 m is cell 121; its first band is 116..114.
  c.sorgenti(lunghezza_10000,
             "cartello_indicatore,  5750,   (A)\r\n"
             "cartello_indicatore,  5700,   (B)\r\n"
             "cartello_indicatore,  5650,   (C)\r\n",
             "rallentamento, 6000, 130, 500, 1, 0, 0\r\n");
  scenario s = con_nomi();
  EXPECT_EQ(memorizza_percorso(s, c.dir(), 1, true).esito,
            esito_compilazione::guasto_sorgente);
  EXPECT_EQ(s.codice_errore, 12);
  EXPECT_EQ(s.posizione_errore, 121 * 50);
}

TEST(PercorsoTest, AnUnwritableFileIsReportedAndLeavesNoTemporary) {
  cartella_prova c;
  c.sorgenti(lunghezza_10000, "", "");
  fs::create_directory(c.dir() / "Vendralo_Kv4417.sim");
  scenario s = con_nomi();
  const risultato_compilazione r = memorizza_percorso(s, c.dir(), 1, true);
  ASSERT_EQ(r.esito, esito_compilazione::errore_file);
  EXPECT_NE(r.file.message.find("Vendralo_Kv4417.sim: "), std::string::npos)
      << r.file.message;
  for (const auto& [nome, byte] : c.contenuto()) {
    EXPECT_EQ(nome.find(".tmp"), std::string::npos) << nome;
  }
  EXPECT_FALSE(fs::exists(c.dir() / "Vendralo_Kv4417.dat"));
}

TEST(PercorsoTest, ATextTooLongForItsFieldIsAFault) {
  cartella_prova c;
  c.sorgenti(
      lunghezza_10000,
      "cartello_indicatore,  2050,   (" + std::string(32767, 'x') + ")\r\n",
      "");
  scenario s = con_nomi();
  EXPECT_EQ(memorizza_percorso(s, c.dir(), 1, true).esito,
            esito_compilazione::guasto_sorgente);
  EXPECT_EQ(s.codice_errore, 25);
  EXPECT_FALSE(fs::exists(c.dir() / "Vendralo_Kv4417.sim"));
}

TEST(PercorsoTest, ASecondCompileOfTheSameModelStartsClean) {
  cartella_prova c;
  c.sorgenti(lunghezza_10000, "", "");
  scenario s = con_nomi();
  ASSERT_EQ(memorizza_percorso(s, c.dir(), 1, true).esito,
            esito_compilazione::compilato);
  const auto prima = c.contenuto();
  // The stamps of the first compile must not count as already set.
  ASSERT_EQ(memorizza_percorso(s, c.dir(), 1, true).esito,
            esito_compilazione::compilato);
  EXPECT_TRUE(c.contenuto() == prima);
}
