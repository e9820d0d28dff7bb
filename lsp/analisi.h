// The editor's one door to the compile and the check: the findings of the
// check of a pair of sources, in the check's own order and words, and the
// compiled model of the pair for the hover. Nothing else in the server sees
// the compiler's types.
#ifndef LSP_ANALISI_H_
#define LSP_ANALISI_H_

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lsp/struttura.h"

namespace lsp {

// How the program words a fault where it was found: the meaning of the
// number, what the field held, the position.
using significato_guasto = std::string (*)(std::int32_t numero,
                                           std::int32_t posizione,
                                           std::string_view dettaglio);

// A source as the server found it: the editor's text or the file on disk.
struct ingresso {
  enum class stato { letto, assente, illeggibile };
  stato s = stato::assente;
  std::string_view byte;    // Windows-1252, when letto
  std::string_view motivo;  // the system's reason, when illeggibile
};

// informazione: what the check left out, not a finding of its own.
enum class gravita { errore, avviso, informazione };

// A row that explains a finding, with what it has to do with it.
struct nota {
  std::string file;
  std::int32_t riga = 0;  // 1-based; with the field's column and width
  std::int32_t colonna = 0;
  std::int32_t larghezza = 0;
  std::string testo;  // UTF-8

  bool operator==(const nota&) const = default;
};

// One finding of the check.
struct segnalazione {
  std::string file;  // the source's name without folder; empty: none
  // The field it points at: 1-based line and byte column, width in bytes;
  // riga 0 for a finding about a whole file or none.
  std::int32_t riga = 0;
  std::int32_t colonna = 0;
  std::int32_t larghezza = 0;
  std::int32_t riga_record = 0;  // 1-based line of the row's keyword; 0: none
  gravita g = gravita::errore;
  std::int32_t numero = 0;  // the fault number; 0 for a warning
  std::string messaggio;    // UTF-8, as the check words it
  std::vector<nota> note;   // the related rows the check names

  bool operator==(const segnalazione&) const = default;
};

// Everything the check of route `linea` and train `treno` finds, in its
// order (the compile's fault first).
struct controllo {
  std::vector<segnalazione> trovate;   // at most massimo_trovate()
  std::size_t guasti_tralasciati = 0;  // faults and warnings past them
  std::size_t avvisi_tralasciati = 0;
};
controllo controlla(std::string_view linea, std::string_view treno,
                    const ingresso& sorgente_linea,
                    const ingresso& sorgente_treno,
                    significato_guasto significato);
// The most findings a check shows.
std::size_t massimo_trovate();

// The keyword the check suggests for a keyword field that matches no
// record of its part.
std::optional<std::string> parola_suggerita(std::string_view campo,
                                            parte_riga p);

// A cell of the compiled grid.
struct cella_compilata {
  int tipo = 0;
  std::int32_t valore1 = 0, valore2 = 0, valore3 = 0, valore4 = 0;
  int tempo_segnale = 0, avviso = 0, tipo_montagna = 0;
  int velocita_linea = 0, pendenza_linea = 0, aderenza_linea = 0;
};

// A slot of the compiled table, with what the tools show of it.
struct voce_compilata {
  int categoria = 0;
  std::int64_t valore_a = 0, valore_b = 0, valore_c = 0;
  std::string testo;  // Windows-1252, as stored
};

// The kilometre progressive at a position, from the line's references.
struct progressiva {
  std::int64_t metri = 0;
  std::size_t voce = 0;  // the slot of the reference; 0: before every start
};

// What the compile of a pair makes of it.
class modello {
 public:
  modello(std::string_view linea, std::string_view treno,
          const ingresso& sorgente_linea, const ingresso& sorgente_treno);
  ~modello();
  modello(modello&&) noexcept;
  modello& operator=(modello&&) noexcept;

  // The compile's fault (0 when it compiled): the model holds what was read
  // up to it. riga_guasto and file_guasto say where, when known.
  std::int32_t guasto() const;
  const std::string& file_guasto() const;
  std::int32_t riga_guasto() const;

  // Last index of the grid; -1 when no route length was read.
  std::int64_t ultima_cella() const;
  // REQUIRES: 0 <= i <= ultima_cella().
  cella_compilata cella(std::int64_t i) const;
  // REQUIRES: i < numero_voci().
  voce_compilata voce(std::size_t i) const;
  std::size_t numero_voci() const;
  // The slot where board texts start, counting down.
  std::size_t primo_cartello() const;

  progressiva progressiva_in(std::int64_t p) const;

 private:
  struct dati;
  std::unique_ptr<dati> d_;
};

// The compile's rules for positions and values, for the hover.
std::int64_t cella_punto(std::int64_t p);  // rnd(p / 50 + 1)
std::int64_t arrotondato(double x);        // rnd(x)
// Where cell i starts for a feature the +1 formulas place in it
// ((i - 1) * 50 m), and for the values that formulas without it start there
// (fills, mountain sections, abatement points, stops: i * 50 m).
std::int64_t inizio_elemento(std::int64_t cella);
std::int64_t inizio_valori(std::int64_t cella);
// The stop cell of a station ending at `fine`; nullopt when it has none.
std::optional<std::int64_t> cella_di_fermata(std::int64_t fine);
// The name of a cell kind, with its article ("un segnale").
std::string nome_cella(int tipo);

}  // namespace lsp

#endif  // LSP_ANALISI_H_
