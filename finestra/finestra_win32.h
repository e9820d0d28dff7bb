// Win32 implementation of the window layer: the waiting window with its one
// label, and the system's message box. The window takes no input: nothing on
// it can be clicked or typed into, and it cannot be closed while the run
// goes on.
#ifndef FINESTRA_FINESTRA_WIN32_H_
#define FINESTRA_FINESTRA_WIN32_H_

#include <string_view>

#include "finestra/piattaforma.h"

// The handle types of <windows.h> (STRICT), declared here so that callers
// need not include it.
struct HWND__;
struct HFONT__;

namespace finestra {

// The label's font.
inline constexpr wchar_t carattere_etichetta[] = L"MS Sans Serif";
inline constexpr int punti_etichetta = 24;

class piattaforma_win32 : public piattaforma {
 public:
  // `comando_mostra` is how the window first appears: the show command the
  // program was started with (a shortcut may ask for it minimised).
  explicit piattaforma_win32(int comando_mostra);
  ~piattaforma_win32() override;
  piattaforma_win32(const piattaforma_win32&) = delete;
  piattaforma_win32& operator=(const piattaforma_win32&) = delete;

  // Creates the window with its label in bold carattere_etichetta at
  // punti_etichetta points, centred on the screen, shows it and paints it
  // and the label before returning. Without a window system the run goes
  // on with no window.
  void mostra_finestra(std::string_view titolo,
                       std::string_view etichetta) override;
  // A modal message box owned by the window (when there is one), with the
  // single button OK and the system's default title.
  void mostra_messaggio(std::string_view testo) override;

 private:
  int comando_mostra_;
  HWND__* finestra_ = nullptr;
  HWND__* etichetta_ = nullptr;
  HFONT__* carattere_ = nullptr;
};

}  // namespace finestra

#endif  // FINESTRA_FINESTRA_WIN32_H_
