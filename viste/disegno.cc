// The plot: the page, its title and style, then the plan and the profile.
#include "viste/disegno.h"

#include <cstdint>
#include <string_view>

#include "source/testo_utf8.h"
#include "viste/pagina.h"
#include "viste/pianta.h"
#include "viste/profilo.h"
#include "viste/svg.h"

namespace viste {

namespace {

constexpr std::string_view stile =
    "text{font-family:'DejaVu Sans',Verdana,sans-serif;font-size:10px;"
    "fill:#222}"
    ".titolo{font-size:16px;font-weight:bold}"
    ".intestazione{font-size:12px;font-weight:bold}"
    ".nome-stazione{font-size:8px}"
    ".cornice{fill:none;stroke:#999;stroke-width:0.8}"
    ".tracciato{fill:none;stroke:#1a4f8b;stroke-width:1.6;"
    "stroke-linejoin:round;stroke-linecap:round}"
    ".coda{fill:none;stroke:#8aa4c0;stroke-width:1;stroke-dasharray:4 3}"
    "circle.stazione{fill:#fff;stroke:#b01c1c;stroke-width:1.4}"
    "line.stazione{stroke:#b01c1c;stroke-width:0.6;stroke-dasharray:2 2}"
    ".montagna{fill:#eadfca}"
    ".griglia{stroke:#e2e2e2;stroke-width:0.6}"
    ".zero{stroke:#9c9c9c;stroke-width:0.6}"
    ".asse{fill:none;stroke:#444;stroke-width:0.8}"
    ".velocita{fill:none;stroke:#1a4f8b;stroke-width:1.4}"
    ".pendenza{fill:none;stroke:#2e7d32;stroke-width:1}"
    ".segnali{fill:none;stroke:#222;stroke-width:0.8}"
    ".inizio-rallentamento{fill:#d35400}"
    ".fine-rallentamento{fill:#27ae60}"
    ".nord{fill:#444}";

std::string n(std::int64_t v) { return std::to_string(v); }

}  // namespace

std::string disegno_svg(const file_compilati_letti& f, const riepilogo& r) {
  documento_svg svg(larghezza_pagina, altezza_pagina);
  const std::string linea =
      source::utf8_leggibile(f.tabella[compiler::voce_linea].testo);
  const std::string treno =
      source::utf8_leggibile(f.tabella[compiler::voce_treno].testo);
  svg.testo("title", {}, "Route " + linea + ", train " + treno);
  svg.testo("style", {}, stile);
  svg.vuoto("rect", {{"width", larghezza_pagina},
                     {"height", altezza_pagina},
                     {"fill", "#fff"}});
  svg.testo("text", {{"class", "titolo"}, {"x", pianta_x}, {"y", titolo_y}},
            "Route " + linea + ", train " + treno + ": " +
                chilometri(static_cast<double>(r.lunghezza)) + " km, " +
                n(static_cast<std::int64_t>(r.stazioni.size())) + " stations");
  disegna_pianta(svg, f, r);
  disegna_profilo(svg, f, r);
  return svg.fine();
}

}  // namespace viste
