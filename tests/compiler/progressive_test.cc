#include "compiler/progressive.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace compiler {

namespace {

using terna = std::array<std::int32_t, 3>;  // P, K, F

scenario con_progressive(terna s81, terna s82, terna s83) {
  scenario s;
  auto metti = [&](std::size_t v, terna t) {
    s.tabella_dati[v].valore_a = t[0];
    s.tabella_dati[v].valore_b = t[1];
    s.tabella_dati[v].valore_c = t[2];
  };
  metti(81, s81);
  metti(82, s82);
  metti(83, s83);
  return s;
}

std::string leggi(const scenario& s) {
  std::string out;
  for (std::size_t v = 81; v <= 83; ++v) {
    const voce_dati& d = s.tabella_dati[v];
    out += std::to_string(d.valore_a) + "," + std::to_string(d.valore_b) + "," +
           std::to_string(d.valore_c) + " ";
  }
  return out;
}

}  // namespace

TEST(ProgressiveTest, WorkedExamples) {
  struct caso {
    const char* nome;
    terna s81, s82, s83;
    std::string atteso;
  };
  const caso casi[] = {
      {"already in falling order",
       {224000, 381000, 1},
       {108000, -107000, 0},
       {24000, 219000, 1},
       "224000,381100,1 108000,-107000,0 24000,219100,1 "},
      {"given in the opposite slots",
       {24000, 219000, 1},
       {108000, -107000, 0},
       {224000, 381000, 1},
       "224000,381100,1 108000,-107000,0 24000,219100,1 "},
      {"greatest start shared",
       {5000, 1, 1},
       {5000, 2, 0},
       {1000, 3, 1},
       "0,0,0 0,0,0 0,0,0 "},
      {"equal lower starts: the higher slot goes to 82",
       {9000, 1, 0},
       {3000, 2, 0},
       {3000, 3, 0},
       "9000,1,0 3000,3,0 3000,2,0 "},
      {"no progressive rows",
       {0, 0, 0},
       {0, 0, 0},
       {0, 0, 0},
       "0,0,0 0,0,0 0,0,0 "},
      {"all starts 0: K83 positive swaps 81 and 83",
       {0, 0, 0},
       {0, 0, 0},
       {0, 7000, 1},
       "0,7100,1 0,0,0 0,0,0 "},
      {"all starts 0: K82 positive swaps 81 and 82",
       {0, 5, 0},
       {0, 9, 1},
       {0, -1, 1},
       "0,109,1 0,5,0 0,99,1 "},
      {"all starts 0: only K81 positive stays",
       {0, 5, 1},
       {0, -9, 0},
       {0, 0, 2},
       "0,105,1 0,-9,0 0,0,2 "},
      {"all starts 0 and no positive K clears",
       {0, -5, 1},
       {0, 0, 1},
       {0, -1, 1},
       "0,0,0 0,0,0 0,0,0 "},
      {"middle slot greatest",
       {100, 1, 0},
       {300, 2, 0},
       {200, 3, 0},
       "300,2,0 200,3,0 100,1,0 "},
      {"sum zero with negative starts uses K",
       {-100, 0, 0},
       {100, 0, 0},
       {0, 5, 0},
       "0,5,0 100,0,0 -100,0,0 "},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.nome);
    scenario s = con_progressive(c.s81, c.s82, c.s83);
    progressive_ordina(s);
    EXPECT_EQ(leggi(s), c.atteso);
  }
}

TEST(ProgressiveTest, SecondCallAddsOneHundredAgain) {
  scenario s = con_progressive({224000, 381000, 1}, {108000, -107000, 0},
                               {24000, 219000, 1});
  progressive_ordina(s);
  progressive_ordina(s);
  EXPECT_EQ(leggi(s), "224000,381200,1 108000,-107000,0 24000,219200,1 ");
}

}  // namespace compiler
