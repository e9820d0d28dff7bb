// Framing of the protocol's messages.
#include "lsp/trasporto.h"

#include <charconv>

namespace lsp {

namespace {

std::string_view senza_spazi(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) {
    s.remove_prefix(1);
  }
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
    s.remove_suffix(1);
  return s;
}

bool uguali_senza_maiuscole(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto m = [](char c) {
      return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    };
    if (m(a[i]) != m(b[i])) return false;
  }
  return true;
}

}  // namespace

bool lettore_messaggi::riga(std::string& r, bool& troppo_lunga) {
  r.clear();
  troppo_lunga = false;
  for (;;) {
    const int c = in_.get();
    if (c == std::char_traits<char>::eof()) return !r.empty();
    if (c == '\n') break;
    if (r.size() < intestazione_massima) {
      r.push_back(static_cast<char>(c));
    } else {
      troppo_lunga = true;
    }
  }
  if (!r.empty() && r.back() == '\r') r.pop_back();
  return true;
}

letto lettore_messaggi::prossimo() {
  std::string r;
  bool troppo_lunga = false;
  // Blank lines before a header block are skipped.
  do {
    if (!riga(r, troppo_lunga)) return {};
  } while (r.empty() && !troppo_lunga);

  std::string motivo;
  bool con_lunghezza = false;
  std::size_t lunghezza = 0;
  for (;;) {
    if (troppo_lunga) {
      if (motivo.empty()) motivo = "intestazione troppo lunga";
    } else if (const std::size_t due_punti = r.find(':');
               due_punti == std::string::npos) {
      if (motivo.empty()) motivo = "intestazione senza ':'";
    } else if (uguali_senza_maiuscole(
                   senza_spazi(std::string_view(r).substr(0, due_punti)),
                   "Content-Length")) {
      const std::string_view v =
          senza_spazi(std::string_view(r).substr(due_punti + 1));
      std::size_t n = 0;
      const auto [fine, errore] =
          std::from_chars(v.data(), v.data() + v.size(), n);
      if (errore != std::errc() || fine != v.data() + v.size() || v.empty()) {
        if (motivo.empty()) motivo = "Content-Length non valido";
      } else {
        con_lunghezza = true;
        lunghezza = n;
      }
    }
    if (!riga(r, troppo_lunga)) {
      return {letto::esito::fine, {}, {}};
    }
    if (r.empty() && !troppo_lunga) break;
  }
  if (motivo.empty() && !con_lunghezza) motivo = "manca Content-Length";
  if (!motivo.empty()) return {letto::esito::guasto, {}, motivo};

  if (lunghezza > corpo_massimo) {
    in_.ignore(static_cast<std::streamsize>(lunghezza));
    return {letto::esito::guasto,
            {},
            "messaggio di " + std::to_string(lunghezza) + " byte: al massimo " +
                std::to_string(corpo_massimo)};
  }
  letto l;
  l.e = letto::esito::messaggio;
  l.corpo.resize(lunghezza);
  in_.read(l.corpo.data(), static_cast<std::streamsize>(lunghezza));
  if (static_cast<std::size_t>(in_.gcount()) != lunghezza) return {};
  return l;
}

std::string incornicia(std::string_view corpo) {
  std::string m =
      "Content-Length: " + std::to_string(corpo.size()) + "\r\n\r\n";
  m.append(corpo);
  return m;
}

}  // namespace lsp
