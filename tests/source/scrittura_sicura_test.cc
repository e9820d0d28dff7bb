#include "source/scrittura_sicura.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace {

namespace fs = std::filesystem;

fs::path cartella_nuova() {
  std::random_device rd;
  fs::path p =
      fs::temp_directory_path() / ("scrittura_sicura_" + std::to_string(rd()));
  fs::create_directories(p);
  return p;
}

std::string leggi(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

std::size_t voci(const fs::path& cartella) {
  return static_cast<std::size_t>(std::distance(
      fs::directory_iterator(cartella), fs::directory_iterator()));
}

}  // namespace

TEST(ScritturaSicuraTest, ReplacesALongerFileWhole) {
  const fs::path c = cartella_nuova();
  const fs::path f = c / "a.dat";
  ASSERT_TRUE(sostituisci_file(f, std::string(1000, 'x')).ok());
  ASSERT_TRUE(sostituisci_file(f, std::string("ab\0c", 4)).ok());
  EXPECT_EQ(leggi(f), std::string("ab\0c", 4));
  EXPECT_EQ(voci(c), 1u);
  fs::remove_all(c);
}

TEST(ScritturaSicuraTest, UnconfirmedWriteLeavesTargetAndNoTemporary) {
  const fs::path c = cartella_nuova();
  const fs::path f = c / "a.dat";
  ASSERT_TRUE(sostituisci_file(f, "old").ok());
  {
    file_sostitutivo w(f);
    ASSERT_TRUE(w.apri().ok());
    ASSERT_TRUE(w.scrivi("new content").ok());
  }
  EXPECT_EQ(leggi(f), "old");
  EXPECT_EQ(voci(c), 1u);
  fs::remove_all(c);
}

TEST(ScritturaSicuraTest, MissingFolderNamesTheFileAndItsReason) {
  const fs::path f = fs::temp_directory_path() / "no_such_folder_4417" / "x";
  io_status s = sostituisci_file(f, "x");
  ASSERT_FALSE(s.ok());
  EXPECT_NE(s.message.find(f.string()), std::string::npos);
  EXPECT_NE(s.message.find("No such file or directory"), std::string::npos);
}

TEST(ScritturaSicuraTest, TargetThatIsAFolderFailsAndLeavesNoTemporary) {
  const fs::path c = cartella_nuova();
  fs::create_directory(c / "x");
  io_status s = sostituisci_file(c / "x", "data");
  EXPECT_FALSE(s.ok());
  EXPECT_TRUE(fs::is_directory(c / "x"));
  EXPECT_EQ(voci(c), 1u);
  fs::remove_all(c);
}
