// Win32 window layer.
#include "finestra/finestra_win32.h"

#include <windows.h>

#include <string>

#include "port/testo_windows.h"

namespace finestra {

namespace {

constexpr wchar_t classe_finestra[] = L"scenario_attesa";

// Room around the label, in pixels at 96 dpi.
constexpr int margine_x = 48;
constexpr int margine_y = 32;

LRESULT CALLBACK procedura_finestra(HWND h, UINT messaggio, WPARAM w,
                                    LPARAM l) {
  // The run ends the program by itself; closing the window midway would
  // only hide that it is still writing.
  if (messaggio == WM_CLOSE) return 0;
  return ::DefWindowProcW(h, messaggio, w, l);
}

bool registra_classe(HINSTANCE istanza) {
  WNDCLASSEXW c{};
  c.cbSize = sizeof c;
  c.lpfnWndProc = procedura_finestra;
  c.hInstance = istanza;
  c.hIcon = ::LoadIconW(nullptr, IDI_APPLICATION);
  c.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  c.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  c.lpszClassName = classe_finestra;
  // A second layer in the same process finds the class already there.
  return ::RegisterClassExW(&c) != 0 ||
         ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

piattaforma_win32::piattaforma_win32(int comando_mostra)
    : comando_mostra_(comando_mostra) {}

piattaforma_win32::~piattaforma_win32() {
  // The label goes with its window, and the font only once neither uses it.
  if (finestra_ != nullptr) ::DestroyWindow(finestra_);
  if (carattere_ != nullptr) ::DeleteObject(carattere_);
}

void piattaforma_win32::mostra_finestra(std::string_view titolo,
                                        std::string_view etichetta) {
  const std::wstring titolo16 = port::utf16_da_utf8(titolo);
  const std::wstring etichetta16 = port::utf16_da_utf8(etichetta);
  if (finestra_ != nullptr) {
    ::SetWindowTextW(finestra_, titolo16.c_str());
    ::SetWindowTextW(etichetta_, etichetta16.c_str());
    ::RedrawWindow(
        finestra_, nullptr, nullptr,
        RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    return;
  }
  const HINSTANCE istanza = ::GetModuleHandleW(nullptr);
  if (!registra_classe(istanza)) return;

  // Points to pixels at the screen's resolution, and the label's size in
  // that font, so that the window fits it at any resolution.
  const HDC schermo = ::GetDC(nullptr);
  const int dpi =
      schermo != nullptr ? ::GetDeviceCaps(schermo, LOGPIXELSY) : 96;
  if (carattere_ == nullptr) {
    carattere_ = ::CreateFontW(
        -::MulDiv(punti_etichetta, dpi, 72), 0, 0, 0, FW_BOLD, FALSE, FALSE,
        FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
        DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, carattere_etichetta);
  }
  SIZE testo{0, 0};
  if (schermo != nullptr) {
    const HGDIOBJ prima = ::SelectObject(schermo, carattere_);
    ::GetTextExtentPoint32W(schermo, etichetta16.c_str(),
                            static_cast<int>(etichetta16.size()), &testo);
    ::SelectObject(schermo, prima);
    ::ReleaseDC(nullptr, schermo);
  }
  const int larghezza = testo.cx + 2 * ::MulDiv(margine_x, dpi, 96);
  const int altezza = testo.cy + 2 * ::MulDiv(margine_y, dpi, 96);

  // A fixed frame with a caption and no maximise box: the window is only
  // ever looked at.
  constexpr DWORD stile =
      WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  RECT esterno{0, 0, larghezza, altezza};
  ::AdjustWindowRectEx(&esterno, stile, FALSE, 0);
  const int w = esterno.right - esterno.left;
  const int h = esterno.bottom - esterno.top;
  RECT lavoro{0, 0, ::GetSystemMetrics(SM_CXSCREEN),
              ::GetSystemMetrics(SM_CYSCREEN)};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &lavoro, 0);
  const int x = lavoro.left + (lavoro.right - lavoro.left - w) / 2;
  const int y = lavoro.top + (lavoro.bottom - lavoro.top - h) / 2;

  finestra_ = ::CreateWindowExW(0, classe_finestra, titolo16.c_str(), stile, x,
                                y, w, h, nullptr, nullptr, istanza, nullptr);
  if (finestra_ == nullptr) return;
  // A plain static control: without SS_NOTIFY it ignores the mouse.
  etichetta_ = ::CreateWindowExW(
      0, L"STATIC", etichetta16.c_str(),
      WS_CHILD | WS_VISIBLE | SS_CENTER | SS_CENTERIMAGE, 0, 0, larghezza,
      altezza, finestra_, nullptr, istanza, nullptr);
  if (etichetta_ != nullptr) {
    ::SendMessageW(etichetta_, WM_SETFONT, reinterpret_cast<WPARAM>(carattere_),
                   FALSE);
  }
  ::ShowWindow(finestra_, comando_mostra_);
  // The run does its work without handling messages, so the window and its
  // label are painted now, once.
  ::RedrawWindow(finestra_, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void piattaforma_win32::mostra_messaggio(std::string_view testo) {
  const std::wstring testo16 = port::utf16_da_utf8(testo);
  // A null caption is the system's default title.
  ::MessageBoxW(finestra_, testo16.c_str(), nullptr, MB_OK);
}

}  // namespace finestra
