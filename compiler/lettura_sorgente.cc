// Rows, values and faults of one source file.
#include "compiler/lettura_sorgente.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "compiler/griglia.h"
#include "compiler/guasti.h"

namespace {

// Comment fields skipped in a row of the feature part or the train file.
constexpr int commenti_righe = 2;

std::int32_t stretto(std::int64_t v) {
  return static_cast<std::int32_t>(
      std::clamp<std::int64_t>(v, 0, std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

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
    c_.s.motivo_errore = f.motivo;
    guasto_file(guasto::lettura);
    return false;
  }
  campi_ = lettore_campi(f.byte);
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
  if (!prendi_campo()) return passo::ferma;
  if (a_fine()) return std::nullopt;
  for (int i = 0; i < commenti_righe && contiene(campo_, "-"); ++i) {
    if (!prendi_campo()) return passo::ferma;
    if (a_fine()) return std::nullopt;
  }
  return passo::avanti;
}

bool lettura_sorgente::leggi(const tipo_record& r, std::size_t da,
                             std::size_t a, valori_riga& v) {
  for (std::size_t i = da; i < a; ++i) {
    if (r.valori[i] == larghezza::testo) {
      const std::optional<std::string_view> t = campi_.testo();
      v.posti[i] = campi_.ultimo();
      if (!t) {
        guasto(guasto::lettura, v.posti[i], std::string(motivo_fine_file));
        return false;
      }
      v.testo = *t;
      continue;
    }
    const std::optional<std::int32_t> n = campi_.numero(r.valori[i]);
    v.posti[i] = campi_.ultimo();
    if (!n) {
      const posto_token& t = v.posti[i];
      guasto(guasto::lettura, t,
             t.fine_file ? std::string(motivo_fine_file)
                         : motivo_valore(campi_.testo_token(t), r.valori[i]));
      return false;
    }
    v.n[i] = *n;
  }
  return true;
}

void lettura_sorgente::segna(std::int32_t codice, const posto_token& dove,
                             std::string dettaglio) {
  scenario& s = c_.s;
  s.codice_errore = codice;
  s.file_errore = nome_;
  s.riga_errore = stretto(campi_.riga_campo());
  s.campo_errore.riga = stretto(dove.riga);
  s.campo_errore.colonna = stretto(dove.colonna());
  s.campo_errore.larghezza = stretto(static_cast<std::int64_t>(dove.lunghezza));
  s.campo_errore.testo_riga.assign(campi_.testo_riga(dove));
  s.dettaglio_errore = std::move(dettaglio);
}

void lettura_sorgente::elimina_questo() {
  (di_linea_ ? c_.elimina.linea : c_.elimina.treno) = true;
}

// Fault 25 deletes both sources; every other fault the file being read.
void lettura_sorgente::elimina_per(std::int32_t codice) {
  elimina_questo();
  if (codice == guasto::lettura) {
    c_.elimina.linea = true;
    c_.elimina.treno = true;
  }
}

passo lettura_sorgente::guasto(std::int32_t codice, const posto_token& dove,
                               std::string dettaglio) {
  segna(codice, dove, std::move(dettaglio));
  elimina_per(codice);
  return passo::ferma;
}

passo lettura_sorgente::guasto(std::int32_t codice, std::int64_t posizione,
                               const posto_token& dove, std::string dettaglio) {
  c_.s.posizione_errore = static_cast<std::int32_t>(posizione);
  return guasto(codice, dove, std::move(dettaglio));
}

void lettura_sorgente::manca(std::int32_t codice) {
  scenario& s = c_.s;
  s.codice_errore = codice;
  s.file_errore = nome_;
  s.riga_errore = 0;
  s.campo_errore = {};
  s.dettaglio_errore.clear();
}

void lettura_sorgente::guasto_file(std::int32_t codice, std::string dettaglio) {
  manca(codice);
  c_.s.dettaglio_errore = std::move(dettaglio);
  elimina_per(codice);
}

passo lettura_sorgente::fuori(std::int64_t posizione, const posto_token& dove,
                              std::string dettaglio) {
  c_.s.posizione_errore = static_cast<std::int32_t>(posizione);
  segna(guasto::fuori_griglia, dove, std::move(dettaglio));
  return passo::fine_file;
}
