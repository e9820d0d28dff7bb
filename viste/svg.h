// A small writer of SVG text: elements with attributes, text that is always
// escaped, numbers written the same on every platform, and path data. What
// it writes is well-formed XML whatever text it is given.
#ifndef VISTE_SVG_H_
#define VISTE_SVG_H_

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace viste {

// v with at most `decimali` decimals, trailing zeros and a lone point
// dropped, "-0" written as "0"; independent of the locale.
// REQUIRES: v finite, 0 <= decimali <= 6.
std::string numero_svg(double v, int decimali = 1);

// Text for character data or an attribute value: & < > " ' escaped; bytes
// that are not UTF-8, and characters XML 1.0 does not allow (controls but
// tab, line feed and carriage return; U+FFFE, U+FFFF), become U+FFFD.
std::string testo_xml(std::string_view utf8);

struct attributo {
  attributo(std::string_view n, std::string_view v) : nome(n), valore(v) {}
  attributo(std::string_view n, const char* v) : nome(n), valore(v) {}
  attributo(std::string_view n, const std::string& v) : nome(n), valore(v) {}
  attributo(std::string_view n, double v) : nome(n), valore(numero_svg(v)) {}

  std::string_view nome;  // one of ours, never from input
  std::string valore;     // escaped when written
};

// A box on the page, its sides parallel to the page's.
struct riquadro {
  double x0 = 0;
  double y0 = 0;
  double x1 = 0;
  double y1 = 0;
  bool operator==(const riquadro&) const = default;
};

// True when the two boxes share more than an edge.
bool si_sovrappongono(const riquadro& a, const riquadro& b);

// The smallest box that holds both.
riquadro unione(const riquadro& a, const riquadro& b);

// How a text stands on its anchor point.
enum class ancora_testo { inizio, mezzo, fine };

// The look of a class of texts: the drawing's style sheet gives the class
// this size and weight, and its boxes are measured with them.
struct stile_testo {
  std::string_view classe;
  double corpo = 10;  // pixels to the em
  bool grassetto = false;
};

// A text of the page: `x` where `ancora` says along the text, `y` on its
// baseline; turned about (x, y) by `rotazione` degrees: 0, -90 (it reads
// upward) or 90 (downward).
struct testo_pagina {
  const stile_testo* stile = nullptr;
  double x = 0;
  double y = 0;
  ancora_testo ancora = ancora_testo::inizio;
  int rotazione = 0;
  std::string testo;  // UTF-8
};

// The box the text takes on the page: its advance widths along it, the
// font's ascender and descender across it.
riquadro riquadro_di(const testo_pagina& t);

class documento_svg {
 public:
  // Opens the document: the XML declaration and the root element of
  // `larghezza` by `altezza` user units, one unit a pixel.
  documento_svg(double larghezza, double altezza);

  // An element with children: apri, the children, then chiudi.
  void apri(std::string_view nome, std::initializer_list<attributo> a = {});
  void chiudi();
  // An element without children.
  void vuoto(std::string_view nome, std::initializer_list<attributo> a);
  // An element holding only `utf8` as text. Texts of the page go through
  // scritta, which measures them.
  void testo(std::string_view nome, std::initializer_list<attributo> a,
             std::string_view utf8);
  // An element without children but a <title>, which a browser shows over
  // the element.
  void con_titolo(std::string_view nome, std::initializer_list<attributo> a,
                  std::string_view titolo);

  // A text of the page, as a <text> element; its box is kept.
  void scritta(const testo_pagina& t);
  // A marker that no text may cover; its box is kept.
  void segno(const riquadro& r) { segni_.push_back(r); }

  // The boxes of every text and every marker so far.
  const std::vector<riquadro>& riquadri_scritte() const { return scritte_; }
  const std::vector<riquadro>& riquadri_segni() const { return segni_; }

  // Closes every open element and the root and gives the document.
  std::string fine();

 private:
  void etichetta(std::string_view nome, std::initializer_list<attributo> a);

  std::string out_;
  std::vector<std::string> aperti_;
  std::vector<riquadro> scritte_;
  std::vector<riquadro> segni_;
};

// Path data: each muovi starts a piece, each linea continues it.
class dati_percorso {
 public:
  void muovi(double x, double y);
  void linea(double x, double y);
  // A relative vertical or horizontal line from the current point.
  void verticale(double dy);
  void orizzontale(double dx);
  void chiudi_pezzo();

  bool vuoto() const { return d_.empty(); }
  const std::string& testo() const { return d_; }

 private:
  void coppia(double x, double y);

  std::string d_;
  bool continua_ = false;  // the last command was M or L
};

}  // namespace viste

#endif  // VISTE_SVG_H_
