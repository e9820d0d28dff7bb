// Feature placement on the cell grid.
#include "compiler/posa.h"

#include <algorithm>
#include <limits>

#include "compiler/arrotonda.h"
#include "compiler/griglia.h"
#include "compiler/guasti.h"

namespace compiler {

namespace {

void fallisce(scenario& s, std::int32_t codice) { s.codice_errore = codice; }

}  // namespace

celle_rallentamento celle_di(const dati_rallentamento& r) {
  const std::int64_t x = r.x;
  return {cella_di(x - anticipo_avviso), cella_di(x), cella_di(x + r.l),
          x > inizio_minimo_avviso};
}

celle_montagna celle_di(const dati_montagna& m) {
  const double l = static_cast<double>(metri_cella);
  return {rnd(m.inizio / l), rnd(m.fine / l - 1.0)};
}

void memo_montagna(scenario& s, const dati_montagna& m) {
  std::int64_t t = m.tipo;
  const bool segni = t > tipo_con_segni;
  if (segni) t -= tipo_con_segni;

  if (s.numero_montagne < std::numeric_limits<std::int32_t>::max()) {
    ++s.numero_montagne;
  }
  // The previous section is the previous row, wherever it lies.
  if (s.numero_montagne > 1 &&
      static_cast<std::int64_t>(m.inizio) - s.fine_montagna_precedente <=
          distanza_montagne_vicine) {
    t = tipo_montagne_vicine;
  }
  s.fine_montagna_precedente = m.fine;

  griglia g(s.celle);
  const celle_montagna k = celle_di(m);
  // Cells outside the grid are skipped; the count n keeps its place from
  // the section's first cell, so the marks stay where they belong.
  const std::int64_t da = std::max<std::int64_t>(k.primo, 0);
  const std::int64_t a = std::min<std::int64_t>(k.ultimo, g.ultima());
  for (std::int64_t c = da; c <= a; ++c) {
    cella& x = g[c];
    x.tipo_montagna = bassi_8(t);
    const std::int64_t n = c - k.primo + 1;
    if (segni && n % 4 == 0 && di_tipo(x, tipo::vuota)) {
      metti_tipo(x, tipo::segno_montagna);
    }
  }
}

void memo_rallentamento(scenario& s, const dati_rallentamento& r) {
  griglia g(s.celle);
  const celle_rallentamento k = celle_di(r);
  // The reader tests start and end; the warning and countdown cells lie
  // before the start cell and, with x above 1500, at cell 3 or later.
  if (!g.contiene(k.inizio) || !g.contiene(k.fine) ||
      (k.con_avviso &&
       (!g.contiene(k.avviso - celle_conto) || !g.contiene(k.avviso)))) {
    return fallisce(s, guasto::fuori_griglia);
  }
  if (k.con_avviso && !libera(g[k.avviso])) {
    return fallisce(s, guasto::avviso_occupato);
  }
  if (!libera(g[k.inizio])) return fallisce(s, guasto::inizio_occupato);
  if (!libera(g[k.fine])) return fallisce(s, guasto::fine_occupata);

  const std::int16_t v = bassi_16(r.v);
  const std::int16_t d_v = bassi_16(r.d_v);
  const std::int16_t f_tt = bassi_16(r.f_tt);
  cella& inizio = g[k.inizio];
  cella& fine = g[k.fine];
  // Order matters when start and end share a cell: the start wins.
  metti_tipo(fine, tipo::fine_rallentamento);
  if (r.d_v != 0) fine.valore2 = d_v;
  metti_tipo(inizio, tipo::inizio_rallentamento);
  if (r.d_v != 0) inizio.valore2 = d_v;
  if (k.con_avviso) {
    cella& w = g[k.avviso];
    metti_tipo(w, tipo::avviso_rallentamento);
    if (r.d_v != 0) w.valore2 = d_v;
    w.valore1 = v;
  }
  inizio.valore1 = v;
  fine.valore1 = v;
  inizio.valore3 = f_tt;
  fine.valore3 = f_tt;

  if (r.f_ta == 0 || !k.con_avviso) return;
  for (std::int64_t i = 1; i <= celle_conto; ++i) {
    if (!libera(g[k.avviso - i])) return fallisce(s, guasto::conto_occupato);
  }
  for (std::int64_t i = 1; i <= celle_conto; ++i) {
    cella& c = g[k.avviso - i];
    metti_tipo(c, tipo::conto_alla_rovescia);
    c.valore1 = bassi_16(i);
    if (r.d_v != 0) c.valore2 = bassi_16(i);
  }
}

void memo_segnale(scenario& s, const dati_segnale& d) {
  griglia g(s.celle);
  const std::int64_t c = cella_di(d.posizione);
  if (!g.contiene(c)) return fallisce(s, guasto::fuori_griglia);
  if (!libera(g[c])) return fallisce(s, guasto::segnale_occupato);
  const std::int64_t sx = d.sx;
  const std::int64_t dx = d.dx;
  cella& x = g[c];
  metti_tipo(x, tipo::segnale);
  x.valore4 = bassi_16(std::int64_t{d.rapp} * 10 + sx * 3 + dx);
  x.valore1 = bassi_16(std::int64_t{d.s1} * 10 + d.d1);
  x.valore2 = bassi_16(std::int64_t{d.s2} * 10 + d.d2);
  x.valore3 = bassi_16(std::int64_t{d.s3} * 10 + d.d3);
  std::int64_t tempo = d.tempo;
  if (tempo >= 1 && tempo < tempo_minimo) tempo = tempo_minimo;
  x.tempo_segnale = (sx == sx_con_tempo) ? bassi_8(tempo) : 0;
  // Approach codes 100, 200, 300 and 400 m behind the signal; those before
  // the first cell are skipped.
  for (std::int64_t k = 1; k <= celle_avviso_segnale; ++k) {
    const std::int64_t a = c - 2 * k;
    if (a < 0) break;
    g[a].avviso = bassi_8((sx * 3 + dx) * 10 + k);
  }
}

void memo_indicatori_v_max(scenario& s, const dati_indicatori& b) {
  griglia g(s.celle);
  const std::int64_t c = cella_di(b.posizione);
  if (!g.contiene(c)) return fallisce(s, guasto::fuori_griglia);
  if (!libera(g[c])) return fallisce(s, guasto::indicatore_occupato);
  auto coppia = [](std::int32_t destra, std::int32_t sinistra) {
    return bassi_16(rnd(destra / divisore_lato_d + sinistra * peso_lato_s));
  };
  cella& x = g[c];
  metti_tipo(x, tipo::indicatore_v_max);
  x.valore1 = coppia(b.vad, b.vas);
  x.valore2 = coppia(b.vbd, b.vbs);
  x.valore3 = coppia(b.vcd, b.vcs);
  x.valore4 = bassi_16(std::int64_t{b.strisces} * peso_strisce_s + b.strisced);
}

}  // namespace compiler
