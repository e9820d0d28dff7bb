// The summary of the decoded compiled files.
#include "viste/riepilogo.h"

#include <algorithm>
#include <cmath>

#include "compiler/arrotonda.h"
#include "compiler/codici_gara.h"

namespace viste {

namespace {

bool vuota(const compiler::voce_dati& v) { return v == compiler::voce_dati{}; }

void ruoli_e_voci(const file_compilati_letti& f, riepilogo& r) {
  // The board cells name the slots of the board texts; every other slot of
  // 1 .. 80 that holds anything is a station.
  std::array<std::optional<std::size_t>, compiler::numero_voci>
      cella_cartello{};
  for (std::size_t i = 0; i < f.celle.size(); ++i) {
    const compiler::cella& c = f.celle[i];
    if (c.tipo_cella != static_cast<std::uint8_t>(compiler::tipo::cartello))
      continue;
    if (c.valore1 < static_cast<std::int16_t>(compiler::prima_stazione) ||
        c.valore1 > static_cast<std::int16_t>(compiler::primo_cartello)) {
      continue;
    }
    const auto k = static_cast<std::size_t>(c.valore1);
    if (!cella_cartello[k]) cella_cartello[k] = i;
  }
  for (std::size_t k = compiler::prima_stazione; k <= compiler::primo_cartello;
       ++k) {
    if (cella_cartello[k]) {
      r.ruoli[k] = ruolo_voce::testo_cartello;
    } else if (!vuota(f.tabella[k])) {
      r.ruoli[k] = ruolo_voce::stazione;
      r.stazioni.push_back(k);
    }
  }
  for (std::size_t k = compiler::primo_cartello; k >= compiler::prima_stazione;
       --k) {
    if (cella_cartello[k]) r.cartelli.push_back({k, *cella_cartello[k]});
  }
  r.ruoli[compiler::voce_progressiva_tre] = ruolo_voce::progressiva;
  r.ruoli[compiler::voce_progressiva_due] = ruolo_voce::progressiva;
  r.ruoli[compiler::voce_progressiva_uno] = ruolo_voce::progressiva;
  r.ruoli[compiler::voce_totali] = ruolo_voce::totali;
  r.ruoli[compiler::voce_linea] = ruolo_voce::linea;
  r.ruoli[compiler::voce_treno] = ruolo_voce::treno;
}

void celle(const file_compilati_letti& f, riepilogo& r) {
  for (std::size_t i = 0; i < f.celle.size(); ++i) {
    const compiler::cella& c = f.celle[i];
    ++r.celle_per_tipo[c.tipo_cella];
    if (c.tipo_montagna == 0) continue;
    if (!r.montagne.empty() && r.montagne.back().ultima_cella + 1 == i &&
        r.montagne.back().tipo == c.tipo_montagna) {
      r.montagne.back().ultima_cella = i;
    } else {
      r.montagne.push_back({i, i, c.tipo_montagna});
    }
  }
}

std::optional<punto_piano> punto(std::size_t m, compiler::elemento_piano x,
                                 compiler::elemento_piano y) {
  if (x.tipo == compiler::tipo_punto::vuoto ||
      y.tipo == compiler::tipo_punto::vuoto || !std::isfinite(x.valore) ||
      !std::isfinite(y.valore)) {
    return std::nullopt;
  }
  return punto_piano{m, x.valore, y.valore};
}

void estendi(estensione_piano& e, const punto_piano& p) {
  if (e.punti == 0) {
    e.primo = p;
    e.x_min = e.x_max = p.x;
    e.y_min = e.y_max = p.y;
  }
  e.ultimo = p;
  e.x_min = std::min(e.x_min, p.x);
  e.x_max = std::max(e.x_max, p.x);
  e.y_min = std::min(e.y_min, p.y);
  e.y_max = std::max(e.y_max, p.y);
  ++e.punti;
}

// One walk of the plan for the extent of the whole and of the route, and
// the lengths of the line over the route and past its end. The run past the
// end starts at the route's last metre, so that its line joins the route's.
void piano(const compiler::vista_piano& t, riepilogo& r) {
  punti_in_ordine punti(t, 0);
  std::optional<punto_piano> prima;
  for (std::size_t m = 0; m < t.metri(); ++m) {
    const std::optional<punto_piano> p = punti.prossimo();
    if (!p) {
      prima.reset();
      continue;
    }
    estendi(r.piano, *p);
    if (m < r.fine_percorso) estendi(r.piano_percorso, *p);
    if (prima) {
      const double dx = p->x - prima->x;
      const double dy = p->y - prima->y;
      const double l = std::sqrt(dx * dx + dy * dy);
      (m < r.fine_percorso ? r.metri_linea_percorso : r.metri_linea_coda) += l;
    }
    prima = p;
  }
}

}  // namespace

std::optional<punto_piano> punto_di(const compiler::vista_piano& t,
                                    std::size_t m) {
  if (m >= t.metri()) return std::nullopt;
  return punto(m, t.elemento(m, 0), t.elemento(m, 1));
}

std::optional<punto_piano> punti_in_ordine::prossimo() {
  const compiler::elemento_piano x = x_.prossimo();
  const compiler::elemento_piano y = y_.prossimo();
  return punto(metro_++, x, y);
}

riepilogo riassumi(const file_compilati_letti& f) {
  riepilogo r;
  ruoli_e_voci(f, r);
  celle(f, r);
  r.elementi = elementi_di(f.celle, f.tabella);
  r.lunghezza = f.tabella[compiler::voce_totali].valore_b;
  // Metres up to the end of the route are the route; the rest is the run
  // beyond its end that every plan carries.
  const std::size_t metri = f.piano.metri();
  r.fine_percorso =
      r.lunghezza > 0 && static_cast<std::uint64_t>(r.lunghezza) < metri
          ? static_cast<std::size_t>(r.lunghezza) + 1
          : metri;
  if (f.ha_piano) piano(f.piano, r);

  if (r.lunghezza >= 0 && r.lunghezza <= compiler::lunghezza_massima) {
    r.celle_attese =
        static_cast<std::size_t>(compiler::ultima_cella_per(r.lunghezza)) + 1;
    r.metri_attesi =
        static_cast<std::size_t>(r.lunghezza + compiler::coda_percorso) + 1;
  }

  // The code functions read the identifiers from the table alone.
  compiler::scenario s;
  s.tabella_dati = f.tabella;
  r.codice_semplice = compiler::codice_gara_og(s);
  r.codice_pesato = compiler::codice_gara_st(s);
  return r;
}

}  // namespace viste
