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

TEST(DocumentoTest, CharacterOutsideTheCodePageIsAnErrorAndWritesNothing) {
  const file_prova::cartella prova;
  const fs::path f = prova.percorso() / "doc.txt";
  const std::vector<std::string> righe = {"ok", "citt\u0101"};
  port::io_status s = scrivi_documento(f, righe);
  ASSERT_FALSE(s.ok());
  EXPECT_NE(s.message.find("line 2"), std::string::npos);
  EXPECT_NE(s.message.find("U+0101"), std::string::npos);
  EXPECT_FALSE(fs::exists(f));
}

TEST(DocumentoTest, ListLongerThanTheLineListIsRefused) {
  const file_prova::cartella prova;
  const fs::path f = prova.percorso() / "doc.txt";
  std::vector<std::string> righe(righe_massime + 1, "x");
  EXPECT_FALSE(scrivi_documento(f, righe).ok());
  righe.pop_back();
  EXPECT_TRUE(scrivi_documento(f, righe).ok());
}
