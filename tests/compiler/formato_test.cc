#include "compiler/formato.h"

#include <gtest/gtest.h>

#include "compiler/arrotonda.h"
#include "compiler/posa.h"

namespace compiler {

TEST(FormatoTest, GridSizeInWholeNumbersAgreesWithRnd) {
  for (std::int64_t l = -9000; l <= 9000; ++l) {
    SCOPED_TRACE(l);
    ASSERT_EQ(ultima_cella_per(l),
              rnd(static_cast<double>(l + coda_percorso) / metri_cella));
  }
}

TEST(FormatoTest, FileSizesOfARoute) {
  EXPECT_EQ(byte_piano(309000), 6319964);
  EXPECT_EQ(byte_celle(309000), 94815);
  EXPECT_EQ(byte_massimi_piano, 20139964);
  EXPECT_EQ(byte_massimi_celle, 302115);
}

TEST(FormatoTest, CellUnitsDecode) {
  EXPECT_EQ(kmh_di_velocita(19), 95);
  EXPECT_EQ(kmh_di_velocita(255), 1275);
  EXPECT_EQ(pendenza_di_cella(100), 0);
  EXPECT_EQ(pendenza_di_cella(89), -11);
  EXPECT_EQ(posizione_elemento(29), 1400);
  EXPECT_EQ(inizio_tratto(120), 6000);
}

// What placement packs into a cell reads back as the row's own values,
// whenever the row holds what the packing can carry (speeds multiples of 5,
// the "d" speed below 500, single-digit "d" values and stripes, dx 0 to 2).
TEST(FormatoTest, PackedBoardsAndSignalsReadBackAsTheirRows) {
  const dati_indicatori cartelli[] = {
      {1200, 95, 95, 100, 0, 95, 95, 100, 0},
      {2000, 105, 105, 110, 2, 105, 105, 110, 1},
      {108000, 130, 130, 130, 0, 0, 0, 0, 0},
      {50, 0, 5, 1275, 9, 495, 0, 5, 9},
  };
  for (const dati_indicatori& b : cartelli) {
    SCOPED_TRACE(b.posizione);
    scenario s;
    s.celle.resize(3000);
    memo_indicatori_v_max(s, b);
    ASSERT_EQ(s.codice_errore, 0);
    const cella& c = s.celle[static_cast<std::size_t>(cella_di(b.posizione))];
    EXPECT_EQ(velocita_cartello(c.valore1), (coppia_lati{b.vas, b.vad}));
    EXPECT_EQ(velocita_cartello(c.valore2), (coppia_lati{b.vbs, b.vbd}));
    EXPECT_EQ(velocita_cartello(c.valore3), (coppia_lati{b.vcs, b.vcd}));
    EXPECT_EQ(strisce_cartello(c.valore4),
              (coppia_lati{b.strisces, b.strisced}));
  }
  const dati_segnale segnali[] = {
      {1400, 2, 3, 1, 1, 0, 2, 2, 1, 1, 0},
      {2600, 2, 2, 3, 1, 1, 2, 2, 1, 1, 208},
      {5000, 1, 4, 1, 0, 0, 0, 0, 0, 0, 0},
      {9000, 3, 9, 0, 12, 7, 0, 9, 0, 3, 0},
  };
  for (const dati_segnale& g : segnali) {
    SCOPED_TRACE(g.posizione);
    scenario s;
    s.celle.resize(3000);
    memo_segnale(s, g);
    ASSERT_EQ(s.codice_errore, 0);
    const cella& c = s.celle[static_cast<std::size_t>(cella_di(g.posizione))];
    EXPECT_EQ(coppia_segnale(c.valore1), (coppia_lati{g.s1, g.d1}));
    EXPECT_EQ(coppia_segnale(c.valore2), (coppia_lati{g.s2, g.d2}));
    EXPECT_EQ(coppia_segnale(c.valore3), (coppia_lati{g.s3, g.d3}));
    EXPECT_EQ(valore4_segnale(c.valore4), (lati_segnale{g.rapp, g.sx, g.dx}));
    // The approach code behind it carries the same sx * 3 + dx.
    EXPECT_EQ(
        s.celle[static_cast<std::size_t>(cella_di(g.posizione)) - 2].avviso,
        (g.sx * peso_sx + g.dx) * peso_codice_avviso + 1);
  }
}

// Any stored value reads back into parts that pack it again, negative
// values included.
TEST(FormatoTest, EveryPackedValueReadsBackIntoPartsThatPackItAgain) {
  for (std::int32_t v = -32768; v <= 32767; ++v) {
    const auto w = static_cast<std::int16_t>(v);
    const coppia_lati b = velocita_cartello(w);
    ASSERT_EQ(b.s * 20 + b.d / 5, v);
    ASSERT_EQ(b.d % 5, 0);
    ASSERT_TRUE(b.d >= 0 && b.d < 500) << v;
    const coppia_lati g = coppia_segnale(w);
    ASSERT_EQ(g.s * 10 + g.d, v);
    ASSERT_TRUE(g.d >= 0 && g.d <= 9) << v;
    const lati_segnale l = valore4_segnale(w);
    ASSERT_EQ(l.rapp * 10 + l.sx * 3 + l.dx, v);
    ASSERT_TRUE(l.dx >= 0 && l.dx <= 2 && l.sx >= 0 && l.sx <= 3) << v;
  }
}

}  // namespace compiler
