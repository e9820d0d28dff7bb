// Thinning of what a drawing shows to what a page can show: polylines,
// step lines, marks and spans in page units, so that the size of a drawing
// depends on the page and not on the length of the route.
#ifndef VISTE_DIRADAMENTO_H_
#define VISTE_DIRADAMENTO_H_

#include <cstddef>
#include <span>
#include <vector>

namespace viste {

struct punto_pagina {
  double x = 0;
  double y = 0;
  bool operator==(const punto_pagina&) const = default;
};

// A polyline thinned point by point, so that a line too long to hold is
// never held: offer each point with aggiungi, then take the kept ones with
// fine. It keeps the first point, every point at least `passo` from the
// last one kept, and the last point: at most 2 + (length of the line) /
// passo points.
class diradatore {
 public:
  // REQUIRES: passo > 0.
  explicit diradatore(double passo) : passo_(passo) {}

  void aggiungi(const punto_pagina& p);
  // The kept points, the last one offered included; the thinning starts
  // afresh.
  std::vector<punto_pagina> fine();

 private:
  double passo_;
  std::vector<punto_pagina> tenuti_;
  punto_pagina ultimo_;
  bool ultimo_tenuto_ = true;
};

// One run of a step line: `y` holds from `x` to the next run's x.
struct gradino {
  double x = 0;
  double y = 0;
};

// The vertices of the step line through `gradini` (increasing x), ending at
// `x_fine`. Runs that start within the same column of width `colonna` are
// drawn as one vertical stroke over their range, so there are at most four
// vertices per column, plus two.
// REQUIRES: colonna > 0; x_fine >= the last run's x.
std::vector<punto_pagina> linea_a_gradini(std::span<const gradino> gradini,
                                          double x_fine, double colonna);

// Of marks at increasing x, the first of every column of width `colonna`.
// REQUIRES: colonna > 0.
std::vector<double> segni_per_colonna(std::span<const double> x,
                                      double colonna);

struct intervallo {
  double da = 0;
  double a = 0;
  bool operator==(const intervallo&) const = default;
};

// Spans at increasing `da` that do not overlap, with those closer than
// `colonna` to the one before merged into it.
// REQUIRES: colonna > 0.
std::vector<intervallo> unisci_intervalli(std::span<const intervallo> tratti,
                                          double colonna);

}  // namespace viste

#endif  // VISTE_DIRADAMENTO_H_
