// The plan view: the line from the plan file, north up at equal scales,
// with its stations named.
#include "viste/pianta.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "source/testo_utf8.h"
#include "viste/diradamento.h"
#include "viste/pagina.h"

namespace viste {

namespace {

// About the width of one character of a station name.
constexpr double lunghezza_nome = 4.8;
// The plan line never gets more points than this, whatever the route.
constexpr double punti_pianta_massimi = 20000;

// Plan metres to the page: equal scales, north up, centred in the box.
struct scala_pianta {
  double s = 1;
  double ox = 0;
  double oy = 0;
  double x_min = 0;
  double y_max = 0;

  punto_pagina operator()(const punto_piano& p) const {
    return {ox + (p.x - x_min) * s, oy + (y_max - p.y) * s};
  }
};

scala_pianta scala_di(const estensione_piano& e) {
  // A plan that is a point or a straight line still gets a finite scale.
  const double ex = std::max(e.x_max - e.x_min, 1.0);
  const double ey = std::max(e.y_max - e.y_min, 1.0);
  // The margin leaves room for the names along the edges.
  constexpr double margine = 40;
  scala_pianta k;
  k.s = std::min((pianta_l - 2 * margine) / ex, (pianta_a - 2 * margine) / ey);
  k.ox = pianta_x + (pianta_l - (e.x_max - e.x_min) * k.s) / 2;
  k.oy = pianta_y + (pianta_a - (e.y_max - e.y_min) * k.s) / 2;
  k.x_min = e.x_min;
  k.y_max = e.y_max;
  return k;
}

// Length on the page of the line through the points of metres da .. a - 1,
// not counting the gaps where a point is missing.
double lunghezza_pagina(const compiler::tracciato_piano& t, std::size_t da,
                        std::size_t a, const scala_pianta& k) {
  double l = 0;
  std::optional<punto_pagina> prima;
  for (std::size_t m = da; m < a; ++m) {
    const std::optional<punto_piano> p = punto_di(t, m);
    if (!p) {
      prima.reset();
      continue;
    }
    const punto_pagina q = k(*p);
    if (prima) l += std::hypot(q.x - prima->x, q.y - prima->y);
    prima = q;
  }
  return l;
}

// The line through the points of metres da .. a - 1, thinned to `passo`,
// broken where a point is missing. The plan is walked point by point, never
// held whole on the page.
void linea_pianta(documento_svg& svg, const compiler::tracciato_piano& t,
                  std::size_t da, std::size_t a, const scala_pianta& k,
                  double passo, std::string_view classe) {
  dati_percorso d;
  diradatore pezzo(passo);
  bool aperto = false;
  auto chiudi_pezzo = [&]() {
    const std::vector<punto_pagina> r = pezzo.fine();
    if (r.empty()) return;
    d.muovi(r.front().x, r.front().y);
    if (r.size() == 1) d.linea(r.front().x, r.front().y);
    for (std::size_t i = 1; i < r.size(); ++i) d.linea(r[i].x, r[i].y);
  };
  for (std::size_t m = da; m < a; ++m) {
    const std::optional<punto_piano> p = punto_di(t, m);
    if (!p) {
      if (aperto) chiudi_pezzo();
      aperto = false;
      continue;
    }
    pezzo.aggiungi(k(*p));
    aperto = true;
  }
  if (aperto) chiudi_pezzo();
  if (!d.vuoto()) svg.vuoto("path", {{"class", classe}, {"d", d.testo()}});
}

// The direction of the line at metre m on the page, from the points 100 m
// either side; nullopt where the line has no length there.
std::optional<punto_pagina> direzione(const compiler::tracciato_piano& t,
                                      std::size_t m, const scala_pianta& k) {
  const std::size_t prima = m >= 100 ? m - 100 : 0;
  std::optional<punto_piano> a = punto_di(t, prima);
  std::optional<punto_piano> b = punto_di(t, std::min(m + 100, t.metri() - 1));
  if (!a) a = punto_di(t, m);
  if (!b) b = punto_di(t, m);
  if (!a || !b) return std::nullopt;
  const punto_pagina pa = k(*a);
  const punto_pagina pb = k(*b);
  const double l = std::hypot(pb.x - pa.x, pb.y - pa.y);
  if (!(l > 0)) return std::nullopt;
  return punto_pagina{(pb.x - pa.x) / l, (pb.y - pa.y) / l};
}

void stazioni_pianta(documento_svg& svg, const file_compilati_letti& f,
                     const riepilogo& r, const scala_pianta& k) {
  constexpr double pi = 3.14159265358979323846;
  for (std::size_t i = 0; i < r.stazioni.size(); ++i) {
    const compiler::voce_dati& v = f.tabella[r.stazioni[i]];
    if (v.valore_c < 0) continue;
    const auto m = static_cast<std::size_t>(v.valore_c);
    const std::optional<punto_piano> p = punto_di(f.piano, m);
    if (!p) continue;
    const punto_pagina q = k(*p);
    // The name stands across the line, on alternate sides from one station
    // to the next, so that names of neighbours do not run into each other.
    punto_pagina normale{0, -1};
    if (const auto d = direzione(f.piano, m, k)) normale = {-d->y, d->x};
    if (i % 2 == 1) normale = {-normale.x, -normale.y};
    // A name that would leave the frame goes to the other side.
    const double fuori =
        9 + lunghezza_nome * static_cast<double>(v.testo.size());
    const double fx = q.x + normale.x * fuori;
    const double fy = q.y + normale.y * fuori;
    if (fx < pianta_x || fx > pianta_x + pianta_l || fy < pianta_y ||
        fy > pianta_y + pianta_a) {
      normale = {-normale.x, -normale.y};
    }
    double angolo = std::atan2(normale.y, normale.x) * 180 / pi;
    std::string_view ancora = "start";
    if (normale.x < 0) {
      // Never upside down: read from the other end instead.
      angolo += 180;
      ancora = "end";
    }
    const double ax = q.x + normale.x * 7;
    const double ay = q.y + normale.y * 7;
    svg.vuoto("circle",
              {{"class", "stazione"}, {"cx", q.x}, {"cy", q.y}, {"r", 3.5}});
    svg.testo("text",
              {{"class", "nome-stazione"},
               {"x", ax},
               {"y", ay},
               {"dy", "0.35em"},
               {"text-anchor", ancora},
               {"transform", "rotate(" + numero_svg(angolo) + " " +
                                 numero_svg(ax) + " " + numero_svg(ay) + ")"}},
              source::utf8_leggibile(v.testo));
  }
}

void nord_e_scala(documento_svg& svg, const scala_pianta& k) {
  const double x = pianta_x + pianta_l - 24;
  const double y = pianta_y + 14;
  dati_percorso freccia;
  freccia.muovi(x, y);
  freccia.linea(x + 7, y + 22);
  freccia.linea(x, y + 17);
  freccia.linea(x - 7, y + 22);
  freccia.chiudi_pezzo();
  svg.vuoto("path", {{"class", "nord"}, {"d", freccia.testo()}});
  svg.testo("text", {{"x", x}, {"y", y + 36}, {"text-anchor", "middle"}}, "N");

  // A bar of a round length near a fifth of the box.
  const double metri = passo_bello(pianta_l / 5 / k.s);
  const double l = metri * k.s;
  const double bx = pianta_x + 16;
  const double by = pianta_y + pianta_a - 16;
  dati_percorso barra;
  barra.muovi(bx, by - 4);
  barra.verticale(4);
  barra.orizzontale(l);
  barra.verticale(-4);
  svg.vuoto("path", {{"class", "asse"}, {"d", barra.testo()}});
  svg.testo(
      "text", {{"x", bx + l / 2}, {"y", by - 7}, {"text-anchor", "middle"}},
      metri >= 1000 ? chilometri(metri) + " km" : numero_svg(metri) + " m");
}

}  // namespace

void disegna_pianta(documento_svg& svg, const file_compilati_letti& f,
                    const riepilogo& r) {
  svg.apri("g", {{"id", "pianta"}});
  svg.testo("text", {{"class", "intestazione"}, {"x", pianta_x}, {"y", 56.0}},
            "Plan (north up, equal scales)");
  svg.vuoto("rect", {{"class", "cornice"},
                     {"x", pianta_x},
                     {"y", pianta_y},
                     {"width", pianta_l},
                     {"height", pianta_a}});
  const estensione_piano& e = r.piano;
  std::string_view vuota;
  if (!f.ha_piano) {
    vuota = "No plan file: the compile was run without the plan.";
  } else if (e.punti == 0) {
    vuota = "The plan file holds no point.";
  } else if (!std::isfinite(e.x_max - e.x_min) ||
             !std::isfinite(e.y_max - e.y_min)) {
    vuota = "The plan's points lie too far apart to be drawn.";
  }
  if (!vuota.empty()) {
    svg.testo("text",
              {{"x", pianta_x + pianta_l / 2},
               {"y", pianta_y + pianta_a / 2},
               {"text-anchor", "middle"}},
              vuota);
    svg.chiudi();
    return;
  }
  const scala_pianta k = scala_di(e);
  const std::size_t metri = f.piano.metri();
  // Metres up to the end of the route are the route; the rest is the run
  // beyond its end that every plan carries.
  const std::size_t fine =
      r.lunghezza > 0 && static_cast<std::uint64_t>(r.lunghezza) < metri
          ? static_cast<std::size_t>(r.lunghezza) + 1
          : metri;
  const std::size_t inizio_coda = fine > 0 ? fine - 1 : 0;
  const double lunghezza = lunghezza_pagina(f.piano, 0, fine, k) +
                           lunghezza_pagina(f.piano, inizio_coda, metri, k);
  const double passo = std::max(colonna, lunghezza / punti_pianta_massimi);
  linea_pianta(svg, f.piano, inizio_coda, metri, k, passo, "coda");
  linea_pianta(svg, f.piano, 0, fine, k, passo, "tracciato");
  stazioni_pianta(svg, f, r, k);
  nord_e_scala(svg, k);

  // The legend of the plan.
  const double y = legenda_pianta_y;
  svg.vuoto("line", {{"x1", pianta_x},
                     {"y1", y - 3},
                     {"x2", pianta_x + 24},
                     {"y2", y - 3},
                     {"stroke", "#1a4f8b"},
                     {"stroke-width", 1.6}});
  svg.testo("text", {{"x", pianta_x + 30}, {"y", y}}, "route");
  svg.vuoto("line", {{"x1", pianta_x + 90},
                     {"y1", y - 3},
                     {"x2", pianta_x + 114},
                     {"y2", y - 3},
                     {"stroke", "#8aa4c0"},
                     {"stroke-dasharray", "4 3"}});
  svg.testo("text", {{"x", pianta_x + 120}, {"y", y}},
            "beyond the end of the route");
  svg.vuoto("circle", {{"cx", pianta_x + 290},
                       {"cy", y - 3},
                       {"r", 3.5},
                       {"fill", "#fff"},
                       {"stroke", "#b01c1c"},
                       {"stroke-width", 1.4}});
  svg.testo("text", {{"x", pianta_x + 298}, {"y", y}}, "station");
  svg.chiudi();
}

}  // namespace viste
