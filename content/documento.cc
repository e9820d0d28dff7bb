// Document writer: UTF-8 lines in, Windows-1252 bytes with CR LF out.
#include "content/documento.h"

#include "source/cp1252.h"

namespace content {

documento codifica_documento(std::span<const std::string> righe) {
  documento d;
  std::size_t n = 0;
  for (const std::string& riga : righe) {
    if (riga == fine_documento) break;
    if (++n > righe_massime) {
      d.byte.clear();
      d.guasto = "più di " + std::to_string(righe_massime) + " righe";
      return d;
    }
    std::string scartato;
    if (!source::in_cp1252(riga, d.byte, scartato)) {
      d.byte.clear();
      d.guasto = "riga " + std::to_string(n) + ": " + scartato;
      return d;
    }
    d.byte += "\r\n";
  }
  return d;
}

}  // namespace content
