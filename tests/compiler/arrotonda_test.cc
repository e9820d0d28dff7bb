#include "compiler/arrotonda.h"

#include <gtest/gtest.h>

#include <optional>

#include "compiler/scenario.h"

namespace compiler {

TEST(ArrotondaTest, HalvesGoToTheEvenNeighbour) {
  struct caso {
    double x;
    std::int64_t atteso;
  };
  const caso casi[] = {{0.5, 0},
                       {1.5, 2},
                       {2.5, 2},
                       {3.5, 4},
                       {-0.5, 0},
                       {-1.5, -2},
                       {-2.5, -2},
                       {0.49, 0},
                       {0.51, 1},
                       {-0.51, -1},
                       {7.0, 7},
                       {-7.0, -7},
                       {1e12 + 0.5, 1000000000000}};
  for (const caso& c : casi) {
    SCOPED_TRACE(c.x);
    EXPECT_EQ(rnd(c.x), c.atteso);
  }
}

TEST(ArrotondaTest, PositionToCell) {
  struct caso {
    std::int64_t metri;
    std::int64_t cella;
  };
  // 25 m: 1.5 -> 2; 75 m: 2.5 -> 2; 125 m: 3.5 -> 4.
  const caso casi[] = {{0, 1},   {25, 2},    {50, 2},  {75, 2},
                       {125, 4}, {1400, 29}, {-25, 0}, {-75, 0}};
  for (const caso& c : casi) {
    SCOPED_TRACE(c.metri);
    EXPECT_EQ(cella_di(c.metri), c.cella);
  }
}

TEST(ArrotondaTest, GridSizeFromRouteLength) {
  EXPECT_EQ(ultima_cella_per(309000), 6320);
  EXPECT_EQ(ultima_cella_per(1000000), 20140);
  EXPECT_EQ(ultima_cella_per(0), 140);
  // 7025 / 50 = 140.5 -> 140; 7075 / 50 = 141.5 -> 142.
  EXPECT_EQ(ultima_cella_per(25), 140);
  EXPECT_EQ(ultima_cella_per(75), 142);
}

TEST(TracciatoTest, PlanTableCoversEveryMetreEmpty) {
  tracciato_piano t;
  EXPECT_FALSE(t.esiste());
  t.crea(309000 + 7000);
  EXPECT_EQ(t.metri(), 316001u);
  EXPECT_EQ(t.tipo(316000, 1), tipo_punto::vuoto);
  t.metti_intero(1, 1, 1);
  t.metti_doppio(2, 0, 0.25);
  EXPECT_EQ(t.tipo(1, 1), tipo_punto::intero);
  EXPECT_EQ(t.valore(1, 1), 1.0);
  EXPECT_EQ(t.tipo(2, 0), tipo_punto::doppio);
  EXPECT_EQ(t.tipo(2, 1), tipo_punto::vuoto);
}

TEST(ScenarioTest, FreeCellsAreEmptyOrMountainMarks) {
  for (int k = 0; k < 256; ++k) {
    cella c;
    c.tipo_cella = static_cast<std::uint8_t>(k);
    SCOPED_TRACE(k);
    EXPECT_EQ(libera(c), k == 0 || k == 11);
  }
}

}  // namespace compiler
