// The diagnosis of a compile or a check, as a value: a fault (its number
// and position, where the reader met it and what the field held) or a
// warning (a place where the rules silently ignore, overwrite, clip or skip
// something an author wrote), with the related rows that explain it.
#ifndef COMPILER_DIAGNOSI_H_
#define COMPILER_DIAGNOSI_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "compiler/luogo.h"

namespace compiler {

// A row related to a diagnosis, with what it has to do with it.
struct nota_diagnosi {
  luogo_sorgente luogo;
  std::string testo;

  bool operator==(const nota_diagnosi&) const = default;
};

struct diagnosi {
  // 0 for a warning; otherwise the fault number of the compile.
  std::int32_t numero = 0;
  std::int32_t posizione = 0;  // metres, for the numbers that carry one
  luogo_sorgente luogo;
  // A fault: what the field held (the number's meaning is in the fault
  // table), possibly empty. A warning: the whole text.
  std::string messaggio;
  // The system's reason, for a source that exists but could not be read.
  std::string motivo;
  std::vector<nota_diagnosi> note;

  bool avviso() const { return numero == 0; }
  bool operator==(const diagnosi&) const = default;
};

// A check keeps at most this many findings; the rest are only counted, so
// that a source of millions of bad lines costs bounded memory and output.
inline constexpr std::size_t massimo_trovate = 1000;

// A fault with no row to point at: its position only for the numbers that
// carry one.
diagnosi guasto_senza_luogo(std::int32_t numero, std::int32_t posizione);

// True for a fault of a file rather than of its content (exit status 3): a
// line source that is missing, or a source that could not be read.
bool di_file(const diagnosi& d);

}  // namespace compiler

#endif  // COMPILER_DIAGNOSI_H_
