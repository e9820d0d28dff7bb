#include "content/dati_rallentamenti.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "content/documento.h"
#include "content/stazioni.h"
#include "source/nomi_file.h"
#include "tests/file_prova.h"

namespace {

const std::string riga_vuota =
    " |   |                            |            |          |         |"
    "            |";
const std::string chiusura =
    " |___|____________________________|____________|__________|_________|"
    "____________|";

}  // namespace

TEST(DatiRallentamentiTest, EveryFixedLineIsTheFormsOwnText) {
  const std::vector<std::string> r = righe_rallentamenti();
  ASSERT_EQ(r.size(), 46u);
  struct caso {
    std::size_t riga;  // 1-based, as the form is read
    std::string atteso;
  };
  const caso casi[] = {
      {1, ""},
      {2, std::string(31, ' ') + "Modulo M. 3"},
      {3, std::string(27, ' ') + "ORDINE DI RALLENTAMENTO"},
      {4, " " + std::string(80, '_')},
      {6, ""},
      {7,
       "  Si ordina al macchinista del treno 4417 di effettuare i seguenti "
       "rallentamenti"},
      {8, "  " + std::string(79, '_')},
      {9,
       " |   |                            |Inizio dopo |          |       "
       "  |            |"},
      {10,
       " | N.|      FRA LE STAZIONI       | il cippo   | Velocita'|Lunghez"
       "za|Prescrizioni|"},
      {11,
       " |   |   (o nelle Stazioni di)    |chilometrico|          |   metr"
       "i | specifiche |"},
      {12, chiusura},
      {39, chiusura},
      {40, ""},
      {41, std::string(14, ' ') + "Prescrizioni specifiche"},
      {42, " A - Da rispettare con tutto il treno (per i treni viaggiatori)"},
      {43, " B - Interessa anche la stazione di......."},
      {44, " D - Rallentamneto N. ... e N. ...  sono contigui"},
      {45, " C - Da rispettare dalle ore ....  alle ore ..... di tutti"},
      {46, "     i giorni esclusi i seguenti:........."},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE("line " + std::to_string(c.riga));
    EXPECT_EQ(r[c.riga - 1], c.atteso);
  }
  for (std::size_t riga = 13; riga <= 38; ++riga) {
    SCOPED_TRACE("line " + std::to_string(riga));
    EXPECT_EQ(r[riga - 1], riga_vuota);
  }
}

TEST(DatiRallentamentiTest, LineFiveNamesTheTrainsDepartureAndArrival) {
  const auto stazioni = stazioni_treno();
  const std::string atteso = "  Linea " + std::string(stazioni.front().nome) +
                             " - " + std::string(stazioni.back().nome);
  EXPECT_EQ(righe_rallentamenti()[4], atteso);
  EXPECT_EQ(atteso, "  Linea VENDRALO CENTRALE - AURELIANA MARITTIMA");
}

TEST(DatiRallentamentiTest, TableLinesHaveBarsExactlyAtTheColumnBoundaries) {
  const std::vector<std::string> r = righe_rallentamenti();
  const std::vector<std::size_t> barre = {1, 5, 34, 47, 58, 68, 81};
  for (std::size_t riga = 9; riga <= 39; ++riga) {
    SCOPED_TRACE("line " + std::to_string(riga));
    const std::string& t = r[riga - 1];
    ASSERT_EQ(t.size(), 82u);
    std::vector<std::size_t> trovate;
    for (std::size_t i = 0; i < t.size(); ++i) {
      if (t[i] == '|') trovate.push_back(i);
    }
    EXPECT_EQ(trovate, barre);
  }
}

TEST(DatiRallentamentiTest, WritesCrLfLinesAndReplacesAnOlderLongerFile) {
  file_prova::cartella c;
  const auto file = source::nomi_file::documento(c.percorso(), "Vendralo",
                                                 "Kv4417", "rallentamenti.txt");
  EXPECT_EQ(file.filename(), "Vendralo_Kv4417_rallentamenti.txt");
  file_prova::scrivi(file, std::string(20000, 'x'));

  ASSERT_TRUE(dati_rallentamenti(c.percorso(), "Vendralo", "Kv4417").ok());
  const std::string byte = file_prova::leggi(file);
  EXPECT_EQ(file_prova::righe_crlf(byte), righe_rallentamenti());
  EXPECT_EQ(byte.substr(0, 2), "\r\n");
  EXPECT_EQ(byte.substr(byte.size() - 2), "\r\n");
  EXPECT_EQ(byte.find(fine_documento), std::string::npos);
  EXPECT_EQ(byte.find('x'), std::string::npos);

  ASSERT_TRUE(dati_rallentamenti(c.percorso(), "Vendralo", "Kv4417").ok());
  EXPECT_EQ(file_prova::leggi(file), byte);
}
