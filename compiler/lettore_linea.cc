// The line source: up to "[generale]", the general part (route length,
// kilometre references, scenery, signal repetition), then the feature part
// (gradients, curves, mountains, speed boards, lineside boards), then the
// end-of-file fills. In a check the same reading goes on after a fault and
// also warns where the rules silently drop or change what a row says.
#include "compiler/lettore_linea.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "compiler/arrotonda.h"
#include "compiler/avvisi.h"
#include "compiler/griglia.h"
#include "compiler/guasti.h"
#include "compiler/lettura_sorgente.h"
#include "compiler/posa.h"
#include "compiler/progressive.h"
#include "compiler/riempimento.h"
#include "source/numero.h"
#include "source/record.h"

namespace compiler {

namespace {

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
    if (source::contiene(campo, cifra)) {
      return source::contiene_senza_maiuscole(campo, "s") ? -c : c;
    }
  }
  return std::nullopt;
}

using source::n;

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
    const bool letta = leggi_aperta();
    f_.chiudi();
    return letta;
  }

 private:
  bool leggi_aperta() {
    if (!parte_generale()) return false;
    if (s_.celle.empty()) {
      // A check has already reported a route length it could not take.
      if (!f_.in_verifica() ||
          righe_generali_.count(source::record::lunghezza_percorso) == 0) {
        f_.guasto(guasto::lettura, generale_,
                  "manca la riga \"lunghezza percorso\" nella parte "
                  "[generale]");
      }
      return false;
    }
    ordina_progressive();
    s_.numero_montagne = 0;
    s_.fine_montagna_precedente = 0;
    if (costruisce_piano()) s_.tracciato.inizia();
    if (!f_.righe(source::record_caratteristiche(),
                  parte_sorgente::caratteristiche,
                  [this](const source::tipo_record& r) {
                    return caratteristica(r);
                  })) {
      return false;
    }
    fine_file();
    return true;
  }

  // Up to the first "[generale]", then the general records up to the next
  // section header. A file that ends first (or is empty) has no general
  // part.
  bool parte_generale() {
    do {
      if (f_.a_fine() || !f_.prendi_campo() || f_.a_fine()) {
        f_.guasto_file(guasto::manca_generale);
        return false;
      }
    } while (!source::contiene_senza_maiuscole(f_.campo(), "[generale]"));
    generale_ = f_.posto_campo();
    f_.condivisa().righe.generale = f_.riferimento(generale_);

    for (;;) {
      if (f_.a_fine() || !f_.prendi_campo()) return true;
      if (f_.a_fine()) {
        f_.ultimo_campo();
        return true;
      }
      // In a check the fault at the end of the file was recorded; what
      // comes after the general part is then the end of the file.
      if (!f_.salta_commenti(commenti_generali, /*ferma_a_fine=*/false)) {
        return f_.in_verifica();
      }
      bool riconosciuta = false;
      bool saltata = false;
      for (const source::tipo_record& r : source::record_generali()) {
        if (!riconosce(r, f_.campo())) continue;
        if (!riconosciuta) f_.riga_riconosciuta();
        riconosciuta = true;
        const passo p = generale(r);
        if (p == passo::ferma) return false;
        if (p == passo::salta) {
          f_.salta_riga();
          saltata = true;
          break;
        }
      }
      if (saltata) continue;
      const std::string_view c = f_.campo();
      if (source::contiene(c, "[") && source::contiene(c, "]") &&
          !c.starts_with('-')) {
        return true;
      }
      if (!riconosciuta) f_.non_riconosciuta(parte_sorgente::generale);
    }
  }

  // End of the line file (its end, or a bounds fault): the last gradient
  // runs to the fourth-last cell and the plan goes straight on to its
  // third-last metre.
  void fine_file() {
    pendenza_.fino_a(g_, g_.ultima() - 2, g_.ultima(),
                     bassi_8(pendenza_.precedente + scarto_pendenza),
                     &cella::pendenza_linea);
    if (costruisce_piano() && m_ <= limite_ - 2) {
      s_.tracciato.prosegui_retto(static_cast<std::size_t>(m_),
                                  static_cast<std::size_t>(limite_ - 2));
      m_ = limite_ - 1;
    }
  }

  // The plan's points are computed for a compile with the plan flag; a
  // check reads the curve rows as that compile does, but only follows the
  // plan counter, which is all its faults depend on.
  bool costruisce_piano() const {
    return s_.scrivi_linea != 0 && !f_.in_verifica();
  }

  // In a check: a general record that an earlier row already set.
  void ripetuta(source::record kind) {
    const std::int64_t riga = f_.posto_campo().riga;
    const auto [prima, nuova] = righe_generali_.try_emplace(kind, riga);
    if (!nuova) {
      f_.avviso(f_.posto_campo(),
                avviso_ripetuta(source::tra_apici(f_.campo()), prima->second));
      prima->second = riga;
    }
  }

  passo generale(const source::tipo_record& r) {
    ripetuta(r.kind);
    valori_riga v;
    if (!f_.leggi(r, v)) return f_.dopo_guasto();
    voce_dati* voce = nullptr;
    switch (r.kind) {
      case source::record::lunghezza_percorso:
        return lunghezza(v);
      case source::record::progressiva_tre:
        voce = &s_.tabella_dati[voce_progressiva_tre];
        break;
      case source::record::progressiva_due:
        voce = &s_.tabella_dati[voce_progressiva_due];
        break;
      case source::record::progressiva_uno:
        voce = &s_.tabella_dati[voce_progressiva_uno];
        break;
      case source::record::sfondo_uno:
        s_.tabella_dati[voce_linea].valore_a = v.n[0];
        return passo::avanti;
      case source::record::sfondo_due:
        s_.tabella_dati[voce_linea].valore_c = v.n[0];
        return passo::avanti;
      case source::record::sfondo_tre:
        s_.tabella_dati[voce_linea].valore_b = v.n[0];
        return passo::avanti;
      case source::record::ripetizione_segnali:
        return ripetizione(v);
      default:
        return passo::avanti;
    }
    voce->valore_a = v.n[0];
    voce->valore_b = v.n[1];
    voce->valore_c = v.n[2];
    f_.condivisa().righe.progressive[static_cast<std::size_t>(
        voce - &s_.tabella_dati[voce_progressiva_tre])] =
        progressiva_letta{f_.riferimento(f_.posto_campo()),
                          v.n[0],
                          v.n[1],
                          v.n[2],
                          f_.riferimento(v.posti[0]),
                          f_.riferimento(v.posti[1])};
    if (!primo_progressivo_) primo_progressivo_ = f_.posto_campo();
    return passo::avanti;
  }

  // The route length sizes the grid and the plan afresh.
  passo lunghezza(const valori_riga& v) {
    const std::int64_t l = v.n[0];
    if (l > lunghezza_massima) {
      return f_.guasto(guasto::lunghezza_percorso, v.posti[0], n(l) + " m");
    }
    if (l < 0) {
      return f_.guasto(
          guasto::lettura, v.posti[0],
          n(l) + ": la lunghezza del percorso non può essere negativa");
    }
    s_.tabella_dati[voce_totali].valore_b = static_cast<std::int32_t>(l);
    s_.celle.assign(static_cast<std::size_t>(ultima_cella_per(l)) + 1, cella{});
    limite_ = l + coda_percorso;
    if (costruisce_piano()) {
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
    if (source::contiene(f_.campo(), "4")) {
      t.valore_c = 4;
    } else if (source::contiene(f_.campo(), "9")) {
      t.valore_c = 9;
    } else {
      return f_.guasto(
          guasto::codici_ripetizione, f_.posto_campo(),
          source::tra_apici(f_.campo()) + " non contiene né 4 né 9");
    }
    if (v.n[1] == 0) t.valore_c = 0;
    return passo::avanti;
  }

  // The three kilometre references in their order. In a check: references
  // that the ordering clears, because their greatest start is shared or
  // none gives a positive value.
  void ordina_progressive() {
    std::array<std::int32_t, 9> prima{};
    for (std::size_t i = 0; i < 3; ++i) {
      const voce_dati& v = s_.tabella_dati[voce_progressiva_tre + i];
      prima[3 * i] = v.valore_a;
      prima[3 * i + 1] = v.valore_b;
      prima[3 * i + 2] = v.valore_c;
    }
    const ordine_progressive o = progressive_ordina(s_);
    f_.condivisa().righe.ordine = o;
    if (!primo_progressivo_) return;
    const bool date = std::any_of(prima.begin(), prima.end(),
                                  [](std::int32_t x) { return x != 0; });
    if (o.azzerate && date) {
      f_.avviso(*primo_progressivo_,
                "le progressive chilometriche sono tutte azzerate: la "
                "posizione più grande è data a due di esse, o nessuna ha un "
                "valore positivo");
    }
  }

  // The bounds test of every feature row: (p + 100) / 50, computed exactly,
  // within the grid.
  bool oltre(std::int64_t p) const {
    return p + margine_righe > g_.ultima() * metri_cella;
  }
  passo fuori(std::int64_t p, const source::posto_token& dove) {
    return f_.fuori(p, dove,
                    testo_oltre(p, g_.ultima() * metri_cella - margine_righe));
  }
  // A cell that the bounds test let through but that lies before cell 0.
  passo prima(std::int64_t p, std::int64_t c, const source::posto_token& dove) {
    return f_.fuori(p, dove, testo_prima(p, c));
  }

  passo caratteristica(const source::tipo_record& r) {
    // A curve row is not recognised when no plan is built: its values are
    // then read as keyword fields.
    if (r.kind == source::record::curva && s_.scrivi_linea == 0)
      return passo::avanti;
    valori_riga v;
    if (!f_.leggi(r, v)) return f_.dopo_guasto();
    const std::int64_t p = v.n[0];
    if (oltre(p)) return fuori(p, v.posti[0]);
    f_.avviso_oltre_percorso(p, margine_righe, v.posti[0], "la riga sta a ");
    switch (r.kind) {
      case source::record::pendenza:
        return pendenza(p, v);
      case source::record::curva:
        return curva(v);
      case source::record::montagna:
        return montagna(p, v);
      case source::record::indicatori_v_max: {
        const std::int64_t c = cella_di(p);
        if (!g_.contiene(c)) return prima(p, c, v.posti[0]);
        const posa_indicatori esito =
            memo_indicatori_v_max(s_, {v.n[0], v.n[1], v.n[2], v.n[3], v.n[4],
                                       v.n[5], v.n[6], v.n[7], v.n[8]});
        const passo dopo = f_.dopo_posa(
            p, v.posti[0], [&] { return testo_occupata(c, g_[c]); });
        if (dopo == passo::avanti) {
          f_.ricorda_cella(c, v.posti[0]);
          if (esito.troncati != 0) {
            f_.avviso(v.posti[0],
                      avviso_campi_troncati("l'indicatore", esito.troncati));
          }
        }
        return dopo;
      }
      case source::record::cartello_indicatore:
        return cartello(p, v);
      default:
        return passo::avanti;
    }
  }

  passo pendenza(std::int64_t p, const valori_riga& v) {
    const std::int64_t c = rnd(static_cast<double>(p) / metri_cella);
    const std::int64_t g = v.n[1];
    const std::uint8_t byte = bassi_8(g + scarto_pendenza);
    if (byte != g + scarto_pendenza) {
      f_.avviso(v.posti[1],
                "la pendenza " + n(g) + " è fuori da " + n(pendenza_minima) +
                    ".." + n(pendenza_massima) + ": la cella la tiene come " +
                    n(pendenza_di_cella(byte)));
    }
    riempi(f_, g_, pendenza_, c, v.posti[0], g_.ultima(),
           bassi_8(pendenza_.precedente + scarto_pendenza),
           &cella::pendenza_linea);
    pendenza_.precedente = g;
    return passo::avanti;
  }

  passo montagna(std::int64_t p, const valori_riga& v) {
    const std::int64_t fine_precedente = s_.fine_montagna_precedente;
    const posa_montagna esito = memo_montagna(s_, {v.n[0], v.n[1], v.n[2]});
    if (esito.saltate > 0) {
      f_.avviso(v.posti[0], avviso_montagna_fuori(esito, g_.ultima()));
    }
    if (esito.resa_vicina) {
      f_.avviso(v.posti[2], avviso_montagna_vicina(esito, fine_precedente));
    }
    f_.avviso_oltre_percorso(v.n[1], 0, v.posti[1], "la montagna finisce a ");
    return f_.dopo_posa(p, v.posti[0], [] { return std::string(); });
  }

  // Points from the counter up to metre `fino` of a curve row (c = 0 and
  // retto: its straight run). The last two plan points stay empty, and the
  // counter may not pass metre 1000000; either limit is fault 103, with the
  // points before it computed.
  bool avanza(std::int64_t fino, double c, bool retto,
              const source::posto_token& dove) {
    const std::int64_t ultimo =
        std::min({fino, limite_ - 2, metro_massimo_curve});
    if (m_ <= ultimo) {
      const auto da = static_cast<std::size_t>(m_);
      const auto a = static_cast<std::size_t>(ultimo);
      if (costruisce_piano()) {
        retto ? s_.tracciato.prosegui_retto(da, a)
              : s_.tracciato.prosegui_curva(da, a, c);
      }
      m_ = ultimo + 1;
    }
    if (m_ > metro_massimo_curve) {
      f_.guasto(guasto::curva, dove,
                "la curva va oltre il metro " + n(metro_massimo_curve));
      return false;
    }
    if (m_ <= fino) {
      f_.guasto(guasto::curva, dove,
                "la curva va oltre la fine del tracciato (metro " +
                    n(limite_ - 2) + ")");
      return false;
    }
    return true;
  }

  passo curva(const valori_riga& v) {
    const std::optional<double> c = curvatura(f_.campo());
    if (!c) {
      return f_.guasto(
          guasto::curva, f_.posto_campo(),
          source::tra_apici(f_.campo()) + " non contiene una classe da 1 a 6");
    }
    const std::int64_t inizio = v.n[0];
    if (curve_ > 0 && inizio < m_ - 1) {
      f_.avviso(v.posti[0],
                "la curva inizia a " + n(inizio) +
                    " m, dentro la curva precedente (che arriva al metro " +
                    n(m_ - 1) + "): le due curve si fondono");
    }
    if (v.n[1] <= 0) {
      f_.avviso(v.posti[1],
                "una curva lunga " + n(v.n[1]) + " m non curva il tracciato");
    }
    ++curve_;
    // A curve that starts before the counter starts at the counter, so
    // overlapping curves merge.
    if (!avanza(inizio, 0.0, true, v.posti[0])) return f_.dopo_guasto();
    if (!avanza(inizio + v.n[1], *c, false, v.posti[1])) {
      return f_.dopo_guasto();
    }
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
      // A check reports the full table once.
      bool& segnalata = f_.condivisa().tabella_piena_segnalata;
      if (f_.in_verifica() && segnalata) return passo::salta;
      segnalata = true;
      return f_.guasto(guasto::tabella_piena, f_.posto_campo(),
                       "le 80 voci dei testi sono tutte prese");
    }
    if (source::contiene(v.testo, ",")) {
      f_.avviso(v.posti[1],
                "il testo del cartello contiene una virgola, che il formato "
                "non prevede");
    }
    cella& x = g_[c];
    metti_tipo(x, tipo::cartello);
    x.valore1 = bassi_16(slot);
    s_.tabella_dati[static_cast<std::size_t>(slot)].testo = v.testo;
    f_.ricorda_cella(c, v.posti[0]);
    f_.ricorda_testo(static_cast<std::size_t>(slot), v.posti[1]);
    --slot;
    return passo::avanti;
  }

  lettura_sorgente f_;
  scenario& s_;
  griglia g_;
  riempimento pendenza_;
  std::int64_t limite_ = 0;  // last metre of the plan: route length + 7000
  std::int64_t m_ = 2;       // next metre of the plan
  // The "[generale]" line; what a check remembers: the line of each
  // general record, the first kilometre reference, the curves seen.
  source::posto_token generale_;
  std::map<source::record, std::int64_t> righe_generali_;
  std::optional<source::posto_token> primo_progressivo_;
  std::int64_t curve_ = 0;
};

}  // namespace

bool leggi_linea(lettura_condivisa& c, const sorgente& f, std::string nome) {
  lettura_linea l(c, std::move(nome));
  return l.leggi(f);
}

}  // namespace compiler
