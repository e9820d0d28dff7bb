#include "source/campi.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace source {

namespace {

// Runs the reads named by `passi` ('c' keyword field, 'n' numeric value at
// 32 bits, 't' text value) and renders each result: a field as its bytes, a
// number as "=n", a text value in angle brackets, a failed read as "!". A
// final "$" marks that every byte was consumed.
std::string leggi(std::string_view byte, std::string_view passi) {
  lettore_campi r(byte);
  std::string out;
  for (std::size_t i = 0; i < passi.size(); ++i) {
    const char p = passi[i];
    if (i > 0) out += '|';
    if (p == 'c') {
      const auto v = r.campo();
      out += v ? std::string(*v) : "!";
    } else if (p == 'n') {
      const auto v = r.numero(larghezza::i32);
      out += v ? "=" + std::to_string(*v) : "!";
    } else {
      const auto v = r.testo();
      out += v ? "<" + std::string(*v) + ">" : "!";
    }
  }
  if (r.fine()) out += "$";
  return out;
}

TEST(CampiTest, NumericTokensAtEachWidth) {
  struct caso {
    std::string_view token;
    larghezza w;
    std::optional<std::int32_t> atteso;
  };
  using L = larghezza;
  const caso casi[] = {
      {"", L::i32, 0},
      {"0", L::i32, 0},
      {"+7", L::i32, 7},
      {"-7", L::i32, -7},
      {"0000000000000000000042", L::i32, 42},
      {"2147483647", L::i32, 2147483647},
      {"2147483648", L::i32, std::nullopt},
      {"-2147483648", L::i32, -2147483647 - 1},
      {"-2147483649", L::i32, std::nullopt},
      {"99999999999999999999999999", L::i32, std::nullopt},
      {"-99999999999999999999999999", L::i32, std::nullopt},
      {"32767", L::i16, 32767},
      {"32768", L::i16, std::nullopt},
      {"-32768", L::i16, -32768},
      {"-32769", L::i16, std::nullopt},
      {"255", L::u8, 255},
      {"256", L::u8, std::nullopt},
      {"-0", L::u8, 0},
      {"-1", L::u8, std::nullopt},
      {"", L::u8, 0},
      {"-", L::i32, std::nullopt},
      {"+", L::i32, std::nullopt},
      {"+-1", L::i32, std::nullopt},
      {"1.5", L::i32, std::nullopt},
      {"1e3", L::i32, std::nullopt},
      {"12a", L::i32, std::nullopt},
      {"0x10", L::i32, std::nullopt},
      {"\xB2", L::i32, std::nullopt},  // superscript two in the code page
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.token);
    EXPECT_EQ(valore_numerico(c.token, c.w), c.atteso);
  }
}

TEST(CampiTest, ReadsFieldsAndValuesAsAStream) {
  struct caso {
    std::string_view nome;
    std::string_view byte;
    std::string_view passi;
    std::string_view atteso;
  };
  const caso casi[] = {
      {"three line ends", "a\r\nb\nc\rd", "cccc", "a|b|c|d$"},
      {"lone CR before CR LF", "a\r\r\nb\r\n", "ccc", "a||b$"},
      {"keyword trimmed, value blanks skipped",
       " \t lunghezza percorso \t,    309000\r\n", "cn",
       "lunghezza percorso|=309000$"},
      {"blank-separated values",
       "orologio,    17              24            30 \r\n[fine]\r\n", "cnnnc",
       "orologio|=17|=24|=30|[fine]$"},
      {"empty values between commas", "v,  108000,  130,  ,  ,  0\r\n",
       "cnnnnn", "v|=108000|=130|=0|=0|=0$"},
      {"empty value at the line end", "v,\r\nx\r\n", "cnc", "v|=0|x$"},
      {"too few values take the next line", "a, 1\r\n2, 3\r\n", "cnnn",
       "a|=1|=2|=3$"},
      {"unread values become keyword fields", "m, 1, 2, 3, 4\r\n[fine]\r\n",
       "cnnncc", "m|=1|=2|=3|4|[fine]$"},
      {"a minus sign inside a value", "pendenza,  1000,   -3\r\n", "cnn",
       "pendenza|=1000|=-3$"},
      {"text value keeps commas and trailing blanks",
       "cartello,  2050,   (Km 2.000) , (x)  \r\nnext\r\n", "cntc",
       "cartello|=2050|<(Km 2.000) , (x)  >|next$"},
      {"text value of an empty rest", "s, 5,   \r\nz", "cntc", "s|=5|<>|z$"},
      {"last line without a line end", "[fine]", "c", "[fine]$"},
      {"blank line is an empty field", "\r\nx", "cc", "|x$"},
      {"field at end of file", "x\r\n", "cc", "x|!$"},
      {"value at end of file", "x, 1\r\n", "cnn", "x|=1|!$"},
      {"text at end of file", "x\r\n", "ct", "x|!$"},
      {"bad token is skipped", "x, 1.5, 7\r\n", "cnn", "x|!|=7$"},
      {"value token ends at a line end", "x, 12\r\n34", "cnn", "x|=12|=34$"},
      {"trailing blanks before end of file", "x, 5   ", "cn", "x|=5$"},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.nome);
    EXPECT_EQ(leggi(c.byte, c.passi), c.atteso);
  }
}

TEST(CampiTest, NumbersAreReadAtTheWidthAsked) {
  lettore_campi r("x, 255, 256, -32768, 40000\r\n");
  ASSERT_TRUE(r.campo());
  EXPECT_EQ(r.numero(larghezza::u8), 255);
  EXPECT_EQ(r.numero(larghezza::u8), std::nullopt);
  EXPECT_EQ(r.numero(larghezza::i16), -32768);
  EXPECT_EQ(r.numero(larghezza::i16), std::nullopt);
  EXPECT_TRUE(r.fine());
}

TEST(CampiTest, LineOfEachKeywordField) {
  // Lines: 1 "a, 1", 2 "2", 3 "b" (lone CR), 4 "c" (LF), 5 blank, 6 "  d".
  lettore_campi r("a, 1\r\n2\r\nb\rc\n\r\n  d");
  EXPECT_EQ(r.riga_campo(), 0);
  std::vector<std::int64_t> righe;
  ASSERT_TRUE(r.campo());
  righe.push_back(r.riga_campo());
  ASSERT_TRUE(r.numero(larghezza::i32));
  ASSERT_TRUE(r.numero(larghezza::i32));
  // The values ran onto line 2; the row still began on line 1.
  righe.push_back(r.riga_campo());
  while (!r.fine()) {
    ASSERT_TRUE(r.campo());
    righe.push_back(r.riga_campo());
  }
  EXPECT_EQ(righe, (std::vector<std::int64_t>{1, 1, 3, 4, 5, 6}));
  // A failed read at end of file leaves the last row's line.
  EXPECT_FALSE(r.campo());
  EXPECT_EQ(r.riga_campo(), 6);
}

}  // namespace

}  // namespace source
