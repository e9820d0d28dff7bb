// Ordering of the kilometre progressives in slots 81 to 83.
#include "compiler/progressive.h"

#include <array>
#include <cstdint>

namespace compiler {

namespace {

struct definizione {
  std::int32_t p = 0;  // "valore_a": where it starts, metres
  std::int32_t k = 0;  // "valore_b": its value there, metres
  std::int32_t f = 0;  // "valore_c": flag
};

}  // namespace

ordine_progressive progressive_ordina(scenario& s) {
  constexpr std::array<std::size_t, 3> voci = {
      voce_progressiva_tre, voce_progressiva_due, voce_progressiva_uno};
  std::array<definizione, 3> letta;  // index 0: slot 81
  for (std::size_t i = 0; i < 3; ++i) {
    const voce_dati& v = s.tabella_dati[voci[i]];
    letta[i] = {v.valore_a, v.valore_b, v.valore_c};
  }
  std::array<definizione, 3> nuova = letta;
  std::array<std::size_t, 3> da = {0, 1, 2};  // index into letta
  bool azzerate = false;
  const definizione zero{};

  const std::int64_t somma = std::int64_t{letta[0].p} + letta[1].p + letta[2].p;
  if (somma != 0) {
    std::size_t massimo = 3;
    for (std::size_t i = 0; i < 3; ++i) {
      const std::size_t a = (i + 1) % 3;
      const std::size_t b = (i + 2) % 3;
      if (letta[i].p > letta[a].p && letta[i].p > letta[b].p) massimo = i;
    }
    if (massimo == 3) {
      nuova = {zero, zero, zero};  // the greatest start is shared
      azzerate = true;
    } else {
      // The other two in slot order; on equal starts the one from the
      // higher-numbered slot comes first.
      std::size_t primo = massimo == 0 ? 1 : 0;
      std::size_t secondo = massimo == 2 ? 1 : 2;
      if (letta[secondo].p >= letta[primo].p) std::swap(primo, secondo);
      nuova = {letta[massimo], letta[primo], letta[secondo]};
      da = {massimo, primo, secondo};
    }
  } else if (letta[2].k > 0) {
    std::swap(nuova[0], nuova[2]);
    std::swap(da[0], da[2]);
  } else if (letta[1].k > 0) {
    std::swap(nuova[0], nuova[1]);
    std::swap(da[0], da[1]);
  } else if (letta[0].k <= 0) {
    nuova = {zero, zero, zero};
    azzerate = true;
  }

  for (std::size_t i = 0; i < 3; ++i) {
    voce_dati& v = s.tabella_dati[voci[i]];
    v.valore_a = nuova[i].p;
    v.valore_b = nuova[i].k;
    v.valore_c = nuova[i].f;
    if (v.valore_c == 1) {
      v.valore_b = static_cast<std::int32_t>(
          static_cast<std::uint32_t>(v.valore_b) + 100u);
    }
  }
  ordine_progressive o;
  o.azzerate = azzerate;
  for (std::size_t i = 0; i < 3; ++i) o.da[i] = azzerate ? 0 : voci[da[i]];
  return o;
}

}  // namespace compiler
