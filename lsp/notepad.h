// The user-defined language of the two sources for Notepad++: section
// headers, the keywords of each part from the program's own tables,
// numbers, comment lines and board texts.
#ifndef LSP_NOTEPAD_H_
#define LSP_NOTEPAD_H_

#include <string>

namespace lsp {

// The file's name, and its bytes: XML in UTF-8 with CR LF line ends.
inline constexpr const char* file_notepad = "scenario.xml";
std::string lingua_notepad();

}  // namespace lsp

#endif  // LSP_NOTEPAD_H_
