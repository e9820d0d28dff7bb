// Decoders of the compiled files. Each walks its records in file order with
// the layout the encoder wrote, testing every length before it reads.
#include "compiler/decodifica.h"

#include <cstdint>
#include <utility>

#include "compiler/codifica.h"
#include "compiler/file_compilati.h"

namespace compiler {

namespace {

esito_decodifica guasto(std::size_t offset, std::string motivo) {
  return {offset, std::move(motivo)};
}

std::string n(std::size_t v) { return std::to_string(v); }

// The second pass of the plan decoder, over records already checked.
void carica_punti(const char* p, tracciato_piano& t) {
  for (int coordinata = 0; coordinata < 2; ++coordinata) {
    tipo_punto* tipi = t.tipi(coordinata);
    double* valori = t.valori(coordinata);
    for (std::size_t m = 0; m < t.metri(); ++m) {
      const auto tp = static_cast<tipo_punto>(get_i16_le(p));
      tipi[m] = tp;
      switch (tp) {
        case tipo_punto::vuoto:
          p += punto_vuoto_size;
          break;
        case tipo_punto::intero:
          valori[m] = get_i16_le(p + 2);
          p += punto_intero_size;
          break;
        case tipo_punto::doppio:
          valori[m] = get_f64_le(p + 2);
          p += punto_doppio_size;
          break;
      }
    }
  }
}

}  // namespace

esito_decodifica decodifica_celle(std::string_view byte,
                                  std::vector<cella>& celle) {
  const std::size_t resto = byte.size() % cella_record_size;
  if (resto != 0) {
    return guasto(byte.size() - resto,
                  "la dimensione " + n(byte.size()) +
                      " non è un numero intero di celle da " +
                      n(cella_record_size) + " byte (ne avanzano " + n(resto) +
                      ")");
  }
  celle.assign(byte.size() / cella_record_size, cella{});
  const char* p = byte.data();
  for (cella& c : celle) {
    c.tipo_cella = get_u8(p);
    c.valore1 = get_i16_le(p + 1);
    c.valore2 = get_i16_le(p + 3);
    c.valore3 = get_i16_le(p + 5);
    c.valore4 = get_i16_le(p + 7);
    c.tempo_segnale = get_u8(p + 9);
    c.avviso = get_u8(p + 10);
    c.tipo_montagna = get_u8(p + 11);
    c.velocita_linea = get_u8(p + 12);
    c.pendenza_linea = get_u8(p + 13);
    c.aderenza_linea = get_u8(p + 14);
    p += cella_record_size;
  }
  return {};
}

esito_decodifica decodifica_tabella(
    std::string_view byte, std::array<voce_dati, numero_voci>& tabella) {
  // Offsets within a slot: the text length at 14, the text at 16, then the
  // 18 bytes after it.
  constexpr std::size_t prima_del_testo = 16;
  constexpr std::size_t dopo_il_testo = voce_record_size - prima_del_testo;
  std::size_t o = 0;
  for (std::size_t k = 0; k < numero_voci; ++k) {
    const std::size_t resta = byte.size() - o;
    if (resta < prima_del_testo) {
      return guasto(o, "il file finisce dentro la voce " + n(k) + " di " +
                           n(numero_voci) + " (solo " + n(k) + " voci intere)");
    }
    const char* p = byte.data() + o;
    const std::int16_t lunghezza = get_i16_le(p + 14);
    if (lunghezza < 0) {
      return guasto(o + 14, "la voce " + n(k) +
                                " ha una lunghezza del testo negativa (" +
                                std::to_string(lunghezza) + ")");
    }
    const auto testo = static_cast<std::size_t>(lunghezza);
    if (resta - prima_del_testo < testo) {
      return guasto(o + prima_del_testo,
                    "il testo della voce " + n(k) + " (" + n(testo) +
                        " byte) va oltre la fine del file");
    }
    if (resta - prima_del_testo - testo < dopo_il_testo) {
      return guasto(o + prima_del_testo + testo,
                    "il file finisce dentro la voce " + n(k) + " di " +
                        n(numero_voci) + " (solo " + n(k) + " voci intere)");
    }
    voce_dati& v = tabella[k];
    v.categoria = get_u8(p);
    v.valore_a = get_i32_le(p + 1);
    v.valore_b = get_i32_le(p + 5);
    v.valore_c = get_i32_le(p + 9);
    v.opzione = get_u8(p + 13);
    v.testo.assign(p + prima_del_testo, testo);
    const char* q = p + prima_del_testo + testo;
    v.numero_1 = get_i16_le(q);
    v.numero_2 = get_i16_le(q + 2);
    v.numero_3 = get_i16_le(q + 4);
    v.numero_4 = get_i16_le(q + 6);
    v.numero_5 = get_i16_le(q + 8);
    v.cifra_1 = get_u8(q + 10);
    v.sosta = get_u8(q + 11);
    v.cifra_2 = get_u8(q + 12);
    v.cifra_3 = get_u8(q + 13);
    v.valore_d = get_i32_le(q + 14);
    o += voce_record_size + testo;
  }
  if (o != byte.size()) {
    return guasto(o, n(byte.size() - o) + " byte seguono l'ultima voce (" +
                         n(numero_voci - 1) + ")");
  }
  return {};
}

esito_decodifica misura_piano(std::string_view byte, std::size_t& metri) {
  std::size_t record = 0;
  for (std::size_t o = 0; o < byte.size(); ++record) {
    if (byte.size() - o < punto_vuoto_size) {
      return guasto(o, "il file finisce dentro il codice di tipo del record " +
                           n(record));
    }
    const std::int16_t codice = get_i16_le(byte.data() + o);
    std::size_t lunghezza = 0;
    switch (codice) {
      case static_cast<std::int16_t>(tipo_punto::vuoto):
        lunghezza = punto_vuoto_size;
        break;
      case static_cast<std::int16_t>(tipo_punto::intero):
        lunghezza = punto_intero_size;
        break;
      case static_cast<std::int16_t>(tipo_punto::doppio):
        lunghezza = punto_doppio_size;
        break;
      default:
        return guasto(o, "il record " + n(record) +
                             " ha il codice di tipo sconosciuto " +
                             std::to_string(codice) + " (attesi 0, 2 o 5)");
    }
    if (byte.size() - o < lunghezza) {
      return guasto(o,
                    "il file finisce dentro il valore del record " + n(record));
    }
    o += lunghezza;
  }
  if (record % 2 != 0) {
    return guasto(byte.size(),
                  "numero dispari di record (" + n(record) +
                      "): le due coordinate hanno lunghezze diverse");
  }
  metri = record / 2;
  return {};
}

esito_decodifica decodifica_piano(std::string_view byte, tracciato_piano& t) {
  // First pass: the records and their count, so that the plan is sized once.
  std::size_t metri = 0;
  if (esito_decodifica e = misura_piano(byte, metri); !e.ok()) return e;
  if (metri == 0) {
    t.svuota();
    return {};
  }
  t.crea(metri - 1);
  carica_punti(byte.data(), t);
  return {};
}

}  // namespace compiler
