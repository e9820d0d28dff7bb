// The profile view of the plot, in kilometres along the route: the line
// speed limit and the gradient as step lines on scales of their own, the
// mountain sections, the stations, the signals and the speed-restriction
// starts and ends, with axes, units and a legend.
#ifndef VISTE_PROFILO_H_
#define VISTE_PROFILO_H_

#include "viste/lettura_compilati.h"
#include "viste/riepilogo.h"
#include "viste/svg.h"

namespace viste {

// Appends the group <g id="profilo">: one marker of class "stazione" and one
// label of class "nome-stazione" for every station on the axis.
void disegna_profilo(documento_svg& svg, const file_compilati_letti& f,
                     const riepilogo& r);

}  // namespace viste

#endif  // VISTE_PROFILO_H_
