// Helpers for the Windows tests that touch files: a file held open the way
// another program (the simulator) may hold it, and the system's own words
// for a Windows error.
#ifndef TESTS_FILE_WINDOWS_PROVA_H_
#define TESTS_FILE_WINDOWS_PROVA_H_

#include <windows.h>

#include <filesystem>
#include <string>

#include "port/testo_windows.h"

namespace file_prova {

// Opens an existing file for reading and writing with the given sharing;
// closed with the object.
class tenuto_aperto {
 public:
  tenuto_aperto(const std::filesystem::path& p, DWORD condivisione)
      : h_(::CreateFileW(p.c_str(), GENERIC_READ | GENERIC_WRITE, condivisione,
                         nullptr, OPEN_EXISTING, 0, nullptr)) {}
  ~tenuto_aperto() {
    if (h_ != INVALID_HANDLE_VALUE) ::CloseHandle(h_);
  }
  tenuto_aperto(const tenuto_aperto&) = delete;
  tenuto_aperto& operator=(const tenuto_aperto&) = delete;

  bool aperto() const { return h_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE h_;
};

}  // namespace file_prova

#endif  // TESTS_FILE_WINDOWS_PROVA_H_
