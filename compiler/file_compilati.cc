// Writers of the compiled files. Each one is a list of put_* calls in file
// order under its record layout; the order is the file format.
#include "compiler/file_compilati.h"

#include <algorithm>
#include <cassert>

#include "compiler/codifica.h"

namespace {

// Widest plan record: type code and a double.
constexpr std::size_t punto_record_massimo = 10;

// Metres encoded per block of the plan file, so a block stays under 1 MiB
// however long the route is.
constexpr std::size_t metri_per_blocco = 1 << 16;

}  // namespace

// Plan element, a variant record of 2, 4 or 10 bytes:
//   type i16 (0 empty, 2 integer, 5 double) | nothing, i16 or f64
// Elements run metre 0 .. last of coordinate 0, then of coordinate 1.
void append_punti(std::string& out, const tracciato_piano& t, int coordinata,
                  std::size_t da, std::size_t a) {
  // Sized once for the widest records, then cut to what was written: the
  // plan is millions of records, too many to append byte by byte.
  const std::size_t inizio = out.size();
  out.resize(inizio + (a - da) * punto_record_massimo);
  char* p = out.data() + inizio;
  for (std::size_t m = da; m < a; ++m) {
    const tipo_punto tp = t.tipo(m, coordinata);
    p = encode_i16_le(p, static_cast<std::int16_t>(tp));
    switch (tp) {
      case tipo_punto::vuoto:
        break;
      case tipo_punto::intero:
        p = encode_i16_le(p,
                          static_cast<std::int16_t>(t.valore(m, coordinata)));
        break;
      case tipo_punto::doppio:
        p = encode_f64_le(p, t.valore(m, coordinata));
        break;
    }
  }
  out.resize(static_cast<std::size_t>(p - out.data()));
}

io_status scrivi_piano(file_sostitutivo& f, const tracciato_piano& t) {
  std::string blocco;
  blocco.reserve(metri_per_blocco * punto_record_massimo);
  for (int coordinata = 0; coordinata < 2; ++coordinata) {
    for (std::size_t da = 0; da < t.metri(); da += metri_per_blocco) {
      const std::size_t a = std::min(t.metri(), da + metri_per_blocco);
      blocco.clear();
      append_punti(blocco, t, coordinata, da, a);
      if (io_status st = f.scrivi(blocco); !st.ok()) return st;
    }
  }
  return {};
}

// voce_dati record, 34 bytes plus n, all little-endian, in this order:
//   categoria u8 | valore_a i32 | valore_b i32 | valore_c i32 | opzione u8 |
//   n i16 | n bytes of testo | numero_1..numero_5 i16 x5 | cifra_1 u8 |
//   sosta u8 | cifra_2 u8 | cifra_3 u8 | valore_d i32
// The order is the file format: do not reorder.
void append_voce(std::string& out, const voce_dati& v) {
  assert(v.testo.size() <= lunghezza_massima_testo);
  put_u8(out, v.categoria);
  put_i32_le(out, v.valore_a);
  put_i32_le(out, v.valore_b);
  put_i32_le(out, v.valore_c);
  put_u8(out, v.opzione);
  put_i16_le(out, static_cast<std::int16_t>(v.testo.size()));
  out.append(v.testo);
  put_i16_le(out, v.numero_1);
  put_i16_le(out, v.numero_2);
  put_i16_le(out, v.numero_3);
  put_i16_le(out, v.numero_4);
  put_i16_le(out, v.numero_5);
  put_u8(out, v.cifra_1);
  put_u8(out, v.sosta);
  put_u8(out, v.cifra_2);
  put_u8(out, v.cifra_3);
  put_i32_le(out, v.valore_d);
}

std::string codifica_tabella(
    const std::array<voce_dati, numero_voci>& tabella) {
  std::size_t totale = 0;
  for (const voce_dati& v : tabella)
    totale += voce_record_size + v.testo.size();
  std::string out;
  out.reserve(totale);
  for (const voce_dati& v : tabella) append_voce(out, v);
  return out;
}

// cella record, 15 bytes, all little-endian, in this order:
//   tipo_cella u8 | valore1..valore4 i16 x4 | tempo_segnale u8 | avviso u8 |
//   tipo_montagna u8 | velocita_linea u8 | pendenza_linea u8 |
//   aderenza_linea u8
// The order is the file format: do not reorder.
void append_cella(std::string& out, const cella& c) {
  put_u8(out, c.tipo_cella);
  put_i16_le(out, c.valore1);
  put_i16_le(out, c.valore2);
  put_i16_le(out, c.valore3);
  put_i16_le(out, c.valore4);
  put_u8(out, c.tempo_segnale);
  put_u8(out, c.avviso);
  put_u8(out, c.tipo_montagna);
  put_u8(out, c.velocita_linea);
  put_u8(out, c.pendenza_linea);
  put_u8(out, c.aderenza_linea);
}

std::string codifica_celle(const std::vector<cella>& celle) {
  std::string out;
  out.reserve(celle.size() * cella_record_size);
  for (const cella& c : celle) append_cella(out, c);
  return out;
}
