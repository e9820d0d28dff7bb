// The profile view: the line speed limit and the gradient from the cells,
// with the features along the route.
#include "viste/profilo.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string_view>
#include <vector>

#include "compiler/formato.h"
#include "source/testo_utf8.h"
#include "viste/diradamento.h"
#include "viste/pagina.h"

namespace viste {

namespace {

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

}  // namespace

void disegna_profilo(documento_svg& svg, const file_compilati_letti& f,
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
              source::utf8_leggibile(v.testo));
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

}  // namespace viste
