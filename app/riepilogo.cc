// The summary of the decoded compiled files.
#include "app/riepilogo.h"

#include <algorithm>
#include <cmath>

#include "compiler/arrotonda.h"
#include "compiler/codici_gara.h"

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

void piano(const compiler::tracciato_piano& t, estensione_piano& e) {
  for (std::size_t m = 0; m < t.metri(); ++m) {
    const std::optional<punto_piano> p = punto_di(t, m);
    if (!p) continue;
    if (e.punti == 0) {
      e.primo = *p;
      e.x_min = e.x_max = p->x;
      e.y_min = e.y_max = p->y;
    }
    e.ultimo = *p;
    e.x_min = std::min(e.x_min, p->x);
    e.x_max = std::max(e.x_max, p->x);
    e.y_min = std::min(e.y_min, p->y);
    e.y_max = std::max(e.y_max, p->y);
    ++e.punti;
  }
}

}  // namespace

std::optional<punto_piano> punto_di(const compiler::tracciato_piano& t,
                                    std::size_t m) {
  if (m >= t.metri() || t.tipo(m, 0) == compiler::tipo_punto::vuoto ||
      t.tipo(m, 1) == compiler::tipo_punto::vuoto) {
    return std::nullopt;
  }
  const double x = t.valore(m, 0);
  const double y = t.valore(m, 1);
  if (!std::isfinite(x) || !std::isfinite(y)) return std::nullopt;
  return punto_piano{m, x, y};
}

riepilogo riassumi(const file_compilati_letti& f) {
  riepilogo r;
  ruoli_e_voci(f, r);
  celle(f, r);
  if (f.ha_piano) piano(f.piano, r.piano);

  r.lunghezza = f.tabella[compiler::voce_totali].valore_b;
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
