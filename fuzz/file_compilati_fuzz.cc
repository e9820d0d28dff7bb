// Fuzz target of the decoders: arbitrary bytes read as a cell file, a table
// file and a plan file. A decoder never reads past its buffer, and what it
// accepts encodes back to exactly the same bytes.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/decodifica.h"
#include "compiler/file_compilati.h"
#include "compiler/scenario.h"

namespace {

void esigi(bool condizione, const char* cosa) {
  if (condizione) return;
  std::fprintf(stderr, "file_compilati_fuzz: %s\n", cosa);
  std::fflush(stderr);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  // A copy of exactly `size` bytes, so that the sanitizer sees any read
  // past the end.
  const std::vector<char> copia(data, data + size);
  const std::string_view byte(copia.data(), copia.size());

  std::vector<compiler::cella> celle;
  const compiler::esito_decodifica ec = decodifica_celle(byte, celle);
  esigi(ec.ok() || ec.offset <= size, "cells: offset past the end");
  if (ec.ok()) esigi(codifica_celle(celle) == byte, "cells: no round trip");

  std::array<compiler::voce_dati, compiler::numero_voci> tabella{};
  const compiler::esito_decodifica et = decodifica_tabella(byte, tabella);
  esigi(et.ok() || et.offset <= size, "table: offset past the end");
  if (et.ok()) esigi(codifica_tabella(tabella) == byte, "table: no round trip");

  compiler::tracciato_piano piano;
  const compiler::esito_decodifica ep = decodifica_piano(byte, piano);
  esigi(ep.ok() || ep.offset <= size, "plan: offset past the end");
  if (ep.ok()) esigi(codifica_piano(piano) == byte, "plan: no round trip");
  return 0;
}
