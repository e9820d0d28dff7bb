// The summary of inspect: what the three compiled files of a scenario hold,
// as text for a person to check against the sources.
#ifndef VISTE_TESTO_ISPEZIONE_H_
#define VISTE_TESTO_ISPEZIONE_H_

#include <string>

#include "viste/lettura_compilati.h"
#include "viste/opzioni.h"
#include "viste/riepilogo.h"

namespace viste {

// The summary: files and sizes, route, stations, board texts, the settings
// slots 81 to 86 with the stamps and both codes, the count of every cell
// kind, the mountain sections and the plan's ends and extent. Texts are
// shown as UTF-8 with control characters replaced.
std::string testo_ispezione(const opzioni_ispezione& o,
                            const file_compilati_letti& f, const riepilogo& r);

}  // namespace viste

#endif  // VISTE_TESTO_ISPEZIONE_H_
