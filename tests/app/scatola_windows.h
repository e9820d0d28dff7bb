// Finds and closes message boxes without a person, for the tests of the
// Win32 window layer: a watcher thread waits for a dialog box of a given
// thread or process, records its title, text, buttons and owner, and presses
// OK. It also reads windows and their children as the tests need them.
#ifndef TESTS_APP_SCATOLA_WINDOWS_H_
#define TESTS_APP_SCATOLA_WINDOWS_H_

#include <windows.h>

#include <atomic>
#include <chrono>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "port/testo_windows.h"

namespace scatola_prova {

inline std::string testo_di(HWND h) {
  std::wstring t(static_cast<std::size_t>(::GetWindowTextLengthW(h)) + 1,
                 L'\0');
  t.resize(static_cast<std::size_t>(
      ::GetWindowTextW(h, t.data(), static_cast<int>(t.size()))));
  return port::utf8_da_utf16(t);
}

inline std::string classe_di(HWND h) {
  wchar_t c[256] = {};
  const int n = ::GetClassNameW(h, c, 256);
  return port::utf8_da_utf16(std::wstring_view(c, static_cast<std::size_t>(n)));
}

// The direct children of `h`, in Z order.
inline std::vector<HWND> figli_di(HWND h) {
  std::vector<HWND> out;
  for (HWND c = ::GetWindow(h, GW_CHILD); c != nullptr;
       c = ::GetWindow(c, GW_HWNDNEXT)) {
    out.push_back(c);
  }
  return out;
}

// The visible top-level windows of process `pid` whose class is `classe`
// (any class when empty).
inline std::vector<HWND> finestre_di(DWORD pid, const std::string& classe) {
  struct cerca {
    DWORD pid;
    const std::string* classe;
    std::vector<HWND> trovate;
  } c{pid, &classe, {}};
  ::EnumWindows(
      [](HWND h, LPARAM l) -> BOOL {
        auto* c = reinterpret_cast<cerca*>(l);
        DWORD di = 0;
        ::GetWindowThreadProcessId(h, &di);
        if (di == c->pid && ::IsWindowVisible(h) &&
            (c->classe->empty() || classe_di(h) == *c->classe)) {
          c->trovate.push_back(h);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&c));
  return c.trovate;
}

// What a message box showed.
struct scatola {
  std::string titolo;
  std::string testo;                  // the text of its static control
  std::vector<std::string> pulsanti;  // the buttons' captions
  HWND proprietario = nullptr;
  std::string titolo_proprietario;
  bool proprietario_attivo = false;  // the owner took input meanwhile
};

// The dialog class of message boxes.
inline const std::string classe_dialogo = "#32770";

inline scatola leggi_scatola(HWND h) {
  scatola s;
  s.titolo = testo_di(h);
  for (HWND c : figli_di(h)) {
    const std::string classe = classe_di(c);
    if (classe == "Button") {
      s.pulsanti.push_back(testo_di(c));
    } else if (classe == "Static" && ::GetWindowTextLengthW(c) > 0) {
      s.testo = testo_di(c);
    }
  }
  s.proprietario = ::GetWindow(h, GW_OWNER);
  if (s.proprietario != nullptr) {
    s.titolo_proprietario = testo_di(s.proprietario);
    s.proprietario_attivo = ::IsWindowEnabled(s.proprietario);
  }
  return s;
}

// Watches process `pid` from a thread of its own; every message box that
// appears is recorded and closed with OK. Watches until ferma(), or for a
// minute at most.
class osservatore {
 public:
  explicit osservatore(DWORD pid) : filo_([this, pid] { osserva(pid); }) {}
  ~osservatore() { ferma(); }
  osservatore(const osservatore&) = delete;
  osservatore& operator=(const osservatore&) = delete;

  // Stops watching and gives the boxes seen, in order.
  std::vector<scatola> ferma() {
    fine_ = true;
    if (filo_.joinable()) filo_.join();
    return viste_;
  }

 private:
  void osserva(DWORD pid) {
    const auto limite =
        std::chrono::steady_clock::now() + std::chrono::minutes(1);
    while (!fine_ && std::chrono::steady_clock::now() < limite) {
      for (HWND h : finestre_di(pid, classe_dialogo)) {
        if (h == ultima_) continue;
        viste_.push_back(leggi_scatola(h));
        ultima_ = h;
        const HWND ok = ::GetDlgItem(h, IDOK);
        ::PostMessageW(h, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                       reinterpret_cast<LPARAM>(ok));
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
  }

  std::atomic<bool> fine_{false};
  std::vector<scatola> viste_;
  HWND ultima_ = nullptr;
  std::thread filo_;
};

// Runs `mostra`, which shows message boxes on this thread, and gives what
// the watcher saw of them.
template <class F>
std::vector<scatola> scatole_durante(F&& mostra) {
  osservatore o(::GetCurrentProcessId());
  mostra();
  return o.ferma();
}

// The system's own box with the default title and the single button OK, as
// the layer's boxes must look.
inline scatola scatola_di_riferimento() {
  const std::vector<scatola> viste = scatole_durante(
      [] { ::MessageBoxW(nullptr, L"riferimento", nullptr, MB_OK); });
  return viste.empty() ? scatola{} : viste.front();
}

}  // namespace scatola_prova

#endif  // TESTS_APP_SCATOLA_WINDOWS_H_
