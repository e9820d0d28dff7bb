// The inspect command on real compiled files: the scenario's own files agree
// with what its content states, the JSON reads back as the decoded model,
// texts keep every byte, and a missing or damaged file is named with the
// byte and the reason.
#include "app/ispeziona.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <nlohmann/json.hpp>
#include <span>
#include <sstream>
#include <string>
#include <vector>

#include "app/avvio.h"
#include "app/stato_uscita.h"
#include "compiler/arrotonda.h"
#include "compiler/decodifica.h"
#include "compiler/file_compilati.h"
#include "content/dati_linea.h"
#include "content/dati_treno.h"
#include "content/stazioni.h"
#include "port/sistema.h"
#include "source/cp1252.h"
#include "source/nomi_file.h"
#include "source/record.h"
#include "tests/app/compilati_prova.h"
#include "tests/content/riga_letta.h"
#include "tests/file_prova.h"
#include "tests/finestra/piattaforma_prova.h"

namespace {

namespace fs = std::filesystem;
using json = nlohmann::json;

struct uscita {
  int stato = -1;
  std::string out;
  std::string err;
};

uscita esegui(std::vector<std::string> argomenti) {
  piattaforma_registrata p;
  std::ostringstream out;
  std::ostringstream err;
  uscita u;
  u.stato = avvia(argomenti, "scenario", p, out, err);
  u.out = out.str();
  u.err = err.str();
  return u;
}

std::vector<std::string> righe(const std::string& testo) {
  std::vector<std::string> r;
  std::istringstream in(testo);
  for (std::string riga; std::getline(in, riga);) r.push_back(riga);
  return r;
}

// The lines after the one that starts with `titolo`, up to the next line
// that does not start with two blanks and a digit or a blank.
std::vector<std::string> sezione(const std::vector<std::string>& r,
                                 const std::string& titolo) {
  std::vector<std::string> out;
  std::size_t i = 0;
  while (i < r.size() && r[i].rfind(titolo, 0) != 0) ++i;
  for (++i; i < r.size() && r[i].rfind("  ", 0) == 0; ++i) out.push_back(r[i]);
  return out;
}

bool finisce_con(const std::string& s, const std::string& coda) {
  return s.size() >= coda.size() &&
         s.compare(s.size() - coda.size(), coda.size(), coda) == 0;
}

// The scenario's own compiled files, made once for the suite.
class IspezionaPredefinitoTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    cartella_ = std::make_unique<file_prova::cartella>();
    compilati_prova::compila_predefinito(cartella_->percorso());
  }
  static void TearDownTestSuite() { cartella_.reset(); }

  static std::string d() { return port::testo_percorso(cartella_->percorso()); }
  static fs::path p() { return cartella_->percorso(); }

  static std::unique_ptr<file_prova::cartella> cartella_;
};

std::unique_ptr<file_prova::cartella> IspezionaPredefinitoTest::cartella_;

}  // namespace

TEST_F(IspezionaPredefinitoTest, SummaryAgreesWithTheContent) {
  const uscita u = esegui({"inspect", "--folder", d()});
  ASSERT_EQ(u.stato, stato_ok) << u.err;
  EXPECT_EQ(u.err, "");
  const std::vector<std::string> r = righe(u.out);

  // Every station of the train's run, in route order, in slots 1 to 56.
  const auto stazioni = stazioni_treno();
  ASSERT_EQ(stazioni.size(), 56u);
  EXPECT_NE(u.out.find("\nStazioni: 56, voci da 1 a 56\n"), std::string::npos);
  const std::vector<std::string> righe_stazioni = sezione(r, "Stazioni:");
  ASSERT_EQ(righe_stazioni.size(), 1 + 56 + 3u);  // header, rows, key
  for (std::size_t i = 0; i < stazioni.size(); ++i) {
    const std::string& riga = righe_stazioni[1 + i];
    SCOPED_TRACE(riga);
    std::istringstream in(riga);
    std::size_t voce = 0;
    std::int64_t posizione = 0;
    in >> voce >> posizione;
    EXPECT_EQ(voce, i + 1);
    EXPECT_EQ(posizione, stazioni[i].posizione);
    EXPECT_TRUE(finisce_con(riga, "\"" + std::string(stazioni[i].nome) + "\""));
  }

  // The 22 board texts, from slot 80 down, at their cells.
  std::vector<riga_letta::lettura> cartelli;
  for (const std::string& riga : righe_linea()) {
    riga_letta::lettura l =
        riga_letta::leggi(riga, source::record_caratteristiche());
    if (l.errore.empty() && l.kind == source::record::cartello_indicatore) {
      cartelli.push_back(std::move(l));
    }
  }
  ASSERT_EQ(cartelli.size(), 22u);
  EXPECT_NE(u.out.find("\nCartelli indicatori: 22, voci da 80 a 59\n"),
            std::string::npos);
  const std::vector<std::string> righe_cartelli =
      sezione(r, "Cartelli indicatori:");
  ASSERT_EQ(righe_cartelli.size(), 22u);
  for (std::size_t i = 0; i < cartelli.size(); ++i) {
    const std::string& riga = righe_cartelli[i];
    SCOPED_TRACE(riga);
    const std::int64_t cella = compiler::cella_di(cartelli[i].numeri[0]);
    std::istringstream in(riga);
    std::size_t voce = 0;
    std::string parola;
    std::int64_t letta = 0;
    std::int64_t posizione = 0;
    in >> voce >> parola >> letta >> posizione;
    EXPECT_EQ(voce, 80 - i);
    EXPECT_EQ(parola, "cella");
    EXPECT_EQ(letta, cella);
    // Where the board's cell stands, on the 50 m step.
    EXPECT_EQ(posizione, (cella - 1) * 50);
    EXPECT_TRUE(finisce_con(riga, "\"" + cartelli[i].testo + "\""));
  }

  for (const char* atteso : {
           "  lunghezza 309000 m (voce 84)\n",
           "  6321 celle da 50 m, da 0 a 6320, come le scrive una "
           "compilazione di quella lunghezza\n",
           "timbro 610; codice pesato 35477, come danno gli identificatori\n",
           "  cella 1: timbro 5121; codice semplice 2549, come danno gli "
           "identificatori\n",
           "  84 totali: massa frenata 125 %, lunghezza del percorso 309000 "
           "m, 8 vetture\n",
           "  86 treno \"Kv4417\": ripetizione segnali da 10400 a 309000 m, 4 "
           "codici; sabbia 300; orologio di partenza 17:24:30\n",
           "    1 segnali: 164\n",
           "    6 indicatori di velocità massima: 71\n",
           "   14 cartelli indicatori: 22\n",
           "\nSegnali: 164\n",
           "\nIndicatori di velocità massima: 71\n",
           "\nRallentamenti: 0\n",
           "\nPunti di abbattimento: 0\n",
           "Tratti di montagna: 25\n",
           "  primo punto  metro 0: x 0,0, y 0,0\n",
       }) {
    EXPECT_NE(u.out.find(atteso), std::string::npos) << atteso;
  }
  EXPECT_EQ(u.out.find("altri tipi"), std::string::npos);
  EXPECT_EQ(u.out.find("Attenzione"), std::string::npos);
}

TEST_F(IspezionaPredefinitoTest, JsonReadsBackAsTheDecodedModel) {
  const uscita u = esegui({"inspect", "--json", "--points", "--folder", d()});
  ASSERT_EQ(u.stato, stato_ok) << u.err;
  const json j = json::parse(u.out);

  std::array<compiler::voce_dati, compiler::numero_voci> tabella{};
  ASSERT_TRUE(
      compiler::decodifica_tabella(file_prova::leggi(source::nomi_file::tabella(
                                       p(), "Vendralo", "Kv4417")),
                                   tabella)
          .ok());
  std::vector<compiler::cella> celle;
  ASSERT_TRUE(
      compiler::decodifica_celle(file_prova::leggi(source::nomi_file::celle(
                                     p(), "Vendralo", "Kv4417")),
                                 celle)
          .ok());
  compiler::tracciato_piano piano;
  ASSERT_TRUE(
      compiler::decodifica_piano(
          file_prova::leggi(source::nomi_file::piano(p(), "Vendralo")), piano)
          .ok());

  EXPECT_EQ(j.at("linea"), "Vendralo");
  EXPECT_EQ(j.at("treno"), "Kv4417");
  EXPECT_EQ(j.at("lunghezza_percorso"), 309000);
  EXPECT_EQ(j.at("stazioni").size(), 56u);
  EXPECT_EQ(j.at("cartelli").size(), 22u);
  EXPECT_EQ(j.at("timbri").at("codice_pesato").at("scritto"), 35477);
  EXPECT_EQ(j.at("timbri").at("codice_semplice").at("scritto"), 2549);
  EXPECT_EQ(j.at("timbri").at("voce_85_numero_1"), 610);
  EXPECT_EQ(j.at("timbri").at("cella_1_valore1"), 5121);
  EXPECT_TRUE(j.at("sorgenti_piu_recenti").empty());

  // The features read back, with the raw fields beside them: the first
  // signal and board of the sources ("segnale, 1400, 2, 3, 1, 1, 0, 2,
  // 2,1,1, 0"; "indicatori_vmax, 1200, 95, 95, 100, 0, 95, 95, 100, 0").
  ASSERT_EQ(j.at("segnali").size(), 164u);
  EXPECT_EQ(j.at("segnali").at(0),
            json::parse(R"({"cella":29,"posizione":1400,"oltre_fine":false,
                "sx":2,"s1":3,"s2":1,"s3":1,"rapp":0,"dx":2,"d1":2,"d2":1,
                "d3":1,"tempo_segnale":0,"valore1":32,"valore2":11,
                "valore3":11,"valore4":8})"));
  ASSERT_EQ(j.at("indicatori").size(), 71u);
  EXPECT_EQ(j.at("indicatori").at(0),
            json::parse(R"({"cella":25,"posizione":1200,"oltre_fine":false,
                "velocita_s":[95,95,100],"strisce_s":0,
                "velocita_d":[95,95,100],"strisce_d":0,"valore1":1919,
                "valore2":1919,"valore3":2020,"valore4":0})"));
  EXPECT_TRUE(j.at("rallentamenti").empty());
  EXPECT_TRUE(j.at("abbattimenti").empty());
  EXPECT_EQ(j.at("cartelli").at(0).at("testo"), "(Cippo Km 2.000)");

  ASSERT_EQ(j.at("voci").size(), compiler::numero_voci);
  for (std::size_t k = 0; k < compiler::numero_voci; ++k) {
    SCOPED_TRACE(k);
    const json& v = j.at("voci").at(k);
    const compiler::voce_dati& t = tabella[k];
    EXPECT_EQ(v.at("voce"), k);
    EXPECT_EQ(v.at("categoria"), t.categoria);
    EXPECT_EQ(v.at("valore_a"), t.valore_a);
    EXPECT_EQ(v.at("valore_b"), t.valore_b);
    EXPECT_EQ(v.at("valore_c"), t.valore_c);
    EXPECT_EQ(v.at("opzione"), t.opzione);
    EXPECT_EQ(v.at("testo"), source::da_cp1252(t.testo));
    EXPECT_EQ(v.at("numero_1"), t.numero_1);
    EXPECT_EQ(v.at("numero_2"), t.numero_2);
    EXPECT_EQ(v.at("numero_3"), t.numero_3);
    EXPECT_EQ(v.at("numero_4"), t.numero_4);
    EXPECT_EQ(v.at("numero_5"), t.numero_5);
    EXPECT_EQ(v.at("cifra_1"), t.cifra_1);
    EXPECT_EQ(v.at("sosta"), t.sosta);
    EXPECT_EQ(v.at("cifra_2"), t.cifra_2);
    EXPECT_EQ(v.at("cifra_3"), t.cifra_3);
    EXPECT_EQ(v.at("valore_d"), t.valore_d);
    EXPECT_EQ(v.size(), 18u);  // the 16 fields, the slot and its role
  }
  EXPECT_EQ(j.at("voci").at(1).at("ruolo"), "stazione");
  EXPECT_EQ(j.at("voci").at(80).at("ruolo"), "testo_cartello");
  EXPECT_EQ(j.at("voci").at(85).at("ruolo"), "linea");

  ASSERT_EQ(j.at("celle").size(), celle.size());
  for (std::size_t i = 0; i < celle.size(); ++i) {
    const json& c = j.at("celle").at(i);
    const compiler::cella& x = celle[i];
    compiler::cella letta;
    letta.tipo_cella = c.at("tipo_cella");
    letta.valore1 = c.at("valore1");
    letta.valore2 = c.at("valore2");
    letta.valore3 = c.at("valore3");
    letta.valore4 = c.at("valore4");
    letta.tempo_segnale = c.at("tempo_segnale");
    letta.avviso = c.at("avviso");
    letta.tipo_montagna = c.at("tipo_montagna");
    letta.velocita_linea = c.at("velocita_linea");
    letta.pendenza_linea = c.at("pendenza_linea");
    letta.aderenza_linea = c.at("aderenza_linea");
    ASSERT_EQ(letta, x) << "cell " << i;
    ASSERT_EQ(c.size(), 11u);
  }

  // Every plan element back with its kind and its value, bit for bit.
  const json& pj = j.at("piano");
  EXPECT_EQ(pj.at("metri"), piano.metri());
  EXPECT_EQ(pj.at("punti"), piano.metri() - 2);
  EXPECT_EQ(pj.at("primo").at("metro"), 0);
  EXPECT_EQ(pj.at("ultimo").at("metro"), piano.metri() - 3);
  compiler::tracciato_piano letto;
  letto.crea(piano.metri() - 1);
  for (int k = 0; k < 2; ++k) {
    const json& a = pj.at(k == 0 ? "x" : "y");
    ASSERT_EQ(a.size(), piano.metri());
    for (std::size_t m = 0; m < piano.metri(); ++m) {
      const json& e = a[m];
      if (e.is_number_integer()) {
        letto.metti_intero(m, k, e.get<std::int16_t>());
      } else if (e.is_number_float()) {
        letto.metti_doppio(m, k, e.get<double>());
      } else {
        ASSERT_TRUE(e.is_null()) << m;
      }
    }
  }
  EXPECT_TRUE(letto == piano);
}

TEST_F(IspezionaPredefinitoTest, JsonLeavesThePointsOutUnlessAsked) {
  const uscita u = esegui({"inspect", "--json", "--folder", d()});
  ASSERT_EQ(u.stato, stato_ok) << u.err;
  const json j = json::parse(u.out);
  EXPECT_FALSE(j.at("piano").contains("x"));
  EXPECT_FALSE(j.at("piano").contains("y"));
  EXPECT_EQ(j.at("piano").at("estensione").at("y_min"), 0.0);
}

TEST(IspezionaTest, TextsKeepEveryCharacterInJsonAndNoControlInTheSummary) {
  file_prova::cartella c;
  std::array<compiler::voce_dati, compiler::numero_voci> tabella{};
  std::string tutti;
  for (int b = 0; b < 256; ++b) tutti.push_back(static_cast<char>(b));
  tabella[1].testo = tutti;
  tabella[1].valore_c = 100;
  tabella[compiler::voce_linea].testo = "Linea";
  tabella[compiler::voce_treno].testo = "T1";
  file_prova::scrivi(source::nomi_file::tabella(c.percorso(), "Linea", "T1"),
                     compiler::codifica_tabella(tabella));
  file_prova::scrivi(source::nomi_file::celle(c.percorso(), "Linea", "T1"),
                     compiler::codifica_celle(std::vector<compiler::cella>(3)));
  const std::string d = port::testo_percorso(c.percorso());

  const uscita j = esegui({"inspect", "--json", "--folder", d, "--route",
                           "Linea", "--train", "T1"});
  ASSERT_EQ(j.stato, stato_ok) << j.err;
  // The code page's conversion intact through the JSON, the control bytes
  // escaped on the way and read back: one character per byte, U+FFFD for the
  // five bytes the code page leaves undefined.
  const std::string testo = json::parse(j.out).at("voci").at(1).at("testo");
  EXPECT_EQ(testo, source::da_cp1252(tutti));
  std::size_t caratteri = 0;
  for (char b : testo)
    caratteri += (static_cast<unsigned char>(b) & 0xC0) != 0x80;
  EXPECT_EQ(caratteri, 256u);
  std::size_t sostituti = 0;
  for (std::size_t i = testo.find("\xEF\xBF\xBD"); i != std::string::npos;
       i = testo.find("\xEF\xBF\xBD", i + 3)) {
    ++sostituti;
  }
  EXPECT_EQ(sostituti, 5u);

  const uscita t =
      esegui({"inspect", "--folder", d, "--route", "Linea", "--train", "T1"});
  ASSERT_EQ(t.stato, stato_ok) << t.err;
  EXPECT_NE(t.out.find("\nStazioni: 1, voce 1\n"), std::string::npos);
  for (char b : t.out) {
    EXPECT_FALSE(static_cast<unsigned char>(b) < 0x20 && b != '\n')
        << static_cast<int>(b);
  }
  // y diaeresis; the station stands past the route's end, of length 0.
  EXPECT_NE(t.out.find("\xC3\xBF\"  oltre la fine del percorso\n"),
            std::string::npos);
  EXPECT_NE(t.out.find("Linea_linea.dat  assente"), std::string::npos);
  EXPECT_NE(t.out.find("\nTracciato: nessun file del tracciato\n"),
            std::string::npos);
}

// Damage of each kind to the small scenario's files: inspect and plot both
// refuse with status 3 and a message that names the file and, for a file
// that does not follow its layout, the byte and the decoder's reason; plot
// then writes nothing.
TEST(IspezionaTest, MissingOrDamagedFilesNameTheFileAndTheByte) {
  enum class quale { tabella, celle, piano };
  struct caso {
    const char* nome;
    quale file;
    // Changes the file's bytes; nullptr to take the file away or replace
    // it with a folder.
    void (*guasta)(std::string&);
    bool cartella;       // with guasta == nullptr: a folder in its place
    std::size_t offset;  // where the layout breaks, for a changed file
  };
  const caso casi[] = {
      {"cell file not whole cells", quale::celle,
       [](std::string& b) { b.resize(15 * 100 + 7); }, false, 1500},
      {"cell file one byte over", quale::celle,
       [](std::string& b) { b.push_back('\0'); }, false, 5115},
      {"table ends inside slot 0", quale::tabella,
       [](std::string& b) { b.resize(10); }, false, 0},
      {"bytes after the table", quale::tabella,
       [](std::string& b) { b += "xyz"; }, false, 2980},
      {"table text length negative", quale::tabella,
       [](std::string& b) { b[14] = b[15] = '\xff'; }, false, 14},
      {"plan type code unknown", quale::piano, [](std::string& b) { b[0] = 7; },
       false, 0},
      {"plan odd number of records", quale::piano,
       [](std::string& b) { b.resize(b.size() - 2); }, false, 339962},
      {"plan ends inside a value", quale::piano,
       [](std::string& b) { b.resize(12); }, false, 8},
      {"table missing", quale::tabella, nullptr, false, 0},
      {"cell file missing", quale::celle, nullptr, false, 0},
      {"cell file is a folder", quale::celle, nullptr, true, 0},
      {"plan file is a folder", quale::piano, nullptr, true, 0},
  };
  for (const caso& k : casi) {
    SCOPED_TRACE(k.nome);
    file_prova::cartella c;
    compilati_prova::compila_piccolo(c.percorso());
    const fs::path file =
        k.file == quale::tabella
            ? source::nomi_file::tabella(c.percorso(), "Linea", "T1")
        : k.file == quale::celle
            ? source::nomi_file::celle(c.percorso(), "Linea", "T1")
            : source::nomi_file::piano(c.percorso(), "Linea");
    std::string atteso = "scenario: " + port::testo_percorso(file) + ": ";
    if (k.guasta != nullptr) {
      std::string byte = file_prova::leggi(file);
      ASSERT_EQ(byte.size(), k.file == quale::tabella ? 2980u
                             : k.file == quale::celle ? 5115u
                                                      : 339964u);
      k.guasta(byte);
      file_prova::scrivi(file, byte);
      // The reason is the decoder's own; the byte is the layout's.
      compiler::esito_decodifica e;
      std::array<compiler::voce_dati, compiler::numero_voci> t{};
      std::vector<compiler::cella> celle;
      compiler::tracciato_piano piano;
      if (k.file == quale::tabella) e = compiler::decodifica_tabella(byte, t);
      if (k.file == quale::celle) e = compiler::decodifica_celle(byte, celle);
      if (k.file == quale::piano) e = compiler::decodifica_piano(byte, piano);
      ASSERT_FALSE(e.ok());
      atteso += "byte " + std::to_string(k.offset) + ": " + e.motivo + "\n";
    } else {
      fs::remove(file);
      if (k.cartella) fs::create_directory(file);
      atteso += port::motivo_sistema(k.cartella ? EISDIR : ENOENT) + "\n";
    }
    std::vector<fs::path> prima;
    for (const auto& e : fs::directory_iterator(c.percorso())) {
      prima.push_back(e.path());
    }
    const std::string d = port::testo_percorso(c.percorso());
    for (const char* comando : {"inspect", "plot"}) {
      SCOPED_TRACE(comando);
      const uscita u =
          esegui({comando, "--folder", d, "--route", "Linea", "--train", "T1"});
      EXPECT_EQ(u.stato, stato_file);
      EXPECT_EQ(u.out, "");
      EXPECT_EQ(u.err, atteso);
    }
    std::vector<fs::path> dopo;
    for (const auto& e : fs::directory_iterator(c.percorso())) {
      dopo.push_back(e.path());
    }
    std::sort(prima.begin(), prima.end());
    std::sort(dopo.begin(), dopo.end());
    EXPECT_EQ(dopo, prima);
  }
}

TEST(IspezionaTest, AbsentPlanFileIsNoFault) {
  file_prova::cartella c;
  compilati_prova::compila_piccolo(c.percorso());
  fs::remove(source::nomi_file::piano(c.percorso(), "Linea"));
  const std::string d = port::testo_percorso(c.percorso());
  const uscita t =
      esegui({"inspect", "--folder", d, "--route", "Linea", "--train", "T1"});
  EXPECT_EQ(t.stato, stato_ok) << t.err;
  EXPECT_NE(t.out.find("\nStazioni: 2, voci da 1 a 2\n"), std::string::npos);
  EXPECT_NE(t.out.find("\nTracciato: nessun file del tracciato\n"),
            std::string::npos);
  const uscita j = esegui({"inspect", "--json", "--points", "--folder", d,
                           "--route", "Linea", "--train", "T1"});
  EXPECT_EQ(j.stato, stato_ok) << j.err;
  EXPECT_TRUE(json::parse(j.out).at("piano").is_null());
}

TEST(IspezionaTest, FilesThatDoNotFitTheRouteLengthArePointedOut) {
  file_prova::cartella c;
  compilati_prova::compila_piccolo(c.percorso());
  const fs::path celle = source::nomi_file::celle(c.percorso(), "Linea", "T1");
  std::string byte = file_prova::leggi(celle);
  byte.resize(100 * 15);
  file_prova::scrivi(celle, byte);
  compiler::tracciato_piano corto;
  corto.crea(99);
  corto.inizia();
  corto.prosegui_retto(2, 99);
  file_prova::scrivi(source::nomi_file::piano(c.percorso(), "Linea"),
                     compiler::codifica_piano(corto));
  const uscita t =
      esegui({"inspect", "--folder", port::testo_percorso(c.percorso()),
              "--route", "Linea", "--train", "T1"});
  EXPECT_EQ(t.stato, stato_ok) << t.err;
  EXPECT_NE(t.out.find("  il tracciato ha 100 metri, una compilazione di "
                       "quella lunghezza ne scrive 17001: viene da "
                       "un'altra compilazione\n"),
            std::string::npos);
  EXPECT_NE(t.out.find("  ultimo punto metro 99: x 0,0, y 99,0\n"),
            std::string::npos);
  EXPECT_NE(t.out.find("  100 celle da 50 m, da 0 a 99; una compilazione "
                       "di quella lunghezza ne scrive 341\n"),
            std::string::npos);
}

TEST(IspezionaTest, ExtremeCoordinatesArePrintedWhole) {
  file_prova::cartella c;
  compilati_prova::compila_piccolo(c.percorso());
  compiler::tracciato_piano p;
  p.crea(1);
  p.metti_doppio(0, 0, -1.5e300);
  p.metti_doppio(0, 1, 0.25);
  p.metti_doppio(1, 0, 1.7976931348623157e308);
  p.metti_doppio(1, 1, -3.0);
  file_prova::scrivi(source::nomi_file::piano(c.percorso(), "Linea"),
                     compiler::codifica_piano(p));
  const uscita t =
      esegui({"inspect", "--folder", port::testo_percorso(c.percorso()),
              "--route", "Linea", "--train", "T1"});
  EXPECT_EQ(t.stato, stato_ok) << t.err;
  // Every digit of the fixed notation: 301 before the point for 1.5e300,
  // 309 for the largest double.
  auto numero_dopo = [&t](const std::string& prima) -> std::string {
    const std::size_t da = t.out.find(prima);
    if (da == std::string::npos) return {};
    const std::size_t inizio = da + prima.size();
    return t.out.substr(inizio, t.out.find(", y", inizio) - inizio);
  };
  const std::string a = numero_dopo("  primo punto  metro 0: x ");
  const std::string b = numero_dopo("  ultimo punto metro 1: x ");
  EXPECT_EQ(a.size(), 1 + 301 + 2u) << a;
  EXPECT_EQ(a.rfind("-15000000000000000", 0), 0u) << a;
  EXPECT_EQ(b.size(), 309 + 2u) << b;
  EXPECT_EQ(b.rfind("17976931348623157", 0), 0u) << b;
  for (const std::string* x : {&a, &b}) {
    EXPECT_EQ(x->substr(x->size() - 2), ",0");
    EXPECT_EQ(x->find_first_not_of("-0123456789"), x->size() - 2);
  }
  EXPECT_NE(t.out.find(", y 0,2\n"), std::string::npos);
  EXPECT_NE(t.out.find(", y -3,0\n"), std::string::npos);
}

namespace {

// The source rows of one kind, read back through the source formats.
std::vector<riga_letta::lettura> righe_di(
    const std::vector<std::string>& righe,
    std::span<const source::tipo_record> parte, source::record kind) {
  std::vector<riga_letta::lettura> out;
  for (const std::string& riga : righe) {
    riga_letta::lettura l = riga_letta::leggi(riga, parte);
    if (l.errore.empty() && l.kind == kind) out.push_back(std::move(l));
  }
  return out;
}

// The numbers of a line of the summary.
std::vector<std::int64_t> numeri(const std::string& riga) {
  std::vector<std::int64_t> out;
  std::istringstream in(riga);
  for (std::int64_t v = 0; in >> v;) out.push_back(v);
  return out;
}

}  // namespace

// Each signal and speed board of the scenario's sources is listed where
// its row puts it (on the cell's 50 m step), with the values of its row.
TEST_F(IspezionaPredefinitoTest, SignalsAndBoardsShowTheirSourceRows) {
  const uscita u =
      esegui({"inspect", "--segnali", "--indicatori", "--folder", d()});
  ASSERT_EQ(u.stato, stato_ok) << u.err;
  const std::vector<std::string> r = righe(u.out);
  ASSERT_GE(r.size(), 2u);
  EXPECT_EQ(r[0], "Scenario della linea \"Vendralo\" e del treno \"Kv4417\"");
  EXPECT_EQ(r[1], "Segnali: 164");
  EXPECT_EQ(u.out.find("Stazioni:"), std::string::npos);
  EXPECT_EQ(u.out.find("Impostazioni"), std::string::npos);

  const auto segnali =
      righe_di(righe_treno(), source::record_treno(), source::record::segnale);
  const std::vector<std::string> mostrati = sezione(r, "Segnali:");
  ASSERT_EQ(segnali.size(), 164u);
  ASSERT_EQ(mostrati.size(), 1 + 164 + 1u);  // header, rows, key
  for (std::size_t i = 0; i < segnali.size(); ++i) {
    SCOPED_TRACE(mostrati[1 + i]);
    const std::vector<std::int32_t>& s = segnali[i].numeri;
    const std::vector<std::int64_t> v = numeri(mostrati[1 + i]);
    ASSERT_EQ(v.size(), 16u);  // cell, position, ten values, tempo, four
    EXPECT_EQ(v[0], compiler::cella_di(s[0]));
    EXPECT_EQ(v[1], (compiler::cella_di(s[0]) - 1) * 50);
    for (std::size_t k = 1; k <= 9; ++k) EXPECT_EQ(v[1 + k], s[k]) << k;
    // "tempo" is kept for sx 2 alone, raised to 101 from 1 to 100.
    std::int64_t tempo = s[10] >= 1 && s[10] <= 100 ? 101 : s[10];
    if (s[1] != 2) tempo = 0;
    EXPECT_EQ(v[11], tempo & 0xFF);
  }

  const auto cartelli =
      righe_di(righe_linea(), source::record_caratteristiche(),
               source::record::indicatori_v_max);
  const std::vector<std::string> indicatori =
      sezione(r, "Indicatori di velocità massima:");
  ASSERT_EQ(cartelli.size(), 71u);
  ASSERT_EQ(indicatori.size(), 1 + 71 + 1u);
  for (std::size_t i = 0; i < cartelli.size(); ++i) {
    SCOPED_TRACE(indicatori[1 + i]);
    const std::vector<std::int32_t>& b = cartelli[i].numeri;
    const std::vector<std::int64_t> v = numeri(indicatori[1 + i]);
    ASSERT_EQ(v.size(), 14u);  // cell, position, eight values, four fields
    EXPECT_EQ(v[1], (compiler::cella_di(b[0]) - 1) * 50);
    for (std::size_t k = 1; k <= 8; ++k) EXPECT_EQ(v[1 + k], b[k]) << k;
  }
}

// The line speed and gradient rows of the sources hold over the runs the
// profile lists, and the kilometre references come in route order with the
// values their rows give.
TEST_F(IspezionaPredefinitoTest, ProfileAndReferencesAgreeWithTheSources) {
  const uscita u = esegui(
      {"inspect", "--json", "--profilo", "--progressive", "--folder", d()});
  ASSERT_EQ(u.stato, stato_ok) << u.err;
  const json j = json::parse(u.out);
  const nlohmann::ordered_json in_ordine = nlohmann::ordered_json::parse(u.out);
  std::vector<std::string> chiavi;
  for (const auto& [k, v] : in_ordine.items()) chiavi.push_back(k);
  EXPECT_EQ(chiavi, (std::vector<std::string>{
                        "linea", "treno", "lunghezza_percorso",
                        "sorgenti_piu_recenti", "progressive", "profilo"}));
  const json& profilo = j.at("profilo");
  ASSERT_FALSE(profilo.empty());
  EXPECT_EQ(profilo.front().at("da"), 0);
  EXPECT_EQ(profilo.back().at("a"), 6321 * 50);
  for (std::size_t i = 1; i < profilo.size(); ++i) {
    ASSERT_EQ(profilo[i].at("da"), profilo[i - 1].at("a")) << i;
  }
  auto tratto_a = [&](std::int64_t metro) -> const json& {
    for (const json& t : profilo) {
      if (t.at("da") <= metro && metro < t.at("a")) return t;
    }
    return profilo.back();
  };
  struct fila {
    std::vector<riga_letta::lettura> righe;
    const char* campo;
  };
  const fila file[] = {
      {righe_di(righe_treno(), source::record_treno(),
                source::record::velocita),
       "velocita"},
      {righe_di(righe_linea(), source::record_caratteristiche(),
                source::record::pendenza),
       "pendenza"},
  };
  for (const fila& f : file) {
    ASSERT_FALSE(f.righe.empty());
    for (const riga_letta::lettura& l : f.righe) {
      SCOPED_TRACE(std::string(f.campo) + " at " + std::to_string(l.numeri[0]));
      EXPECT_EQ(tratto_a(l.numeri[0]).at(f.campo), l.numeri[1]);
    }
  }

  const json& p = j.at("progressive");
  ASSERT_EQ(p.size(), 3u);
  std::vector<std::vector<std::int32_t>> sorgente;
  for (const auto& l : righe_di(righe_linea(), source::record_generali(),
                                source::record::progressiva_uno))
    sorgente.push_back(l.numeri);
  for (const auto& l : righe_di(righe_linea(), source::record_generali(),
                                source::record::progressiva_due))
    sorgente.push_back(l.numeri);
  for (const auto& l : righe_di(righe_linea(), source::record_generali(),
                                source::record::progressiva_tre))
    sorgente.push_back(l.numeri);
  std::sort(sorgente.begin(), sorgente.end());
  ASSERT_EQ(sorgente.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(p[i].at("inizio"), sorgente[i][0]);
    EXPECT_EQ(p[i].at("valore_sorgente"), sorgente[i][1]);
    EXPECT_EQ(p[i].at("decrescente"), sorgente[i][2] == 1);
  }
  const uscita t = esegui({"inspect", "--progressive", "--folder", d()});
  EXPECT_NE(t.out.find("  dal metro    24000  km 219+100 decrescente  (voce "
                       "83; nella sorgente 219000"),
            std::string::npos)
      << t.out;
  EXPECT_NE(t.out.find("  dal metro   108000  km -107+000 crescente  (voce "
                       "82)\n"),
            std::string::npos);
}

// A restriction's cells read back as one restriction: its start, end and
// length, speed, f_tt and d_v, the warning point and the countdown.
TEST(IspezionaTest, RestrictionsReadBackFromTheirCells) {
  struct caso {
    const char* riga;  // the train source's "rallentamento" row
    const char* atteso;
  };
  const caso casi[] = {
      {"rallentamento, 6000, 60, 500, 1, 0, 0",
       "       6000       6500       500    60     1     0       4800  no"},
      {"rallentamento, 6000, 60, 500, 1, 1, 7",
       "       6000       6500       500    60     1     7       4800  sì"},
      {"rallentamento, 1000, 30, 400, 2, 1, 0",
       "       1000       1400       400    30     2     0          -  no"},
      // The end falls into the start's cell, which keeps the start.
      {"rallentamento, 6000, 80, 10, 0, 0, 0",
       "       6000          ?         ?    80     0     0       4800  no  "
       "manca la cella di fine"},
  };
  for (const caso& k : casi) {
    SCOPED_TRACE(k.riga);
    file_prova::cartella c;
    file_prova::scrivi(
        source::nomi_file::sorgente_linea(c.percorso(), "L"),
        "[generale]\r\nlunghezza percorso,    10000\r\n[fine]\r\n");
    file_prova::scrivi(
        source::nomi_file::sorgente_treno(c.percorso(), "L", "T"),
        std::string("[generale]\r\nvelocita, 0, 100\r\n") + k.riga +
            "\r\n[fine]\r\n");
    const std::string d = port::testo_percorso(c.percorso());
    ASSERT_EQ(esegui({"compile", "--folder", d, "--route", "L", "--train", "T"})
                  .stato,
              stato_ok);
    const uscita u = esegui({"inspect", "--rallentamenti", "--folder", d,
                             "--route", "L", "--train", "T"});
    ASSERT_EQ(u.stato, stato_ok) << u.err;
    const std::vector<std::string> r = sezione(righe(u.out), "Rallentamenti:");
    ASSERT_EQ(r.size(), 3u) << u.out;  // header, the restriction, the key
    EXPECT_EQ(r[1], k.atteso);
  }
}

// Cell kinds the summary has no name for are counted one by one.
TEST(IspezionaTest, OtherCellKindsAreCountedByKind) {
  struct caso {
    std::vector<std::uint8_t> tipi;  // besides empty cells
    const char* atteso;              // nullptr: no such line
  };
  const caso casi[] = {
      {{}, nullptr},
      {{200}, "\n  altri tipi: 200 (1)\n"},
      {{7, 200, 7}, "\n  altri tipi: 7 (2) 200 (1)\n"},
  };
  for (const caso& k : casi) {
    SCOPED_TRACE(k.tipi.size());
    file_prova::cartella c;
    std::array<compiler::voce_dati, compiler::numero_voci> tabella{};
    std::vector<compiler::cella> celle(5);
    for (std::size_t i = 0; i < k.tipi.size(); ++i) {
      celle.at(i + 2).tipo_cella = k.tipi[i];
    }
    file_prova::scrivi(source::nomi_file::tabella(c.percorso(), "L", "T"),
                       compiler::codifica_tabella(tabella));
    file_prova::scrivi(source::nomi_file::celle(c.percorso(), "L", "T"),
                       compiler::codifica_celle(celle));
    const uscita u =
        esegui({"inspect", "--folder", port::testo_percorso(c.percorso()),
                "--route", "L", "--train", "T"});
    ASSERT_EQ(u.stato, stato_ok) << u.err;
    if (k.atteso == nullptr) {
      EXPECT_EQ(u.out.find("altri tipi"), std::string::npos);
    } else {
      EXPECT_NE(u.out.find(k.atteso), std::string::npos) << u.out;
    }
  }
}

// After an edit that does not compile, the compiled files are older than
// the sources: inspect says so in one line, and plot under its title.
TEST(IspezionaTest, SourcesNewerThanTheCompiledFilesArePointedOut) {
  file_prova::cartella c;
  compilati_prova::compila_piccolo(c.percorso());
  const std::string d = port::testo_percorso(c.percorso());
  const std::vector<std::string> scenario = {"--folder", d,         "--route",
                                             "Linea",    "--train", "T1"};
  auto con = [&](std::vector<std::string> a) {
    a.insert(a.end(), scenario.begin(), scenario.end());
    return a;
  };
  EXPECT_EQ(esegui(con({"inspect"})).out.find("Attenzione"), std::string::npos);

  // The compiled files and the line source a minute old, then the train
  // source edited wrong (the small scenario's compile took the sources).
  file_prova::scrivi(source::nomi_file::sorgente_linea(c.percorso(), "Linea"),
                     "[generale]\r\nlunghezza percorso, 10000\r\n[fine]\r\n");
  const auto prima =
      std::filesystem::file_time_type::clock::now() - std::chrono::minutes(1);
  for (const fs::path& p :
       {source::nomi_file::tabella(c.percorso(), "Linea", "T1"),
        source::nomi_file::celle(c.percorso(), "Linea", "T1"),
        source::nomi_file::piano(c.percorso(), "Linea"),
        source::nomi_file::sorgente_linea(c.percorso(), "Linea")}) {
    fs::last_write_time(p, prima);
  }
  const fs::path treno =
      source::nomi_file::sorgente_treno(c.percorso(), "Linea", "T1");
  file_prova::scrivi(treno, "[generale]\r\nvelocita, 0, 1o0\r\n[fine]\r\n");
  EXPECT_EQ(esegui(con({"compile"})).stato, stato_guasto_compilazione);

  const uscita u = esegui(con({"inspect"}));
  ASSERT_EQ(u.stato, stato_ok) << u.err;
  const std::vector<std::string> r = righe(u.out);
  ASSERT_GE(r.size(), 2u);
  EXPECT_EQ(r[1],
            "Attenzione: Linea_T1-.txt è più recente dei file compilati, che "
            "non ne mostrano le modifiche (l'ultima compilazione è fallita o "
            "non è stata fatta)");
  const json j = json::parse(esegui(con({"inspect", "--json"})).out);
  EXPECT_EQ(j.at("sorgenti_piu_recenti"),
            (std::vector<std::string>{"Linea_T1-.txt"}));
  const uscita disegno = esegui(con({"plot"}));
  ASSERT_EQ(disegno.stato, stato_ok);
  EXPECT_EQ(disegno.err, "scenario: " + r[1] + "\n");
  EXPECT_NE(file_prova::leggi(c.percorso() / "Linea_T1.svg")
                .find("Attenzione: Linea_T1-.txt è più recente"),
            std::string::npos);

  // Both sources newer.
  fs::last_write_time(source::nomi_file::sorgente_linea(c.percorso(), "Linea"),
                      std::filesystem::file_time_type::clock::now());
  EXPECT_NE(esegui(con({"inspect", "--segnali"}))
                .out.find("Attenzione: Linea_linea.txt e Linea_T1-.txt sono "
                          "più recenti"),
            std::string::npos);
}

TEST(IspezionaTest, PointsGoWithTheWholeJsonOnly) {
  file_prova::cartella c;
  compilati_prova::compila_piccolo(c.percorso());
  const std::string d = port::testo_percorso(c.percorso());
  const uscita u = esegui({"inspect", "--json", "--points", "--segnali",
                           "--folder", d, "--route", "Linea", "--train", "T1"});
  EXPECT_EQ(u.stato, stato_uso);
  EXPECT_NE(u.err.find("--points va senza la scelta di una parte"),
            std::string::npos)
      << u.err;
}
