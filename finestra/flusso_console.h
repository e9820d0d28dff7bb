// A stream buffer over a standard handle of a Windows console program.
// Redirected to a file or a pipe it passes the bytes on unchanged (UTF-8
// text with LF line ends, exactly what the POSIX build writes); to a console
// it writes UTF-16, so that every character shows whatever the console's
// code page.
#ifndef FINESTRA_FLUSSO_CONSOLE_H_
#define FINESTRA_FLUSSO_CONSOLE_H_

#include <array>
#include <streambuf>

namespace finestra {

class flusso_console : public std::streambuf {
 public:
  // `maniglia` is a HANDLE, such as GetStdHandle(STD_ERROR_HANDLE); it stays
  // open after the buffer goes. Writes to a missing handle are dropped.
  explicit flusso_console(void* maniglia);
  ~flusso_console() override;
  flusso_console(const flusso_console&) = delete;
  flusso_console& operator=(const flusso_console&) = delete;

 protected:
  int_type overflow(int_type c) override;
  int sync() override;

 private:
  // Writes out what the buffer holds; false when the handle refused it.
  bool svuota();

  void* maniglia_;
  bool console_;
  std::array<char, 4096> blocco_{};
};

}  // namespace finestra

#endif  // FINESTRA_FLUSSO_CONSOLE_H_
