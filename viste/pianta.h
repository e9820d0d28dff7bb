// The plan view of the plot: the line of the plan file, north up and at
// equal scales, the run beyond the end of the route dashed, every station
// marked and named, a north arrow, a scale bar and a legend.
#ifndef VISTE_PIANTA_H_
#define VISTE_PIANTA_H_

#include "viste/lettura_compilati.h"
#include "viste/riepilogo.h"
#include "viste/svg.h"

namespace viste {

// Appends the group <g id="pianta">: one marker of class "stazione" and one
// label of class "nome-stazione" for every station the plan holds.
void disegna_pianta(documento_svg& svg, const file_compilati_letti& f,
                    const riepilogo& r);

}  // namespace viste

#endif  // VISTE_PIANTA_H_
