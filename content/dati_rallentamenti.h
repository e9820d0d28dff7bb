// The speed-restriction order form handed to the driver: a one-page form
// whose table is left empty, since the train runs without restrictions.
#ifndef CONTENT_DATI_RALLENTAMENTI_H_
#define CONTENT_DATI_RALLENTAMENTI_H_

#include <string>
#include <vector>

#include "content/documento.h"

namespace content {

// The 46 lines of the form, without the end marker. Line 5 names the
// route by its departure and arrival stations.
std::vector<std::string> righe_rallentamenti();

// The bytes of the order form.
documento dati_rallentamenti();

}  // namespace content

#endif  // CONTENT_DATI_RALLENTAMENTI_H_
