// How much room a text takes on the page, from the advance widths of the
// drawing's font, so that the plot can place its labels where no other
// stands.
#ifndef VISTE_LARGHEZZA_TESTO_H_
#define VISTE_LARGHEZZA_TESTO_H_

#include <string_view>

namespace viste {

// The font's extent above and below the baseline, in ems (DejaVu Sans:
// ascender 1901, descender 483 of 2048).
inline constexpr double ascendente_em = 1901.0 / 2048.0;
inline constexpr double discendente_em = 483.0 / 2048.0;

// Width in pixels of `utf8` set in DejaVu Sans (Bold with `grassetto`) at
// `corpo` pixels to the em; a character the table lacks counts as the
// widest one.
double larghezza_testo(std::string_view utf8, double corpo, bool grassetto);

}  // namespace viste

#endif  // VISTE_LARGHEZZA_TESTO_H_
