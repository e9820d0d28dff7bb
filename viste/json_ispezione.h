// The compiled files as JSON, for `inspect --json`: the features read back
// into the sources' values, every slot and every cell with the model's
// field names, the roles and counts of the summary, and the plan's summary,
// optionally with every plan point. The document is written as it is made,
// a record at a time, so that memory does not grow with it.
#ifndef VISTE_JSON_ISPEZIONE_H_
#define VISTE_JSON_ISPEZIONE_H_

#include <ostream>

#include "viste/lettura_compilati.h"
#include "viste/opzioni.h"
#include "viste/riepilogo.h"

namespace viste {

// One JSON object, UTF-8, ended by a newline. Texts are converted with the
// code page's table (da_cp1252): every byte a character of its own, U+FFFD
// for the five bytes Windows-1252 leaves undefined. With o.punti, "piano"
// also holds "x" and "y", one element per metre: a JSON integer for an
// integer record, a number with a fraction for a double, null for an empty
// record (and for a double that is not finite, which JSON cannot hold).
// With o.solo, the identifiers and the selected parts alone.
void json_ispezione(std::ostream& out, const opzioni_ispezione& o,
                    const file_compilati_letti& f, const riepilogo& r);

}  // namespace viste

#endif  // VISTE_JSON_ISPEZIONE_H_
