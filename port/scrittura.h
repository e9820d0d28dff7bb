// Writing files: the bytes of a file, whole or in pieces, go to a new file
// next to the target in writes of a bounded size, reach the disk, and only
// then take the target's place in one step, so a failure or a kill never
// leaves a half-written file under a final name. What stands in a target's
// place is respected: a file (or a link, or nothing) is replaced, a folder
// or a socket is refused, and a device or a FIFO is written through by the
// one writer that may be given one, refused by the others.
#ifndef PORT_SCRITTURA_H_
#define PORT_SCRITTURA_H_

#include <cstddef>
#include <filesystem>
#include <functional>
#include <span>
#include <string_view>

#include "port/sistema.h"

namespace port {

// The size of every write to a file, and of the pieces a writer of large
// files is asked for: large enough that a write costs little more than its
// bytes, small enough to stay in the cache between encoding and writing.
inline constexpr std::size_t blocco_scrittura = std::size_t{256} << 10;

// A file's bytes: whole in `byte`, or, when `pezzi` is set, handed out by
// it piece by piece, each call giving the next piece (valid until the next
// call) and an empty view once all were given.
struct contenuto_file {
  std::string_view byte;
  std::function<std::string_view()> pezzi;
};

struct file_da_scrivere {
  std::filesystem::path nome;
  contenuto_file contenuto;
};

// What stands in the place of a file to be written, after any links.
enum class posto_file {
  libero,          // nothing, a file, or a link to a file or to nothing
  attraversabile,  // a character device or a FIFO: written through
  cartella,        // a folder
  altro,           // a socket, a block device, or what cannot be looked at
};
posto_file posto_di(const std::filesystem::path& p);

// The status of a write refused for what stands in the target's place:
// "<file>: è una cartella" for a folder, else that it is not a file.
io_status posto_rifiutato(const std::filesystem::path& p, posto_file posto);

// Whether each target of `file` may take a new file: free for a file, and,
// when it holds one, free to be replaced (not held open by a program that
// forbids it, on Windows; not immutable or append-only, on Linux). The
// first that may not is refused with its reason.
io_status verifica_destinazioni(std::span<const file_da_scrivere> file);

// Replaces one file whose name the user gives: nothing, a file or a link
// there is replaced whole, made durable (the file, then its folder); a
// device or a FIFO is written through; a folder or a socket is refused.
io_status sostituisci_file(const std::filesystem::path& destinazione,
                           const contenuto_file& contenuto);
io_status sostituisci_file(const std::filesystem::path& destinazione,
                           std::string_view byte);

// Writes a batch of files of one folder: each one's bytes to a new file
// (flushed to disk when `durevole`), then each in its target's place in
// order, then one sync of the folder (when `durevole`). Every target must be
// free for a file (anything else is refused before anything is written).
// The first failure stops the batch: the files it had put in place stay,
// the others are as before, and no new file is left.
io_status scrivi_gruppo(std::span<const file_da_scrivere> file, bool durevole);

}  // namespace port

#endif  // PORT_SCRITTURA_H_
