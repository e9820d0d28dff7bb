// What the two Windows entry points share: the command line arrives as
// UTF-16 and goes to avvia as UTF-8.
#ifndef APP_AVVIO_WINDOWS_H_
#define APP_AVVIO_WINDOWS_H_

#include <string>
#include <vector>

// argv[0] .. argv[argc - 1] as UTF-8 text, the program's name first.
std::vector<std::string> argomenti_utf8(int argc, const wchar_t* const* argv);

#endif  // APP_AVVIO_WINDOWS_H_
