// Conversions through the system's own converter, which follows the
// standard for invalid input (one U+FFFD per bad sequence).
#include "port/testo_windows.h"

#include <windows.h>

#include <climits>

namespace port {

std::wstring utf16_da_utf8(std::string_view utf8) {
  if (utf8.empty() || utf8.size() > INT_MAX) return {};
  const int lunghezza = static_cast<int>(utf8.size());
  const int n =
      ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), lunghezza, nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), lunghezza, out.data(), n);
  return out;
}

std::string utf8_da_utf16(std::wstring_view utf16) {
  if (utf16.empty() || utf16.size() > INT_MAX) return {};
  const int lunghezza = static_cast<int>(utf16.size());
  const int n = ::WideCharToMultiByte(CP_UTF8, 0, utf16.data(), lunghezza,
                                      nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, utf16.data(), lunghezza, out.data(), n,
                        nullptr, nullptr);
  return out;
}

}  // namespace port
