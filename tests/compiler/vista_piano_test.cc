#include "compiler/vista_piano.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <limits>

#include "compiler/file_compilati.h"

namespace compiler {

namespace {

// A plan with every kind of element, over more metres than one step of the
// index, its records of different lengths interleaved.
tracciato_piano misto(std::size_t metri) {
  tracciato_piano t;
  t.crea(metri - 1);
  for (std::size_t m = 0; m < metri; ++m) {
    for (int k = 0; k < 2; ++k) {
      const std::size_t scelta = (m * 7 + static_cast<std::size_t>(k)) % 5;
      if (scelta == 0) continue;  // empty
      if (scelta == 1) {
        t.metti_intero(m, k, static_cast<std::int16_t>(m % 30000) - 15000);
      } else if (scelta == 4) {
        t.metti_doppio(m, k, std::numeric_limits<double>::quiet_NaN());
      } else {
        t.metti_doppio(m, k, static_cast<double>(m) * 0.1 - k);
      }
    }
  }
  return t;
}

bool stesso(const elemento_piano& e, const tracciato_piano& t, std::size_t m,
            int k) {
  if (e.tipo != t.tipo(m, k)) return false;
  if (e.tipo == tipo_punto::vuoto) return true;
  const double v = t.valore(m, k);
  return std::isnan(v) ? std::isnan(e.valore) : e.valore == v;
}

}  // namespace

TEST(VistaPianoTest, EveryElementReadsAsTheDecoderReadsIt) {
  for (std::size_t metri : {1u, 2u, 63u, 64u, 65u, 1000u}) {
    SCOPED_TRACE(metri);
    const tracciato_piano t = misto(metri);
    vista_piano v;
    ASSERT_TRUE(v.apri(codifica_piano(t)).ok());
    ASSERT_EQ(v.metri(), metri);
    EXPECT_EQ(v.byte(), codifica_piano(t).size());
    for (int k = 0; k < 2; ++k) {
      // In order from a few starting metres, and one at a time.
      for (std::size_t da : {std::size_t{0}, metri / 2, metri - 1, metri}) {
        vista_piano::cursore c(v, k, da);
        for (std::size_t m = da; m < metri; ++m) {
          ASSERT_TRUE(stesso(c.prossimo(), t, m, k)) << k << " " << m;
        }
      }
      for (std::size_t m = 0; m < metri; ++m) {
        ASSERT_TRUE(stesso(v.elemento(m, k), t, m, k)) << k << " " << m;
      }
    }
    // NaN aside, the whole plan back bit for bit.
    tracciato_piano senza_nan = t;
    for (std::size_t m = 0; m < metri; ++m) {
      for (int k = 0; k < 2; ++k) {
        if (std::isnan(t.valore(m, k))) senza_nan.metti_doppio(m, k, 1.5);
      }
    }
    vista_piano w;
    ASSERT_TRUE(w.apri(codifica_piano(senza_nan)).ok());
    EXPECT_TRUE(tracciato_di(w) == senza_nan);
  }
}

TEST(VistaPianoTest, EmptyAndRefusedFilesHoldNothing) {
  vista_piano v;
  ASSERT_TRUE(v.apri(codifica_piano(misto(10))).ok());
  ASSERT_TRUE(v.apri("").ok());
  EXPECT_EQ(v.metri(), 0u);
  EXPECT_EQ(tracciato_di(v).metri(), 0u);
  ASSERT_TRUE(v.apri(codifica_piano(misto(10))).ok());
  EXPECT_FALSE(v.apri(std::string(3, '\0')).ok());
  EXPECT_EQ(v.metri(), 0u);
  EXPECT_EQ(v.byte(), 0u);
}

}  // namespace compiler
