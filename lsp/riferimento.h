// The authors' reference of the two source formats: one Markdown page per
// file, printed from the tables the reader, the editor's hover and the check
// use (records, value descriptions, faults, warnings), never written by hand.
#ifndef LSP_RIFERIMENTO_H_
#define LSP_RIFERIMENTO_H_

#include <vector>

#include "lsp/vscode.h"

namespace lsp {

// "formato-linea.md" and "formato-treno.md": Italian, UTF-8, LF line ends.
std::vector<file_generato> file_riferimento();

}  // namespace lsp

#endif  // LSP_RIFERIMENTO_H_
