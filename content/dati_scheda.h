// The driver's timetable sheet: four framed pages listing, for every point
// of the run, the speed limit, the marching speed, the kilometre
// progressive, the place, the timetable and the recovery margin.
#ifndef CONTENT_DATI_SCHEDA_H_
#define CONTENT_DATI_SCHEDA_H_

#include <cstdint>
#include <string>
#include <vector>

#include "content/documento.h"

namespace content {

// The five ways the "Orario" cell is filled.
enum class forma_orario {
  nessuna,   // blank
  partenza,  // departure from the origin: "partenza" only
  fermata,   // a stop: "arrivo", then "partenza"
  transito,  // passing without a stop: "partenza" holds the passing time
  arrivo,    // arrival at the terminus: "arrivo" only
};

// One row of the sheet's table, ready to be printed.
struct riga_scheda {
  std::int32_t stazione = 0;    // 1-based row of the station list; 0: none
  std::int32_t posizione = 0;   // metres along the route
  std::int32_t estensione = 0;  // metres the place covers (a station's)
  std::int32_t vel_lim = 0;     // km/h; 0 leaves the cell blank
  std::int32_t vel_marc = 0;    // km/h; 0 leaves the cell blank
  std::string km;               // "194.993"
  std::string localita;         // may be empty
  forma_orario orario = forma_orario::nessuna;
  std::int32_t arrivo = 0;    // minutes after midnight
  std::int32_t partenza = 0;  // minutes after midnight
  std::int32_t recupero = 0;  // minutes, one digit; 0 leaves the cell blank
};

// The 83-character table line of a row.
// REQUIRES: km fits 9 characters, localita 27, speeds 4 digits, recupero
// one digit; the sheet's own rows do.
std::string formatta_riga(const riga_scheda& r);

// The distinct rows of the run in route order, from the departure station
// to the arrival station; a page's first row repeats the previous page's
// last one and is not listed twice here.
std::vector<riga_scheda> tabella_scheda();

// The 190 lines of the sheet, without the end marker.
std::vector<std::string> righe_scheda();

// The bytes of the sheet.
documento dati_scheda();

}  // namespace content

#endif  // CONTENT_DATI_SCHEDA_H_
