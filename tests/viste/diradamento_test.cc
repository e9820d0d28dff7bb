#include "viste/diradamento.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace viste {

namespace {

double distanza(const punto_pagina& a, const punto_pagina& b) {
  return std::hypot(a.x - b.x, a.y - b.y);
}

std::vector<punto_pagina> dirada(const std::vector<punto_pagina>& punti,
                                 double passo) {
  diradatore d(passo);
  for (const punto_pagina& p : punti) d.aggiungi(p);
  return d.fine();
}

}  // namespace

TEST(DiradamentoTest, ThinnedLineKeepsItsEndsAndItsSpacing) {
  // A quarter circle of radius 100 drawn with 10000 points.
  std::vector<punto_pagina> p;
  for (int i = 0; i <= 10000; ++i) {
    const double a = i * (std::numbers::pi / 2) / 10000;
    p.push_back({100 * std::cos(a), 100 * std::sin(a)});
  }
  const double l = 50 * std::numbers::pi;
  for (double passo : {0.5, 2.0, 40.0}) {
    SCOPED_TRACE(passo);
    const std::vector<punto_pagina> r = dirada(p, passo);
    ASSERT_GE(r.size(), 2u);
    EXPECT_EQ(r.front(), p.front());
    EXPECT_EQ(r.back(), p.back());
    EXPECT_LE(static_cast<double>(r.size()), 2 + l / passo);
    for (std::size_t i = 1; i + 1 < r.size(); ++i) {
      EXPECT_GE(distanza(r[i - 1], r[i]), passo);
      // No gap much wider than the step: the line keeps its shape.
      EXPECT_LT(distanza(r[i - 1], r[i]), passo + 0.02);
    }
  }
}

TEST(DiradamentoTest, ThinnedLineOfOneOrNoPoint) {
  EXPECT_TRUE(dirada({}, 1).empty());
  const std::vector<punto_pagina> uno = {{3, 4}};
  EXPECT_EQ(dirada(uno, 1), uno);
  const std::vector<punto_pagina> fermi(100, punto_pagina{3, 4});
  EXPECT_EQ(dirada(fermi, 1).size(), 2u);
}

TEST(DiradamentoTest, ThinningStartsAfreshAfterEachLine) {
  diradatore d(1);
  for (double x : {0.0, 0.5, 2.0, 2.2}) d.aggiungi({x, 0});
  EXPECT_EQ(d.fine(), (std::vector<punto_pagina>{{0, 0}, {2, 0}, {2.2, 0}}));
  d.aggiungi({7, 7});
  EXPECT_EQ(d.fine(), (std::vector<punto_pagina>{{7, 7}}));
  EXPECT_TRUE(d.fine().empty());
}

TEST(DiradamentoTest, StepLineOfWellSeparatedRuns) {
  const std::vector<gradino> g = {{0, 10}, {5, 20}, {7, 20}, {8, 15}};
  const std::vector<punto_pagina> atteso = {{0, 10}, {5, 10}, {5, 20}, {7, 20},
                                            {8, 20}, {8, 15}, {9, 15}};
  EXPECT_EQ(linea_a_gradini(g, 9, 0.5), atteso);
  EXPECT_TRUE(linea_a_gradini({}, 9, 0.5).empty());
}

TEST(DiradamentoTest, StepLineDrawsACrowdedColumnAsOneStroke) {
  // 1000 runs inside one column between x 10 and 10.4, then one more.
  std::vector<gradino> g = {{0, 50}};
  for (int i = 0; i < 1000; ++i) {
    g.push_back({10 + i * 0.0004, (i % 2 == 0) ? 20.0 : 80.0 + i % 7});
  }
  g.push_back({30, 40});
  const std::vector<punto_pagina> p = linea_a_gradini(g, 40, 0.5);
  const std::vector<punto_pagina> atteso = {
      {0, 50},         {10, 50},        {10, 20}, {10, 86},
      {10, g[1000].y}, {30, g[1000].y}, {30, 40}, {40, 40}};
  EXPECT_EQ(p, atteso);
}

TEST(DiradamentoTest, MarksKeepTheFirstOfEachColumn) {
  const std::vector<double> x = {0.1, 0.2, 0.6, 1.4, 1.6, 1.9};
  EXPECT_EQ(segni_per_colonna(x, 0.5),
            (std::vector<double>{0.1, 0.6, 1.4, 1.6}));
  EXPECT_TRUE(segni_per_colonna({}, 0.5).empty());
}

TEST(DiradamentoTest, SpansCloserThanAColumnMerge) {
  const std::vector<intervallo> t = {{0, 1}, {1.2, 2}, {2.4, 2.5}, {3, 4}};
  EXPECT_EQ(unisci_intervalli(t, 0.5),
            (std::vector<intervallo>{{0, 2.5}, {3, 4}}));
}

}  // namespace viste
