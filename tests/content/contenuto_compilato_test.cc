// The scenario's own line and train content compiled by the compiler: no
// fault, and the compiled model holds what the content says.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/compilazione.h"
#include "compiler/scenario.h"
#include "content/dati_linea.h"
#include "content/dati_treno.h"
#include "content/stazioni.h"
#include "source/nomi_file.h"
#include "source/record.h"
#include "tests/content/riga_letta.h"
#include "tests/file_prova.h"

namespace {

namespace fs = std::filesystem;
using riga_letta::lettura;

std::int64_t arrotonda(double x) {
  return static_cast<std::int64_t>(std::nearbyint(x));
}
std::size_t cella_di_posizione(std::int64_t posizione) {
  return static_cast<std::size_t>(
      arrotonda(static_cast<double>(posizione) / 50 + 1));
}

// The rows of one record kind, read back from the written content.
std::vector<lettura> righe_di(const std::vector<std::string>& righe,
                              std::span<const source::tipo_record> parte,
                              source::record kind) {
  std::vector<lettura> l;
  for (const std::string& riga : righe) {
    lettura r = riga_letta::leggi(riga, parte);
    if (r.errore.empty() && r.kind == kind) l.push_back(std::move(r));
  }
  return l;
}

// Writes both sources into a fresh folder that already holds longer files
// of the compiled files' names, and compiles them once for every test.
class ContenutoCompilatoTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    cartella_ = std::make_unique<file_prova::cartella>();
    const fs::path& d = cartella_->percorso();
    for (const fs::path& f :
         {source::nomi_file::piano(d, "Vendralo"),
          source::nomi_file::tabella(d, "Vendralo", "Kv4417"),
          source::nomi_file::celle(d, "Vendralo", "Kv4417")}) {
      file_prova::scrivi(f, std::string(7000000, 'x'));
    }
    s_ = std::make_unique<compiler::scenario>();
    s_->nome_linea = "Vendralo";
    s_->nome_treno = "Kv4417";
    ASSERT_TRUE(dati_linea(d, "Vendralo").ok());
    ASSERT_TRUE(dati_treno(d, "Vendralo", "Kv4417").ok());
    esito_ = compila_cartella(*s_, d, 1, false).esito;
  }
  static void TearDownTestSuite() {
    s_.reset();
    cartella_.reset();
  }

  static const fs::path& d() { return cartella_->percorso(); }
  static const compiler::scenario& s() { return *s_; }

  static std::unique_ptr<file_prova::cartella> cartella_;
  static std::unique_ptr<compiler::scenario> s_;
  static esito_cartella esito_;
};

std::unique_ptr<file_prova::cartella> ContenutoCompilatoTest::cartella_;
std::unique_ptr<compiler::scenario> ContenutoCompilatoTest::s_;
esito_cartella ContenutoCompilatoTest::esito_ = esito_cartella::errore_file;

}  // namespace

TEST_F(ContenutoCompilatoTest, CompilesWithoutFaultAndDeletesTheSources) {
  EXPECT_EQ(esito_, esito_cartella::compilato);
  EXPECT_EQ(s().codice_errore, 0);
  EXPECT_EQ(s().posizione_errore, 0);
  EXPECT_FALSE(fs::exists(source::nomi_file::sorgente_linea(d(), "Vendralo")));
  EXPECT_FALSE(
      fs::exists(source::nomi_file::sorgente_treno(d(), "Vendralo", "Kv4417")));
}

TEST_F(ContenutoCompilatoTest, CompiledFilesHaveTheirSizes) {
  EXPECT_EQ(fs::file_size(source::nomi_file::piano(d(), "Vendralo")), 6319964u);
  EXPECT_EQ(fs::file_size(source::nomi_file::celle(d(), "Vendralo", "Kv4417")),
            94815u);
  // 87 slots of 34 bytes, plus every text: the two identifiers, the station
  // names and the board texts.
  std::uintmax_t testi = std::string("Vendralo").size() + 6;
  for (const riga_stazione& st : stazioni_treno()) testi += st.nome.size();
  for (const lettura& b :
       righe_di(righe_linea(), source::record_caratteristiche(),
                source::record::cartello_indicatore)) {
    testi += b.testo.size();
  }
  EXPECT_EQ(
      fs::file_size(source::nomi_file::tabella(d(), "Vendralo", "Kv4417")),
      87u * 34u + testi);
}

TEST_F(ContenutoCompilatoTest, RouteSlotsHoldTheGeneralValues) {
  const auto& t = s().tabella_dati;
  struct caso {
    std::size_t voce;
    std::int32_t a, b, c;
  };
  // Slots 81 to 83 after ordering: already in falling order of position,
  // each increasing reference raised by 100.
  const caso casi[] = {
      {81, 224000, 381100, 1}, {82, 108000, -107000, 0}, {83, 24000, 219100, 1},
      {84, 125, 309000, 8},    {85, 1, 107500, 224000},  {86, 10400, 309000, 4},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.voce);
    EXPECT_EQ(t[c.voce].valore_a, c.a);
    EXPECT_EQ(t[c.voce].valore_b, c.b);
    EXPECT_EQ(t[c.voce].valore_c, c.c);
  }
  EXPECT_EQ(t[85].testo, "Vendralo");
  EXPECT_EQ(t[86].testo, "Kv4417");
  EXPECT_EQ(t[86].numero_1, 300);
  EXPECT_EQ(t[86].numero_3, 17);
  EXPECT_EQ(t[86].numero_4, 24);
  EXPECT_EQ(t[86].numero_5, 30);
  // Stamps, and the codes of "kv4417vendraloppqqrrssttu" worked by hand:
  // the sum of the 25 character codes, and the sum of i times each.
  EXPECT_EQ(t[85].numero_1, 610);
  EXPECT_EQ(t[85].valore_d, 35477);
  EXPECT_EQ(s().celle[1].valore1, 5121);
  EXPECT_EQ(s().celle[1].valore2, 2549);
}

TEST_F(ContenutoCompilatoTest, StationsFillSlotsOneToFiftySix) {
  const auto& t = s().tabella_dati;
  const auto stazioni = stazioni_treno();
  ASSERT_EQ(stazioni.size(), 56u);
  for (std::size_t k = 1; k <= 56; ++k) {
    const riga_stazione& st = stazioni[k - 1];
    const compiler::voce_dati& v = t[k];
    SCOPED_TRACE(st.nome);
    EXPECT_EQ(v.testo, st.nome);
    EXPECT_EQ(v.valore_c, st.posizione);
    EXPECT_EQ(v.categoria, st.categoria);
    EXPECT_EQ(v.valore_d, (st.ore * 60 + st.minuti) * 60 + st.secondi);
    const bool estesa = st.categoria == 8;
    EXPECT_EQ(v.valore_a, estesa ? st.posizione - st.lunghezza
                                 : st.posizione - st.lunghezza / 2);
    EXPECT_EQ(v.valore_b, estesa ? st.posizione + st.lunghezza
                                 : st.posizione + st.lunghezza / 2);
    // Stop point one cell before the stretch's end, for codes below 25.
    const auto fermata =
        static_cast<std::size_t>(arrotonda(v.valore_b / 50.0 - 1));
    if (st.categoria < 25) {
      EXPECT_EQ(s().celle[fermata].tipo_cella, 10);
      EXPECT_EQ(s().celle[fermata].valore1, static_cast<std::int16_t>(k));
    }
  }
  EXPECT_EQ(t[57], compiler::voce_dati{});
  EXPECT_EQ(t[58], compiler::voce_dati{});
}

TEST_F(ContenutoCompilatoTest, BoardTextsCountDownFromSlotEighty) {
  const auto cartelli =
      righe_di(righe_linea(), source::record_caratteristiche(),
               source::record::cartello_indicatore);
  ASSERT_EQ(cartelli.size(), 22u);
  for (std::size_t i = 0; i < cartelli.size(); ++i) {
    const std::size_t voce = 80 - i;
    SCOPED_TRACE(cartelli[i].testo);
    EXPECT_EQ(s().tabella_dati[voce].testo, cartelli[i].testo);
    const compiler::cella& c =
        s().celle[cella_di_posizione(cartelli[i].numeri[0])];
    EXPECT_EQ(c.tipo_cella, 14);
    EXPECT_EQ(c.valore1, static_cast<std::int16_t>(voce));
  }
}

TEST_F(ContenutoCompilatoTest, SignalCellsAreEncodedFromTheirRows) {
  const auto segnali =
      righe_di(righe_treno(), source::record_treno(), source::record::segnale);
  ASSERT_EQ(segnali.size(), 164u);
  for (const lettura& r : segnali) {
    // posizione, sx, s1, s2, s3, rapp, dx, d1, d2, d3, tempo
    const auto& v = r.numeri;
    SCOPED_TRACE(v[0]);
    const compiler::cella& c = s().celle[cella_di_posizione(v[0])];
    EXPECT_EQ(c.tipo_cella, 1);
    EXPECT_EQ(c.valore1, v[2] * 10 + v[7]);
    EXPECT_EQ(c.valore2, v[3] * 10 + v[8]);
    EXPECT_EQ(c.valore3, v[4] * 10 + v[9]);
    EXPECT_EQ(c.valore4, v[5] * 10 + v[1] * 3 + v[6]);
    // Every "tempo" here is 0 or above 100, so it is stored as it is.
    EXPECT_EQ(c.tempo_segnale, v[1] == 2 ? v[10] : 0);
  }
  int n = 0;
  for (const compiler::cella& c : s().celle) n += c.tipo_cella == 1 ? 1 : 0;
  EXPECT_EQ(n, 164);
}

TEST_F(ContenutoCompilatoTest, SpeedBoardCellsAreEncodedFromTheirRows) {
  const auto indicatori =
      righe_di(righe_linea(), source::record_caratteristiche(),
               source::record::indicatori_v_max);
  ASSERT_EQ(indicatori.size(), 71u);
  for (const lettura& r : indicatori) {
    // posizione, vas, vbs, vcs, strisces, vad, vbd, vcd, strisced
    const auto& v = r.numeri;
    SCOPED_TRACE(v[0]);
    const compiler::cella& c = s().celle[cella_di_posizione(v[0])];
    EXPECT_EQ(c.tipo_cella, 6);
    EXPECT_EQ(c.valore1, arrotonda(v[5] / 5.0 + v[1] * 20));
    EXPECT_EQ(c.valore2, arrotonda(v[6] / 5.0 + v[2] * 20));
    EXPECT_EQ(c.valore3, arrotonda(v[7] / 5.0 + v[3] * 20));
    EXPECT_EQ(c.valore4, v[4] * 10 + v[8]);
  }
  int n = 0;
  for (const compiler::cella& c : s().celle) n += c.tipo_cella == 6 ? 1 : 0;
  EXPECT_EQ(n, 71);
  // The first board, worked by hand: 95/5 + 95*20, 100/5 + 100*20.
  const compiler::cella& prima = s().celle[25];
  EXPECT_EQ(prima.valore1, 1919);
  EXPECT_EQ(prima.valore3, 2020);
  // A board with its right side blank: 130*20.
  EXPECT_EQ(s().celle[108000 / 50 + 1].valore1, 2600);
}
