// The field reader of the two source formats: a file's bytes read as a stream
// of keyword fields, numeric values and text values. Bytes are not decoded and
// nothing is quoted; a line ends at CR LF, LF or a lone CR; blanks are space
// and tab. Every failure of a read is the general fault 25 for the caller.
#ifndef SOURCE_CAMPI_H_
#define SOURCE_CAMPI_H_

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "source/record.h"

// The value of a numeric token read at width `w`: an optional sign followed by
// decimal digits, within the range of the width (signed 32, signed 16,
// unsigned 8). An empty token reads as 0. nullopt when the token is not a
// number or does not fit.
// REQUIRES: w is not larghezza::testo.
[[nodiscard]] std::optional<std::int32_t> valore_numerico(
    std::string_view token, larghezza w);

class lettore_campi {
 public:
  // `byte` must outlive the reader.
  explicit lettore_campi(std::string_view byte) : byte_(byte) {}

  // True once every byte has been consumed.
  bool fine() const { return pos_ == byte_.size(); }

  // A keyword field: after leading blanks, the bytes up to the next comma or
  // line end, which is consumed; trailing blanks are trimmed. nullopt at end
  // of file.
  [[nodiscard]] std::optional<std::string_view> campo();

  // A numeric value (see valore_numerico). After the token, blanks and then
  // one comma or one line end are consumed when next. nullopt at end of file
  // or for a bad token; the reader stands after the token either way.
  [[nodiscard]] std::optional<std::int32_t> numero(larghezza w);

  // A text value: after leading blanks, the rest of the line with commas and
  // trailing blanks; the line end is consumed. nullopt at end of file.
  [[nodiscard]] std::optional<std::string_view> testo();

  // 1-based line on which the most recent keyword field began; 0 before the
  // first field. A row's values may run onto later lines, but a fault in
  // them is reported at the row's keyword field.
  std::int64_t riga_campo() const { return riga_campo_; }

 private:
  void salta_spazi();
  bool a_fine_riga() const;
  // Consumes one line end when next; nothing otherwise.
  void consuma_fine_riga();

  std::string_view byte_;
  std::size_t pos_ = 0;
  std::int64_t riga_ = 1;  // line of byte_[pos_]
  std::int64_t riga_campo_ = 0;
};

#endif  // SOURCE_CAMPI_H_
