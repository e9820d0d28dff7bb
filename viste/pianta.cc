// The plan view: the line from the plan file, north up at equal scales,
// with its stations named where the names fit.
#include "viste/pianta.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <string_view>

#include "source/testo_utf8.h"
#include "viste/larghezza_testo.h"
#include "viste/pagina.h"
#include "viste/testi.h"

namespace viste {

namespace {

constexpr double intestazione_a = 24;  // the heading above the frame
constexpr double cornice_a = 660;
// Room kept inside the frame around the route, for the names.
constexpr double margine_interno = 40;
// The plan line never gets more points than this, whatever the route.
constexpr double punti_pianta_massimi = 20000;
constexpr double raggio_stazione = 3.5;
// Rows of the names that find no place near their station.
constexpr double riga_in_fondo = 14;

// Plan metres to page, fixed from the extent to show.
void scala_di(pianta_impaginata& p, const estensione_piano& e) {
  // A plan that is a point or a straight line still gets a finite scale.
  const double ex = std::max(e.x_max - e.x_min, 1.0);
  const double ey = std::max(e.y_max - e.y_min, 1.0);
  const double l = p.cornice.x1 - p.cornice.x0;
  const double a = p.cornice.y1 - p.cornice.y0;
  p.s =
      std::min((l - 2 * margine_interno) / ex, (a - 2 * margine_interno) / ey);
  p.ox = p.cornice.x0 + (l - (e.x_max - e.x_min) * p.s) / 2;
  p.oy = p.cornice.y0 + (a - (e.y_max - e.y_min) * p.s) / 2;
  p.x_min = e.x_min;
  p.y_max = e.y_max;
}

void estendi(estensione_piano& e, const punto_piano& q) {
  if (e.punti == 0) {
    e.x_min = e.x_max = q.x;
    e.y_min = e.y_max = q.y;
  }
  e.x_min = std::min(e.x_min, q.x);
  e.x_max = std::max(e.x_max, q.x);
  e.y_min = std::min(e.y_min, q.y);
  e.y_max = std::max(e.y_max, q.y);
  ++e.punti;
}

// The pieces of the line through the points of metres da .. a - 1, broken
// where a point is missing, each thinned to points `passo` apart.
std::vector<std::vector<punto_pagina>> pezzi(const compiler::vista_piano& t,
                                             std::size_t da, std::size_t a,
                                             const pianta_impaginata& k,
                                             double passo) {
  std::vector<std::vector<punto_pagina>> out;
  diradatore d(passo);
  bool aperto = false;
  punti_in_ordine punti(t, da);
  for (std::size_t m = da; m < a; ++m) {
    const std::optional<punto_piano> p = punti.prossimo();
    if (!p) {
      if (aperto) out.push_back(d.fine());
      aperto = false;
      continue;
    }
    d.aggiungi(k(*p));
    aperto = true;
  }
  if (aperto) out.push_back(d.fine());
  return out;
}

// The direction of the line at metre m on the page, from the points 100 m
// either side; nullopt where the line has no length there.
std::optional<punto_pagina> direzione(const compiler::vista_piano& t,
                                      std::size_t m,
                                      const pianta_impaginata& k) {
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

// Which cells of a coarse grid over the frame the line passes through, so
// that a name can keep off the line.
class griglia_linea {
 public:
  explicit griglia_linea(const riquadro& r)
      : r_(r),
        colonne_(static_cast<std::size_t>((r.x1 - r.x0) / lato) + 1),
        righe_(static_cast<std::size_t>((r.y1 - r.y0) / lato) + 1),
        piena_(colonne_ * righe_, false) {}

  void segna(const std::vector<punto_pagina>& linea) {
    for (std::size_t i = 0; i + 1 < linea.size(); ++i) {
      const punto_pagina a = linea[i];
      const punto_pagina b = linea[i + 1];
      const double l =
          std::sqrt((b.x - a.x) * (b.x - a.x) + (b.y - a.y) * (b.y - a.y));
      const auto passi = static_cast<std::size_t>(std::min(l / 3, 1e4)) + 1;
      for (std::size_t k = 0; k <= passi; ++k) {
        const double u = static_cast<double>(k) / static_cast<double>(passi);
        metti(a.x + (b.x - a.x) * u, a.y + (b.y - a.y) * u);
      }
    }
    if (linea.size() == 1) metti(linea[0].x, linea[0].y);
  }

  // The cells of the box that the line passes through.
  int conta(const riquadro& b) const {
    const auto [c0, r0] = cella(b.x0, b.y0);
    const auto [c1, r1] = cella(b.x1, b.y1);
    int n = 0;
    for (std::size_t r = r0; r <= r1; ++r) {
      for (std::size_t c = c0; c <= c1; ++c) n += piena_[r * colonne_ + c];
    }
    return n;
  }

 private:
  static constexpr double lato = 6;

  std::pair<std::size_t, std::size_t> cella(double x, double y) const {
    const double c =
        std::clamp((x - r_.x0) / lato, 0.0, static_cast<double>(colonne_ - 1));
    const double r =
        std::clamp((y - r_.y0) / lato, 0.0, static_cast<double>(righe_ - 1));
    return {static_cast<std::size_t>(c), static_cast<std::size_t>(r)};
  }
  void metti(double x, double y) {
    if (!(x >= r_.x0 && x <= r_.x1 && y >= r_.y0 && y <= r_.y1)) return;
    const auto [c, r] = cella(x, y);
    piena_[r * colonne_ + c] = true;
  }

  riquadro r_;
  std::size_t colonne_;
  std::size_t righe_;
  std::vector<bool> piena_;
};

riquadro allarga(const riquadro& r, double d) {
  return {r.x0 - d, r.y0 - d, r.x1 + d, r.y1 + d};
}

bool dentro(const riquadro& interno, const riquadro& esterno) {
  return interno.x0 >= esterno.x0 && interno.x1 <= esterno.x1 &&
         interno.y0 >= esterno.y0 && interno.y1 <= esterno.y1;
}

riquadro segno_stazione(const punto_pagina& q) {
  constexpr double r = raggio_stazione + 1;
  return {q.x - r, q.y - r, q.x + r, q.y + r};
}

// The name at distance `raggio` from the marker, in direction (c, s): the
// box stands beyond that point on the side the direction points to.
testo_pagina nome_in(const std::string& nome, const punto_pagina& q,
                     double raggio, double c, double s) {
  const double ax = q.x + c * (raggio_stazione + raggio);
  const double ay = q.y + s * (raggio_stazione + raggio);
  const double corpo = stile_nome.corpo;
  testo_pagina t{&stile_nome, ax, ay, ancora_testo::mezzo, 0, nome};
  if (c > 0.38) t.ancora = ancora_testo::inizio;
  if (c < -0.38) t.ancora = ancora_testo::fine;
  if (s > 0.38) {
    t.y = ay + ascendente_em * corpo;
  } else if (s < -0.38) {
    t.y = ay - discendente_em * corpo;
  } else {
    t.y = ay + (ascendente_em - discendente_em) / 2 * corpo;
  }
  return t;
}

// The point of the box nearest to q.
punto_pagina piu_vicino(const riquadro& b, const punto_pagina& q) {
  return {std::clamp(q.x, b.x0, b.x1), std::clamp(q.y, b.y0, b.y1)};
}

double distanza_da(const riquadro& b, const punto_pagina& q) {
  const punto_pagina v = piu_vicino(b, q);
  return std::sqrt((v.x - q.x) * (v.x - q.x) + (v.y - q.y) * (v.y - q.y));
}

// Names set where each covers no other name, no marker and as little of
// the line as can be, as near its station as that allows; a name with no
// such place goes to a row under the frame. Every name gets a leader when
// it stands apart from its marker.
void posa_nomi(pianta_impaginata& p, const griglia_linea& linea,
               const std::vector<punto_pagina>& normali) {
  constexpr std::array<double, 11> raggi = {3,  9,   16,  26,  40, 58,
                                            80, 108, 145, 195, 260};
  // Directions in steps of 22.5 degrees from the normal, in the order they
  // are tried: the normal, its opposite, then ever further from either.
  constexpr std::array<int, 16> passi = {0, 8,  1, -1, 7, 9,  2, -2,
                                         6, 10, 3, -3, 5, 11, 4, 12};
  constexpr double pi = 3.14159265358979323846;
  std::vector<riquadro> occupati = {allarga(p.nord, 1), allarga(p.scala, 1)};
  for (const pianta_impaginata::stazione& s : p.stazioni) {
    occupati.push_back(segno_stazione(s.punto));
  }
  const riquadro area = allarga(p.cornice, -2);

  // The most crowded stations choose first.
  std::vector<std::size_t> ordine(p.stazioni.size());
  std::vector<int> vicini(p.stazioni.size(), 0);
  for (std::size_t i = 0; i < p.stazioni.size(); ++i) {
    ordine[i] = i;
    for (std::size_t j = 0; j < p.stazioni.size(); ++j) {
      const punto_pagina a = p.stazioni[i].punto;
      const punto_pagina b = p.stazioni[j].punto;
      if (i != j && std::abs(a.x - b.x) < 80 && std::abs(a.y - b.y) < 80) {
        ++vicini[i];
      }
    }
  }
  std::stable_sort(
      ordine.begin(), ordine.end(),
      [&](std::size_t a, std::size_t b) { return vicini[a] > vicini[b]; });

  std::vector<std::size_t> in_fondo;
  for (std::size_t i : ordine) {
    pianta_impaginata::stazione& s = p.stazioni[i];
    const double base = std::atan2(normali[i].y, normali[i].x);
    double migliore = 0;
    std::optional<testo_pagina> scelto;
    for (double r : raggi) {
      // No place further out can beat one already found this near.
      if (scelto && r > migliore) break;
      for (std::size_t k = 0; k < passi.size(); ++k) {
        const double a = base + passi[k] * pi / 8;
        const testo_pagina t =
            nome_in(s.nome.testo, s.punto, r, std::cos(a), std::sin(a));
        const riquadro b = riquadro_di(t);
        if (!dentro(b, area)) continue;
        const riquadro largo = allarga(b, 1.5);
        bool libero = true;
        for (const riquadro& o : occupati) {
          if (si_sovrappongono(largo, o)) {
            libero = false;
            break;
          }
        }
        if (!libero) continue;
        // A name nearer another station than its own would be read as
        // that one's.
        const double proprio = distanza_da(b, s.punto);
        double altrui = 1e300;
        for (std::size_t j = 0; j < p.stazioni.size(); ++j) {
          if (j != i) {
            altrui = std::min(altrui, distanza_da(b, p.stazioni[j].punto));
          }
        }
        const double ambiguo = altrui < proprio + 6 ? 40.0 : 0.0;
        const double costo =
            r + 1.5 * static_cast<double>(k) + 12.0 * linea.conta(b) + ambiguo;
        if (!scelto || costo < migliore) {
          migliore = costo;
          scelto = t;
        }
      }
    }
    if (!scelto) {
      in_fondo.push_back(i);
      continue;
    }
    s.nome = *scelto;
    const riquadro b = riquadro_di(s.nome);
    occupati.push_back(b);
    // A name set apart from its marker is joined to it.
    {
      const punto_pagina fine = piu_vicino(b, s.punto);
      const double l = distanza_da(b, s.punto);
      if (l > raggio_stazione + 7) {
        const punto_pagina inizio{
            s.punto.x + (fine.x - s.punto.x) / l * (raggio_stazione + 1),
            s.punto.y + (fine.y - s.punto.y) / l * (raggio_stazione + 1)};
        s.guida = std::make_pair(inizio, fine);
      }
    }
  }

  // The rest in rows under the frame, in route order, each with its leader.
  std::sort(in_fondo.begin(), in_fondo.end());
  double x = p.cornice.x0;
  double y = p.cornice.y1 + riga_in_fondo;
  for (std::size_t i : in_fondo) {
    pianta_impaginata::stazione& s = p.stazioni[i];
    const double l = larghezza_testo(s.nome.testo, stile_nome.corpo, false);
    if (x > p.cornice.x0 && x + l > p.cornice.x1) {
      x = p.cornice.x0;
      y += riga_in_fondo;
    }
    s.nome = {&stile_nome, x, y, ancora_testo::inizio, 0, s.nome.testo};
    const riquadro b = riquadro_di(s.nome);
    s.guida = std::make_pair(s.punto, piu_vicino(b, s.punto));
    x += l + 12;
  }
  if (!in_fondo.empty()) p.y_legenda = y + riga_in_fondo / 2;
}

// The legend of the plan, with the entries of what it shows.
legenda legenda_pianta(const pianta_impaginata& p) {
  legenda g(p.cornice.x0, p.y_legenda, p.cornice.x1 - p.cornice.x0);
  g.aggiungi({"percorso", [](documento_svg& s, double x, double y) {
                s.vuoto("line", {{"class", "tracciato"},
                                 {"x1", x},
                                 {"y1", y},
                                 {"x2", x + 24},
                                 {"y2", y}});
              }});
  g.aggiungi(
      {"oltre la fine del percorso", [](documento_svg& s, double x, double y) {
         s.vuoto("line", {{"class", "coda"},
                          {"x1", x},
                          {"y1", y},
                          {"x2", x + 24},
                          {"y2", y}});
       }});
  g.aggiungi({"stazione", [](documento_svg& s, double x, double y) {
                s.vuoto("circle", {{"class", "campione-stazione"},
                                   {"cx", x + 12},
                                   {"cy", y},
                                   {"r", raggio_stazione}});
              }});
  const bool oltre = std::any_of(
      p.stazioni.begin(), p.stazioni.end(),
      [](const pianta_impaginata::stazione& s) { return s.oltre_fine; });
  if (oltre) {
    g.aggiungi({"stazione oltre la fine del percorso",
                [](documento_svg& s, double x, double y) {
                  s.vuoto("circle", {{"class", "campione-stazione"},
                                     {"cx", x + 12},
                                     {"cy", y},
                                     {"r", raggio_stazione}});
                  s.vuoto("circle", {{"class", "oltre-fine"},
                                     {"cx", x + 12},
                                     {"cy", y},
                                     {"r", raggio_stazione + 2.5}});
                }});
  }
  const bool guide = std::any_of(
      p.stazioni.begin(), p.stazioni.end(),
      [](const pianta_impaginata::stazione& s) { return s.guida.has_value(); });
  if (guide) {
    g.aggiungi({"nome discosto, con la sua linea di richiamo",
                [](documento_svg& s, double x, double y) {
                  s.vuoto("line", {{"class", "guida"},
                                   {"x1", x + 2},
                                   {"y1", y + 4},
                                   {"x2", x + 22},
                                   {"y2", y - 4}});
                }});
  }
  return g;
}

}  // namespace

pianta_impaginata impagina_pianta(const file_compilati_letti& f,
                                  const riepilogo& r, double y0) {
  pianta_impaginata p;
  p.y0 = y0;
  p.cornice = {margine_pagina, y0 + intestazione_a,
               larghezza_pagina - margine_pagina,
               y0 + intestazione_a + cornice_a};
  p.y_legenda = p.cornice.y1 + 10;

  const estensione_piano& e = r.piano;
  if (!f.ha_piano) {
    p.vuota =
        "Nessun file del tracciato: la compilazione è stata fatta "
        "senza il tracciato.";
  } else if (e.punti == 0) {
    p.vuota = "Il file del tracciato non contiene alcun punto.";
  } else if (!std::isfinite(e.x_max - e.x_min) ||
             !std::isfinite(e.y_max - e.y_min)) {
    p.vuota =
        "I punti del tracciato sono troppo lontani per essere "
        "disegnati.";
  }
  if (p.vuota.empty()) {
    // The frame holds the route and every station; the run beyond the end
    // is drawn as far as the frame goes.
    const std::size_t metri = f.piano.metri();
    const std::size_t fine = r.fine_percorso;
    estensione_piano inquadrata = r.piano_percorso;
    std::vector<std::optional<punto_piano>> punti_stazioni;
    for (std::size_t k : r.stazioni) {
      const std::int32_t m = f.tabella[k].valore_c;
      std::optional<punto_piano> q;
      if (m >= 0) q = punto_di(f.piano, static_cast<std::size_t>(m));
      if (q) estendi(inquadrata, *q);
      punti_stazioni.push_back(q);
    }
    if (inquadrata.punti == 0 ||
        !std::isfinite(inquadrata.x_max - inquadrata.x_min) ||
        !std::isfinite(inquadrata.y_max - inquadrata.y_min)) {
      inquadrata = e;
    }
    scala_di(p, inquadrata);

    p.nord = {p.cornice.x1 - 32, p.cornice.y0 + 8, p.cornice.x1 - 16,
              p.cornice.y0 + 50};
    p.metri_scala = passo_bello((p.cornice.x1 - p.cornice.x0) / 5 / p.s);
    p.scala = {p.cornice.x0 + 14, p.cornice.y1 - 34,
               p.cornice.x0 + 18 + p.metri_scala * p.s, p.cornice.y1 - 12};

    std::vector<punto_pagina> normali;
    for (std::size_t i = 0; i < r.stazioni.size(); ++i) {
      if (!punti_stazioni[i]) continue;
      const std::size_t k = r.stazioni[i];
      const compiler::voce_dati& v = f.tabella[k];
      pianta_impaginata::stazione s;
      s.voce = k;
      s.punto = p(*punti_stazioni[i]);
      s.oltre_fine = v.valore_c > r.lunghezza;
      s.nome = {&stile_nome, s.punto.x,
                s.punto.y,   ancora_testo::inizio,
                0,           source::utf8_leggibile(v.testo)};
      // Across the line, on alternate sides from one station to the next.
      punto_pagina normale{0, -1};
      if (const auto d =
              direzione(f.piano, static_cast<std::size_t>(v.valore_c), p)) {
        normale = {-d->y, d->x};
      }
      if (p.stazioni.size() % 2 == 1) normale = {-normale.x, -normale.y};
      normali.push_back(normale);
      p.stazioni.push_back(std::move(s));
    }

    // The line is thinned to half a pixel, and to a number of points that
    // holds whatever the route.
    const std::size_t inizio_coda = fine > 0 ? fine - 1 : 0;
    const double lunghezza =
        (r.metri_linea_percorso + r.metri_linea_coda) * p.s;
    const double passo = std::max(colonna, lunghezza / punti_pianta_massimi);
    p.tracciato = pezzi(f.piano, 0, fine, p, passo);
    p.coda = pezzi(f.piano, inizio_coda, metri, p, passo);
    griglia_linea linea(p.cornice);
    for (const auto& pezzo : p.tracciato) linea.segna(pezzo);
    for (const auto& pezzo : p.coda) linea.segna(pezzo);
    posa_nomi(p, linea, normali);
  }
  p.fondo = legenda_pianta(p).fondo() + 6;
  return p;
}

void disegna_pianta(documento_svg& svg, const file_compilati_letti& f,
                    const riepilogo& r, const pianta_impaginata& p) {
  svg.apri("g", {{"id", "pianta"}});
  svg.scritta({&stile_intestazione, p.cornice.x0, p.y0 + 16,
               ancora_testo::inizio, 0, "Pianta (nord in alto, scale uguali)"});
  const riquadro& c = p.cornice;
  svg.vuoto("rect", {{"class", "cornice"},
                     {"x", c.x0},
                     {"y", c.y0},
                     {"width", c.x1 - c.x0},
                     {"height", c.y1 - c.y0}});
  if (!p.vuota.empty()) {
    svg.scritta({&stile_testo_normale, (c.x0 + c.x1) / 2, (c.y0 + c.y1) / 2,
                 ancora_testo::mezzo, 0, p.vuota});
    svg.chiudi();
    return;
  }

  auto linea = [&](const std::vector<std::vector<punto_pagina>>& pezzi,
                   std::string_view classe) {
    dati_percorso d;
    for (const auto& pezzo : pezzi) {
      d.muovi(pezzo.front().x, pezzo.front().y);
      if (pezzo.size() == 1) d.linea(pezzo.front().x, pezzo.front().y);
      for (std::size_t i = 1; i < pezzo.size(); ++i) {
        d.linea(pezzo[i].x, pezzo[i].y);
      }
    }
    if (!d.vuoto()) svg.vuoto("path", {{"class", classe}, {"d", d.testo()}});
  };
  // The line is cut at the frame, where the run beyond the end may go on.
  svg.apri("clipPath", {{"id", "cornice-pianta"}});
  svg.vuoto("rect", {{"x", c.x0},
                     {"y", c.y0},
                     {"width", c.x1 - c.x0},
                     {"height", c.y1 - c.y0}});
  svg.chiudi();
  svg.apri("g", {{"clip-path", "url(#cornice-pianta)"}});
  linea(p.coda, "coda");
  linea(p.tracciato, "tracciato");
  svg.chiudi();

  // Leaders under the markers, markers under the names.
  for (const pianta_impaginata::stazione& s : p.stazioni) {
    if (!s.guida) continue;
    dati_percorso d;
    d.muovi(s.guida->first.x, s.guida->first.y);
    d.linea(s.guida->second.x, s.guida->second.y);
    svg.vuoto("path", {{"class", "guida"}, {"d", d.testo()}});
  }
  for (const pianta_impaginata::stazione& s : p.stazioni) {
    const std::string t = titolo_stazione(f, r, s.voce);
    svg.con_titolo("circle",
                   {{"class", "stazione"},
                    {"cx", s.punto.x},
                    {"cy", s.punto.y},
                    {"r", raggio_stazione}},
                   t);
    svg.segno(segno_stazione(s.punto));
    if (s.oltre_fine) {
      svg.con_titolo("circle",
                     {{"class", "oltre-fine"},
                      {"cx", s.punto.x},
                      {"cy", s.punto.y},
                      {"r", raggio_stazione + 2.5}},
                     t);
    }
  }
  for (const pianta_impaginata::stazione& s : p.stazioni) svg.scritta(s.nome);

  // North arrow and scale bar.
  const double nx = (p.nord.x0 + p.nord.x1) / 2;
  const double ny = p.nord.y0 + 2;
  dati_percorso freccia;
  freccia.muovi(nx, ny);
  freccia.linea(nx + 7, ny + 22);
  freccia.linea(nx, ny + 17);
  freccia.linea(nx - 7, ny + 22);
  freccia.chiudi_pezzo();
  svg.vuoto("path", {{"class", "nord"}, {"d", freccia.testo()}});
  svg.segno({nx - 7, ny, nx + 7, ny + 22});
  svg.scritta({&stile_testo_normale, nx, ny + 36, ancora_testo::mezzo, 0, "N"});
  const double l = p.metri_scala * p.s;
  const double bx = p.scala.x0 + 2;
  const double by = p.scala.y1 - 4;
  dati_percorso barra;
  barra.muovi(bx, by - 4);
  barra.verticale(4);
  barra.orizzontale(l);
  barra.verticale(-4);
  svg.vuoto("path", {{"class", "asse"}, {"d", barra.testo()}});
  svg.segno({bx, by - 4, bx + l, by});
  svg.scritta({&stile_testo_normale, bx + l / 2, by - 7, ancora_testo::mezzo, 0,
               p.metri_scala >= 1000 ? chilometri(p.metri_scala) + " km"
                                     : numero_svg(p.metri_scala) + " m"});

  legenda_pianta(p).disegna(svg);
  svg.chiudi();
}

}  // namespace viste
