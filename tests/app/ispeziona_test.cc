// The inspect command on real compiled files: the scenario's own files agree
// with what its content states, the JSON reads back as the decoded model,
// texts keep every byte, and a missing or damaged file is named with the
// byte and the reason.
#include "app/ispeziona.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "app/avvio.h"
#include "app/stato_uscita.h"
#include "compiler/arrotonda.h"
#include "compiler/decodifica.h"
#include "compiler/file_compilati.h"
#include "content/dati_linea.h"
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
  EXPECT_NE(u.out.find("\nStations: 56, slots 1 to 56\n"), std::string::npos);
  const std::vector<std::string> righe_stazioni = sezione(r, "Stations:");
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
  EXPECT_NE(u.out.find("\nBoard texts: 22, slots 80 down to 59\n"),
            std::string::npos);
  const std::vector<std::string> righe_cartelli = sezione(r, "Board texts:");
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
    EXPECT_EQ(parola, "cell");
    EXPECT_EQ(letta, cella);
    // Where the board's cell stands, on the 50 m step.
    EXPECT_EQ(posizione, (cella - 1) * 50);
    EXPECT_TRUE(finisce_con(riga, "\"" + cartelli[i].testo + "\""));
  }

  for (const char* atteso : {
           "  length 309000 m (slot 84)\n",
           "  6321 cells of 50 m, 0 to 6320, as a compile of that length "
           "writes\n",
           "stamp 610; weighted code 35477, as the identifiers give\n",
           "  cell 1: stamp 5121; plain code 2549, as the identifiers give\n",
           "  84 totals: braked mass 125 %, route length 309000 m, 8 "
           "coaches\n",
           "  86 train \"Kv4417\": signal repetition 10400 .. 309000 m, 4 "
           "codes; sand 300; start clock 17:24:30\n",
           "    1 signals: 164\n",
           "    6 speed indicator boards: 71\n",
           "   14 lineside boards: 22\n",
           "Mountain sections: 25\n",
           "  first point metre 0: x 0.0, y 0.0\n",
       }) {
    EXPECT_NE(u.out.find(atteso), std::string::npos) << atteso;
  }
  EXPECT_EQ(u.out.find("other kinds"), std::string::npos);
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
  EXPECT_NE(t.out.find("\nStations: 1, slot 1\n"), std::string::npos);
  for (char b : t.out) {
    EXPECT_FALSE(static_cast<unsigned char>(b) < 0x20 && b != '\n')
        << static_cast<int>(b);
  }
  EXPECT_NE(t.out.find("\xC3\xBF\"\n"), std::string::npos);  // y diaeresis
  EXPECT_NE(t.out.find("Linea_linea.dat  absent"), std::string::npos);
  EXPECT_NE(t.out.find("\nPlan: no plan file\n"), std::string::npos);
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
  EXPECT_NE(t.out.find("\nStations: 2, slots 1 to 2\n"), std::string::npos);
  EXPECT_NE(t.out.find("\nPlan: no plan file\n"), std::string::npos);
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
  EXPECT_NE(t.out.find("  the plan has 100 metres, a compile of that length "
                       "writes 17001: it is from another compile\n"),
            std::string::npos);
  EXPECT_NE(t.out.find("  last point  metre 99: x 0.0, y 99.0\n"),
            std::string::npos);
  EXPECT_NE(t.out.find("  100 cells of 50 m, 0 to 99; a compile of that "
                       "length writes 341\n"),
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
    return t.out.substr(inizio, t.out.find(',', inizio) - inizio);
  };
  const std::string a = numero_dopo("  first point metre 0: x ");
  const std::string b = numero_dopo("  last point  metre 1: x ");
  EXPECT_EQ(a.size(), 1 + 301 + 2u) << a;
  EXPECT_EQ(a.rfind("-15000000000000000", 0), 0u) << a;
  EXPECT_EQ(b.size(), 309 + 2u) << b;
  EXPECT_EQ(b.rfind("17976931348623157", 0), 0u) << b;
  for (const std::string* x : {&a, &b}) {
    EXPECT_EQ(x->substr(x->size() - 2), ".0");
    EXPECT_EQ(x->find_first_not_of("-0123456789"), x->size() - 2);
  }
  EXPECT_NE(t.out.find(", y 0.2\n"), std::string::npos);
  EXPECT_NE(t.out.find(", y -3.0\n"), std::string::npos);
}
