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

// Round trips compare plans with ==: it must tell apart plans that differ
// in a single place.
TEST(TracciatoTest, PlansThatDifferAnywhereAreUnequal) {
  tracciato_piano a;
  a.crea(8);
  a.inizia();
  a.prosegui_curva(2, 6, 0.002);
  tracciato_piano b = a;
  ASSERT_TRUE(a == b);
  struct caso {
    const char* nome;
    void (*cambia)(tracciato_piano&);
  };
  const caso casi[] = {
      {"a coordinate",
       [](tracciato_piano& t) { t.metti_doppio(4, 1, t.valore(4, 1) + 1e-9); }},
      {"a kind", [](tracciato_piano& t) { t.metti_intero(7, 0, 0); }},
      {"an integer's value",
       [](tracciato_piano& t) { t.metti_intero(1, 1, 2); }},
      {"the length",
       [](tracciato_piano& t) {
         tracciato_piano lungo;
         lungo.crea(9);
         for (std::size_t m = 0; m < t.metri(); ++m) {
           for (int c = 0; c < 2; ++c) {
             if (t.tipo(m, c) == tipo_punto::intero) {
               lungo.metti_intero(m, c,
                                  static_cast<std::int16_t>(t.valore(m, c)));
             } else if (t.tipo(m, c) == tipo_punto::doppio) {
               lungo.metti_doppio(m, c, t.valore(m, c));
             }
           }
         }
         t = lungo;
       }},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.nome);
    tracciato_piano x = a;
    c.cambia(x);
    EXPECT_FALSE(x == a);
    EXPECT_FALSE(a == x);
  }
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
