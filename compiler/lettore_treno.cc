// The train source: from its first "[generale]" on, train values, speed
// limits, adhesion, signals, restrictions, abatement points and stations,
// then the end-of-file fills and the test of the kilometre references. In a
// check the same reading goes on after a fault and also warns where the
// rules silently drop or change what a row says.
#include <algorithm>
#include <cstdint>
#include <map>
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

namespace compiler {

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
// Speeds and adhesion are stored in one byte.
constexpr std::int64_t massimo_byte = 255;

// Characters of a place name the timetable sheet's column shows.
constexpr std::size_t larghezza_nome_scheda = 27;

std::string n(std::int64_t v) { return std::to_string(v); }

// rnd(v / 5), the byte of a speed in km/h.
std::int64_t velocita_in_celle(std::int64_t v) {
  return rnd(static_cast<double>(v) / kmh_per_unita_velocita);
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
    bool generale = false;
    while (!f_.a_fine()) {
      if (!f_.prendi_campo()) return;
      if (source::contiene_senza_maiuscole(f_.campo(), "[generale]")) {
        generale = true;
        break;
      }
    }
    if (!generale) {
      f_.avviso_file(
          "il file non ha la riga \"[generale]\": nessuna riga del treno "
          "viene letta");
    }
    if (!f_.righe(source::record_treno(), parte_sorgente::treno,
                  [this](const source::tipo_record& r) { return treno(r); })) {
      return;
    }
    fine_file();
  }

 private:
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
        diagnosi d = guasto_senza_luogo(guasto::progressive, 0);
        d.luogo.file = nome_linea_;
        d.messaggio = "voce " + n(static_cast<std::int64_t>(i)) +
                      ": posizione " + n(v.valore_a) + " m, valore " +
                      n(v.valore_b) + " m";
        f_.condivisa().guasto = std::move(d);
      }
    }
    if (s_.codice_errore == guasto::progressive) f_.raccogli();
  }

  bool oltre(std::int64_t p, std::int64_t margine) const {
    return p + margine > g_.ultima() * metri_cella;
  }
  passo fuori(std::int64_t p, std::int64_t margine,
              const source::posto_token& dove) {
    return f_.fuori(p, dove,
                    testo_oltre(p, g_.ultima() * metri_cella - margine));
  }
  passo prima(std::int64_t p, std::int64_t c, const source::posto_token& dove) {
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

  // In a check: a train value that an earlier row already set.
  void ripetuta(source::record kind) {
    if (!f_.in_verifica()) return;
    const std::int32_t riga = f_.luogo(f_.posto_campo()).riga;
    const auto [prima, nuova] = righe_valori_.try_emplace(kind, riga);
    if (!nuova) {
      f_.avviso(f_.posto_campo(), source::tra_apici(f_.campo()) +
                                      " sostituisce quanto dato alla riga " +
                                      n(prima->second));
      prima->second = riga;
    }
  }

  passo treno(const source::tipo_record& r) {
    // A station row checks its position before reading the rest.
    if (r.kind == source::record::stazione) return stazione(r);
    valori_riga v;
    if (!f_.leggi(r, v)) return f_.dopo_guasto();
    voce_dati& totali = s_.tabella_dati[voce_totali];
    voce_dati& treno = s_.tabella_dati[voce_treno];
    switch (r.kind) {
      case source::record::massa_frenata:
        ripetuta(r.kind);
        totali.valore_a = v.n[0];
        return passo::avanti;
      case source::record::vetture:
        ripetuta(r.kind);
        totali.valore_c = v.n[0];
        return passo::avanti;
      case source::record::orologio:
        ripetuta(r.kind);
        treno.numero_3 = static_cast<std::int16_t>(v.n[0]);
        treno.numero_4 = static_cast<std::int16_t>(v.n[1]);
        treno.numero_5 = static_cast<std::int16_t>(v.n[2]);
        return passo::avanti;
      case source::record::sabbia:
        ripetuta(r.kind);
        treno.numero_1 = static_cast<std::int16_t>(v.n[0]);
        return passo::avanti;
      default:
        break;
    }
    // Every other train row starts with a position.
    const std::int64_t p = v.n[0];
    if (oltre(p, margine_righe)) return fuori(p, margine_righe, v.posti[0]);
    f_.avviso_oltre_percorso(p, margine_righe, v.posti[0]);
    switch (r.kind) {
      case source::record::velocita:
        return velocita(p, v);
      case source::record::aderenza: {
        const std::int64_t c = rnd(static_cast<double>(p) / metri_cella);
        if (f_.in_verifica()) {
          f_.avviso_riempimento(aderenza_, c, v.posti[0]);
          if (v.n[1] < 0 || v.n[1] > massimo_byte) {
            f_.avviso(v.posti[1], "l'aderenza " + n(v.n[1]) +
                                      " non sta in un byte: la cella tiene " +
                                      n(bassi_8(v.n[1])));
          }
        }
        if (c > 0) {
          aderenza_.fino_a(g_, c, g_.ultima(), bassi_8(aderenza_.precedente),
                           &cella::aderenza_linea);
        }
        aderenza_.precedente = v.n[1];
        return passo::avanti;
      }
      case source::record::segnale:
        return segnale(p, v);
      case source::record::rallentamento:
        return rallentamento(p, v);
      case source::record::abbattimento: {
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

  passo segnale(std::int64_t p, const valori_riga& v) {
    const std::int64_t c = cella_di(p);
    if (!g_.contiene(c)) return prima(p, c, v.posti[0]);
    const dati_segnale d{v.n[0], v.n[1], v.n[2], v.n[3], v.n[4], v.n[5],
                         v.n[6], v.n[7], v.n[8], v.n[9], v.n[10]};
    memo_segnale(s_, d);
    const passo esito =
        f_.dopo_posa(p, v.posti[0], [&] { return ostacolo(c); });
    if (esito == passo::avanti && f_.in_verifica()) {
      f_.ricorda_cella(c, f_.luogo(v.posti[0]));
      const std::int64_t saltati = std::min<std::int64_t>(
          celle_avviso_segnale, std::max<std::int64_t>(0, 4 - c / 2));
      if (c - 2 * celle_avviso_segnale < 0 && saltati > 0) {
        f_.avviso(v.posti[0],
                  "il segnale sta nella cella " + n(c) + ": " + n(saltati) +
                      " dei 4 codici di avviso cadrebbero prima della cella 0 "
                      "e non sono scritti");
      }
      if (d.sx == sx_con_tempo && d.tempo >= 1 && d.tempo < tempo_minimo) {
        f_.avviso(v.posti[10], "il tempo " + n(d.tempo) +
                                   " del segnale diventa " + n(tempo_minimo) +
                                   " (da 1 a 100 vale 101)");
      }
    }
    return esito;
  }

  passo velocita(std::int64_t p, const valori_riga& v) {
    // The speed must fit its cell byte.
    const std::int64_t byte = velocita_in_celle(v.n[1]);
    if (byte < 0 || byte > massimo_byte) {
      return f_.guasto(guasto::lettura, v.posti[1],
                       std::to_string(v.n[1]) +
                           " km/h non sta in una cella: da -2 a 1277 km/h");
    }
    const std::int64_t c = rnd(static_cast<double>(p) / metri_cella);
    if (f_.in_verifica()) {
      f_.avviso_riempimento(velocita_, c, v.posti[0]);
      if (byte * 5 != v.n[1]) {
        f_.avviso(v.posti[1], n(v.n[1]) +
                                  " km/h non è multiplo di 5: le "
                                  "celle tengono " +
                                  n(byte * 5) + " km/h");
      }
    }
    const std::int64_t n = c;
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
    const passo esito = f_.dopo_posa(p, v.posti[0], [&] {
      const celle_rallentamento k = celle_di(d);
      switch (s_.codice_errore) {
        case guasto::avviso_occupato:
          return ostacolo(k.avviso);
        case guasto::inizio_occupato:
          return ostacolo(k.inizio);
        case guasto::fine_occupata:
          return ostacolo(k.fine);
        case guasto::conto_occupato:
          for (std::int64_t c = k.avviso - 1; c >= k.avviso - celle_conto;
               --c) {
            if (!libera(g_[c])) return ostacolo(c);
          }
          break;
        default:
          break;
      }
      return ostacolo(k.inizio);
    });
    if (esito == passo::avanti && f_.in_verifica()) {
      const celle_rallentamento k = celle_di(d);
      f_.ricorda_cella(k.inizio, f_.luogo(v.posti[0]));
      if (k.con_avviso) f_.ricorda_cella(k.avviso, f_.luogo(v.posti[0]));
      if (!k.con_avviso && d.f_ta != 0) {
        f_.avviso(v.posti[4],
                  "il rallentamento inizia a " + n(d.x) + " m, non oltre " +
                      n(inizio_minimo_avviso) +
                      " m: non ha punto di avviso né conto alla rovescia");
      }
    }
    return esito;
  }

  // A station row into the next station slot. Its position is tested
  // before the rest of the row is read.
  passo stazione(const source::tipo_record& r) {
    valori_riga v;
    if (!f_.leggi(r, 0, 1, v)) return f_.dopo_guasto();
    const std::int64_t p = v.n[0];
    if (oltre(p, margine_stazioni)) {
      return fuori(p, margine_stazioni, v.posti[0]);
    }
    if (p % passo_stazioni != 0) {
      return f_.guasto(guasto::posizione_stazione, p, v.posti[0],
                       testo_non_multiplo(p, passo_stazioni));
    }
    if (!f_.leggi(r, 1, 3, v)) return f_.dopo_guasto();
    const std::int64_t l = v.n[2];
    if (l % passo_lunghezze != 0) {
      return f_.guasto(guasto::lunghezza_stazione, p, v.posti[2],
                       testo_non_multiplo(l, passo_lunghezze));
    }
    if (!f_.leggi(r, 3, r.valori.size(), v)) return f_.dopo_guasto();

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
    const voce_dati letta = f_.in_verifica() ? st : voce_dati{};
    // What a stop cell would overwrite, seen before the station is placed.
    const std::int64_t fermata = cella_fermata(t.fine);
    const bool sovrascrive = f_.in_verifica() &&
                             st.categoria < categoria_senza_fermata &&
                             ha_cella_fermata(t.fine) && g_.contiene(fermata) &&
                             !libera(g_[fermata]);
    const cella occupante = sovrascrive ? g_[fermata] : cella{};
    switch (memo_stazione(s_, std::move(st), l, static_cast<std::size_t>(k_),
                          f_.condivisa().cartello_libero)) {
      case esito_stazione::posata:
        if (f_.in_verifica()) {
          avvisi_stazione(letta, l, v);
          if (sovrascrive) {
            f_.avviso(v.posti[0],
                      "la fermata nella cella " + n(fermata) + " sovrascrive " +
                          std::string(nome_tipo_cella(occupante.tipo_cella)));
          }
        }
        ++k_;
        return passo::avanti;
      case esito_stazione::fuori_griglia:
        f_.segna_presente(v.posti[0], "la fermata cadrebbe nella cella " +
                                          n(fermata) + ", oltre l'ultima (" +
                                          n(g_.ultima()) + ")");
        return passo::fine_file;
      case esito_stazione::rifiutata:
        break;
    }
    if (s_.codice_errore == guasto::tabella_piena) {
      bool& segnalata = f_.condivisa().tabella_piena_segnalata;
      if (f_.in_verifica() && segnalata) {
        s_.codice_errore = 0;
        return passo::salta;
      }
      segnalata = true;
    }
    f_.elimina_questo();
    f_.segna_presente(s_.codice_errore == guasto::tabella_piena
                          ? f_.posto_campo()
                          : v.posti[0],
                      rifiuto(t));
    return f_.dopo_guasto();
  }

  // In a check: what the station rules clear or leave out of a station
  // that was placed.
  void avvisi_stazione(const voce_dati& st, std::int64_t l,
                       const valori_riga& v) {
    const voce_dati& posta = s_.tabella_dati[static_cast<std::size_t>(k_)];
    if (st.cifra_3 != 0 && posta.cifra_3 == 0) {
      f_.avviso(v.posti[4], k_ == 1 ? "la colonna 5 della prima stazione è "
                                      "azzerata"
                                    : "la colonna 5 è azzerata: la stazione è "
                                      "lunga " +
                                          n(l) + " m, meno di " +
                                          n(lunghezza_cifra_3));
    }
    if (st.cifra_2 != 0 && posta.cifra_2 == 0) {
      f_.avviso(v.posti[5], k_ == 1 ? "la colonna 6 della prima stazione è "
                                      "azzerata"
                                    : "la colonna 6 è azzerata per le "
                                      "stazioni di categoria 5 a 8");
    }
    if (st.testo.size() > larghezza_nome_scheda) {
      f_.avviso(v.posti[16],
                "il nome è lungo " +
                    n(static_cast<std::int64_t>(st.testo.size())) +
                    " caratteri: la scheda treno ne mostra " +
                    n(static_cast<std::int64_t>(larghezza_nome_scheda)));
    }
    if (source::contiene(st.testo, ",")) {
      f_.avviso(v.posti[16],
                "il nome contiene una virgola, che il formato non prevede");
    }
    const bool con_avvisi = st.categoria < categoria_senza_fermata &&
                            st.categoria != 5 && st.categoria != 6;
    const double fine = static_cast<double>(posta.valore_b) / metri_cella;
    if (con_avvisi && fine - 5.0 <= 1.0) {
      f_.avviso(v.posti[0],
                "la stazione finisce a " + n(posta.valore_b) +
                    " m: i codici di avviso che cadrebbero nella cella 1 o "
                    "prima non sono scritti");
    }
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
  // What a check remembers: the line of each train value.
  std::map<source::record, std::int32_t> righe_valori_;
};

}  // namespace

void leggi_treno(lettura_condivisa& c, const sorgente& f, std::string nome,
                 std::string nome_linea) {
  lettura_treno t(c, std::move(nome), std::move(nome_linea));
  t.leggi(f);
}

}  // namespace compiler
