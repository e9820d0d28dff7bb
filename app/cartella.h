// The program's folder: the folder that holds the executable, found at run
// time (not the current directory).
#ifndef APP_CARTELLA_H_
#define APP_CARTELLA_H_

#include <filesystem>
#include <optional>
#include <string_view>

// argv0 is the fallback when the system cannot name the running executable.
std::optional<std::filesystem::path> cartella_programma(std::string_view argv0);

#endif  // APP_CARTELLA_H_
