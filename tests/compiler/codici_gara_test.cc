#include "compiler/codici_gara.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace compiler {

namespace {

scenario con_nomi(const std::string& treno, const std::string& linea) {
  scenario s;
  s.tabella_dati[voce_treno].testo = treno;
  s.tabella_dati[voce_linea].testo = linea;
  return s;
}

}  // namespace

TEST(CodiciGaraTest, CodesOfTheIdentifiers) {
  struct caso {
    const char* nome;
    std::string treno, linea;
    std::int32_t og, st;
  };
  // Sums worked out by hand from the character codes of the first 25
  // characters of train + route + "ppqqrrssttuuvvzzjjkkwwxxyy".
  const caso casi[] = {
      {"a..m and n..z: the 25 letters a to y", "abcdefghijklm", "nopqrstuvwxyz",
       2725, 36725},
      {"capital letters are folded", "ABCDEFGHIJKLM", "NOPQRSTUVWXYZ", 2725,
       36725},
      {"only 25 characters count", "abcdefghijklm", "nopqrstuvwxyzzzzz", 2725,
       36725},
      {"empty identifiers: the filler alone", "", "", 2879, 37634},
      {"the scenario's own identifiers", "Kv4417", "Vendralo", 2549, 35477},
      {"bytes above 127 count as unsigned", "\xe8", std::string(30, 'a'), 2560,
       31660},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.nome);
    const scenario s = con_nomi(c.treno, c.linea);
    EXPECT_EQ(codice_gara_og(s), c.og);
    EXPECT_EQ(codice_gara_st(s), c.st);
  }
}

TEST(CodiciGaraTest, HighestCodesFitTheirFields) {
  const scenario s = con_nomi(std::string(25, '\xff'), "");
  EXPECT_EQ(codice_gara_og(s), 6375);
  EXPECT_EQ(codice_gara_st(s), 82875);
}

}  // namespace compiler
