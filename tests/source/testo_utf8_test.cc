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

// Each form at its edges, and every way a sequence can be malformed.
TEST(TestoUtf8Test, ReadsOneWellFormedCharacterOrNone) {
  struct caso {
    std::string byte;
    char32_t codice;  // 0: not a character
    std::size_t lunghezza;
  };
  const caso casi[] = {
      {"A", U'A', 1},
      {"\x7f", 0x7f, 1},
      {"\xc2\x80", 0x80, 2},
      {"\xc3\xa0x", 0xe0, 2},  // only the first character is read
      {"\xdf\xbf", 0x7ff, 2},
      {"\xe0\xa0\x80", 0x800, 3},
      {"\xe2\x82\xac", 0x20ac, 3},
      {"\xef\xbf\xbf", 0xffff, 3},
      {"\xf0\x90\x80\x80", 0x10000, 4},
      {"\xf4\x8f\xbf\xbf", 0x10ffff, 4},
      {"\x80", 0, 0},              // a stray continuation byte
      {"\xc3", 0, 0},              // cut short
      {"\xe2\x82", 0, 0},          // cut short
      {"\xc3\x41", 0, 0},          // no continuation
      {"\xc0\x80", 0, 0},          // overlong
      {"\xe0\x80\x80", 0, 0},      // overlong
      {"\xf0\x80\x80\x80", 0, 0},  // overlong
      {"\xed\xa0\x80", 0, 0},      // a surrogate
      {"\xf4\x90\x80\x80", 0, 0},  // past U+10FFFF
      {"\xf8\x88\x80\x80\x80", 0, 0},
      {"\xff", 0, 0},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.byte);
    const std::optional<source::carattere_utf8> u = source::leggi_utf8(c.byte);
    if (c.codice == 0) {
      EXPECT_FALSE(u.has_value());
      continue;
    }
    ASSERT_TRUE(u.has_value());
    EXPECT_EQ(u->codice, c.codice);
    EXPECT_EQ(u->lunghezza, c.lunghezza);
  }
}
