#include "compiler/file_compilati.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "compiler/arrotonda.h"
#include "tests/file_prova.h"

namespace {

namespace fs = std::filesystem;

// Reads the files back independently of the writers: byte by byte, least
// significant first.
class lettore_byte {
 public:
  explicit lettore_byte(const std::string& b) : b_(b) {}

  std::uint64_t u(int n) {
    std::uint64_t v = 0;
    for (int k = 0; k < n; ++k) {
      v |= std::uint64_t{static_cast<unsigned char>(b_.at(pos_++))} << (8 * k);
    }
    return v;
  }
  std::uint8_t u8() { return static_cast<std::uint8_t>(u(1)); }
  std::int16_t i16() { return static_cast<std::int16_t>(u(2)); }
  std::int32_t i32() { return static_cast<std::int32_t>(u(4)); }
  double f64() {
    const std::uint64_t bits = u(8);
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
  }
  std::string testo(std::size_t n) {
    std::string t = b_.substr(pos_, n);
    pos_ += n;
    return t;
  }
  bool finito() const { return pos_ == b_.size(); }

 private:
  const std::string& b_;
  std::size_t pos_ = 0;
};

cella leggi_cella(lettore_byte& r) {
  cella c;
  c.tipo_cella = r.u8();
  c.valore1 = r.i16();
  c.valore2 = r.i16();
  c.valore3 = r.i16();
  c.valore4 = r.i16();
  c.tempo_segnale = r.u8();
  c.avviso = r.u8();
  c.tipo_montagna = r.u8();
  c.velocita_linea = r.u8();
  c.pendenza_linea = r.u8();
  c.aderenza_linea = r.u8();
  return c;
}

voce_dati leggi_voce(lettore_byte& r) {
  voce_dati v;
  v.categoria = r.u8();
  v.valore_a = r.i32();
  v.valore_b = r.i32();
  v.valore_c = r.i32();
  v.opzione = r.u8();
  const std::int16_t n = r.i16();
  v.testo = r.testo(static_cast<std::size_t>(n));
  v.numero_1 = r.i16();
  v.numero_2 = r.i16();
  v.numero_3 = r.i16();
  v.numero_4 = r.i16();
  v.numero_5 = r.i16();
  v.cifra_1 = r.u8();
  v.sosta = r.u8();
  v.cifra_2 = r.u8();
  v.cifra_3 = r.u8();
  v.valore_d = r.i32();
  return v;
}

using file_prova::leggi;

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
  lettore_byte r(b);
  for (std::size_t i = 0; i < numero_voci; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(leggi_voce(r), tabella[i]);
  }
  EXPECT_TRUE(r.finito());
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
  lettore_byte r(b);
  for (std::size_t i = 0; i < n; ++i) {
    if (leggi_cella(r) != celle[i]) {
      ADD_FAILURE() << "cell " << i << " differs";
      break;
    }
  }
  EXPECT_TRUE(r.finito());
}

TEST(FileCompilatiTest, PlanFileOfA309000MetreRoute) {
  const std::int64_t lunghezza = 309000;
  const tracciato_piano t = piano_di(lunghezza);
  const file_prova::cartella prova;
  const fs::path& c = prova.percorso();
  const fs::path f = c / "Vendralo_linea.dat";
  {
    file_sostitutivo w(f);
    ASSERT_TRUE(w.apri().ok());
    ASSERT_TRUE(scrivi_piano(w, t).ok());
    ASSERT_TRUE(w.conferma().ok());
  }
  const std::string b = leggi(f);
  ASSERT_EQ(b.size(), 6319964u);

  // Per coordinate: two integers, L + 6997 doubles, two empty records.
  lettore_byte r(b);
  const auto ultimo = static_cast<std::size_t>(lunghezza + 7000);
  for (int coordinata = 0; coordinata < 2; ++coordinata) {
    SCOPED_TRACE(coordinata);
    EXPECT_EQ(r.i16(), 2);
    EXPECT_EQ(r.i16(), 0);
    EXPECT_EQ(r.i16(), 2);
    EXPECT_EQ(r.i16(), coordinata == 0 ? 0 : 1);
    for (std::size_t m = 2; m <= ultimo - 2; ++m) {
      const std::int16_t tipo = r.i16();
      const double v = r.f64();
      const double atteso = coordinata == 0 ? static_cast<double>(m) * 0.25
                                            : -static_cast<double>(m);
      if (tipo != 5 || v != atteso) {
        ADD_FAILURE() << "metre " << m << ": type " << tipo << " value " << v;
        return;
      }
    }
    EXPECT_EQ(r.i16(), 0);
    EXPECT_EQ(r.i16(), 0);
  }
  EXPECT_TRUE(r.finito());
}

TEST(FileCompilatiTest, PlanBlocksMatchOneRun) {
  // A plan longer than one block gives the same bytes as the elements
  // encoded in one run.
  const tracciato_piano t = piano_di(200000);
  std::string atteso;
  append_punti(atteso, t, 0, 0, t.metri());
  append_punti(atteso, t, 1, 0, t.metri());
  const file_prova::cartella prova;
  const fs::path& c = prova.percorso();
  const fs::path f = c / "p.dat";
  {
    file_sostitutivo w(f);
    ASSERT_TRUE(w.apri().ok());
    ASSERT_TRUE(scrivi_piano(w, t).ok());
    ASSERT_TRUE(w.conferma().ok());
  }
  EXPECT_TRUE(leggi(f) == atteso);
}
