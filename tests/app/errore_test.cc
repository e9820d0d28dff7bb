#include "app/errore.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/stato_uscita.h"
#include "tests/finestra/piattaforma_prova.h"

TEST(ErroreTest, ShowsTheNumberAfterTheFixedTextAndGivesTheStatus) {
  piattaforma_registrata p;
  EXPECT_EQ(errore(p, "1250"), stato_guasto_compilazione);
  EXPECT_EQ(p.messaggi, std::vector<std::string>{" Errore n. 1250"});
  EXPECT_TRUE(p.finestre.empty());
  EXPECT_EQ(errore(p, "1251", "Posizione: 0 m"), stato_guasto_compilazione);
  EXPECT_EQ(p.messaggi.back(), " Errore n. 1251\nPosizione: 0 m");
}

TEST(ErroreTest, MessageTextIsExact) {
  EXPECT_EQ(messaggio_errore("1251"), " Errore n. 1251");
  EXPECT_EQ(messaggio_errore(""), " Errore n. ");
}
