#include "lsp/documento.h"

#include <gtest/gtest.h>

namespace {

using lsp::codifica;
using lsp::documento;
using lsp::posizione;

}  // namespace

// One byte per character in the bytes the reader reads, whatever the
// editor's text holds; the editor's columns count UTF-16 units or UTF-8
// bytes.
TEST(DocumentoEditorTest, MapsColumnsOfEachCountBothWays) {
  // "Città" has an a with grave accent (one byte in the code page, two in
  // UTF-8); U+1F600 has no single-byte form and takes two UTF-16 units.
  const documento d = documento::da_testo(
      "stazione, 0, Citt\u00e0, x\r\nsecond\xf0\x9f\x98\x80z, 7");
  EXPECT_EQ(d.byte(), "stazione, 0, Citt\xe0, x\r\nsecond?z, 7");
  struct caso {
    std::size_t riga, colonna;  // byte column in the reader's line
    codifica c;
    posizione attesa;
  };
  const caso casi[] = {
      {0, 18, codifica::utf16, {0, 18}},  // after "Città"
      {0, 18, codifica::utf8, {0, 19}},
      {1, 7, codifica::utf16, {1, 8}},  // after the emoji
      {1, 7, codifica::utf8, {1, 10}},
      {1, 99, codifica::utf16, {1, 12}},  // past the end: the line's end
      {5, 0, codifica::utf16, {1, 12}},   // past the last line
  };
  for (const caso& k : casi) {
    SCOPED_TRACE(std::to_string(k.riga) + ":" + std::to_string(k.colonna));
    const posizione p = d.posizione_di(k.riga, k.colonna, k.c);
    EXPECT_EQ(p, k.attesa);
    if (k.riga < d.righe() && k.colonna <= d.riga_byte(k.riga).size()) {
      const std::size_t inizio = d.offset_byte({p.riga, 0}, k.c);
      EXPECT_EQ(d.offset_byte(p, k.c) - inizio, k.colonna);
    }
  }
  // A position inside a character, or past the line, stands before it or at
  // the line's end.
  EXPECT_EQ(d.offset_byte({1, 7}, codifica::utf16), 29u);
  EXPECT_EQ(d.offset_byte({0, 18}, codifica::utf8), 17u);
  EXPECT_EQ(d.offset_byte({0, 500}, codifica::utf16), 21u);
  EXPECT_EQ(d.offset_byte({9, 0}, codifica::utf16), d.byte().size());
}

TEST(DocumentoEditorTest, LinesEndAsTheReaderEndsThem) {
  const documento d = documento::da_testo("a\r\nb\nc\rd\r\n");
  ASSERT_EQ(d.righe(), 5u);
  EXPECT_EQ(d.riga_byte(0), "a");
  EXPECT_EQ(d.riga_byte(2), "c");
  EXPECT_EQ(d.riga_byte(3), "d");
  EXPECT_EQ(d.riga_byte(4), "");
  EXPECT_EQ(d.riga_di(8), 3u);
}

TEST(DocumentoEditorTest, AppliesTheEditorsChangesInItsUnits) {
  documento d = documento::da_testo("Citt\u00e0, pendnza\n");
  // "pendnza" starts at UTF-16 column 7, UTF-8 column 8.
  d.sostituisci({0, 11}, {0, 11}, "e", codifica::utf16);
  EXPECT_EQ(d.testo(), "Citt\u00e0, pendenza\n");
  d.sostituisci({0, 8}, {1, 0}, "X", codifica::utf8);
  EXPECT_EQ(d.testo(), "Citt\u00e0, X");
  EXPECT_EQ(d.byte(), "Citt\xe0, X");
  // A range given backwards, or past the end, is taken as it stands.
  d.sostituisci({3, 0}, {0, 7}, "!", codifica::utf16);
  EXPECT_EQ(d.testo(), "Citt\u00e0, !");
}

TEST(DocumentoEditorTest, KeepsTheBytesOfAFileOnDisk) {
  // 0x81 is undefined in the code page: the text shows U+FFFD, the reader
  // still gets the byte.
  const documento d = documento::da_byte("a\x81\xe0");
  EXPECT_EQ(d.byte(), "a\x81\xe0");
  EXPECT_EQ(d.testo(), "a\xef\xbf\xbd\xc3\xa0");
  EXPECT_EQ(d.posizione_di(0, 3, codifica::utf8), (posizione{0, 6}));
}

TEST(DocumentoEditorTest, TextsBecomeValidUtf8) {
  // The compile quotes source bytes inside its own UTF-8 words.
  EXPECT_EQ(lsp::utf8_valido("'Citt\xe0' non \xc3\xa8 un numero"),
            "'Citt\u00e0' non \u00e8 un numero");
  EXPECT_EQ(lsp::utf8_valido("\xc3"), "\u00c3");
}
