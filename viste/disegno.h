// The plot: one SVG page of a scenario's compiled files, the plan of the
// line with its stations above, the profile along the route below (speed
// limit, gradient, signals, speed restrictions, stations, mountain
// sections).
#ifndef VISTE_DISEGNO_H_
#define VISTE_DISEGNO_H_

#include <string>

#include "viste/lettura_compilati.h"
#include "viste/riepilogo.h"

namespace viste {

// The page. Its size depends on the page, not on the route: the plan is
// thinned to what the page can show, the profile to its columns.
//
// Groups and classes, for whoever reads the drawing back: the plan is
// <g id="pianta">, the profile <g id="profilo">; in each, every station has
// one marker of class "stazione" and one label of class "nome-stazione".
std::string disegno_svg(const file_compilati_letti& f, const riepilogo& r);

}  // namespace viste

#endif  // VISTE_DISEGNO_H_
