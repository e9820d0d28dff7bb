#include "compiler/stazione.h"

#include <gtest/gtest.h>

#include <string>

namespace compiler {

namespace {

// A route of 10000 m: cells 0 .. 340. Slot 1 holds a station ending at 950.
scenario con_stazione_precedente() {
  scenario s;
  s.celle.resize(341);
  s.tabella_dati[1].valore_c = 700;
  s.tabella_dati[1].valore_b = 950;
  s.posizione_errore = -1;  // shows when a fault leaves it alone
  return s;
}

TEST(StazioneTest, TestsEveryLimitBeforeWriting) {
  struct caso {
    std::string_view nome;
    std::int32_t posizione;
    std::uint8_t categoria;
    std::int64_t lunghezza;
    std::size_t k;
    std::int64_t cartello_libero;
    esito_stazione esito;
    std::int32_t codice;
    std::int32_t posizione_errore;
    std::int64_t fermata;  // stop cell, -1 for none
  };
  using E = esito_stazione;
  const caso casi[] = {
      {"stop in cell 2", 100, 1, 100, 1, 80, E::posata, 0, -1, 2},
      {"stop in cell 1", 50, 1, 100, 1, 80, E::rifiutata, 24, -1, -1},
      {"stop in the last cell", 15950, 7, 1100, 1, 80, E::posata, 0, -1, 340},
      {"stop one past the last cell", 16000, 7, 1100, 1, 80, E::fuori_griglia,
       15, 16000, -1},
      {"exactly 350 m after the previous end", 1400, 1, 200, 2, 80, E::posata,
       0, -1, 29},
      {"349 m after the previous end", 1350, 1, 200, 2, 80, E::rifiutata, 22,
       1350, -1},
      {"slot 78 with no board", 3000, 28, 100, 78, 80, E::posata, 0, -1, -1},
      {"slot 79 with no board", 3000, 28, 100, 79, 80, E::rifiutata, 10, -1,
       -1},
      {"slot 1 with every board slot taken", 3000, 28, 100, 1, 0, E::rifiutata,
       10, -1, -1},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.nome);
    scenario s = con_stazione_precedente();
    const scenario prima = s;
    voce_dati v;
    v.valore_c = c.posizione;
    v.categoria = c.categoria;
    v.testo = "Beta";
    EXPECT_EQ(memo_stazione(s, v, c.lunghezza, c.k, c.cartello_libero).esito,
              c.esito);
    EXPECT_EQ(s.codice_errore, c.codice);
    EXPECT_EQ(s.posizione_errore, c.posizione_errore);
    if (c.esito != E::posata) {
      EXPECT_TRUE(s.celle == prima.celle);
      EXPECT_TRUE(s.tabella_dati == prima.tabella_dati);
      continue;
    }
    EXPECT_EQ(s.tabella_dati[c.k].testo, "Beta");
    for (std::size_t i = 0; i < s.celle.size(); ++i) {
      const bool fermata = static_cast<std::int64_t>(i) == c.fermata;
      EXPECT_EQ(s.celle[i].tipo_cella, fermata ? 10 : 0) << i;
      if (fermata) {
        EXPECT_EQ(s.celle[i].valore1, static_cast<int>(c.k));
      }
    }
  }
}

TEST(StazioneTest, ApproachCodesStayAfterCellOne) {
  // End at 250 m: stop cell 4; approach codes only where
  // end / 50 - n - 1 > 1, so n = 1 (cell 3) and n = 2 (cell 2).
  scenario s = con_stazione_precedente();
  voce_dati v;
  v.valore_c = 200;
  v.categoria = 1;
  const posa_stazione p = memo_stazione(s, v, 100, 1, 80);
  ASSERT_EQ(p.esito, esito_stazione::posata);
  EXPECT_EQ(p.avvisi_saltati, 2);
  std::string avvisi;
  for (std::size_t i = 0; i <= 5; ++i) {
    avvisi += std::to_string(s.celle[i].avviso) + " ";
  }
  EXPECT_EQ(avvisi, "0 0 82 81 0 0 ");
  EXPECT_EQ(s.celle[4].tipo_cella, 10);
}

}  // namespace

}  // namespace compiler
