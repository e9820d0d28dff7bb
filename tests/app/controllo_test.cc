#include "app/controllo.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>
#include <string>

#include "app/stato_uscita.h"
#include "tests/file_prova.h"

namespace {

using file_prova::crlf;

namespace fs = std::filesystem;

const std::string file_linea = "Vendralo_linea.txt";
const std::string file_treno = "Vendralo_Kv4417-.txt";

struct esito {
  int stato;
  std::string uscita;
};

esito controlla(const fs::path& d, bool severo = false) {
  opzioni o;
  if (severo) o.proprie["--strict"];
  std::ostringstream out;
  const int stato = esegui_controllo(o, d, out);
  return {stato, out.str()};
}

}  // namespace

TEST(ControlloTest, ReportsEachFindingWithItsLineThenTheCount) {
  const file_prova::cartella c;
  file_prova::scrivi(c.percorso() / file_linea,
                     crlf("[generale]\nlunghezza percorso, 10000\n[curve]\n"
                          "pendnza,  0,   0\n[fine]\n"));
  file_prova::scrivi(c.percorso() / file_treno,
                     crlf("[generale]\nvelocita,    7500x,    95\n[fine]\n"));
  const esito e = controlla(c.percorso());
  EXPECT_EQ(e.stato, stato_guasto_compilazione);
  const std::string d = (c.percorso() / "").string();
  EXPECT_EQ(e.uscita,
            d + file_treno +
                ":2:14: errore 25: '7500x' non è un numero intero\n"
                "velocita,    7500x,    95\n"
                "             ^~~~~\n" +
                d + file_linea +
                ":4:1: avviso: riga non riconosciuta: 'pendnza' (forse "
                "'pendenza'?), la riga è ignorata\n"
                "pendnza,  0,   0\n"
                "^~~~~~~\n"
                "1 errore, 1 avviso\n");
}

TEST(ControlloTest, WarningsFailOnlyWhenStrict) {
  const file_prova::cartella c;
  file_prova::scrivi(c.percorso() / file_linea,
                     crlf("[generale]\nlunghezza percorso, 10000\n[curve]\n"
                          "pendnza,  0,   0\n[fine]\n"));
  file_prova::scrivi(c.percorso() / file_treno, crlf("[generale]\n[fine]\n"));
  EXPECT_EQ(controlla(c.percorso()).stato, stato_ok);
  const esito severo = controlla(c.percorso(), true);
  EXPECT_EQ(severo.stato, stato_guasto_compilazione);
  EXPECT_NE(severo.uscita.find("0 errori, 1 avviso\n"), std::string::npos);
}

TEST(ControlloTest, NeverWritesOrDeletesAnything) {
  struct caso {
    const char* nome;
    std::string linea, treno;  // empty: the file is not there
    int stato;
    std::string inizio;  // of the first finding, after the folder; empty:
                         // no finding
  };
  const std::string treno = crlf("[generale]\n[fine]\n");
  const caso casi[] = {
      {"clean",
       crlf("[generale]\nlunghezza percorso, 10000\n[curve]\n[fine]\n"), treno,
       stato_ok, ""},
      {"fault 25",
       crlf("[generale]\nlunghezza percorso, 1x00\n[curve]\n[fine]\n"), treno,
       stato_guasto_compilazione, file_linea + ":2:21: errore 25: "},
      {"fault 101", "", treno, stato_file, file_linea + ": errore 101: "},
      {"no train source",
       crlf("[generale]\nlunghezza percorso, 10000\n[curve]\n[fine]\n"), "",
       stato_file, file_treno + ": errore 25: "},
  };
  for (const caso& k : casi) {
    SCOPED_TRACE(k.nome);
    const file_prova::cartella c;
    if (!k.linea.empty())
      file_prova::scrivi(c.percorso() / file_linea, k.linea);
    if (!k.treno.empty())
      file_prova::scrivi(c.percorso() / file_treno, k.treno);
    file_prova::scrivi(c.percorso() / "Vendralo_Kv4417.sim", "older table");
    const auto prima = file_prova::contenuto(c.percorso());
    const esito e = controlla(c.percorso());
    EXPECT_EQ(e.stato, k.stato);
    if (k.inizio.empty()) {
      EXPECT_EQ(e.uscita, "0 errori, 0 avvisi\n");
    } else {
      const std::string inizio = (c.percorso() / "").string() + k.inizio;
      EXPECT_EQ(e.uscita.substr(0, inizio.size()), inizio) << e.uscita;
    }
    EXPECT_TRUE(file_prova::contenuto(c.percorso()) == prima);
  }
}
