// Thinning for the drawing.
#include "viste/diradamento.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace viste {

namespace {

// The square of the distance: the thinning compares it with the square of
// its step, so it never takes a root.
double distanza2(const punto_pagina& a, const punto_pagina& b) {
  const double dx = a.x - b.x;
  const double dy = a.y - b.y;
  return dx * dx + dy * dy;
}

}  // namespace

void diradatore::aggiungi(const punto_pagina& p) {
  if (tenuti_.empty() || distanza2(tenuti_.back(), p) >= passo_ * passo_) {
    tenuti_.push_back(p);
    ultimo_tenuto_ = true;
  } else {
    ultimo_ = p;
    ultimo_tenuto_ = false;
  }
}

std::vector<punto_pagina> diradatore::fine() {
  if (!ultimo_tenuto_) tenuti_.push_back(ultimo_);
  ultimo_tenuto_ = true;
  return std::exchange(tenuti_, {});
}

std::vector<punto_pagina> linea_a_gradini(std::span<const gradino> gradini,
                                          double x_fine, double colonna) {
  std::vector<punto_pagina> out;
  auto metti = [&out](double x, double y) {
    if (out.empty() || !(out.back() == punto_pagina{x, y})) {
      out.push_back({x, y});
    }
  };
  if (gradini.empty()) return out;
  metti(gradini[0].x, gradini[0].y);
  double y = gradini[0].y;
  std::size_t i = 1;
  while (i < gradini.size()) {
    const double col = std::floor(gradini[i].x / colonna);
    const double x = gradini[i].x;
    double y_min = y;
    double y_max = y;
    std::size_t j = i;
    for (; j < gradini.size() && std::floor(gradini[j].x / colonna) == col;
         ++j) {
      y_min = std::min(y_min, gradini[j].y);
      y_max = std::max(y_max, gradini[j].y);
    }
    metti(x, y);
    if (j - i > 1) {
      metti(x, y_min);
      metti(x, y_max);
    }
    y = gradini[j - 1].y;
    metti(x, y);
    i = j;
  }
  metti(x_fine, y);
  return out;
}

std::vector<double> segni_per_colonna(std::span<const double> x,
                                      double colonna) {
  std::vector<double> out;
  double ultima = 0;
  for (double v : x) {
    const double col = std::floor(v / colonna);
    if (out.empty() || col != ultima) {
      out.push_back(v);
      ultima = col;
    }
  }
  return out;
}

std::vector<intervallo> unisci_intervalli(std::span<const intervallo> tratti,
                                          double colonna) {
  std::vector<intervallo> out;
  for (const intervallo& t : tratti) {
    if (!out.empty() && t.da - out.back().a < colonna) {
      out.back().a = std::max(out.back().a, t.a);
    } else {
      out.push_back(t);
    }
  }
  return out;
}

}  // namespace viste
