// Process ids for the tests of what a run leaves behind: this process's,
// one of another process that still runs, and one of a process that has
// ended.
#ifndef TESTS_PROCESSO_PROVA_H_
#define TESTS_PROCESSO_PROVA_H_

#include <cstdint>

#ifdef _WIN32
#include <windows.h>
// After windows.h, which it needs.
#include <tlhelp32.h>
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace processo_prova {

#ifdef _WIN32

inline std::uint64_t pid_corrente() { return ::GetCurrentProcessId(); }

// Another process that runs now: the first of the system's list that is
// not this one and has not ended (under Wine, one of its services).
inline std::uint64_t pid_vivo() {
  const DWORD io = ::GetCurrentProcessId();
  DWORD trovato = 0;
  HANDLE istantanea = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32W e{};
  e.dwSize = sizeof e;
  for (BOOL c = ::Process32FirstW(istantanea, &e); c && trovato == 0;
       c = ::Process32NextW(istantanea, &e)) {
    if (e.th32ProcessID == io || e.th32ProcessID == 0) continue;
    HANDLE h = ::OpenProcess(SYNCHRONIZE, FALSE, e.th32ProcessID);
    if (h == nullptr) continue;
    if (::WaitForSingleObject(h, 0) == WAIT_TIMEOUT) trovato = e.th32ProcessID;
    ::CloseHandle(h);
  }
  ::CloseHandle(istantanea);
  return trovato;
}

// A child that ends at once: this very program asked for nothing.
inline std::uint64_t pid_finito() {
  wchar_t nome[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, nome, MAX_PATH);
  std::wstring riga = L"\"";
  riga += nome;
  riga += L"\" --gtest_list_tests --gtest_filter=-*";
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!::CreateProcessW(nome, riga.data(), nullptr, nullptr, FALSE,
                        CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi)) {
    return 0;
  }
  ::WaitForSingleObject(pi.hProcess, INFINITE);
  ::CloseHandle(pi.hThread);
  ::CloseHandle(pi.hProcess);
  return pi.dwProcessId;
}

#else

inline std::uint64_t pid_corrente() {
  return static_cast<std::uint64_t>(::getpid());
}

inline std::uint64_t pid_vivo() {
  return static_cast<std::uint64_t>(::getppid());
}

inline std::uint64_t pid_finito() {
  const pid_t pid = ::fork();
  if (pid == 0) ::_exit(0);
  int stato = 0;
  ::waitpid(pid, &stato, 0);
  return static_cast<std::uint64_t>(pid);
}

#endif

}  // namespace processo_prova

#endif  // TESTS_PROCESSO_PROVA_H_
