// The `lsp` command: the language server on standard input and output for
// the authors' editors, or the editors' files that come from the program's
// tables: the Notepad++ language (--notepad++ DIR), the VS Code grammars and
// snippets (--vscode DIR).
#ifndef APP_LSP_H_
#define APP_LSP_H_

#include <istream>
#include <ostream>

#include "app/riga_comando.h"

// Serves until the editor says "exit" (status 0 after "shutdown", 1
// otherwise, as the protocol asks) or the input ends (1). With --notepad++
// DIR or --vscode DIR, writes those files instead and returns 0, or 3 when
// one cannot be written.
int esegui_lsp(const opzioni& o, std::istream& in, std::ostream& out,
               std::ostream& err);

#endif  // APP_LSP_H_
