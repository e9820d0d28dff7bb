#include "app/testo_utf8.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

TEST(TestoUtf8Test, BytesOfTheCodePageAsUtf8) {
  struct caso {
    unsigned char byte;
    std::string utf8;
  };
  const caso casi[] = {
      {0x00, std::string(1, '\0')},
      {0x41, "A"},
      {0x7F, "\x7F"},
      {0x80, "\xE2\x82\xAC"},  // euro sign
      {0x8A, "\xC5\xA0"},      // S with caron
      {0x99, "\xE2\x84\xA2"},  // trade mark sign
      {0x9F, "\xC5\xB8"},      // Y with diaeresis
      {0xA0, "\xC2\xA0"},
      {0xE0, "\xC3\xA0"},  // a with grave
      {0xFF, "\xC3\xBF"},
      // The five bytes the code page leaves undefined: C1 controls.
      {0x81, "\xC2\x81"},
      {0x8D, "\xC2\x8D"},
      {0x8F, "\xC2\x8F"},
      {0x90, "\xC2\x90"},
      {0x9D, "\xC2\x9D"},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(static_cast<int>(c.byte));
    EXPECT_EQ(utf8_da_cp1252(std::string(1, static_cast<char>(c.byte))),
              c.utf8);
  }
}

TEST(TestoUtf8Test, EveryByteKeepsACodePointOfItsOwn) {
  std::set<char32_t> punti;
  std::set<std::string> testi;
  for (int b = 0; b < 256; ++b) {
    punti.insert(punto_cp1252(static_cast<unsigned char>(b)));
    testi.insert(utf8_da_cp1252(std::string(1, static_cast<char>(b))));
  }
  EXPECT_EQ(punti.size(), 256u);
  EXPECT_EQ(testi.size(), 256u);
}

TEST(TestoUtf8Test, EncodesEachLengthAtItsLimits) {
  struct caso {
    char32_t c;
    std::string utf8;
  };
  const caso casi[] = {
      {0x7F, "\x7F"},
      {0x80, "\xC2\x80"},
      {0x7FF, "\xDF\xBF"},
      {0x800, "\xE0\xA0\x80"},
      {0xFFFD, "\xEF\xBF\xBD"},
      {0xFFFF, "\xEF\xBF\xBF"},
      {0x10000, "\xF0\x90\x80\x80"},
      {0x10FFFF, "\xF4\x8F\xBF\xBF"},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(static_cast<unsigned>(c.c));
    std::string out;
    aggiungi_utf8(out, c.c);
    EXPECT_EQ(out, c.utf8);
  }
}

TEST(TestoUtf8Test, ReadableTextReplacesControlCharacters) {
  const std::string fffd = "\xEF\xBF\xBD";
  struct caso {
    std::string byte;
    std::string atteso;
  };
  const caso casi[] = {
      {"PORTA VENDRALO", "PORTA VENDRALO"},
      {"\x1B[31mROSSO", fffd + "[31mROSSO"},
      {"A\tB\r\n", "A" + fffd + "B" + fffd + fffd},
      {"\x7F", fffd},
      {"\x81\x8D\x8F\x90\x9D", fffd + fffd + fffd + fffd + fffd},
      {"Citt\xE0 \x80 \x96", "Citt\xC3\xA0 \xE2\x82\xAC \xE2\x80\x93"},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.byte);
    EXPECT_EQ(utf8_leggibile(c.byte), c.atteso);
  }
}
