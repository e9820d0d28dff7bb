// The page of the plot: where each view stands on it, in pixels, and the
// helpers both views use for scales and labels.
#ifndef VISTE_PAGINA_H_
#define VISTE_PAGINA_H_

#include <string>

namespace viste {

// The page, in pixels, top to bottom.
inline constexpr double larghezza_pagina = 1200;
inline constexpr double altezza_pagina = 1430;
inline constexpr double titolo_y = 28;
// The plan view.
inline constexpr double pianta_x = 60;
inline constexpr double pianta_y = 66;
inline constexpr double pianta_l = 1080;
inline constexpr double pianta_a = 660;
inline constexpr double legenda_pianta_y = 746;
// The profile: station names (written upward from nomi_fondo), the chart,
// the bands of signals and of speed restrictions, the kilometre axis and
// the legend.
inline constexpr double profilo_titolo_y = 776;
inline constexpr double profilo_x = 80;
inline constexpr double profilo_l = 1040;
inline constexpr double nomi_fondo = 976;
inline constexpr double grafico_y = 986;
inline constexpr double grafico_a = 300;
inline constexpr double segnali_y = 1296;
inline constexpr double rallentamenti_y = 1316;
inline constexpr double fascia_a = 12;
inline constexpr double asse_y = 1336;
inline constexpr double legenda_y = 1392;

// What one column of the page can tell apart.
inline constexpr double colonna = 0.5;

// The smallest of 1, 2 and 5 times a power of ten that is at least x.
// REQUIRES: x > 0, finite.
double passo_bello(double x);

// Metres as kilometres with at most three decimals.
std::string chilometri(double metri);

}  // namespace viste

#endif  // VISTE_PAGINA_H_
