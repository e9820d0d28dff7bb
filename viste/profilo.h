// The profile view of the plot, in kilometres along the route: the line
// speed limit and the gradient as step lines on scales of their own, the
// speed restrictions as steps of their own, the mountain sections, the
// stations named above the chart where no name covers another, and bands of
// the signals by kind, the speed boards, the lineside boards and the
// restriction starts and ends. What stands past the end of the route
// widens the axis and lies in a hatched stretch. Every marker carries a
// <title> with its details.
#ifndef VISTE_PROFILO_H_
#define VISTE_PROFILO_H_

#include <vector>

#include "viste/lettura_compilati.h"
#include "viste/riepilogo.h"
#include "viste/svg.h"

namespace viste {

// The profile's layout, worked out before anything is drawn.
struct profilo_impaginato {
  double y0 = 0;       // top of the view
  double nomi_y0 = 0;  // the band of the station names
  double nomi_y1 = 0;
  double grafico_y0 = 0;  // the chart
  double grafico_y1 = 0;
  double fasce_y0 = 0;  // the bands of markers under the chart
  double asse_y = 0;    // the kilometre axis
  double legenda_y = 0;
  double fondo = 0;

  // Metres at the two ends of the axis: the route, widened to whatever
  // stands before its start or past its end.
  double inizio = 0;
  double fine = 1000;
  // Station names along the band, in the order of r.stazioni: where each
  // stands (its leader goes from there to the station).
  std::vector<double> x_nomi;

  double x(double metri) const;
};

profilo_impaginato impagina_profilo(const file_compilati_letti& f,
                                    const riepilogo& r, double y0);

// Appends the group <g id="profilo">: one marker of class "stazione" and one
// label of class "nome-stazione" for every station, in route order.
void disegna_profilo(documento_svg& svg, const file_compilati_letti& f,
                     const riepilogo& r, const profilo_impaginato& p);

}  // namespace viste

#endif  // VISTE_PROFILO_H_
