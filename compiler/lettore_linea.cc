// The line source: up to "[generale]", the general part (route length,
// kilometre references, scenery, signal repetition), then the feature part
// (gradients, curves, mountains, speed boards, lineside boards), then the
// end-of-file fills.
#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "compiler/arrotonda.h"
#include "compiler/griglia.h"
#include "compiler/guasti.h"
#include "compiler/lettura_sorgente.h"
#include "compiler/posa.h"
#include "compiler/progressive.h"
#include "compiler/riempimento.h"
#include "source/record.h"

namespace {

// Comment fields skipped in a row of the general part.
constexpr int commenti_generali = 10;
// The plan counter may not pass this metre inside a curve row.
constexpr std::int64_t metro_massimo_curve = 1000000;
// A feature row is accepted while (p + 100) / 50 is within the grid.
constexpr std::int64_t margine_righe = 100;
// Signal repetition start and end are multiples of this many metres.
constexpr std::int64_t passo_ripetizione = 50;

// Change of heading per metre of a curve keyword: the class is the first of
// the digits 1 to 6, in that order, that the field holds; "s" in any case
// makes a left-hand curve. nullopt without a class digit.
std::optional<double> curvatura(std::string_view campo) {
  constexpr std::pair<std::string_view, double> classi[] = {
      {"1", 0.0001}, {"2", 0.0002}, {"3", 0.0004},
      {"4", 0.001},  {"5", 0.002},  {"6", 0.003},
  };
  for (const auto& [cifra, c] : classi) {
    if (contiene(campo, cifra)) {
      return contiene_senza_maiuscole(campo, "s") ? -c : c;
    }
  }
  return std::nullopt;
}

class lettura_linea {
 public:
  lettura_linea(lettura_condivisa& c, std::string nome)
      : f_(c, std::move(nome), /*di_linea=*/true), s_(c.s), g_(c.s.celle) {}

  bool leggi(const sorgente& f) {
    if (f.s == sorgente::stato::assente) {
      f_.manca(guasto::manca_linea);
      return false;
    }
    if (!f_.apri(f)) return false;
    if (!parte_generale()) return false;
    if (s_.celle.empty()) {
      f_.guasto_file(guasto::lettura, "manca la riga \"lunghezza percorso\"");
      return false;
    }
    progressive_ordina(s_);
    s_.numero_montagne = 0;
    s_.fine_montagna_precedente = 0;
    if (s_.scrivi_linea != 0) s_.tracciato.inizia();
    if (!parte_caratteristiche()) return false;
    fine_file();
    return true;
  }

 private:
  // Up to the first "[generale]", then the general records up to the next
  // section header. A file that ends first (or is empty) has no general
  // part.
  bool parte_generale() {
    do {
      if (f_.a_fine() || !f_.prendi_campo() || f_.a_fine()) {
        f_.guasto_file(guasto::manca_generale);
        return false;
      }
    } while (!contiene_senza_maiuscole(f_.campo(), "[generale]"));

    for (;;) {
      if (f_.a_fine() || !f_.prendi_campo() || f_.a_fine()) return true;
      for (int i = 0; i < commenti_generali && contiene(f_.campo(), "-"); ++i) {
        if (!f_.prendi_campo()) return false;
      }
      for (const tipo_record& r : record_generali()) {
        if (riconosce(r, f_.campo()) && generale(r) == passo::ferma) {
          return false;
        }
      }
      const std::string_view c = f_.campo();
      if (contiene(c, "[") && contiene(c, "]") && !c.starts_with('-')) {
        return true;
      }
    }
  }

  bool parte_caratteristiche() {
    for (;;) {
      const std::optional<passo> riga = f_.prossima_riga();
      if (!riga) return true;
      if (*riga == passo::ferma) return false;
      for (const tipo_record& r : record_caratteristiche()) {
        if (!riconosce(r, f_.campo())) continue;
        const passo p = caratteristica(r);
        if (p == passo::ferma) return false;
        if (p == passo::fine_file) return true;
      }
    }
  }

  // End of the line file (its end, or a bounds fault): the last gradient
  // runs to the fourth-last cell and the plan goes straight on to its
  // third-last metre.
  void fine_file() {
    pendenza_.fino_a(g_, g_.ultima() - 2, g_.ultima(),
                     bassi_8(pendenza_.precedente + 100),
                     &cella::pendenza_linea);
    if (s_.scrivi_linea != 0 && m_ <= limite_ - 2) {
      s_.tracciato.prosegui_retto(static_cast<std::size_t>(m_),
                                  static_cast<std::size_t>(limite_ - 2));
      m_ = limite_ - 1;
    }
  }

  passo generale(const tipo_record& r) {
    valori_riga v;
    if (!f_.leggi(r, v)) return passo::ferma;
    voce_dati* voce = nullptr;
    switch (r.kind) {
      case record::lunghezza_percorso:
        return lunghezza(v);
      case record::progressiva_tre:
        voce = &s_.tabella_dati[voce_progressiva_tre];
        break;
      case record::progressiva_due:
        voce = &s_.tabella_dati[voce_progressiva_due];
        break;
      case record::progressiva_uno:
        voce = &s_.tabella_dati[voce_progressiva_uno];
        break;
      case record::sfondo_uno:
        s_.tabella_dati[voce_linea].valore_a = v.n[0];
        return passo::avanti;
      case record::sfondo_due:
        s_.tabella_dati[voce_linea].valore_c = v.n[0];
        return passo::avanti;
      case record::sfondo_tre:
        s_.tabella_dati[voce_linea].valore_b = v.n[0];
        return passo::avanti;
      case record::ripetizione_segnali:
        return ripetizione(v);
      default:
        return passo::avanti;
    }
    voce->valore_a = v.n[0];
    voce->valore_b = v.n[1];
    voce->valore_c = v.n[2];
    return passo::avanti;
  }

  // The route length sizes the grid and the plan afresh.
  passo lunghezza(const valori_riga& v) {
    const std::int64_t l = v.n[0];
    if (l > lunghezza_massima) {
      return f_.guasto(guasto::lunghezza_percorso, v.posti[0],
                       std::to_string(l) + " m: al massimo " +
                           std::to_string(lunghezza_massima) + " m");
    }
    if (l < 0) {
      return f_.guasto(guasto::lettura, v.posti[0],
                       std::to_string(l) +
                           ": la lunghezza del percorso non può essere "
                           "negativa");
    }
    s_.tabella_dati[voce_totali].valore_b = static_cast<std::int32_t>(l);
    s_.celle.assign(static_cast<std::size_t>(ultima_cella_per(l)) + 1, cella{});
    limite_ = l + coda_percorso;
    if (s_.scrivi_linea != 0) {
      s_.tracciato.crea(static_cast<std::size_t>(limite_));
    }
    return passo::avanti;
  }

  passo ripetizione(const valori_riga& v) {
    voce_dati& t = s_.tabella_dati[voce_treno];
    t.valore_a = v.n[0];
    t.valore_b = v.n[1];
    if (v.n[0] % passo_ripetizione != 0) {
      return f_.guasto(guasto::inizio_ripetizione, v.posti[0],
                       testo_non_multiplo(v.n[0], passo_ripetizione));
    }
    if (v.n[1] % passo_ripetizione != 0) {
      return f_.guasto(guasto::fine_ripetizione, v.posti[1],
                       testo_non_multiplo(v.n[1], passo_ripetizione));
    }
    if (contiene(f_.campo(), "4")) {
      t.valore_c = 4;
    } else if (contiene(f_.campo(), "9")) {
      t.valore_c = 9;
    } else {
      return f_.guasto(
          guasto::codici_ripetizione, f_.posto_campo(),
          "'" + std::string(f_.campo()) + "' non contiene né 4 né 9");
    }
    if (v.n[1] == 0) t.valore_c = 0;
    return passo::avanti;
  }

  // The bounds test of every feature row: (p + 100) / 50, computed exactly,
  // within the grid.
  bool oltre(std::int64_t p) const {
    return p + margine_righe > g_.ultima() * metri_cella;
  }
  passo fuori(std::int64_t p, const posto_token& dove) {
    return f_.fuori(p, dove,
                    testo_oltre(p, g_.ultima() * metri_cella - margine_righe));
  }
  // A cell that the bounds test let through but that lies before cell 0.
  passo prima(std::int64_t p, std::int64_t c, const posto_token& dove) {
    return f_.fuori(p, dove, testo_prima(p, c));
  }

  passo caratteristica(const tipo_record& r) {
    // A curve row is not recognised when no plan is built: its values are
    // then read as keyword fields.
    if (r.kind == record::curva && s_.scrivi_linea == 0) return passo::avanti;
    valori_riga v;
    if (!f_.leggi(r, v)) return passo::ferma;
    const std::int64_t p = v.n[0];
    if (oltre(p)) return fuori(p, v.posti[0]);
    switch (r.kind) {
      case record::pendenza: {
        const std::int64_t n = rnd(static_cast<double>(p) / metri_cella);
        if (n > 0) {
          pendenza_.fino_a(g_, n, g_.ultima(),
                           bassi_8(pendenza_.precedente + 100),
                           &cella::pendenza_linea);
        }
        pendenza_.precedente = v.n[1];
        return passo::avanti;
      }
      case record::curva:
        return curva(v);
      case record::montagna:
        memo_montagna(s_, {v.n[0], v.n[1], v.n[2]});
        return f_.dopo_posa(p, v.posti[0], [] { return std::string(); });
      case record::indicatori_v_max: {
        const std::int64_t c = cella_di(p);
        if (!g_.contiene(c)) return prima(p, c, v.posti[0]);
        memo_indicatori_v_max(s_, {v.n[0], v.n[1], v.n[2], v.n[3], v.n[4],
                                   v.n[5], v.n[6], v.n[7], v.n[8]});
        return f_.dopo_posa(p, v.posti[0],
                            [&] { return testo_occupata(c, g_[c]); });
      }
      case record::cartello_indicatore:
        return cartello(p, v);
      default:
        return passo::avanti;
    }
  }

  // Points from the counter up to metre `fino` of a curve row (c = 0 and
  // retto: its straight run). The last two plan points stay empty, and the
  // counter may not pass metre 1000000; either limit is fault 103, with the
  // points before it computed.
  bool avanza(std::int64_t fino, double c, bool retto,
              const posto_token& dove) {
    const std::int64_t ultimo =
        std::min({fino, limite_ - 2, metro_massimo_curve});
    if (m_ <= ultimo) {
      const auto da = static_cast<std::size_t>(m_);
      const auto a = static_cast<std::size_t>(ultimo);
      retto ? s_.tracciato.prosegui_retto(da, a)
            : s_.tracciato.prosegui_curva(da, a, c);
      m_ = ultimo + 1;
    }
    if (m_ > metro_massimo_curve) {
      f_.guasto(
          guasto::curva, dove,
          "la curva va oltre il metro " + std::to_string(metro_massimo_curve));
      return false;
    }
    if (m_ <= fino) {
      f_.guasto(guasto::curva, dove,
                "la curva va oltre la fine del tracciato (metro " +
                    std::to_string(limite_ - 2) + ")");
      return false;
    }
    return true;
  }

  passo curva(const valori_riga& v) {
    const std::optional<double> c = curvatura(f_.campo());
    if (!c) {
      return f_.guasto(
          guasto::curva, f_.posto_campo(),
          "'" + std::string(f_.campo()) + "' non contiene una classe da 1 a 6");
    }
    // A curve that starts before the counter starts at the counter, so
    // overlapping curves merge.
    const std::int64_t inizio = v.n[0];
    if (!avanza(inizio, 0.0, true, v.posti[0])) return passo::ferma;
    if (!avanza(inizio + v.n[1], *c, false, v.posti[1])) return passo::ferma;
    return passo::avanti;
  }

  passo cartello(std::int64_t p, const valori_riga& v) {
    const std::int64_t c = cella_di(p);
    if (!g_.contiene(c)) return prima(p, c, v.posti[0]);
    if (!libera(g_[c])) {
      return f_.guasto(guasto::cartello_occupato, p, v.posti[0],
                       testo_occupata(c, g_[c]));
    }
    std::int64_t& slot = f_.condivisa().cartello_libero;
    if (slot < 1) {
      return f_.guasto(guasto::tabella_piena, f_.posto_campo(),
                       "le 80 voci dei testi sono tutte prese");
    }
    cella& x = g_[c];
    metti_tipo(x, tipo::cartello);
    x.valore1 = bassi_16(slot);
    s_.tabella_dati[static_cast<std::size_t>(slot)].testo = v.testo;
    --slot;
    return passo::avanti;
  }

  lettura_sorgente f_;
  scenario& s_;
  griglia g_;
  riempimento pendenza_;
  std::int64_t limite_ = 0;  // last metre of the plan: route length + 7000
  std::int64_t m_ = 2;       // next metre of the plan
};

}  // namespace

bool leggi_linea(lettura_condivisa& c, const sorgente& f, std::string nome) {
  lettura_linea l(c, std::move(nome));
  return l.leggi(f);
}
