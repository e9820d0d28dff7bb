#include "source/scrittura_sicura.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "tests/file_prova.h"

namespace {

namespace fs = std::filesystem;

using file_prova::leggi;

std::size_t voci(const fs::path& cartella) {
  return static_cast<std::size_t>(std::distance(
      fs::directory_iterator(cartella), fs::directory_iterator()));
}

}  // namespace

TEST(ScritturaSicuraTest, ReplacesALongerFileWhole) {
  const file_prova::cartella prova;
  const fs::path& c = prova.percorso();
  const fs::path f = c / "a.dat";
  ASSERT_TRUE(sostituisci_file(f, std::string(1000, 'x')).ok());
  ASSERT_TRUE(sostituisci_file(f, std::string("ab\0c", 4)).ok());
  EXPECT_EQ(leggi(f), std::string("ab\0c", 4));
  EXPECT_EQ(voci(c), 1u);
}

TEST(ScritturaSicuraTest, UnconfirmedWriteLeavesTargetAndNoTemporary) {
  const file_prova::cartella prova;
  const fs::path& c = prova.percorso();
  const fs::path f = c / "a.dat";
  ASSERT_TRUE(sostituisci_file(f, "old").ok());
  {
    file_sostitutivo w(f);
    ASSERT_TRUE(w.apri().ok());
    ASSERT_TRUE(w.scrivi("new content").ok());
  }
  EXPECT_EQ(leggi(f), "old");
  EXPECT_EQ(voci(c), 1u);
}

TEST(ScritturaSicuraTest, MissingFolderNamesTheFileAndItsReason) {
  const fs::path f = fs::temp_directory_path() / "no_such_folder_4417" / "x";
  io_status s = sostituisci_file(f, "x");
  ASSERT_FALSE(s.ok());
  EXPECT_NE(s.message.find(f.string()), std::string::npos);
  EXPECT_NE(s.message.find("No such file or directory"), std::string::npos);
}

TEST(ScritturaSicuraTest, TargetThatIsAFolderFailsAndLeavesNoTemporary) {
  const file_prova::cartella prova;
  const fs::path& c = prova.percorso();
  fs::create_directory(c / "x");
  io_status s = sostituisci_file(c / "x", "data");
  EXPECT_FALSE(s.ok());
  EXPECT_TRUE(fs::is_directory(c / "x"));
  EXPECT_EQ(voci(c), 1u);
}
