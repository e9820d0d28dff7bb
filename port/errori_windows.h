// Windows errors in the words reports use, and handles that close
// themselves; for the Windows files of the platform layer only. Reasons are
// the C library's errno texts where Windows means the same as POSIX, so both
// builds report alike; other Windows errors keep the system's own text.
#ifndef PORT_ERRORI_WINDOWS_H_
#define PORT_ERRORI_WINDOWS_H_

#include <windows.h>

#include <filesystem>
#include <string>

#include "port/sistema.h"

namespace port::interno {

// The errno value that means what a Windows error code means, or 0 when
// there is none.
int errno_di(DWORD codice);

// The reason for a Windows error code: its errno text, or the system's.
std::string motivo_windows(DWORD codice);

// "<file>: <reason for codice>".
io_status errore_windows(const std::filesystem::path& file, DWORD codice);

// True for the codes that mean the name leads to nothing.
bool assente(DWORD codice);

// Closes a handle when it goes.
class maniglia {
 public:
  explicit maniglia(HANDLE h) : h_(h) {}
  ~maniglia() {
    if (valida()) ::CloseHandle(h_);
  }
  maniglia(const maniglia&) = delete;
  maniglia& operator=(const maniglia&) = delete;

  bool valida() const { return h_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return h_; }

 private:
  HANDLE h_;
};

}  // namespace port::interno

#endif  // PORT_ERRORI_WINDOWS_H_
