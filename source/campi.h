// The field reader of the two source formats: a file's bytes read as a stream
// of keyword fields, numeric values and text values. Bytes are not decoded and
// nothing is quoted; a line ends at CR LF, LF or a lone CR; blanks are space
// and tab. Every failure of a read is the general fault 25 for the caller.
// The reader remembers where its last token stood, so that a fault can point
// at the very bytes it was found in.
#ifndef SOURCE_CAMPI_H_
#define SOURCE_CAMPI_H_

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "source/record.h"

namespace source {

// The value of a numeric token read at width `w`: an optional sign followed by
// decimal digits, within the range of the width (signed 32, signed 16,
// unsigned 8). An empty token reads as 0. nullopt when the token is not a
// number or does not fit.
// REQUIRES: w is not larghezza::testo.
[[nodiscard]] std::optional<std::int32_t> valore_numerico(
    std::string_view token, larghezza w);

// Why valore_numerico refused `token`, in Italian: "'7500x' non è un numero
// intero", "70000 non sta in 16 bit con segno".
// REQUIRES: valore_numerico(token, w) is nullopt.
std::string motivo_valore(std::string_view token, larghezza w);

// `testo` (Windows-1252 bytes of a source) between single quotes, as UTF-8
// with control bytes escaped, as the reports cite what a field held.
std::string tra_apici(std::string_view testo);

// What a value read at the end of the file reports.
inline constexpr std::string_view motivo_fine_file =
    "manca un valore: fine del file";

// Where a token stands: its first byte and length, and its line.
struct posto_token {
  std::size_t inizio = 0;       // offset of the first byte in the file
  std::size_t lunghezza = 0;    // 0 for an empty token or the end of file
  std::size_t inizio_riga = 0;  // offset of its line's first byte
  std::int64_t riga = 1;        // 1-based line
  bool fine_file = false;       // the read met the end of the file

  std::int64_t colonna() const {
    return static_cast<std::int64_t>(inizio - inizio_riga) + 1;
  }
};

// The whole line a token of `byte` stands on, without its line end.
std::string_view riga_di(std::string_view byte, const posto_token& t);

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

  // Skips what is left of the current line, its line end included.
  void salta_riga();
  // True when nothing of the current line has been read yet.
  bool a_inizio_di_riga() const { return pos_ == inizio_riga_; }

  // 1-based line on which the most recent keyword field began; 0 before the
  // first field. A row's values may run onto later lines, but a fault in
  // them is reported at the row's keyword field.
  std::int64_t riga_campo() const { return riga_campo_; }

  // The token most recently read (keyword field, value or text), or the end
  // of file where a read found nothing.
  const posto_token& ultimo() const { return ultimo_; }
  std::string_view testo_token(const posto_token& t) const {
    return byte_.substr(t.inizio, t.lunghezza);
  }
  // The whole line a token stands on, without its line end.
  std::string_view testo_riga(const posto_token& t) const;
  // True when only blanks stand before the token on its line.
  bool a_inizio_riga(const posto_token& t) const;

 private:
  void salta_spazi();
  bool a_fine_riga() const;
  // Consumes one line end when next; nothing otherwise.
  void consuma_fine_riga();
  // Records the token [inizio, fine) of the current line.
  void segna(std::size_t inizio, std::size_t fine);
  void segna_fine_file();

  std::string_view byte_;
  std::size_t pos_ = 0;
  std::int64_t riga_ = 1;        // line of byte_[pos_]
  std::size_t inizio_riga_ = 0;  // offset of that line's first byte
  std::int64_t riga_campo_ = 0;
  posto_token ultimo_;
};

}  // namespace source

#endif  // SOURCE_CAMPI_H_
