// Windows errors in the words reports use.
#include "port/errori_windows.h"

#include <cerrno>
#include <string>

#include "port/testo_windows.h"

namespace fs = std::filesystem;

namespace port::interno {

namespace {

// The system's text for a Windows error code, in the user's language,
// without the final full stop and line end that the system appends.
std::string testo_windows(DWORD codice) {
  wchar_t* testo = nullptr;
  const DWORD n = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
          FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_MAX_WIDTH_MASK,
      nullptr, codice, 0, reinterpret_cast<wchar_t*>(&testo), 0, nullptr);
  std::string out;
  if (n > 0 && testo != nullptr) {
    std::wstring_view t(testo, n);
    while (!t.empty() && (t.back() == L' ' || t.back() == L'.' ||
                          t.back() == L'\r' || t.back() == L'\n')) {
      t.remove_suffix(1);
    }
    out = utf8_da_utf16(t);
  }
  if (testo != nullptr) ::LocalFree(testo);
  if (out.empty()) out = "errore di Windows " + std::to_string(codice);
  return out;
}

}  // namespace

// The errno value that means what a Windows error code means, or 0 when
// there is none. Only values whose text is the same in both C libraries are
// given, since reports are compared across the two builds.
int errno_di(DWORD codice) {
  switch (codice) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
      return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_NETWORK_ACCESS_DENIED:
      return EACCES;
    case ERROR_WRITE_PROTECT:
      return EROFS;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
      return EEXIST;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return ENOSPC;
    case ERROR_DIRECTORY:
      return ENOTDIR;
    case ERROR_DIR_NOT_EMPTY:
      return ENOTEMPTY;
    case ERROR_TOO_MANY_OPEN_FILES:
      return EMFILE;
    default:
      return 0;
  }
}

std::string motivo_windows(DWORD codice) {
  // The reasons Windows alone gives, in the program's language.
  switch (codice) {
    case ERROR_SHARING_VIOLATION:
      return "il file è aperto da un altro programma";
    case ERROR_LOCK_VIOLATION:
      return "una parte del file è bloccata da un altro programma";
    default:
      break;
  }
  const int numero = errno_di(codice);
  return numero != 0 ? motivo_sistema(numero) : testo_windows(codice);
}

io_status errore_windows(const fs::path& file, DWORD codice) {
  return {testo_percorso(file) + ": " + motivo_windows(codice)};
}

bool assente(DWORD codice) {
  // A name through a file ("f\x" with f a file) is not there either.
  return errno_di(codice) == ENOENT || codice == ERROR_DIRECTORY ||
         codice == ERROR_INVALID_NAME;
}

}  // namespace port::interno
