// Places of the rows behind the model.
#include "compiler/righe_lette.h"

#include <algorithm>
#include <limits>
#include <string>

#include "source/nomi_file.h"

namespace compiler {

namespace {

std::int32_t stretto(std::int64_t v) {
  return static_cast<std::int32_t>(
      std::clamp<std::int64_t>(v, 0, std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

campo_sorgente campo_di(std::string_view byte, const source::posto_token& t) {
  campo_sorgente c;
  c.riga = stretto(t.riga);
  c.colonna = stretto(t.colonna());
  c.larghezza = stretto(static_cast<std::int64_t>(t.lunghezza));
  c.testo_riga.assign(source::riga_di(byte, t));
  return c;
}

luogo_sorgente luogo_di(const riferimento_riga& r, std::string_view linea,
                        std::string_view treno, std::string_view nome_linea,
                        std::string_view nome_treno) {
  const std::string_view byte = r.di_linea ? linea : treno;
  return {r.di_linea
              ? source::nomi_file::nome_sorgente_linea(nome_linea)
              : source::nomi_file::nome_sorgente_treno(nome_linea, nome_treno),
          stretto(r.riga), campo_di(byte, r.posto)};
}

}  // namespace compiler
