// The SVG text writer.
#include "viste/svg.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <charconv>
#include <cmath>
#include <optional>

#include "source/testo_utf8.h"
#include "viste/larghezza_testo.h"

namespace viste {

namespace {

constexpr char32_t sostituto = 0xFFFD;

bool ammesso_in_xml(char32_t c) {
  if (c == 0x9 || c == 0xA || c == 0xD) return true;
  if (c < 0x20) return false;
  if (c >= 0x7F && c <= 0x9F) return false;  // allowed, but shows nothing
  if (c >= 0xD800 && c <= 0xDFFF) return false;
  if (c == 0xFFFE || c == 0xFFFF) return false;
  return c <= 0x10FFFF;
}

// The character at the front of `s` and its length in bytes; an invalid or
// overlong sequence gives U+FFFD for its first byte alone.
std::pair<char32_t, std::size_t> prossimo(std::string_view s) {
  const std::optional<source::carattere_utf8> c = source::leggi_utf8(s);
  if (!c) return {sostituto, 1};
  return {c->codice, c->lunghezza};
}

}  // namespace

std::string numero_svg(double v, int decimali) {
  assert(decimali >= 0 && decimali <= 6);
  assert(std::isfinite(v));
  std::array<char, 400> buf{};
  const auto r = std::to_chars(buf.data(), buf.data() + buf.size(), v,
                               std::chars_format::fixed, decimali);
  std::string out(buf.data(), r.ptr);
  if (out.find('.') != std::string::npos) {
    while (out.back() == '0') out.pop_back();
    if (out.back() == '.') out.pop_back();
  }
  if (out == "-0") out = "0";
  return out;
}

std::string testo_xml(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  while (!utf8.empty()) {
    const auto [c, lunghezza] = prossimo(utf8);
    utf8.remove_prefix(lunghezza);
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&apos;";
        break;
      default:
        source::aggiungi_utf8(out, ammesso_in_xml(c) ? c : sostituto);
    }
  }
  return out;
}

documento_svg::documento_svg(double larghezza, double altezza) {
  out_ = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  const std::string l = numero_svg(larghezza);
  const std::string a = numero_svg(altezza);
  apri("svg", {{"xmlns", "http://www.w3.org/2000/svg"},
               {"width", l},
               {"height", a},
               {"viewBox", "0 0 " + l + " " + a}});
}

void documento_svg::etichetta(std::string_view nome,
                              std::initializer_list<attributo> a) {
  out_ += '<';
  out_ += nome;
  for (const attributo& x : a) {
    out_ += ' ';
    out_ += x.nome;
    out_ += "=\"";
    out_ += testo_xml(x.valore);
    out_ += '"';
  }
}

void documento_svg::apri(std::string_view nome,
                         std::initializer_list<attributo> a) {
  etichetta(nome, a);
  out_ += ">\n";
  aperti_.emplace_back(nome);
}

void documento_svg::chiudi() {
  assert(!aperti_.empty());
  out_ += "</" + aperti_.back() + ">\n";
  aperti_.pop_back();
}

void documento_svg::vuoto(std::string_view nome,
                          std::initializer_list<attributo> a) {
  etichetta(nome, a);
  out_ += "/>\n";
}

bool si_sovrappongono(const riquadro& a, const riquadro& b) {
  return a.x0 < b.x1 && b.x0 < a.x1 && a.y0 < b.y1 && b.y0 < a.y1;
}

riquadro unione(const riquadro& a, const riquadro& b) {
  return {std::min(a.x0, b.x0), std::min(a.y0, b.y0), std::max(a.x1, b.x1),
          std::max(a.y1, b.y1)};
}

riquadro riquadro_di(const testo_pagina& t) {
  assert(t.stile != nullptr);
  const double corpo = t.stile->corpo;
  // A browser rounds the advances and the line's extent at small sizes
  // (Chromium sets "ROVIA" at 9 px 0.8 px wider than its advances sum to,
  // and the line 11 px high for the font's 10.5): the box keeps room for
  // that.
  const double l =
      larghezza_testo(t.testo, corpo, t.stile->grassetto) * 1.03 + 0.5;
  // Along the text from the anchor, and across it from the baseline (down
  // the page positive, before any turn).
  double u0 = 0;
  if (t.ancora == ancora_testo::mezzo) u0 = -l / 2;
  if (t.ancora == ancora_testo::fine) u0 = -l;
  const double u1 = u0 + l;
  const double v0 = -ascendente_em * corpo - 0.5;
  const double v1 = discendente_em * corpo + 0.5;
  switch (t.rotazione) {
    case -90:  // (u, v) goes to (v, -u)
      return {t.x + v0, t.y - u1, t.x + v1, t.y - u0};
    case 90:  // (u, v) goes to (-v, u)
      return {t.x - v1, t.y + u0, t.x - v0, t.y + u1};
    default:
      assert(t.rotazione == 0);
      return {t.x + u0, t.y + v0, t.x + u1, t.y + v1};
  }
}

void documento_svg::scritta(const testo_pagina& t) {
  constexpr std::string_view ancore[] = {"start", "middle", "end"};
  const std::string_view ancora = ancore[static_cast<int>(t.ancora)];
  const std::string classe(t.stile->classe);
  if (t.rotazione == 0) {
    etichetta(
        "text",
        {{"class", classe}, {"x", t.x}, {"y", t.y}, {"text-anchor", ancora}});
  } else {
    etichetta("text", {{"class", classe},
                       {"x", t.x},
                       {"y", t.y},
                       {"text-anchor", ancora},
                       {"transform", "rotate(" + std::to_string(t.rotazione) +
                                         " " + numero_svg(t.x) + " " +
                                         numero_svg(t.y) + ")"}});
  }
  out_ += '>';
  out_ += testo_xml(t.testo);
  out_ += "</text>\n";
  scritte_.push_back(riquadro_di(t));
}

void documento_svg::con_titolo(std::string_view nome,
                               std::initializer_list<attributo> a,
                               std::string_view titolo) {
  etichetta(nome, a);
  out_ += "><title>";
  out_ += testo_xml(titolo);
  out_ += "</title></";
  out_ += nome;
  out_ += ">\n";
}

void documento_svg::testo(std::string_view nome,
                          std::initializer_list<attributo> a,
                          std::string_view utf8) {
  assert(nome != "text" && "a text of the page is measured: scritta");
  etichetta(nome, a);
  out_ += '>';
  out_ += testo_xml(utf8);
  out_ += "</";
  out_ += nome;
  out_ += ">\n";
}

std::string documento_svg::fine() {
  while (!aperti_.empty()) chiudi();
  return std::move(out_);
}

void dati_percorso::coppia(double x, double y) {
  d_ += numero_svg(x);
  d_ += ' ';
  d_ += numero_svg(y);
}

void dati_percorso::muovi(double x, double y) {
  if (!d_.empty()) d_ += ' ';
  d_ += 'M';
  coppia(x, y);
  continua_ = true;
}

void dati_percorso::linea(double x, double y) {
  // After M or L further pairs continue the line without a command letter.
  if (continua_) {
    d_ += ' ';
  } else {
    d_ += 'L';
  }
  coppia(x, y);
  continua_ = true;
}

void dati_percorso::verticale(double dy) {
  d_ += 'v';
  d_ += numero_svg(dy);
  continua_ = false;
}

void dati_percorso::orizzontale(double dx) {
  d_ += 'h';
  d_ += numero_svg(dx);
  continua_ = false;
}

void dati_percorso::chiudi_pezzo() {
  d_ += 'Z';
  continua_ = false;
}

}  // namespace viste
