// Fuzz target of inspect and plot on compiled files of any content. The
// input is a table file, a cell file and a plan file, in that order, the
// first two preceded by their lengths (two bytes each, little-endian); a
// table or plan that the decoders refuse is left out, a cell file is cut to
// whole cells. Whatever the files hold, the summary has no control
// character but line ends, the JSON parses back with every slot, cell and
// signal, and the drawing is a whole SVG document without a control
// character, none of whose texts covers another or a station's marker.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/decodifica.h"
#include "compiler/file_compilati.h"
#include "viste/disegno.h"
#include "viste/json_ispezione.h"
#include "viste/lettura_compilati.h"
#include "viste/riepilogo.h"
#include "viste/testo_ispezione.h"

namespace {

void esigi(bool condizione, const char* cosa) {
  if (condizione) return;
  std::fprintf(stderr, "ispezione_fuzz: %s\n", cosa);
  std::fflush(stderr);
  std::abort();
}

// The next `n` bytes (or what is left), advancing `resto`.
std::string_view prendi(std::string_view& resto, std::size_t n) {
  const std::string_view parte = resto.substr(0, n);
  resto.remove_prefix(parte.size());
  return parte;
}

std::size_t lunghezza(std::string_view& resto) {
  const std::string_view l = prendi(resto, 2);
  if (l.size() < 2) return 0;
  return static_cast<unsigned char>(l[0]) |
         static_cast<std::size_t>(static_cast<unsigned char>(l[1])) << 8;
}

// Whether a text of the page covers another text or a station's marker.
bool si_sovrappone(const viste::pagina_disegnata& p) {
  std::vector<viste::riquadro> t = p.scritte;
  std::sort(t.begin(), t.end(),
            [](const viste::riquadro& a, const viste::riquadro& b) {
              return a.x0 < b.x0;
            });
  for (std::size_t i = 0; i < t.size(); ++i) {
    for (std::size_t j = i + 1; j < t.size() && t[j].x0 < t[i].x1; ++j) {
      if (viste::si_sovrappongono(t[i], t[j])) return true;
    }
    for (const viste::riquadro& s : p.segni) {
      if (viste::si_sovrappongono(t[i], s)) return true;
    }
  }
  return false;
}

bool senza_controlli(const std::string& testo) {
  for (char c : testo) {
    if (static_cast<unsigned char>(c) < 0x20 && c != '\n') return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  const std::vector<char> copia(data, data + size);
  std::string_view resto(copia.data(), copia.size());
  const std::size_t n_tabella = lunghezza(resto);
  const std::size_t n_celle = lunghezza(resto);
  const std::string_view tabella = prendi(resto, n_tabella);
  std::string_view celle = prendi(resto, n_celle);
  const std::string_view piano = resto;

  viste::file_compilati_letti f;
  if (!compiler::decodifica_tabella(tabella, f.tabella).ok()) f.tabella = {};
  celle = celle.substr(
      0, celle.size() - celle.size() % compiler::cella_record_size);
  esigi(compiler::decodifica_celle(celle, f.celle).ok(), "whole cells refused");
  f.ha_piano = f.piano.apri(std::string(piano)).ok();
  f.byte_tabella = tabella.size();
  f.byte_celle = celle.size();
  f.byte_piano = piano.size();

  const viste::riepilogo r = viste::riassumi(f);
  const viste::opzioni_ispezione o{".", "Vendralo", "Kv4417", true, {}};
  std::ostringstream testo;
  viste::testo_ispezione(testo, o, f, r);
  esigi(senza_controlli(testo.str()), "control character in the summary");

  std::ostringstream documento;
  viste::json_ispezione(documento, o, f, r);
  const nlohmann::json j =
      nlohmann::json::parse(documento.str(), nullptr, false);
  esigi(!j.is_discarded(), "JSON does not parse back");
  esigi(j.at("voci").size() == compiler::numero_voci, "JSON lacks slots");
  esigi(j.at("celle").size() == f.celle.size(), "JSON lacks cells");
  esigi(j.at("segnali").size() == r.elementi.segnali.size(),
        "JSON lacks signals");

  const viste::pagina_disegnata p = viste::disegna(f, r);
  const std::string& svg = p.svg;
  esigi(svg.rfind("<?xml", 0) == 0 && svg.size() > 7 &&
            svg.compare(svg.size() - 7, 7, "</svg>\n") == 0,
        "drawing is not a whole document");
  esigi(senza_controlli(svg), "control character in the drawing");
  esigi(!si_sovrappone(p), "a text of the drawing covers another or a marker");
  return 0;
}
