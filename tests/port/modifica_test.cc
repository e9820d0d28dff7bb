#include "port/modifica.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "tests/file_prova.h"

namespace port {

TEST(ModificaTest, GivesTheTimeOfAFileAndNothingForNoFile) {
  file_prova::cartella c;
  const std::filesystem::path f = c.percorso() / "a.txt";
  EXPECT_FALSE(ultima_modifica(f));
  file_prova::scrivi(f, "x");
  const auto quando =
      std::filesystem::file_time_type::clock::now() - std::chrono::hours(30);
  std::filesystem::last_write_time(f, quando);
  ASSERT_TRUE(ultima_modifica(f));
  EXPECT_EQ(*ultima_modifica(f), quando);
}

}  // namespace port
