#include "viste/riepilogo.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "compiler/file_compilati.h"

namespace viste {

namespace {

compiler::cella di_tipo(compiler::tipo t, std::int16_t valore1 = 0) {
  compiler::cella c;
  c.tipo_cella = static_cast<std::uint8_t>(t);
  c.valore1 = valore1;
  return c;
}

}  // namespace

TEST(RiepilogoTest, BoardCellsTellBoardTextsFromStations) {
  file_compilati_letti f;
  f.celle.assign(10, compiler::cella{});
  f.celle[3] = di_tipo(compiler::tipo::cartello, 80);
  f.celle[5] = di_tipo(compiler::tipo::cartello, 79);
  f.celle[6] =
      di_tipo(compiler::tipo::cartello, 80);  // a second cell of slot 80
  f.celle[7] = di_tipo(compiler::tipo::cartello, 81);  // not a board text slot
  f.celle[8] = di_tipo(compiler::tipo::cartello, 0);
  f.celle[0] =
      di_tipo(compiler::tipo::cartello, 78);  // cell 0 counts as any other
  for (std::size_t k : {1u, 2u, 40u})
    f.tabella[k].testo = "S" + std::to_string(k);
  f.tabella[3].valore_c = 500;  // a station without a name is a station
  f.tabella[78].testo = "(C)";
  f.tabella[79].testo = "(B)";
  f.tabella[80].testo = "(A)";
  f.tabella[0].categoria = 1;  // slot 0 is never a station
  const riepilogo r = riassumi(f);

  EXPECT_EQ(r.stazioni, (std::vector<std::size_t>{1, 2, 3, 40}));
  ASSERT_EQ(r.cartelli.size(), 3u);
  EXPECT_EQ(r.cartelli[0].voce, 80u);
  EXPECT_EQ(r.cartelli[0].cella, 3u);
  EXPECT_EQ(r.cartelli[1].voce, 79u);
  EXPECT_EQ(r.cartelli[1].cella, 5u);
  EXPECT_EQ(r.cartelli[2].voce, 78u);
  EXPECT_EQ(r.cartelli[2].cella, 0u);
  EXPECT_EQ(r.ruoli[0], ruolo_voce::non_usata);
  EXPECT_EQ(r.ruoli[4], ruolo_voce::non_usata);
  EXPECT_EQ(r.ruoli[40], ruolo_voce::stazione);
  EXPECT_EQ(r.ruoli[79], ruolo_voce::testo_cartello);
  EXPECT_EQ(r.ruoli[81], ruolo_voce::progressiva);
  EXPECT_EQ(r.ruoli[83], ruolo_voce::progressiva);
  EXPECT_EQ(r.ruoli[84], ruolo_voce::totali);
  EXPECT_EQ(r.ruoli[85], ruolo_voce::linea);
  EXPECT_EQ(r.ruoli[86], ruolo_voce::treno);
}

TEST(RiepilogoTest, CountsKindsAndJoinsMountainCells) {
  file_compilati_letti f;
  const std::uint8_t tipi[] = {0, 2, 2, 0, 1, 1, 3, 3, 0, 255};
  for (std::uint8_t t : tipi) {
    compiler::cella c;
    c.tipo_montagna = t == 255 ? 0 : t;
    c.tipo_cella =
        t == 255 ? 200 : static_cast<std::uint8_t>(compiler::tipo::vuota);
    f.celle.push_back(c);
  }
  f.celle[4].tipo_cella =
      static_cast<std::uint8_t>(compiler::tipo::segno_montagna);
  const riepilogo r = riassumi(f);
  EXPECT_EQ(r.celle_per_tipo[0], 8u);
  EXPECT_EQ(r.celle_per_tipo[11], 1u);
  EXPECT_EQ(r.celle_per_tipo[200], 1u);
  ASSERT_EQ(r.montagne.size(), 3u);
  const std::size_t attese[][3] = {{1, 2, 2}, {4, 5, 1}, {6, 7, 3}};
  for (std::size_t i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(r.montagne[i].prima_cella, attese[i][0]);
    EXPECT_EQ(r.montagne[i].ultima_cella, attese[i][1]);
    EXPECT_EQ(r.montagne[i].tipo, attese[i][2]);
  }
}

TEST(RiepilogoTest, PlanExtentCountsOnlyWholeFinitePoints) {
  file_compilati_letti f;
  compiler::tracciato_piano t;
  t.crea(6);
  // Metre 0 empty; 1 to 5 full but for a missing y at 3 and a NaN at 4;
  // metre 6 empty.
  const double x[] = {0, 1, -5, 9, 100, 2, 0};
  const double y[] = {0,  1, 3, 9, std::numeric_limits<double>::quiet_NaN(),
                      -4, 0};
  for (std::size_t m = 1; m <= 5; ++m) {
    t.metti_doppio(m, 0, x[m]);
    if (m != 3) t.metti_doppio(m, 1, y[m]);
  }
  f.ha_piano = true;
  ASSERT_TRUE(f.piano.apri(compiler::codifica_piano(t)).ok());
  const riepilogo r = riassumi(f);
  const estensione_piano& e = r.piano;
  EXPECT_EQ(e.punti, 3u);
  EXPECT_EQ(e.primo.metro, 1u);
  EXPECT_EQ(e.ultimo.metro, 5u);
  EXPECT_EQ(e.ultimo.x, 2);
  EXPECT_EQ(e.ultimo.y, -4);
  EXPECT_EQ(e.x_min, -5);
  EXPECT_EQ(e.x_max, 2);
  EXPECT_EQ(e.y_min, -4);
  EXPECT_EQ(e.y_max, 3);
  EXPECT_FALSE(punto_di(f.piano, 3));
  EXPECT_FALSE(punto_di(f.piano, 4));
  EXPECT_FALSE(punto_di(f.piano, 7));
}

TEST(RiepilogoTest, SizesACompileOfTheRouteLengthWrites) {
  struct caso {
    std::int32_t lunghezza;
    std::optional<std::size_t> celle;
    std::optional<std::size_t> metri;
  };
  const caso casi[] = {
      {309000, 6321, 316001},           {0, 141, 7001},
      {1000000, 20141, 1007001},        {1000001, std::nullopt, std::nullopt},
      {-1, std::nullopt, std::nullopt},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.lunghezza);
    file_compilati_letti f;
    f.tabella[compiler::voce_totali].valore_b = c.lunghezza;
    const riepilogo r = riassumi(f);
    EXPECT_EQ(r.lunghezza, c.lunghezza);
    EXPECT_EQ(r.celle_attese, c.celle);
    EXPECT_EQ(r.metri_attesi, c.metri);
  }
}

TEST(RiepilogoTest, CodesComeFromTheIdentifiersInTheTable) {
  file_compilati_letti f;
  f.tabella[compiler::voce_linea].testo = "Vendralo";
  f.tabella[compiler::voce_treno].testo = "Kv4417";
  const riepilogo r = riassumi(f);
  EXPECT_EQ(r.codice_semplice, 2549);
  EXPECT_EQ(r.codice_pesato, 35477);
}

TEST(RiepilogoTest, FeaturePositionsAndRunStartsOfCells) {
  EXPECT_EQ(posizione_elemento(1), 0);
  EXPECT_EQ(posizione_elemento(29), 1400);
  EXPECT_EQ(posizione_elemento(0), -50);
  EXPECT_EQ(inizio_tratto(0), 0);
  EXPECT_EQ(inizio_tratto(120), 6000);
}

}  // namespace viste
