// The line source file of the scenario: route length, kilometre references,
// scenery, signal repetition, curves, gradients, mountain sections, speed
// indicator boards and lineside boards, written for the compiler to read.
#ifndef CONTENT_DATI_LINEA_H_
#define CONTENT_DATI_LINEA_H_

#include <string>
#include <vector>

#include "content/documento.h"

namespace content {

// The 339 lines of the line source file, without the end marker.
std::vector<std::string> righe_linea();

// The bytes of the line source file.
documento dati_linea();

}  // namespace content

#endif  // CONTENT_DATI_LINEA_H_
