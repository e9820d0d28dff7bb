// The Win32 window layer in this process: the waiting window is found by
// its caption and asked what it shows; the message box is caught by a
// watcher thread, read and closed with OK. Needs a window system (under
// Wine: an X display).
#include "finestra/finestra_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tests/app/scatola_windows.h"

namespace finestra {

namespace {

using scatola_prova::classe_di;
using scatola_prova::figli_di;
using scatola_prova::scatole_durante;
using scatola_prova::testo_di;

HWND finestra_form1() {
  for (HWND h : scatola_prova::finestre_di(::GetCurrentProcessId(), "")) {
    if (testo_di(h) == "Form1") return h;
  }
  return nullptr;
}

int dpi_schermo() {
  const HDC dc = ::GetDC(nullptr);
  const int dpi = ::GetDeviceCaps(dc, LOGPIXELSY);
  ::ReleaseDC(nullptr, dc);
  return dpi;
}

// Pixels of `h`'s client area that differ from its background, read back
// from what has been painted.
long pixel_dipinti(HWND h) {
  RECT r{};
  ::GetClientRect(h, &r);
  const HDC dc = ::GetDC(h);
  const HDC memoria = ::CreateCompatibleDC(dc);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = r.right;
  bi.bmiHeader.biHeight = -r.bottom;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bit = nullptr;
  const HBITMAP bmp =
      ::CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bit, nullptr, 0);
  const HGDIOBJ prima = ::SelectObject(memoria, bmp);
  ::BitBlt(memoria, 0, 0, r.right, r.bottom, dc, 0, 0, SRCCOPY);
  const COLORREF fondo = ::GetSysColor(COLOR_BTNFACE);
  const DWORD fondo_bgra = (static_cast<DWORD>(GetRValue(fondo)) << 16) |
                           (static_cast<DWORD>(GetGValue(fondo)) << 8) |
                           GetBValue(fondo);
  long n = 0;
  const auto* p = static_cast<const DWORD*>(bit);
  for (long i = 0; i < static_cast<long>(r.right) * r.bottom; ++i) {
    if ((p[i] & 0xffffff) != fondo_bgra) ++n;
  }
  ::SelectObject(memoria, prima);
  ::DeleteObject(bmp);
  ::DeleteDC(memoria);
  ::ReleaseDC(h, dc);
  return n;
}

}  // namespace

TEST(FinestraWin32Test, TheWindowShowsOneBoldLabelPaintedAtOnce) {
  piattaforma_win32 p(SW_SHOWNORMAL);
  p.mostra_finestra("Form1", "Attendere");
  const HWND f = finestra_form1();
  ASSERT_NE(f, nullptr);
  EXPECT_TRUE(::IsWindowVisible(f));

  const std::vector<HWND> figli = figli_di(f);
  ASSERT_EQ(figli.size(), 1u);
  const HWND etichetta = figli[0];
  EXPECT_EQ(classe_di(etichetta), "Static");
  EXPECT_EQ(testo_di(etichetta), "Attendere");
  // A static without SS_NOTIFY lets clicks through: nothing takes input.
  EXPECT_EQ(::GetWindowLongW(etichetta, GWL_STYLE) & SS_NOTIFY, 0);

  // The font as the label holds it, and as the system realised it.
  const auto carattere =
      reinterpret_cast<HFONT>(::SendMessageW(etichetta, WM_GETFONT, 0, 0));
  ASSERT_NE(carattere, nullptr);
  LOGFONTW lf{};
  ASSERT_EQ(::GetObjectW(carattere, sizeof lf, &lf), int{sizeof lf});
  EXPECT_EQ(std::wstring(lf.lfFaceName), L"MS Sans Serif");
  EXPECT_EQ(lf.lfWeight, FW_BOLD);
  EXPECT_EQ(lf.lfHeight, -::MulDiv(24, dpi_schermo(), 72));
  const HDC dc = ::GetDC(etichetta);
  const HGDIOBJ prima = ::SelectObject(dc, carattere);
  wchar_t nome[LF_FACESIZE] = {};
  ::GetTextFaceW(dc, LF_FACESIZE, nome);
  TEXTMETRICW tm{};
  ::GetTextMetricsW(dc, &tm);
  SIZE esteso{};
  ::GetTextExtentPoint32W(dc, L"Attendere", 9, &esteso);
  ::SelectObject(dc, prima);
  ::ReleaseDC(etichetta, dc);
  EXPECT_EQ(std::wstring(nome), L"MS Sans Serif");
  EXPECT_GE(tm.tmWeight, FW_BOLD);
  RECT r{};
  ::GetClientRect(etichetta, &r);
  EXPECT_GE(r.right, esteso.cx);
  EXPECT_GE(r.bottom, esteso.cy);

  // Painted before mostra_finestra returned: nothing is left to paint, and
  // the label's text is on it, with no message handled since.
  EXPECT_FALSE(::GetUpdateRect(f, nullptr, FALSE));
  EXPECT_FALSE(::GetUpdateRect(etichetta, nullptr, FALSE));
  EXPECT_GT(pixel_dipinti(etichetta), 0);

  // Closing it midway does nothing: the run ends it.
  ::SendMessageW(f, WM_CLOSE, 0, 0);
  EXPECT_TRUE(::IsWindow(f));
}

TEST(FinestraWin32Test, TheWindowGoesWithTheLayer) {
  {
    piattaforma_win32 p(SW_SHOWNORMAL);
    p.mostra_finestra("Form1", "Attendere");
    ASSERT_NE(finestra_form1(), nullptr);
  }
  EXPECT_EQ(finestra_form1(), nullptr);
}

TEST(FinestraWin32Test, TheMessageBoxHasOnlyOkTheDefaultTitleAndTheText) {
  const scatola_prova::scatola riferimento =
      scatola_prova::scatola_di_riferimento();
  ASSERT_EQ(riferimento.pulsanti.size(), 1u);

  piattaforma_win32 p(SW_SHOWNORMAL);
  p.mostra_finestra("Form1", "Attendere");
  const HWND f = finestra_form1();
  ASSERT_NE(f, nullptr);
  const std::vector<scatola_prova::scatola> viste = scatole_durante(
      [&] { p.mostra_messaggio(" Errore n. 1250\nFile: Nicolò"); });
  ASSERT_EQ(viste.size(), 1u);
  const scatola_prova::scatola& s = viste[0];
  EXPECT_EQ(s.testo, " Errore n. 1250\nFile: Nicolò");
  EXPECT_EQ(s.titolo, riferimento.titolo);
  EXPECT_EQ(s.pulsanti, riferimento.pulsanti);
  // Modal to the waiting window, which takes no input meanwhile.
  EXPECT_EQ(s.proprietario, f);
  EXPECT_FALSE(s.proprietario_attivo);
}

TEST(FinestraWin32Test, WithoutTheWindowTheBoxStandsAlone) {
  piattaforma_win32 p(SW_SHOWNORMAL);
  const std::vector<scatola_prova::scatola> viste =
      scatole_durante([&] { p.mostra_messaggio("Usage:"); });
  ASSERT_EQ(viste.size(), 1u);
  EXPECT_EQ(viste[0].testo, "Usage:");
  EXPECT_EQ(viste[0].proprietario, nullptr);
}

}  // namespace finestra
