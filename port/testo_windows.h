// UTF-8 and UTF-16 text on Windows: the program's text is UTF-8, the
// system's wide calls take and give UTF-16. Used by the Windows-only files.
#ifndef PORT_TESTO_WINDOWS_H_
#define PORT_TESTO_WINDOWS_H_

#include <string>
#include <string_view>

namespace port {

// Invalid sequences become U+FFFD, so every text converts.
std::wstring utf16_da_utf8(std::string_view utf8);
std::string utf8_da_utf16(std::wstring_view utf16);

}  // namespace port

#endif  // PORT_TESTO_WINDOWS_H_
