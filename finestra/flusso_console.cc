// Console stream buffer.
#include "finestra/flusso_console.h"

#include <windows.h>

#include <cstring>
#include <string>
#include <string_view>

#include "port/testo_windows.h"

namespace finestra {

namespace {

// Where the last complete UTF-8 sequence of `t` ends: a sequence cut by the
// end of the buffer waits for its remaining bytes.
std::size_t fine_sequenze_intere(std::string_view t) {
  std::size_t i = t.size();
  std::size_t indietro = 0;
  while (i > 0 && indietro < 4) {
    const auto c = static_cast<unsigned char>(t[i - 1]);
    --i;
    ++indietro;
    if ((c & 0xc0) != 0x80) {
      // A lead byte: its sequence is whole when enough bytes follow it.
      const std::size_t lunghezza = c >= 0xf0   ? 4
                                    : c >= 0xe0 ? 3
                                    : c >= 0xc0 ? 2
                                                : 1;
      return lunghezza <= indietro ? t.size() : i;
    }
  }
  return t.size();
}

bool scrivi_tutto(HANDLE h, const char* dati, std::size_t n) {
  while (n > 0) {
    DWORD scritti = 0;
    const auto blocco = static_cast<DWORD>(n < (1u << 20) ? n : (1u << 20));
    if (!::WriteFile(h, dati, blocco, &scritti, nullptr) || scritti == 0) {
      return false;
    }
    dati += scritti;
    n -= scritti;
  }
  return true;
}

}  // namespace

flusso_console::flusso_console(void* maniglia) : maniglia_(maniglia) {
  DWORD modo = 0;
  console_ = maniglia_ != nullptr && maniglia_ != INVALID_HANDLE_VALUE &&
             ::GetConsoleMode(maniglia_, &modo) != 0;
  setp(blocco_.data(), blocco_.data() + blocco_.size());
}

flusso_console::~flusso_console() { svuota(); }

flusso_console::int_type flusso_console::overflow(int_type c) {
  if (!svuota()) return traits_type::eof();
  if (!traits_type::eq_int_type(c, traits_type::eof())) {
    *pptr() = traits_type::to_char_type(c);
    pbump(1);
  }
  return traits_type::not_eof(c);
}

int flusso_console::sync() { return svuota() ? 0 : -1; }

bool flusso_console::svuota() {
  const std::string_view dati(pbase(),
                              static_cast<std::size_t>(pptr() - pbase()));
  if (dati.empty()) return true;
  std::size_t fatti = dati.size();
  bool ok = true;
  if (maniglia_ == nullptr || maniglia_ == INVALID_HANDLE_VALUE) {
    // No handle (a GUI start without consoles): nothing to write to.
  } else if (console_) {
    fatti = fine_sequenze_intere(dati);
    const std::wstring testo = port::utf16_da_utf8(dati.substr(0, fatti));
    std::wstring_view resto = testo;
    while (ok && !resto.empty()) {
      DWORD scritti = 0;
      ok = ::WriteConsoleW(maniglia_, resto.data(),
                           static_cast<DWORD>(resto.size()), &scritti,
                           nullptr) != 0 &&
           scritti > 0;
      resto.remove_prefix(scritti);
    }
  } else {
    ok = scrivi_tutto(maniglia_, dati.data(), dati.size());
  }
  // What is left is the start of a cut sequence; it goes first next time.
  const std::size_t resto = dati.size() - fatti;
  std::memmove(blocco_.data(), dati.data() + fatti, resto);
  setp(blocco_.data(), blocco_.data() + blocco_.size());
  pbump(static_cast<int>(resto));
  return ok;
}

}  // namespace finestra
