// Document writer: UTF-8 lines in, Windows-1252 bytes with CR LF out.
#include "content/documento.h"

port::io_status scrivi_documento(const std::filesystem::path& file,
                                 std::span<const std::string> righe) {
  std::string byte;
  std::size_t n = 0;
  for (const std::string& riga : righe) {
    if (riga == fine_documento) break;
    if (++n > righe_massime) {
      return {port::testo_percorso(file) + ": more than " +
              std::to_string(righe_massime) + " lines"};
    }
    std::string scartato;
    if (!source::in_cp1252(riga, byte, scartato)) {
      return {port::testo_percorso(file) + ": line " + std::to_string(n) +
              ": " + scartato};
    }
    byte += "\r\n";
  }
  return port::sostituisci_file(file, byte);
}
