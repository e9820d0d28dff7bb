// Writers of the compiled files. Each one is a list of put_* calls in file
// order under its record layout; the order is the file format.
#include "compiler/file_compilati.h"

#include <cassert>

#include "compiler/codifica.h"

namespace compiler {

// Plan element, a variant record of 2, 4 or 10 bytes:
//   type i16 (0 empty, 2 integer, 5 double) | nothing, i16 or f64
// Elements run metre 0 .. last of coordinate 0, then of coordinate 1.
void append_punti(std::string& out, const tracciato_piano& t, int coordinata,
                  std::size_t da, std::size_t a) {
  // Sized once for the widest records, then cut to what was written: the
  // plan is millions of records, too many to append one by one.
  const std::size_t inizio = out.size();
  out.resize(inizio + (a - da) * punto_doppio_size);
  char* p = out.data() + inizio;
  const tipo_punto* tipi = t.tipi(coordinata);
  const double* valori = t.valori(coordinata);
  for (std::size_t m = da; m < a; ++m) {
    const tipo_punto tp = tipi[m];
    p = encode_i16_le(p, static_cast<std::int16_t>(tp));
    switch (tp) {
      case tipo_punto::vuoto:
        break;
      case tipo_punto::intero:
        p = encode_i16_le(p, static_cast<std::int16_t>(valori[m]));
        break;
      case tipo_punto::doppio:
        p = encode_f64_le(p, valori[m]);
        break;
    }
  }
  out.resize(static_cast<std::size_t>(p - out.data()));
}

void append_piano(std::string& out, const tracciato_piano& t) {
  // Room for the widest records, cut to what was written; the plan is
  // millions of records, too many to append one by one.
  out.reserve(out.size() + 2 * t.metri() * punto_doppio_size);
  append_punti(out, t, 0, 0, t.metri());
  append_punti(out, t, 1, 0, t.metri());
}

std::string codifica_piano(const tracciato_piano& t) {
  std::string out;
  append_piano(out, t);
  return out;
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

void append_tabella(std::string& out,
                    const std::array<voce_dati, numero_voci>& tabella) {
  std::size_t totale = out.size();
  for (const voce_dati& v : tabella) {
    totale += voce_record_size + v.testo.size();
  }
  out.reserve(totale);
  for (const voce_dati& v : tabella) append_voce(out, v);
}

std::string codifica_tabella(
    const std::array<voce_dati, numero_voci>& tabella) {
  std::string out;
  append_tabella(out, tabella);
  return out;
}

// cella record, 15 bytes, all little-endian, in this order:
//   tipo_cella u8 | valore1..valore4 i16 x4 | tempo_segnale u8 | avviso u8 |
//   tipo_montagna u8 | velocita_linea u8 | pendenza_linea u8 |
//   aderenza_linea u8
// The order is the file format: do not reorder.
char* encode_cella(char* p, const cella& c) {
  p = encode_u8(p, c.tipo_cella);
  p = encode_i16_le(p, c.valore1);
  p = encode_i16_le(p, c.valore2);
  p = encode_i16_le(p, c.valore3);
  p = encode_i16_le(p, c.valore4);
  p = encode_u8(p, c.tempo_segnale);
  p = encode_u8(p, c.avviso);
  p = encode_u8(p, c.tipo_montagna);
  p = encode_u8(p, c.velocita_linea);
  p = encode_u8(p, c.pendenza_linea);
  return encode_u8(p, c.aderenza_linea);
}

void append_cella(std::string& out, const cella& c) {
  const std::size_t inizio = out.size();
  out.resize(inizio + cella_record_size);
  encode_cella(out.data() + inizio, c);
}

void append_celle(std::string& out, const std::vector<cella>& celle) {
  // Sized once: the grid is tens of thousands of cells.
  const std::size_t inizio = out.size();
  out.resize(inizio + celle.size() * cella_record_size);
  char* p = out.data() + inizio;
  for (const cella& c : celle) p = encode_cella(p, c);
}

std::string codifica_celle(const std::vector<cella>& celle) {
  std::string out;
  append_celle(out, celle);
  return out;
}

}  // namespace compiler
