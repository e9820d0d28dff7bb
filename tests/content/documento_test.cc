#include "content/documento.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

fs::path file_nuovo() {
  std::random_device rd;
  fs::path c =
      fs::temp_directory_path() / ("documento_" + std::to_string(rd()));
  fs::create_directories(c);
  return c / "doc.txt";
}

std::string leggi(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

}  // namespace

TEST(DocumentoTest, WritesLinesWithCrLfUpToTheEndMarker) {
  const fs::path f = file_nuovo();
  const std::vector<std::string> righe = {
      "", "uno ", std::string(fine_documento), "mai scritta"};
  ASSERT_TRUE(scrivi_documento(f, righe).ok());
  EXPECT_EQ(leggi(f), "\r\nuno \r\n");
  fs::remove_all(f.parent_path());
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
  const fs::path f = file_nuovo();
  const std::vector<std::string> righe = {"ok", "citt\u0101"};
  io_status s = scrivi_documento(f, righe);
  ASSERT_FALSE(s.ok());
  EXPECT_NE(s.message.find("line 2"), std::string::npos);
  EXPECT_NE(s.message.find("U+0101"), std::string::npos);
  EXPECT_FALSE(fs::exists(f));

  std::string out, scartato;
  EXPECT_FALSE(in_cp1252("\x81", out, scartato));      // undefined byte form
  EXPECT_FALSE(in_cp1252("\xC3", out, scartato));      // truncated UTF-8
  EXPECT_FALSE(in_cp1252("\xE2\x82", out, scartato));  // truncated UTF-8
  fs::remove_all(f.parent_path());
}

TEST(DocumentoTest, ListLongerThanTheLineListIsRefused) {
  const fs::path f = file_nuovo();
  std::vector<std::string> righe(righe_massime + 1, "x");
  EXPECT_FALSE(scrivi_documento(f, righe).ok());
  righe.pop_back();
  EXPECT_TRUE(scrivi_documento(f, righe).ok());
  fs::remove_all(f.parent_path());
}
