#include "compiler/formato.h"

#include <gtest/gtest.h>

#include "compiler/arrotonda.h"

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

}  // namespace compiler
