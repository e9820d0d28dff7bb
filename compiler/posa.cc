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

// The low 16 bits of v, marking bit `campo` of `troncati` when v does not
// fit.
std::int16_t in_16_bit(std::int64_t v, campi_troncati& troncati, int campo) {
  const std::int16_t b = bassi_16(v);
  if (b != v) troncati = static_cast<campi_troncati>(troncati | (1u << campo));
  return b;
}

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

posa_montagna memo_montagna(scenario& s, const dati_montagna& m) {
  std::int64_t t = m.tipo;
  const bool segni = t > tipo_con_segni;
  if (segni) t -= tipo_con_segni;
  posa_montagna esito;
  esito.tipo_dato = t;

  if (s.numero_montagne < std::numeric_limits<std::int32_t>::max()) {
    ++s.numero_montagne;
  }
  // The previous section is the previous row, wherever it lies.
  if (s.numero_montagne > 1 &&
      static_cast<std::int64_t>(m.inizio) - s.fine_montagna_precedente <=
          distanza_montagne_vicine) {
    esito.resa_vicina = t != tipo_montagne_vicine;
    t = tipo_montagne_vicine;
  }
  s.fine_montagna_precedente = m.fine;

  griglia g(s.celle);
  const celle_montagna k = celle_di(m);
  esito.celle = k;
  // Cells outside the grid are skipped; the count n keeps its place from
  // the section's first cell, so the marks stay where they belong.
  const std::int64_t da = std::max<std::int64_t>(k.primo, 0);
  const std::int64_t a = std::min<std::int64_t>(k.ultimo, g.ultima());
  if (k.primo <= k.ultimo) {
    esito.saltate =
        (k.ultimo - k.primo + 1) - std::max<std::int64_t>(0, a - da + 1);
  }
  for (std::int64_t c = da; c <= a; ++c) {
    cella& x = g[c];
    x.tipo_montagna = bassi_8(t);
    const std::int64_t n = c - k.primo + 1;
    if (segni && n % 4 == 0 && di_tipo(x, tipo::vuota)) {
      metti_tipo(x, tipo::segno_montagna);
    }
  }
  return esito;
}

posa_rallentamento memo_rallentamento(scenario& s,
                                      const dati_rallentamento& r) {
  griglia g(s.celle);
  const celle_rallentamento k = celle_di(r);
  const posa_rallentamento esito{k, r.f_ta != 0 && !k.con_avviso};
  auto rifiuta = [&](std::int32_t codice) {
    s.codice_errore = codice;
    return esito;
  };
  // The reader tests start and end; the warning and countdown cells lie
  // before the start cell and, with x above 1500, at cell 3 or later.
  if (!g.contiene(k.inizio) || !g.contiene(k.fine) ||
      (k.con_avviso &&
       (!g.contiene(k.avviso - celle_conto) || !g.contiene(k.avviso)))) {
    return rifiuta(guasto::fuori_griglia);
  }
  if (k.con_avviso && !libera(g[k.avviso])) {
    return rifiuta(guasto::avviso_occupato);
  }
  if (!libera(g[k.inizio])) return rifiuta(guasto::inizio_occupato);
  if (!libera(g[k.fine])) return rifiuta(guasto::fine_occupata);

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

  if (r.f_ta == 0 || !k.con_avviso) return esito;
  for (std::int64_t i = 1; i <= celle_conto; ++i) {
    if (!libera(g[k.avviso - i])) return rifiuta(guasto::conto_occupato);
  }
  for (std::int64_t i = 1; i <= celle_conto; ++i) {
    cella& c = g[k.avviso - i];
    metti_tipo(c, tipo::conto_alla_rovescia);
    c.valore1 = bassi_16(i);
    if (r.d_v != 0) c.valore2 = bassi_16(i);
  }
  return esito;
}

posa_segnale memo_segnale(scenario& s, const dati_segnale& d) {
  griglia g(s.celle);
  posa_segnale esito;
  const std::int64_t c = cella_di(d.posizione);
  esito.cella = c;
  if (!g.contiene(c)) {
    fallisce(s, guasto::fuori_griglia);
    return esito;
  }
  if (!libera(g[c])) {
    fallisce(s, guasto::segnale_occupato);
    return esito;
  }
  const std::int64_t sx = d.sx;
  const std::int64_t dx = d.dx;
  cella& x = g[c];
  metti_tipo(x, tipo::segnale);
  campi_troncati& t = esito.troncati;
  x.valore4 = in_16_bit(std::int64_t{d.rapp} * 10 + sx * 3 + dx, t, 3);
  x.valore1 = in_16_bit(std::int64_t{d.s1} * 10 + d.d1, t, 0);
  x.valore2 = in_16_bit(std::int64_t{d.s2} * 10 + d.d2, t, 1);
  x.valore3 = in_16_bit(std::int64_t{d.s3} * 10 + d.d3, t, 2);
  std::int64_t tempo = d.tempo;
  const bool alzato = tempo >= 1 && tempo < tempo_minimo;
  if (alzato) tempo = tempo_minimo;
  x.tempo_segnale = (sx == sx_con_tempo) ? bassi_8(tempo) : 0;
  if (sx == sx_con_tempo) {
    esito.tempo_scritto = tempo;
    esito.tempo_alzato = alzato;
  }
  // Approach codes 100, 200, 300 and 400 m behind the signal; those before
  // the first cell are skipped.
  for (std::int64_t k = 1; k <= celle_avviso_segnale; ++k) {
    const std::int64_t a = c - 2 * k;
    if (a < 0) {
      esito.avvisi_saltati = celle_avviso_segnale - k + 1;
      break;
    }
    g[a].avviso = bassi_8((sx * 3 + dx) * 10 + k);
  }
  return esito;
}

posa_indicatori memo_indicatori_v_max(scenario& s, const dati_indicatori& b) {
  griglia g(s.celle);
  posa_indicatori esito;
  const std::int64_t c = cella_di(b.posizione);
  esito.cella = c;
  if (!g.contiene(c)) {
    fallisce(s, guasto::fuori_griglia);
    return esito;
  }
  if (!libera(g[c])) {
    fallisce(s, guasto::indicatore_occupato);
    return esito;
  }
  campi_troncati& t = esito.troncati;
  auto coppia = [&](std::int32_t destra, std::int32_t sinistra, int campo) {
    return in_16_bit(rnd(destra / divisore_lato_d + sinistra * peso_lato_s), t,
                     campo);
  };
  cella& x = g[c];
  metti_tipo(x, tipo::indicatore_v_max);
  x.valore1 = coppia(b.vad, b.vas, 0);
  x.valore2 = coppia(b.vbd, b.vbs, 1);
  x.valore3 = coppia(b.vcd, b.vcs, 2);
  x.valore4 =
      in_16_bit(std::int64_t{b.strisces} * peso_strisce_s + b.strisced, t, 3);
  return esito;
}

}  // namespace compiler
