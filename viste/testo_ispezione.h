// The summary of inspect: what the three compiled files of a scenario hold,
// as text for a person to check against the sources.
#ifndef VISTE_TESTO_ISPEZIONE_H_
#define VISTE_TESTO_ISPEZIONE_H_

#include <ostream>

#include "viste/lettura_compilati.h"
#include "viste/opzioni.h"
#include "viste/riepilogo.h"

namespace viste {

// The summary, written to `out` a section at a time: a line for sources
// newer than the compiled files, files and sizes, route, stations, board
// texts, the kilometre references in route order, the settings slots 84 to
// 86 with the stamps and both codes, the count of every cell kind, the
// signals, speed boards, speed restrictions and speed marks with the
// values of their source rows, the mountain sections, the line speed,
// gradient and adhesion as runs, and the plan's ends and extent; with
// o.solo, the title and the selected parts alone. Texts are shown as UTF-8
// with control characters replaced.
void testo_ispezione(std::ostream& out, const opzioni_ispezione& o,
                     const file_compilati_letti& f, const riepilogo& r);

}  // namespace viste

#endif  // VISTE_TESTO_ISPEZIONE_H_
