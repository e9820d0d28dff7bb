// Fuzz target of inspect and plot on compiled files of any content. The
// input is a table file, a cell file and a plan file, in that order, the
// first two preceded by their lengths (two bytes each, little-endian); a
// table or plan that the decoders refuse is left out, a cell file is cut to
// whole cells. Whatever the files hold, the summary has no control
// character but line ends, the JSON parses back with every slot and cell,
// and the drawing is a whole SVG document without a control character.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <vector>

#include "app/disegno.h"
#include "app/ispeziona.h"
#include "app/ispeziona_json.h"
#include "app/lettura_compilati.h"
#include "app/riepilogo.h"
#include "compiler/decodifica.h"
#include "compiler/file_compilati.h"

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

  file_compilati_letti f;
  if (!decodifica_tabella(tabella, f.tabella).ok()) f.tabella = {};
  celle = celle.substr(
      0, celle.size() - celle.size() % compiler::cella_record_size);
  esigi(decodifica_celle(celle, f.celle).ok(), "whole cells refused");
  f.ha_piano = decodifica_piano(piano, f.piano).ok();
  if (!f.ha_piano) f.piano.svuota();
  f.byte_tabella = tabella.size();
  f.byte_celle = celle.size();
  f.byte_piano = piano.size();

  const riepilogo r = riassumi(f);
  opzioni o;
  esigi(senza_controlli(testo_ispezione(o, ".", f, r)),
        "control character in the summary");

  const nlohmann::json j =
      nlohmann::json::parse(json_ispezione(f, r, true), nullptr, false);
  esigi(!j.is_discarded(), "JSON does not parse back");
  esigi(j.at("voci").size() == compiler::numero_voci, "JSON lacks slots");
  esigi(j.at("celle").size() == f.celle.size(), "JSON lacks cells");

  const std::string svg = disegno_svg(f, r);
  esigi(svg.rfind("<?xml", 0) == 0 && svg.size() > 7 &&
            svg.compare(svg.size() - 7, 7, "</svg>\n") == 0,
        "drawing is not a whole document");
  esigi(senza_controlli(svg), "control character in the drawing");
  return 0;
}
