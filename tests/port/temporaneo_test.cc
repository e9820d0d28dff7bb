#include "port/temporaneo.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace port {

TEST(TemporaneoTest, NamesReadBackAsWhatTheySay) {
  const std::string marca = nuova_marca(4417);
  ASSERT_TRUE(marca.starts_with("scenario-4417-")) << marca;
  EXPECT_EQ(marca.size(), std::string("scenario-4417-").size() + 6);
  EXPECT_NE(nuova_marca(4417), marca) << "two marks of one process met";

  struct caso {
    genere_temporaneo genere;
    std::string destinazione;
    std::string atteso;
  };
  const caso casi[] = {
      {genere_temporaneo::nuovo, "Vendralo_linea.dat",
       "Vendralo_linea.dat." + marca + ".tmp"},
      {genere_temporaneo::vecchio, "Vendralo_Kv4417.sim",
       "Vendralo_Kv4417.sim." + marca + ".old"},
      {genere_temporaneo::nessuno, "a.b.c", "a.b.c." + marca + ".nessuno"},
      // A target whose own name looks like a temporary's.
      {genere_temporaneo::nuovo, "x.scenario-1-aaaaaa.tmp",
       "x.scenario-1-aaaaaa.tmp." + marca + ".tmp"},
      {genere_temporaneo::completa, "", marca + ".completa"},
      {genere_temporaneo::annulla, "", marca + ".annulla"},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.atteso);
    const std::string nome = nome_di(c.genere, marca, c.destinazione);
    EXPECT_EQ(nome, c.atteso);
    const std::optional<nome_temporaneo> letto = leggi_nome_temporaneo(nome);
    ASSERT_TRUE(letto.has_value());
    EXPECT_EQ(letto->genere, c.genere);
    EXPECT_EQ(letto->marca, marca);
    EXPECT_EQ(letto->processo, 4417u);
    EXPECT_EQ(letto->destinazione, c.destinazione);
  }
}

// Only names of this exact form are the program's: anything a user may
// have called a file is left alone.
TEST(TemporaneoTest, OtherNamesAreNotTemporaries) {
  for (const char* nome : {
           "Vendralo_linea.dat",
           "Vendralo_linea.dat.tmpAbC123",   // an older program's
           "x.scenario-12-abcdef.txt",       // another ending
           "x.scenario-12-abcde.tmp",        // five letters
           "x.scenario-12-abcdefg.tmp",      // seven letters
           "x.scenario--abcdef.tmp",         // no pid
           "x.scenario-1x-abcdef.tmp",       // not a pid
           "x.scenario-12-abc$ef.tmp",       // not a letter
           ".scenario-12-abcdef.tmp",        // no target
           "scenario-12-abcdef.tmp",         // no target
           "scenario-12-abcdef",             // no word
           "x.scenario-12-abcdef.completa",  // a record names no target
           "scenario-99999999999999999999-abcdef.completa",  // pid too large
       }) {
    SCOPED_TRACE(nome);
    EXPECT_FALSE(leggi_nome_temporaneo(nome).has_value());
  }
}

}  // namespace port
