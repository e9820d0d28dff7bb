// Windows implementation of the platform layer's reads, kinds of names,
// removal and the program's folder. Every name goes to the system as UTF-16
// (the wide calls), so folders outside the ANSI code page work; every file
// is binary.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "port/errori_windows.h"
#include "port/sistema.h"
#include "port/testo_windows.h"

namespace fs = std::filesystem;

namespace port {

using interno::assente;
using interno::errore_windows;
using interno::maniglia;
using interno::motivo_windows;

file_letto leggi_file(const fs::path& p, std::uint64_t massimo) {
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
  if (dimensione > massimo) {
    out.stato = file_letto::esito::illeggibile;
    out.motivo = motivo_troppo_grande(massimo);
    return out;
  }
  if (dimensione > 0) out.byte.reserve(static_cast<std::size_t>(dimensione));
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
    // A file that grows while it is read is held to the same bound.
    if (out.byte.size() + letti > massimo) {
      out.stato = file_letto::esito::illeggibile;
      out.motivo = motivo_troppo_grande(massimo);
      out.byte.clear();
      break;
    }
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
