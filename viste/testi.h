// Texts that the views share: numbers, times and quoted names written the
// Italian way, and the titles that the plot's markers carry, which a
// browser shows when the pointer rests on them.
#ifndef VISTE_TESTI_H_
#define VISTE_TESTI_H_

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "viste/elementi.h"
#include "viste/lettura_compilati.h"
#include "viste/riepilogo.h"

namespace viste {

// An integer in decimal digits.
template <std::integral T>
std::string n(T v) {
  return std::to_string(v);
}

// v with one decimal after a comma, the same on every platform and locale,
// every digit of the widest finite double kept.
std::string decimale(double v);

// Seconds of the day as h:mm:ss; anything else as the number of seconds.
std::string orario(std::int64_t secondi);

// Two digits, a leading zero below 10.
std::string due_cifre(std::int64_t v);

// A text of the files, readable (source::utf8_leggibile), in quotes.
std::string tra_virgolette(std::string_view byte);

// The titles of the markers, one line a fact. `lunghezza` is the route's:
// what stands beyond it says so.
std::string titolo_stazione(const file_compilati_letti& f, const riepilogo& r,
                            std::size_t voce);
std::string titolo_segnale(const segnale_letto& s, std::int64_t lunghezza);
std::string titolo_indicatore(const indicatore_letto& i,
                              std::int64_t lunghezza);
std::string titolo_cartello(const file_compilati_letti& f,
                            const cartello_letto& c, std::int64_t lunghezza);
std::string titolo_rallentamento(const rallentamento_letto& r,
                                 std::int64_t lunghezza);
std::string titolo_montagna(const tratto_montagna& m);

// One line that names the sources newer than the compiled files; empty
// when there is none.
std::string avviso_sorgenti(const file_compilati_letti& f);

// The position of a restriction's cell, or "?" when it has none.
std::string posizione_o_ignota(const std::optional<std::size_t>& cella);

}  // namespace viste

#endif  // VISTE_TESTI_H_
