// The plan file read in place, over records whose layout is tested first.
#include "compiler/vista_piano.h"

#include <cassert>
#include <utility>

#include "compiler/codifica.h"

namespace compiler {

namespace {

// REQUIRES: p points at a record of a tested file.
std::size_t lunghezza_record(const char* p) {
  switch (static_cast<tipo_punto>(get_i16_le(p))) {
    case tipo_punto::vuoto:
      return punto_vuoto_size;
    case tipo_punto::intero:
      return punto_intero_size;
    case tipo_punto::doppio:
      return punto_doppio_size;
  }
  assert(false && "a record of a tested plan file");
  return punto_vuoto_size;
}

elemento_piano leggi_record(const char* p) {
  const auto t = static_cast<tipo_punto>(get_i16_le(p));
  switch (t) {
    case tipo_punto::vuoto:
      return {t, 0};
    case tipo_punto::intero:
      return {t, static_cast<double>(get_i16_le(p + 2))};
    case tipo_punto::doppio:
      return {t, get_f64_le(p + 2)};
  }
  return {};
}

}  // namespace

esito_decodifica vista_piano::apri(std::string byte) {
  svuota();
  std::size_t metri = 0;
  if (esito_decodifica e = misura_piano(byte, metri); !e.ok()) return e;
  byte_ = std::move(byte);
  metri_ = metri;
  const char* p = byte_.data();
  for (auto& indice : indice_) {
    indice.reserve(metri_ / passo_indice + 1);
    for (std::size_t m = 0; m < metri_; ++m) {
      if (m % passo_indice == 0) {
        indice.push_back(static_cast<std::size_t>(p - byte_.data()));
      }
      p += lunghezza_record(p);
    }
  }
  return {};
}

void vista_piano::svuota() {
  byte_.clear();
  byte_.shrink_to_fit();
  metri_ = 0;
  for (auto& indice : indice_) indice.clear();
}

std::size_t vista_piano::offset(std::size_t metro, int coordinata) const {
  assert(metro <= metri_ && (coordinata == 0 || coordinata == 1));
  if (metro == metri_) {
    // One past the last metre of the coordinate: where the next one starts.
    if (coordinata == 0 && metri_ > 0) return indice_[1].front();
    return byte_.size();
  }
  const auto& indice = indice_[static_cast<std::size_t>(coordinata)];
  std::size_t o = indice[metro / passo_indice];
  for (std::size_t m = metro - metro % passo_indice; m < metro; ++m) {
    o += lunghezza_record(byte_.data() + o);
  }
  return o;
}

elemento_piano vista_piano::elemento(std::size_t metro, int coordinata) const {
  assert(metro < metri_);
  return leggi_record(byte_.data() + offset(metro, coordinata));
}

vista_piano::cursore::cursore(const vista_piano& v, int coordinata,
                              std::size_t da)
    : p_(v.byte_.data() + v.offset(da, coordinata)) {}

elemento_piano vista_piano::cursore::prossimo() {
  const elemento_piano e = leggi_record(p_);
  p_ += lunghezza_record(p_);
  return e;
}

tracciato_piano tracciato_di(const vista_piano& v) {
  tracciato_piano t;
  if (v.metri() == 0) return t;
  t.crea(v.metri() - 1);
  for (int k = 0; k < 2; ++k) {
    vista_piano::cursore c(v, k, 0);
    for (std::size_t m = 0; m < v.metri(); ++m) {
      const elemento_piano e = c.prossimo();
      if (e.tipo == tipo_punto::intero) {
        t.metti_intero(m, k, static_cast<std::int16_t>(e.valore));
      } else if (e.tipo == tipo_punto::doppio) {
        t.metti_doppio(m, k, e.valore);
      }
    }
  }
  return t;
}

}  // namespace compiler
