// Windows implementation of the file-system operations the writers are
// built from. A new file is written under its temporary name from the
// start; a rename is written through to disk before it returns, which is
// what a sync of the folder gives on POSIX.
#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <string>
#include <utility>

#include "port/errori_windows.h"
#include "port/operazioni.h"
#include "port/scrittura.h"
#include "port/testo_windows.h"

namespace fs = std::filesystem;

namespace port {

namespace {

using interno::errore_windows;
using interno::maniglia;

// Opens a name only to look at it: no access, any sharing, a folder too.
HANDLE apri_per_guardare(const fs::path& p) {
  return ::CreateFileW(
      p.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

// Writes all of `byte` with WriteFile in writes of at most
// blocco_scrittura bytes; 0 or the Windows error.
DWORD scrivi_tutto(HANDLE h, std::string_view byte) {
  while (!byte.empty()) {
    const auto quanti =
        static_cast<DWORD>(std::min(byte.size(), blocco_scrittura));
    DWORD fatti = 0;
    if (!::WriteFile(h, byte.data(), quanti, &fatti, nullptr)) {
      return ::GetLastError();
    }
    if (fatti == 0) return ERROR_DISK_FULL;
    byte.remove_prefix(fatti);
  }
  return 0;
}

// The status of a rename onto `a` that was refused with
// ERROR_ACCESS_DENIED, naming `nome`: Windows says so for a folder in the
// way and for a file that another program holds open without delete
// sharing, as well as for permissions.
io_status sostituzione_negata(const fs::path& a, const fs::path& nome) {
  const DWORD attributi = ::GetFileAttributesW(a.c_str());
  if (attributi != INVALID_FILE_ATTRIBUTES &&
      (attributi & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return errore_sistema(nome, EISDIR);
  }
  // Asking for delete access while sharing everything fails only on a
  // sharing conflict with an open handle.
  const maniglia prova(::CreateFileW(
      a.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!prova.valida() && ::GetLastError() == ERROR_SHARING_VIOLATION) {
    return errore_windows(nome, ERROR_SHARING_VIOLATION);
  }
  return errore_sistema(nome, EACCES);
}

}  // namespace

posto_file posto_di(const fs::path& p) {
  // Looking through any link; a name that leads nowhere is free.
  const maniglia h(apri_per_guardare(p));
  if (!h.valida()) return posto_file::libero;
  switch (::GetFileType(h.get())) {
    case FILE_TYPE_DISK: {
      BY_HANDLE_FILE_INFORMATION info{};
      if (::GetFileInformationByHandle(h.get(), &info) &&
          (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return posto_file::cartella;
      }
      return posto_file::libero;
    }
    case FILE_TYPE_CHAR:
    case FILE_TYPE_PIPE:
      return posto_file::attraversabile;
    default:
      return posto_file::altro;
  }
}

bool stesso_file(const fs::path& a, const fs::path& b) {
  const maniglia ha(apri_per_guardare(a));
  const maniglia hb(apri_per_guardare(b));
  BY_HANDLE_FILE_INFORMATION ia{};
  BY_HANDLE_FILE_INFORMATION ib{};
  return ha.valida() && hb.valida() &&
         ::GetFileInformationByHandle(ha.get(), &ia) &&
         ::GetFileInformationByHandle(hb.get(), &ib) &&
         ia.dwVolumeSerialNumber == ib.dwVolumeSerialNumber &&
         ia.nFileIndexHigh == ib.nFileIndexHigh &&
         ia.nFileIndexLow == ib.nFileIndexLow;
}

namespace interno {

file_nuovo::file_nuovo(fs::path destinazione, fs::path temporaneo)
    : destinazione_(std::move(destinazione)),
      temporaneo_(std::move(temporaneo)) {}

file_nuovo::~file_nuovo() { scarta(); }

void file_nuovo::scarta() {
  if (descrittore_ >= 0) ::_close(descrittore_);
  descrittore_ = -1;
  if (nominato_) ::DeleteFileW(temporaneo_.c_str());
  nominato_ = false;
}

io_status file_nuovo::fallito(int numero) {
  stato_ = errore_sistema(destinazione_, numero);
  scarta();
  return stato_;
}

io_status file_nuovo::apri() {
  // In the target's folder, so that the rename stays on one volume; not
  // inherited by child processes, like O_CLOEXEC.
  descrittore_ =
      ::_wsopen(temporaneo_.c_str(),
                _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                _SH_DENYNO, _S_IREAD | _S_IWRITE);
  if (descrittore_ < 0) return fallito(errno);
  nominato_ = true;
  return stato_;
}

io_status file_nuovo::scrivi(std::string_view byte) {
  if (!stato_.ok()) return stato_;
  // _write takes an unsigned count and reports an int: writes of
  // blocco_scrittura keep both in range.
  while (!byte.empty()) {
    const auto quanti =
        static_cast<unsigned>(std::min(byte.size(), blocco_scrittura));
    const int n = ::_write(descrittore_, byte.data(), quanti);
    if (n < 0) return fallito(errno);
    // A short write without an error is a full disk.
    if (n == 0) return fallito(ENOSPC);
    byte.remove_prefix(static_cast<std::size_t>(n));
  }
  return stato_;
}

io_status file_nuovo::chiudi(bool durevole) {
  if (!stato_.ok()) return stato_;
  if (durevole && ::_commit(descrittore_) != 0) return fallito(errno);
  const int fd = std::exchange(descrittore_, -1);
  if (::_close(fd) != 0) return fallito(errno);
  return stato_;
}

io_status scrivi_attraverso(const fs::path& p, const contenuto_file& c) {
  const maniglia h(::CreateFileW(p.c_str(), GENERIC_WRITE,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                 OPEN_EXISTING, 0, nullptr));
  if (!h.valida()) return errore_windows(p, ::GetLastError());
  DWORD codice = 0;
  if (!c.pezzi) {
    codice = scrivi_tutto(h.get(), c.byte);
  } else {
    for (std::string_view pezzo = c.pezzi(); codice == 0 && !pezzo.empty();
         pezzo = c.pezzi()) {
      codice = scrivi_tutto(h.get(), pezzo);
    }
  }
  if (codice != 0) return errore_windows(p, codice);
  return {};
}

io_status sostituibile(const fs::path& p) {
  // Delete access while sharing everything fails only when a program holds
  // the file open without letting it go, as the simulator may.
  const maniglia h(::CreateFileW(
      p.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
      nullptr, OPEN_EXISTING,
      FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!h.valida() && ::GetLastError() == ERROR_SHARING_VIOLATION) {
    return errore_windows(p, ERROR_SHARING_VIOLATION);
  }
  return {};
}

io_status rinomina(const fs::path& da, const fs::path& a,
                   const fs::path& nome) {
  if (!::MoveFileExW(da.c_str(), a.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    const DWORD codice = ::GetLastError();
    return codice == ERROR_ACCESS_DENIED ? sostituzione_negata(a, nome)
                                         : errore_windows(nome, codice);
  }
  return {};
}

io_status rinomina(const fs::path& da, const fs::path& a) {
  return rinomina(da, a, a);
}

io_status collega(const fs::path& esistente, const fs::path& nuovo) {
  if (!::CreateHardLinkW(nuovo.c_str(), esistente.c_str(), nullptr)) {
    return errore_windows(esistente, ::GetLastError());
  }
  return {};
}

io_status crea_vuoto(const fs::path& p) {
  const maniglia h(
      ::CreateFileW(p.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr));
  if (!h.valida()) return errore_windows(p, ::GetLastError());
  return {};
}

io_status sincronizza_cartella(const fs::path&) { return {}; }

io_status nomi_in(const fs::path& cartella, std::vector<std::string>& nomi) {
  nomi.clear();
  WIN32_FIND_DATAW dati{};
  const fs::path tutti = cartella / L"*";
  HANDLE h = ::FindFirstFileExW(tutti.c_str(), FindExInfoBasic, &dati,
                                FindExSearchNameMatch, nullptr, 0);
  if (h == INVALID_HANDLE_VALUE) {
    return errore_windows(cartella, ::GetLastError());
  }
  do {
    const std::wstring_view n = dati.cFileName;
    if (n != L"." && n != L"..") nomi.push_back(utf8_da_utf16(n));
  } while (::FindNextFileW(h, &dati));
  const DWORD codice = ::GetLastError();
  ::FindClose(h);
  if (codice != ERROR_NO_MORE_FILES) return errore_windows(cartella, codice);
  return {};
}

std::uint64_t processo_corrente() { return ::GetCurrentProcessId(); }

bool processo_vivo(std::uint64_t pid) {
  if (pid == 0 || pid > 0xffffffffu) return false;
  HANDLE h = ::OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(pid));
  if (h == nullptr) {
    // A process of another user may not be opened, but it runs.
    return ::GetLastError() == ERROR_ACCESS_DENIED;
  }
  const bool vivo = ::WaitForSingleObject(h, 0) == WAIT_TIMEOUT;
  ::CloseHandle(h);
  return vivo;
}

}  // namespace interno

}  // namespace port
