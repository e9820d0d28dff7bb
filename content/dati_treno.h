// The train source file of the scenario: the train's values, adhesion, speed
// limits along the route, the stations of its run and the lineside signals,
// written for the compiler to read.
#ifndef CONTENT_DATI_TRENO_H_
#define CONTENT_DATI_TRENO_H_

#include <string>
#include <vector>

#include "content/documento.h"

namespace content {

// The 273 lines of the train source file, without the end marker. Only the
// file name depends on the identifiers, never the content.
std::vector<std::string> righe_treno();

// The bytes of the train source file.
documento dati_treno();

}  // namespace content

#endif  // CONTENT_DATI_TRENO_H_
