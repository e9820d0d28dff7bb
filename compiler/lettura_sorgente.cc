// Rows, values and faults of one source file.
#include "compiler/lettura_sorgente.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <utility>

#include "compiler/arrotonda.h"
#include "compiler/avvisi.h"
#include "compiler/griglia.h"
#include "compiler/guasti.h"
#include "source/cp1252.h"
#include "source/testo_utf8.h"

namespace compiler {

namespace {

// Which part's rows a keyword field belongs to, when not to `parte`.
std::optional<std::pair<source::record, parte_sorgente>> di_altra_parte(
    std::string_view campo, parte_sorgente parte) {
  const std::pair<std::span<const source::tipo_record>, parte_sorgente>
      tabelle[] = {
          {source::record_generali(), parte_sorgente::generale},
          {source::record_caratteristiche(), parte_sorgente::caratteristiche},
          {source::record_treno(), parte_sorgente::treno},
      };
  for (const auto& [tabella, p] : tabelle) {
    if (p == parte) continue;
    for (const source::tipo_record& r : tabella) {
      if (source::riconosce(r, campo)) return std::pair{r.kind, p};
    }
  }
  return std::nullopt;
}

}  // namespace

bool intestazione(std::string_view campo) {
  return campo.starts_with('[') && campo.ends_with(']');
}

std::string testo_non_multiplo(std::int64_t valore, std::int64_t passo) {
  return std::to_string(valore) + " non è multiplo di " + std::to_string(passo);
}

std::string testo_oltre(std::int64_t posizione, std::int64_t massimo) {
  return std::to_string(posizione) + " m è oltre la griglia: al massimo " +
         std::to_string(massimo) + " m";
}

std::string testo_prima(std::int64_t posizione, std::int64_t indice) {
  return std::to_string(posizione) + " m cadrebbe nella cella " +
         std::to_string(indice) + ", prima della cella 0";
}

std::string testo_occupata(std::int64_t indice, const cella& occupante) {
  return "la cella " + std::to_string(indice) + " è già occupata " +
         da_articolato(nome_tipo_cella(occupante.tipo_cella));
}

void riempi(lettura_sorgente& f, griglia& g, riempimento& r, std::int64_t c,
            const source::posto_token& dove, std::int64_t tetto,
            std::uint8_t valore, std::uint8_t cella::*campo) {
  const std::int64_t riempito = r.indice - 1;
  if (c > 0) r.fino_a(g, c, tetto, valore, campo);
  const std::int64_t atteso = std::max<std::int64_t>(c, 0);
  if (r.indice != atteso) {
    f.avviso(dove, avviso_riempimento(atteso, riempito, r.indice));
  }
}

lettura_sorgente::lettura_sorgente(lettura_condivisa& c, std::string nome,
                                   bool di_linea)
    : c_(c), nome_(std::move(nome)), di_linea_(di_linea) {}

bool lettura_sorgente::apri(const sorgente& f) {
  elimina_questo();
  if (f.s != sorgente::stato::letta) {
    guasto_file(guasto::lettura, {}, std::string(f.motivo));
    return false;
  }
  byte_ = f.byte;
  campi_ = source::lettore_campi(f.byte);
  if (in_verifica()) avviso_utf8(f.byte);
  return true;
}

void lettura_sorgente::avviso_utf8(std::string_view b) {
  // A byte above 0x7f that starts no sequence means a single-byte file.
  std::int64_t righe = 0;
  std::int64_t riga = 1;
  std::int64_t ultima_contata = 0;
  std::optional<source::posto_token> prima;
  std::size_t inizio_riga = 0;
  for (std::size_t i = 0; i < b.size(); ++i) {
    const auto c = static_cast<unsigned char>(b[i]);
    // Line ends as the field reader counts them: CR LF, CR or LF.
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < b.size() && b[i + 1] == '\n') ++i;
      ++riga;
      inizio_riga = i + 1;
      continue;
    }
    if (c < 0x80) continue;
    const std::optional<source::carattere_utf8> u =
        source::leggi_utf8(b.substr(i));
    if (!u) return;
    const std::size_t n = u->lunghezza;
    if (riga != ultima_contata) {
      ++righe;
      ultima_contata = riga;
    }
    if (!prima) {
      // The word around it, as far as blanks, commas and line ends.
      auto separa = [](char x) {
        return x == ' ' || x == '\t' || x == ',' || x == '\r' || x == '\n';
      };
      std::size_t da = i;
      while (da > inizio_riga && !separa(b[da - 1])) --da;
      std::size_t a = i + n;
      while (a < b.size() && !separa(b[a])) ++a;
      prima = source::posto_token{da, a - da, inizio_riga, riga, false};
    }
    i += n - 1;
  }
  if (!prima) return;
  const std::string_view parola = b.substr(prima->inizio, prima->lunghezza);
  // As the author meant it: the bytes are UTF-8 already.
  std::string inteso = "'";
  for (char x : parola) {
    inteso += source::larghezza_visibile(x) == 1
                  ? std::string(1, x)
                  : source::da_cp1252_visibile(std::string_view(&x, 1));
  }
  inteso += "'";
  diagnosi d;
  d.luogo = {nome_, static_cast<std::int32_t>(prima->riga),
             campo_di(byte_, *prima)};
  d.messaggio = compiler::avviso_utf8(inteso, source::tra_apici(parola), righe);
  c_.verifica->aggiungi(std::move(d));
}

bool lettura_sorgente::prendi_campo() {
  const std::optional<std::string_view> c = campi_.campo();
  if (!c) {
    guasto(guasto::lettura, campi_.ultimo(), "manca un campo: fine del file");
    return false;
  }
  campo_ = *c;
  posto_campo_ = campi_.ultimo();
  return true;
}

bool lettura_sorgente::salta_commenti(int quanti, bool ferma_a_fine) {
  dopo_commento_.reset();
  for (int i = 0; i < quanti && source::contiene(campo_, "-"); ++i) {
    const source::posto_token commento = posto_campo_;
    if (!prendi_campo()) return false;
    // A field on the comment's own line came after its comma.
    if (posto_campo_.riga == commento.riga) {
      dopo_commento_ = commento;
    } else {
      dopo_commento_.reset();
    }
    if (ferma_a_fine && a_fine()) return true;
  }
  return true;
}

std::optional<passo> lettura_sorgente::prossima_riga() {
  seguito_.reset();
  if (a_fine()) return std::nullopt;
  if (!prendi_campo()) return dopo_guasto();
  if (a_fine()) return ultimo_campo();
  if (!salta_commenti(commenti_righe, /*ferma_a_fine=*/true)) {
    return dopo_guasto();
  }
  if (a_fine()) return ultimo_campo();
  return passo::avanti;
}

void lettura_sorgente::riga_riconosciuta() {
  if (!dopo_commento_ || !in_verifica()) return;
  avviso(*dopo_commento_,
         avviso_commento_con_virgola(source::tra_apici(campo_)));
}

std::nullopt_t lettura_sorgente::ultimo_campo() {
  if (in_verifica() && !campo_.empty() && !intestazione(campo_)) {
    avviso(posto_campo_, "l'ultimo campo del file non viene mai letto: " +
                             source::tra_apici(campo_) +
                             " è ignorato (il file finisce di solito con "
                             "\"[fine]\")");
  }
  return std::nullopt;
}

void lettura_sorgente::non_riconosciuta(parte_sorgente parte) {
  if (!in_verifica() || campo_.empty() || intestazione(campo_)) return;
  const std::int64_t riga = posto_campo_.riga;
  if (!campi_.a_inizio_riga(posto_campo_)) {
    // The rest of a line already reported, or the values of a comment line,
    // which are read as fields too: that is what a comment line is for.
    const std::string_view testo = campi_.testo_riga(posto_campo_);
    if (riga == riga_segnalata_ ||
        source::contiene(testo.substr(0, testo.find(',')), "-")) {
      return;
    }
    riga_segnalata_ = riga;
    avviso(posto_campo_, "valore in più: " + source::tra_apici(campo_) +
                             " è letto come parola chiave e ignorato");
    return;
  }
  riga_segnalata_ = riga;
  if (source::contiene(campo_, "-")) {
    avviso(
        posto_campo_,
        "commento letto come parola chiave: se ne saltano al massimo " +
            std::to_string(parte == parte_sorgente::generale ? commenti_generali
                                                             : commenti_righe) +
            " di seguito; la riga è ignorata");
    return;
  }
  if (const auto altra = di_altra_parte(campo_, parte)) {
    const auto [kind, p] = *altra;
    const bool stesso_file =
        (p == parte_sorgente::treno) == (parte == parte_sorgente::treno);
    if (stesso_file) {
      // Counted, and told once per record at the end of the file.
      auto [voce, nuova] = fuori_parte_.try_emplace(kind);
      if (nuova) {
        voce->second.prima = posto_campo_;
        voce->second.parte = parte;
      }
      ++voce->second.quante;
      return;
    }
    avviso(posto_campo_,
           source::tra_apici(campo_) + " è una riga del file " +
               (p == parte_sorgente::treno ? "del treno" : "della linea") +
               ": qui è ignorata");
    return;
  }
  std::string testo = "riga non riconosciuta: " + source::tra_apici(campo_);
  if (const auto vicina = parola_vicina(campo_, parte)) {
    testo += " (forse " + source::tra_apici(*vicina) + "?)";
  }
  avviso(posto_campo_, std::move(testo) + ", la riga è ignorata");
}

void lettura_sorgente::chiudi() {
  if (!in_verifica()) return;
  std::vector<std::pair<source::record, fuori_parte>> tutte(
      fuori_parte_.begin(), fuori_parte_.end());
  std::sort(tutte.begin(), tutte.end(), [](const auto& a, const auto& b) {
    return a.second.prima.inizio < b.second.prima.inizio;
  });
  for (const auto& [kind, f] : tutte) {
    const bool in_generale = f.parte == parte_sorgente::generale;
    avviso(
        luogo_sorgente{nome_, static_cast<std::int32_t>(f.prima.riga),
                       campo_di(byte_, f.prima)},
        avviso_fuori_parte(source::intestazione_di(kind), f.quante,
                           source::parola_di(kind), f.prima.riga, in_generale));
  }
  fuori_parte_.clear();
}

source::posto_token lettura_sorgente::fine_della_riga() const {
  const std::string_view riga = campi_.testo_riga(posto_campo_);
  return {posto_campo_.inizio_riga + riga.size(), 0, posto_campo_.inizio_riga,
          posto_campo_.riga, false};
}

bool lettura_sorgente::leggi(const source::tipo_record& r, std::size_t da,
                             std::size_t a, valori_riga& v) {
  const std::int64_t riga = campi_.riga_campo();
  for (std::size_t i = da; i < a; ++i) {
    std::optional<std::int32_t> n;
    std::optional<std::string_view> t;
    const bool testo = r.valori[i] == source::larghezza::testo;
    if (testo) {
      t = campi_.testo();
    } else {
      n = campi_.numero(r.valori[i]);
    }
    const source::posto_token& posto = campi_.ultimo();
    v.posti[i] = posto;
    const bool letto = testo ? t.has_value() : n.has_value();
    // A value from a later line than its row: the row fell short there.
    if (posto.riga > riga && !seguito_) {
      seguito_ = posto;
      letti_sulla_riga_ = i;
    }
    if (!letto) {
      std::string motivo =
          posto.fine_file || testo
              ? std::string(source::motivo_fine_file)
              : source::motivo_valore(campi_.testo_token(posto), r.valori[i]);
      if (seguito_) {
        // Reported at the row that fell short, with the row it read from.
        const std::int64_t da_riga = seguito_->riga;
        std::string corta = "manca un valore: la riga " + std::to_string(riga) +
                            " ha " + std::to_string(letti_sulla_riga_) +
                            (letti_sulla_riga_ == 1 ? " valore" : " valori") +
                            " su " + std::to_string(r.valori.size());
        if (posto.fine_file) {
          corta += " e il file finisce";
        } else {
          corta += "; il valore seguente è stato letto dalla riga " +
                   std::to_string(da_riga) + ": " + motivo;
          note_.push_back({luogo(*seguito_), "il valore seguente della riga " +
                                                 std::to_string(riga) +
                                                 " è stato letto da qui"});
        }
        guasto(guasto::lettura, fine_della_riga(), std::move(corta));
        return false;
      }
      guasto(guasto::lettura, posto, std::move(motivo));
      return false;
    }
    if (testo) {
      v.testo = *t;
    } else {
      v.n[i] = *n;
    }
  }
  // A row after a comment's comma has its own warning, on the comment.
  if (a == r.valori.size() && seguito_ && !dopo_commento_ && in_verifica()) {
    diagnosi d;
    d.luogo = luogo(fine_della_riga());
    d.messaggio = avviso_riga_corta(riga, letti_sulla_riga_, r.valori.size(),
                                    seguito_->riga);
    d.note.push_back({luogo(*seguito_), "il valore seguente è letto da qui"});
    c_.verifica->aggiungi(std::move(d));
  }
  return true;
}

luogo_sorgente lettura_sorgente::luogo(const source::posto_token& dove) const {
  // A field on an earlier line than the current row (a section header)
  // is a row of its own.
  const std::int64_t riga =
      std::min<std::int64_t>(campi_.riga_campo(), dove.riga);
  return {nome_,
          static_cast<std::int32_t>(std::clamp<std::int64_t>(
              riga, 0, std::numeric_limits<std::int32_t>::max())),
          campo_di(byte_, dove)};
}

void lettura_sorgente::segna(std::int32_t codice,
                             const source::posto_token& dove,
                             std::string dettaglio) {
  scenario& s = c_.s;
  s.codice_errore = codice;
  diagnosi d = guasto_senza_luogo(codice, s.posizione_errore);
  d.luogo = luogo(dove);
  d.messaggio = std::move(dettaglio);
  d.note = std::move(note_);
  note_.clear();
  if (dopo_commento_) {
    d.note.push_back({luogo(*dopo_commento_),
                      "la riga è il seguito del commento, dopo la sua "
                      "virgola"});
  }
  c_.guasto = std::move(d);
}

void lettura_sorgente::raccogli() {
  if (!in_verifica()) return;
  if (c_.guasto) c_.verifica->aggiungi(std::move(*c_.guasto));
  c_.guasto.reset();
  azzera_guasto(c_.s);
}

void lettura_sorgente::avviso(const source::posto_token& dove,
                              std::string testo) {
  if (!in_verifica()) return;
  avviso(luogo(dove), std::move(testo));
}

void lettura_sorgente::avviso(luogo_sorgente dove, std::string testo,
                              std::vector<nota_diagnosi> note) {
  if (!in_verifica()) return;
  diagnosi d;
  d.luogo = std::move(dove);
  d.messaggio = std::move(testo);
  d.note = std::move(note);
  c_.verifica->aggiungi(std::move(d));
}

void lettura_sorgente::avviso_oltre_percorso(std::int64_t p,
                                             std::int64_t margine,
                                             const source::posto_token& dove,
                                             std::string_view cosa) {
  if (!in_verifica()) return;
  const std::int64_t l = c_.s.tabella_dati[voce_totali].valore_b;
  if (p <= l) return;
  const std::int64_t ultima = static_cast<std::int64_t>(c_.s.celle.size()) - 1;
  avviso(dove, compiler::avviso_oltre_percorso(cosa, p, l,
                                               ultima * metri_cella - margine));
}

void lettura_sorgente::avviso_file(std::string testo) {
  if (!in_verifica()) return;
  avviso(luogo_sorgente{nome_, 0, {}}, std::move(testo));
}

void lettura_sorgente::elimina_questo() {
  (di_linea_ ? c_.elimina.linea : c_.elimina.treno) = true;
}

void lettura_sorgente::elimina_per(std::int32_t codice) {
  const voce_guasto* g = cerca_guasto(codice);
  switch (g != nullptr ? g->elimina : eliminazione::questa) {
    case eliminazione::nessuna:
      break;
    case eliminazione::entrambe:
      c_.elimina.linea = true;
      c_.elimina.treno = true;
      break;
    case eliminazione::questa:
      elimina_questo();
      break;
  }
}

passo lettura_sorgente::guasto(std::int32_t codice,
                               const source::posto_token& dove,
                               std::string dettaglio) {
  segna(codice, dove, std::move(dettaglio));
  elimina_per(codice);
  raccogli();
  return dopo_guasto();
}

passo lettura_sorgente::guasto(std::int32_t codice, std::int64_t posizione,
                               const source::posto_token& dove,
                               std::string dettaglio) {
  c_.s.posizione_errore = static_cast<std::int32_t>(posizione);
  return guasto(codice, dove, std::move(dettaglio));
}

void lettura_sorgente::segna_file(std::int32_t codice, std::string dettaglio,
                                  std::string motivo) {
  scenario& s = c_.s;
  s.codice_errore = codice;
  diagnosi d = guasto_senza_luogo(codice, s.posizione_errore);
  d.luogo.file = nome_;
  d.messaggio = std::move(dettaglio);
  d.motivo = std::move(motivo);
  c_.guasto = std::move(d);
}

void lettura_sorgente::manca(std::int32_t codice) {
  segna_file(codice, {}, {});
  elimina_per(codice);
  raccogli();
}

void lettura_sorgente::guasto_file(std::int32_t codice, std::string dettaglio,
                                   std::string motivo) {
  segna_file(codice, std::move(dettaglio), std::move(motivo));
  elimina_per(codice);
  raccogli();
}

passo lettura_sorgente::fuori(std::int64_t posizione,
                              const source::posto_token& dove,
                              std::string dettaglio) {
  c_.s.posizione_errore = static_cast<std::int32_t>(posizione);
  segna(guasto::fuori_griglia, dove, std::move(dettaglio));
  raccogli();
  return passo::fine_file;
}

}  // namespace compiler
