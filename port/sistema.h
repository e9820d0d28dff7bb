// The platform layer: every call the program makes to the file system and to
// the process it runs in goes through here. The interface holds no platform
// test; one implementation per platform (sistema_posix.cc,
// sistema_windows.cc) is chosen by the build.
#ifndef PORT_SISTEMA_H_
#define PORT_SISTEMA_H_

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace port {

// Outcome of a file operation: empty on success, otherwise
// "<file>: <system reason>".
struct [[nodiscard]] io_status {
  std::string message;
  bool ok() const { return message.empty(); }
};

// The reason an errno value gives, in Italian for the usual ones, else the
// C library's own text (generic category); the same on every platform.
std::string motivo_sistema(int numero);

// "<file>: <reason for numero>".
io_status errore_sistema(const std::filesystem::path& file, int numero);

// A path as UTF-8 text, for messages; and a path from UTF-8 text, as the
// command line gives it. Both are exact on every platform.
std::string testo_percorso(const std::filesystem::path& p);
std::filesystem::path percorso_da_testo(std::string_view utf8);

// The whole content of a file, or why it could not be read.
struct file_letto {
  enum class esito {
    letto,        // byte holds the whole file
    assente,      // no such file (nor the folder it would be in)
    illeggibile,  // motivo says why: permissions, a folder, a FIFO, ...
  };
  esito stato = esito::letto;
  std::string byte;
  std::string motivo;  // the system's reason, when illeggibile
};

// Reads a regular file whole, in binary. Never waits on a FIFO or a device:
// anything but a regular file is refused with its reason ("Is a directory",
// "not a regular file"); so is a file of more than `massimo` bytes, before
// it is read.
file_letto leggi_file(const std::filesystem::path& p, std::uint64_t massimo);

// The reason leggi_file gives for a file of more than `massimo` bytes.
std::string motivo_troppo_grande(std::uint64_t massimo);

// True when both names lead to one existing file (through links, or as two
// names of one file).
bool stesso_file(const std::filesystem::path& a,
                 const std::filesystem::path& b);

// What a name stands for, without following a final link.
enum class tipo_voce { assente, file, cartella, altro };
tipo_voce tipo_di(const std::filesystem::path& p);

// Removes a file (or an empty folder).
io_status rimuovi(const std::filesystem::path& p);

// Standard input from here on reads bytes as they come: no line end or
// end-of-file mark is translated (a no-op where none ever is).
void ingresso_binario();

// The folder that holds the running program; argv0 is the fallback when the
// system cannot name the executable. nullopt when neither names it.
std::optional<std::filesystem::path> cartella_programma(std::string_view argv0);

}  // namespace port

#endif  // PORT_SISTEMA_H_
