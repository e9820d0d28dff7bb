// Finishing pass: abatement marks around signals and speed restrictions.
#include "compiler/rifinitura.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <vector>

#include "compiler/arrotonda.h"
#include "compiler/griglia.h"
#include "compiler/guasti.h"

namespace compiler {

namespace {

// Look-back from a warning point, in cells; signals at cell 2 or lower are
// never looked at, so c - 2 stays inside the grid.
constexpr std::int64_t passi_indietro = 20;
constexpr std::int64_t primo_segnale_guardato = 3;

// A mark is due every this many cells inside a slow restriction.
constexpr std::int64_t passo_interno = 8;
// After a restriction's end, a signal is looked for in the end cell and the
// twelve cells after it.
constexpr std::int64_t celle_dopo_fine = 12;

// The three bands before a restriction's start: offsets of their first cell.
// A band is tried only when the start index exceeds its last offset, which
// keeps every tested cell at index 1 or above.
constexpr std::int64_t fasce[] = {5, 11, 18};
constexpr std::int64_t larghezza_fascia = 3;

void segna(cella& c) {
  c.tipo_cella = static_cast<std::uint8_t>(tipo::abbattimento);
  c.valore1 = velocita_segno;
}

// An existing mark keeps the lower of its speed and 180.
void abbassa(cella& c) {
  c.valore1 = static_cast<std::int16_t>(minimo(velocita_segno, c.valore1));
}

// One run of the pass: the grid, and where its faults go.
struct passata {
  scenario& s;
  griglia g;
  std::vector<guasto_rifinitura>* tutti;

  // A fault at cell `indice`, found for the feature in cell `origine`.
  void guasta(std::int32_t numero, std::int64_t indice, std::int64_t origine) {
    s.codice_errore = numero;
    s.posizione_errore = static_cast<std::int32_t>(indice * metri_cella);
    if (tutti != nullptr) {
      tutti->push_back({numero, s.posizione_errore, origine});
    }
  }
};

// Step 1: every signal up to 20 cells before the warning point at i gets a
// mark in one of the two cells before it.
void segnali_prima_dell_avviso(passata& p, std::int64_t i) {
  griglia& g = p.g;
  for (std::int64_t k = 1; k <= passi_indietro; ++k) {
    const std::int64_t c = i - k;
    if (c < primo_segnale_guardato) break;
    if (!di_tipo(g[c], tipo::segnale)) continue;
    cella& prima = g[c - 1];
    cella& seconda = g[c - 2];
    // A free c - 2 takes a new mark even when c - 1 already holds one.
    if (libera(prima)) {
      segna(prima);
    } else if (libera(seconda)) {
      segna(seconda);
    } else if (di_tipo(prima, tipo::abbattimento)) {
      abbassa(prima);
    } else if (di_tipo(seconda, tipo::abbattimento)) {
      abbassa(seconda);
    } else {
      p.guasta(guasto::segnale_prima_dell_avviso, c, c);
    }
  }
}

// Step 2 (a) to (c): a mark in the first free cell of each band.
void fasce_prima_dell_inizio(passata& p, std::int64_t i) {
  griglia& g = p.g;
  for (std::int64_t primo : fasce) {
    const std::int64_t ultimo = primo + larghezza_fascia - 1;
    if (i <= ultimo) continue;
    bool posto = false;
    for (std::int64_t d = primo; d <= ultimo && !posto; ++d) {
      if (libera(g[i - d])) {
        segna(g[i - d]);
        posto = true;
      }
    }
    if (!posto) p.guasta(guasto::fascia_occupata, i, i);
  }
}

// Step 2 (d): walks from the start at i to the restriction's end, with a
// mark every 8 cells. Returns the end cell, or nothing when no end cell lies
// up to the last index (the walk then stops there).
std::optional<std::int64_t> segni_interni(passata& p, std::int64_t i) {
  griglia& g = p.g;
  const std::int64_t ultima = g.ultima();
  std::int64_t m = i;
  std::int64_t n = 0;
  while (m < ultima) {
    ++m;
    ++n;
    if (n == passo_interno) {
      // Restarting n at 0, 1 or -1 keeps the next mark 8 cells after this
      // one, whichever cell took it. Beyond the last index nothing is free.
      if (libera(g[m])) {
        segna(g[m]);
        n = 0;
      } else if (libera(g[m - 1])) {
        segna(g[m - 1]);
        n = 1;
      } else if (m < ultima && libera(g[m + 1])) {
        segna(g[m + 1]);
        n = -1;
      } else {
        // n stays at 8 and runs on: the walk places no further mark.
        p.guasta(guasto::segno_interno, m, i);
      }
    }
    if (di_tipo(g[m], tipo::fine_rallentamento)) return m;
  }
  return std::nullopt;
}

std::optional<std::int64_t> fine_dopo(griglia& g, std::int64_t i) {
  for (std::int64_t m = i + 1; m <= g.ultima(); ++m) {
    if (di_tipo(g[m], tipo::fine_rallentamento)) return m;
  }
  return std::nullopt;
}

// Step 2 (e): the first signal in the end cell or the 12 cells after it
// gets a mark in one of the two cells before it.
void segnale_dopo_la_fine(passata& p, std::int64_t i, std::int64_t fine) {
  griglia& g = p.g;
  const std::int64_t limite = std::min(fine + celle_dopo_fine, g.ultima());
  for (std::int64_t j = fine; j <= limite; ++j) {
    if (!di_tipo(g[j], tipo::segnale)) continue;
    // fine is at least 2 (it follows a start at index 1 or above), so j - 2
    // is inside the grid.
    if (libera(g[j - 1])) {
      segna(g[j - 1]);
    } else if (libera(g[j - 2])) {
      segna(g[j - 2]);
    } else {
      p.guasta(guasto::segno_interno, fine, i);
    }
    return;
  }
}

void marca_rallentamento(passata& p, std::int64_t i) {
  fasce_prima_dell_inizio(p, i);
  // A fast restriction skips the walk; its end is then the first end cell
  // after the start.
  const std::optional<std::int64_t> fine =
      p.g[i].valore1 < velocita_senza_segni_interni ? segni_interni(p, i)
                                                    : fine_dopo(p.g, i);
  if (fine) segnale_dopo_la_fine(p, i, *fine);
}

}  // namespace

std::int64_t minimo(std::int64_t x, std::int64_t y) { return x > y ? y : x; }

void rifinitura(scenario& s, std::vector<guasto_rifinitura>* tutti) {
  passata p{s, griglia(s.celle), tutti};
  // The last two cells are never visited; a grid of fewer than four cells
  // has no cell to visit.
  const std::int64_t ultima_visitata = p.g.ultima() - 2;
  for (std::int64_t i = 1; i <= ultima_visitata; ++i) {
    if (di_tipo(p.g[i], tipo::avviso_rallentamento)) {
      segnali_prima_dell_avviso(p, i);
    }
    if (di_tipo(p.g[i], tipo::inizio_rallentamento)) {
      marca_rallentamento(p, i);
    }
  }
}

}  // namespace compiler
