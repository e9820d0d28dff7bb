// The console stream buffer: a pipe gets the bytes unchanged, a console
// every character whatever its code page. A console of its own needs a
// window system under Wine, hence these tests run with the window tests.
#include "finestra/flusso_console.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <ostream>
#include <string>

namespace finestra {

namespace {

// "Nicolò Ł" and a line end, with the two bytes of "Ł" split across two
// writes so that a flush falls between them.
void scrivi_prova(void* h) {
  flusso_console b(h);
  std::ostream o(&b);
  o << "Nicol\xc3\xb2 \xc5";
  o.flush();
  o << "\x81\n";
}

}  // namespace

TEST(FlussoConsoleTest, APipeGetsTheBytesUnchanged) {
  HANDLE lettura = nullptr;
  HANDLE scrittura = nullptr;
  ASSERT_TRUE(::CreatePipe(&lettura, &scrittura, nullptr, 1 << 16));
  scrivi_prova(scrittura);
  ::CloseHandle(scrittura);
  std::string letto;
  char blocco[256];
  DWORD n = 0;
  while (::ReadFile(lettura, blocco, sizeof blocco, &n, nullptr) && n > 0) {
    letto.append(blocco, n);
  }
  ::CloseHandle(lettura);
  // No CR before the LF: the same bytes as the POSIX build's.
  EXPECT_EQ(letto, "Nicol\xc3\xb2 \xc5\x81\n");
}

TEST(FlussoConsoleTest, AConsoleShowsEveryCharacter) {
  ::FreeConsole();
  ASSERT_TRUE(::AllocConsole());
  const HANDLE h = ::CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                 OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  // Start from a clean screen at the top left.
  CONSOLE_SCREEN_BUFFER_INFO info{};
  ASSERT_TRUE(::GetConsoleScreenBufferInfo(h, &info));
  DWORD scritte = 0;
  const auto celle =
      static_cast<DWORD>(info.dwSize.X) * static_cast<DWORD>(info.dwSize.Y);
  ::FillConsoleOutputCharacterW(h, L' ', celle, COORD{0, 0}, &scritte);
  ::SetConsoleCursorPosition(h, COORD{0, 0});

  scrivi_prova(h);
  wchar_t schermo[9] = {};
  DWORD letti = 0;
  ASSERT_TRUE(
      ::ReadConsoleOutputCharacterW(h, schermo, 8, COORD{0, 0}, &letti));
  EXPECT_EQ(std::wstring(schermo, letti), L"Nicol\u00f2 \u0141");
  // The line end moved the cursor to the start of the next line.
  ASSERT_TRUE(::GetConsoleScreenBufferInfo(h, &info));
  EXPECT_EQ(info.dwCursorPosition.X, 0);
  EXPECT_EQ(info.dwCursorPosition.Y, 1);
  ::CloseHandle(h);
  ::FreeConsole();
}

}  // namespace finestra
