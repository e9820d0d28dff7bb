// Access to the cell grid by signed index: the reader, placement, stations
// and the finishing pass compute cell numbers that may fall before cell 0 or
// past the last cell, and test them here before they touch a cell.
#ifndef COMPILER_GRIGLIA_H_
#define COMPILER_GRIGLIA_H_

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "compiler/scenario.h"

namespace compiler {

class griglia {
 public:
  explicit griglia(std::vector<cella>& celle) : celle_(celle) {}

  // Last index; -1 for a grid that does not exist yet.
  std::int64_t ultima() const {
    return static_cast<std::int64_t>(celle_.size()) - 1;
  }
  bool contiene(std::int64_t i) const { return i >= 0 && i <= ultima(); }

  // REQUIRES: contiene(i).
  cella& operator[](std::int64_t i) {
    assert(contiene(i));
    return celle_[static_cast<std::size_t>(i)];
  }
  const cella& operator[](std::int64_t i) const {
    assert(contiene(i));
    return celle_[static_cast<std::size_t>(i)];
  }

  // Cells da .. a, for loops that test their bounds once.
  // REQUIRES: 0 <= da, a <= ultima(); empty when a < da.
  std::span<cella> tratto(std::int64_t da, std::int64_t a) {
    assert(da >= 0 && a <= ultima());
    if (a < da) return {};
    return std::span<cella>(celle_).subspan(
        static_cast<std::size_t>(da), static_cast<std::size_t>(a - da + 1));
  }

 private:
  std::vector<cella>& celle_;
};

// True when the cell has kind `t`.
inline bool di_tipo(const cella& c, tipo t) {
  return c.tipo_cella == static_cast<std::uint8_t>(t);
}

// Stores kind `t` in the cell.
inline void metti_tipo(cella& c, tipo t) {
  c.tipo_cella = static_cast<std::uint8_t>(t);
}

// What a cell of this kind holds, in Italian with its article: "un
// segnale", "un cartello indicatore".
inline std::string_view nome_tipo_cella(std::uint8_t tipo_cella) {
  switch (static_cast<tipo>(tipo_cella)) {
    case tipo::vuota:
      return "nulla";
    case tipo::segnale:
      return "un segnale";
    case tipo::fine_rallentamento:
      return "la fine di un rallentamento";
    case tipo::inizio_rallentamento:
      return "l'inizio di un rallentamento";
    case tipo::avviso_rallentamento:
      return "il punto di avviso di un rallentamento";
    case tipo::conto_alla_rovescia:
      return "il conto alla rovescia di un rallentamento";
    case tipo::indicatore_v_max:
      return "un indicatore di velocità massima";
    case tipo::fermata:
      return "la fermata di una stazione";
    case tipo::segno_montagna:
      return "un segno di montagna";
    case tipo::abbattimento:
      return "un punto di abbattimento";
    case tipo::abbattimento_nullo:
      return "un punto di abbattimento senza velocità";
    case tipo::cartello:
      return "un cartello indicatore";
  }
  return "un elemento sconosciuto";
}

}  // namespace compiler

#endif  // COMPILER_GRIGLIA_H_
