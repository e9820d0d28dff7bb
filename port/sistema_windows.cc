// Windows implementation of the platform layer. Every name goes to the
// system as UTF-16 (the wide calls), so folders outside the ANSI code page
// work; every file is binary. Reasons are the C library's errno texts where
// Windows means the same as POSIX, so both builds report alike; other
// Windows errors keep the system's own text.
#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "port/sistema.h"
#include "port/temporaneo.h"
#include "port/testo_windows.h"

namespace fs = std::filesystem;

namespace port {

namespace {

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
  if (out.empty()) out = "Windows error " + std::to_string(codice);
  return out;
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

// The status of a replace of `destinazione` that was refused with
// ERROR_ACCESS_DENIED: Windows says so for a folder in the way and for a file
// that another program holds open without delete sharing, as well as for
// permissions.
io_status sostituzione_negata(const fs::path& destinazione) {
  const DWORD attributi = ::GetFileAttributesW(destinazione.c_str());
  if (attributi != INVALID_FILE_ATTRIBUTES &&
      (attributi & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return errore_sistema(destinazione, EISDIR);
  }
  // Asking for delete access while sharing everything fails only on a
  // sharing conflict with an open handle.
  const maniglia prova(::CreateFileW(
      destinazione.c_str(), DELETE,
      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!prova.valida() && ::GetLastError() == ERROR_SHARING_VIOLATION) {
    return errore_windows(destinazione, ERROR_SHARING_VIOLATION);
  }
  return errore_sistema(destinazione, EACCES);
}

}  // namespace

file_letto leggi_file(const fs::path& p) {
  file_letto out;
  // Backup semantics opens a folder too, so that a folder is refused for
  // being one rather than for the access it denies. Sharing everything
  // keeps the read from failing on a file the simulator holds open.
  const maniglia h(::CreateFileW(
      p.c_str(), GENERIC_READ,
      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_SEQUENTIAL_SCAN,
      nullptr));
  if (!h.valida()) {
    const DWORD codice = ::GetLastError();
    if (assente(codice)) {
      out.stato = file_letto::esito::assente;
      out.motivo = motivo_sistema(ENOENT);
    } else {
      out.stato = file_letto::esito::illeggibile;
      out.motivo = motivo_windows(codice);
    }
    return out;
  }
  BY_HANDLE_FILE_INFORMATION info{};
  if (!::GetFileInformationByHandle(h.get(), &info)) {
    out.stato = file_letto::esito::illeggibile;
    out.motivo = motivo_windows(::GetLastError());
    return out;
  }
  if ((info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    out.stato = file_letto::esito::illeggibile;
    out.motivo = motivo_sistema(EISDIR);
    return out;
  }
  if (::GetFileType(h.get()) != FILE_TYPE_DISK) {
    // A pipe or a device may never end.
    out.stato = file_letto::esito::illeggibile;
    out.motivo = "non è un file regolare";
    return out;
  }
  const std::uint64_t dimensione =
      (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) |
      info.nFileSizeLow;
  if (dimensione > 0 && dimensione < SIZE_MAX) {
    out.byte.reserve(static_cast<std::size_t>(dimensione));
  }
  std::vector<char> blocco(1 << 16);
  for (;;) {
    DWORD letti = 0;
    if (!::ReadFile(h.get(), blocco.data(), static_cast<DWORD>(blocco.size()),
                    &letti, nullptr)) {
      out.stato = file_letto::esito::illeggibile;
      out.motivo = motivo_windows(::GetLastError());
      out.byte.clear();
      break;
    }
    if (letti == 0) break;
    out.byte.append(blocco.data(), letti);
  }
  return out;
}

tipo_voce tipo_di(const fs::path& p) {
  const DWORD attributi = ::GetFileAttributesW(p.c_str());
  if (attributi == INVALID_FILE_ATTRIBUTES) return tipo_voce::assente;
  // A link or a junction is the user's, whatever it points to.
  if ((attributi & FILE_ATTRIBUTE_REPARSE_POINT) != 0) return tipo_voce::altro;
  if ((attributi & FILE_ATTRIBUTE_DIRECTORY) != 0) return tipo_voce::cartella;
  if ((attributi & FILE_ATTRIBUTE_DEVICE) != 0) return tipo_voce::altro;
  return tipo_voce::file;
}

io_status rimuovi(const fs::path& p) {
  const DWORD attributi = ::GetFileAttributesW(p.c_str());
  if (attributi == INVALID_FILE_ATTRIBUTES) {
    const DWORD codice = ::GetLastError();
    if (assente(codice)) return {};
    return errore_windows(p, codice);
  }
  const bool fatto = (attributi & FILE_ATTRIBUTE_DIRECTORY) != 0
                         ? ::RemoveDirectoryW(p.c_str())
                         : ::DeleteFileW(p.c_str());
  if (!fatto) {
    const DWORD codice = ::GetLastError();
    if (!assente(codice)) return errore_windows(p, codice);
  }
  return {};
}

void file_sostitutivo::scarta() {
  if (descrittore_ >= 0) ::_close(descrittore_);
  descrittore_ = -1;
  if (!temporaneo_.empty()) {
    ::DeleteFileW(temporaneo_.c_str());
    temporaneo_.clear();
  }
}

io_status file_sostitutivo::apri() {
  // A fresh name in the target's folder keeps the replace on one volume and
  // never clobbers another file; the descriptor is not inherited by child
  // processes, like O_CLOEXEC.
  descrittore_ =
      crea_temporaneo(destinazione_, temporaneo_, [](const fs::path& nome) {
        return ::_wsopen(
            nome.c_str(),
            _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
            _SH_DENYNO, _S_IREAD | _S_IWRITE);
      });
  if (descrittore_ < 0) return fallito(errno);
  return stato_;
}

io_status file_sostitutivo::scrivi(std::string_view byte) {
  if (!stato_.ok()) return stato_;
  if (descrittore_ < 0) {
    stato_ = {testo_percorso(destinazione_) + ": file not open"};
    return stato_;
  }
  // _write takes an unsigned count and reports an int: blocks of 1 MiB keep
  // both in range.
  constexpr std::size_t blocco_massimo = std::size_t{1} << 20;
  while (!byte.empty()) {
    const auto quanti =
        static_cast<unsigned>(std::min(byte.size(), blocco_massimo));
    const int n = ::_write(descrittore_, byte.data(), quanti);
    if (n < 0) return fallito(errno);
    // A short write without an error is a full disk.
    if (n == 0) return fallito(ENOSPC);
    byte.remove_prefix(static_cast<std::size_t>(n));
  }
  return stato_;
}

io_status file_sostitutivo::conferma() {
  if (!stato_.ok()) return stato_;
  if (descrittore_ < 0) {
    stato_ = {testo_percorso(destinazione_) + ": file not open"};
    return stato_;
  }
  if (::_commit(descrittore_) != 0) return fallito(errno);
  const int fd = std::exchange(descrittore_, -1);
  if (::_close(fd) != 0) return fallito(errno);
  // Write-through returns only once the replace is on disk, which is what
  // a sync of the folder gives on POSIX.
  if (!::MoveFileExW(temporaneo_.c_str(), destinazione_.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    const DWORD codice = ::GetLastError();
    stato_ = codice == ERROR_ACCESS_DENIED
                 ? sostituzione_negata(destinazione_)
                 : errore_windows(destinazione_, codice);
    scarta();
    return stato_;
  }
  temporaneo_.clear();
  return stato_;
}

void ingresso_binario() { _setmode(_fileno(stdin), _O_BINARY); }

std::optional<fs::path> cartella_programma(std::string_view argv0) {
  // The buffer grows until the whole name fits: names may be longer than
  // MAX_PATH.
  std::wstring nome(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = ::GetModuleFileNameW(nullptr, nome.data(),
                                         static_cast<DWORD>(nome.size()));
    if (n == 0) break;
    if (n < nome.size()) {
      nome.resize(n);
      const fs::path exe(nome);
      if (exe.has_parent_path()) return exe.parent_path();
      break;
    }
    if (nome.size() >= 32768) break;
    nome.resize(nome.size() * 2);
  }
  if (argv0.empty()) return std::nullopt;
  std::error_code ec;
  const fs::path exe = fs::absolute(percorso_da_testo(argv0), ec);
  if (ec || !exe.has_parent_path()) return std::nullopt;
  return exe.parent_path();
}

}  // namespace port
