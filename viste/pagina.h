// The page of the plot: its width and margins, the styles of its texts, and
// the helpers both views use for scales, legends and the titles of their
// markers.
#ifndef VISTE_PAGINA_H_
#define VISTE_PAGINA_H_

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "viste/svg.h"
#include "viste/testi.h"

namespace viste {

inline constexpr double larghezza_pagina = 1200;
// Left and right of the plan's frame, and of the page's texts.
inline constexpr double margine_pagina = 60;
// What one column of the page can tell apart.
inline constexpr double colonna = 0.5;

// The texts of the page, one style each; the style sheet is made from these.
inline constexpr stile_testo stile_titolo{"titolo", 16, true};
inline constexpr stile_testo stile_avviso{"avviso", 11, true};
inline constexpr stile_testo stile_intestazione{"intestazione", 12, true};
inline constexpr stile_testo stile_testo_normale{"testo", 10, false};
inline constexpr stile_testo stile_nome{"nome-stazione", 9, false};

// The colours of the signal kinds, by sx * 3 + dx.
inline constexpr std::array<std::string_view, 10> colori_segnali = {
    "#7f8c8d", "#8e44ad", "#c0392b", "#16a085", "#d35400",
    "#b7950b", "#2e86de", "#27ae60", "#222222", "#e84393"};

// The style sheet of the page.
std::string foglio_di_stile();

// The smallest of 1, 2 and 5 times a power of ten that is at least x.
// REQUIRES: x > 0, finite.
double passo_bello(double x);

// Metres as kilometres with at most three decimals, a comma before them
// ("12,5").
std::string chilometri(double metri);

// A legend: entries of a sample and its text, set in rows from left to
// right within a width.
struct voce_legenda {
  std::string testo;
  // Draws the sample in the 24 by 12 pixels whose left edge is x and whose
  // vertical middle is y.
  std::function<void(documento_svg&, double x, double y)> campione;
};

class legenda {
 public:
  // The legend starts with its first row's top at (x, y) and keeps within
  // `larghezza` pixels.
  legenda(double x, double y, double larghezza)
      : x_(x), y_(y), larghezza_(larghezza) {}
  void aggiungi(voce_legenda v) { voci_.push_back(std::move(v)); }
  // The bottom of the last row.
  double fondo() const;
  void disegna(documento_svg& svg) const;

 private:
  // The left edge and the row of every entry.
  std::vector<std::pair<double, int>> posti() const;

  double x_, y_, larghezza_;
  std::vector<voce_legenda> voci_;
};

// A marker's title, and how many more features the marker stands for.
std::string titolo_con_altri(std::string titolo, std::size_t altri);

}  // namespace viste

#endif  // VISTE_PAGINA_H_
