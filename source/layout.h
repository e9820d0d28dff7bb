// Line layouts of the two source formats, shared by the writers: a row is a
// keyword, then its values joined by commas, each value set either after a
// fixed number of blanks or right-aligned in a fixed width. Board texts are
// laid out here too.
#ifndef SOURCE_LAYOUT_H_
#define SOURCE_LAYOUT_H_

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace source {

// Builds one source row. Each call appends ",", then one value in its form:
//   riga_sorgente("pendenza").spazi(2, 1000).spazi(3, -3).testo()
//   gives "pendenza,  1000,   -3".
class riga_sorgente {
 public:
  explicit riga_sorgente(std::string_view parola) : testo_(parola) {}

  // `n` blanks, then the value.
  riga_sorgente& spazi(std::size_t n, std::int64_t valore);
  riga_sorgente& spazi(std::size_t n, std::string_view valore);
  // Every value after `n` blanks.
  riga_sorgente& spazi(std::size_t n, std::span<const std::int64_t> valori);
  // `n` blanks and no value: the reader takes the empty value as 0.
  riga_sorgente& vuoto(std::size_t n);
  // The value right-aligned in `larghezza` characters; a wider value is
  // written whole, so a column never cuts digits.
  riga_sorgente& colonna(std::size_t larghezza, std::int64_t valore);
  // Each value right-aligned in the width at the same index.
  // REQUIRES: larghezze.size() == valori.size().
  riga_sorgente& colonne(std::span<const std::size_t> larghezze,
                         std::span<const std::int64_t> valori);

  const std::string& testo() const { return testo_; }

 private:
  std::string testo_;
};

// A board text: one group in parentheses per line of the board, each line
// padded with blanks on the right to the length of the longest one:
// {"Ponte", "sul fiume"} gives "(Ponte    )(sul fiume)".
std::string testo_cartello(std::span<const std::string_view> righe);

}  // namespace source

#endif  // SOURCE_LAYOUT_H_
