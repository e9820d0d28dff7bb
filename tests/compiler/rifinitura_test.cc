#include "compiler/rifinitura.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace compiler {

namespace {

struct posto {
  std::size_t indice;
  std::uint8_t tipo_cella;
  std::int16_t valore1 = 0;
};

// Kinds used below, by their file numbers.
constexpr std::uint8_t SEG = 1;   // signal
constexpr std::uint8_t FINE = 2;  // restriction end
constexpr std::uint8_t INI = 3;   // restriction start
constexpr std::uint8_t AVV = 4;   // warning point
constexpr std::uint8_t MON = 11;  // mountain mark (free)
constexpr std::uint8_t ABB = 12;  // abatement mark
constexpr std::uint8_t NUL = 13;  // abatement of speed 0
constexpr std::uint8_t CAR = 14;  // lineside board

scenario con_celle(std::size_t n, const std::vector<posto>& posti) {
  scenario s;
  s.celle.resize(n);
  s.celle.shrink_to_fit();  // a read past the end is then a heap overflow
  for (const posto& p : posti) {
    s.celle[p.indice].tipo_cella = p.tipo_cella;
    s.celle[p.indice].valore1 = p.valore1;
  }
  return s;
}

// "index:kind/valore1" for every cell that is not empty.
std::string disegna(const scenario& s) {
  std::string out;
  for (std::size_t i = 0; i < s.celle.size(); ++i) {
    const cella& c = s.celle[i];
    if (c.tipo_cella == 0 && c.valore1 == 0) continue;
    if (!out.empty()) out += " ";
    out += std::to_string(i) + ":" + std::to_string(c.tipo_cella) + "/" +
           std::to_string(c.valore1);
  }
  return out;
}

struct caso {
  const char* nome;
  std::size_t celle;
  std::vector<posto> posti;
  std::string atteso;
  std::int32_t codice = 0;
  std::int32_t posizione = 0;
};

void verifica(const caso& c) {
  SCOPED_TRACE(c.nome);
  scenario s = con_celle(c.celle, c.posti);
  rifinitura(s);
  EXPECT_EQ(disegna(s), c.atteso);
  EXPECT_EQ(s.codice_errore, c.codice);
  EXPECT_EQ(s.posizione_errore, c.posizione);
}

}  // namespace

TEST(RifinituraTest, MinimoGivesTheSmallerValue) {
  EXPECT_EQ(minimo(180, 200), 180);
  EXPECT_EQ(minimo(180, 150), 150);
  EXPECT_EQ(minimo(180, 180), 180);
  EXPECT_EQ(minimo(180, -5), -5);
}

TEST(RifinituraTest, SignalsBeforeAWarningPoint) {
  const caso casi[] = {
      {"free cell before the signal takes the mark",
       300,
       {{90, SEG}, {100, AVV, 60}},
       "89:12/180 90:1/0 100:4/60"},
      {"a board before the signal moves the mark one cell back",
       300,
       {{89, CAR}, {90, SEG}, {100, AVV, 60}},
       "88:12/180 89:14/0 90:1/0 100:4/60"},
      {"a mountain mark is free and is replaced",
       300,
       {{89, MON}, {90, SEG}, {100, AVV, 60}},
       "89:12/180 90:1/0 100:4/60"},
      {"an existing mark of 200 is lowered to 180",
       300,
       {{88, CAR}, {89, ABB, 200}, {90, SEG}, {100, AVV, 60}},
       "88:14/0 89:12/180 90:1/0 100:4/60"},
      {"an existing mark of 150 keeps 150",
       300,
       {{88, CAR}, {89, ABB, 150}, {90, SEG}, {100, AVV, 60}},
       "88:14/0 89:12/150 90:1/0 100:4/60"},
      {"a free c - 2 takes a new mark even when c - 1 holds one",
       300,
       {{89, ABB, 200}, {90, SEG}, {100, AVV, 60}},
       "88:12/180 89:12/200 90:1/0 100:4/60"},
      {"a mark in c - 2 is lowered when c - 1 is taken",
       300,
       {{88, ABB, 250}, {89, CAR}, {90, SEG}, {100, AVV, 60}},
       "88:12/180 89:14/0 90:1/0 100:4/60"},
      {"a signal 21 cells before the warning point is not looked at",
       300,
       {{79, SEG}, {100, AVV, 60}},
       "79:1/0 100:4/60"},
      {"a signal 20 cells before the warning point is looked at",
       300,
       {{80, SEG}, {100, AVV, 60}},
       "79:12/180 80:1/0 100:4/60"},
      {"every signal of the look-back gets its mark",
       300,
       {{85, SEG}, {95, SEG}, {100, AVV, 60}},
       "84:12/180 85:1/0 94:12/180 95:1/0 100:4/60"},
      {"a signal at cell 3 is the lowest looked at",
       300,
       {{3, SEG}, {10, AVV, 60}},
       "2:12/180 3:1/0 10:4/60"},
      {"a signal at cell 2 is not looked at",
       300,
       {{2, SEG}, {10, AVV, 60}},
       "2:1/0 10:4/60"},
      {"both cells taken without a mark: fault 11 at the signal",
       300,
       {{88, CAR}, {89, NUL}, {90, SEG}, {100, AVV, 60}},
       "88:14/0 89:13/0 90:1/0 100:4/60",
       11,
       4500},
      {"the look-back goes on after fault 11",
       300,
       {{88, CAR}, {89, CAR}, {90, SEG}, {95, SEG}, {100, AVV, 60}},
       "88:14/0 89:14/0 90:1/0 94:12/180 95:1/0 100:4/60",
       11,
       4500},
  };
  for (const caso& c : casi) verifica(c);
}

TEST(RifinituraTest, MarksForARestriction) {
  const caso casi[] = {
      {"slow restriction 241 to 261 in an empty neighbourhood",
       300,
       {{241, INI, 60}, {261, FINE, 60}, {265, SEG}},
       "223:12/180 230:12/180 236:12/180 241:3/60 249:12/180 257:12/180 "
       "261:2/60 264:12/180 265:1/0"},
      {"cell 249 taken and 248 free: inside marks at 248 and 256",
       300,
       {{241, INI, 60}, {249, CAR}, {261, FINE, 60}, {265, SEG}},
       "223:12/180 230:12/180 236:12/180 241:3/60 248:12/180 249:14/0 "
       "256:12/180 261:2/60 264:12/180 265:1/0"},
      {"cells 248 and 249 taken: the mark goes to 250, the next to 258",
       300,
       {{241, INI, 60}, {248, CAR}, {249, CAR}, {261, FINE, 60}},
       "223:12/180 230:12/180 236:12/180 241:3/60 248:14/0 249:14/0 "
       "250:12/180 258:12/180 261:2/60"},
      {"cells 248 to 250 taken: fault 13 at 249, no further inside mark",
       300,
       {{241, INI, 60},
        {248, CAR},
        {249, CAR},
        {250, CAR},
        {261, FINE, 60},
        {265, SEG}},
       "223:12/180 230:12/180 236:12/180 241:3/60 248:14/0 249:14/0 "
       "250:14/0 261:2/60 264:12/180 265:1/0",
       13,
       12450},
      {"the end cell due for a mark sends it to the cell before",
       300,
       {{241, INI, 60}, {257, FINE, 60}},
       "223:12/180 230:12/180 236:12/180 241:3/60 249:12/180 256:12/180 "
       "257:2/60"},
      {"110 km/h: bands, no inside marks, the signal after the end",
       300,
       {{241, INI, 110}, {261, FINE, 110}, {265, SEG}},
       "223:12/180 230:12/180 236:12/180 241:3/110 261:2/110 264:12/180 "
       "265:1/0"},
      {"109 km/h gets inside marks",
       300,
       {{241, INI, 109}, {261, FINE, 109}},
       "223:12/180 230:12/180 236:12/180 241:3/109 249:12/180 257:12/180 "
       "261:2/109"},
      {"first band cell taken: the mark goes one cell back",
       300,
       {{236, CAR}, {241, INI, 130}, {261, FINE, 130}},
       "223:12/180 230:12/180 235:12/180 236:14/0 241:3/130 261:2/130"},
      {"two band cells taken: the third takes the mark",
       300,
       {{235, CAR}, {236, CAR}, {241, INI, 130}, {261, FINE, 130}},
       "223:12/180 230:12/180 234:12/180 235:14/0 236:14/0 241:3/130 "
       "261:2/130"},
      {"a whole band taken: fault 12 at the start, later bands still marked",
       300,
       {{234, CAR}, {235, CAR}, {236, CAR}, {241, INI, 130}, {261, FINE, 130}},
       "223:12/180 230:12/180 234:14/0 235:14/0 236:14/0 241:3/130 261:2/130",
       12,
       12050},
      {"a start at cell 7 gets no band",
       300,
       {{7, INI, 130}, {12, FINE, 130}},
       "7:3/130 12:2/130"},
      {"a start at cell 8 gets the first band",
       300,
       {{8, INI, 130}, {12, FINE, 130}},
       "3:12/180 8:3/130 12:2/130"},
      {"a start at cell 14 gets the first two bands",
       300,
       {{14, INI, 130}, {18, FINE, 130}},
       "3:12/180 9:12/180 14:3/130 18:2/130"},
      {"a start at cell 21 gets all three bands",
       300,
       {{21, INI, 130}, {25, FINE, 130}},
       "3:12/180 10:12/180 16:12/180 21:3/130 25:2/130"},
  };
  for (const caso& c : casi) verifica(c);
}

TEST(RifinituraTest, SignalAfterTheEnd) {
  const caso casi[] = {
      {"a signal 12 cells after the end is found",
       300,
       {{241, INI, 130}, {261, FINE, 130}, {273, SEG}},
       "223:12/180 230:12/180 236:12/180 241:3/130 261:2/130 272:12/180 "
       "273:1/0"},
      {"a signal 13 cells after the end is not",
       300,
       {{241, INI, 130}, {261, FINE, 130}, {274, SEG}},
       "223:12/180 230:12/180 236:12/180 241:3/130 261:2/130 274:1/0"},
      {"only the first signal after the end is marked",
       300,
       {{241, INI, 130}, {261, FINE, 130}, {263, SEG}, {266, SEG}},
       "223:12/180 230:12/180 236:12/180 241:3/130 261:2/130 262:12/180 "
       "263:1/0 266:1/0"},
      {"a signal right after the end: the end cell is taken, mark in 260",
       300,
       {{241, INI, 130}, {261, FINE, 130}, {262, SEG}},
       "223:12/180 230:12/180 236:12/180 241:3/130 260:12/180 261:2/130 "
       "262:1/0"},
      {"both cells before the signal taken: fault 13 at the end cell",
       300,
       {{241, INI, 130}, {261, FINE, 130}, {263, CAR}, {264, CAR}, {265, SEG}},
       "223:12/180 230:12/180 236:12/180 241:3/130 261:2/130 263:14/0 "
       "264:14/0 265:1/0",
       13,
       13050},
  };
  for (const caso& c : casi) verifica(c);
}

TEST(RifinituraTest, StaysInsideTheGrid) {
  const caso casi[] = {
      {"a slow restriction without an end walks to the last index",
       270,
       {{241, INI, 60}},
       "223:12/180 230:12/180 236:12/180 241:3/60 249:12/180 257:12/180 "
       "265:12/180"},
      {"a mark due at the last index with both neighbours below taken: "
       "fault 13, nothing written past the end",
       252,
       {{243, INI, 60}, {250, CAR}, {251, CAR}},
       "225:12/180 232:12/180 238:12/180 243:3/60 250:14/0 251:14/0",
       13,
       12550},
      {"a fast restriction without an end has no signal scan",
       270,
       {{241, INI, 130}, {265, SEG}},
       "223:12/180 230:12/180 236:12/180 241:3/130 265:1/0"},
      {"the signal scan after the end stops at the last index",
       265,
       {{241, INI, 130}, {261, FINE, 130}},
       "223:12/180 230:12/180 236:12/180 241:3/130 261:2/130"},
      {"the cell two below the last index is visited",
       250,
       {{240, SEG}, {247, AVV, 60}},
       "239:12/180 240:1/0 247:4/60"},
      {"the last two cells are never visited",
       250,
       {{240, SEG}, {248, AVV, 60}, {249, INI, 60}},
       "240:1/0 248:4/60 249:3/60"},
      {"a grid of three cells",
       3,
       {{1, INI, 60}, {2, FINE, 60}},
       "1:3/60 2:2/60"},
      {"an empty grid", 0, {}, ""},
  };
  for (const caso& c : casi) verifica(c);
}

TEST(RifinituraTest, LaterFaultReplacesEarlier) {
  // Fault 11 at the signal of cell 90 is found first (cell 100), then fault
  // 12 at the start of cell 241.
  verifica({"",
            300,
            {{88, CAR},
             {89, CAR},
             {90, SEG},
             {100, AVV, 60},
             {234, CAR},
             {235, CAR},
             {236, CAR},
             {241, INI, 130},
             {261, FINE, 130}},
            "88:14/0 89:14/0 90:1/0 100:4/60 223:12/180 230:12/180 234:14/0 "
            "235:14/0 236:14/0 241:3/130 261:2/130",
            12,
            12050});
}

}  // namespace compiler
