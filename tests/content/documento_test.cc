#include "content/documento.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "tests/file_prova.h"

namespace {

namespace fs = std::filesystem;

using file_prova::leggi;

}  // namespace

TEST(DocumentoTest, WritesLinesWithCrLfUpToTheEndMarker) {
  const file_prova::cartella prova;
  const fs::path f = prova.percorso() / "doc.txt";
  const std::vector<std::string> righe = {
      "", "uno ", std::string(fine_documento), "mai scritta"};
  ASSERT_TRUE(scrivi_documento(f, righe).ok());
  EXPECT_EQ(leggi(f), "\r\nuno \r\n");
}

TEST(DocumentoTest, AccentsBecomeSingleBytes) {
  struct caso {
    std::string utf8;
    std::string atteso;
  };
  const caso casi[] = {
      {"perch\u00e8 \u00e0 \u00f9", "perch\xE8 \xE0 \xF9"},
      {"\u20ac", "\x80"},
      {"\u2019", "\x92"},
      {"\u00ff", "\xFF"},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.utf8);
    std::string out, scartato;
    ASSERT_TRUE(in_cp1252(c.utf8, out, scartato));
    EXPECT_EQ(out, c.atteso);
  }
}

TEST(DocumentoTest, CharacterOutsideTheCodePageIsAnErrorAndWritesNothing) {
  const file_prova::cartella prova;
  const fs::path f = prova.percorso() / "doc.txt";
  const std::vector<std::string> righe = {"ok", "citt\u0101"};
  port::io_status s = scrivi_documento(f, righe);
  ASSERT_FALSE(s.ok());
  EXPECT_NE(s.message.find("line 2"), std::string::npos);
  EXPECT_NE(s.message.find("U+0101"), std::string::npos);
  EXPECT_FALSE(fs::exists(f));

  std::string out, scartato;
  EXPECT_FALSE(in_cp1252("\x81", out, scartato));      // undefined byte form
  EXPECT_FALSE(in_cp1252("\xC3", out, scartato));      // truncated UTF-8
  EXPECT_FALSE(in_cp1252("\xE2\x82", out, scartato));  // truncated UTF-8
}

TEST(DocumentoTest, ListLongerThanTheLineListIsRefused) {
  const file_prova::cartella prova;
  const fs::path f = prova.percorso() / "doc.txt";
  std::vector<std::string> righe(righe_massime + 1, "x");
  EXPECT_FALSE(scrivi_documento(f, righe).ok());
  righe.pop_back();
  EXPECT_TRUE(scrivi_documento(f, righe).ok());
}
