#include "app/avvio.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "app/stato_uscita.h"
#include "tests/finestra/piattaforma_prova.h"

TEST(AvvioTest, UsageFaultsHelpAndVersion) {
  struct caso {
    std::vector<std::string> argomenti;
    int stato;
    std::string out;  // start of standard output
    std::string err;  // start of standard error
  };
  const caso casi[] = {
      {{"--help"}, stato_ok, "Uso:\n", ""},
      {{"compile", "--version"},
       stato_ok,
       "scenario " SCENARIO_VERSIONE_PROGETTO "\n",
       ""},
      {{"--bogus"},
       stato_uso,
       "",
       "scenario: argomento sconosciuto: '--bogus'\n"
       "Provare 'scenario --help'.\n"},
      {{"compile", "--route", "a/b"}, stato_uso, "", "scenario: --route 'a/b'"},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.argomenti.front());
    piattaforma_registrata p;
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(avvia(c.argomenti, "scenario", p, out, err), c.stato);
    EXPECT_EQ(out.str().substr(0, c.out.size()), c.out);
    EXPECT_EQ(err.str().substr(0, c.err.size()), c.err);
    EXPECT_TRUE(p.finestre.empty());
  }
}
