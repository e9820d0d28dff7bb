// Scales, legends and styles shared by the views of the plot.
#include "viste/pagina.h"

#include <cmath>

#include "viste/larghezza_testo.h"

namespace viste {

namespace {

constexpr double campione_l = 24;
constexpr double dopo_campione = 6;
constexpr double tra_voci = 22;
constexpr double riga_legenda = 18;

std::string regola(const stile_testo& s, std::string_view resto) {
  std::string out = "text.";
  out += s.classe;
  out += "{font-size:" + numero_svg(s.corpo) + "px";
  if (s.grassetto) out += ";font-weight:bold";
  out += resto;
  out += "}";
  return out;
}

}  // namespace

std::string foglio_di_stile() {
  std::string out =
      "text{font-family:'DejaVu Sans',Verdana,sans-serif;fill:#222;"
      "font-kerning:none}";
  out += regola(stile_titolo, "");
  out += regola(stile_avviso, ";fill:#b01c1c");
  out += regola(stile_intestazione, "");
  out += regola(stile_testo_normale, "");
  out += regola(stile_nome, "");
  out +=
      ".cornice{fill:none;stroke:#999;stroke-width:0.8}"
      ".tracciato{fill:none;stroke:#1a4f8b;stroke-width:1.6;"
      "stroke-linejoin:round;stroke-linecap:round}"
      ".coda{fill:none;stroke:#8aa4c0;stroke-width:1;stroke-dasharray:4 3}"
      "circle.stazione,circle.campione-stazione{fill:#fff;stroke:#b01c1c;"
      "stroke-width:1.4}"
      ".oltre-fine{fill:none;stroke:#777;stroke-width:1;"
      "stroke-dasharray:2 1.5}"
      "line.stazione,line.campione-stazione{stroke:#b01c1c;stroke-width:0.6;"
      "stroke-dasharray:2 2}"
      ".guida{fill:none;stroke:#b01c1c;stroke-width:0.5;opacity:0.7}"
      ".montagna{fill:#eadfca}"
      ".zona-oltre{fill:url(#tratteggio)}"
      ".griglia{stroke:#e2e2e2;stroke-width:0.6}"
      ".zero{stroke:#9c9c9c;stroke-width:0.6}"
      ".asse{fill:none;stroke:#444;stroke-width:0.8}"
      ".fascia{fill:#f6f6f6}"
      ".velocita{fill:none;stroke:#1a4f8b;stroke-width:1.4}"
      ".pendenza{fill:none;stroke:#2e7d32;stroke-width:1}"
      ".rallentamento{fill:none;stroke:#d35400;stroke-width:1.6}"
      ".inizio-rallentamento{fill:#d35400}"
      ".fine-rallentamento{fill:#27ae60}"
      ".indicatore{fill:#7b3fa0}"
      ".cartello{fill:#fff;stroke:#555;stroke-width:0.8}"
      ".nord{fill:#444}";
  for (std::size_t c = 0; c < colori_segnali.size(); ++c) {
    out += ".segnale-" + n(c) + "{stroke:" + std::string(colori_segnali[c]) +
           ";stroke-width:1.2}";
  }
  out += ".segnale-altro{stroke:#999;stroke-width:1.2}";
  return out;
}

double passo_bello(double x) {
  double p = std::pow(10.0, std::floor(std::log10(x)));
  for (double m : {1.0, 2.0, 5.0, 10.0}) {
    if (m * p >= x * (1 - 1e-9)) return m * p;
  }
  return 10 * p;
}

std::string chilometri(double metri) {
  std::string out = numero_svg(metri / 1000, 3);
  for (char& c : out) {
    if (c == '.') c = ',';
  }
  return out;
}

std::vector<std::pair<double, int>> legenda::posti() const {
  std::vector<std::pair<double, int>> out;
  double x = x_;
  int riga = 0;
  for (const voce_legenda& v : voci_) {
    const double l = campione_l + dopo_campione +
                     larghezza_testo(v.testo, stile_testo_normale.corpo,
                                     stile_testo_normale.grassetto);
    if (x > x_ && x + l > x_ + larghezza_) {
      x = x_;
      ++riga;
    }
    out.emplace_back(x, riga);
    x += l + tra_voci;
  }
  return out;
}

double legenda::fondo() const {
  if (voci_.empty()) return y_;
  return y_ + (posti().back().second + 1) * riga_legenda;
}

void legenda::disegna(documento_svg& svg) const {
  const std::vector<std::pair<double, int>> p = posti();
  for (std::size_t i = 0; i < voci_.size(); ++i) {
    const double x = p[i].first;
    const double ym = y_ + (p[i].second + 0.5) * riga_legenda;
    voci_[i].campione(svg, x, ym);
    svg.scritta(
        {&stile_testo_normale, x + campione_l + dopo_campione,
         ym + (ascendente_em - discendente_em) / 2 * stile_testo_normale.corpo,
         ancora_testo::inizio, 0, voci_[i].testo});
  }
}

std::string titolo_con_altri(std::string titolo, std::size_t altri) {
  if (altri == 1) titolo += "\n... e un altro qui accanto";
  if (altri > 1) titolo += "\n... e altri " + n(altri) + " qui accanto";
  return titolo;
}

}  // namespace viste
