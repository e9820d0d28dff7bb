// The train source: from its first "[generale]" on, train values, speed
// limits, adhesion, signals, restrictions, abatement points and stations,
// then the end-of-file fills and the test of the kilometre references.
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
#include "compiler/riempimento.h"
#include "compiler/stazione.h"
#include "source/record.h"

namespace {

// A row is accepted while (p + 100) / 50 is within the grid; a station
// while (p + 800) / 50 is.
constexpr std::int64_t margine_righe = 100;
constexpr std::int64_t margine_stazioni = 800;
// Station positions, lengths and kilometre references are multiples of
// these many metres.
constexpr std::int64_t passo_stazioni = 50;
constexpr std::int64_t passo_lunghezze = 100;
constexpr std::int64_t passo_progressive = 50;
// Speeds are stored in units of this many km/h, in one byte.
constexpr double unita_velocita = 5.0;
constexpr std::int64_t velocita_massima_cella = 255;

// rnd(v / 5), the byte of a speed in km/h.
std::int64_t velocita_in_celle(std::int64_t v) {
  return rnd(static_cast<double>(v) / unita_velocita);
}

class lettura_treno {
 public:
  lettura_treno(lettura_condivisa& c, std::string nome, std::string nome_linea)
      : f_(c, std::move(nome), /*di_linea=*/false),
        s_(c.s),
        g_(c.s.celle),
        nome_linea_(std::move(nome_linea)) {}

  void leggi(const sorgente& f) {
    if (!f_.apri(f)) return;
    // Rows start after the first "[generale]"; without one, nothing is
    // read and no fault follows.
    while (!f_.a_fine()) {
      if (!f_.prendi_campo()) return;
      if (contiene_senza_maiuscole(f_.campo(), "[generale]")) break;
    }
    if (!righe()) return;
    fine_file();
  }

 private:
  // false when a fault stopped the reading.
  bool righe() {
    for (;;) {
      const std::optional<passo> riga = f_.prossima_riga();
      if (!riga) return true;
      if (*riga == passo::ferma) return false;
      for (const tipo_record& r : record_treno()) {
        if (!riconosce(r, f_.campo())) continue;
        const passo p = treno(r);
        if (p == passo::ferma) return false;
        if (p == passo::fine_file) return true;
      }
    }
  }

  // End of the train file (its end, or a bounds fault): the last speed and
  // adhesion run to the fourth-last cell; then the kilometre references
  // must stand on the 50 m step.
  void fine_file() {
    // The speed fill keeps its own stop below the last index.
    velocita_.fino_a(
        g_, g_.ultima() - 2, g_.ultima() - 1,
        static_cast<std::uint8_t>(velocita_in_celle(velocita_.precedente)),
        &cella::velocita_linea);
    aderenza_.fino_a(g_, g_.ultima() - 2, g_.ultima(),
                     bassi_8(aderenza_.precedente), &cella::aderenza_linea);
    for (std::size_t i :
         {voce_progressiva_tre, voce_progressiva_due, voce_progressiva_uno}) {
      const voce_dati& v = s_.tabella_dati[i];
      if (v.valore_a % passo_progressive != 0 ||
          v.valore_b % passo_progressive != 0) {
        s_.codice_errore = guasto::progressive;
        s_.file_errore = nome_linea_;
        s_.riga_errore = 0;
        s_.campo_errore = {};
        s_.dettaglio_errore.clear();
      }
    }
  }

  bool oltre(std::int64_t p, std::int64_t margine) const {
    return p + margine > g_.ultima() * metri_cella;
  }
  passo fuori(std::int64_t p, std::int64_t margine, const posto_token& dove) {
    return f_.fuori(p, dove,
                    testo_oltre(p, g_.ultima() * metri_cella - margine));
  }
  passo prima(std::int64_t p, std::int64_t c, const posto_token& dove) {
    return f_.fuori(p, dove, testo_prima(p, c));
  }

  // What a placement fault found in its way; a pending 15 from the line
  // file stops the reading at the first signal or restriction.
  std::string ostacolo(std::int64_t c) const {
    if (s_.codice_errore == guasto::fuori_griglia) {
      return "la lettura si ferma qui: il file della linea ha un elemento "
             "oltre la griglia";
    }
    return testo_occupata(c, g_[c]);
  }

  passo treno(const tipo_record& r) {
    // A station row checks its position before reading the rest.
    if (r.kind == record::stazione) return stazione(r);
    valori_riga v;
    if (!f_.leggi(r, v)) return passo::ferma;
    voce_dati& totali = s_.tabella_dati[voce_totali];
    voce_dati& treno = s_.tabella_dati[voce_treno];
    switch (r.kind) {
      case record::massa_frenata:
        totali.valore_a = v.n[0];
        return passo::avanti;
      case record::vetture:
        totali.valore_c = v.n[0];
        return passo::avanti;
      case record::orologio:
        treno.numero_3 = static_cast<std::int16_t>(v.n[0]);
        treno.numero_4 = static_cast<std::int16_t>(v.n[1]);
        treno.numero_5 = static_cast<std::int16_t>(v.n[2]);
        return passo::avanti;
      case record::sabbia:
        treno.numero_1 = static_cast<std::int16_t>(v.n[0]);
        return passo::avanti;
      default:
        break;
    }
    // Every other train row starts with a position.
    const std::int64_t p = v.n[0];
    if (oltre(p, margine_righe)) return fuori(p, margine_righe, v.posti[0]);
    switch (r.kind) {
      case record::velocita:
        return velocita(p, v);
      case record::aderenza: {
        const std::int64_t n = rnd(static_cast<double>(p) / metri_cella);
        if (n > 0) {
          aderenza_.fino_a(g_, n, g_.ultima(), bassi_8(aderenza_.precedente),
                           &cella::aderenza_linea);
        }
        aderenza_.precedente = v.n[1];
        return passo::avanti;
      }
      case record::segnale: {
        const std::int64_t c = cella_di(p);
        if (!g_.contiene(c)) return prima(p, c, v.posti[0]);
        memo_segnale(s_, {v.n[0], v.n[1], v.n[2], v.n[3], v.n[4], v.n[5],
                          v.n[6], v.n[7], v.n[8], v.n[9], v.n[10]});
        return f_.dopo_posa(p, v.posti[0], [&] { return ostacolo(c); });
      }
      case record::rallentamento:
        return rallentamento(p, v);
      case record::abbattimento: {
        const std::int64_t c = rnd(static_cast<double>(p) / metri_cella);
        if (!g_.contiene(c)) return prima(p, c, v.posti[0]);
        if (!libera(g_[c])) {
          return f_.guasto(guasto::abbattimento_occupato, p, v.posti[0],
                           testo_occupata(c, g_[c]));
        }
        if (v.n[1] > 0) {
          metti_tipo(g_[c], tipo::abbattimento);
          g_[c].valore1 = bassi_16(v.n[1]);
        } else {
          metti_tipo(g_[c], tipo::abbattimento_nullo);
        }
        return passo::avanti;
      }
      default:
        return passo::avanti;
    }
  }

  passo velocita(std::int64_t p, const valori_riga& v) {
    // The speed must fit its cell byte.
    const std::int64_t byte = velocita_in_celle(v.n[1]);
    if (byte < 0 || byte > velocita_massima_cella) {
      return f_.guasto(guasto::lettura, v.posti[1],
                       std::to_string(v.n[1]) +
                           " km/h non sta in una cella: da -2 a 1277 km/h");
    }
    const std::int64_t n = rnd(static_cast<double>(p) / metri_cella);
    if (n > 0) {
      velocita_.fino_a(
          g_, n, g_.ultima() - 1,
          static_cast<std::uint8_t>(velocita_in_celle(velocita_.precedente)),
          &cella::velocita_linea);
    }
    velocita_.precedente = v.n[1];
    return passo::avanti;
  }

  passo rallentamento(std::int64_t p, const valori_riga& v) {
    const std::int64_t inizio = cella_di(p);
    const std::int64_t fine = cella_di(p + v.n[2]);
    if (!g_.contiene(inizio)) return prima(p, inizio, v.posti[0]);
    if (!g_.contiene(fine)) {
      return f_.fuori(p, v.posti[2],
                      "la fine a " + std::to_string(p + v.n[2]) +
                          " m cadrebbe nella cella " + std::to_string(fine) +
                          ", fuori dalla griglia (celle da 0 a " +
                          std::to_string(g_.ultima()) + ")");
    }
    const dati_rallentamento d{v.n[0], v.n[1], v.n[2], v.n[3], v.n[4], v.n[5]};
    memo_rallentamento(s_, d);
    return f_.dopo_posa(p, v.posti[0], [&] {
      const celle_rallentamento k = celle_di(d);
      switch (s_.codice_errore) {
        case guasto::avviso_occupato:
          return "punto di avviso: " + ostacolo(k.avviso);
        case guasto::inizio_occupato:
          return "inizio: " + ostacolo(k.inizio);
        case guasto::fine_occupata:
          return "fine: " + ostacolo(k.fine);
        case guasto::conto_occupato:
          for (std::int64_t c = k.avviso - 1; c >= k.avviso - 4; --c) {
            if (!libera(g_[c])) return "conto alla rovescia: " + ostacolo(c);
          }
          break;
        default:
          break;
      }
      return ostacolo(k.inizio);
    });
  }

  // A station row into the next station slot. Its position is tested
  // before the rest of the row is read.
  passo stazione(const tipo_record& r) {
    valori_riga v;
    if (!f_.leggi(r, 0, 1, v)) return passo::ferma;
    const std::int64_t p = v.n[0];
    if (oltre(p, margine_stazioni)) {
      return fuori(p, margine_stazioni, v.posti[0]);
    }
    if (p % passo_stazioni != 0) {
      return f_.guasto(guasto::posizione_stazione, p, v.posti[0],
                       testo_non_multiplo(p, passo_stazioni));
    }
    if (!f_.leggi(r, 1, 3, v)) return passo::ferma;
    const std::int64_t l = v.n[2];
    if (l % passo_lunghezze != 0) {
      return f_.guasto(guasto::lunghezza_stazione, p, v.posti[2],
                       testo_non_multiplo(l, passo_lunghezze));
    }
    if (!f_.leggi(r, 3, r.valori.size(), v)) return passo::ferma;

    voce_dati st;
    st.valore_c = v.n[0];
    st.categoria = static_cast<std::uint8_t>(v.n[1]);
    st.opzione = static_cast<std::uint8_t>(v.n[3]);
    st.cifra_3 = static_cast<std::uint8_t>(v.n[4]);
    st.cifra_2 = static_cast<std::uint8_t>(v.n[5]);
    st.numero_1 = static_cast<std::int16_t>(v.n[6]);
    st.numero_2 = static_cast<std::int16_t>(v.n[7]);
    st.cifra_1 = static_cast<std::uint8_t>(v.n[8]);
    st.numero_3 = static_cast<std::int16_t>(v.n[9]);
    st.numero_4 = static_cast<std::int16_t>(v.n[10]);
    st.numero_5 = static_cast<std::int16_t>(v.n[11]);
    st.sosta = static_cast<std::uint8_t>(v.n[12]);
    st.valore_d =
        bassi_32((std::int64_t{v.n[13]} * 60 + v.n[14]) * 60 + v.n[15]);
    st.testo.assign(v.testo);
    const tratto_stazione t = tratto_di(st, l);
    switch (memo_stazione(s_, std::move(st), l, static_cast<std::size_t>(k_),
                          f_.condivisa().cartello_libero)) {
      case esito_stazione::posata:
        ++k_;
        return passo::avanti;
      case esito_stazione::fuori_griglia:
        f_.segna_presente(
            v.posti[0], "la fermata cadrebbe nella cella " +
                            std::to_string(cella_fermata(t.fine)) +
                            ", oltre l'ultima (" + std::to_string(g_.ultima()) +
                            ")");
        return passo::fine_file;
      case esito_stazione::rifiutata:
        break;
    }
    f_.segna_presente(s_.codice_errore == guasto::tabella_piena
                          ? f_.posto_campo()
                          : v.posti[0],
                      rifiuto(t));
    f_.elimina_questo();
    return passo::ferma;
  }

  std::string rifiuto(const tratto_stazione& t) const {
    switch (s_.codice_errore) {
      case guasto::fermata_stazione:
        return "la stazione finisce a " + std::to_string(t.fine) +
               " m: la fermata cadrebbe nella cella " +
               std::to_string(cella_fermata(t.fine));
      case guasto::distanza_stazioni:
        return "inizia a " + std::to_string(t.inizio) +
               " m, la precedente finisce a " +
               std::to_string(
                   s_.tabella_dati[static_cast<std::size_t>(k_ - 1)].valore_b) +
               " m";
      case guasto::tabella_piena:
        return std::to_string(k_ - 1) + " stazioni e " +
               std::to_string(static_cast<std::int64_t>(primo_cartello) -
                              f_.condivisa().cartello_libero) +
               " cartelli riempiono le 80 voci";
      default:
        return {};
    }
  }

  lettura_sorgente f_;
  scenario& s_;
  griglia g_;
  const std::string nome_linea_;
  riempimento velocita_;
  riempimento aderenza_;
  std::int64_t k_ = 1;  // next station slot
};

}  // namespace

void leggi_treno(lettura_condivisa& c, const sorgente& f, std::string nome,
                 std::string nome_linea) {
  lettura_treno t(c, std::move(nome), std::move(nome_linea));
  t.leggi(f);
}
