// The notes page: a short letter from the scenario's author to the driver
// on how the route and the train were modelled.
#ifndef CONTENT_DATI_NOTE_H_
#define CONTENT_DATI_NOTE_H_

#include <string>
#include <vector>

#include "content/documento.h"

namespace content {

// The 40 lines of the notes as UTF-8 text, without the end marker; the
// document writer turns the accented letters into single bytes.
std::vector<std::string> righe_note();

// The bytes of the notes.
documento dati_note();

}  // namespace content

#endif  // CONTENT_DATI_NOTE_H_
