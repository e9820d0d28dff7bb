// Storage of the plan geometry.
#include "compiler/tracciato.h"

#include <bit>
#include <cassert>
#include <cstdint>
#include <cstring>
#include <limits>

namespace compiler {

// The two vectors are storage: they keep their size from one plan to the
// next and metri_ says how much of them is in use, so that a plan made
// again is cleared with two memsets instead of element by element.
static_assert(static_cast<int>(tipo_punto::vuoto) == 0);
static_assert(std::numeric_limits<double>::is_iec559);  // 0.0 is all zeros

namespace {

static_assert(sizeof(tipo_punto) == 1);

void segna_doppi(tipo_punto* t, std::size_t n) {
  std::memset(t, static_cast<int>(tipo_punto::doppio), n);
}

}  // namespace

void tracciato_piano::crea(std::size_t ultimo_metro) {
  metri_ = ultimo_metro + 1;
  if (tipi_.size() < 2 * metri_) {
    tipi_.resize(2 * metri_);
    valori_.resize(2 * metri_);
  }
  std::memset(tipi_.data(), 0, 2 * metri_ * sizeof(tipo_punto));
  std::memset(valori_.data(), 0, 2 * metri_ * sizeof(double));
}

void tracciato_piano::svuota() { metri_ = 0; }

void tracciato_piano::inizia() {
  assert(metri_ >= 2);
  metti_intero(0, 0, 0);
  metti_intero(0, 1, 0);
  metti_intero(1, 0, 0);
  metti_intero(1, 1, 1);
}

// The loops below walk raw arrays: the metre index is tested once, by the
// caller's contract, instead of at every element.
void tracciato_piano::prosegui_retto(std::size_t da, std::size_t a) {
  assert(da >= 2 && a < metri_);
  segna_doppi(tipi_.data() + da, a - da + 1);
  segna_doppi(tipi_.data() + metri_ + da, a - da + 1);
  double* x = valori_.data();
  double* y = x + metri_;
  // The two points before m stay in registers: each point is stored, never
  // read back.
  double x0 = x[da - 2], x1 = x[da - 1];
  double y0 = y[da - 2], y1 = y[da - 1];
  for (std::size_t m = da; m <= a; ++m) {
    const double x2 = x1 + (x1 - x0);
    const double y2 = y1 + (y1 - y0);
    x[m] = x2;
    y[m] = y2;
    x0 = x1;
    x1 = x2;
    y0 = y1;
    y1 = y2;
  }
}

void tracciato_piano::prosegui_curva(std::size_t da, std::size_t a, double c) {
  assert(da >= 2 && a < metri_);
  segna_doppi(tipi_.data() + da, a - da + 1);
  segna_doppi(tipi_.data() + metri_ + da, a - da + 1);
  double* x = valori_.data();
  double* y = x + metri_;
  double x0 = x[da - 2], x1 = x[da - 1];
  double y0 = y[da - 2], y1 = y[da - 1];
  for (std::size_t m = da; m <= a; ++m) {
    const double dx = x1 - x0;
    const double dy = y1 - y0;
    const double x2 = (x1 + dx) + c * dy;
    const double y2 = (y1 + dy) - c * dx;
    x[m] = x2;
    y[m] = y2;
    x0 = x1;
    x1 = x2;
    y0 = y1;
    y1 = y2;
  }
}

bool tracciato_piano::operator==(const tracciato_piano& altro) const {
  if (metri_ != altro.metri_) return false;
  const std::size_t n = 2 * metri_;
  const tipo_punto* t = tipi_.data();
  const tipo_punto* u = altro.tipi_.data();
  const double* v = valori_.data();
  const double* w = altro.valori_.data();
  for (std::size_t i = 0; i < n; ++i) {
    if (t[i] != u[i]) return false;
    if (t[i] != tipo_punto::vuoto && std::bit_cast<std::uint64_t>(v[i]) !=
                                         std::bit_cast<std::uint64_t>(w[i])) {
      return false;
    }
  }
  return true;
}

}  // namespace compiler
