// The files of the VS Code extension that come from the program's own
// tables: the TextMate grammar of each source (sections, keywords, numbers,
// comment lines, station names and board texts) and its snippets.
#ifndef LSP_VSCODE_H_
#define LSP_VSCODE_H_

#include <string>
#include <vector>

namespace lsp {

struct file_generato {
  std::string percorso;  // inside the extension's folder, with '/'
  std::string byte;      // JSON, UTF-8, LF line ends
};

std::vector<file_generato> file_vscode();

}  // namespace lsp

#endif  // LSP_VSCODE_H_
