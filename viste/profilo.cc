// The profile view: the line speed limit and the gradient from the cells,
// with the features along the route.
#include "viste/profilo.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <string_view>

#include "compiler/formato.h"
#include "source/testo_utf8.h"
#include "viste/diradamento.h"
#include "viste/larghezza_testo.h"
#include "viste/pagina.h"
#include "viste/testi.h"

namespace viste {

namespace {

constexpr double profilo_x = 80;
constexpr double profilo_l = 1040;
constexpr double intestazione_a = 26;
constexpr double guide_a = 26;  // between the names and the chart
constexpr double grafico_a = 300;
constexpr double fascia_a = 12;
constexpr double tra_fasce = 4;
constexpr int fasce = 4;  // signals, speed boards, boards, restrictions
// Markers closer than this share one, whose title counts the others.
constexpr double colonna_segni = 1;
// Room across a station name, and between two.
constexpr double spessore_nome =
    (ascendente_em + discendente_em) * stile_nome.corpo + 1.5;

// "segnale-8" for sx 2, dx 2; "segnale-altro" beyond the ten kinds.
std::string classe_segnale(std::int64_t codice) {
  if (codice < 0 || codice >= static_cast<std::int64_t>(colori_segnali.size()))
    return "segnale-altro";
  return "segnale-" + n(codice);
}

double fascia_y(const profilo_impaginato& p, int i) {
  return p.fasce_y0 + i * (fascia_a + tra_fasce);
}

double velocita_di(const compiler::cella& c) {
  return static_cast<double>(compiler::kmh_di_velocita(c.velocita_linea));
}
double pendenza_di(const compiler::cella& c) {
  return static_cast<double>(compiler::pendenza_di_cella(c.pendenza_linea));
}

struct scala_valori {
  double v_max = 50;  // km/h at the top of the chart
  double g_max = 5;   // gradient at the top; -g_max at the bottom
  double passo_v = 10;
  double passo_g = 1;
};

// Where features stand, widening the axis: every cell that holds one, and
// every station.
void estremi_asse(const file_compilati_letti& f, const riepilogo& r,
                  profilo_impaginato& p) {
  double inizio = 0;
  double fine = static_cast<double>(std::max<std::int64_t>(r.lunghezza, 0));
  for (std::size_t i = 0; i < f.celle.size(); ++i) {
    const compiler::cella& c = f.celle[i];
    if (c.tipo_cella == static_cast<std::uint8_t>(compiler::tipo::vuota) ||
        c.tipo_cella ==
            static_cast<std::uint8_t>(compiler::tipo::segno_montagna))
      continue;
    const auto m = static_cast<double>(
        c.tipo_cella ==
                    static_cast<std::uint8_t>(compiler::tipo::abbattimento) ||
                c.tipo_cella == static_cast<std::uint8_t>(
                                    compiler::tipo::abbattimento_nullo)
            ? compiler::posizione_abbattimento(static_cast<std::int64_t>(i))
            : posizione_elemento(i));
    inizio = std::min(inizio, m);
    fine = std::max(fine, m);
  }
  for (const tratto_montagna& m : r.montagne) {
    fine =
        std::max(fine, static_cast<double>(inizio_tratto(m.ultima_cella + 1)));
  }
  for (std::size_t k : r.stazioni) {
    const auto m = static_cast<double>(f.tabella[k].valore_c);
    inizio = std::min(inizio, m);
    fine = std::max(fine, m);
  }
  if (fine <= inizio) fine = inizio + 1000;
  // A feature right at the end still gets a little room past it.
  if (fine > static_cast<double>(r.lunghezza) && r.lunghezza >= 0) {
    fine += (fine - inizio) / 200;
  }
  p.inizio = inizio;
  p.fine = fine;
}

// The cells whose piecewise values hold on the axis.
std::pair<std::size_t, std::size_t> celle_sull_asse(
    const file_compilati_letti& f, const profilo_impaginato& p) {
  std::size_t da = 0;
  while (da < f.celle.size() &&
         static_cast<double>(inizio_tratto(da + 1)) <= p.inizio) {
    ++da;
  }
  std::size_t a = da;
  while (a < f.celle.size() && static_cast<double>(inizio_tratto(a)) < p.fine) {
    ++a;
  }
  return {da, a};
}

scala_valori scala_di(const file_compilati_letti& f, const riepilogo& r,
                      const profilo_impaginato& p) {
  const auto [da, a] = celle_sull_asse(f, p);
  double v = 50;
  double g = 5;
  for (std::size_t i = da; i < a; ++i) {
    v = std::max(v, velocita_di(f.celle[i]));
    g = std::max(g, std::abs(pendenza_di(f.celle[i])));
  }
  for (const rallentamento_letto& x : r.elementi.rallentamenti) {
    v = std::max(v, static_cast<double>(x.velocita));
  }
  // Each scale tops out a mark above its highest value, so that no line
  // runs along the frame.
  scala_valori k;
  k.passo_v = passo_bello(v / 5);
  k.v_max = (std::floor(v / k.passo_v) + 1) * k.passo_v;
  k.passo_g = passo_bello(g / 3);
  k.g_max = (std::floor(g / k.passo_g) + 1) * k.passo_g;
  return k;
}

double y_velocita(const profilo_impaginato& p, const scala_valori& k,
                  double v) {
  const double y = p.grafico_y1 - v / k.v_max * grafico_a;
  return std::clamp(y, p.grafico_y0, p.grafico_y1);
}
double y_pendenza(const profilo_impaginato& p, const scala_valori& k,
                  double g) {
  const double y =
      (p.grafico_y0 + p.grafico_y1) / 2 - g / k.g_max * grafico_a / 2;
  return std::clamp(y, p.grafico_y0, p.grafico_y1);
}

// Names along the band, each at least `spessore_nome` from the next, as
// near its station as that allows: names that would crowd are moved apart
// as a block, centred on where their stations stand.
std::vector<double> distribuisci(const std::vector<double>& ideali, double da,
                                 double a) {
  std::vector<std::size_t> ordine(ideali.size());
  for (std::size_t i = 0; i < ordine.size(); ++i) ordine[i] = i;
  std::stable_sort(
      ordine.begin(), ordine.end(),
      [&](std::size_t x, std::size_t y) { return ideali[x] < ideali[y]; });
  const double h = spessore_nome;
  // Blocks of names in a row: their first name's place and their count.
  struct blocco {
    double x = 0;
    std::size_t primo = 0;
    std::size_t quanti = 0;
    double somma = 0;  // of ideal - offset, for the block's centre
  };
  std::vector<blocco> blocchi;
  auto stringi = [&](blocco& b) {
    b.x = b.somma / static_cast<double>(b.quanti);
    const double ultimo = a - h * static_cast<double>(b.quanti - 1);
    b.x = std::max(da, std::min(b.x, ultimo));
  };
  for (std::size_t j = 0; j < ordine.size(); ++j) {
    blocco b{0, j, 1, ideali[ordine[j]]};
    stringi(b);
    blocchi.push_back(b);
    while (blocchi.size() > 1) {
      blocco& prima = blocchi[blocchi.size() - 2];
      const blocco& ora = blocchi.back();
      if (prima.x + h * static_cast<double>(prima.quanti) <= ora.x + 1e-9)
        break;
      for (std::size_t i = 0; i < ora.quanti; ++i) {
        prima.somma += ideali[ordine[ora.primo + i]] -
                       h * static_cast<double>(prima.quanti + i);
      }
      prima.quanti += ora.quanti;
      blocchi.pop_back();
      stringi(prima);
    }
  }
  std::vector<double> out(ideali.size());
  for (const blocco& b : blocchi) {
    for (std::size_t i = 0; i < b.quanti; ++i) {
      out[ordine[b.primo + i]] = b.x + h * static_cast<double>(i);
    }
  }
  return out;
}

// Features drawn as one marker per pixel column: the column's first feature
// sets the marker and its title, which counts the others.
template <class T, class X, class Titolo, class Segno>
void un_segno_per_colonna(const std::vector<T>& elementi, X x_di,
                          Titolo titolo_di, Segno segno) {
  std::size_t i = 0;
  while (i < elementi.size()) {
    const double x = x_di(elementi[i]);
    const double col = std::floor(x / colonna_segni);
    std::size_t j = i + 1;
    while (j < elementi.size() &&
           std::floor(x_di(elementi[j]) / colonna_segni) == col) {
      ++j;
    }
    segno(elementi[i], x, titolo_con_altri(titolo_di(elementi[i]), j - i - 1));
    i = j;
  }
}

void linea_a_passi(documento_svg& svg, const file_compilati_letti& f,
                   const profilo_impaginato& p, const scala_valori& k,
                   bool velocita, std::string_view classe) {
  const auto [da, a] = celle_sull_asse(f, p);
  std::vector<gradino> g;
  double prima = 0;
  for (std::size_t i = da; i < a; ++i) {
    const double v =
        velocita ? velocita_di(f.celle[i]) : pendenza_di(f.celle[i]);
    if (i > da && v == prima) continue;
    prima = v;
    const double m = std::max(p.inizio, static_cast<double>(inizio_tratto(i)));
    g.push_back({p.x(m), velocita ? y_velocita(p, k, v) : y_pendenza(p, k, v)});
  }
  const std::vector<punto_pagina> q = linea_a_gradini(g, p.x(p.fine), colonna);
  if (q.empty()) return;
  dati_percorso d;
  d.muovi(q[0].x, q[0].y);
  for (std::size_t i = 1; i < q.size(); ++i) d.linea(q[i].x, q[i].y);
  svg.vuoto("path", {{"class", classe}, {"d", d.testo()}});
}

void assi(documento_svg& svg, const profilo_impaginato& p,
          const scala_valori& k) {
  const double destra = profilo_x + profilo_l;
  for (double v = 0; v <= k.v_max * (1 + 1e-9); v += k.passo_v) {
    const double y = y_velocita(p, k, v);
    svg.vuoto("line", {{"class", "griglia"},
                       {"x1", profilo_x},
                       {"y1", y},
                       {"x2", destra},
                       {"y2", y}});
    svg.scritta({&stile_testo_normale, profilo_x - 4, y + 3.5,
                 ancora_testo::fine, 0, numero_svg(v)});
  }
  for (double g = -k.g_max; g <= k.g_max * (1 + 1e-9); g += k.passo_g) {
    std::string t = numero_svg(std::abs(g) < k.passo_g / 2 ? 0 : g, 2);
    for (char& c : t) {
      if (c == '.') c = ',';
    }
    svg.scritta({&stile_testo_normale, destra + 4, y_pendenza(p, k, g) + 3.5,
                 ancora_testo::inizio, 0, t});
  }
  svg.vuoto("line", {{"class", "zero"},
                     {"x1", profilo_x},
                     {"y1", y_pendenza(p, k, 0)},
                     {"x2", destra},
                     {"y2", y_pendenza(p, k, 0)}});
  svg.vuoto("rect", {{"class", "asse"},
                     {"x", profilo_x},
                     {"y", p.grafico_y0},
                     {"width", profilo_l},
                     {"height", grafico_a}});
  const double ym = (p.grafico_y0 + p.grafico_y1) / 2;
  svg.scritta({&stile_testo_normale, profilo_x - 48, ym, ancora_testo::mezzo,
               -90, "velocità massima (km/h)"});
  svg.scritta({&stile_testo_normale, destra + 40, ym, ancora_testo::mezzo, 90,
               "pendenza (\u2030)"});

  // The kilometre axis under the bands; its marks fall on round kilometres,
  // their labels as far apart as their widths need.
  dati_percorso asse;
  asse.muovi(profilo_x, p.asse_y);
  asse.linea(destra, p.asse_y);
  double passo = passo_bello((p.fine - p.inizio) / 1000 / 10) * 1000;
  auto larghezza_massima = [&](double passo_m) {
    double l = 0;
    for (double m = std::ceil(p.inizio / passo_m) * passo_m;
         m <= p.fine * (1 + 1e-9) + 1e-9; m += passo_m) {
      l = std::max(
          l, larghezza_testo(chilometri(m), stile_testo_normale.corpo, false));
    }
    return l;
  };
  while (larghezza_massima(passo) + 6 > passo / (p.fine - p.inizio) * profilo_l)
    passo = passo_bello(passo * 1.01);
  for (double m = std::ceil(p.inizio / passo) * passo;
       m <= p.fine * (1 + 1e-9) + 1e-9; m += passo) {
    asse.muovi(p.x(m), p.asse_y);
    asse.verticale(4);
    svg.scritta({&stile_testo_normale, p.x(m), p.asse_y + 15,
                 ancora_testo::mezzo, 0, chilometri(m)});
  }
  svg.vuoto("path", {{"class", "asse"}, {"d", asse.testo()}});
  svg.scritta({&stile_testo_normale, profilo_x + profilo_l / 2, p.asse_y + 30,
               ancora_testo::mezzo, 0, "distanza lungo il percorso (km)"});
  constexpr std::array<std::string_view, fasce> nomi_fasce = {
      "segnali", "indicatori", "cartelli", "rallentamenti"};
  for (int i = 0; i < fasce; ++i) {
    const double y = fascia_y(p, i);
    svg.vuoto("rect", {{"class", "fascia"},
                       {"x", profilo_x},
                       {"y", y},
                       {"width", profilo_l},
                       {"height", fascia_a}});
    svg.scritta({&stile_testo_normale, profilo_x - 4, y + 9.5,
                 ancora_testo::fine, 0,
                 std::string(nomi_fasce[static_cast<std::size_t>(i)])});
  }
}

void triangolo(dati_percorso& d, double x, double alto, double basso,
               bool in_giu) {
  d.muovi(x - 4, in_giu ? alto : basso);
  d.linea(x + 4, in_giu ? alto : basso);
  d.linea(x, in_giu ? basso : alto);
  d.chiudi_pezzo();
}

void segnali(documento_svg& svg, const riepilogo& r,
             const profilo_impaginato& p) {
  const double y = fascia_y(p, 0);
  un_segno_per_colonna(
      r.elementi.segnali,
      [&](const segnale_letto& s) {
        return p.x(static_cast<double>(posizione_elemento(s.cella)));
      },
      [&](const segnale_letto& s) { return titolo_segnale(s, r.lunghezza); },
      [&](const segnale_letto& s, double x, const std::string& t) {
        dati_percorso d;
        d.muovi(x, y);
        d.verticale(fascia_a);
        svg.con_titolo(
            "path", {{"class", classe_segnale(s.codice())}, {"d", d.testo()}},
            t);
      });
}

void indicatori(documento_svg& svg, const riepilogo& r,
                const profilo_impaginato& p) {
  const double y = fascia_y(p, 1) + fascia_a / 2;
  un_segno_per_colonna(
      r.elementi.indicatori,
      [&](const indicatore_letto& i) {
        return p.x(static_cast<double>(posizione_elemento(i.cella)));
      },
      [&](const indicatore_letto& i) {
        return titolo_indicatore(i, r.lunghezza);
      },
      [&](const indicatore_letto&, double x, const std::string& t) {
        dati_percorso d;
        d.muovi(x, y - 5);
        d.linea(x + 3.5, y);
        d.linea(x, y + 5);
        d.linea(x - 3.5, y);
        d.chiudi_pezzo();
        svg.con_titolo("path", {{"class", "indicatore"}, {"d", d.testo()}}, t);
      });
}

void cartelli(documento_svg& svg, const file_compilati_letti& f,
              const riepilogo& r, const profilo_impaginato& p) {
  std::vector<cartello_letto> in_ordine = r.cartelli;
  std::stable_sort(in_ordine.begin(), in_ordine.end(),
                   [](const cartello_letto& a, const cartello_letto& b) {
                     return a.cella < b.cella;
                   });
  const double y = fascia_y(p, 2);
  un_segno_per_colonna(
      in_ordine,
      [&](const cartello_letto& c) {
        return p.x(static_cast<double>(posizione_elemento(c.cella)));
      },
      [&](const cartello_letto& c) {
        return titolo_cartello(f, c, r.lunghezza);
      },
      [&](const cartello_letto&, double x, const std::string& t) {
        svg.con_titolo("rect",
                       {{"class", "cartello"},
                        {"x", x - 3},
                        {"y", y + 2},
                        {"width", 6.0},
                        {"height", fascia_a - 4}},
                       t);
      });
}

void rallentamenti(documento_svg& svg, const file_compilati_letti& f,
                   const riepilogo& r, const profilo_impaginato& p,
                   const scala_valori& k) {
  const std::vector<rallentamento_letto>& tutti = r.elementi.rallentamenti;
  auto x_di = [&](const rallentamento_letto& x) {
    return p.x(static_cast<double>(posizione_elemento(prima_cella(x))));
  };
  auto titolo_di = [&](const rallentamento_letto& x) {
    return titolo_rallentamento(x, r.lunghezza);
  };
  // The speed in force over each: a step down from the line speed at its
  // start to its own speed, and back up at its end.
  un_segno_per_colonna(
      tutti, x_di, titolo_di,
      [&](const rallentamento_letto& x, double, const std::string& t) {
        if (!x.inizio || !x.fine) return;
        const double xs =
            p.x(static_cast<double>(posizione_elemento(*x.inizio)));
        const double xe = p.x(static_cast<double>(posizione_elemento(*x.fine)));
        const double yv = y_velocita(p, k, x.velocita);
        dati_percorso d;
        d.muovi(xs, y_velocita(p, k, velocita_di(f.celle[*x.inizio])));
        d.linea(xs, yv);
        d.linea(std::max(xe, xs + colonna), yv);
        d.linea(std::max(xe, xs + colonna),
                y_velocita(p, k, velocita_di(f.celle[*x.fine])));
        svg.con_titolo("path", {{"class", "rallentamento"}, {"d", d.testo()}},
                       t);
      });
  const double alto = fascia_y(p, 3);
  const double basso = alto + fascia_a;
  for (bool inizio : {true, false}) {
    std::vector<rallentamento_letto> con;
    for (const rallentamento_letto& x : tutti) {
      if (inizio ? x.inizio.has_value() : x.fine.has_value()) con.push_back(x);
    }
    if (!inizio) {
      std::stable_sort(
          con.begin(), con.end(),
          [](const rallentamento_letto& a, const rallentamento_letto& b) {
            return *a.fine < *b.fine;
          });
    }
    un_segno_per_colonna(
        con,
        [&](const rallentamento_letto& x) {
          return p.x(static_cast<double>(
              posizione_elemento(inizio ? *x.inizio : *x.fine)));
        },
        titolo_di,
        [&](const rallentamento_letto&, double x, const std::string& t) {
          dati_percorso d;
          triangolo(d, x, alto, basso, inizio);
          svg.con_titolo("path",
                         {{"class", inizio ? "inizio-rallentamento"
                                           : "fine-rallentamento"},
                          {"d", d.testo()}},
                         t);
        });
  }
}

void montagne(documento_svg& svg, const riepilogo& r,
              const profilo_impaginato& p) {
  std::vector<tratto_montagna> sull_asse;
  for (const tratto_montagna& m : r.montagne) {
    const double da = static_cast<double>(inizio_tratto(m.prima_cella));
    if (da >= p.fine) break;
    sull_asse.push_back(m);
  }
  std::size_t i = 0;
  while (i < sull_asse.size()) {
    // Sections closer than a column to the one before join it.
    const double da =
        p.x(static_cast<double>(inizio_tratto(sull_asse[i].prima_cella)));
    double a = p.x(std::min(
        static_cast<double>(inizio_tratto(sull_asse[i].ultima_cella + 1)),
        p.fine));
    std::size_t j = i + 1;
    while (j < sull_asse.size()) {
      const double d2 =
          p.x(static_cast<double>(inizio_tratto(sull_asse[j].prima_cella)));
      if (d2 - a >= colonna) break;
      a = std::max(a, p.x(std::min(static_cast<double>(inizio_tratto(
                                       sull_asse[j].ultima_cella + 1)),
                                   p.fine)));
      ++j;
    }
    const std::string t =
        titolo_con_altri(titolo_montagna(sull_asse[i]), j - i - 1);
    svg.con_titolo("rect",
                   {{"class", "montagna"},
                    {"x", da},
                    {"y", p.grafico_y0},
                    {"width", std::max(a - da, colonna)},
                    {"height", grafico_a}},
                   t);
    i = j;
  }
}

legenda legenda_profilo(const riepilogo& r, const profilo_impaginato& p) {
  legenda g(profilo_x, p.legenda_y, profilo_l);
  auto linea = [](std::string_view classe) {
    return [classe](documento_svg& s, double x, double y) {
      s.vuoto(
          "line",
          {{"class", classe}, {"x1", x}, {"y1", y}, {"x2", x + 24}, {"y2", y}});
    };
  };
  g.aggiungi(
      {"velocità massima della linea (km/h, a sinistra)", linea("velocita")});
  g.aggiungi({"pendenza (\u2030, a destra)", linea("pendenza")});
  g.aggiungi({"velocità di un rallentamento",
              [](documento_svg& s, double x, double y) {
                s.vuoto("path", {{"class", "rallentamento"},
                                 {"d", "M" + numero_svg(x) + " " +
                                           numero_svg(y - 5) + "v8h24v-8"}});
              }});
  g.aggiungi({"tratto di montagna", [](documento_svg& s, double x, double y) {
                s.vuoto("rect", {{"class", "montagna"},
                                 {"x", x},
                                 {"y", y - 5},
                                 {"width", 24.0},
                                 {"height", 10.0}});
              }});
  g.aggiungi({"stazione", [](documento_svg& s, double x, double y) {
                s.vuoto("line", {{"class", "campione-stazione"},
                                 {"x1", x + 12},
                                 {"y1", y - 6},
                                 {"x2", x + 12},
                                 {"y2", y + 6}});
              }});
  std::array<std::size_t, 11> per_codice{};
  for (const segnale_letto& s : r.elementi.segnali) {
    const std::int64_t c = s.codice();
    ++per_codice[c >= 0 && c < 10 ? static_cast<std::size_t>(c) : 10];
  }
  for (std::size_t c = 0; c < per_codice.size(); ++c) {
    if (per_codice[c] == 0) continue;
    std::string testo = "segnale";
    if (c < 10) {
      testo += " sx " + n(c / 3) + ", dx " + n(c % 3);
    } else {
      testo += " di altro tipo";
    }
    testo += " (" + n(per_codice[c]) + ")";
    const std::string classe =
        classe_segnale(c < 10 ? static_cast<std::int64_t>(c) : -1);
    g.aggiungi({testo, [classe](documento_svg& s, double x, double y) {
                  s.vuoto("line", {{"class", classe},
                                   {"x1", x + 12},
                                   {"y1", y - 6},
                                   {"x2", x + 12},
                                   {"y2", y + 6}});
                }});
  }
  g.aggiungi({"indicatore di velocità massima",
              [](documento_svg& s, double x, double y) {
                s.vuoto("path",
                        {{"class", "indicatore"},
                         {"d", "M" + numero_svg(x + 12) + " " +
                                   numero_svg(y - 5) + "l3.5 5-3.5 5-3.5-5Z"}});
              }});
  g.aggiungi({"cartello indicatore", [](documento_svg& s, double x, double y) {
                s.vuoto("rect", {{"class", "cartello"},
                                 {"x", x + 9},
                                 {"y", y - 4},
                                 {"width", 6.0},
                                 {"height", 8.0}});
              }});
  g.aggiungi(
      {"inizio di un rallentamento", [](documento_svg& s, double x, double y) {
         dati_percorso d;
         triangolo(d, x + 12, y - 5, y + 5, true);
         s.vuoto("path", {{"class", "inizio-rallentamento"}, {"d", d.testo()}});
       }});
  g.aggiungi(
      {"fine di un rallentamento", [](documento_svg& s, double x, double y) {
         dati_percorso d;
         triangolo(d, x + 12, y - 5, y + 5, false);
         s.vuoto("path", {{"class", "fine-rallentamento"}, {"d", d.testo()}});
       }});
  if (p.fine > static_cast<double>(r.lunghezza)) {
    g.aggiungi({"oltre la fine del percorso",
                [](documento_svg& s, double x, double y) {
                  s.vuoto("rect", {{"class", "zona-oltre"},
                                   {"x", x},
                                   {"y", y - 5},
                                   {"width", 24.0},
                                   {"height", 10.0}});
                }});
  }
  return g;
}

}  // namespace

double profilo_impaginato::x(double metri) const {
  return profilo_x + (metri - inizio) / (fine - inizio) * profilo_l;
}

profilo_impaginato impagina_profilo(const file_compilati_letti& f,
                                    const riepilogo& r, double y0) {
  profilo_impaginato p;
  p.y0 = y0;
  estremi_asse(f, r, p);
  // The band is as high as the longest name's box, turned upright.
  double piu_lungo = 0;
  std::vector<double> ideali;
  for (std::size_t k : r.stazioni) {
    const riquadro b =
        riquadro_di({&stile_nome, 0, 0, ancora_testo::inizio, -90,
                     source::utf8_leggibile(f.tabella[k].testo)});
    piu_lungo = std::max(piu_lungo, b.y1 - b.y0);
    ideali.push_back(p.x(static_cast<double>(f.tabella[k].valore_c)));
  }
  p.nomi_y0 = y0 + intestazione_a;
  p.nomi_y1 = p.nomi_y0 + std::max(piu_lungo, 10.0) + 4;
  p.grafico_y0 = p.nomi_y1 + guide_a;
  p.grafico_y1 = p.grafico_y0 + grafico_a;
  p.fasce_y0 = p.grafico_y1 + 8;
  p.asse_y = fascia_y(p, fasce) + 4;
  p.legenda_y = p.asse_y + 42;
  // The names' centres, within the chart's width.
  p.x_nomi = distribuisci(ideali, profilo_x + spessore_nome / 2,
                          profilo_x + profilo_l - spessore_nome / 2);
  p.fondo = legenda_profilo(r, p).fondo() + 10;
  return p;
}

void disegna_profilo(documento_svg& svg, const file_compilati_letti& f,
                     const riepilogo& r, const profilo_impaginato& p) {
  svg.apri("g", {{"id", "profilo"}});
  svg.scritta({&stile_intestazione, profilo_x, p.y0 + 16, ancora_testo::inizio,
               0, "Profilo lungo il percorso"});
  const scala_valori k = scala_di(f, r, p);

  // Under everything else: the stretch past the end, the mountain sections.
  const auto lunghezza = static_cast<double>(r.lunghezza);
  if (p.fine > lunghezza) {
    const double da = p.x(std::max(lunghezza, p.inizio));
    svg.con_titolo("rect",
                   {{"class", "zona-oltre"},
                    {"x", da},
                    {"y", p.grafico_y0},
                    {"width", profilo_x + profilo_l - da},
                    {"height", fascia_y(p, fasce) - p.grafico_y0}},
                   "oltre la fine del percorso (" + n(r.lunghezza) + " m)");
  }
  montagne(svg, r, p);
  assi(svg, p, k);

  const double basso = fascia_y(p, fasce) - tra_fasce;
  for (std::size_t i = 0; i < r.stazioni.size(); ++i) {
    const std::size_t voce = r.stazioni[i];
    const compiler::voce_dati& v = f.tabella[voce];
    const double x = p.x(static_cast<double>(v.valore_c));
    const std::string titolo = titolo_stazione(f, r, voce);
    svg.con_titolo("line",
                   {{"class", "stazione"},
                    {"x1", x},
                    {"y1", p.grafico_y0},
                    {"x2", x},
                    {"y2", basso}},
                   titolo);
    // The name's centre line stands at x_nomi; a leader joins it to x.
    const double xn = p.x_nomi[i];
    if (std::abs(xn - x) > 0.25) {
      dati_percorso d;
      d.muovi(xn, p.nomi_y1 + 1);
      d.linea(xn, p.nomi_y1 + 6);
      d.linea(x, p.grafico_y0 - 6);
      d.linea(x, p.grafico_y0);
      svg.vuoto("path", {{"class", "guida"}, {"d", d.testo()}});
    } else {
      svg.vuoto("line", {{"class", "guida"},
                         {"x1", x},
                         {"y1", p.nomi_y1 + 1},
                         {"x2", x},
                         {"y2", p.grafico_y0}});
    }
    svg.scritta({&stile_nome,
                 xn + (ascendente_em - discendente_em) / 2 * stile_nome.corpo,
                 p.nomi_y1, ancora_testo::inizio, -90,
                 source::utf8_leggibile(v.testo)});
  }

  linea_a_passi(svg, f, p, k, false, "pendenza");
  linea_a_passi(svg, f, p, k, true, "velocita");
  rallentamenti(svg, f, r, p, k);
  segnali(svg, r, p);
  indicatori(svg, r, p);
  cartelli(svg, f, r, p);
  legenda_profilo(r, p).disegna(svg);
  svg.chiudi();
}

}  // namespace viste
