// The 56 stations and stopping points of the train's run, in route order:
// the numeric columns of each station row of the train source file, its
// timetable clock and its name, shared by the train writer and the
// timetable sheet so both print the same places and times.
#ifndef CONTENT_STAZIONI_H_
#define CONTENT_STAZIONI_H_

#include <cstdint>
#include <span>
#include <string_view>

namespace content {

// One station row. The fields follow the row's columns 1 to 16, then the
// name (column 17); the comment after each field names the slot field of
// "tabella_dati" the compiler stores it in.
struct riga_stazione {
  std::int32_t posizione = 0;  // metres; "valore_c"
  std::int32_t categoria = 0;  // station kind code
  std::int32_t lunghezza = 0;  // metres; sets "valore_a", "valore_b"
  std::int32_t opzione = 0;
  std::int32_t cifra_3 = 0;
  std::int32_t cifra_2 = 0;
  std::int32_t numero_1 = 0;
  std::int32_t numero_2 = 0;
  std::int32_t cifra_1 = 0;
  std::int32_t numero_3 = 0;
  std::int32_t numero_4 = 0;
  std::int32_t numero_5 = 0;
  std::int32_t sosta = 0;   // seconds
  std::int32_t ore = 0;     // timetable clock; 0:00:00 when the row
  std::int32_t minuti = 0;  // carries no time
  std::int32_t secondi = 0;
  std::string_view nome;  // as written in the train source file
  // The form printed in the timetable sheet's 26-character place cells;
  // empty when the name itself fits.
  std::string_view nome_breve;
};

// The rows in route order, from the departure station (row 0) to the
// arrival station (row 55). A row's time is the departure time at a stop,
// the arrival time at the terminus, and the arrival time at row 42
// (0-based), whose stop the timetable lists by its arrival.
std::span<const riga_stazione> stazioni_treno();

// True when the row carries a timetable time (any of hours, minutes,
// seconds non-zero).
bool ha_orario(const riga_stazione& r);

// The name for the timetable sheet: "nome_breve" when set, else "nome".
std::string_view nome_scheda(const riga_stazione& r);

}  // namespace content

#endif  // CONTENT_STAZIONI_H_
