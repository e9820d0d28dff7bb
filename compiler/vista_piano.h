// The plan file read in place: its layout is tested once, as the decoder
// tests it, and its points are then read from the file's own bytes when they
// are asked for. A view costs the file's size and a small index; the decoded
// plan would take as much again, for a plan that the views walk only a few
// times.
#ifndef COMPILER_VISTA_PIANO_H_
#define COMPILER_VISTA_PIANO_H_

#include <cstddef>
#include <string>
#include <vector>

#include "compiler/decodifica.h"
#include "compiler/tracciato.h"

namespace compiler {

// One element of the plan: its kind and, unless empty, its value (an
// integer record is held exactly as a double).
struct elemento_piano {
  tipo_punto tipo = tipo_punto::vuoto;
  double valore = 0;
};

class vista_piano {
 public:
  // Takes the bytes of a plan file. A file that does not follow the layout
  // gets decodifica_piano's fault, and the view is left empty.
  esito_decodifica apri(std::string byte);
  // No metres.
  void svuota();

  // Metres per coordinate; 0 for an empty or refused file.
  std::size_t metri() const { return metri_; }
  std::size_t byte() const { return byte_.size(); }

  // REQUIRES: metro < metri(), coordinata 0 or 1.
  elemento_piano elemento(std::size_t metro, int coordinata) const;

  // The elements of one coordinate in metre order, from a given metre on.
  class cursore {
   public:
    // REQUIRES: da <= v.metri(), coordinata 0 or 1; the view outlives the
    // cursor and stays as it is.
    cursore(const vista_piano& v, int coordinata, std::size_t da);
    // The element of the next metre. REQUIRES: fewer calls than metres left.
    elemento_piano prossimo();

   private:
    const char* p_;
  };

 private:
  // Every this many metres, the index holds the offset of the element.
  static constexpr std::size_t passo_indice = 64;

  // Offset of the element of `metro`, from the index and the records after
  // it.
  std::size_t offset(std::size_t metro, int coordinata) const;

  std::string byte_;
  std::size_t metri_ = 0;
  std::vector<std::size_t> indice_[2];
};

// The decoded plan of a view, element for element (for tests and tools that
// want the whole plan at once).
tracciato_piano tracciato_di(const vista_piano& v);

}  // namespace compiler

#endif  // COMPILER_VISTA_PIANO_H_
