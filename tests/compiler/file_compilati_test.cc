#include "compiler/file_compilati.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "compiler/arrotonda.h"
#include "compiler/decodifica.h"

namespace compiler {

namespace {

// The plan of a route of `lunghezza` metres as the reader leaves it: metres 0
// and 1 small integers, doubles up to L + 6998, the last two metres empty.
tracciato_piano piano_di(std::int64_t lunghezza) {
  tracciato_piano t;
  const auto ultimo = static_cast<std::size_t>(lunghezza + 7000);
  t.crea(ultimo);
  t.metti_intero(0, 0, 0);
  t.metti_intero(1, 0, 0);
  t.metti_intero(0, 1, 0);
  t.metti_intero(1, 1, 1);
  for (std::size_t m = 2; m <= ultimo - 2; ++m) {
    t.metti_doppio(m, 0, static_cast<double>(m) * 0.25);
    t.metti_doppio(m, 1, -static_cast<double>(m));
  }
  return t;
}

}  // namespace

TEST(FileCompilatiTest, CellRecordLayout) {
  cella c;
  c.tipo_cella = 14;
  c.valore1 = 0x0102;
  c.valore2 = -2;
  c.valore3 = 0x7fff;
  c.valore4 = -32768;
  c.tempo_segnale = 208;
  c.avviso = 81;
  c.tipo_montagna = 3;
  c.velocita_linea = 19;
  c.pendenza_linea = 97;
  c.aderenza_linea = 255;
  std::string out;
  append_cella(out, c);
  EXPECT_EQ(out, std::string("\x0e\x02\x01\xfe\xff\xff\x7f\x00\x80"
                             "\xd0\x51\x03\x13\x61\xff",
                             cella_record_size));
}

TEST(FileCompilatiTest, SlotRecordLayout) {
  voce_dati v;
  v.categoria = 8;
  v.valore_a = -400;
  v.valore_b = 400;
  v.valore_c = 0x01020304;
  v.opzione = 1;
  v.testo = "ab";
  v.numero_1 = 5;
  v.numero_2 = 1;
  v.numero_3 = 2;
  v.numero_4 = 1;
  v.numero_5 = -1;
  v.cifra_1 = 0;
  v.sosta = 255;
  v.cifra_2 = 7;
  v.cifra_3 = 9;
  v.valore_d = 62700;
  std::string out;
  append_voce(out, v);
  EXPECT_EQ(out, std::string("\x08"
                             "\x70\xfe\xff\xff"
                             "\x90\x01\x00\x00"
                             "\x04\x03\x02\x01"
                             "\x01"
                             "\x02\x00"
                             "ab"
                             "\x05\x00\x01\x00\x02\x00\x01\x00\xff\xff"
                             "\x00\xff\x07\x09"
                             "\xec\xf4\x00\x00",
                             voce_record_size + 2));
}

TEST(FileCompilatiTest, EmptyTextIsTwoZeroBytes) {
  voce_dati v;
  std::string out;
  append_voce(out, v);
  ASSERT_EQ(out.size(), voce_record_size);
  EXPECT_EQ(out.substr(14, 2), std::string("\x00\x00", 2));
  EXPECT_EQ(out, std::string(voce_record_size, '\0'));
}

TEST(FileCompilatiTest, TableDecodesBack) {
  std::array<voce_dati, numero_voci> tabella{};
  std::size_t testi = 0;
  for (std::size_t i = 0; i < numero_voci; ++i) {
    voce_dati& v = tabella[i];
    v.categoria = static_cast<std::uint8_t>(i);
    v.valore_a = static_cast<std::int32_t>(i) * 1000 - 40000;
    v.valore_b = static_cast<std::int32_t>(i) * -7;
    v.valore_d = static_cast<std::int32_t>(i) * 3600;
    v.numero_5 = static_cast<std::int16_t>(-static_cast<int>(i));
    v.testo = std::string(i % 5, static_cast<char>('a' + i % 26));
    testi += v.testo.size();
  }
  const std::string b = codifica_tabella(tabella);
  EXPECT_EQ(b.size(), numero_voci * voce_record_size + testi);
  std::array<voce_dati, numero_voci> letta{};
  ASSERT_TRUE(decodifica_tabella(b, letta).ok());
  for (std::size_t i = 0; i < numero_voci; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(letta[i], tabella[i]);
  }
}

TEST(FileCompilatiTest, CellFileOfA309000MetreRoute) {
  const auto n = static_cast<std::size_t>(ultima_cella_per(309000) + 1);
  std::vector<cella> celle(n);
  for (std::size_t i = 0; i < n; ++i) {
    celle[i].tipo_cella = static_cast<std::uint8_t>(i % 15);
    celle[i].valore1 = static_cast<std::int16_t>(i * 7);
    celle[i].valore4 = static_cast<std::int16_t>(-static_cast<int>(i));
    celle[i].pendenza_linea = static_cast<std::uint8_t>(100 + i % 50);
    celle[i].aderenza_linea = static_cast<std::uint8_t>(i);
  }
  const std::string b = codifica_celle(celle);
  EXPECT_EQ(b.size(), 94815u);
  std::vector<cella> letta;
  ASSERT_TRUE(decodifica_celle(b, letta).ok());
  EXPECT_TRUE(letta == celle);
}

TEST(FileCompilatiTest, PlanFileOfA309000MetreRoute) {
  const tracciato_piano t = piano_di(309000);
  const std::string b = codifica_piano(t);
  ASSERT_EQ(b.size(), 6319964u);
  // Per coordinate: two integers, L + 6997 doubles, two empty records. The
  // first coordinate starts with the integers 0 and 0, then 0.5 (metre 2).
  EXPECT_EQ(b.substr(0, 18),
            std::string("\x02\x00\x00\x00\x02\x00\x00\x00"
                        "\x05\x00\x00\x00\x00\x00\x00\x00\xe0\x3f",
                        18));
  const std::size_t seconda = b.size() / 2;
  EXPECT_EQ(
      b.substr(seconda - 4, 12),
      std::string("\x00\x00\x00\x00\x02\x00\x00\x00\x02\x00\x01\x00", 12));
  EXPECT_EQ(b.substr(b.size() - 4), std::string(4, '\0'));
  tracciato_piano letto;
  ASSERT_TRUE(decodifica_piano(b, letto).ok());
  EXPECT_TRUE(letto == t);
}

}  // namespace compiler
