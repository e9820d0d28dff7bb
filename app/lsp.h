// The `lsp` command: the language server on standard input and output for
// the authors' editors, or, with --notepad++ DIR, the Notepad++ language of
// the sources written into DIR.
#ifndef APP_LSP_H_
#define APP_LSP_H_

#include <istream>
#include <ostream>

#include "app/riga_comando.h"

// Serves until the editor says "exit" (status 0 after "shutdown", 1
// otherwise, as the protocol asks) or the input ends (1). With
// o.notepad, writes the language file and returns 0, or 3 when it cannot.
int esegui_lsp(const opzioni& o, std::istream& in, std::ostream& out,
               std::ostream& err);

#endif  // APP_LSP_H_
