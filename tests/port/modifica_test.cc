#include "port/modifica.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "tests/file_prova.h"

namespace port {

// The time read back is the one set, to the file system's resolution (two
// seconds at worst), and tells an older file from a newer one.
TEST(ModificaTest, GivesTheTimeOfAFileAndNothingForNoFile) {
  file_prova::cartella c;
  const std::filesystem::path vecchio = c.percorso() / "a.txt";
  const std::filesystem::path nuovo = c.percorso() / "b.txt";
  EXPECT_FALSE(ultima_modifica(vecchio));
  file_prova::scrivi(vecchio, "x");
  file_prova::scrivi(nuovo, "y");
  const auto ora = std::filesystem::file_time_type::clock::now();
  std::filesystem::last_write_time(vecchio, ora - std::chrono::hours(30));
  std::filesystem::last_write_time(nuovo, ora - std::chrono::hours(1));
  const auto a = ultima_modifica(vecchio);
  const auto b = ultima_modifica(nuovo);
  ASSERT_TRUE(a && b);
  EXPECT_LT(*a, *b);
  const auto scarto = *a - (ora - std::chrono::hours(30));
  EXPECT_LT(std::chrono::abs(scarto), std::chrono::seconds(2));
}

}  // namespace port
