// Text, bytes and positions of a source file in the editor.
#include "lsp/documento.h"

#include <algorithm>
#include <optional>

#include "source/cp1252.h"
#include "source/testo_utf8.h"

namespace lsp {

namespace {

using source::da_cp1252;
using source::in_cp1252;

// One character of UTF-8 text: its length in bytes and its code point. A
// byte that starts no valid sequence is a character of its own, U+FFFD.
struct carattere {
  std::size_t lunghezza = 1;
  char32_t cp = 0xFFFD;
  bool valido = false;
};

carattere leggi(std::string_view s, std::size_t i) {
  const std::optional<source::carattere_utf8> c =
      source::leggi_utf8(s.substr(i));
  if (!c) return {};
  return {c->lunghezza, c->codice, true};
}

// Units the editor counts for a character.
std::int64_t unita(const carattere& c, codifica k) {
  if (k == codifica::utf8) return static_cast<std::int64_t>(c.lunghezza);
  return c.cp > 0xFFFF ? 2 : 1;
}

bool fine_riga(char c) { return c == '\r' || c == '\n'; }

// Offsets where each line starts; the same for the text and the bytes,
// since line ends are ASCII.
std::vector<std::size_t> inizi(std::string_view s) {
  std::vector<std::size_t> v{0};
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n') ++i;
    if (fine_riga(s[i])) v.push_back(i + 1);
  }
  return v;
}

// End of the line that starts at `inizio`, before its line end.
std::size_t fine_di(std::string_view s, std::size_t inizio) {
  while (inizio < s.size() && !fine_riga(s[inizio])) ++inizio;
  return inizio;
}

char in_byte(std::string_view s, const carattere& c, std::size_t i) {
  if (c.cp < 0x80 || (c.cp >= 0xA0 && c.cp <= 0xFF)) {
    return static_cast<char>(static_cast<unsigned char>(c.cp));
  }
  std::string b;
  std::string scartato;
  if (c.valido && in_cp1252(s.substr(i, c.lunghezza), b, scartato) &&
      b.size() == 1) {
    return b[0];
  }
  return '?';
}

}  // namespace

documento documento::da_testo(std::string utf8) {
  documento d;
  d.testo_ = std::move(utf8);
  d.codifica_byte();
  d.indicizza();
  return d;
}

documento documento::da_byte(std::string byte) {
  documento d;
  // The bytes stay as read, the five the code page leaves undefined too.
  d.testo_ = da_cp1252(byte);
  d.byte_ = std::move(byte);
  d.indicizza();
  return d;
}

void documento::codifica_byte() {
  byte_.clear();
  byte_.reserve(testo_.size());
  for (std::size_t i = 0; i < testo_.size();) {
    const carattere c = leggi(testo_, i);
    byte_.push_back(in_byte(testo_, c, i));
    i += c.lunghezza;
  }
}

void documento::indicizza() {
  inizi_testo_ = inizi(testo_);
  inizi_byte_ = inizi(byte_);
}

std::string_view documento::riga_byte(std::size_t r) const {
  if (r >= righe()) return {};
  const std::size_t inizio = inizi_byte_[r];
  return std::string_view(byte_).substr(inizio,
                                        fine_di(byte_, inizio) - inizio);
}

std::size_t documento::offset_testo(posizione p, codifica c) const {
  if (p.riga < 0) return 0;
  const auto r = static_cast<std::size_t>(p.riga);
  if (r >= righe()) return testo_.size();
  std::size_t i = inizi_testo_[r];
  const std::size_t fine = fine_di(testo_, i);
  std::int64_t contati = 0;
  while (i < fine) {
    const carattere k = leggi(testo_, i);
    contati += unita(k, c);
    if (contati > p.carattere) break;
    i += k.lunghezza;
  }
  return i;
}

std::size_t documento::offset_byte(posizione p, codifica c) const {
  if (p.riga < 0) return 0;
  const auto r = static_cast<std::size_t>(p.riga);
  if (r >= righe()) return byte_.size();
  std::size_t i = inizi_testo_[r];
  const std::size_t fine = offset_testo(p, c);
  std::size_t caratteri = 0;
  while (i < fine) {
    i += leggi(testo_, i).lunghezza;
    ++caratteri;
  }
  return inizi_byte_[r] + caratteri;
}

posizione documento::posizione_di(std::size_t riga, std::size_t colonna,
                                  codifica c) const {
  if (riga >= righe()) {
    riga = righe() - 1;
    colonna = byte_.size() - inizi_byte_[riga];
  }
  std::size_t i = inizi_testo_[riga];
  const std::size_t fine = fine_di(testo_, i);
  std::int64_t contati = 0;
  for (std::size_t n = 0; n < colonna && i < fine; ++n) {
    const carattere k = leggi(testo_, i);
    contati += unita(k, c);
    i += k.lunghezza;
  }
  return {static_cast<std::int64_t>(riga), contati};
}

std::size_t documento::riga_di(std::size_t o) const {
  const auto dopo = std::upper_bound(inizi_byte_.begin(), inizi_byte_.end(), o);
  return static_cast<std::size_t>(dopo - inizi_byte_.begin()) - 1;
}

void documento::sostituisci(posizione da, posizione a, std::string_view nuovo,
                            codifica c) {
  std::size_t i = offset_testo(da, c);
  std::size_t j = offset_testo(a, c);
  if (j < i) std::swap(i, j);
  testo_.replace(i, j - i, nuovo);
  codifica_byte();
  indicizza();
}

std::string utf8_valido(std::string_view testo) {
  std::string out;
  out.reserve(testo.size());
  for (std::size_t i = 0; i < testo.size();) {
    const carattere c = leggi(testo, i);
    if (c.valido) {
      out.append(testo.substr(i, c.lunghezza));
    } else {
      out += da_cp1252(testo.substr(i, 1));
    }
    i += c.lunghezza;
  }
  return out;
}

}  // namespace lsp
