// Where in a source something stands: a field (line, column, width and the
// text of its line) and the row it belongs to, for a report that points at
// what the author typed.
#ifndef COMPILER_LUOGO_H_
#define COMPILER_LUOGO_H_

#include <cstdint>
#include <string>

namespace compiler {

struct campo_sorgente {
  std::int32_t riga = 0;       // 1-based; 0 when no field is known
  std::int32_t colonna = 0;    // 1-based byte of its line
  std::int32_t larghezza = 0;  // bytes; 0 for a place between fields
  std::string testo_riga;      // the line, without its line end, as read

  bool operator==(const campo_sorgente&) const = default;
};

struct luogo_sorgente {
  std::string file;       // source file name, without folder; empty: none
  std::int32_t riga = 0;  // line of the row's keyword; 0: the whole file
  campo_sorgente campo;   // the field, when known

  bool operator==(const luogo_sorgente&) const = default;
};

}  // namespace compiler

#endif  // COMPILER_LUOGO_H_
