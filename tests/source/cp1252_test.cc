#include "source/cp1252.h"

#include <gtest/gtest.h>

#include <string>

namespace source {

TEST(Cp1252Test, AccentsBecomeSingleBytes) {
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
    EXPECT_EQ(da_cp1252(c.atteso), c.utf8);
  }
}

TEST(Cp1252Test, RefusesWhatHasNoSingleByte) {
  std::string out, scartato;
  EXPECT_FALSE(in_cp1252("\x81", out, scartato));      // undefined byte form
  EXPECT_FALSE(in_cp1252("\xC3", out, scartato));      // truncated UTF-8
  EXPECT_FALSE(in_cp1252("\xE2\x82", out, scartato));  // truncated UTF-8
  EXPECT_FALSE(in_cp1252("\u0101", out, scartato));
  EXPECT_EQ(scartato, "il carattere U+0101 non sta nella tabella Windows-1252");
}

TEST(Cp1252Test, EveryDefinedByteComesBackFromItsText) {
  for (int b = 0; b < 256; ++b) {
    SCOPED_TRACE(b);
    const std::string byte(1, static_cast<char>(b));
    const std::string testo = da_cp1252(byte);
    std::string di_nuovo, scartato;
    if (b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D) {
      EXPECT_EQ(testo, "\uFFFD");
      continue;
    }
    ASSERT_TRUE(in_cp1252(testo, di_nuovo, scartato)) << scartato;
    EXPECT_EQ(di_nuovo, byte);
  }
}

}  // namespace source
