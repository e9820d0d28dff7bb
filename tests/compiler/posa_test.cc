#include "compiler/posa.h"

#include <gtest/gtest.h>

#include <string>

namespace compiler {

namespace {

scenario con_celle(std::size_t n) {
  scenario s;
  s.celle.resize(n);
  return s;
}

// "index:kind/v1/v2/v3/v4/tempo/avviso/montagna" for every cell that is not
// all zero, so a test compares the whole grid at once.
std::string disegna(const scenario& s) {
  std::string out;
  for (std::size_t i = 0; i < s.celle.size(); ++i) {
    const cella& c = s.celle[i];
    if (c == cella{}) continue;
    out += std::to_string(i) + ":" + std::to_string(c.tipo_cella) + "/" +
           std::to_string(c.valore1) + "/" + std::to_string(c.valore2) + "/" +
           std::to_string(c.valore3) + "/" + std::to_string(c.valore4) + "/" +
           std::to_string(c.tempo_segnale) + "/" + std::to_string(c.avviso) +
           "/" + std::to_string(c.tipo_montagna) + " ";
  }
  return out;
}

std::string montagne(const scenario& s, std::size_t da, std::size_t a) {
  std::string out;
  for (std::size_t i = da; i <= a; ++i) {
    out += std::to_string(s.celle[i].tipo_montagna);
    if (s.celle[i].tipo_cella == 11) out += "*";
    out += " ";
  }
  return out;
}

}  // namespace

TEST(PosaTest, MountainSections) {
  struct caso {
    const char* nome;
    std::vector<dati_montagna> sezioni;
    std::size_t da, a;
    std::string atteso;
  };
  const caso casi[] = {
      {"type 12 marks every fourth empty cell",
       {{10650, 11150, 12}},
       212,
       223,
       "0 2 2 2 2* 2 2 2 2* 2 2 0 "},
      {"type 2 has no marks",
       {{10650, 11150, 2}},
       212,
       223,
       "0 2 2 2 2 2 2 2 2 2 2 0 "},
      {"start 150 m after the previous end is type 3, marks kept",
       {{1000, 2000, 2}, {2150, 2500, 14}},
       42,
       50,
       "0 3 3 3 3* 3 3 3 0 "},
      {"start 151 m after keeps its own type",
       {{1000, 2000, 2}, {2151, 2500, 4}},
       42,
       50,
       "0 4 4 4 4 4 4 4 0 "},
      {"a start before the previous end is type 3",
       {{5000, 6000, 1}, {2000, 2200, 5}},
       39,
       44,
       "0 3 3 3 3 0 "},
      {"1000 to 1050 touches cell 20 only",
       {{1000, 1050, 7}},
       19,
       21,
       "0 7 0 "},
      {"1000 to 1000 touches nothing", {{1000, 1000, 7}}, 19, 21, "0 0 0 "},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.nome);
    scenario s = con_celle(400);
    for (const auto& m : c.sezioni) memo_montagna(s, m);
    EXPECT_EQ(montagne(s, c.da, c.a), c.atteso);
    EXPECT_EQ(s.numero_montagne, static_cast<int>(c.sezioni.size()));
    EXPECT_EQ(s.codice_errore, 0);
  }
}

TEST(PosaTest, MountainMarkOnlyOnEmptyCellsAndClippedToTheGrid) {
  scenario s = con_celle(400);
  s.celle[216].tipo_cella = 1;
  memo_montagna(s, {10650, 11150, 12});
  EXPECT_EQ(s.celle[216].tipo_cella, 1);
  EXPECT_EQ(s.celle[216].tipo_montagna, 2);
  EXPECT_EQ(s.celle[220].tipo_cella, 11);

  // A section running past both ends of a 10-cell grid (cells -4 to 39)
  // writes only 0..9, and its marks stay at the 4th, 8th... cell counted
  // from its start: cells 3 and 7.
  scenario t = con_celle(10);
  memo_montagna(t, {-200, 2000, 13});
  EXPECT_EQ(montagne(t, 0, 9), "3 3 3 3* 3 3 3 3* 3 3 ");
}

TEST(PosaTest, Signals) {
  struct caso {
    const char* nome;
    dati_segnale g;
    std::string atteso;
  };
  const caso casi[] = {
      {"row 1400",
       {1400, 2, 3, 1, 1, 0, 2, 2, 1, 1, 0},
       "21:0/0/0/0/0/0/84/0 23:0/0/0/0/0/0/83/0 25:0/0/0/0/0/0/82/0 "
       "27:0/0/0/0/0/0/81/0 29:1/32/11/11/8/0/0/0 "},
      {"rapp 1 and tempo 208",
       {2600, 2, 2, 3, 1, 1, 2, 2, 1, 1, 208},
       "45:0/0/0/0/0/0/84/0 47:0/0/0/0/0/0/83/0 49:0/0/0/0/0/0/82/0 "
       "51:0/0/0/0/0/0/81/0 53:1/22/31/11/18/208/0/0 "},
      {"tempo 50 becomes 101 with sx 2",
       {2600, 2, 2, 3, 1, 0, 2, 2, 1, 1, 50},
       "45:0/0/0/0/0/0/84/0 47:0/0/0/0/0/0/83/0 49:0/0/0/0/0/0/82/0 "
       "51:0/0/0/0/0/0/81/0 53:1/22/31/11/8/101/0/0 "},
      {"sx 1 keeps no tempo; approach codes follow sx*3+dx",
       {2600, 1, 2, 3, 1, 0, 0, 2, 1, 1, 50},
       "45:0/0/0/0/0/0/34/0 47:0/0/0/0/0/0/33/0 49:0/0/0/0/0/0/32/0 "
       "51:0/0/0/0/0/0/31/0 53:1/22/31/11/3/0/0/0 "},
      {"approach cells before cell 0 are skipped",
       {0, 2, 4, 0, 0, 0, 2, 1, 0, 0, 0},
       "1:1/41/0/0/8/0/0/0 "},
      {"approach codes wrap at 256: 271 is 15",
       {1400, 9, 0, 0, 0, 0, 0, 0, 0, 0, 0},
       "21:0/0/0/0/0/0/18/0 23:0/0/0/0/0/0/17/0 25:0/0/0/0/0/0/16/0 "
       "27:0/0/0/0/0/0/15/0 29:1/0/0/0/27/0/0/0 "},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.nome);
    scenario s = con_celle(100);
    memo_segnale(s, c.g);
    EXPECT_EQ(s.codice_errore, 0);
    EXPECT_EQ(disegna(s), c.atteso);
  }
}

TEST(PosaTest, SignalTakesAMountainMarkButNotABoard) {
  scenario s = con_celle(100);
  s.celle[29].tipo_cella = 11;
  memo_segnale(s, {1400, 2, 3, 1, 1, 0, 2, 2, 1, 1, 0});
  EXPECT_EQ(s.codice_errore, 0);
  EXPECT_EQ(s.celle[29].tipo_cella, 1);

  scenario t = con_celle(100);
  t.celle[29].tipo_cella = 14;
  const std::string prima = disegna(t);
  memo_segnale(t, {1400, 2, 3, 1, 1, 0, 2, 2, 1, 1, 0});
  EXPECT_EQ(t.codice_errore, 16);
  EXPECT_EQ(disegna(t), prima);
}

TEST(PosaTest, SpeedIndicatorBoards) {
  struct caso {
    const char* nome;
    dati_indicatori b;
    std::string atteso;
  };
  const caso casi[] = {
      {"both sides 95 95 100",
       {1200, 95, 95, 100, 0, 95, 95, 100, 0},
       "25:6/1919/1919/2020/0/0/0/0 "},
      {"blank d side",
       {1200, 130, 130, 130, 0, 0, 0, 0, 0},
       "25:6/2600/2600/2600/0/0/0/0 "},
      {"stripes and a half rounded to even",
       {1200, 1, 1, 1, 2, 12, 17, 13, 1},
       "25:6/22/23/23/21/0/0/0 "},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.nome);
    scenario s = con_celle(100);
    memo_indicatori_v_max(s, c.b);
    EXPECT_EQ(s.codice_errore, 0);
    EXPECT_EQ(disegna(s), c.atteso);
  }
  scenario s = con_celle(100);
  s.celle[25].tipo_cella = 1;
  memo_indicatori_v_max(s, {1200, 95, 95, 100, 0, 95, 95, 100, 0});
  EXPECT_EQ(s.codice_errore, 21);
  EXPECT_EQ(s.celle[25].valore1, 0);
}

TEST(PosaTest, SpeedRestrictions) {
  struct caso {
    const char* nome;
    dati_rallentamento r;
    std::string atteso;
  };
  const caso casi[] = {
      {"x 12000 v 60 l 1000 with countdown",
       {12000, 60, 1000, 1, 1, 0},
       "213:5/4/0/0/0/0/0/0 214:5/3/0/0/0/0/0/0 215:5/2/0/0/0/0/0/0 "
       "216:5/1/0/0/0/0/0/0 217:4/60/0/0/0/0/0/0 241:3/60/0/1/0/0/0/0 "
       "261:2/60/0/1/0/0/0/0 "},
      {"d_v numbers the countdown in valore2 too",
       {12000, 60, 1000, 1, 1, 7},
       "213:5/4/4/0/0/0/0/0 214:5/3/3/0/0/0/0/0 215:5/2/2/0/0/0/0/0 "
       "216:5/1/1/0/0/0/0/0 217:4/60/7/0/0/0/0/0 241:3/60/7/1/0/0/0/0 "
       "261:2/60/7/1/0/0/0/0 "},
      {"x 1500: neither warning nor countdown",
       {1500, 30, 100, 0, 1, 0},
       "31:3/30/0/0/0/0/0/0 33:2/30/0/0/0/0/0/0 "},
      {"x 1501: warning 7, countdown 6 to 3",
       {1501, 30, 100, 0, 1, 0},
       "3:5/4/0/0/0/0/0/0 4:5/3/0/0/0/0/0/0 5:5/2/0/0/0/0/0/0 "
       "6:5/1/0/0/0/0/0/0 7:4/30/0/0/0/0/0/0 31:3/30/0/0/0/0/0/0 "
       "33:2/30/0/0/0/0/0/0 "},
      {"x 1825: warning at half a cell rounds to 14",
       {1825, 30, 0, 0, 1, 0},
       "10:5/4/0/0/0/0/0/0 11:5/3/0/0/0/0/0/0 12:5/2/0/0/0/0/0/0 "
       "13:5/1/0/0/0/0/0/0 14:4/30/0/0/0/0/0/0 38:3/30/0/0/0/0/0/0 "},
      {"speed and d_v keep their low 16 bits",
       {1000, 65536 + 40, 50, 0, 0, 65536},
       "21:3/40/0/0/0/0/0/0 22:2/40/0/0/0/0/0/0 "},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.nome);
    scenario s = con_celle(300);
    memo_rallentamento(s, c.r);
    EXPECT_EQ(s.codice_errore, 0);
    EXPECT_EQ(disegna(s), c.atteso);
  }
}

TEST(PosaTest, SpeedRestrictionClashes) {
  struct caso {
    const char* nome;
    std::size_t occupata;
    std::int32_t errore;
    bool griglia_invariata;
  };
  const caso casi[] = {
      {"warning cell", 217, 17, true},
      {"start cell", 241, 18, true},
      {"end cell", 261, 19, true},
      {"fourth countdown cell", 213, 20, false},
      {"first countdown cell", 216, 20, false},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.nome);
    scenario s = con_celle(300);
    s.celle[c.occupata].tipo_cella = 1;
    const std::string prima = disegna(s);
    memo_rallentamento(s, {12000, 60, 1000, 1, 1, 0});
    EXPECT_EQ(s.codice_errore, c.errore);
    if (c.griglia_invariata) {
      EXPECT_EQ(disegna(s), prima);
    } else {
      // Start, end and warning cells stay written; no countdown cell.
      EXPECT_EQ(s.celle[241].tipo_cella, 3);
      EXPECT_EQ(s.celle[261].tipo_cella, 2);
      EXPECT_EQ(s.celle[217].tipo_cella, 4);
      for (std::size_t i = 213; i <= 216; ++i) {
        EXPECT_NE(s.celle[i].tipo_cella, 5) << i;
      }
    }
  }
}

TEST(PosaTest, StartAndEndInOneCellEndsAsStart) {
  scenario s = con_celle(100);
  memo_rallentamento(s, {1000, 50, 10, 3, 0, 0});
  EXPECT_EQ(disegna(s), "21:3/50/0/3/0/0/0/0 ");
}

}  // namespace compiler
