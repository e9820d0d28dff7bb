// The plot: page layout, the plan view, the profile and the legend.
#include "app/disegno.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "app/diradamento.h"
#include "app/stato_uscita.h"
#include "app/svg.h"
#include "app/testo_utf8.h"
#include "compiler/formato.h"
#include "port/sistema.h"

namespace fs = std::filesystem;

namespace {

// The page, in pixels, top to bottom.
constexpr double larghezza_pagina = 1200;
constexpr double altezza_pagina = 1430;
constexpr double titolo_y = 28;
// The plan view.
constexpr double pianta_x = 60;
constexpr double pianta_y = 66;
constexpr double pianta_l = 1080;
constexpr double pianta_a = 660;
constexpr double legenda_pianta_y = 746;
// The profile: station names (written upward from nomi_fondo), the chart,
// the bands of signals and of speed restrictions, the kilometre axis and
// the legend.
constexpr double profilo_titolo_y = 776;
constexpr double profilo_x = 80;
constexpr double profilo_l = 1040;
constexpr double nomi_fondo = 976;
constexpr double grafico_y = 986;
constexpr double grafico_a = 300;
constexpr double segnali_y = 1296;
constexpr double rallentamenti_y = 1316;
constexpr double fascia_a = 12;
constexpr double asse_y = 1336;
constexpr double legenda_y = 1392;

// About the width of one character of a station name.
constexpr double lunghezza_nome = 4.8;
// What one column of the page can tell apart.
constexpr double colonna = 0.5;
// The plan line never gets more points than this, whatever the route.
constexpr double punti_pianta_massimi = 20000;

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

// The smallest of 1, 2 and 5 times a power of ten that is at least x.
// REQUIRES: x > 0, finite.
double passo_bello(double x) {
  double p = std::pow(10.0, std::floor(std::log10(x)));
  for (double m : {1.0, 2.0, 5.0, 10.0}) {
    if (m * p >= x * (1 - 1e-9)) return m * p;
  }
  return 10 * p;
}

std::string chilometri(double metri) { return numero_svg(metri / 1000, 3); }

// ---- the plan view ----

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
              utf8_leggibile(v.testo));
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

void pianta(documento_svg& svg, const file_compilati_letti& f,
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

// ---- the profile ----

struct scala_profilo {
  double lunghezza = 1;  // metres of the axis
  double v_max = 50;     // km/h at the top of the chart
  double g_max = 5;      // gradient at the top; -g_max at the bottom
  double passo_v = 10;   // between the marks of each scale
  double passo_g = 1;

  double x(double metri) const {
    return profilo_x + metri / lunghezza * profilo_l;
  }
  double y_velocita(double v) const {
    return grafico_y + grafico_a - v / v_max * grafico_a;
  }
  double y_pendenza(double g) const {
    return grafico_y + grafico_a / 2 - g / g_max * grafico_a / 2;
  }
};

// The cells whose piecewise values hold before the end of the axis.
std::size_t celle_sull_asse(const file_compilati_letti& f, double lunghezza) {
  std::size_t n = 0;
  while (n < f.celle.size() &&
         static_cast<double>(inizio_tratto(n)) < lunghezza) {
    ++n;
  }
  return n;
}

double velocita_di(const compiler::cella& c) {
  return static_cast<double>(compiler::kmh_di_velocita(c.velocita_linea));
}
double pendenza_di(const compiler::cella& c) {
  return static_cast<double>(compiler::pendenza_di_cella(c.pendenza_linea));
}

void linea_profilo(documento_svg& svg, const file_compilati_letti& f,
                   std::size_t celle, const scala_profilo& k,
                   double (*valore)(const compiler::cella&), bool velocita,
                   std::string_view classe) {
  std::vector<gradino> g;
  for (std::size_t i = 0; i < celle; ++i) {
    const double v = valore(f.celle[i]);
    if (i > 0 && v == valore(f.celle[i - 1])) continue;
    g.push_back({k.x(static_cast<double>(inizio_tratto(i))),
                 velocita ? k.y_velocita(v) : k.y_pendenza(v)});
  }
  const std::vector<punto_pagina> p =
      linea_a_gradini(g, k.x(k.lunghezza), colonna);
  if (p.empty()) return;
  dati_percorso d;
  d.muovi(p[0].x, p[0].y);
  for (std::size_t i = 1; i < p.size(); ++i) d.linea(p[i].x, p[i].y);
  svg.vuoto("path", {{"class", classe}, {"d", d.testo()}});
}

// The page x of every cell of kind t whose feature stands on the axis.
std::vector<double> x_dei_segni(const file_compilati_letti& f, compiler::tipo t,
                                const scala_profilo& k) {
  std::vector<double> x;
  for (std::size_t i = 0; i < f.celle.size(); ++i) {
    if (f.celle[i].tipo_cella != static_cast<std::uint8_t>(t)) continue;
    const auto m = static_cast<double>(posizione_elemento(i));
    if (m >= 0 && m <= k.lunghezza) x.push_back(k.x(m));
  }
  return segni_per_colonna(x, colonna);
}

void triangoli(documento_svg& svg, const std::vector<double>& x, bool in_giu,
               std::string_view classe) {
  if (x.empty()) return;
  const double alto = rallentamenti_y;
  const double basso = rallentamenti_y + fascia_a;
  dati_percorso d;
  for (double v : x) {
    d.muovi(v - 4, in_giu ? alto : basso);
    d.linea(v + 4, in_giu ? alto : basso);
    d.linea(v, in_giu ? basso : alto);
    d.chiudi_pezzo();
  }
  svg.vuoto("path", {{"class", classe}, {"d", d.testo()}});
}

scala_profilo scala_profilo_di(const file_compilati_letti& f,
                               const riepilogo& r) {
  scala_profilo k;
  if (r.lunghezza > 0) {
    k.lunghezza = static_cast<double>(r.lunghezza);
  } else if (f.celle.size() > 1) {
    k.lunghezza = static_cast<double>(inizio_tratto(f.celle.size() - 1));
  } else {
    k.lunghezza = 1000;
  }
  const std::size_t celle = celle_sull_asse(f, k.lunghezza);
  double v = 50;
  double g = 5;
  for (std::size_t i = 0; i < celle; ++i) {
    v = std::max(v, velocita_di(f.celle[i]));
    g = std::max(g, std::abs(pendenza_di(f.celle[i])));
  }
  // Each scale tops out a mark above its highest value, so that no line
  // runs along the frame.
  k.passo_v = passo_bello(v / 5);
  k.v_max = (std::floor(v / k.passo_v) + 1) * k.passo_v;
  k.passo_g = passo_bello(g / 3);
  k.g_max = (std::floor(g / k.passo_g) + 1) * k.passo_g;
  return k;
}

void assi(documento_svg& svg, const scala_profilo& k) {
  const double destra = profilo_x + profilo_l;
  for (double v = 0; v <= k.v_max * (1 + 1e-9); v += k.passo_v) {
    const double y = k.y_velocita(v);
    svg.vuoto("line", {{"class", "griglia"},
                       {"x1", profilo_x},
                       {"y1", y},
                       {"x2", destra},
                       {"y2", y}});
    svg.testo("text",
              {{"x", profilo_x - 4}, {"y", y + 3.5}, {"text-anchor", "end"}},
              numero_svg(v));
  }
  for (double g = -k.g_max; g <= k.g_max * (1 + 1e-9); g += k.passo_g) {
    svg.testo("text", {{"x", destra + 4}, {"y", k.y_pendenza(g) + 3.5}},
              numero_svg(std::abs(g) < k.passo_g / 2 ? 0 : g, 2));
  }
  svg.vuoto("line", {{"class", "zero"},
                     {"x1", profilo_x},
                     {"y1", k.y_pendenza(0)},
                     {"x2", destra},
                     {"y2", k.y_pendenza(0)}});
  svg.vuoto("rect", {{"class", "asse"},
                     {"x", profilo_x},
                     {"y", grafico_y},
                     {"width", profilo_l},
                     {"height", grafico_a}});
  const double ym = grafico_y + grafico_a / 2;
  svg.testo("text",
            {{"x", profilo_x - 40},
             {"y", ym},
             {"text-anchor", "middle"},
             {"transform", "rotate(-90 " + numero_svg(profilo_x - 40) + " " +
                               numero_svg(ym) + ")"}},
            "speed limit (km/h)");
  svg.testo("text",
            {{"x", destra + 40},
             {"y", ym},
             {"text-anchor", "middle"},
             {"transform", "rotate(90 " + numero_svg(destra + 40) + " " +
                               numero_svg(ym) + ")"}},
            "gradient (\u2030)");

  // The kilometre axis under the bands.
  dati_percorso asse;
  asse.muovi(profilo_x, asse_y);
  asse.linea(destra, asse_y);
  const double km = passo_bello(k.lunghezza / 1000 / 10) * 1000;
  for (double m = 0; m <= k.lunghezza * (1 + 1e-9); m += km) {
    asse.muovi(k.x(m), asse_y);
    asse.verticale(4);
    svg.testo("text",
              {{"x", k.x(m)}, {"y", asse_y + 15}, {"text-anchor", "middle"}},
              chilometri(m));
  }
  svg.vuoto("path", {{"class", "asse"}, {"d", asse.testo()}});
  svg.testo("text",
            {{"x", profilo_x + profilo_l / 2},
             {"y", asse_y + 30},
             {"text-anchor", "middle"}},
            "distance along the route (km)");
  svg.testo(
      "text",
      {{"x", profilo_x - 4}, {"y", segnali_y + 9}, {"text-anchor", "end"}},
      "signals");
  svg.testo("text",
            {{"x", profilo_x - 4},
             {"y", rallentamenti_y + 9},
             {"text-anchor", "end"}},
            "restrictions");
}

// A legend's sample triangle, pointing down or up, centred on x.
void triangolo(documento_svg& svg, double x, double y, bool in_giu,
               std::string_view colore) {
  dati_percorso d;
  d.muovi(x - 4, in_giu ? y - 10 : y + 1);
  d.linea(x + 4, in_giu ? y - 10 : y + 1);
  d.linea(x, in_giu ? y + 1 : y - 10);
  d.chiudi_pezzo();
  svg.vuoto("path", {{"d", d.testo()}, {"fill", colore}});
}

void legenda_profilo(documento_svg& svg) {
  constexpr double riga = 20;
  constexpr double larghezza = 260;
  auto posto = [](int i) {
    return punto_pagina{profilo_x + (i % 4) * larghezza,
                        legenda_y + (i / 4) * riga};
  };
  auto spiega = [&svg](const punto_pagina& p, std::string_view testo) {
    svg.testo("text", {{"x", p.x + 30}, {"y", p.y}}, testo);
  };
  punto_pagina p = posto(0);
  svg.vuoto("line", {{"x1", p.x},
                     {"y1", p.y - 3},
                     {"x2", p.x + 24},
                     {"y2", p.y - 3},
                     {"stroke", "#1a4f8b"},
                     {"stroke-width", 1.4}});
  spiega(p, "line speed limit (km/h, left scale)");
  p = posto(1);
  svg.vuoto("line", {{"x1", p.x},
                     {"y1", p.y - 3},
                     {"x2", p.x + 24},
                     {"y2", p.y - 3},
                     {"stroke", "#2e7d32"}});
  spiega(p, "gradient (\u2030, right scale)");
  p = posto(2);
  svg.vuoto("rect", {{"x", p.x},
                     {"y", p.y - 9},
                     {"width", 24},
                     {"height", 10},
                     {"fill", "#eadfca"}});
  spiega(p, "mountain section");
  p = posto(3);
  svg.vuoto("line", {{"x1", p.x + 12},
                     {"y1", p.y - 10},
                     {"x2", p.x + 12},
                     {"y2", p.y + 2},
                     {"stroke", "#b01c1c"},
                     {"stroke-dasharray", "2 2"}});
  spiega(p, "station");
  p = posto(4);
  svg.vuoto("line", {{"x1", p.x + 12},
                     {"y1", p.y - 10},
                     {"x2", p.x + 12},
                     {"y2", p.y + 2},
                     {"stroke", "#222"}});
  spiega(p, "signal");
  p = posto(5);
  triangolo(svg, p.x + 12, p.y, true, "#d35400");
  spiega(p, "speed restriction start");
  p = posto(6);
  triangolo(svg, p.x + 12, p.y, false, "#27ae60");
  spiega(p, "speed restriction end");
}

void profilo(documento_svg& svg, const file_compilati_letti& f,
             const riepilogo& r) {
  svg.apri("g", {{"id", "profilo"}});
  svg.testo(
      "text",
      {{"class", "intestazione"}, {"x", profilo_x}, {"y", profilo_titolo_y}},
      "Profile along the route");
  const scala_profilo k = scala_profilo_di(f, r);
  const std::size_t celle = celle_sull_asse(f, k.lunghezza);

  // Mountain sections first, under everything else.
  std::vector<intervallo> montagne;
  for (const tratto_montagna& m : r.montagne) {
    const double da = static_cast<double>(inizio_tratto(m.prima_cella));
    if (da >= k.lunghezza) break;
    const double a = std::min(
        static_cast<double>(inizio_tratto(m.ultima_cella + 1)), k.lunghezza);
    montagne.push_back({k.x(da), k.x(a)});
  }
  for (const intervallo& m : unisci_intervalli(montagne, colonna)) {
    svg.vuoto("rect", {{"class", "montagna"},
                       {"x", m.da},
                       {"y", grafico_y},
                       {"width", std::max(m.a - m.da, colonna)},
                       {"height", grafico_a}});
  }
  assi(svg, k);

  for (std::size_t s : r.stazioni) {
    const compiler::voce_dati& v = f.tabella[s];
    const auto m = static_cast<double>(v.valore_c);
    if (m < 0 || m > k.lunghezza) continue;
    const double x = k.x(m);
    svg.vuoto("line", {{"class", "stazione"},
                       {"x1", x},
                       {"y1", grafico_y},
                       {"x2", x},
                       {"y2", rallentamenti_y + fascia_a}});
    svg.testo("text",
              {{"class", "nome-stazione"},
               {"x", x},
               {"y", nomi_fondo},
               {"dy", "0.35em"},
               {"transform", "rotate(-90 " + numero_svg(x) + " " +
                                 numero_svg(nomi_fondo) + ")"}},
              utf8_leggibile(v.testo));
  }

  linea_profilo(svg, f, celle, k, pendenza_di, false, "pendenza");
  linea_profilo(svg, f, celle, k, velocita_di, true, "velocita");

  const std::vector<double> segnali =
      x_dei_segni(f, compiler::tipo::segnale, k);
  if (!segnali.empty()) {
    dati_percorso d;
    for (double x : segnali) {
      d.muovi(x, segnali_y);
      d.verticale(fascia_a);
    }
    svg.vuoto("path", {{"class", "segnali"}, {"d", d.testo()}});
  }
  triangoli(svg, x_dei_segni(f, compiler::tipo::inizio_rallentamento, k), true,
            "inizio-rallentamento");
  triangoli(svg, x_dei_segni(f, compiler::tipo::fine_rallentamento, k), false,
            "fine-rallentamento");
  legenda_profilo(svg);
  svg.chiudi();
}

}  // namespace

std::string disegno_svg(const file_compilati_letti& f, const riepilogo& r) {
  documento_svg svg(larghezza_pagina, altezza_pagina);
  const std::string linea =
      utf8_leggibile(f.tabella[compiler::voce_linea].testo);
  const std::string treno =
      utf8_leggibile(f.tabella[compiler::voce_treno].testo);
  svg.testo("title", {}, "Route " + linea + ", train " + treno);
  svg.testo("style", {}, stile);
  svg.vuoto("rect", {{"width", larghezza_pagina},
                     {"height", altezza_pagina},
                     {"fill", "#fff"}});
  svg.testo("text", {{"class", "titolo"}, {"x", pianta_x}, {"y", titolo_y}},
            "Route " + linea + ", train " + treno + ": " +
                chilometri(static_cast<double>(r.lunghezza)) + " km, " +
                n(static_cast<std::int64_t>(r.stazioni.size())) + " stations");
  pianta(svg, f, r);
  profilo(svg, f, r);
  return svg.fine();
}

fs::path file_disegno(const opzioni& o, const fs::path& cartella) {
  if (const auto u = o.valore("--output")) return port::percorso_da_testo(*u);
  return cartella / port::percorso_da_testo(o.linea + "_" + o.treno + ".svg");
}

int esegui_disegno(const opzioni& o, const fs::path& cartella,
                   std::ostream& err) {
  file_compilati_letti f;
  if (esito_lettura_compilati e =
          leggi_compilati(cartella, o.linea, o.treno, f);
      !e.ok()) {
    err << "scenario: " << e.messaggio << "\n";
    return stato_file;
  }
  const std::string svg = disegno_svg(f, riassumi(f));
  if (port::io_status st =
          port::sostituisci_file(file_disegno(o, cartella), svg);
      !st.ok()) {
    err << "scenario: " << st.message << "\n";
    return stato_file;
  }
  return stato_ok;
}
