#include "content/dati_note.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <string>
#include <vector>

#include "content/documento.h"
#include "content/stazioni.h"
#include "source/nomi_file.h"
#include "tests/file_prova.h"

namespace {

// Number of characters in UTF-8 text: every byte that is not a
// continuation byte starts one.
std::size_t caratteri(const std::string& utf8) {
  return static_cast<std::size_t>(std::count_if(
      utf8.begin(), utf8.end(),
      [](char ch) { return (static_cast<unsigned char>(ch) & 0xC0) != 0x80; }));
}

std::string maiuscolo(std::string s) {
  for (char& ch : s) {
    ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  }
  return s;
}

}  // namespace

TEST(DatiNoteTest, HasTheFortyLinesOfTheStatedStructure) {
  const std::vector<std::string> r = righe_note();
  ASSERT_EQ(r.size(), 40u);
  // Empty lines separate the credit, introduction, headings, notes and
  // farewell; every other line holds text.
  const std::set<std::size_t> vuote = {2, 7, 9, 25, 27, 36, 39};
  for (std::size_t riga = 1; riga <= r.size(); ++riga) {
    SCOPED_TRACE("line " + std::to_string(riga));
    EXPECT_EQ(r[riga - 1].empty(), vuote.count(riga) == 1);
  }
  EXPECT_EQ(r[7], "Alcune note sul percorso:");
  EXPECT_EQ(r[25], "Alcune note sul treno 4417:");
  EXPECT_EQ(r[37], "BUON VIAGGIO");
  EXPECT_NE(r[0].find('@'), std::string::npos) << "credit without e-mail";
}

TEST(DatiNoteTest, TrailingSpaceOnlyOnTheListedLines) {
  const std::vector<std::string> r = righe_note();
  const std::set<std::size_t> con_spazio = {12, 16, 28, 30, 31, 32, 34};
  for (std::size_t riga = 1; riga <= r.size(); ++riga) {
    SCOPED_TRACE("line " + std::to_string(riga));
    const std::string& t = r[riga - 1];
    if (con_spazio.count(riga) == 1) {
      ASSERT_GE(t.size(), 2u);
      EXPECT_EQ(t.back(), ' ');
      EXPECT_NE(t[t.size() - 2], ' ') << "exactly one trailing space";
    } else {
      EXPECT_TRUE(t.empty() || t.back() != ' ');
    }
  }
}

TEST(DatiNoteTest, OnlyAccentsAreAGraveEGraveUGrave) {
  std::set<std::string> accenti;
  for (const std::string& t : righe_note()) {
    for (std::size_t i = 0; i < t.size(); ++i) {
      const auto b = static_cast<unsigned char>(t[i]);
      if (b < 0x80) continue;
      ASSERT_LT(i + 1, t.size());
      accenti.insert(t.substr(i, 2));
      ++i;
    }
  }
  EXPECT_EQ(accenti, (std::set<std::string>{"\u00e0", "\u00e8", "\u00f9"}));
}

TEST(DatiNoteTest, PlacesNamedInTheNotesAreStationsOfTheRun) {
  const std::vector<std::string> luoghi = {
      "Torre Albarina", "Acquaverde Terme",   "Monterago",  "San Felicetto",
      "Marzanello",     "Lavagnola",          "Serravento", "Castelverdolo",
      "Rovia",          "Aureliana Marittima"};
  std::string tutto;
  for (const std::string& t : righe_note()) tutto += t + "\n";
  for (const std::string& l : luoghi) {
    SCOPED_TRACE(l);
    EXPECT_NE(tutto.find(l), std::string::npos);
    const auto stazioni = stazioni_treno();
    EXPECT_TRUE(std::any_of(
        stazioni.begin(), stazioni.end(),
        [&](const riga_stazione& s) { return s.nome == maiuscolo(l); }));
  }
}

TEST(DatiNoteTest, WritesAccentsAsSingleBytesAndReplacesTheFileWhole) {
  file_prova::cartella c;
  const auto file = source::nomi_file::documento(c.percorso(), "Vendralo",
                                                 "Kv4417", "note.txt");
  EXPECT_EQ(file.filename(), "Vendralo_Kv4417_note.txt");
  file_prova::scrivi(file, std::string(50000, '#'));

  ASSERT_TRUE(dati_note(c.percorso(), "Vendralo", "Kv4417").ok());
  const std::string byte = file_prova::leggi(file);
  const std::vector<std::string> scritte = file_prova::righe_crlf(byte);
  const std::vector<std::string> r = righe_note();
  ASSERT_EQ(scritte.size(), r.size());
  for (std::size_t i = 0; i < r.size(); ++i) {
    SCOPED_TRACE("line " + std::to_string(i + 1));
    EXPECT_EQ(scritte[i].size(), caratteri(r[i]));
  }
  EXPECT_NE(byte.find('\xE0'), std::string::npos);
  EXPECT_NE(byte.find('\xE8'), std::string::npos);
  EXPECT_NE(byte.find('\xF9'), std::string::npos);
  EXPECT_EQ(byte.find('\xC3'), std::string::npos) << "UTF-8 left in file";
  EXPECT_EQ(byte.find('#'), std::string::npos);
  EXPECT_EQ(byte.find(fine_documento), std::string::npos);
  EXPECT_EQ(byte.substr(byte.size() - 2), "\r\n");
  EXPECT_EQ(scritte[5].substr(0, 4), "pi\xF9,");

  ASSERT_TRUE(dati_note(c.percorso(), "Vendralo", "Kv4417").ok());
  EXPECT_EQ(file_prova::leggi(file), byte);
}
