// Runs a program of the build in a child process on Windows, for the tests
// that check the real executables: the command line is quoted as the C
// runtime splits it, and standard output and error are caught together.
#ifndef TESTS_PROCESSO_WINDOWS_H_
#define TESTS_PROCESSO_WINDOWS_H_

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "port/sistema.h"
#include "port/testo_windows.h"

namespace processo_prova {

// A program that has not ended by then is stuck.
inline constexpr DWORD millisecondi_massimi = 60000;

// The program built next to the tests.
inline std::filesystem::path programma(const wchar_t* nome) {
  const std::optional<std::filesystem::path> c = port::cartella_programma("");
  return c ? *c / nome : std::filesystem::path(nome);
}

// One argument quoted for CommandLineToArgvW and the C runtime: backslashes
// are literal except before a quote, where they are doubled.
inline std::wstring tra_virgolette(const std::wstring& a) {
  std::wstring out = L"\"";
  std::size_t barre = 0;
  for (wchar_t c : a) {
    if (c == L'\\') {
      ++barre;
      continue;
    }
    out.append(c == L'"' ? 2 * barre + 1 : barre, L'\\');
    barre = 0;
    out += c;
  }
  out.append(2 * barre, L'\\');
  out += L'"';
  return out;
}

// A child process; ended by force and closed with the object if it is
// still running then.
class processo {
 public:
  // With `cattura`, standard output and error go to one pipe that uscita()
  // reads; otherwise the child gets no standard handles, as from Explorer.
  processo(const std::filesystem::path& programma,
           const std::vector<std::string>& argomenti, bool cattura) {
    std::wstring riga = tra_virgolette(programma.wstring());
    for (const std::string& a : argomenti) {
      riga += L' ';
      riga += tra_virgolette(port::utf16_da_utf8(a));
    }
    STARTUPINFOW si{};
    si.cb = sizeof si;
    BOOL eredita = FALSE;
    if (cattura) {
      SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
      // Room for all the program prints, so that it never waits on us.
      if (!::CreatePipe(&lettura_, &scrittura_, &sa, 1 << 20)) {
        ADD_FAILURE() << "CreatePipe: " << ::GetLastError();
        return;
      }
      ::SetHandleInformation(lettura_, HANDLE_FLAG_INHERIT, 0);
      si.dwFlags = STARTF_USESTDHANDLES;
      si.hStdInput = nullptr;
      si.hStdOutput = scrittura_;
      si.hStdError = scrittura_;
      eredita = TRUE;
    }
    if (!::CreateProcessW(programma.c_str(), riga.data(), nullptr, nullptr,
                          eredita, 0, nullptr, nullptr, &si, &pi_)) {
      ADD_FAILURE() << "CreateProcessW " << port::testo_percorso(programma)
                    << ": " << ::GetLastError();
      pi_ = {};
    }
    if (scrittura_ != nullptr) {
      // Only the child writes now: its end closes when it ends.
      ::CloseHandle(scrittura_);
      scrittura_ = nullptr;
    }
  }
  ~processo() {
    if (pi_.hProcess != nullptr) {
      if (::WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT) {
        ::TerminateProcess(pi_.hProcess, 255);
        ::WaitForSingleObject(pi_.hProcess, millisecondi_massimi);
      }
      ::CloseHandle(pi_.hProcess);
      ::CloseHandle(pi_.hThread);
    }
    if (lettura_ != nullptr) ::CloseHandle(lettura_);
  }
  processo(const processo&) = delete;
  processo& operator=(const processo&) = delete;

  bool avviato() const { return pi_.hProcess != nullptr; }
  DWORD id() const { return pi_.dwProcessId; }

  // True once the program has ended (waiting at most `ms`).
  bool finito(DWORD ms = 0) const {
    return avviato() &&
           ::WaitForSingleObject(pi_.hProcess, ms) == WAIT_OBJECT_0;
  }

  // Waits for the end and gives the exit status; nullopt when the program
  // did not end in time (it is then ended by force).
  std::optional<DWORD> attendi() {
    if (!avviato()) return std::nullopt;
    if (!finito(millisecondi_massimi)) {
      ::TerminateProcess(pi_.hProcess, 255);
      return std::nullopt;
    }
    DWORD stato = 0;
    ::GetExitCodeProcess(pi_.hProcess, &stato);
    return stato;
  }

  // Everything the program printed, once it has ended.
  std::string uscita() {
    std::string out;
    if (lettura_ == nullptr) return out;
    char blocco[4096];
    DWORD letti = 0;
    while (::ReadFile(lettura_, blocco, sizeof blocco, &letti, nullptr) &&
           letti > 0) {
      out.append(blocco, letti);
    }
    return out;
  }

 private:
  PROCESS_INFORMATION pi_{};
  HANDLE lettura_ = nullptr;
  HANDLE scrittura_ = nullptr;
};

struct esito {
  std::optional<DWORD> stato;  // nullopt: did not end in time
  std::string uscita;          // standard output and error together
};

// Runs the program to its end and catches what it prints.
inline esito esegui(const std::filesystem::path& programma,
                    const std::vector<std::string>& argomenti) {
  processo p(programma, argomenti, /*cattura=*/true);
  esito e;
  e.stato = p.attendi();
  e.uscita = p.uscita();
  return e;
}

}  // namespace processo_prova

#endif  // TESTS_PROCESSO_WINDOWS_H_
