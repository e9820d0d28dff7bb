// Field reader over the bytes of a source file.
#include "source/campi.h"

#include <algorithm>
#include <cassert>
#include <limits>
#include <string>

#include "source/cp1252.h"

namespace source {

namespace {

bool spazio(char c) { return c == ' ' || c == '\t'; }
bool fine_riga(char c) { return c == '\r' || c == '\n'; }

}  // namespace

std::optional<std::int32_t> valore_numerico(std::string_view token,
                                            larghezza w) {
  assert(w != larghezza::testo);
  if (token.empty()) return 0;
  bool negativo = false;
  if (token.front() == '+' || token.front() == '-') {
    negativo = token.front() == '-';
    token.remove_prefix(1);
  }
  if (token.empty()) return std::nullopt;
  // Every width fits in 32 bits, so accumulation stops just past that range:
  // leading zeros are accepted and no token can overflow the accumulator.
  constexpr std::int64_t oltre = std::int64_t{1} << 32;
  std::int64_t v = 0;
  for (char c : token) {
    if (c < '0' || c > '9') return std::nullopt;
    if (v < oltre) v = v * 10 + (c - '0');
  }
  if (negativo) v = -v;

  std::int64_t minimo = 0;
  std::int64_t massimo = 0;
  switch (w) {
    case larghezza::i32:
      minimo = std::numeric_limits<std::int32_t>::min();
      massimo = std::numeric_limits<std::int32_t>::max();
      break;
    case larghezza::i16:
      minimo = std::numeric_limits<std::int16_t>::min();
      massimo = std::numeric_limits<std::int16_t>::max();
      break;
    case larghezza::u8:
      massimo = std::numeric_limits<std::uint8_t>::max();
      break;
    case larghezza::testo:
      return std::nullopt;
  }
  if (v < minimo || v > massimo) return std::nullopt;
  return static_cast<std::int32_t>(v);
}

std::string tra_apici(std::string_view testo) {
  return "'" + da_cp1252_visibile(testo) + "'";
}

std::string motivo_valore(std::string_view token, larghezza w) {
  std::string_view cifre = token;
  if (!cifre.empty() && (cifre.front() == '+' || cifre.front() == '-')) {
    cifre.remove_prefix(1);
  }
  const bool numero = !cifre.empty() && cifre.find_first_not_of("0123456789") ==
                                            std::string_view::npos;
  if (!numero) return tra_apici(token) + " non è un numero intero";
  std::string_view ampiezza;
  switch (w) {
    case larghezza::i32:
      ampiezza = "32 bit con segno";
      break;
    case larghezza::i16:
      ampiezza = "16 bit con segno";
      break;
    case larghezza::u8:
      ampiezza = "8 bit senza segno";
      break;
    case larghezza::testo:
      break;
  }
  return da_cp1252_visibile(token) + " non sta in " + std::string(ampiezza);
}

void lettore_campi::salta_spazi() {
  while (pos_ < byte_.size() && spazio(byte_[pos_])) ++pos_;
}

bool lettore_campi::a_fine_riga() const {
  return pos_ < byte_.size() && fine_riga(byte_[pos_]);
}

void lettore_campi::consuma_fine_riga() {
  if (!a_fine_riga()) return;
  if (byte_[pos_] == '\r' && pos_ + 1 < byte_.size() &&
      byte_[pos_ + 1] == '\n') {
    ++pos_;
  }
  ++pos_;
  ++riga_;
  inizio_riga_ = pos_;
}

void lettore_campi::segna(std::size_t inizio, std::size_t fine) {
  ultimo_ = {inizio, fine - inizio, inizio_riga_, riga_, false};
}

void lettore_campi::segna_fine_file() {
  ultimo_ = {pos_, 0, inizio_riga_, riga_, true};
}

void lettore_campi::salta_riga() {
  while (pos_ < byte_.size() && !a_fine_riga()) ++pos_;
  consuma_fine_riga();
}

std::string_view riga_di(std::string_view byte, const posto_token& t) {
  std::size_t fine = std::min(t.inizio_riga, byte.size());
  const std::size_t inizio = fine;
  while (fine < byte.size() && !fine_riga(byte[fine])) ++fine;
  return byte.substr(inizio, fine - inizio);
}

std::string_view lettore_campi::testo_riga(const posto_token& t) const {
  return riga_di(byte_, t);
}

bool lettore_campi::a_inizio_riga(const posto_token& t) const {
  for (std::size_t i = t.inizio_riga; i < t.inizio; ++i) {
    if (!spazio(byte_[i])) return false;
  }
  return true;
}

std::optional<std::string_view> lettore_campi::campo() {
  if (fine()) {
    segna_fine_file();
    return std::nullopt;
  }
  salta_spazi();
  riga_campo_ = riga_;
  const std::size_t inizio = pos_;
  while (pos_ < byte_.size() && byte_[pos_] != ',' && !a_fine_riga()) ++pos_;
  std::size_t fine_campo = pos_;
  while (fine_campo > inizio && spazio(byte_[fine_campo - 1])) --fine_campo;
  segna(inizio, fine_campo);
  if (pos_ < byte_.size() && byte_[pos_] == ',') {
    ++pos_;
  } else {
    consuma_fine_riga();
  }
  return byte_.substr(inizio, fine_campo - inizio);
}

std::optional<std::int32_t> lettore_campi::numero(larghezza w) {
  if (fine()) {
    segna_fine_file();
    return std::nullopt;
  }
  salta_spazi();
  const std::size_t inizio = pos_;
  while (pos_ < byte_.size() && byte_[pos_] != ',' && !spazio(byte_[pos_]) &&
         !a_fine_riga()) {
    ++pos_;
  }
  segna(inizio, pos_);
  const std::string_view token = byte_.substr(inizio, pos_ - inizio);
  salta_spazi();
  if (pos_ < byte_.size() && byte_[pos_] == ',') {
    ++pos_;
  } else {
    consuma_fine_riga();
  }
  return valore_numerico(token, w);
}

std::optional<std::string_view> lettore_campi::testo() {
  if (fine()) {
    segna_fine_file();
    return std::nullopt;
  }
  salta_spazi();
  const std::size_t inizio = pos_;
  while (pos_ < byte_.size() && !a_fine_riga()) ++pos_;
  segna(inizio, pos_);
  const std::string_view valore = byte_.substr(inizio, pos_ - inizio);
  consuma_fine_riga();
  return valore;
}

}  // namespace source
