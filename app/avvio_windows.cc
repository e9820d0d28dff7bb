// Command line of the Windows entry points.
#include "app/avvio_windows.h"

#include "port/testo_windows.h"

std::vector<std::string> argomenti_utf8(int argc, const wchar_t* const* argv) {
  std::vector<std::string> out;
  for (int i = 0; i < argc && argv[i] != nullptr; ++i) {
    out.push_back(port::utf8_da_utf16(argv[i]));
  }
  return out;
}
