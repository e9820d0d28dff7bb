#include "app/compila.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "app/stato_uscita.h"
#include "tests/file_prova.h"
#include "tests/finestra/piattaforma_prova.h"

namespace {

namespace fs = std::filesystem;

class cartella_prova : public file_prova::cartella {
 public:
  const fs::path& dir() const { return percorso(); }

  void scrivi(const std::string& nome, const std::string& testo) const {
    std::ofstream(percorso() / nome, std::ios::binary) << testo;
  }
};

opzioni compila(std::string linea, std::string treno) {
  opzioni o;
  o.linea = std::move(linea);
  o.treno = std::move(treno);
  return o;
}

// Line file: route of 10000 m, then `caratteristiche` as feature rows.
std::string sorgente_linea(const std::string& caratteristiche) {
  return "[generale]\r\nlunghezza percorso,    10000\r\n[curve]\r\n" +
         caratteristiche + "[fine]\r\n";
}

std::string sorgente_treno(const std::string& righe) {
  return "[generale]\r\n" + righe + "[fine]\r\n";
}

}  // namespace

TEST(CompilaTest, CompilesAndKeepsTheSources) {
  cartella_prova c;
  c.scrivi("Linea_1_linea.txt", sorgente_linea("pendenza,  1000,   -3\r\n"));
  c.scrivi("Linea_1_T-2-.txt",
           sorgente_treno(
               "segnale,    1400,   2, 3, 1,  1, 0,    2,  2,1,1, 0\r\n"));
  piattaforma_registrata p;
  std::ostringstream err;
  EXPECT_EQ(esegui_compilazione(compila("Linea_1", "T-2"), c.dir(), p, err),
            stato_ok);
  EXPECT_EQ(err.str(), "");
  for (const char* nome :
       {"Linea_1_linea.txt", "Linea_1_T-2-.txt", "Linea_1_linea.dat",
        "Linea_1_T-2.sim", "Linea_1_T-2.dat"}) {
    EXPECT_TRUE(fs::exists(c.dir() / nome)) << nome;
  }
}

TEST(CompilaTest, FaultsPrintNumberAndPosition) {
  struct caso {
    const char* nome;
    std::string linea, treno;
    int stato;
    std::string inizio;
  };
  const caso casi[] = {
      {"signal on a board", "cartello_indicatore,  1400,   (Cippo)\r\n",
       "segnale,    1400,   2, 3, 1,  1, 0,    2,  2,1,1, 0\r\n",
       stato_guasto_compilazione,
       " Errore n. 16\nPosizione: 1400 m\nSegnale su una cella occupata.\n"},
      {"station position not a multiple of 50", "",
       "stazione,    2025,  8,  800,  1, 1, 0,  5,1,0,  2,1,1,    1,  17,25, "
       "0, Alfa\r\n",
       stato_guasto_compilazione, " Errore n. 8\nPosizione: 2025 m\n"},
      {"finishing pass: a band before a restriction all taken",
       "cartello_indicatore,  5750,   (A)\r\n"
       "cartello_indicatore,  5700,   (B)\r\n"
       "cartello_indicatore,  5650,   (C)\r\n",
       "rallentamento, 6000, 130, 500, 1, 0, 0\r\n", stato_guasto_compilazione,
       " Errore n. 12\nPosizione: 6050 m\n"},
      {"feature beyond the grid", "",
       "segnale,    16950,   2, 3, 1,  1, 0,    2,  2,1,1, 0\r\n",
       stato_guasto_compilazione, " Errore n. 15\nPosizione: 16950 m\n"},
  };
  for (const caso& k : casi) {
    SCOPED_TRACE(k.nome);
    cartella_prova c;
    c.scrivi("Vendralo_linea.txt", sorgente_linea(k.linea));
    c.scrivi("Vendralo_Kv4417-.txt", sorgente_treno(k.treno));
    piattaforma_registrata p;
    std::ostringstream err;
    EXPECT_EQ(
        esegui_compilazione(compila("Vendralo", "Kv4417"), c.dir(), p, err),
        k.stato);
    EXPECT_EQ(err.str().substr(0, k.inizio.size()), k.inizio) << err.str();
    EXPECT_FALSE(fs::exists(c.dir() / "Vendralo_Kv4417.dat"));
  }
}

TEST(CompilaTest, MissingSourcesAreFileFaults) {
  cartella_prova c;
  piattaforma_registrata p;
  {
    std::ostringstream err;
    EXPECT_EQ(
        esegui_compilazione(compila("Vendralo", "Kv4417"), c.dir(), p, err),
        stato_file);
    EXPECT_EQ(err.str(),
              " Errore n. 101\n"
              "Il file sorgente della linea non esiste.\n"
              "File: " +
                  (c.dir() / "Vendralo_linea.txt").string() + "\n");
  }
  c.scrivi("Vendralo_linea.txt", sorgente_linea(""));
  {
    std::ostringstream err;
    EXPECT_EQ(
        esegui_compilazione(compila("Vendralo", "Kv4417"), c.dir(), p, err),
        stato_file);
    EXPECT_NE(err.str().find(" Errore n. 25\n"), std::string::npos);
    EXPECT_NE(
        err.str().find("File: " + (c.dir() / "Vendralo_Kv4417-.txt").string() +
                       ": "),
        std::string::npos)
        << err.str();
  }
}

TEST(CompilaTest, SpeedBoardAtPositionZeroIs1250) {
  cartella_prova c;
  c.scrivi(
      "Vendralo_linea.txt",
      sorgente_linea(
          "indicatori_vmax,  0,  95,  95,  100,  0,  95,  95,  100,  0\r\n"));
  c.scrivi("Vendralo_Kv4417-.txt", sorgente_treno(""));
  piattaforma_registrata p;
  std::ostringstream err;
  EXPECT_EQ(esegui_compilazione(compila("Vendralo", "Kv4417"), c.dir(), p, err),
            stato_guasto_compilazione);
  ASSERT_EQ(p.messaggi.size(), 1u);
  EXPECT_EQ(p.messaggi[0], " Errore n. 1250");
  EXPECT_FALSE(fs::exists(c.dir() / "Vendralo_Kv4417.sim"));
}
