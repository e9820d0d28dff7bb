// Feature placement on the cell grid.
#include "compiler/posa.h"

#include <algorithm>

#include "compiler/arrotonda.h"

namespace {

// Fault numbers of placement: DO NOT CHANGE (the report and the reader's
// callers rely on them).
constexpr std::int32_t fuori_griglia = 15;
constexpr std::int32_t segnale_occupato = 16;
constexpr std::int32_t avviso_occupato = 17;
constexpr std::int32_t inizio_occupato = 18;
constexpr std::int32_t fine_occupata = 19;
constexpr std::int32_t conto_occupato = 20;
constexpr std::int32_t indicatore_occupato = 21;

constexpr std::uint8_t kind(tipo t) { return static_cast<std::uint8_t>(t); }

bool in_griglia(const scenario& s, std::int64_t c) {
  return c >= 0 && c < static_cast<std::int64_t>(s.celle.size());
}

cella& in(scenario& s, std::int64_t c) {
  return s.celle[static_cast<std::size_t>(c)];
}

}  // namespace

void memo_montagna(scenario& s, const dati_montagna& m) {
  std::int64_t t = m.tipo;
  const bool segni = t > 10;
  if (segni) t -= 10;

  if (s.numero_montagne < INT32_MAX) ++s.numero_montagne;
  // A section that starts 150 m or less after the previous one ends (or
  // before it) is type 3; the previous section is the previous row.
  if (s.numero_montagne > 1 &&
      static_cast<std::int64_t>(m.inizio) - s.fine_montagna_precedente <= 150) {
    t = 3;
  }
  s.fine_montagna_precedente = m.fine;

  const std::int64_t primo = rnd(m.inizio / 50.0);
  const std::int64_t ultimo = rnd(m.fine / 50.0 - 1.0);
  if (s.celle.empty()) return;
  // Cells outside the grid are skipped; the count n keeps its place from
  // the section's first cell, so the marks stay where they belong.
  const std::int64_t da = std::max<std::int64_t>(primo, 0);
  const std::int64_t a = std::min<std::int64_t>(
      ultimo, static_cast<std::int64_t>(s.celle.size()) - 1);
  for (std::int64_t c = da; c <= a; ++c) {
    cella& x = in(s, c);
    x.tipo_montagna = bassi_8(t);
    const std::int64_t n = c - primo + 1;
    if (segni && n % 4 == 0 && x.tipo_cella == kind(tipo::vuota)) {
      x.tipo_cella = kind(tipo::segno_montagna);
    }
  }
}

void memo_rallentamento(scenario& s, const dati_rallentamento& r) {
  const std::int64_t x = r.x;
  const bool con_avviso = x > 1500;
  const std::int64_t w = cella_di(x - 1200);
  const std::int64_t inizio = cella_di(x);
  const std::int64_t fine = cella_di(x + r.l);
  // The reader tests start and end; the warning and countdown cells lie
  // before the start cell and, with x above 1500, at cell 3 or later.
  if (!in_griglia(s, inizio) || !in_griglia(s, fine) ||
      (con_avviso && (!in_griglia(s, w - 4) || !in_griglia(s, w)))) {
    s.codice_errore = fuori_griglia;
    return;
  }

  if (con_avviso && !libera(in(s, w))) {
    s.codice_errore = avviso_occupato;
    return;
  }
  if (!libera(in(s, inizio))) {
    s.codice_errore = inizio_occupato;
    return;
  }
  if (!libera(in(s, fine))) {
    s.codice_errore = fine_occupata;
    return;
  }

  const std::int16_t v = bassi_16(r.v);
  const std::int16_t d_v = bassi_16(r.d_v);
  const std::int16_t f_tt = bassi_16(r.f_tt);
  // Order matters when start and end share a cell: the start wins.
  in(s, fine).tipo_cella = kind(tipo::fine_rallentamento);
  if (r.d_v != 0) in(s, fine).valore2 = d_v;
  in(s, inizio).tipo_cella = kind(tipo::inizio_rallentamento);
  if (r.d_v != 0) in(s, inizio).valore2 = d_v;
  if (con_avviso) {
    in(s, w).tipo_cella = kind(tipo::avviso_rallentamento);
    if (r.d_v != 0) in(s, w).valore2 = d_v;
    in(s, w).valore1 = v;
  }
  in(s, inizio).valore1 = v;
  in(s, fine).valore1 = v;
  in(s, inizio).valore3 = f_tt;
  in(s, fine).valore3 = f_tt;

  if (r.f_ta == 0 || !con_avviso) return;
  for (std::int64_t i = 1; i <= 4; ++i) {
    if (!libera(in(s, w - i))) {
      s.codice_errore = conto_occupato;
      return;
    }
  }
  for (std::int64_t i = 1; i <= 4; ++i) {
    cella& c = in(s, w - i);
    c.tipo_cella = kind(tipo::conto_alla_rovescia);
    c.valore1 = bassi_16(i);
    if (r.d_v != 0) c.valore2 = bassi_16(i);
  }
}

void memo_segnale(scenario& s, const dati_segnale& g) {
  const std::int64_t c = cella_di(g.posizione);
  if (!in_griglia(s, c)) {
    s.codice_errore = fuori_griglia;
    return;
  }
  if (!libera(in(s, c))) {
    s.codice_errore = segnale_occupato;
    return;
  }
  const std::int64_t sx = g.sx;
  const std::int64_t dx = g.dx;
  cella& x = in(s, c);
  x.tipo_cella = kind(tipo::segnale);
  x.valore4 = bassi_16(std::int64_t{g.rapp} * 10 + sx * 3 + dx);
  x.valore1 = bassi_16(std::int64_t{g.s1} * 10 + g.d1);
  x.valore2 = bassi_16(std::int64_t{g.s2} * 10 + g.d2);
  x.valore3 = bassi_16(std::int64_t{g.s3} * 10 + g.d3);
  std::int64_t tempo = g.tempo;
  if (tempo >= 1 && tempo <= 100) tempo = 101;
  x.tempo_segnale = (sx == 2) ? bassi_8(tempo) : 0;
  // Approach codes 100, 200, 300 and 400 m behind the signal; those before
  // the first cell are skipped.
  for (std::int64_t k = 1; k <= 4; ++k) {
    const std::int64_t a = c - 2 * k;
    if (a < 0) break;
    in(s, a).avviso = bassi_8((sx * 3 + dx) * 10 + k);
  }
}

void memo_indicatori_v_max(scenario& s, const dati_indicatori& b) {
  const std::int64_t c = cella_di(b.posizione);
  if (!in_griglia(s, c)) {
    s.codice_errore = fuori_griglia;
    return;
  }
  if (!libera(in(s, c))) {
    s.codice_errore = indicatore_occupato;
    return;
  }
  auto coppia = [](std::int32_t destra, std::int32_t sinistra) {
    return bassi_16(rnd(destra / 5.0 + sinistra * 20.0));
  };
  cella& x = in(s, c);
  x.tipo_cella = kind(tipo::indicatore_v_max);
  x.valore1 = coppia(b.vad, b.vas);
  x.valore2 = coppia(b.vbd, b.vbs);
  x.valore3 = coppia(b.vcd, b.vcs);
  x.valore4 = bassi_16(std::int64_t{b.strisces} * 10 + b.strisced);
}
