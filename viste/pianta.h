// The plan view of the plot: the line of the plan file, north up and at
// equal scales, framed on the route itself (the run beyond its end is
// dashed and cut at the frame), every station marked and named where its
// name covers no other name and no marker, a north arrow, a scale bar and
// a legend.
#ifndef VISTE_PIANTA_H_
#define VISTE_PIANTA_H_

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "viste/diradamento.h"
#include "viste/lettura_compilati.h"
#include "viste/riepilogo.h"
#include "viste/svg.h"

namespace viste {

// The plan's layout, worked out before anything is drawn, so that the page
// knows its height.
struct pianta_impaginata {
  double y0 = 0;      // top of the view
  riquadro cornice;   // the frame of the plan
  double fondo = 0;   // bottom of the view, legend included
  std::string vuota;  // why there is no plan to draw; empty when there is

  // Plan metres to the page.
  double s = 1, ox = 0, oy = 0, x_min = 0, y_max = 0;
  punto_pagina operator()(const punto_piano& p) const {
    return {ox + (p.x - x_min) * s, oy + (y_max - p.y) * s};
  }

  struct stazione {
    std::size_t voce = 0;
    punto_pagina punto;
    bool oltre_fine = false;  // past the end of the route
    testo_pagina nome;
    // The leader from the marker to a name set apart from it.
    std::optional<std::pair<punto_pagina, punto_pagina>> guida;
  };
  std::vector<stazione> stazioni;  // in route order, those the plan holds
  riquadro nord;                   // the north arrow and its letter
  riquadro scala;                  // the scale bar and its text
  double metri_scala = 0;
  double y_legenda = 0;

  // The line, thinned, in pieces broken where a point is missing: the
  // route, and the run beyond its end.
  std::vector<std::vector<punto_pagina>> tracciato;
  std::vector<std::vector<punto_pagina>> coda;
};

// REQUIRES: y0 finite.
pianta_impaginata impagina_pianta(const file_compilati_letti& f,
                                  const riepilogo& r, double y0);

// Appends the group <g id="pianta">: one marker of class "stazione" and one
// label of class "nome-stazione" for every station the plan holds, in
// route order.
void disegna_pianta(documento_svg& svg, const file_compilati_letti& f,
                    const riepilogo& r, const pianta_impaginata& p);

}  // namespace viste

#endif  // VISTE_PIANTA_H_
