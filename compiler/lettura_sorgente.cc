// Rows, values and faults of one source file.
#include "compiler/lettura_sorgente.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "compiler/arrotonda.h"
#include "compiler/griglia.h"
#include "compiler/guasti.h"

namespace compiler {

namespace {

std::int32_t stretto(std::int64_t v) {
  return static_cast<std::int32_t>(
      std::clamp<std::int64_t>(v, 0, std::numeric_limits<std::int32_t>::max()));
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
  return "la cella " + std::to_string(indice) + " è già occupata da " +
         std::string(nome_tipo_cella(occupante.tipo_cella));
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
  campi_ = source::lettore_campi(f.byte);
  return true;
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

std::optional<passo> lettura_sorgente::prossima_riga() {
  if (a_fine()) return std::nullopt;
  if (!prendi_campo()) return dopo_guasto();
  if (a_fine()) return ultimo_campo();
  for (int i = 0; i < commenti_righe && source::contiene(campo_, "-"); ++i) {
    if (!prendi_campo()) return dopo_guasto();
    if (a_fine()) return ultimo_campo();
  }
  return passo::avanti;
}

std::nullopt_t lettura_sorgente::ultimo_campo() {
  if (in_verifica() && !campo_.empty() && !intestazione(campo_)) {
    avviso(posto_campo_,
           "l'ultimo campo del file non viene mai letto: " +
               source::tra_apici(campo_) +
               " è ignorato (il file finisce di solito con \"[fine]\")");
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
  std::string testo = "riga non riconosciuta: " + source::tra_apici(campo_);
  if (const auto vicina = parola_vicina(campo_, parte)) {
    testo += " (forse " + source::tra_apici(*vicina) + "?)";
  }
  avviso(posto_campo_, std::move(testo) + ", la riga è ignorata");
}

bool lettura_sorgente::leggi(const source::tipo_record& r, std::size_t da,
                             std::size_t a, valori_riga& v) {
  for (std::size_t i = da; i < a; ++i) {
    if (r.valori[i] == source::larghezza::testo) {
      const std::optional<std::string_view> t = campi_.testo();
      v.posti[i] = campi_.ultimo();
      if (!t) {
        guasto(guasto::lettura, v.posti[i],
               std::string(source::motivo_fine_file));
        return false;
      }
      v.testo = *t;
      continue;
    }
    const std::optional<std::int32_t> n = campi_.numero(r.valori[i]);
    v.posti[i] = campi_.ultimo();
    if (!n) {
      const source::posto_token& t = v.posti[i];
      guasto(guasto::lettura, t,
             t.fine_file
                 ? std::string(source::motivo_fine_file)
                 : source::motivo_valore(campi_.testo_token(t), r.valori[i]));
      return false;
    }
    v.n[i] = *n;
  }
  return true;
}

campo_sorgente lettura_sorgente::campo_di(
    const source::posto_token& dove) const {
  campo_sorgente c;
  c.riga = stretto(dove.riga);
  c.colonna = stretto(dove.colonna());
  c.larghezza = stretto(static_cast<std::int64_t>(dove.lunghezza));
  c.testo_riga.assign(campi_.testo_riga(dove));
  return c;
}

luogo_sorgente lettura_sorgente::luogo(const source::posto_token& dove) const {
  return {nome_, stretto(campi_.riga_campo()), campo_di(dove)};
}

void lettura_sorgente::segna(std::int32_t codice,
                             const source::posto_token& dove,
                             std::string dettaglio) {
  scenario& s = c_.s;
  s.codice_errore = codice;
  diagnosi d = guasto_senza_luogo(codice, s.posizione_errore);
  d.luogo = luogo(dove);
  d.messaggio = std::move(dettaglio);
  c_.guasto = std::move(d);
}

void lettura_sorgente::raccogli() {
  if (!in_verifica()) return;
  if (c_.guasto) c_.verifica->trovate.push_back(std::move(*c_.guasto));
  c_.guasto.reset();
  azzera_guasto(c_.s);
}

void lettura_sorgente::avviso(const source::posto_token& dove,
                              std::string testo) {
  if (!in_verifica()) return;
  avviso(luogo(dove), std::move(testo));
}

void lettura_sorgente::avviso(luogo_sorgente dove, std::string testo) {
  if (!in_verifica()) return;
  diagnosi d;
  d.luogo = std::move(dove);
  d.messaggio = std::move(testo);
  c_.verifica->trovate.push_back(std::move(d));
}

void lettura_sorgente::avviso_riempimento(const riempimento& r, std::int64_t c,
                                          const source::posto_token& dove) {
  if (!in_verifica()) return;
  // Where the row's value will start: the fill writes at least one cell of
  // the previous value at the running index.
  const std::int64_t inizio = c > 0 ? std::max(c, r.indice + 1) : r.indice;
  const std::int64_t atteso = std::max<std::int64_t>(c, 0);
  if (inizio == atteso) return;
  avviso(dove, "la riga sta nella cella " + std::to_string(atteso) +
                   ", ma le righe prima hanno già riempito fino alla cella " +
                   std::to_string(r.indice - 1) +
                   ": il suo valore parte dalla cella " +
                   std::to_string(inizio));
}

void lettura_sorgente::avviso_oltre_percorso(std::int64_t p,
                                             std::int64_t margine,
                                             const source::posto_token& dove) {
  if (!in_verifica()) return;
  const std::int64_t l = c_.s.tabella_dati[voce_totali].valore_b;
  if (p <= l) return;
  const std::int64_t ultima = static_cast<std::int64_t>(c_.s.celle.size()) - 1;
  avviso(dove, std::to_string(p) + " m è oltre la fine del percorso (" +
                   std::to_string(l) + " m): la griglia lo accetta fino a " +
                   std::to_string(ultima * metri_cella - margine) + " m");
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
