// The plot: one SVG page of a scenario's compiled files, the plan of the
// line with its stations above, the profile along the route below (speed
// limit, gradient, restrictions, signals by kind, speed and lineside boards,
// stations, mountain sections).
#ifndef VISTE_DISEGNO_H_
#define VISTE_DISEGNO_H_

#include <string>
#include <vector>

#include "viste/lettura_compilati.h"
#include "viste/riepilogo.h"
#include "viste/svg.h"

namespace viste {

// The page and where its texts and markers stand.
struct pagina_disegnata {
  std::string svg;
  std::vector<riquadro> scritte;  // every text of the page
  std::vector<riquadro> segni;    // the markers no text may cover
};

// The page. Its size depends on the page, not on the route: the plan is
// thinned to what the page can show, the profile to its columns. No text
// covers another text or a station's marker in the plan.
//
// Groups and classes, for whoever reads the drawing back: the plan is
// <g id="pianta">, the profile <g id="profilo">; in each, every station has
// one marker of class "stazione" and one label of class "nome-stazione".
// Sources newer than the compiled files (f.sorgenti_piu_recenti) are named
// under the title.
pagina_disegnata disegna(const file_compilati_letti& f, const riepilogo& r);

// The page alone.
std::string disegno_svg(const file_compilati_letti& f, const riepilogo& r);

}  // namespace viste

#endif  // VISTE_DISEGNO_H_
