// The reader's machinery for one source file, shared by the line file and
// the train file: rows read as a keyword field and values of given widths,
// comment fields skipped, and every fault stored with the field it points
// at. Internal to the reader (lettore.cc, lettore_linea.cc,
// lettore_treno.cc).
#ifndef COMPILER_LETTURA_SORGENTE_H_
#define COMPILER_LETTURA_SORGENTE_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "compiler/lettore.h"
#include "compiler/scenario.h"
#include "source/campi.h"
#include "source/record.h"

// What a row leaves the reading loop to do next.
enum class passo {
  avanti,     // next test, then next row
  fine_file,  // fault 15 stored: go to the file's end-of-file step
  ferma,      // hard fault stored: stop reading
};

// The values of one row as read, in file order, with where each stood; at
// most 17 (a station).
struct valori_riga {
  static constexpr std::size_t massimo = 17;
  std::array<std::int32_t, massimo> n{};
  std::array<posto_token, massimo> posti{};
  std::string_view testo;
};

// What both files share while they are read.
struct lettura_condivisa {
  scenario& s;
  sorgenti_da_eliminare elimina;
  // Next free slot for a board text; board texts fill the table from slot
  // 80 down and stations from slot 1 up.
  std::int64_t cartello_libero = static_cast<std::int64_t>(primo_cartello);
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
  // has begun to read it.
  // REQUIRES: f.s != sorgente::stato::assente, or the caller reports it.
  bool apri(const sorgente& f);

  bool a_fine() const { return campi_.fine(); }

  // The next keyword field; at end of file, fault 25 (false).
  bool prendi_campo();
  std::string_view campo() const { return campo_; }
  const posto_token& posto_campo() const { return posto_campo_; }

  // The next row of the feature part or of the train file: its keyword
  // field, with up to two comment fields skipped. nullopt at end of file
  // (the file's last field is never a row); passo::ferma after fault 25.
  std::optional<passo> prossima_riga();

  // Values da .. a-1 of record r, at their widths; a bad value is fault 25
  // pointing at it (false).
  bool leggi(const tipo_record& r, std::size_t da, std::size_t a,
             valori_riga& v);
  bool leggi(const tipo_record& r, valori_riga& v) {
    return leggi(r, 0, r.valori.size(), v);
  }

  // A fault of the current row at the field `dove`; every number but 15
  // stops the reading.
  passo guasto(std::int32_t codice, const posto_token& dove,
               std::string dettaglio = {});
  passo guasto(std::int32_t codice, std::int64_t posizione,
               const posto_token& dove, std::string dettaglio = {});
  // A fault of the file as a whole, with no row to point at.
  void guasto_file(std::int32_t codice, std::string dettaglio = {});
  // The file is not there: the fault names it, and nothing is deleted.
  void manca(std::int32_t codice);
  // Fault 15 at `dove`: the reading of this file ends at its end-of-file
  // step and goes on with the next file.
  passo fuori(std::int64_t posizione, const posto_token& dove,
              std::string dettaglio);
  // After a placement call: when the routine stored a fault (or one is
  // pending), the row's position goes with it, `dettaglio()` says what was
  // in the way, and the reading stops.
  template <class F>
  passo dopo_posa(std::int64_t posizione, const posto_token& dove,
                  F&& dettaglio) {
    if (c_.s.codice_errore <= 0) return passo::avanti;
    c_.s.posizione_errore = static_cast<std::int32_t>(posizione);
    segna(c_.s.codice_errore, dove, dettaglio());
    elimina_questo();
    return passo::ferma;
  }

  // A fault that a step stored itself, number and position: where it was
  // found.
  void segna_presente(const posto_token& dove, std::string dettaglio) {
    segna(c_.s.codice_errore, dove, std::move(dettaglio));
  }
  // The compile deletes this source.
  void elimina_questo();

  lettura_condivisa& condivisa() { return c_; }
  const lettura_condivisa& condivisa() const { return c_; }
  scenario& s() { return c_.s; }

 private:
  void segna(std::int32_t codice, const posto_token& dove,
             std::string dettaglio);
  void elimina_per(std::int32_t codice);

  lettura_condivisa& c_;
  const std::string nome_;
  const bool di_linea_;
  lettore_campi campi_{std::string_view()};
  std::string_view campo_;
  posto_token posto_campo_;
};

// Texts that say what a field held, for the faults that point at it.
std::string testo_non_multiplo(std::int64_t valore, std::int64_t passo);
// A position beyond the grid: at most `massimo` metres are accepted.
std::string testo_oltre(std::int64_t posizione, std::int64_t massimo);
// A position whose cell falls before cell 0.
std::string testo_prima(std::int64_t posizione, std::int64_t indice);
// Cell `indice` is taken by `occupante`.
std::string testo_occupata(std::int64_t indice, const cella& occupante);

// The two files, each read up to its end-of-file step. leggi_linea returns
// false when a fault stopped the reading.
bool leggi_linea(lettura_condivisa& c, const sorgente& f, std::string nome);
void leggi_treno(lettura_condivisa& c, const sorgente& f, std::string nome,
                 std::string nome_linea);

#endif  // COMPILER_LETTURA_SORGENTE_H_
