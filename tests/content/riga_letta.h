// Reads one written source row back through the source formats' field
// reader and keyword tables, so the content tests check what the compiler
// will see rather than the writers' own tables.
#ifndef TESTS_CONTENT_RIGA_LETTA_H_
#define TESTS_CONTENT_RIGA_LETTA_H_

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "source/campi.h"
#include "source/record.h"

namespace riga_letta {

struct lettura {
  std::string errore;  // empty when the row read cleanly
  source::record kind = source::record::lunghezza_percorso;
  std::vector<std::int32_t> numeri;
  std::string testo;  // the text value, for rows that end with one
};

// The row must be recognised by exactly one record of `parte`, every value
// must read at its width, and nothing may be left on the line.
inline lettura leggi(std::string_view riga,
                     std::span<const source::tipo_record> parte) {
  lettura l;
  const std::string byte = std::string(riga) + "\r\n";
  source::lettore_campi in(byte);
  const std::string_view campo = *in.campo();
  const source::tipo_record* trovato = nullptr;
  for (const source::tipo_record& r : parte) {
    if (!riconosce(r, campo)) continue;
    if (trovato != nullptr) {
      l.errore = "keyword matches two records";
      return l;
    }
    trovato = &r;
  }
  if (trovato == nullptr) {
    l.errore = "keyword matches no record";
    return l;
  }
  l.kind = trovato->kind;
  for (const source::larghezza w : trovato->valori) {
    if (w == source::larghezza::testo) {
      l.testo = std::string(*in.testo());
      continue;
    }
    const auto v = in.numero(w);
    if (!v) {
      l.errore =
          "value " + std::to_string(l.numeri.size() + 1) + " does not read";
      return l;
    }
    l.numeri.push_back(*v);
  }
  if (!in.fine()) l.errore = "values left on the line";
  return l;
}

// True when no record of `parte` recognises the line's keyword field.
inline bool nessun_record(std::string_view riga,
                          std::span<const source::tipo_record> parte) {
  const std::string byte = std::string(riga) + "\r\n";
  source::lettore_campi in(byte);
  const std::string_view campo = *in.campo();
  for (const source::tipo_record& r : parte) {
    if (riconosce(r, campo)) return false;
  }
  return true;
}

}  // namespace riga_letta

#endif  // TESTS_CONTENT_RIGA_LETTA_H_
