// Safe replacement of a file: the new content is written whole to a temporary
// file in the same folder and renamed over the target, so a failure never
// leaves a half-written file and the earlier file of that name stays intact.
#ifndef SOURCE_SCRITTURA_SICURA_H_
#define SOURCE_SCRITTURA_SICURA_H_

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

// Outcome of a file operation: empty on success, otherwise
// "<file>: <system reason>".
struct [[nodiscard]] io_status {
  std::string message;
  bool ok() const { return message.empty(); }
};

io_status errore_sistema(const std::filesystem::path& file, int numero);

// A file being replaced. Bytes go to a temporary next to the target;
// conferma() renames it over the target. Without conferma() (or when it
// fails) the temporary is removed and the target is untouched.
class file_sostitutivo {
 public:
  explicit file_sostitutivo(std::filesystem::path destinazione);
  ~file_sostitutivo();
  file_sostitutivo(const file_sostitutivo&) = delete;
  file_sostitutivo& operator=(const file_sostitutivo&) = delete;

  // Creates the temporary. Call once, before scrivi.
  io_status apri();
  // Appends bytes. After a failure every later call returns the same status.
  io_status scrivi(std::string_view byte);
  // Flushes, closes and renames the temporary over the target.
  io_status conferma();

 private:
  void scarta();

  std::filesystem::path destinazione_;
  std::filesystem::path temporaneo_;
  std::FILE* file_ = nullptr;
  io_status stato_;
};

// Replaces `destinazione` with exactly `contenuto`.
io_status sostituisci_file(const std::filesystem::path& destinazione,
                           std::string_view contenuto);

#endif  // SOURCE_SCRITTURA_SICURA_H_
