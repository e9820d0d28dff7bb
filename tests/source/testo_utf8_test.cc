#include "source/testo_utf8.h"

#include <gtest/gtest.h>

#include <string>

TEST(TestoUtf8Test, EncodesEachLengthAtItsLimits) {
  struct caso {
    char32_t c;
    std::string utf8;
  };
  const caso casi[] = {
      {0x00, std::string(1, '\0')},
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
    source::aggiungi_utf8(out, c.c);
    EXPECT_EQ(out, c.utf8);
  }
}

TEST(TestoUtf8Test, ReadableTextReplacesControlAndUndefinedBytes) {
  const std::string fffd = "\xEF\xBF\xBD";
  struct caso {
    std::string byte;
    std::string atteso;
  };
  const caso casi[] = {
      {"PORTA VENDRALO", "PORTA VENDRALO"},
      {"\x1B[31mROSSO", fffd + "[31mROSSO"},
      {"A\tB\r\n", "A" + fffd + "B" + fffd + fffd},
      {std::string("a\0b", 3), "a" + fffd + "b"},
      {"\x7F", fffd},
      {"\x81\x8D\x8F\x90\x9D", fffd + fffd + fffd + fffd + fffd},
      {"Citt\xE0 \x80 \x96 \x9F",
       "Citt\xC3\xA0 \xE2\x82\xAC \xE2\x80\x93 \xC5\xB8"},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.byte);
    EXPECT_EQ(source::utf8_leggibile(c.byte), c.atteso);
  }
}
