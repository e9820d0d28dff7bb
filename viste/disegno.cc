// The plot: the page, its title and style, then the plan and the profile.
#include "viste/disegno.h"

#include <cstdint>
#include <string_view>

#include "source/testo_utf8.h"
#include "viste/pagina.h"
#include "viste/pianta.h"
#include "viste/profilo.h"
#include "viste/testi.h"

namespace viste {

namespace {

constexpr double titolo_y = 28;
constexpr double riga_avviso = 18;

}  // namespace

pagina_disegnata disegna(const file_compilati_letti& f, const riepilogo& r) {
  const std::string linea =
      source::utf8_leggibile(f.tabella[compiler::voce_linea].testo);
  const std::string treno =
      source::utf8_leggibile(f.tabella[compiler::voce_treno].testo);
  const std::string avviso = avviso_sorgenti(f);
  const double y_pianta = titolo_y + 14 + (avviso.empty() ? 0 : riga_avviso);
  const pianta_impaginata pianta = impagina_pianta(f, r, y_pianta);
  const profilo_impaginato profilo = impagina_profilo(f, r, pianta.fondo + 8);
  const double altezza = profilo.fondo;

  documento_svg svg(larghezza_pagina, altezza);
  svg.testo("title", {},
            "Linea " + linea + ", treno " + treno +
                (avviso.empty() ? "" : " (sorgenti più recenti)"));
  svg.testo("style", {}, foglio_di_stile());
  svg.apri("defs");
  svg.apri("pattern", {{"id", "tratteggio"},
                       {"width", 6.0},
                       {"height", 6.0},
                       {"patternUnits", "userSpaceOnUse"},
                       {"patternTransform", "rotate(45)"}});
  svg.vuoto("rect", {{"width", 6.0}, {"height", 6.0}, {"fill", "#f4f4f4"}});
  svg.vuoto("line", {{"x1", 0.0},
                     {"y1", 0.0},
                     {"x2", 0.0},
                     {"y2", 6.0},
                     {"stroke", "#c8c8c8"},
                     {"stroke-width", 2.0}});
  svg.chiudi();
  svg.chiudi();
  svg.vuoto(
      "rect",
      {{"width", larghezza_pagina}, {"height", altezza}, {"fill", "#fff"}});
  svg.scritta({&stile_titolo, margine_pagina, titolo_y, ancora_testo::inizio, 0,
               "Linea " + linea + ", treno " + treno + ": " +
                   chilometri(static_cast<double>(r.lunghezza)) + " km, " +
                   n(r.stazioni.size()) +
                   (r.stazioni.size() == 1 ? " stazione" : " stazioni")});
  if (!avviso.empty()) {
    svg.scritta({&stile_avviso, margine_pagina, titolo_y + riga_avviso,
                 ancora_testo::inizio, 0, avviso});
  }
  disegna_pianta(svg, f, r, pianta);
  disegna_profilo(svg, f, r, profilo);
  pagina_disegnata out;
  out.scritte = svg.riquadri_scritte();
  out.segni = svg.riquadri_segni();
  out.svg = svg.fine();
  return out;
}

std::string disegno_svg(const file_compilati_letti& f, const riepilogo& r) {
  return disegna(f, r).svg;
}

}  // namespace viste
