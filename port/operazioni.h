// The few file-system operations that the writers, the switch of a set of
// files and the recovery of a folder are built from; one implementation per
// platform (operazioni_posix.cc, operazioni_windows.cc). Used by the
// platform layer only. Every status names the file a message should name
// (the target of a write, the destination of a rename).
#ifndef PORT_OPERAZIONI_H_
#define PORT_OPERAZIONI_H_

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "port/scrittura.h"
#include "port/sistema.h"

namespace port::interno {

// A new file on its way into the place of `destinazione`. Once closed it
// stands in the folder under `temporaneo`; until then it may have no name
// at all (Linux: O_TMPFILE), so that a process killed while writing leaves
// nothing behind. The object removes the temporary unless it was given
// away.
class file_nuovo {
 public:
  file_nuovo(std::filesystem::path destinazione,
             std::filesystem::path temporaneo);
  ~file_nuovo();
  file_nuovo(const file_nuovo&) = delete;
  file_nuovo& operator=(const file_nuovo&) = delete;

  // Creates the file. Call once, first.
  io_status apri();
  // Appends bytes, in writes of at most blocco_scrittura bytes.
  io_status scrivi(std::string_view byte);
  // Flushes the bytes to disk (when `durevole`), closes the file and gives
  // it its temporary name.
  io_status chiudi(bool durevole);
  // The temporary name now belongs to someone else (it was renamed).
  void cedi() { nominato_ = false; }

  const std::filesystem::path& destinazione() const { return destinazione_; }
  const std::filesystem::path& temporaneo() const { return temporaneo_; }

 private:
  io_status fallito(int numero);
  void scarta();

  std::filesystem::path destinazione_;
  std::filesystem::path temporaneo_;
  int descrittore_ = -1;
  bool senza_nome_ = false;  // open without a name in the folder yet
  bool nominato_ = false;    // the temporary name is ours to remove
  io_status stato_;
};

// Writes every byte of `c` to `f`.
io_status scrivi_contenuto(file_nuovo& f, const contenuto_file& c);

// Writes `c` into the device or FIFO `p`, which stays what it is.
io_status scrivi_attraverso(const std::filesystem::path& p,
                            const contenuto_file& c);

// Whether the file `p` (which exists) may be replaced: not held open by a
// program that forbids it (Windows), not made immutable or append-only
// (Linux). What cannot be told here is left to the rename.
io_status sostituibile(const std::filesystem::path& p);

// Puts `da` in the place of `a`, replacing what `a` named, in one step
// (on Windows written through to disk). A failure names `a`, or `nome`.
io_status rinomina(const std::filesystem::path& da,
                   const std::filesystem::path& a);
io_status rinomina(const std::filesystem::path& da,
                   const std::filesystem::path& a,
                   const std::filesystem::path& nome);

// A second name `nuovo` for the file (or link) `esistente`.
io_status collega(const std::filesystem::path& esistente,
                  const std::filesystem::path& nuovo);

// A new empty file; refused when the name is taken.
io_status crea_vuoto(const std::filesystem::path& p);

// Makes the renames, links and removals in `cartella` durable (POSIX: a
// sync of the folder; Windows, whose renames are written through: nothing).
io_status sincronizza_cartella(const std::filesystem::path& cartella);

// The names in `cartella`, as UTF-8 text, without "." and "..".
io_status nomi_in(const std::filesystem::path& cartella,
                  std::vector<std::string>& nomi);

std::uint64_t processo_corrente();
// False only when no process `pid` runs on this system now.
bool processo_vivo(std::uint64_t pid);

}  // namespace port::interno

#endif  // PORT_OPERAZIONI_H_
