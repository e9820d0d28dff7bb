// The lsp command.
#include "app/lsp.h"

#include "app/diagnostica.h"
#include "app/stato_uscita.h"
#include "app/versione.h"
#include "lsp/notepad.h"
#include "lsp/server.h"
#include "port/sistema.h"

int esegui_lsp(const opzioni& o, std::istream& in, std::ostream& out,
               std::ostream& err) {
  if (o.notepad) {
    const port::io_status s = port::sostituisci_file(
        port::percorso_da_testo(*o.notepad) / lsp::file_notepad,
        lsp::lingua_notepad());
    if (!s.ok()) {
      err << "scenario: " << s.message << "\n";
      return stato_file;
    }
    return stato_ok;
  }
  // The protocol counts bytes: nothing may translate them on the way in.
  port::ingresso_binario();
  return lsp::esegui(in, out,
                     {&significato_diagnosi, std::string(versione_programma)});
}
