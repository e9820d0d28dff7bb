// The lsp command.
#include "app/lsp.h"

#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "app/diagnostica.h"
#include "app/stato_uscita.h"
#include "app/versione.h"
#include "lsp/notepad.h"
#include "lsp/riferimento.h"
#include "lsp/server.h"
#include "lsp/vscode.h"
#include "port/scrittura.h"
#include "port/sistema.h"

namespace {

// Writes each file under `cartella`, making the folders it needs.
int scrivi(const std::filesystem::path& cartella,
           const std::vector<lsp::file_generato>& file, std::ostream& err) {
  for (const lsp::file_generato& f : file) {
    const std::filesystem::path p =
        cartella / port::percorso_da_testo(f.percorso);
    std::error_code e;
    std::filesystem::create_directories(p.parent_path(), e);
    if (e) {
      err << "scenario: " << port::testo_percorso(p.parent_path()) << ": "
          << port::motivo_sistema(e.value()) << "\n";
      return stato_file;
    }
    const port::io_status s = port::sostituisci_file(p, f.byte);
    if (!s.ok()) {
      err << "scenario: " << s.message << "\n";
      return stato_file;
    }
  }
  return stato_ok;
}

}  // namespace

int esegui_lsp(const opzioni& o, std::istream& in, std::ostream& out,
               std::ostream& err) {
  const std::optional<std::string> notepad = o.valore("--notepad++");
  const std::optional<std::string> vscode = o.valore("--vscode");
  const std::optional<std::string> riferimento = o.valore("--riferimento");
  if (notepad || vscode || riferimento) {
    if (notepad) {
      const int s = scrivi(port::percorso_da_testo(*notepad),
                           {{lsp::file_notepad, lsp::lingua_notepad()}}, err);
      if (s != stato_ok) return s;
    }
    if (vscode) {
      const int s =
          scrivi(port::percorso_da_testo(*vscode), lsp::file_vscode(), err);
      if (s != stato_ok) return s;
    }
    if (riferimento) {
      return scrivi(port::percorso_da_testo(*riferimento),
                    lsp::file_riferimento(), err);
    }
    return stato_ok;
  }
  // The protocol counts bytes: nothing may translate them on the way in.
  port::ingresso_binario();
  return lsp::esegui(in, out,
                     {&significato_diagnosi, std::string(versione_programma)});
}
