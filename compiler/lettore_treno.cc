// The train source: from its first "[generale]" on, train values, speed
// limits, adhesion, signals, restrictions, abatement points and stations,
// then the end-of-file fills and the test of the kilometre references. In a
// check the same reading goes on after a fault and also warns where the
// rules silently drop or change what a row says.
#include "compiler/lettore_treno.h"

#include <algorithm>
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
#include "compiler/riempimento.h"
#include "compiler/stazione.h"
#include "source/numero.h"
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

using source::n;

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
    leggi_aperta();
    f_.chiudi();
  }

 private:
  void leggi_aperta() {
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
    // The references stand on the 50 m step as their rows typed them; the
    // ordering moved them and added 100 to some values, which keeps the
    // step.
    const righe_lette& righe = f_.condivisa().righe;
    for (std::size_t i = 0; i < 3; ++i) {
      const voce_dati& v = s_.tabella_dati[voce_progressiva_tre + i];
      if (v.valore_a % passo_progressive == 0 &&
          v.valore_b % passo_progressive == 0) {
        continue;
      }
      s_.codice_errore = guasto::progressive;
      diagnosi d = guasto_senza_luogo(guasto::progressive, 0);
      d.luogo.file = nome_linea_;
      const std::size_t da = righe.ordine.da[i];
      const std::optional<progressiva_letta>& letta =
          da >= voce_progressiva_tre
              ? righe.progressive[da - voce_progressiva_tre]
              : std::nullopt;
      if (letta && f_.condivisa().in != nullptr) {
        const bool posizione = letta->posizione % passo_progressive != 0;
        const sorgenti& in = *f_.condivisa().in;
        d.luogo = luogo_di(
            posizione ? letta->dove_posizione : letta->dove_valore,
            in.linea.byte, in.treno.byte, s_.nome_linea, s_.nome_treno);
        d.messaggio = posizione
                          ? "la posizione " + n(letta->posizione) +
                                " m non è multipla di " + n(passo_progressive)
                          : "il valore " + n(letta->valore) +
                                " m non è multiplo di " + n(passo_progressive);
      } else {
        d.messaggio = "voce " +
                      n(static_cast<std::int64_t>(voce_progressiva_tre + i)) +
                      ": posizione " + n(v.valore_a) + " m, valore " +
                      n(v.valore_b) + " m";
      }
      f_.condivisa().guasto = std::move(d);
      f_.raccogli();
    }
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
    const std::int64_t riga = f_.posto_campo().riga;
    const auto [prima, nuova] = righe_valori_.try_emplace(kind, riga);
    if (!nuova) {
      f_.avviso(f_.posto_campo(),
                avviso_ripetuta(source::tra_apici(f_.campo()), prima->second));
      prima->second = riga;
    }
  }

  // In a check: a count that cannot be negative.
  void non_negativo(std::string_view cosa, std::int64_t v,
                    const source::posto_token& dove) {
    if (v < 0) f_.avviso(dove, avviso_negativo(cosa, v));
  }
  // In a check: a value stored in 16 bits that does not fit them.
  void in_16_bit(std::string_view cosa, std::int64_t v,
                 const source::posto_token& dove) {
    if (bassi_16(v) != v) {
      f_.avviso(dove, avviso_troncato(cosa, v, bassi_16(v), "16 bit"));
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
        non_negativo("la percentuale di massa frenata", v.n[0], v.posti[0]);
        totali.valore_a = v.n[0];
        return passo::avanti;
      case source::record::vetture:
        ripetuta(r.kind);
        non_negativo("il numero di vetture", v.n[0], v.posti[0]);
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
    f_.avviso_oltre_percorso(p, margine_righe, v.posti[0], "la riga sta a ");
    switch (r.kind) {
      case source::record::velocita:
        return velocita(p, v);
      case source::record::aderenza: {
        const std::int64_t c = rnd(static_cast<double>(p) / metri_cella);
        if (bassi_8(v.n[1]) != v.n[1]) {
          f_.avviso(v.posti[1],
                    avviso_non_in_byte("l'aderenza", v.n[1], bassi_8(v.n[1])));
        }
        riempi(f_, g_, aderenza_, c, v.posti[0], g_.ultima(),
               bassi_8(aderenza_.precedente), &cella::aderenza_linea);
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
          in_16_bit("la velocità", v.n[1], v.posti[1]);
          metti_tipo(g_[c], tipo::abbattimento);
          g_[c].valore1 = bassi_16(v.n[1]);
        } else {
          metti_tipo(g_[c], tipo::abbattimento_nullo);
        }
        f_.ricorda_cella(c, v.posti[0]);
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
    const posa_segnale posa = memo_segnale(s_, d);
    const passo esito =
        f_.dopo_posa(p, v.posti[0], [&] { return ostacolo(c); });
    if (esito == passo::avanti) {
      f_.ricorda_cella(c, v.posti[0]);
      if (posa.avvisi_saltati > 0) {
        f_.avviso(v.posti[0], avviso_avvisi_segnale(posa));
      }
      if (posa.tempo_alzato) {
        f_.avviso(v.posti[10], avviso_tempo_segnale(d.tempo, posa));
      }
      if (posa.troncati != 0) {
        f_.avviso(v.posti[0],
                  avviso_campi_troncati("il segnale", posa.troncati));
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
    const std::int64_t tenuti =
        kmh_di_velocita(static_cast<std::uint8_t>(byte));
    if (tenuti != v.n[1]) {
      f_.avviso(v.posti[1], n(v.n[1]) + " km/h non è multiplo di " +
                                n(kmh_per_unita_velocita) +
                                ": le celle tengono " + n(tenuti) + " km/h");
    }
    // The speed fill keeps its own stop below the last index.
    riempi(f_, g_, velocita_, c, v.posti[0], g_.ultima() - 1,
           static_cast<std::uint8_t>(velocita_in_celle(velocita_.precedente)),
           &cella::velocita_linea);
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
    const posa_rallentamento posa = memo_rallentamento(s_, d);
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
    if (esito == passo::avanti) {
      const celle_rallentamento& k = posa.celle;
      f_.ricorda_cella(k.fine, v.posti[2]);
      f_.ricorda_cella(k.inizio, v.posti[0]);
      if (k.con_avviso) {
        f_.ricorda_cella(k.avviso, v.posti[0]);
        if (d.f_ta != 0) {
          for (std::int64_t i = 1; i <= celle_conto; ++i) {
            f_.ricorda_cella(k.avviso - i, v.posti[4]);
          }
        }
      }
      if (posa.senza_avviso_chiesto) {
        f_.avviso(v.posti[4],
                  avviso_senza_punto_di_avviso(d.x, inizio_minimo_avviso));
      }
      in_16_bit("la velocità", d.v, v.posti[1]);
      in_16_bit("il valore", d.f_tt, v.posti[3]);
      in_16_bit("il valore", d.d_v, v.posti[5]);
      f_.avviso_oltre_percorso(std::int64_t{d.x} + d.l, 0, v.posti[2],
                               "il rallentamento finisce a ");
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
    const std::int64_t tempo =
        (std::int64_t{v.n[13]} * 60 + v.n[14]) * 60 + v.n[15];
    st.valore_d = bassi_32(tempo);
    if (st.valore_d != tempo) {
      f_.avviso(v.posti[13], avviso_troncato("l'orario, in secondi,", tempo,
                                             st.valore_d, "32 bit"));
    }
    st.testo.assign(v.testo);
    const std::size_t nome = st.testo.size();
    const bool virgola = source::contiene(st.testo, ",");
    const posa_stazione posa =
        memo_stazione(s_, std::move(st), l, static_cast<std::size_t>(k_),
                      f_.condivisa().cartello_libero);
    switch (posa.esito) {
      case esito_stazione::posata:
        f_.ricorda_testo(static_cast<std::size_t>(k_), v.posti[16]);
        if (posa.cella_fermata > 0)
          f_.ricorda_cella(posa.cella_fermata, v.posti[0]);
        avvisi_stazione(posa, l, v, nome, virgola);
        ++k_;
        return passo::avanti;
      case esito_stazione::fuori_griglia:
        f_.segna_presente(v.posti[0], "la fermata cadrebbe nella cella " +
                                          n(posa.cella_fermata) +
                                          ", oltre l'ultima (" +
                                          n(g_.ultima()) + ")");
        return passo::fine_file;
      case esito_stazione::rifiutata:
        break;
    }
    // The stations after a refused one are not what the compile would have
    // placed: a check says nothing of them that follows from the refusal.
    stazione_rifiutata_ = true;
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
                      rifiuto(posa.tratto));
    return f_.dopo_guasto();
  }

  // In a check: what the station rules cleared or left out of a station
  // that was placed, as memo_stazione answered.
  void avvisi_stazione(const posa_stazione& posa, std::int64_t l,
                       const valori_riga& v, std::size_t nome, bool virgola) {
    // After a refused station the next one takes its slot, and the first
    // slot's rules with it: nothing the author would have met.
    const bool vale = !stazione_rifiutata_;
    if (vale && posa.cifra_3 != azzeramento::no) {
      f_.avviso(v.posti[4], avviso_colonna_azzerata(5, posa.cifra_3, l));
    }
    if (vale && posa.cifra_2 != azzeramento::no) {
      f_.avviso(v.posti[5], avviso_colonna_azzerata(6, posa.cifra_2, l));
    }
    if (nome > larghezza_nome_scheda) {
      f_.avviso(v.posti[16],
                "il nome è lungo " + n(static_cast<std::int64_t>(nome)) +
                    " caratteri: la scheda treno ne mostra " +
                    n(static_cast<std::int64_t>(larghezza_nome_scheda)));
    }
    if (virgola) {
      f_.avviso(v.posti[16],
                "il nome contiene una virgola, che il formato non prevede");
    }
    if (posa.avvisi_saltati > 0) {
      f_.avviso(v.posti[0], avviso_avvisi_stazione(posa));
    }
    if (posa.sovrascritta != 0) {
      f_.avviso(v.posti[0], avviso_fermata_sovrascrive(posa));
    }
    f_.avviso_oltre_percorso(posa.tratto.fine, 0, v.posti[0],
                             "la stazione finisce a ");
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
  bool stazione_rifiutata_ = false;
  // What a check remembers: the line of each train value.
  std::map<source::record, std::int64_t> righe_valori_;
};

}  // namespace

void leggi_treno(lettura_condivisa& c, const sorgente& f, std::string nome,
                 std::string nome_linea) {
  lettura_treno t(c, std::move(nome), std::move(nome_linea));
  t.leggi(f);
}

}  // namespace compiler
