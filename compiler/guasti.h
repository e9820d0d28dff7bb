// The fault numbers of the compile, frozen in one table: each number with
// whether a position in metres goes with it and what it means. The reader,
// placement, the finishing pass and the stamps store these numbers; the
// report and the fuzz target read the table.
#ifndef COMPILER_GUASTI_H_
#define COMPILER_GUASTI_H_

#include <cstdint>
#include <span>
#include <string_view>

#include "source/record.h"

namespace compiler {

// Authors and their tools see these numbers: DO NOT CHANGE THESE VALUES.
namespace guasto {
inline constexpr std::int32_t lunghezza_percorso = 1;
inline constexpr std::int32_t progressive = 2;
inline constexpr std::int32_t inizio_ripetizione = 3;
inline constexpr std::int32_t fine_ripetizione = 4;
inline constexpr std::int32_t codici_ripetizione = 5;
inline constexpr std::int32_t cartello_occupato = 6;
inline constexpr std::int32_t abbattimento_occupato = 7;
inline constexpr std::int32_t posizione_stazione = 8;
inline constexpr std::int32_t lunghezza_stazione = 9;
inline constexpr std::int32_t tabella_piena = 10;
inline constexpr std::int32_t segnale_prima_dell_avviso = 11;
inline constexpr std::int32_t fascia_occupata = 12;
inline constexpr std::int32_t segno_interno = 13;
inline constexpr std::int32_t fuori_griglia = 15;
inline constexpr std::int32_t segnale_occupato = 16;
inline constexpr std::int32_t avviso_occupato = 17;
inline constexpr std::int32_t inizio_occupato = 18;
inline constexpr std::int32_t fine_occupata = 19;
inline constexpr std::int32_t conto_occupato = 20;
inline constexpr std::int32_t indicatore_occupato = 21;
inline constexpr std::int32_t distanza_stazioni = 22;
inline constexpr std::int32_t fermata_stazione = 24;
inline constexpr std::int32_t lettura = 25;
inline constexpr std::int32_t manca_linea = 101;
inline constexpr std::int32_t manca_generale = 102;
inline constexpr std::int32_t curva = 103;
inline constexpr std::int32_t timbro_1250 = 1250;
inline constexpr std::int32_t timbro_1251 = 1251;
}  // namespace guasto

// Which sources a compile that meets the fault deletes: none (the line
// source is missing), the one being read, or both.
enum class eliminazione { nessuna, questa, entrambe };

// What the compile does after storing the fault: stop reading; end the file
// being read and go on with the next (the train file after the line file);
// or go on, as the finishing pass does, a later fault replacing it.
enum class seguito { ferma_lettura, fine_file, prosegue };

// Everything a fault does, in one place: the reader, the report, the check,
// the exit status and the fuzz targets read this and list no number of
// their own.
struct voce_guasto {
  std::int32_t numero;
  bool con_posizione;            // posizione_errore goes with the number
  std::string_view significato;  // one Italian sentence
  // The rows that can give it, for the authors' reference; none: it
  // concerns the file as a whole.
  std::span<const source::record> righe;
  eliminazione elimina = eliminazione::questa;
  seguito dopo = seguito::ferma_lettura;
  // Its message is what the field held (a value, a keyword), not the
  // sentence above.
  bool testo_del_campo = false;
  // A file that is not there, not a fault in a file's content: exit
  // status 3. (A source that exists but cannot be read is fault 25 with
  // the system's reason, a file fault too: see diagnosi.h.)
  bool di_file = false;
  // Shown at once in the message box, which ends the run.
  bool in_finestra = false;
};

// Every number the compile can store, in rising order.
std::span<const voce_guasto> tabella_guasti();

// The entry of `numero`; nullptr for a number the compile never stores.
const voce_guasto* cerca_guasto(std::int32_t numero);

// The meaning of `numero`, or a general sentence for a number the table
// does not hold.
std::string_view significato_guasto(std::int32_t numero);

}  // namespace compiler

#endif  // COMPILER_GUASTI_H_
