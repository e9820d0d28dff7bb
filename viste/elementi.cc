// Reading the placed features back from the cells and the table.
#include "viste/elementi.h"

#include <algorithm>

#include "compiler/posa.h"

namespace viste {

namespace {

bool di_tipo(const compiler::cella& c, compiler::tipo t) {
  return c.tipo_cella == static_cast<std::uint8_t>(t);
}

// The warning cell stands 1200 m, a whole number of cells, before the start.
constexpr auto celle_anticipo =
    static_cast<std::size_t>(compiler::anticipo_avviso / compiler::metri_cella);
static_assert(compiler::anticipo_avviso % compiler::metri_cella == 0);

void rallentamenti(const std::vector<compiler::cella>& celle,
                   elementi_linea& e) {
  std::vector<bool> avviso_usato(celle.size(), false);
  std::vector<std::size_t> aperti;  // restrictions still without their end
  for (std::size_t i = 0; i < celle.size(); ++i) {
    const compiler::cella& c = celle[i];
    if (di_tipo(c, compiler::tipo::inizio_rallentamento)) {
      rallentamento_letto r;
      r.inizio = i;
      r.velocita = c.valore1;
      r.d_v = c.valore2;
      r.f_tt = c.valore3;
      if (i >= celle_anticipo) {
        const std::size_t w = i - celle_anticipo;
        const compiler::cella& a = celle[w];
        if (di_tipo(a, compiler::tipo::avviso_rallentamento) &&
            a.valore1 == c.valore1 && a.valore2 == c.valore2) {
          r.avviso = w;
          avviso_usato[w] = true;
          bool conto = w >= static_cast<std::size_t>(compiler::celle_conto);
          for (std::size_t k = 1; conto && k <= compiler::celle_conto; ++k) {
            conto = di_tipo(celle[w - k], compiler::tipo::conto_alla_rovescia);
          }
          r.conto_alla_rovescia = conto;
        }
      }
      aperti.push_back(e.rallentamenti.size());
      e.rallentamenti.push_back(r);
    } else if (di_tipo(c, compiler::tipo::fine_rallentamento)) {
      // The end goes with the oldest open start of the same values.
      auto j = std::find_if(aperti.begin(), aperti.end(), [&](std::size_t k) {
        const rallentamento_letto& r = e.rallentamenti[k];
        return r.velocita == c.valore1 && r.d_v == c.valore2 &&
               r.f_tt == c.valore3;
      });
      if (j != aperti.end()) {
        e.rallentamenti[*j].fine = i;
        aperti.erase(j);
      } else {
        rallentamento_letto r;
        r.fine = i;
        r.velocita = c.valore1;
        r.d_v = c.valore2;
        r.f_tt = c.valore3;
        e.rallentamenti.push_back(r);
      }
    }
  }
  for (std::size_t w = 0; w < celle.size(); ++w) {
    const compiler::cella& a = celle[w];
    if (!di_tipo(a, compiler::tipo::avviso_rallentamento) || avviso_usato[w]) {
      continue;
    }
    rallentamento_letto r;
    r.avviso = w;
    r.velocita = a.valore1;
    r.d_v = a.valore2;
    e.rallentamenti.push_back(r);
  }
  std::stable_sort(
      e.rallentamenti.begin(), e.rallentamenti.end(),
      [](const rallentamento_letto& a, const rallentamento_letto& b) {
        return prima_cella(a) < prima_cella(b);
      });
}

void profilo(const std::vector<compiler::cella>& celle, elementi_linea& e) {
  for (std::size_t i = 0; i < celle.size(); ++i) {
    const compiler::cella& c = celle[i];
    if (!e.profilo.empty()) {
      tratto_profilo& t = e.profilo.back();
      if (t.velocita_linea == c.velocita_linea &&
          t.pendenza_linea == c.pendenza_linea &&
          t.aderenza_linea == c.aderenza_linea) {
        t.ultima_cella = i;
        continue;
      }
    }
    e.profilo.push_back(
        {i, i, c.velocita_linea, c.pendenza_linea, c.aderenza_linea});
  }
}

}  // namespace

std::size_t prima_cella(const rallentamento_letto& r) {
  if (r.avviso) return *r.avviso;
  if (r.inizio) return *r.inizio;
  return r.fine.value_or(0);
}

elementi_linea elementi_di(
    const std::vector<compiler::cella>& celle,
    const std::array<compiler::voce_dati, compiler::numero_voci>& tabella) {
  elementi_linea e;
  for (std::size_t i = 0; i < celle.size(); ++i) {
    const compiler::cella& c = celle[i];
    if (di_tipo(c, compiler::tipo::segnale)) {
      e.segnali.push_back({i, compiler::coppia_segnale(c.valore1),
                           compiler::coppia_segnale(c.valore2),
                           compiler::coppia_segnale(c.valore3),
                           compiler::valore4_segnale(c.valore4),
                           c.tempo_segnale});
    } else if (di_tipo(c, compiler::tipo::indicatore_v_max)) {
      e.indicatori.push_back({i,
                              {compiler::velocita_cartello(c.valore1),
                               compiler::velocita_cartello(c.valore2),
                               compiler::velocita_cartello(c.valore3)},
                              compiler::strisce_cartello(c.valore4)});
    } else if (di_tipo(c, compiler::tipo::abbattimento)) {
      e.abbattimenti.push_back({i, false, c.valore1});
    } else if (di_tipo(c, compiler::tipo::abbattimento_nullo)) {
      e.abbattimenti.push_back({i, true, c.valore1});
    }
  }
  rallentamenti(celle, e);
  profilo(celle, e);
  for (std::size_t k :
       {compiler::voce_progressiva_tre, compiler::voce_progressiva_due,
        compiler::voce_progressiva_uno}) {
    const compiler::voce_dati& v = tabella[k];
    if (v.valore_a == 0 && v.valore_b == 0 && v.valore_c == 0) continue;
    e.progressive.push_back({k, v.valore_a, v.valore_b, v.valore_c});
  }
  std::stable_sort(e.progressive.begin(), e.progressive.end(),
                   [](const progressiva_letta& a, const progressiva_letta& b) {
                     return a.inizio < b.inizio;
                   });
  return e;
}

}  // namespace viste
