// The reader's machinery for one source file, shared by the line file and
// the train file: rows read as a keyword field and values of given widths,
// comment fields skipped, and every fault stored with the field it points
// at. A check uses the same machinery: it gathers the faults (and its
// warnings) instead of stopping at the first. Internal to the reader
// (lettore, lettore_linea, lettore_treno, verifica).
#ifndef COMPILER_LETTURA_SORGENTE_H_
#define COMPILER_LETTURA_SORGENTE_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "compiler/diagnosi.h"
#include "compiler/griglia.h"
#include "compiler/lettore.h"
#include "compiler/parole_vicine.h"
#include "compiler/riempimento.h"
#include "compiler/righe_lette.h"
#include "compiler/scenario.h"
#include "source/campi.h"
#include "source/record.h"

namespace compiler {

// Comment fields skipped in a row of the general part, and in a row of the
// feature part or the train file; a further one is read as a keyword.
inline constexpr int commenti_generali = 10;
inline constexpr int commenti_righe = 2;

// What a row leaves the reading loop to do next.
enum class passo {
  avanti,     // next test, then next row
  fine_file,  // fault 15 stored: go to the file's end-of-file step
  ferma,      // hard fault stored: stop reading
  salta,      // a check recorded the row's fault: on with the next line
};

// The values of one row as read, in file order, with where each stood; at
// most 17 (a station).
struct valori_riga {
  static constexpr std::size_t massimo = 17;
  std::array<std::int32_t, massimo> n{};
  std::array<source::posto_token, massimo> posti{};
  std::string_view testo;
};

// What a check gathers while the reader goes through the sources.
struct raccolta_verifica {
  std::vector<diagnosi> trovate;
  // Findings past massimo_trovate: faults and warnings.
  std::size_t guasti_tralasciati = 0;
  std::size_t avvisi_tralasciati = 0;

  void aggiungi(diagnosi d) {
    if (trovate.size() < massimo_trovate) {
      trovate.push_back(std::move(d));
    } else {
      ++(d.avviso() ? avvisi_tralasciati : guasti_tralasciati);
    }
  }
};

// What both files share while they are read.
struct lettura_condivisa {
  scenario& s;
  sorgenti_da_eliminare elimina;
  // Set for a check: faults are gathered here instead of stopping the
  // reading, and warnings too.
  raccolta_verifica* verifica = nullptr;
  // The fault stored in s.codice_errore, as the reader met it.
  std::optional<diagnosi> guasto;
  // The rows behind the model, for the faults found after the reading.
  righe_lette righe;
  // The sources being read, for a fault that points into the other one.
  const sorgenti* in = nullptr;
  // Next free slot for a board text; board texts fill the table from slot
  // 80 down and stations from slot 1 up.
  std::int64_t cartello_libero = static_cast<std::int64_t>(primo_cartello);
  // A check reports a full table once.
  bool tabella_piena_segnalata = false;
};

class lettura_sorgente {
 public:
  // `nome` is the file's name for reports; `di_linea` tells which source it
  // is, for the deletions a fault implies.
  lettura_sorgente(lettura_condivisa& c, std::string nome, bool di_linea);
  lettura_sorgente(const lettura_sorgente&) = delete;
  lettura_sorgente& operator=(const lettura_sorgente&) = delete;

  // Starts on the bytes of `f`; a file that could not be read is fault 25
  // with the system's reason (false). The compile deletes a source once it
  // has begun to read it. A check warns about a file that looks saved as
  // UTF-8.
  // REQUIRES: f.s != sorgente::stato::assente, or the caller reports it.
  bool apri(const sorgente& f);

  bool a_fine() const { return campi_.fine(); }

  // A check is under way: faults are gathered and the reading goes on.
  bool in_verifica() const { return c_.verifica != nullptr; }
  // What a row does after a fault it stored: stop, or (in a check) skip to
  // the next line.
  passo dopo_guasto() const {
    return in_verifica() ? passo::salta : passo::ferma;
  }
  // After passo::salta: the rest of the row's line goes unread.
  void salta_riga() {
    if (!campi_.a_inizio_di_riga()) campi_.salta_riga();
  }
  // In a check, a warning at `dove` (or about the whole file); nothing
  // otherwise.
  void avviso(const source::posto_token& dove, std::string testo);
  void avviso(luogo_sorgente dove, std::string testo,
              std::vector<nota_diagnosi> note = {});
  void avviso_file(std::string testo);
  // In a check: a row at p (or a feature ending at p) past the route's
  // end, which the grid's tail accepts while (p + margine) / 50 is within
  // it.
  void avviso_oltre_percorso(std::int64_t p, std::int64_t margine,
                             const source::posto_token& dove,
                             std::string_view cosa);
  // The row of the current keyword placed (or last wrote) cell c.
  void ricorda_cella(std::int64_t c, const source::posto_token& dove) {
    c_.righe.celle[c] = riferimento(dove);
  }
  // The text of slot `voce` comes from the field `dove`.
  void ricorda_testo(std::size_t voce, const source::posto_token& dove) {
    c_.righe.testi[voce] = riferimento(dove);
  }
  riferimento_riga riferimento(const source::posto_token& dove) const {
    return {di_linea_, dove, campi_.riga_campo()};
  }
  // In a check: the fault just stored in the model goes to the gathered
  // ones, and the model forgets it so that the reading goes on as if clean.
  // Nothing otherwise.
  void raccogli();
  // Where `dove` stands, in the current row.
  luogo_sorgente luogo(const source::posto_token& dove) const;
  // True when only blanks stand before the token on its line.
  bool a_inizio_riga(const source::posto_token& t) const {
    return campi_.a_inizio_riga(t);
  }

  // The next keyword field; at end of file, fault 25 (false).
  bool prendi_campo();
  std::string_view campo() const { return campo_; }
  const source::posto_token& posto_campo() const { return posto_campo_; }
  // Skips up to `quanti` comment fields (fields that hold "-") in front of
  // a keyword field, stopping at the file's last field when `ferma_a_fine`;
  // false after fault 25 at the end of the file. A field taken from the
  // same line as a comment, after its comma, is remembered: a check warns
  // when it is read as a row.
  bool salta_commenti(int quanti, bool ferma_a_fine);

  // The next row of the feature part or of the train file: its keyword
  // field, with up to two comment fields skipped. nullopt at end of file
  // (the file's last field is never a row); dopo_guasto() after fault 25.
  std::optional<passo> prossima_riga();

  // The rows of the feature part or of the train file up to the end of the
  // file: each row's keyword field is handed to `gestisci` for every record
  // of `tabella` that it matches. Returns false when a fault stopped the
  // reading, true at the end of the file or after fault 15.
  template <class F>
  bool righe(std::span<const source::tipo_record> tabella, parte_sorgente parte,
             F&& gestisci) {
    for (;;) {
      const std::optional<passo> riga = prossima_riga();
      if (!riga) return true;
      if (*riga == passo::ferma) return false;
      if (*riga == passo::salta) continue;
      bool riconosciuta = false;
      passo esito = passo::avanti;
      for (const source::tipo_record& r : tabella) {
        if (!riconosce(r, campo_)) continue;
        if (!riconosciuta) riga_riconosciuta();
        riconosciuta = true;
        esito = gestisci(r);
        if (esito != passo::avanti) break;
      }
      if (esito == passo::ferma) return false;
      if (esito == passo::fine_file) return true;
      if (esito == passo::salta) {
        salta_riga();
      } else if (!riconosciuta) {
        non_riconosciuta(parte);
      }
    }
  }
  // The current keyword field was recognised as a row: in a check, the
  // warning for a row that begins after a comment's comma.
  void riga_riconosciuta();

  // In a check, the warning for a file's last field, which no row reads.
  std::nullopt_t ultimo_campo();
  // In a check: the current keyword field matched no record of `parte`.
  void non_riconosciuta(parte_sorgente parte);
  // In a check: the warnings gathered for the file as a whole (rows of a
  // part read in another, for want of a section header).
  void chiudi();

  // Values da .. a-1 of record r, at their widths; a bad value is fault 25
  // pointing at it (false). A value read from a later line than its row's
  // keyword makes the row short: a fault of that value is reported at the
  // row that fell short, and a check warns about a short row that read on.
  bool leggi(const source::tipo_record& r, std::size_t da, std::size_t a,
             valori_riga& v);
  bool leggi(const source::tipo_record& r, valori_riga& v) {
    return leggi(r, 0, r.valori.size(), v);
  }

  // A fault of the current row at the field `dove`; every number but 15
  // stops the reading, but in a check, which records it and goes on.
  passo guasto(std::int32_t codice, const source::posto_token& dove,
               std::string dettaglio = {});
  passo guasto(std::int32_t codice, std::int64_t posizione,
               const source::posto_token& dove, std::string dettaglio = {});
  // A fault of the file as a whole, with no row to point at.
  void guasto_file(std::int32_t codice, std::string dettaglio = {},
                   std::string motivo = {});
  // The file is not there: the fault names it, and nothing is deleted.
  void manca(std::int32_t codice);
  // Fault 15 at `dove`: the reading of this file ends at its end-of-file
  // step and goes on with the next file.
  passo fuori(std::int64_t posizione, const source::posto_token& dove,
              std::string dettaglio);
  // After a placement call: when the routine stored a fault (or one is
  // pending), the row's position goes with it, `dettaglio()` says what was
  // in the way, and the reading stops.
  template <class F>
  passo dopo_posa(std::int64_t posizione, const source::posto_token& dove,
                  F&& dettaglio) {
    if (c_.s.codice_errore <= 0) return passo::avanti;
    c_.s.posizione_errore = static_cast<std::int32_t>(posizione);
    segna(c_.s.codice_errore, dove, dettaglio());
    elimina_per(c_.s.codice_errore);
    raccogli();
    return dopo_guasto();
  }

  // A fault that a step stored itself, number and position: where it was
  // found.
  void segna_presente(const source::posto_token& dove, std::string dettaglio) {
    segna(c_.s.codice_errore, dove, std::move(dettaglio));
    raccogli();
  }
  // The compile deletes this source.
  void elimina_questo();

  lettura_condivisa& condivisa() { return c_; }
  const lettura_condivisa& condivisa() const { return c_; }
  scenario& s() { return c_.s; }

 private:
  void segna(std::int32_t codice, const source::posto_token& dove,
             std::string dettaglio);
  void segna_file(std::int32_t codice, std::string dettaglio,
                  std::string motivo);
  void elimina_per(std::int32_t codice);
  // In a check: the first line of the file that holds UTF-8 sequences.
  void avviso_utf8(std::string_view byte);
  // The end of the current row's line, where a short row falls short.
  source::posto_token fine_della_riga() const;

  lettura_condivisa& c_;
  const std::string nome_;
  const bool di_linea_;
  source::lettore_campi campi_{std::string_view()};
  std::string_view byte_;
  std::string_view campo_;
  source::posto_token posto_campo_;
  // The comment whose comma the current keyword field follows.
  std::optional<source::posto_token> dopo_commento_;
  // The current row read a value from a later line: the value that did,
  // and how many values its own line held.
  std::optional<source::posto_token> seguito_;
  std::size_t letti_sulla_riga_ = 0;
  // Related rows for the next fault stored.
  std::vector<nota_diagnosi> note_;
  std::int64_t riga_segnalata_ = 0;  // a check warned about this line
  // Rows of one part read in another, by the record kind: how many, and
  // the first of them.
  struct fuori_parte {
    std::int64_t quante = 0;
    source::posto_token prima;
    parte_sorgente parte;
  };
  std::map<source::record, fuori_parte> fuori_parte_;
};

// A fill row (gradient, speed, adhesion) at cell c: the previous value up
// to c, at least one cell, never beyond `tetto`; in a check, a warning at
// `dove` when the row's own value does not start at c, because earlier
// rows already filled up to it or past it.
void riempi(lettura_sorgente& f, griglia& g, riempimento& r, std::int64_t c,
            const source::posto_token& dove, std::int64_t tetto,
            std::uint8_t valore, std::uint8_t cella::*campo);

// A section header such as "[curve]".
bool intestazione(std::string_view campo);

// Texts that say what a field held, for the faults that point at it.
std::string testo_non_multiplo(std::int64_t valore, std::int64_t passo);
// A position beyond the grid: at most `massimo` metres are accepted.
std::string testo_oltre(std::int64_t posizione, std::int64_t massimo);
// A position whose cell falls before cell 0.
std::string testo_prima(std::int64_t posizione, std::int64_t indice);
// Cell `indice` is taken by `occupante`.
std::string testo_occupata(std::int64_t indice, const cella& occupante);

// Both files, as memorizza_dati reads them; in a check (c.verifica set) the
// reading goes on past faults and gathers them with the warnings.
void leggi_sorgenti(lettura_condivisa& c, const sorgenti& in);

}  // namespace compiler

#endif  // COMPILER_LETTURA_SORGENTE_H_
