// Windows folder lock: a file of the folder opened with no sharing and
// removed when it is closed, which the system does when the process ends.
#include <windows.h>

#include "port/blocco_cartella.h"

namespace port {

namespace {

constexpr wchar_t nome_blocco[] = L"scenario.blocco";
constexpr DWORD attesa_ms = 25;

}  // namespace

blocco_cartella::blocco_cartella(const std::filesystem::path& cartella,
                                 const std::function<void()>& in_attesa) {
  const std::filesystem::path nome = cartella / nome_blocco;
  bool avvisato = false;
  for (;;) {
    HANDLE h = ::CreateFileW(
        nome.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, 0, nullptr,
        OPEN_ALWAYS, FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE,
        nullptr);
    if (h != INVALID_HANDLE_VALUE) {
      maniglia_ = reinterpret_cast<std::intptr_t>(h);
      return;
    }
    const DWORD codice = ::GetLastError();
    // Held by another process; or just closed by it, and not yet removed,
    // which the system reports as access denied while the file is there.
    const bool tenuto =
        codice == ERROR_SHARING_VIOLATION ||
        (codice == ERROR_ACCESS_DENIED &&
         ::GetFileAttributesW(nome.c_str()) != INVALID_FILE_ATTRIBUTES);
    if (!tenuto) return;
    if (!avvisato && codice == ERROR_SHARING_VIOLATION) {
      if (in_attesa) in_attesa();
      avvisato = true;
    }
    ::Sleep(attesa_ms);
  }
}

blocco_cartella::~blocco_cartella() {
  if (maniglia_ != -1) ::CloseHandle(reinterpret_cast<HANDLE>(maniglia_));
}

}  // namespace port
