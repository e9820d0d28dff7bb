#include "app/errore.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/app/piattaforma_prova.h"

TEST(ErroreTest, ShowsTheNumberAfterTheFixedTextAndEnds) {
  piattaforma_registrata p;
  bool dopo = false;
  try {
    errore(p, "1250");
    dopo = true;
  } catch (const fine_programma& f) {
    EXPECT_NE(f.stato, 0);
  }
  EXPECT_FALSE(dopo);
  EXPECT_EQ(p.messaggi, std::vector<std::string>{" Errore n. 1250"});
  EXPECT_TRUE(p.finestre.empty());
  EXPECT_TRUE(p.terminato);
}

TEST(ErroreTest, MessageTextIsExact) {
  EXPECT_EQ(messaggio_errore("1251"), " Errore n. 1251");
  EXPECT_EQ(messaggio_errore(""), " Errore n. ");
}
